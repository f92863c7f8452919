#include "envelopes/envelope.h"

#include "comfort/pmv_zone.h"
#include "hygrovane/conditions.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::envelopes {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kEpsilon = 0.62198; // molar mass of water over that of dry air, as the core has it
constexpr double kTripleT = 273.16;  // K
// Saturation above this relative humidity is not air the core accepts. The margin holds the
// core's own saturated states, solved at a dry bulb held in 32 bits (a few parts in 1e8 apart).
constexpr double kMostRelativeHumidity = 1 + 1e-6;

// Hyland & Wexler (1983) over liquid water, ln(p / Pa), ASHRAE Handbook of Fundamentals chapter 1:
// the one formula the handbook gives for supercooled water, valid from -100 degC.
double SupercooledWaterPressure(double T) {
    const double lnP = -5800.2206 / T + 1.3914993 +
                       T * (-0.048640239 + T * (4.1764768e-05 + T * -1.4452093e-08)) +
                       6.5459673 * std::log(T);
    return std::exp(lnP);
}

double Saturation(double T, SatFormulation formulation) {
    const auto p = SaturationPressureAt(T, formulation);
    return p ? *p : kNaN;
}

// The core's dew point of a vapour pressure; the lowest dew point for dry air.
// A distance beyond an edge needs a dew point to a thousandth of a kelvin, not the core's last
// digit: Newton's steps on the core's own p_ws from the Magnus estimate (its slope within 2 %)
// reach 1e-5 K in two, where the core's search takes many more evaluations.
double DewPointOf(double vapourPressure, SatFormulation formulation) {
    if (!(vapourPressure > 0)) {
        return kLowestDewPoint;
    }
    const double lnP = std::log(vapourPressure);
    const bool ice = vapourPressure < 611.657;
    const double a = ice ? 22.46 : 17.62, b = ice ? 272.62 : 243.12; // Magnus, over ice or water
    const double x = lnP - std::log(611.2);
    double t = b * x / (a - x);
    for (int step = 0; step < 2; ++step) {
        const double p = Saturation(t + kCelsiusOffset, formulation);
        if (!(p > 0)) {
            break;
        }
        const double slope = a * b / ((b + t) * (b + t));
        const double change = (std::log(p) - lnP) / slope;
        t -= change;
    }
    const double T = t + kCelsiusOffset;
    if (std::isfinite(T) && T > kLowestDryBulb && T < kHighestDryBulb) {
        return T;
    }
    const auto solved = SaturationTemperatureAt(vapourPressure, formulation);
    return solved ? *solved : kNaN;
}

// The vapour pressure of air holding W at P.
double VapourPressureAt(double W, double P) {
    return W * P / (kEpsilon + W);
}

} // namespace

double DewLimitPressure(double dewPoint, DewReading reading, SatFormulation formulation) {
    if (reading == DewReading::OverWater && dewPoint < kTripleT) {
        return SupercooledWaterPressure(dewPoint);
    }
    return Saturation(dewPoint, formulation);
}

double VapourPressureOf(const Air& air) {
    return VapourPressureAt(air.humidityRatio, air.pressure);
}

Judge::Judge(const Envelope& envelope, SatFormulation formulation)
    : envelope_(envelope), formulation_(formulation) {
    limits_.reserve(envelope_.edges.size());
    for (const Edge& edge : envelope_.edges) {
        limits_.push_back(edge.quantity == Quantity::DewPoint
                              ? DewLimitPressure(edge.value, edge.reading, formulation_)
                              : edge.value);
    }
}

