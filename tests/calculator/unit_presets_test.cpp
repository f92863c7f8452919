#include "calculator/unit_presets.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace hygrovane {
namespace {

using Q = units::Quantity;

struct PresetRow {
    Q quantity;
    int metric;
    const char* metricUnit;
    int british;
    const char* britishUnit;
};

// Combo1..Combo16 in order.
constexpr PresetRow kPresets[kMainComboCount] = {
    {Q::Temperature, 0, "C", 2, "F"},
    {Q::Pressure, 1, "kPa", 7, "PSI"},
    {Q::Temperature, 0, "C", 2, "F"},
    {Q::Temperature, 0, "C", 2, "F"},
    {Q::RelativeHumidity, 0, "%", 0, "%"},
    {Q::HumidityRatio, 0, "(kg moisture)/(kg dry air)", 2, "(lb moisture)/(lb dry air)"},
    {Q::AbsoluteHumidity, 0, "(kg moisture)/m^3", 2, "(lb moisture)/ft^3"},
    {Q::MoleFraction, 0, "%", 0, "%"},
    {Q::MassFraction, 0, "%", 0, "%"},
    {Q::Length, 0, "m", 3, "ft"},
    {Q::Pressure, 1, "kPa", 7, "PSI"},
    {Q::SpecificGasConstant, 1, "kJ/kg-K", 4, "btu/lb-R"},
    {Q::MolecularWeight, 0, "kg/kmol", 1, "lbm/lbmol"},
    {Q::Density, 0, "kg/m^3", 2, "lb/ft^3"},
    {Q::SpecificVolume, 0, "m^3/kg (dry air)", 2, "ft^3/lb (dry air)"},
    {Q::SpecificEnthalpy, 0, "kJ/kg (dry air)", 2, "btu/lb (dry air)"},
};

TEST(Presets, EveryComboInBothSystems) {
    for (int n = 1; n <= kMainComboCount; ++n) {
        const PresetRow& row = kPresets[n - 1];
        SCOPED_TRACE("Combo" + std::to_string(n));
        EXPECT_EQ(MainComboQuantity(n), row.quantity);
        EXPECT_EQ(PresetPosition(n, UnitSystem::Metric), row.metric);
        EXPECT_EQ(PresetUnit(n, UnitSystem::Metric), row.metricUnit);
        EXPECT_EQ(PresetPosition(n, UnitSystem::British), row.british);
        EXPECT_EQ(PresetUnit(n, UnitSystem::British), row.britishUnit);
    }
}

TEST(Presets, CustomizedIsNoPresetAndOtherNumbersAreRefused) {
    EXPECT_EQ(PresetPosition(1, UnitSystem::Customized), -1);
    EXPECT_EQ(PresetUnit(1, UnitSystem::Customized), "");
    EXPECT_THROW(MainComboQuantity(0), std::out_of_range);
    EXPECT_THROW(PresetPosition(17, UnitSystem::Metric), std::out_of_range);
}

} // namespace
} // namespace hygrovane
