// The limiting cases and the comparisons side by side, hour by hour over Chicago's year: a unit of
// outdoor air only, an exchanger of no effectiveness, hours the economizer may not take, a wider
// economizer, and the enthalpy wheel against no recovery.
#include "airunit_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace hygrovane::airunit {
namespace {

using testing::ChicagoRun;
using testing::ExampleUnit;

// The loads, the outdoor fraction and the supply of two runs of the same record are the same
// bits.
void SameHour(const UnitHour& a, const UnitHour& b, std::size_t i) {
    for (double UnitHour::*load :
         {&UnitHour::outdoorFraction, &UnitHour::heatingKW, &UnitHour::coolingKW,
          &UnitHour::coolingSensibleKW, &UnitHour::coolingLatentKW, &UnitHour::reheatKW,
          &UnitHour::humidifierKW, &UnitHour::condensateKgS, &UnitHour::steamKgS}) {
        ASSERT_EQ(a.*load, b.*load) << "record " << i;
    }
    ASSERT_EQ(a.supply.dryBulb, b.supply.dryBulb) << "record " << i;
    ASSERT_EQ(a.supply.humidityRatio, b.supply.humidityRatio) << "record " << i;
}

double Purchased(const UnitHour& h) {
    return h.heatingKW + h.coolingKW + h.reheatKW + h.humidifierKW;
}

TEST(UnitLimits, AllOutdoorAirIsAPureOutdoorAirUnit) {
    UnitSettings s = ExampleUnit();
    s.minOutdoorFraction = 1;
    s.recovery.reset();
    s.economizer = EconomizerKind::None;
    const UnitRun run = ChicagoRun(s);
    s.economizer = EconomizerKind::DifferentialDryBulb; // can only ask for f = 1 again
    const UnitRun withEconomizer = ChicagoRun(s);
    using testing::ashrae::Enthalpy;
    for (std::size_t i = 0; i < run.hours.size(); ++i) {
        const UnitHour& h = run.hours[i];
        ASSERT_EQ(h.outdoorFraction, 1);
        // The return air takes no part: the mixture is the outdoor air itself.
        ASSERT_EQ(h.mixed.dryBulb, h.outdoor.dryBulb);
        ASSERT_EQ(h.mixed.humidityRatio, h.outdoor.humidityRatio);
        // Heating only where the outdoor air is below the supply, by its own enthalpy rise.
        const double to = h.outdoor.dryBulb, Wo = h.outdoor.humidityRatio;
        const double ts = s.supplyDryBulb;
        const double heating =
            to < ts - 1e-6 ? h.massFlow * (Enthalpy(ts, Wo) - Enthalpy(to, Wo)) : 0;
        ASSERT_NEAR(h.heatingKW, heating, 1e-9 * std::max(1.0, heating)) << "record " << i;
        SameHour(h, withEconomizer.hours[i], i);
    }
    EXPECT_EQ(run.year.fullOutdoorAirHours, 8760);
    EXPECT_EQ(run.year.economizerHours, 0);
}

TEST(UnitLimits, NoEffectivenessIsNoRecovery) {
    UnitSettings s = ExampleUnit();
    s.recovery = Recovery{0, 0};
    const UnitRun zero = ChicagoRun(s);
    s.recovery.reset();
    const UnitRun none = ChicagoRun(s);
    for (std::size_t i = 0; i < zero.hours.size(); ++i) {
        SameHour(zero.hours[i], none.hours[i], i);
    }
    EXPECT_EQ(zero.year.recoveredHeatingKWh, 0);
    EXPECT_EQ(zero.year.recoveredCoolingKWh, 0);
    EXPECT_EQ(zero.year.heatingKWh, none.year.heatingKWh);
    EXPECT_EQ(zero.year.coolingKWh, none.year.coolingKWh);
}

struct EconomizerRow {
    const char* name;
    EconomizerKind kind;
    double limit;
    // Whether the economizer may take the hour, from the outdoor and room air as written here.
    bool (*allowed)(double to, double ho, double tr, double hr, double limit);
};

void PrintTo(const EconomizerRow& row, std::ostream* os) {
    *os << row.name;
}

class EconomizerNotAllowed : public ::testing::TestWithParam<EconomizerRow> {};

TEST_P(EconomizerNotAllowed, LeavesTheHourAsWithoutOne) {
    for (const bool wheel : {false, true}) {
        UnitSettings s = ExampleUnit();
        if (!wheel) {
            s.recovery.reset();
        }
        s.economizer = EconomizerKind::None;
        const UnitRun without = ChicagoRun(s);
        s.economizer = GetParam().kind;
        s.economizerLimit = GetParam().limit;
        const UnitRun with = ChicagoRun(s);
        std::size_t notAllowed = 0, active = 0;
        using testing::ashrae::Enthalpy;
        for (std::size_t i = 0; i < with.hours.size(); ++i) {
            const UnitHour& h = with.hours[i];
            const double ho = Enthalpy(h.outdoor.dryBulb, h.outdoor.humidityRatio);
            const double hr = Enthalpy(h.room.dryBulb, h.room.humidityRatio);
            if (GetParam().allowed(h.outdoor.dryBulb, ho, h.room.dryBulb, hr, s.economizerLimit)) {
                active += h.economizer ? 1 : 0;
                continue;
            }
            ++notAllowed;
            ASSERT_FALSE(h.economizer) << "record " << i;
            SameHour(h, without.hours[i], i);
        }
        // Both kinds of hour occur, so that the comparison says something.
        EXPECT_GT(notAllowed, 1000u);
        EXPECT_GT(active, 500u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EconomizerNotAllowed,
    ::testing::Values(
        EconomizerRow{"FixedDryBulb", EconomizerKind::FixedDryBulb, 18,
                      [](double to, double, double, double, double limit) { return to <= limit; }},
        EconomizerRow{"DifferentialDryBulb", EconomizerKind::DifferentialDryBulb, 0,
                      [](double to, double, double tr, double, double) { return to < tr; }},
        EconomizerRow{"DifferentialEnthalpy", EconomizerKind::DifferentialEnthalpy, 0,
                      [](double, double ho, double, double hr, double) { return ho < hr; }},
        EconomizerRow{"FixedEnthalpy", EconomizerKind::FixedEnthalpy, 42,
                      [](double, double ho, double, double, double limit) { return ho <= limit; }}),
    [](const auto& info) { return std::string(info.param.name); });

struct WiderRow {
    const char* name;
    EconomizerKind narrow;
    double narrowLimit;
    EconomizerKind wide;
    double wideLimit;
};

void PrintTo(const WiderRow& row, std::ostream* os) {
    *os << row.name;
}

class WiderEconomizer : public ::testing::TestWithParam<WiderRow> {};

TEST_P(WiderEconomizer, NeverAdmitsLessOutdoorAir) {
    UnitSettings s = ExampleUnit();
    s.economizer = GetParam().narrow;
    s.economizerLimit = GetParam().narrowLimit;
    const UnitRun narrow = ChicagoRun(s);
    s.economizer = GetParam().wide;
    s.economizerLimit = GetParam().wideLimit;
    const UnitRun wide = ChicagoRun(s);
    std::size_t more = 0;
    for (std::size_t i = 0; i < wide.hours.size(); ++i) {
        ASSERT_GE(wide.hours[i].outdoorFraction, narrow.hours[i].outdoorFraction) << "record " << i;
        more += wide.hours[i].outdoorFraction > narrow.hours[i].outdoorFraction ? 1 : 0;
    }
    EXPECT_GT(more, 0u);
    EXPECT_GE(wide.year.economizerHours, narrow.year.economizerHours);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, WiderEconomizer,
    ::testing::Values(
        WiderRow{"NoneToFixedDryBulb", EconomizerKind::None, 0, EconomizerKind::FixedDryBulb, 12},
        WiderRow{"FixedDryBulb12To18", EconomizerKind::FixedDryBulb, 12,
                 EconomizerKind::FixedDryBulb, 18},
        WiderRow{"FixedDryBulb18To24", EconomizerKind::FixedDryBulb, 18,
                 EconomizerKind::FixedDryBulb, 24},
        WiderRow{"FixedEnthalpy30To45", EconomizerKind::FixedEnthalpy, 30,
                 EconomizerKind::FixedEnthalpy, 45},
        WiderRow{"FixedDryBulbBelowTheRoomToDifferential", EconomizerKind::FixedDryBulb, 20,
                 EconomizerKind::DifferentialDryBulb, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitSideBySide, TheEnthalpyWheelNeverUsesMoreEnergyThanNoRecovery) {
    for (const double fMin : {0.2, 0.5, 1.0}) {
        UnitSettings s = ExampleUnit();
        s.minOutdoorFraction = fMin;
        const UnitRun wheel = ChicagoRun(s);
        s.recovery.reset();
        const UnitRun none = ChicagoRun(s);
        for (std::size_t i = 0; i < wheel.hours.size(); ++i) {
            const double withWheel = Purchased(wheel.hours[i]);
            const double without = Purchased(none.hours[i]);
            ASSERT_LE(withWheel, without + 1e-9 * std::max(1.0, without))
                << "record " << i << " at f_min " << fMin;
        }
        EXPECT_LT(wheel.year.heatingKWh + wheel.year.coolingKWh,
                  none.year.heatingKWh + none.year.coolingKWh);
    }
}

} // namespace
} // namespace hygrovane::airunit
