#pragma once

#include "units/quantity.h"

#include <array>
#include <cstddef>
#include <string_view>

namespace hygrovane {

// The unit system of the main window; Metric and British select a preset unit for every shown
// quantity.
enum class UnitSystem { Metric, British, Customized };

// The quantities the main window shows, each in a unit chosen from its own list.
enum class ShownQuantity {
    DryBulb,
    Pressure,
    DewPoint,
    WetBulb,
    RelativeHumidity,
    HumidityRatio,
    AbsoluteHumidity,
    MoleFraction,
    MassFraction,
    Altitude,
    PartialPressure,
    GasConstant,
    MolecularWeight,
    Density,
    SpecificVolume,
    Enthalpy,
};
inline constexpr std::size_t kShownQuantityCount = 16;

// A shown quantity's kind of unit and the positions in its unit list that the Metric and British
// presets select.
struct ShownUnitPreset {
    ShownQuantity shown;
    units::Quantity quantity;
    int metric;
    int british;
};

// Metric selects "C", "kPa", "m", (kg moisture)/(kg dry air), (kg moisture)/m^3, kJ/kg-K,
// kg/kmol, kg/m^3, m^3/kg and kJ/kg; British "F", "PSI", "ft", (lb moisture)/(lb dry air),
// (lb moisture)/ft^3, btu/lb-R, lbm/lbmol, lb/ft^3, ft^3/lb and btu/lb; the percentages list
// only "%".
inline constexpr std::array<ShownUnitPreset, kShownQuantityCount> kShownUnitPresets = {{
    {ShownQuantity::DryBulb, units::Quantity::Temperature, 0, 2},
    {ShownQuantity::Pressure, units::Quantity::Pressure, 1, 7},
    {ShownQuantity::DewPoint, units::Quantity::Temperature, 0, 2},
    {ShownQuantity::WetBulb, units::Quantity::Temperature, 0, 2},
    {ShownQuantity::RelativeHumidity, units::Quantity::RelativeHumidity, 0, 0},
    {ShownQuantity::HumidityRatio, units::Quantity::HumidityRatio, 0, 2},
    {ShownQuantity::AbsoluteHumidity, units::Quantity::AbsoluteHumidity, 0, 2},
    {ShownQuantity::MoleFraction, units::Quantity::MoleFraction, 0, 0},
    {ShownQuantity::MassFraction, units::Quantity::MassFraction, 0, 0},
    {ShownQuantity::Altitude, units::Quantity::Length, 0, 3},
    {ShownQuantity::PartialPressure, units::Quantity::Pressure, 1, 7},
    {ShownQuantity::GasConstant, units::Quantity::SpecificGasConstant, 1, 4},
    {ShownQuantity::MolecularWeight, units::Quantity::MolecularWeight, 0, 1},
    {ShownQuantity::Density, units::Quantity::Density, 0, 2},
    {ShownQuantity::SpecificVolume, units::Quantity::SpecificVolume, 0, 2},
    {ShownQuantity::Enthalpy, units::Quantity::SpecificEnthalpy, 0, 2},
}};

// The preset row of a shown quantity (the table is in the order of the enumeration).
constexpr const ShownUnitPreset& PresetOf(ShownQuantity shown) {
    return kShownUnitPresets[static_cast<std::size_t>(shown)];
}

// The kind of unit a shown quantity is written in.
constexpr units::Quantity UnitQuantity(ShownQuantity shown) {
    return PresetOf(shown).quantity;
}

// The position in the quantity's unit list selected by the Metric or British preset; -1 for
// Customized, which is no preset.
constexpr int PresetPosition(ShownQuantity shown, UnitSystem system) {
    switch (system) {
    case UnitSystem::Metric:
        return PresetOf(shown).metric;
    case UnitSystem::British:
        return PresetOf(shown).british;
    case UnitSystem::Customized:
        break;
    }
    return -1;
}

// The unit name the preset selects (the item at PresetPosition); empty for Customized.
std::string_view PresetUnit(ShownQuantity shown, UnitSystem system);

} // namespace hygrovane
