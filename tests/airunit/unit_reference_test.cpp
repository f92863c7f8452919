// Chicago's year through several units, every hour against the sequence computed afresh
// (airunit_support.cpp), every hour's energy balance, and the months against the year.
#include "airunit_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace hygrovane::airunit {
namespace {

using testing::ChicagoRun;
using testing::ExampleUnit;

// The example unit changed as the row says.
struct UnitRow {
    const char* name;
    std::function<void(UnitSettings&)> change;
    UnitSettings settings() const {
        UnitSettings s = ExampleUnit();
        change(s);
        return s;
    }
};

void PrintTo(const UnitRow& row, std::ostream* os) {
    *os << row.name;
}

std::vector<UnitRow> UnitRows() {
    return {
        {"ExampleWheelDifferentialEnthalpy", [](UnitSettings&) {}},
        {"OutdoorAirOnlyByMass",
         [](UnitSettings& s) {
             s.minOutdoorFraction = 1;
             s.recovery.reset();
             s.economizer = EconomizerKind::None;
             s.flow = 3;
             s.flowUnit = FlowUnit::KilogramsPerSecond;
         }},
        {"PlateFixedDryBulbInCfm",
         [](UnitSettings& s) {
             s.recovery = Recovery{0.7, 0};
             s.economizer = EconomizerKind::FixedDryBulb;
             s.economizerLimit = 18;
             s.flow = 6000;
             s.flowUnit = FlowUnit::CubicFeetPerMinute;
         }},
        {"FixedEnthalpyRoomByDewPoint",
         [](UnitSettings& s) {
             s.roomHumidityKind = RoomHumidity::DewPoint;
             s.roomHumidity = 12;
             s.economizer = EconomizerKind::FixedEnthalpy;
             s.economizerLimit = 47;
             s.flow = 2.5;
             s.flowUnit = FlowUnit::CubicMetresPerSecond;
             s.minOutdoorFraction = 0.35;
         }},
        {"DifferentialDryBulbNoDewPoints",
         [](UnitSettings& s) {
             s.maxDewPoint.reset();
             s.minDewPoint.reset();
             s.economizer = EconomizerKind::DifferentialDryBulb;
             s.supplyDryBulb = 16;
             s.coilLeavingRelativeHumidity = 90;
             s.steamTemperature = 120;
             s.recovery = Recovery{0.85, 0.8};
         }},
        {"WarmSupplyAboveTheRoom",
         [](UnitSettings& s) {
             s.supplyDryBulb = 30;
             s.maxDewPoint = 14;
             s.minDewPoint = 4;
         }},
    };
}

class EveryHour : public ::testing::TestWithParam<UnitRow> {};

// Within 1e-9 of the larger of |expected| and 1.
void Near(double actual, double expected, const char* what, std::size_t i) {
    EXPECT_LE(std::abs(actual - expected), 1e-9 * std::max(1.0, std::abs(expected)))
        << what << " of record " << i << ": " << actual << " against " << expected;
}

TEST_P(EveryHour, FollowsTheSequenceComputedAfresh) {
    const UnitSettings settings = GetParam().settings();
    const UnitRun run = ChicagoRun(settings);
    std::size_t on = 0;
    for (std::size_t i = 0; i < run.hours.size(); ++i) {
        const UnitHour& h = run.hours[i];
        if (h.status != HourStatus::On) {
            continue;
        }
        ++on;
        const auto ref =
            testing::Reference(settings, h.outdoor.dryBulb, h.outdoor.humidityRatio, h.pressure);
        Near(h.massFlow, ref.massFlow, "mass flow", i);
        Near(h.outdoorFraction, ref.f, "outdoor fraction", i);
        EXPECT_EQ(h.economizer, ref.economizer) << "economizer of record " << i;
        EXPECT_EQ(h.dehumidifying, ref.dehumidifying) << "dehumidifying of record " << i;
        if (h.recovery != RecoveryMode::Off) {
            Near(h.wheelSpeed, ref.k, "wheel speed", i);
        }
        Near(h.mixed.dryBulb, ref.tMixed, "mixed dry bulb", i);
        Near(h.mixed.humidityRatio, ref.WMixed, "mixed humidity ratio", i);
        Near(h.offCoil.dryBulb, ref.tOffCoil, "off-coil dry bulb", i);
        Near(h.offCoil.humidityRatio, ref.WOffCoil, "off-coil humidity ratio", i);
        Near(h.supply.dryBulb, ref.tSupply, "supply dry bulb", i);
        Near(h.supply.humidityRatio, ref.WSupply, "supply humidity ratio", i);
        Near(h.heatingKW, ref.heatingKW, "heating", i);
        Near(h.coolingKW, ref.coolingKW, "cooling", i);
        Near(h.coolingSensibleKW, ref.sensibleKW, "sensible cooling", i);
        Near(h.reheatKW, ref.reheatKW, "reheat", i);
        Near(h.humidifierKW, ref.humidifierKW, "humidifier", i);
        Near(h.recoveredKW, ref.recoveredKW, "recovered", i);
        Near(h.condensateKgS, ref.condensateKgS, "condensate", i);
        Near(h.steamKgS, ref.steamKgS, "steam", i);
        if (::testing::Test::HasFailure()) {
            return; // the first record that differs says enough
        }
    }
    EXPECT_EQ(on, 8760u);
}

TEST_P(EveryHour, BalancesTheAirsEnthalpyFlow) {
    const UnitRun run = ChicagoRun(GetParam().settings());
    using testing::ashrae::Enthalpy;
    for (std::size_t i = 0; i < run.hours.size(); ++i) {
        const UnitHour& h = run.hours[i];
        if (h.status != HourStatus::On) {
            continue;
        }
        const double m = h.massFlow, f = h.outdoorFraction;
        const double in = m * (f * Enthalpy(h.outdoor.dryBulb, h.outdoor.humidityRatio) +
                               (1 - f) * Enthalpy(h.room.dryBulb, h.room.humidityRatio));
        const double out = m * Enthalpy(h.supply.dryBulb, h.supply.humidityRatio);
        const double recovered =
            h.recovery == RecoveryMode::Cooling ? -h.recoveredKW : h.recoveredKW;
        const double condensate = h.condensateKgS * 4.186 * h.offCoil.dryBulb;
        const double components =
            recovered + h.heatingKW - h.coolingKW - condensate + h.reheatKW + h.humidifierKW;
        const double scale = std::abs(in) + std::abs(out) + std::abs(recovered) +
                             std::abs(h.heatingKW) + std::abs(h.coolingKW) + std::abs(condensate) +
                             std::abs(h.reheatKW) + std::abs(h.humidifierKW);
        ASSERT_LE(std::abs((out - in) - components), 1e-9 * scale)
            << "record " << i << ": the air gains " << out - in << " kW, the components give "
            << components;
    }
}

TEST_P(EveryHour, MonthsAddUpToTheYear) {
    const UnitRun run = ChicagoRun(GetParam().settings());
    for (const TotalField& field : kTotalFields) {
        double sum = 0;
        for (const UnitTotals& month : run.months) {
            sum += month.*field.member;
        }
        const double year = run.year.*field.member;
        EXPECT_LE(std::abs(sum - year), 1e-9 * std::max(1.0, std::abs(year))) << field.key;
    }
    EXPECT_EQ(run.year.hoursOn, 8760);
    for (const PeakField& field : kPeakFields) {
        const Peak& year = run.peaks.*field.peak;
        double largest = 0;
        for (const UnitPeaks& month : run.monthPeaks) {
            largest = std::max(largest, (month.*field.peak).value);
        }
        EXPECT_EQ(year.value, largest) << field.key;
    }
}

INSTANTIATE_TEST_SUITE_P(Chicago, EveryHour, ::testing::ValuesIn(UnitRows()),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace hygrovane::airunit
