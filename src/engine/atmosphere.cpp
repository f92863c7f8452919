#include "engine/atmosphere.h"

#include "engine/checked_math.h"

namespace hygrovane::engine {

namespace {

// Standard atmosphere (troposphere): p = 101325 Pa * (1 - 2.25577E-05 / m * z) ^ 5.2559.
constexpr double seaLevelPressure = 101325;  // Pa
constexpr double lapseCoefficient = 2.25577; // per 100000 m
constexpr double lapseLength = 100000;       // m
constexpr double exponent = 5.2559;          // dimensionless

} // namespace

float PressureFromAltitude(double z) {
    const double a = (checkedFinite(z) * lapseCoefficient) / lapseLength;
    const double b = 1 - a;
    const double p = checkedPow(b, exponent) * seaLevelPressure;
    // Kept in single precision.
    return checkedSingle(p);
}

float AltitudeFromPressure(double p) {
    const double e = 1 / exponent;
    const double r = checkedPow(p / seaLevelPressure, e);
    const double z = (lapseLength * (1 - r)) / lapseCoefficient;
    return checkedSingle(z);
}

} // namespace hygrovane::engine