bool Judge::Satisfies(const Edge& edge, double limit, const Air& air, double vapourPressure,
                      double saturation) const {
    double value = kNaN;
    switch (edge.quantity) {
    case Quantity::DryBulb:
        value = air.dryBulb;
        break;
    case Quantity::DewPoint:
        value = vapourPressure; // against the limit's vapour pressure: no dew point to solve
        break;
    case Quantity::RelativeHumidity:
        // RelativeHumidityAt's relation, its p_ws found once. A reading on the limit stays on it:
        // the core solves states at a dry bulb held in 32 bits, so a logger's 80 % recomputes up
        // to a few parts in 1e7 off; within kMostRelativeHumidity's margin it is the limit.
        value = vapourPressure / saturation;
        if (std::abs(value - edge.value) <= (kMostRelativeHumidity - 1) * edge.value) {
            return true;
        }
        break;
    case Quantity::HumidityRatio:
        value = air.humidityRatio;
        break;
    case Quantity::Enthalpy: {
        const auto h = EnthalpyAt(air.dryBulb, air.humidityRatio);
        value = h ? *h : kNaN;
        break;
    }
    }
    return edge.side == Side::Lowest ? value >= limit : value <= limit;
}

Verdict Judge::Test(const Air& air) const {
    double pw = 0, saturation = 0;
    return Test(air, pw, saturation);
}

Verdict Judge::Test(const Air& air, double& pw, double& saturation) const {
    const bool finite = std::isfinite(air.dryBulb) && std::isfinite(air.humidityRatio) &&
                        std::isfinite(air.pressure);
    if (!finite || air.dryBulb < kLowestDryBulb || air.dryBulb > kHighestDryBulb ||
        air.pressure < kLowestPressure || air.pressure > kHighestPressure ||
        air.humidityRatio < 0) {
        return Verdict::Invalid;
    }
    pw = VapourPressureOf(air);
    saturation = Saturation(air.dryBulb, formulation_);
    if (!(saturation < air.pressure) || !(pw <= saturation * kMostRelativeHumidity)) {
        return Verdict::Invalid;
    }
    for (std::size_t i = 0; i < limits_.size(); ++i) {
        if (!Satisfies(envelope_.edges[i], limits_[i], air, pw, saturation)) {
            return Verdict::Outside;
        }
    }
    return envelope_.pmv ? TestPmv(air) : Verdict::Inside;
}

namespace {

comfort::PmvZoneParameters PmvParameters(const PmvInputs& inputs, double pressure,
                                         SatFormulation formulation) {
    comfort::PmvZoneParameters p;
    p.model = comfort::PmvModel::Ashrae55;
    p.clothing = inputs.clothing;
    p.metabolic = inputs.metabolic;
    p.airSpeed = inputs.airSpeed;
    p.air = {pressure, formulation};
    return p;
}

} // namespace

Verdict Judge::TestPmv(const Air& air) const {
    const auto inside =
        comfort::InPmvZone(PmvParameters(*envelope_.pmv, air.pressure, formulation_),
                           ChartPoint{air.dryBulb, air.humidityRatio});
    if (!inside) {
        return Verdict::Invalid;
    }
    return *inside ? Verdict::Inside : Verdict::Outside;
}

double Judge::PmvBeyond(const Air& air, double relativeHumidity) const {
    const auto edges = comfort::PmvZoneEdges(
        PmvParameters(*envelope_.pmv, air.pressure, formulation_), relativeHumidity);
    if (!edges) {
        return 0;
    }
    return std::max({0.0, edges->lower - air.dryBulb, air.dryBulb - edges->upper});
}

