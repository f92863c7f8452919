#include "climateanalysis/figure_units.h"
#include "hygrovane/relations.h"

namespace hygrovane::climateanalysis {

// degF = K * 9/5 - 459.67; grains = 7000 per pound (exact); Btu/lb = kJ/kg * 0.42992 on the same
// datum, the factor of the main window's unit table (src/units/quantity.cpp); 1 psi =
// 6894.757 Pa (NIST SP 811).
double FigureUnits::Temperature(double kelvin) const {
    return units == Units::SI ? kelvin - kCelsiusOffset : kelvin * 9.0 / 5.0 - 459.67;
}
double FigureUnits::TemperatureFromCelsius(double celsius) const {
    return Temperature(celsius + kCelsiusOffset);
}
double FigureUnits::HumidityRatio(double kgPerKg) const {
    return units == Units::SI ? kgPerKg * 1000 : kgPerKg * 7000;
}
double FigureUnits::Enthalpy(double kjPerKg) const {
    return units == Units::SI ? kjPerKg : kjPerKg * 0.42992;
}
double FigureUnits::Pressure(double pascal) const {
    return units == Units::SI ? pascal / 1000 : pascal / 6894.757;
}
const char* FigureUnits::TemperatureUnit() const {
    return units == Units::SI ? "degC" : "degF";
}
const char* FigureUnits::HumidityRatioUnit() const {
    return units == Units::SI ? "g/kg" : "gr/lb";
}
const char* FigureUnits::EnthalpyUnit() const {
    return units == Units::SI ? "kJ/kg" : "Btu/lb";
}
const char* FigureUnits::PressureUnit() const {
    return units == Units::SI ? "kPa" : "psi";
}

} // namespace hygrovane::climateanalysis
