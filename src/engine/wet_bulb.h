#pragma once

#include "hygrovane/sat_formulation.h"

namespace hygrovane::engine {

// Humidity ratio (kg/kg) from wet-bulb temperature Twb (K), dry-bulb T (K) and pressure P (Pa).
double HumidityRatioFromWetBulb(double Twb, double T, double P, SatFormulation formulation);

// Wet-bulb temperature (K) by bisection on HumidityRatioFromWetBulb; passes as above.
double WetBulbFromHumidityRatio(double W, double T, double P, SatFormulation formulation,
                                int* passes = nullptr);

} // namespace hygrovane::engine
