#include "windows/calculator/unit_presets.h"

#include <array>
#include <stdexcept>

namespace hygrovane {

namespace {

struct ComboPreset {
    units::Quantity quantity;
    int metric;
    int british;
};

using Q = units::Quantity;

// Combo1..Combo16 of the main window.
constexpr std::array<ComboPreset, kMainComboCount> kCombos = {{
    {Q::Temperature, 0, 2},         // ambient temperature: "C" / "F"
    {Q::Pressure, 1, 7},            // barometric pressure: "kPa" / "PSI"
    {Q::Temperature, 0, 2},         // dew point
    {Q::Temperature, 0, 2},         // wet bulb
    {Q::RelativeHumidity, 0, 0},    // "%"
    {Q::HumidityRatio, 0, 2},       // kg/kg / lb/lb
    {Q::AbsoluteHumidity, 0, 2},    // kg/m^3 / lb/ft^3
    {Q::MoleFraction, 0, 0},        // "%"
    {Q::MassFraction, 0, 0},        // "%"
    {Q::Length, 0, 3},              // altitude: "m" / "ft"
    {Q::Pressure, 1, 7},            // partial pressure of water: "kPa" / "PSI"
    {Q::SpecificGasConstant, 1, 4}, // "kJ/kg-K" / "btu/lb-R"
    {Q::MolecularWeight, 0, 1},     // "kg/kmol" / "lbm/lbmol"
    {Q::Density, 0, 2},             // "kg/m^3" / "lb/ft^3"
    {Q::SpecificVolume, 0, 2},      // m^3/kg / ft^3/lb
    {Q::SpecificEnthalpy, 0, 2},    // kJ/kg / btu/lb
}};

const ComboPreset& Combo(int n) {
    if (n < 1 || n > kMainComboCount) {
        throw std::out_of_range("unit list number out of range");
    }
    return kCombos[static_cast<std::size_t>(n - 1)];
}

} // namespace

units::Quantity MainComboQuantity(int n) {
    return Combo(n).quantity;
}

int PresetPosition(int n, UnitSystem system) {
    const ComboPreset& combo = Combo(n);
    switch (system) {
    case UnitSystem::Metric:
        return combo.metric;
    case UnitSystem::British:
        return combo.british;
    case UnitSystem::Customized:
        break;
    }
    return -1;
}

std::string_view PresetUnit(int n, UnitSystem system) {
    const int position = PresetPosition(n, system);
    if (position < 0) {
        return {};
    }
    return units::UnitList(MainComboQuantity(n)).at(static_cast<std::size_t>(position));
}

} // namespace hygrovane
