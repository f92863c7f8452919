#include "comfort/band_zone.h"

#include "comfort/checks.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::comfort {

namespace {

constexpr const char* kModel = "zone";
constexpr double kStep = 0.05; // K between samples of a curved edge

ComfortResult<Done> CheckParameters(const BandZone& z) {
    const double inf = std::numeric_limits<double>::infinity();
    const detail::Bound bounds[] = {{ComfortInput::DryBulb, z.dryBulbLow, 0, inf},
                                    {ComfortInput::DryBulb, z.dryBulbHigh, z.dryBulbLow, inf},
                                    {ComfortInput::Limit, z.lower.value, -inf, inf},
                                    {ComfortInput::Limit, z.upper.value, -inf, inf}};
    return detail::CheckBounds(kModel, bounds);
}

// The humidity ratio on a bound at dry bulb T, the slack applied outwards (sign -1 below, +1
// above); NaN when the bound has no point at T (a wet bulb above the dry bulb).
double RatioOn(const HumidityBound& b, double T, int sign, const PlaneAir& air) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    switch (b.kind) {
    case HumidityBound::Kind::None:
        return sign < 0 ? -kHumidityRatioSlack : nan;
    case HumidityBound::Kind::HumidityRatio:
        return b.value + sign * kHumidityRatioSlack;
    case HumidityBound::Kind::RelativeHumidity: {
        const double phi = std::clamp(b.value + sign * kRelativeSlack, 0.0, 1.0);
        const auto W = HumidityRatioAt(T, phi, air);
        return W ? *W : nan;
    }
    case HumidityBound::Kind::WetBulb: {
        const double wetBulb = b.value + sign * kWetBulbSlack;
        if (wetBulb > T) {
            return nan; // the bound lies above saturation here
        }
        const auto W = HumidityRatioAtWetBulb(T, wetBulb, air);
        return W ? *W : nan;
    }
    }
    return nan;
}

// Whether the point satisfies a bound from below (sign -1) or above (+1).
bool Satisfies(const HumidityBound& b, const PlaneState& s, int sign) {
    const ChartPoint& p = s.point;
    const double phi = s.relativeHumidity;
    switch (b.kind) {
    case HumidityBound::Kind::None:
        return true;
    case HumidityBound::Kind::HumidityRatio:
        return sign < 0 ? p.humidityRatio >= b.value - kHumidityRatioSlack
                        : p.humidityRatio <= b.value + kHumidityRatioSlack;
    case HumidityBound::Kind::RelativeHumidity:
        return sign < 0 ? phi >= b.value - kRelativeSlack : phi <= b.value + kRelativeSlack;
    case HumidityBound::Kind::WetBulb:
        return sign < 0 ? s.wetBulb >= b.value - kWetBulbSlack
                        : s.wetBulb <= b.value + kWetBulbSlack;
    }
    return false;
}

} // namespace

ComfortResult<bool> InBandZone(const BandZone& z, const PlaneState& s) {
    if (const auto checked = CheckParameters(z); !checked) {
        return Fail(checked.error());
    }
    const double T = s.point.dryBulb;
    if (T < z.dryBulbLow - kDryBulbSlack || T > z.dryBulbHigh + kDryBulbSlack) {
        return false;
    }
    return Satisfies(z.lower, s, -1) && Satisfies(z.upper, s, +1);
}

ComfortResult<bool> InBandZone(const BandZone& z, ChartPoint p, const PlaneAir& air) {
    if (const auto checked = CheckParameters(z); !checked) {
        return Fail(checked.error());
    }
    const ComfortResult<PlaneState> s = StateAt(p, air);
    if (!s) {
        return false; // above saturation
    }
    return InBandZone(z, *s);
}

ComfortResult<Polygon> BandZoneOutline(const BandZone& z, const PlaneAir& air) {
    if (const auto checked = CheckParameters(z); !checked) {
        return Fail(checked.error());
    }
    const double from = z.dryBulbLow - kDryBulbSlack;
    const double to = z.dryBulbHigh + kDryBulbSlack;
    const int steps = std::max(1, static_cast<int>(std::ceil((to - from) / kStep)));
    Polygon bottom;
    Polygon top;
    for (int k = 0; k <= steps; ++k) {
        const double T = from + (to - from) * k / steps;
        const auto Ws = SaturationHumidityRatio(T, air);
        if (!Ws) {
            return Fail(Ws.error());
        }
        const double ceiling = *Ws * (1 + kSaturationSlack);
        double low = RatioOn(z.lower, T, -1, air);
        double high = RatioOn(z.upper, T, +1, air);
        if (std::isnan(low)) {
            low = ceiling; // a lower bound above saturation here: nothing of the zone
        }
        if (std::isnan(high) || high > ceiling) {
            high = ceiling;
        }
        if (low >= high) {
            low = high; // pinched: the outline runs along the top
        }
        bottom.push_back({T, low});
        top.push_back({T, high});
    }
    Polygon outline = bottom;
    outline.insert(outline.end(), top.rbegin(), top.rend());
    const bool empty = std::all_of(bottom.begin(), bottom.end(), [&](const ChartPoint& p) {
        const auto i = &p - bottom.data();
        return p.humidityRatio >= top[static_cast<std::size_t>(i)].humidityRatio;
    });
    if (empty) {
        outline.clear();
    }
    return outline;
}

} // namespace hygrovane::comfort
