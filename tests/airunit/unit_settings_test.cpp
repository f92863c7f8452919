// Every setting out of its range is refused by name, the first in the order of the settings; the
// edges that are allowed pass.
#include "airunit/unit_settings.h"
#include "airunit_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace hygrovane::airunit {
namespace {

struct RefusalRow {
    const char* name;
    std::function<void(UnitSettings&)> change;
    UnitSetting kind;
    const char* words; // in the message
};

void PrintTo(const RefusalRow& row, std::ostream* os) {
    *os << row.name;
}

class Refusals : public ::testing::TestWithParam<RefusalRow> {};

TEST_P(Refusals, NameTheSetting) {
    UnitSettings settings = testing::ExampleUnit();
    GetParam().change(settings);
    const auto checked = Check(settings);
    ASSERT_FALSE(checked.has_value());
    EXPECT_EQ(checked.error().kind, GetParam().kind);
    EXPECT_NE(Describe(checked.error()).find(GetParam().words), std::string::npos)
        << Describe(checked.error());
}

const double kNaN = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    UnitSettings, Refusals,
    ::testing::Values(
        RefusalRow{"RoomBelowTheCoresRange", [](UnitSettings& s) { s.roomDryBulb = -100.5; },
                   UnitSetting::RoomDryBulb, "room dry bulb -100.5 °C"},
        RefusalRow{"RoomNotANumber", [](UnitSettings& s) { s.roomDryBulb = kNaN; },
                   UnitSetting::RoomDryBulb, "room dry bulb"},
        RefusalRow{"RoomHumidityAbove100", [](UnitSettings& s) { s.roomHumidity = 100.5; },
                   UnitSetting::RoomHumidity, "room relative humidity 100.5 %"},
        RefusalRow{"RoomDewPointAboveTheDryBulb",
                   [](UnitSettings& s) {
                       s.roomHumidityKind = RoomHumidity::DewPoint;
                       s.roomHumidity = 24.5;
                   },
                   UnitSetting::RoomHumidity, "room dew point 24.5 °C must not exceed the room"},
        RefusalRow{"SupplyBelowMinus10", [](UnitSettings& s) { s.supplyDryBulb = -10.5; },
                   UnitSetting::SupplyDryBulb, "between -10 and 54 °C"},
        RefusalRow{"SupplyAbove30KOverTheRoom", [](UnitSettings& s) { s.supplyDryBulb = 54.5; },
                   UnitSetting::SupplyDryBulb, "supply dry bulb 54.5 °C"},
        RefusalRow{"MaxDewPointAtTheSupply", [](UnitSettings& s) { s.maxDewPoint = 13; },
                   UnitSetting::MaxDewPoint, "below the supply dry bulb"},
        RefusalRow{"MinDewPointAtTheMax", [](UnitSettings& s) { s.minDewPoint = 11; },
                   UnitSetting::MinDewPoint, "below the maximum supply dew point"},
        RefusalRow{"MinDewPointAtTheSupplyWithoutAMax",
                   [](UnitSettings& s) {
                       s.maxDewPoint.reset();
                       s.minDewPoint = 13;
                   },
                   UnitSetting::MinDewPoint, "below the supply dry bulb"},
        RefusalRow{"ZeroFlow", [](UnitSettings& s) { s.flow = 0; }, UnitSetting::Flow,
                   "flow 0 m3/h must be above 0"},
        RefusalRow{"InfiniteFlow", [](UnitSettings& s) { s.flow = INFINITY; }, UnitSetting::Flow,
                   "flow"},
        RefusalRow{"FractionAboveOne", [](UnitSettings& s) { s.minOutdoorFraction = 1.01; },
                   UnitSetting::MinOutdoorFraction, "minimum outdoor-air fraction 1.01"},
        RefusalRow{"FractionBelowZero", [](UnitSettings& s) { s.minOutdoorFraction = -0.01; },
                   UnitSetting::MinOutdoorFraction, "between 0 and 1"},
        RefusalRow{"FixedDryBulbLimitNotANumber",
                   [](UnitSettings& s) {
                       s.economizer = EconomizerKind::FixedDryBulb;
                       s.economizerLimit = kNaN;
                   },
                   UnitSetting::EconomizerLimit, "economizer limit"},
        RefusalRow{"FixedEnthalpyLimitTooHigh",
                   [](UnitSettings& s) {
                       s.economizer = EconomizerKind::FixedEnthalpy;
                       s.economizerLimit = 501;
                   },
                   UnitSetting::EconomizerLimit, "501 kJ/kg"},
        RefusalRow{"SensibleAboveOne", [](UnitSettings& s) { s.recovery->sensible = 1.5; },
                   UnitSetting::RecoverySensible, "sensible effectiveness 1.5"},
        RefusalRow{"LatentBelowZero", [](UnitSettings& s) { s.recovery->latent = -0.1; },
                   UnitSetting::RecoveryLatent, "latent effectiveness -0.1"},
        RefusalRow{"CoilAtZero", [](UnitSettings& s) { s.coilLeavingRelativeHumidity = 0; },
                   UnitSetting::CoilLeavingRelativeHumidity, "coil leaving relative humidity 0 %"},
        RefusalRow{"SteamAbove200", [](UnitSettings& s) { s.steamTemperature = 201; },
                   UnitSetting::SteamTemperature, "steam temperature 201 °C"},
        RefusalRow{"TheFirstOfTwoIsNamed",
                   [](UnitSettings& s) {
                       s.steamTemperature = 201;
                       s.flow = -1;
                   },
                   UnitSetting::Flow, "flow -1"}),
    [](const auto& info) { return std::string(info.param.name); });

