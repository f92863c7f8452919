#include "envelopes/outline.h"

#include "comfort/pmv_zone.h"

#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::envelopes {

namespace {

constexpr double kEpsilon = 0.62198; // as the judge has it
constexpr double kStep = 0.05;       // K between points of a curved edge
constexpr double kCornerTolerance = 1e-9;

// The vapour pressures (Pa) an envelope allows at one dry bulb, and which edge sets each end
// (-1: none, -2: saturation or the bounds), so that a change of edge marks a corner.
struct Interval {
    double lowest = 0;
    double highest = 0;
    int lowestEdge = -1;
    int highestEdge = -1;
    bool holds() const { return lowest <= highest; }
};

class Tracer {
  public:
    Tracer(const Envelope& envelope, double pressure, const OutlineBounds& bounds,
           SatFormulation formulation)
        : envelope_(envelope), pressure_(pressure), bounds_(bounds), formulation_(formulation) {
        for (const Edge& edge : envelope.edges) {
            dewLimits_.push_back(edge.quantity == Quantity::DewPoint
                                     ? DewLimitPressure(edge.value, edge.reading, formulation)
                                     : 0.0);
        }
    }

    Interval At(double T) const {
        Interval in;
        in.lowest = 0;
        in.highest = std::min(Saturation(T), PressureOf(bounds_.highestHumidityRatio));
        in.highestEdge = -2;
        const double t = T - kCelsiusOffset;
        for (std::size_t i = 0; i < envelope_.edges.size(); ++i) {
            const Edge& edge = envelope_.edges[i];
            double p = 0;
            switch (edge.quantity) {
            case Quantity::DryBulb:
                continue;
            case Quantity::DewPoint:
                p = dewLimits_[i];
                break;
            case Quantity::RelativeHumidity:
                p = edge.value * Saturation(T);
                break;
            case Quantity::HumidityRatio:
                p = PressureOf(edge.value);
                break;
            case Quantity::Enthalpy: {
                const double W = (edge.value - kDryAirSpecificHeat * t) /
                                 (kLatentHeatAt0C + kVapourSpecificHeat * t);
                p = W <= 0 ? 0 : PressureOf(W);
                break;
            }
            }
            if (edge.side == Side::Lowest && p > in.lowest) {
                in.lowest = p;
                in.lowestEdge = static_cast<int>(i);
            } else if (edge.side == Side::Highest && p < in.highest) {
                in.highest = p;
                in.highestEdge = static_cast<int>(i);
            }
        }
        return in;
    }

    // The dry bulbs the dry-bulb edges and the bounds leave.
    void DryBulbs(double& low, double& high) const {
        low = bounds_.lowestDryBulb;
        high = bounds_.highestDryBulb;
        for (const Edge& edge : envelope_.edges) {
            if (edge.quantity == Quantity::DryBulb) {
                (edge.side == Side::Lowest ? low : high) = edge.side == Side::Lowest
                                                               ? std::max(low, edge.value)
                                                               : std::min(high, edge.value);
            }
        }
    }

    double RatioOf(double p) const { return kEpsilon * p / (pressure_ - p); }

  private:
    double Saturation(double T) const {
        const auto p = SaturationPressureAt(T, formulation_);
        return p ? *p : std::numeric_limits<double>::quiet_NaN();
    }
    double PressureOf(double W) const { return W * pressure_ / (kEpsilon + W); }

    const Envelope& envelope_;
    double pressure_;
    OutlineBounds bounds_;
    SatFormulation formulation_;
    std::vector<double> dewLimits_;
};

// What a sample's interval tells apart from its neighbour's: a corner lies between two that
// differ.
bool SameShape(const Interval& a, const Interval& b) {
    return a.holds() == b.holds() && a.lowestEdge == b.lowestEdge && a.highestEdge == b.highestEdge;
}

} // namespace

std::vector<Polyline> TraceOutline(const Envelope& envelope, double pressure,
                                   const OutlineBounds& bounds, SatFormulation formulation) {
    if (envelope.collection) {
        return {}; // limits around a set point the series gives: no outline on the chart
    }
    if (envelope.pmv) {
        // The comfort library's outline, sampled to count the hours its rule counts.
        comfort::PmvZoneParameters p;
        p.model = comfort::PmvModel::Ashrae55;
        p.clothing = envelope.pmv->clothing;
        p.metabolic = envelope.pmv->metabolic;
        p.airSpeed = envelope.pmv->airSpeed;
        p.air = {pressure, formulation};
        auto zone = comfort::SolvePmvZone(p);
        if (!zone || zone->size() < 3) {
            return {};
        }
        return {Polyline(zone->begin(), zone->end())};
    }
    const Tracer tracer(envelope, pressure, bounds, formulation);
    double low = 0, high = 0;
    tracer.DryBulbs(low, high);
    if (!(low <= high) || !(pressure > 0)) {
        return {};
    }

    // The dry bulbs to sample: every step, and each corner between two samples of another shape.
    std::vector<double> dryBulbs;
    const int steps = std::max(1, static_cast<int>(std::ceil((high - low) / kStep)));
    double previousT = low;
    Interval previous = tracer.At(low);
    dryBulbs.push_back(low);
    for (int k = 1; k <= steps; ++k) {
        const double T = k == steps ? high : low + (high - low) * k / steps;
        const Interval here = tracer.At(T);
        if (!SameShape(previous, here)) {
            double a = previousT, b = T;
            while (b - a > kCornerTolerance) {
                const double middle = 0.5 * (a + b);
                (SameShape(previous, tracer.At(middle)) ? a : b) = middle;
            }
            // Both sides of the corner: where the ends meet, a stretch starts or ends exactly.
            dryBulbs.push_back(a);
            dryBulbs.push_back(b);
        }
        dryBulbs.push_back(T);
        previousT = T;
        previous = here;
    }

    std::vector<Polyline> outlines;
    Polyline lower, upper;
    const auto close = [&] {
        if (lower.size() >= 2) {
            Polyline outline = lower;
            outline.insert(outline.end(), upper.rbegin(), upper.rend());
            outlines.push_back(std::move(outline));
        }
        lower.clear();
        upper.clear();
    };
    for (const double T : dryBulbs) {
        const Interval in = tracer.At(T);
        if (!in.holds() || !std::isfinite(in.highest)) {
            close();
            continue;
        }
        const ChartPoint bottom{T, tracer.RatioOf(in.lowest)};
        const ChartPoint top{T, tracer.RatioOf(std::max(in.lowest, in.highest))};
        if (!lower.empty() && lower.back() == bottom && upper.back() == top) {
            continue;
        }
        lower.push_back(bottom);
        upper.push_back(top);
    }
    close();
    return outlines;
}

} // namespace hygrovane::envelopes
