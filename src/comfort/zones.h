#pragma once

// Comfort zones on the chart plane besides the PMV zone (pmv_zone.h): the adaptive models' bands
// for a prevailing mean outdoor temperature, the chart's fixed zones, and zones the user types.
// Each has an outline to draw and a per-hour rule that counts the same hours.

#include "comfort/band_zone.h"
#include "comfort/comfort_error.h"
#include "comfort/plane.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace hygrovane::comfort {

enum class AdaptiveZoneModel {
    Ashrae55Acceptability80,
    Ashrae55Acceptability90,
    En16798CategoryI,
    En16798CategoryII,
    En16798CategoryIII,
};

struct AdaptiveZoneParameters {
    AdaptiveZoneModel model = AdaptiveZoneModel::Ashrae55Acceptability80;
    double prevailingMean = 20; // degC: ASHRAE's t_pma(out) or EN's theta_rm (running_mean.h)
    double airSpeed = 0.1;      // m/s; from 0.6 m/s the upper limit widens (adaptive.h)
    double radiantOffset = 0;   // K: t_r = t_a + offset
    std::optional<double> maxHumidityRatio; // kg/kg; neither standard limits humidity
    PlaneAir air;
};

// The zone as a band of dry bulbs: the operative limits of the model turned into air
// temperatures (t_a = t_o - (1 - A) offset, A of ASHRAE 55 Appendix A). The air-speed allowance
// applies when the upper limit lies above 25 degC, where the standards grant it. Refused outside
// the model's range of prevailing mean outdoor temperatures.
ComfortResult<BandZone> AdaptiveZone(const AdaptiveZoneParameters& zone);
ComfortResult<bool> InAdaptiveZone(const AdaptiveZoneParameters& zone, ChartPoint point);
ComfortResult<bool> InAdaptiveZone(const AdaptiveZoneParameters& zone, const PlaneState& state);
ComfortResult<Polygon> SolveAdaptiveZone(const AdaptiveZoneParameters& zone);

// A zone given by dry bulb (K) and relative humidity (fraction) limits: the shape of the chart's
// fixed winter and summer zones (their limits stay with the chart, src/chart/chart_geometry.cpp).
BandZone DryBulbHumidityZone(double dryBulbLow, double dryBulbHigh, double relativeLow,
                             double relativeHigh);

// A zone typed by the user as the corners of a polygon, in order.
struct UserZone {
    enum class Corners {
        HumidityRatio,    // (dry bulb K, humidity ratio kg/kg): straight edges on the chart
        RelativeHumidity, // (dry bulb K, relative humidity 0..1): edges straight in those two
    };
    std::string name;
    Corners corners = Corners::HumidityRatio;
    std::vector<std::pair<double, double>> points;
};

// At least three corners, all numbers, dry bulbs above 0 K, humidities not negative (relative
// humidities at most 1).
ComfortResult<Done> CheckUserZone(const UserZone& zone);
// The rule: inside the polygon of the corners, in the plane they are given in (the point's
// relative humidity from the core for RelativeHumidity corners) and below saturation.
ComfortResult<bool> InUserZone(const UserZone& zone, ChartPoint point, const PlaneAir& air);
ComfortResult<bool> InUserZone(const UserZone& zone, const PlaneState& state);
// The outline: the corners themselves, or each edge of relative-humidity corners followed in
// steps of at most 0.05 K and 0.1 % relative humidity and mapped by the core.
ComfortResult<Polygon> UserZoneOutline(const UserZone& zone, const PlaneAir& air);

} // namespace hygrovane::comfort
