#pragma once

// The chart's plane: dry bulb (K) across, humidity ratio (kg/kg) up. Zones are polygons in it;
// the moist-air core maps between it and the humidity quantities the models take.

#include "comfort/comfort_error.h"
#include "hygrovane/chart_point.h"
#include "hygrovane/sat_formulation.h"

#include <vector>

namespace hygrovane::comfort {

// Points of the plane are the chart's own (hygrovane::ChartPoint, K and kg/kg).

// A closed polygon: the last corner joins the first.
using Polygon = std::vector<ChartPoint>;

// The air the plane is drawn for.
struct PlaneAir {
    double pressure = 101325; // Pa
    SatFormulation formulation = SatFormulation::IAPWS;
};

// Whether the point lies inside the polygon (even-odd rule, a ray to the right); a point on an
// edge may fall either way, as with any crossing test.
bool Contains(const Polygon& polygon, ChartPoint point);

// The part of the polygon at or below the humidity ratio (Sutherland-Hodgman against one line).
Polygon ClipAbove(const Polygon& polygon, double humidityRatio);

// The relative slack within which a humidity ratio above saturation still counts as saturated
// (the round-off of the core's own 100 % state and of its 32-bit dry bulb), and by which outlines
// closed along saturation lie above it, so that saturated hours count inside as the per-hour rules
// count them.
inline constexpr double kSaturationSlack = 1e-5;

// By the core, at the air's pressure and formulation; dry bulbs in K, relative humidity as a
// fraction 0..1. Failures carry the core's description.
ComfortResult<double> HumidityRatioAt(double dryBulb, double relativeHumidity, const PlaneAir& air);
ComfortResult<double> RelativeHumidityAt(ChartPoint point, const PlaneAir& air);
// A chart point with the humidity quantities the zones' rules read, so that a year of hours is
// solved by the core once rather than once per zone: fill it from the hour's MoistAirState or by
// StateAt.
struct PlaneState {
    // Not an aggregate, so that a braced {dry bulb, humidity ratio} means a ChartPoint.
    PlaneState() = default;
    PlaneState(ChartPoint p, double phi, double Twb)
        : point(p), relativeHumidity(phi), wetBulb(Twb) {}

    ChartPoint point;
    double relativeHumidity = 0; // fraction 0..1
    double wetBulb = 0;          // K
};

// The state of a chart point by the core; refused above saturation (beyond the slack) or
// outside the core's range.
ComfortResult<PlaneState> StateAt(ChartPoint point, const PlaneAir& air);

// The water vapour partial pressure (Pa) of a chart point, for the models' Humidity::Pressure.
ComfortResult<double> VapourPressureAt(ChartPoint point, const PlaneAir& air);
ComfortResult<double> WetBulbAt(ChartPoint point, const PlaneAir& air);
ComfortResult<double> HumidityRatioAtWetBulb(double dryBulb, double wetBulb, const PlaneAir& air);
ComfortResult<double> SaturationHumidityRatio(double dryBulb, const PlaneAir& air);

} // namespace hygrovane::comfort
