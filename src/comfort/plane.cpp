#include "comfort/plane.h"

#include "hygrovane/moist_air.h"

#include <cstddef>

namespace hygrovane::comfort {

bool Contains(const Polygon& polygon, ChartPoint p) {
    bool inside = false;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0, j = n - 1; i < n; j = i++) {
        const ChartPoint& a = polygon[i];
        const ChartPoint& b = polygon[j];
        if ((a.humidityRatio > p.humidityRatio) != (b.humidityRatio > p.humidityRatio)) {
            const double t = a.dryBulb + (p.humidityRatio - a.humidityRatio) /
                                             (b.humidityRatio - a.humidityRatio) *
                                             (b.dryBulb - a.dryBulb);
            if (p.dryBulb < t) {
                inside = !inside;
            }
        }
    }
    return inside;
}

Polygon ClipAbove(const Polygon& polygon, double W) {
    Polygon out;
    const std::size_t n = polygon.size();
    for (std::size_t i = 0; i < n; ++i) {
        const ChartPoint& a = polygon[i];
        const ChartPoint& b = polygon[(i + 1) % n];
        const bool aIn = a.humidityRatio <= W;
        const bool bIn = b.humidityRatio <= W;
        if (aIn) {
            out.push_back(a);
        }
        if (aIn != bIn) {
            const double t = (W - a.humidityRatio) / (b.humidityRatio - a.humidityRatio);
            out.push_back({a.dryBulb + t * (b.dryBulb - a.dryBulb), W});
        }
    }
    return out;
}

namespace {

ComfortResult<MoistAirState> Solved(double dryBulb, HumidityInput input, double value,
                                    const PlaneAir& air) {
    const Result<MoistAirState> state = Solve(Conditions{.dryBulb = dryBulb,
                                                         .pressure = air.pressure,
                                                         .humidityInput = input,
                                                         .humidity = value,
                                                         .formulation = air.formulation});
    if (!state) {
        return Fail(ComfortFailure{ComfortFailureKind::CoreFailure, ComfortInput::DryBulb, dryBulb,
                                   0, 0, "moist-air core", Describe(state.error())});
    }
    return *state;
}

} // namespace

ComfortResult<double> HumidityRatioAt(double T, double phi, const PlaneAir& air) {
    const auto s = Solved(T, HumidityInput::RelativeHumidity, phi, air);
    return s ? ComfortResult<double>(s->humidityRatio) : ComfortResult<double>(Fail(s.error()));
}

ComfortResult<double> RelativeHumidityAt(ChartPoint p, const PlaneAir& air) {
    const auto s = StateAt(p, air);
    return s ? ComfortResult<double>(s->relativeHumidity) : ComfortResult<double>(Fail(s.error()));
}

ComfortResult<PlaneState> StateAt(ChartPoint p, const PlaneAir& air) {
    const auto s = Solved(p.dryBulb, HumidityInput::HumidityRatio, p.humidityRatio, air);
    if (s) {
        return PlaneState{p, s->relativeHumidity, s->wetBulb};
    }
    // A saturated hour's humidity ratio, computed by the core at 100 %, can come back some 1e-8
    // (relative) above the saturation the core checks against: that is saturated air.
    const auto Ws = SaturationHumidityRatio(p.dryBulb, air);
    if (Ws && p.humidityRatio <= *Ws * (1 + kSaturationSlack)) {
        return PlaneState{p, 1.0, p.dryBulb}; // saturated: the wet bulb is the dry bulb
    }
    return Fail(s.error());
}

ComfortResult<double> VapourPressureAt(ChartPoint p, const PlaneAir& air) {
    const auto s = Solved(p.dryBulb, HumidityInput::HumidityRatio, p.humidityRatio, air);
    return s ? ComfortResult<double>(s->partialPressure) : ComfortResult<double>(Fail(s.error()));
}

ComfortResult<double> WetBulbAt(ChartPoint p, const PlaneAir& air) {
    const auto s = Solved(p.dryBulb, HumidityInput::HumidityRatio, p.humidityRatio, air);
    return s ? ComfortResult<double>(s->wetBulb) : ComfortResult<double>(Fail(s.error()));
}

ComfortResult<double> HumidityRatioAtWetBulb(double T, double wetBulb, const PlaneAir& air) {
    const auto s = Solved(T, HumidityInput::WetBulb, wetBulb, air);
    return s ? ComfortResult<double>(s->humidityRatio) : ComfortResult<double>(Fail(s.error()));
}

ComfortResult<double> SaturationHumidityRatio(double T, const PlaneAir& air) {
    return HumidityRatioAt(T, 1.0, air);
}

} // namespace hygrovane::comfort
