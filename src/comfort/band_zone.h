#pragma once

// A zone bounded by two dry bulbs and, below and above, by a humidity ratio, a relative humidity
// or a wet bulb, never above saturation: the shape of the adaptive zones, the chart's fixed zones
// and the passive-strategy zones. Its per-hour rule and its drawn outline share the same bounds:
// every bound is widened outwards by a slack far below any weather file's resolution (1e-4 K,
// 1e-4 relative humidity, 1e-9 kg/kg), so that an hour lying exactly on a bound (a file's 40 %
// on a 40 % edge) counts inside by both, whatever the round-off of its chart point.

#include "comfort/comfort_error.h"
#include "comfort/plane.h"

namespace hygrovane::comfort {

struct HumidityBound {
    enum class Kind { HumidityRatio, RelativeHumidity, WetBulb, None };
    Kind kind = Kind::None; // None: dry air below, saturation above
    double value = 0;       // kg/kg, fraction 0..1, or K

    static HumidityBound Ratio(double W) { return {Kind::HumidityRatio, W}; }
    static HumidityBound Relative(double phi) { return {Kind::RelativeHumidity, phi}; }
    static HumidityBound WetBulbOf(double T) { return {Kind::WetBulb, T}; }
};

struct BandZone {
    double dryBulbLow = 0;  // K
    double dryBulbHigh = 0; // K
    HumidityBound lower;    // None: from dry air
    HumidityBound upper;    // None: up to saturation
};

inline constexpr double kDryBulbSlack = 1e-4;       // K
inline constexpr double kRelativeSlack = 1e-4;      // fraction
inline constexpr double kHumidityRatioSlack = 1e-9; // kg/kg
inline constexpr double kWetBulbSlack = 1e-4;       // K

// Whether the point lies in the zone (bounds widened by the slack); refused for a zone whose
// bounds are not numbers or run backwards.
ComfortResult<bool> InBandZone(const BandZone& zone, ChartPoint point, const PlaneAir& air);
// The same for a point whose state is known (a year of hours solved once).
ComfortResult<bool> InBandZone(const BandZone& zone, const PlaneState& state);

// The outline: the lower bound from the cool side to the warm one, the upper bound (or
// saturation, whichever is lower) back, sampled every 0.05 K. An empty polygon when the bounds
// leave no room (a lower bound above saturation all along).
ComfortResult<Polygon> BandZoneOutline(const BandZone& zone, const PlaneAir& air);

} // namespace hygrovane::comfort
