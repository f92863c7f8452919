#include "comfort/pmv_zone.h"

#include "comfort/checks.h"
#include "comfort/pmv.h"
#include "comfort/root_finding.h"
#include "hygrovane/relations.h"

#include <cmath>
#include <limits>

namespace hygrovane::comfort {

namespace {

constexpr const char* kModel = "PMV comfort zone";
constexpr double kZeroCelsius = kCelsiusOffset; // K
// Relative-humidity step of the sampled boundaries, and the dry-bulb step along saturation.
constexpr int kHumiditySteps = 200;
constexpr double kSaturationStep = 0.05; // K
// Where boundaries are searched, K: 0 to 50 degC.
constexpr double kSearchLow = kZeroCelsius;
constexpr double kSearchHigh = kZeroCelsius + 50.0;

// The PMV of air at dry bulb T (K) and relative humidity phi (fraction); NaN where the model
// finds none. `coolingEffect` (K), when given, starts ASHRAE 55's cooling-effect search and takes
// its answer, so a sweep of nearby points reuses each one's for the next.
double PmvAt(const PmvZoneParameters& z, double T, double phi, double* coolingEffect = nullptr) {
    ThermalInputs in{.airTemperature = T - kZeroCelsius,
                     .meanRadiant = T - kZeroCelsius + z.radiantOffset,
                     .airSpeed = z.airSpeed,
                     .humidity = Humidity::Relative(100.0 * phi),
                     .metabolic = z.metabolic,
                     .clothing = z.clothing,
                     .externalWork = z.externalWork};
    if (z.model == PmvModel::Iso7730) {
        return PmvFanger(in.airTemperature, in.meanRadiant, in.airSpeed,
                         VapourPressureOf(in.humidity, in.airTemperature), in.metabolic,
                         in.clothing, in.externalWork);
    }
    Ashrae55Options options{Applicability::Unchecked, true};
    if (coolingEffect) {
        options.coolingEffectHint = *coolingEffect;
    }
    const auto r = PmvAshrae55(in, options);
    if (!r) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (coolingEffect) {
        *coolingEffect = r->coolingEffect;
    }
    return r->pmv;
}

// The |PMV| the zone allows.
double PmvBound(const PmvZoneParameters& z) {
    return z.ppd ? PmvMagnitudeAtPpd(*z.ppd) : z.pmvLimit;
}

bool Within(const PmvZoneParameters& z, double pmv) {
    if (std::isnan(pmv)) {
        return false;
    }
    return z.ppd ? PpdOf(pmv) <= *z.ppd : std::abs(pmv) <= z.pmvLimit;
}

ComfortResult<Done> CheckParameters(const PmvZoneParameters& z) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const detail::Bound bounds[] = {
        {ComfortInput::Metabolic, z.metabolic, 0.1, 10},
        {ComfortInput::Clothing, z.clothing, 0, 5},
        {ComfortInput::AirSpeed, z.airSpeed, 0, 5},
        {ComfortInput::ExternalWork, z.externalWork, 0, z.metabolic},
        {ComfortInput::MeanRadiant, z.radiantOffset, -30, 30},
        {ComfortInput::Limit, z.ppd ? *z.ppd : z.pmvLimit, z.ppd ? 5.0 + 1e-9 : 1e-9,
         z.ppd ? 99.0 : 3.0},
        {ComfortInput::Pressure, z.air.pressure, 5000, 1e6},
        {ComfortInput::HumidityRatio, z.maxHumidityRatio ? *z.maxHumidityRatio : 0.0, 0, inf}};
    return detail::CheckBounds(kModel, bounds);
}

} // namespace

ComfortResult<bool> InPmvZone(const PmvZoneParameters& z, const PlaneState& s) {
    if (const auto checked = CheckParameters(z); !checked) {
        return Fail(checked.error());
    }
    if (z.maxHumidityRatio && s.point.humidityRatio > *z.maxHumidityRatio) {
        return false;
    }
    return Within(z, PmvAt(z, s.point.dryBulb, s.relativeHumidity));
}

ComfortResult<bool> InPmvZone(const PmvZoneParameters& z, ChartPoint p) {
    if (const auto checked = CheckParameters(z); !checked) {
        return Fail(checked.error());
    }
    const ComfortResult<PlaneState> s = StateAt(p, z.air);
    if (!s) {
        return false; // above saturation or outside the core's range: no comfortable air there
    }
    return InPmvZone(z, *s);
}