double Judge::DewPointBeyond(const Air& air, double vapourPressure, double saturation) const {
    // The interval of vapour pressures the humidity edges allow at this dry bulb and pressure.
    double lowest = 0;
    double highest = std::numeric_limits<double>::infinity();
    const double T = air.dryBulb;
    const double t = T - kCelsiusOffset;
    for (std::size_t i = 0; i < limits_.size(); ++i) {
        const Edge& edge = envelope_.edges[i];
        double p = kNaN;
        switch (edge.quantity) {
        case Quantity::DryBulb:
            continue;
        case Quantity::DewPoint:
            p = limits_[i];
            break;
        case Quantity::RelativeHumidity:
            p = edge.value * saturation;
            break;
        case Quantity::HumidityRatio:
            p = VapourPressureAt(edge.value, air.pressure);
            break;
        case Quantity::Enthalpy: {
            const double W = (edge.value - kDryAirSpecificHeat * t) /
                             (kLatentHeatAt0C + kVapourSpecificHeat * t);
            p = W <= 0 ? 0 : VapourPressureAt(W, air.pressure);
            break;
        }
        }
        if (edge.side == Side::Lowest) {
            lowest = std::max(lowest, p);
        } else {
            highest = std::min(highest, p);
        }
    }
    if (vapourPressure >= lowest && vapourPressure <= highest) {
        return 0; // no dew point to solve
    }
    const double dewPoint = DewPointOf(vapourPressure, formulation_);
    double beyond = 0;
    if (vapourPressure < lowest) {
        beyond = std::max(beyond, DewPointOf(lowest, formulation_) - dewPoint);
    }
    if (vapourPressure > highest) {
        beyond = std::max(beyond, dewPoint - DewPointOf(highest, formulation_));
    }
    return beyond;
}

Judgement Judge::Assess(const Air& air) const {
    Judgement judgement;
    double pw = 0, saturation = 0;
    judgement.verdict = Test(air, pw, saturation);
    if (judgement.verdict != Verdict::Outside) {
        return judgement;
    }
    double dryBulb = 0;
    for (const Edge& edge : envelope_.edges) {
        if (edge.quantity != Quantity::DryBulb) {
            continue;
        }
        dryBulb = std::max(dryBulb, edge.side == Side::Lowest ? edge.value - air.dryBulb
                                                              : air.dryBulb - edge.value);
    }
    double beyond = std::max(dryBulb, DewPointBeyond(air, pw, saturation));
    if (envelope_.pmv) {
        beyond = std::max(beyond, PmvBeyond(air, pw / saturation));
    }
    judgement.beyond = std::isfinite(beyond) ? beyond : 0;
    MoistureBeyond(air, pw, saturation, judgement);
    return judgement;
}

void Judge::MoistureBeyond(const Air& air, double vapourPressure, double saturation,
                           Judgement& judgement) const {
    // Humidity-ratio and dew-point edges as vapour pressures, relative-humidity edges as such.
    double lowestPressure = 0, highestPressure = std::numeric_limits<double>::infinity();
    double lowestHumidity = 0, highestHumidity = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < limits_.size(); ++i) {
        const Edge& edge = envelope_.edges[i];
        double* pressure = edge.side == Side::Lowest ? &lowestPressure : &highestPressure;
        double* humidity = edge.side == Side::Lowest ? &lowestHumidity : &highestHumidity;
        const auto narrow = [&edge](double* bound, double value) {
            *bound = edge.side == Side::Lowest ? std::max(*bound, value) : std::min(*bound, value);
        };
        if (edge.quantity == Quantity::DewPoint) {
            narrow(pressure, limits_[i]);
        } else if (edge.quantity == Quantity::HumidityRatio) {
            narrow(pressure, VapourPressureAt(edge.value, air.pressure));
        } else if (edge.quantity == Quantity::RelativeHumidity) {
            narrow(humidity, edge.value);
        }
    }
    const auto ratio = [&air](double p) { return kEpsilon * p / (air.pressure - p); };
    double grams = 0;
    if (vapourPressure < lowestPressure) {
        grams = 1000 * (ratio(lowestPressure) - air.humidityRatio);
    } else if (vapourPressure > highestPressure) {
        grams = 1000 * (air.humidityRatio - ratio(highestPressure));
    }
    const double humidity = vapourPressure / saturation;
    double percent = 0;
    if (humidity < lowestHumidity) {
        percent = 100 * (lowestHumidity - humidity);
    } else if (humidity > highestHumidity) {
        percent = 100 * (humidity - highestHumidity);
    }
    judgement.gramsBeyond = std::isfinite(grams) ? std::max(grams, 0.0) : 0;
    judgement.percentBeyond = std::isfinite(percent) ? std::max(percent, 0.0) : 0;
}

} // namespace hygrovane::envelopes