struct AllowedRow {
    const char* name;
    std::function<void(UnitSettings&)> change;
};

void PrintTo(const AllowedRow& row, std::ostream* os) {
    *os << row.name;
}

class Allowed : public ::testing::TestWithParam<AllowedRow> {};

TEST_P(Allowed, Passes) {
    UnitSettings settings = testing::ExampleUnit();
    GetParam().change(settings);
    const auto checked = Check(settings);
    EXPECT_TRUE(checked.has_value()) << (checked ? "" : Describe(checked.error()));
}

INSTANTIATE_TEST_SUITE_P(
    UnitSettings, Allowed,
    ::testing::Values(
        AllowedRow{"SupplyAtMinus10",
                   [](UnitSettings& s) {
                       s.supplyDryBulb = -10;
                       s.maxDewPoint.reset();
                       s.minDewPoint.reset();
                   }},
        AllowedRow{"SupplyAt30KOverTheRoom", [](UnitSettings& s) { s.supplyDryBulb = 54; }},
        AllowedRow{"SaturatedRoomByDewPoint",
                   [](UnitSettings& s) {
                       s.roomHumidityKind = RoomHumidity::DewPoint;
                       s.roomHumidity = 24;
                   }},
        AllowedRow{"FractionsAtTheirEnds", [](UnitSettings& s) { s.minOutdoorFraction = 1; }},
        AllowedRow{"NoDewPointsNoRecovery",
                   [](UnitSettings& s) {
                       s.maxDewPoint.reset();
                       s.minDewPoint.reset();
                       s.recovery.reset();
                   }},
        AllowedRow{"LimitUnusedByItsKind",
                   [](UnitSettings& s) {
                       s.economizer = EconomizerKind::DifferentialDryBulb;
                       s.economizerLimit = kNaN;
                   }},
        AllowedRow{"PerfectExchanger",
                   [](UnitSettings& s) {
                       s.recovery = Recovery{1, 1};
                   }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitSettingsKeys, NameEachKindBothWays) {
    for (FlowUnit unit : {FlowUnit::KilogramsPerSecond, FlowUnit::CubicMetresPerHour,
                          FlowUnit::CubicMetresPerSecond, FlowUnit::CubicFeetPerMinute}) {
        EXPECT_EQ(FlowUnitNamed(KeyOf(unit)), unit);
    }
    for (EconomizerKind kind :
         {EconomizerKind::None, EconomizerKind::FixedDryBulb, EconomizerKind::DifferentialDryBulb,
          EconomizerKind::DifferentialEnthalpy, EconomizerKind::FixedEnthalpy}) {
        EXPECT_EQ(EconomizerKindNamed(KeyOf(kind)), kind);
    }
    EXPECT_FALSE(FlowUnitNamed("m³/h"));
    EXPECT_FALSE(EconomizerKindNamed("Fixed-Dry-Bulb"));
}

} // namespace
} // namespace hygrovane::airunit
