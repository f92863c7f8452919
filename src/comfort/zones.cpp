#include "comfort/zones.h"

#include "comfort/adaptive.h"
#include "comfort/checks.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::comfort {

namespace {
constexpr double kZeroCelsius = kCelsiusOffset; // K
}

ComfortResult<BandZone> AdaptiveZone(const AdaptiveZoneParameters& z) {
    const detail::Bound bounds[] = {{ComfortInput::MeanRadiant, z.radiantOffset, -30, 30}};
    if (const auto checked = detail::CheckBounds("adaptive zone", bounds); !checked) {
        return Fail(checked.error());
    }
    double lower = 0;
    double upper = 0;
    double allowance = 0;
    // The limits do not depend on the operative temperature but for the allowance: ask the model
    // at 25 degC operative (no allowance there) and add the allowance where the upper limit lies
    // above 25 degC.
    switch (z.model) {
    case AdaptiveZoneModel::Ashrae55Acceptability80:
    case AdaptiveZoneModel::Ashrae55Acceptability90: {
        const auto r = AdaptiveAshrae55Of(25, 25, z.airSpeed, z.prevailingMean);
        if (!r) {
            return Fail(r.error());
        }
        const bool eighty = z.model == AdaptiveZoneModel::Ashrae55Acceptability80;
        lower = eighty ? r->lower80 : r->lower90;
        upper = eighty ? r->upper80 : r->upper90;
        allowance = AdaptiveCoolingAllowance(upper, z.airSpeed);
        break;
    }
    case AdaptiveZoneModel::En16798CategoryI:
    case AdaptiveZoneModel::En16798CategoryII:
    case AdaptiveZoneModel::En16798CategoryIII: {
        const auto r = AdaptiveEn16798Of(25, 25, z.airSpeed, z.prevailingMean);
        if (!r) {
            return Fail(r.error());
        }
        const int c =
            static_cast<int>(z.model) - static_cast<int>(AdaptiveZoneModel::En16798CategoryI);
        lower = r->lower[c];
        upper = r->upper[c];
        allowance = AdaptiveCoolingAllowance(upper, z.airSpeed);
        break;
    }
    }
    // t_o = A t_a + (1 - A) t_r with t_r = t_a + offset gives t_a = t_o - (1 - A) offset.
    const double a = z.airSpeed < 0.2 ? 0.5 : z.airSpeed < 0.6 ? 0.6 : 0.7;
    const double shift = (1 - a) * z.radiantOffset;
    BandZone band;
    band.dryBulbLow = lower - shift + kZeroCelsius;
    band.dryBulbHigh = upper + allowance - shift + kZeroCelsius;
    if (z.maxHumidityRatio) {
        band.upper = HumidityBound::Ratio(*z.maxHumidityRatio);
    }
    return band;
}

ComfortResult<bool> InAdaptiveZone(const AdaptiveZoneParameters& z, ChartPoint p) {
    const auto band = AdaptiveZone(z);
    if (!band) {
        return Fail(band.error());
    }
    return InBandZone(*band, p, z.air);
}

ComfortResult<bool> InAdaptiveZone(const AdaptiveZoneParameters& z, const PlaneState& s) {
    const auto band = AdaptiveZone(z);
    if (!band) {
        return Fail(band.error());
    }
    return InBandZone(*band, s);
}

ComfortResult<Polygon> SolveAdaptiveZone(const AdaptiveZoneParameters& z) {
    const auto band = AdaptiveZone(z);
    if (!band) {
        return Fail(band.error());
    }
    return BandZoneOutline(*band, z.air);
}

BandZone DryBulbHumidityZone(double low, double high, double relativeLow, double relativeHigh) {
    return BandZone{low, high, HumidityBound::Relative(relativeLow),
                    HumidityBound::Relative(relativeHigh)};
}

ComfortResult<Done> CheckUserZone(const UserZone& z) {
    const std::string model = "user zone " + z.name;
    const auto failure = [&](ComfortFailureKind kind, double value, double min, double max) {
        return ComfortFailure{kind, ComfortInput::Polygon, value, min, max, model, {}};
    };
    if (z.points.size() < 3) {
        return Fail(failure(ComfortFailureKind::OutOfRange, static_cast<double>(z.points.size()), 3,
                            std::numeric_limits<double>::infinity()));
    }
    const bool relative = z.corners == UserZone::Corners::RelativeHumidity;
    for (const auto& [T, h] : z.points) {
        // Relative humidities are reported in %, as everywhere in the failures.
        const detail::Bound bounds[] = {
            {ComfortInput::DryBulb, T, 1e-9, std::numeric_limits<double>::infinity()},
            {relative ? ComfortInput::RelativeHumidity : ComfortInput::HumidityRatio,
             relative ? 100 * h : h, 0, relative ? 100.0 : 1.0}};
        if (auto checked = detail::CheckBounds(model.c_str(), bounds); !checked) {
            return checked;
        }
    }
    return Done{};
}

namespace {

Polygon AsPolygon(const UserZone& z) {
    Polygon p;
    for (const auto& [T, h] : z.points) {
        p.push_back({T, h});
    }
    return p;
}

} // namespace

ComfortResult<bool> InUserZone(const UserZone& z, const PlaneState& s) {
    if (const auto checked = CheckUserZone(z); !checked) {
        return Fail(checked.error());
    }
    if (z.corners == UserZone::Corners::HumidityRatio) {
        return Contains(AsPolygon(z), s.point);
    }
    return Contains(AsPolygon(z), {s.point.dryBulb, s.relativeHumidity});
}

ComfortResult<bool> InUserZone(const UserZone& z, ChartPoint p, const PlaneAir& air) {
    if (const auto checked = CheckUserZone(z); !checked) {
        return Fail(checked.error());
    }
    const ComfortResult<PlaneState> s = StateAt(p, air);
    if (!s) {
        return false; // above saturation
    }
    return InUserZone(z, *s);
}

ComfortResult<Polygon> UserZoneOutline(const UserZone& z, const PlaneAir& air) {
    if (const auto checked = CheckUserZone(z); !checked) {
        return Fail(checked.error());
    }
    if (z.corners == UserZone::Corners::HumidityRatio) {
        return AsPolygon(z);
    }
    Polygon outline;
    const std::size_t n = z.points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto [T0, phi0] = z.points[i];
        const auto [T1, phi1] = z.points[(i + 1) % n];
        const int steps =
            std::max(1, static_cast<int>(std::ceil(
                            std::max(std::abs(T1 - T0) / 0.05, std::abs(phi1 - phi0) / 0.001))));
        for (int k = 0; k < steps; ++k) {
            const double T = T0 + (T1 - T0) * k / steps;
            const double phi = phi0 + (phi1 - phi0) * k / steps;
            const auto W = HumidityRatioAt(T, phi, air);
            if (!W) {
                return Fail(W.error());
            }
            outline.push_back({T, *W});
        }
    }
    return outline;
}

} // namespace hygrovane::comfort
