#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::units {

// Degrees Fahrenheit to degrees Rankine: the Fahrenheit scale starts 459.67 degrees below zero.
inline constexpr double kRankineAtZeroFahrenheit = 459.67;

// Every quantity a user can type or read, each with one internal unit.
enum class Quantity {
    Temperature,         // K
    Pressure,            // Pa (also the partial pressure of water)
    Length,              // m (altitude)
    HumidityRatio,       // kg water / kg dry air
    AbsoluteHumidity,    // kg water / m^3
    RelativeHumidity,    // fraction, shown as "%" (read x 0.01)
    MoleFraction,        // fraction, shown as "%" (read / 100)
    MassFraction,        // fraction, shown as "%" (read / 100)
    SpecificGasConstant, // J/kg-K
    MolecularWeight,     // kg/kmol
    Density,             // kg/m^3
    SpecificVolume,      // m^3 per kg dry air
    SpecificEnthalpy,    // kJ per kg dry air
};

// Unit names in list order (position 0 first); exact, case-sensitive texts.
const std::vector<std::string>& UnitList(Quantity quantity);

// Displayed value in the named unit to the internal unit; no value for an unknown unit name,
// so that the caller keeps what it had.
std::optional<double> ToInternal(Quantity quantity, std::string_view unit, double value);

// Internal value to the named unit; no value for an unknown unit name.
std::optional<double> FromInternal(Quantity quantity, std::string_view unit, double value);

// Pa per unit of a pressure unit name; no value for an unknown name.
std::optional<double> PressureFactor(std::string_view unit);

} // namespace hygrovane::units
