#pragma once

namespace hygrovane::engine {

// Standard atmosphere: pressure (Pa) at altitude z (m), single precision.
float PressureFromAltitude(double z);

// Standard atmosphere: altitude (m) at pressure p (Pa), single precision.
float AltitudeFromPressure(double p);

} // namespace hygrovane::engine