namespace {

// One boundary followed from humidity to humidity: its last two dry bulbs (K) and the cooling
// effect (K) at the last one; NaN until known.
struct EdgeTrack {
    double edge = std::numeric_limits<double>::quiet_NaN();
    double before = std::numeric_limits<double>::quiet_NaN();
    double coolingEffect = std::numeric_limits<double>::quiet_NaN();
};

// The dry bulb where the zone's PMV reaches `target` at phi. The boundaries are smooth and nearly
// straight between samples, so first close to the line through the last two answers,
// then within 1 K of the last, else over the whole range.
double EdgeAt(const PmvZoneParameters& z, double phi, double target, EdgeTrack& track) {
    const auto f = [&](double t) { return PmvAt(z, t, phi, &track.coolingEffect) - target; };
    // K: the line's miss is below 1e-4 K on the zones tested; a bracket that tight lets the
    // search stop two steps after its ends, the wider ones catch a bend.
    constexpr double kNear[] = {2e-4, 0.01};
    double T = std::numeric_limits<double>::quiet_NaN();
    if (!std::isnan(track.edge)) {
        const double guess = std::isnan(track.before) ? track.edge : 2 * track.edge - track.before;
        for (const double near : kNear) {
            if (std::isnan(T)) {
                T = detail::FindRoot(f, guess - near, guess + near, 1e-9);
            }
        }
        if (std::isnan(T)) {
            T = detail::FindRoot(f, track.edge - 1.0, track.edge + 1.0, 1e-9);
        }
    }
    if (std::isnan(T)) {
        T = detail::FindRoot(f, kSearchLow, kSearchHigh, 1e-9);
    }
    track.before = track.edge;
    track.edge = T;
    return T;
}

struct EdgeTracks {
    EdgeTrack lower;
    EdgeTrack upper;
};

ComfortResult<ZoneEdges> EdgesNear(const PmvZoneParameters& z, double phi, EdgeTracks& tracks) {
    if (const auto checked = CheckParameters(z); !checked) {
        return Fail(checked.error());
    }
    const double bound = PmvBound(z);
    const ZoneEdges edges{EdgeAt(z, phi, -bound, tracks.lower),
                          EdgeAt(z, phi, bound, tracks.upper)};
    if (std::isnan(edges.lower) || std::isnan(edges.upper)) {
        return Fail(detail::NoSolution(kModel, ComfortInput::RelativeHumidity, 100 * phi,
                                       "no boundary between 0 and 50 degC"));
    }
    return edges;
}

} // namespace

ComfortResult<ZoneEdges> PmvZoneEdges(const PmvZoneParameters& z, double phi) {
    EdgeTracks fresh;
    return EdgesNear(z, phi, fresh);
}

ComfortResult<Polygon> SolvePmvZone(const PmvZoneParameters& z) {
    std::vector<ChartPoint> lower;
    std::vector<ChartPoint> upper;
    EdgeTracks tracks;
    for (int k = 0; k <= kHumiditySteps; ++k) {
        const double phi = static_cast<double>(k) / kHumiditySteps;
        const ComfortResult<ZoneEdges> edges = EdgesNear(z, phi, tracks);
        if (!edges) {
            return Fail(edges.error());
        }
        const auto wLow = HumidityRatioAt(edges->lower, phi, z.air);
        const auto wHigh = HumidityRatioAt(edges->upper, phi, z.air);
        if (!wLow || !wHigh) {
            return Fail(wLow ? wHigh.error() : wLow.error());
        }
        // Saturated corners and the dry edge lie a hair outside, so that hours on them count in.
        const double lift = k == kHumiditySteps ? 1 + kSaturationSlack : 1;
        const double drop = k == 0 ? -1e-12 : 0;
        lower.push_back({edges->lower, *wLow * lift + drop});
        upper.push_back({edges->upper, *wHigh * lift + drop});
    }
    Polygon outline = lower;
    // Along saturation from the cool boundary to the warm one.
    const double from = lower.back().dryBulb;
    const double to = upper.back().dryBulb;
    const int steps = static_cast<int>(std::ceil((to - from) / kSaturationStep));
    for (int k = 1; k < steps; ++k) {
        const double T = from + (to - from) * k / steps;
        const auto Ws = SaturationHumidityRatio(T, z.air);
        if (!Ws) {
            return Fail(Ws.error());
        }
        outline.push_back({T, *Ws * (1 + kSaturationSlack)});
    }
    outline.insert(outline.end(), upper.rbegin(), upper.rend());
    if (z.maxHumidityRatio) {
        outline = ClipAbove(outline, *z.maxHumidityRatio);
    }
    return outline;
}

} // namespace hygrovane::comfort
