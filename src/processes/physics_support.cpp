#include "hygrovane/relations.h"
#include "processes/physics.h"

namespace hygrovane::processes::physics {

double LiquidEnthalpy(double T) {
    return kLiquidWaterSpecificHeat * (T - kCelsiusOffset);
}

double VapourEnthalpy(double T) {
    return kLatentHeatAt0C + kVapourSpecificHeat * (T - kCelsiusOffset);
}

ChartPoint MixtureAt(const AirModel& air, const AirState& a, const AirState& b, double f) {
    const double W = (1 - f) * a.humidityRatio + f * b.humidityRatio;
    const double h = (1 - f) * a.enthalpy + f * b.enthalpy;
    return {air.DryBulb(h, W), W};
}

Polyline MixingPath(const AirModel& air, const AirState& a, const AirState& b, double from,
                    double to) {
    // The mixing line is straight on the h-W plane; on the T-W plane the t W term of the
    // enthalpy bows it slightly, so it is sampled.
    constexpr int kSamples = 16;
    Polyline path;
    for (int i = 0; i <= kSamples; ++i) {
        path.push_back(MixtureAt(air, a, b, from + (to - from) * i / kSamples));
    }
    return path;
}

Outcome<AirState> EndState(const AirModel& air, double T, double W, const char* fogMessage) {
    if (air.Supersaturated(T, W)) {
        return Fail(Failure(FailureKind::Fog, fogMessage));
    }
    return air.StateAt(T, W);
}

Outcome<Done> CheckDryBulb(const AirModel& air, double T, double W) {
    if (T >= kLowestDryBulb && T <= kHighestDryBulb) {
        return Done{};
    }
    if (const Outcome<AirState> state = air.StateAt(T, W); !state) {
        return Fail(state.error());
    }
    SolveFailure failure;
    failure.kind = hygrovane::FailureKind::OutOfRange;
    failure.field = InputField::DryBulb;
    failure.value = T;
    failure.allowed = {kLowestDryBulb, kHighestDryBulb};
    return Fail(CoreFailure(failure));
}

ProcessResult OneStage(const AirState& in, const AirState& out, double flow, double waterEnthalpy,
                       Polyline path) {
    ProcessResult result;
    result.outlets = {out};
    result.stages = {MakeStage(in, out, flow, waterEnthalpy)};
    result.loads = SeriesLoads(result.stages);
    result.paths = {std::move(path)};
    return result;
}

ProcessResult Chain(ProcessResult first, const ProcessResult& second) {
    first.outlets.push_back(second.outlets.back());
    first.stages.push_back(second.stages.back());
    first.loads = SeriesLoads(first.stages);
    first.paths.insert(first.paths.end(), second.paths.begin(), second.paths.end());
    if (second.apparatusDewPoint) {
        first.guide = second.guide;
        first.apparatusDewPoint = second.apparatusDewPoint;
        first.bypassFactor = second.bypassFactor;
    }
    return first;
}

} // namespace hygrovane::processes::physics
