#include "chart/chart_projection.h"

#include "hygrovane/relations.h"

#include <algorithm>

namespace hygrovane::chart {

// The core's constants of the enthalpy relation: kDryAirSpecificHeat (cpa, kJ/(kg K)),
// kLatentHeatAt0C (r0, kJ/kg), kVapourSpecificHeat (cpv, kJ/(kg K)); and kCelsiusOffset.

std::string_view ProjectionName(Projection projection) {
    return projection == Projection::Mollier ? "mollier" : "psychrometric";
}

std::optional<Projection> ProjectionNamed(std::string_view name) {
    if (name == "psychrometric") {
        return Projection::Psychrometric;
    }
    if (name == "mollier") {
        return Projection::Mollier;
    }
    return std::nullopt;
}

PlanePoint ToPlane(Projection projection, ChartPoint p) {
    if (projection == Projection::Psychrometric) {
        return {p.dryBulb, p.humidityRatio};
    }
    // h = cpa t + W (r0 + cpv t), the core's enthalpy in its operand order (written out here
    // rather than called, as the core's throws on what a mouse far off the plot can give);
    // y = h - r0 W is the skew that levels the 0 °C isotherm.
    const double t = p.dryBulb - kCelsiusOffset;
    const double W = p.humidityRatio;
    const double h = kDryAirSpecificHeat * t + W * (kLatentHeatAt0C + kVapourSpecificHeat * t);
    return {W, h - kLatentHeatAt0C * W};
}

ChartPoint FromPlane(Projection projection, PlanePoint p) {
    if (projection == Projection::Psychrometric) {
        return {p.x, p.y};
    }
    const double W = p.x;
    // h - r0 W = cpa t + W cpv t, so t = y / (cpa + W cpv).
    const double t = p.y / (kDryAirSpecificHeat + W * kVapourSpecificHeat);
    return {t + kCelsiusOffset, W};
}

PlaneBounds BoundsOf(Projection projection, const ChartRange& r) {
    if (projection == Projection::Psychrometric) {
        return {r.dryBulbMin, r.dryBulbMax, r.humidityRatioMin, r.humidityRatioMax};
    }
    const double low = std::min(ToPlane(projection, {r.dryBulbMin, r.humidityRatioMin}).y,
                                ToPlane(projection, {r.dryBulbMin, r.humidityRatioMax}).y);
    const double high = std::max(ToPlane(projection, {r.dryBulbMax, r.humidityRatioMin}).y,
                                 ToPlane(projection, {r.dryBulbMax, r.humidityRatioMax}).y);
    return {r.humidityRatioMin, r.humidityRatioMax, low, high};
}

std::optional<FogLine> FogIsotherm(double dryBulb, double saturatedRatio, const ChartRange& r) {
    if (!(saturatedRatio >= r.humidityRatioMin && saturatedRatio < r.humidityRatioMax)) {
        return std::nullopt;
    }
    const double t = dryBulb - kCelsiusOffset;
    const double water = t >= 0 ? 4.186 * t : -333.4 + 2.09 * t; // kJ/kg of the condensate
    const PlanePoint start = ToPlane(Projection::Mollier, {dryBulb, saturatedRatio});
    const double slope = water - kLatentHeatAt0C; // dy/dW
    const PlaneBounds bounds = BoundsOf(Projection::Mollier, r);
    double endW = r.humidityRatioMax;
    if (start.y + slope * (endW - saturatedRatio) < bounds.yMin) {
        endW = saturatedRatio + (bounds.yMin - start.y) / slope;
    }
    if (!(endW > saturatedRatio)) {
        return std::nullopt;
    }
    const PlanePoint end{endW, start.y + slope * (endW - saturatedRatio)};
    return FogLine{FromPlane(Projection::Mollier, start), FromPlane(Projection::Mollier, end)};
}

} // namespace hygrovane::chart
