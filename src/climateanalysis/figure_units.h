#pragma once

// The units the figures are written in: SI (degC, g/kg, kJ/kg, kPa) or IP (degF, grains per
// pound, Btu/lb, psi), from the core's internal units (K, kg/kg, kJ/kg, Pa).

#include "climateanalysis/climate_settings.h"

namespace hygrovane::climateanalysis {

struct FigureUnits {
    Units units = Units::SI;

    double Temperature(double kelvin) const;
    double HumidityRatio(double kgPerKg) const;
    double Enthalpy(double kjPerKg) const;
    double Pressure(double pascal) const;
    // A temperature difference or a header's degC value.
    double TemperatureFromCelsius(double celsius) const;

    const char* TemperatureUnit() const; // "degC" / "degF"
    const char* HumidityRatioUnit() const;
    const char* EnthalpyUnit() const;
    const char* PressureUnit() const;
};

} // namespace hygrovane::climateanalysis
