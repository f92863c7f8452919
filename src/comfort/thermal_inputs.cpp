#include "comfort/thermal_inputs.h"

#include <cmath>

namespace hygrovane::comfort {

double SaturationPressureAntoine(double t) {
    // ISO 7730:2005 Annex D: p_a = RH * 10 * exp(16.6536 - 4030.183 / (t_a + 235)), Pa, with RH
    // in %; so the saturation pressure is 1000 exp(...) Pa.
    return 1000.0 * std::exp(16.6536 - 4030.183 / (t + 235.0));
}

double VapourPressureOf(const Humidity& humidity, double airTemperature) {
    if (humidity.kind == Humidity::Kind::VapourPressure) {
        return humidity.value;
    }
    return humidity.value / 100.0 * SaturationPressureAntoine(airTemperature);
}

} // namespace hygrovane::comfort
