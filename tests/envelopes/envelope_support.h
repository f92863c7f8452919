#pragma once

// Readings for the envelope tests, built from degC, % and dew points through the core's relations.

#include "envelopes/envelope.h"

namespace hygrovane::envelopes::test {

inline constexpr double kSeaLevel = 101325; // Pa

// Air at t degC holding the vapour pressure pw (Pa) at P.
Air AirWithVapour(double t, double pw, double P = kSeaLevel);
// Air at t degC and rh % at P.
Air AirAt(double t, double rh, double P = kSeaLevel);
// Air at t degC whose core dew point (a frost point below 0 degC) is dew degC, at P.
Air AirWithDewPoint(double t, double dew, double P = kSeaLevel);
// The core's saturation pressure at t degC, Pa.
double SaturationAt(double t);

} // namespace hygrovane::envelopes::test
