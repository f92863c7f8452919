// Every setting out of its range is refused by name, the first in the order of the settings; the
// edges that are allowed pass.
#include "airunit/unit_settings.h"
#include "airunit_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

namespace hygrovane::airunit {
namespace {

// The example unit changed as the row says: refused naming `kind`, with `words` in the message;
// or, a row without a kind, passed.
struct SettingRow {
    const char* name;
    std::function<void(UnitSettings&)> change;
    std::optional<UnitSetting> kind = std::nullopt;
    const char* words = "";
};

void PrintTo(const SettingRow& row, std::ostream* os) {
    *os << row.name;
}

class Checked : public ::testing::TestWithParam<SettingRow> {};

TEST_P(Checked, RefusedNamingTheSettingOrPassed) {
    UnitSettings settings = testing::ExampleUnit();
    GetParam().change(settings);
    const auto checked = Check(settings);
    if (!GetParam().kind) {
        EXPECT_TRUE(checked.has_value()) << (checked ? "" : Describe(checked.error()));
        return;
    }
    ASSERT_FALSE(checked.has_value());
    EXPECT_EQ(checked.error().kind, GetParam().kind);
    EXPECT_NE(Describe(checked.error()).find(GetParam().words), std::string::npos)
        << Describe(checked.error());
}

const double kNaN = std::nan("");

INSTANTIATE_TEST_SUITE_P(
    UnitSettings, Checked,
    ::testing::Values(
        SettingRow{"RoomBelowTheCoresRange", [](UnitSettings& s) { s.roomDryBulb = -100.5; },
                   UnitSetting::RoomDryBulb, "room dry bulb -100.5 °C"},
        SettingRow{"RoomNotANumber", [](UnitSettings& s) { s.roomDryBulb = kNaN; },
                   UnitSetting::RoomDryBulb, "room dry bulb"},
        SettingRow{"RoomHumidityAbove100", [](UnitSettings& s) { s.roomHumidity = 100.5; },
                   UnitSetting::RoomHumidity, "room relative humidity 100.5 %"},
        SettingRow{"RoomDewPointAboveTheDryBulb",
                   [](UnitSettings& s) {
                       s.roomHumidityKind = RoomHumidity::DewPoint;
                       s.roomHumidity = 24.5;
                   },
                   UnitSetting::RoomHumidity, "room dew point 24.5 °C must not exceed the room"},
        SettingRow{"SupplyBelowMinus10", [](UnitSettings& s) { s.supplyDryBulb = -10.5; },
                   UnitSetting::SupplyDryBulb, "between -10 and 54 °C"},
        SettingRow{"SupplyAbove30KOverTheRoom", [](UnitSettings& s) { s.supplyDryBulb = 54.5; },
                   UnitSetting::SupplyDryBulb, "supply dry bulb 54.5 °C"},
        SettingRow{"MaxDewPointAtTheSupply", [](UnitSettings& s) { s.maxDewPoint = 13; },
                   UnitSetting::MaxDewPoint, "below the supply dry bulb"},
        SettingRow{"MinDewPointAtTheMax", [](UnitSettings& s) { s.minDewPoint = 11; },
                   UnitSetting::MinDewPoint, "below the maximum supply dew point"},
        SettingRow{"MinDewPointAtTheSupplyWithoutAMax",
                   [](UnitSettings& s) {
                       s.maxDewPoint.reset();
                       s.minDewPoint = 13;
                   },
                   UnitSetting::MinDewPoint, "below the supply dry bulb"},
        SettingRow{"ZeroFlow", [](UnitSettings& s) { s.flow = 0; }, UnitSetting::Flow,
                   "flow 0 m3/h must be above 0"},
        SettingRow{"InfiniteFlow", [](UnitSettings& s) { s.flow = INFINITY; }, UnitSetting::Flow,
                   "flow"},
        SettingRow{"FractionAboveOne", [](UnitSettings& s) { s.minOutdoorFraction = 1.01; },
                   UnitSetting::MinOutdoorFraction, "minimum outdoor-air fraction 1.01"},
        SettingRow{"FractionBelowZero", [](UnitSettings& s) { s.minOutdoorFraction = -0.01; },
                   UnitSetting::MinOutdoorFraction, "between 0 and 1"},
        SettingRow{"FixedDryBulbLimitNotANumber",
                   [](UnitSettings& s) {
                       s.economizer = EconomizerKind::FixedDryBulb;
                       s.economizerLimit = kNaN;
                   },
                   UnitSetting::EconomizerLimit, "economizer limit"},
        SettingRow{"FixedEnthalpyLimitTooHigh",
                   [](UnitSettings& s) {
                       s.economizer = EconomizerKind::FixedEnthalpy;
                       s.economizerLimit = 501;
                   },
                   UnitSetting::EconomizerLimit, "501 kJ/kg"},
        SettingRow{"SensibleAboveOne", [](UnitSettings& s) { s.recovery->sensible = 1.5; },
                   UnitSetting::RecoverySensible, "sensible effectiveness 1.5"},
        SettingRow{"LatentBelowZero", [](UnitSettings& s) { s.recovery->latent = -0.1; },
                   UnitSetting::RecoveryLatent, "latent effectiveness -0.1"},
        SettingRow{"CoilAtZero", [](UnitSettings& s) { s.coilLeavingRelativeHumidity = 0; },
                   UnitSetting::CoilLeavingRelativeHumidity, "coil leaving relative humidity 0 %"},
        SettingRow{"SteamAbove200", [](UnitSettings& s) { s.steamTemperature = 201; },
                   UnitSetting::SteamTemperature, "steam temperature 201 °C"},
        SettingRow{"TheFirstOfTwoIsNamed",
                   [](UnitSettings& s) {
                       s.steamTemperature = 201;
                       s.flow = -1;
                   },
                   UnitSetting::Flow, "flow -1"},
        // The edges that are allowed.
        SettingRow{"SupplyAtMinus10",
                   [](UnitSettings& s) {
                       s.supplyDryBulb = -10;
                       s.maxDewPoint.reset();
                       s.minDewPoint.reset();
                   }},
        SettingRow{"SupplyAt30KOverTheRoom", [](UnitSettings& s) { s.supplyDryBulb = 54; }},
        SettingRow{"SaturatedRoomByDewPoint",
                   [](UnitSettings& s) {
                       s.roomHumidityKind = RoomHumidity::DewPoint;
                       s.roomHumidity = 24;
                   }},
        SettingRow{"FractionsAtTheirEnds", [](UnitSettings& s) { s.minOutdoorFraction = 1; }},
        SettingRow{"NoDewPointsNoRecovery",
                   [](UnitSettings& s) {
                       s.maxDewPoint.reset();
                       s.minDewPoint.reset();
                       s.recovery.reset();
                   }},
        SettingRow{"LimitUnusedByItsKind",
                   [](UnitSettings& s) {
                       s.economizer = EconomizerKind::DifferentialDryBulb;
                       s.economizerLimit = kNaN;
                   }},
        SettingRow{"PerfectExchanger",
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
