#include "processes/compute.h"

#include "processes/physics.h"

namespace hygrovane::processes {

namespace {

using namespace physics;

Outcome<ProcessResult> Dispatch(const AirModel& air, ProcessKind kind, const ProcessParameters& p,
                                std::span<const AirState> in, std::span<const double> flows) {
    const AirState& a = in[0];
    const double m = flows[0];
    const HumidifierSetting evaporative{Humidifier::Evaporative};
    const HumidifierSetting steam{Humidifier::Steam, p.steamTemperature};
    switch (kind) {
    case ProcessKind::SensibleToDryBulb:
        return SensibleTo(air, a, m, p.leavingDryBulb);
    case ProcessKind::SensibleByHeatRate:
        return SensibleBy(air, a, m, p.heatRate);
    case ProcessKind::CoilApparatusDewPoint:
        return CoilFromApparatusDewPoint(air, a, m, p.apparatusDewPoint, p.bypassFactor);
    case ProcessKind::CoilLeavingDryBulb:
        return CoilFromLeavingDryBulb(air, a, m, p.leavingDryBulb, p.bypassFactor);
    case ProcessKind::CoilLeavingState:
        return CoilToState(air, a, m, p.target);
    case ProcessKind::Mixing:
        return Mix(air, a, m, in[1], flows[1]);
    case ProcessKind::EvaporativeToRelativeHumidity:
        return HumidifyToRelativeHumidity(air, a, m, evaporative, p.relativeHumidity);
    case ProcessKind::EvaporativeToDryBulb:
        return EvaporativeToDryBulb(air, a, m, p.leavingDryBulb);
    case ProcessKind::EvaporativeByEffectiveness:
        return EvaporativeByEffectiveness(air, a, m, p.effectiveness);
    case ProcessKind::SteamToHumidityRatio:
        return HumidifyToHumidityRatio(air, a, m, steam, p.humidityRatio);
    case ProcessKind::SteamToRelativeHumidity:
        return HumidifyToRelativeHumidity(air, a, m, steam, p.relativeHumidity);
    case ProcessKind::HeatingThenEvaporative:
        return HeatingThenHumidifying(air, a, m, evaporative, p.target);
    case ProcessKind::HeatingThenSteam:
        return HeatingThenHumidifying(air, a, m, steam, p.target);
    case ProcessKind::CoolingThenReheat:
        return CoolingThenReheat(air, a, m, p.target, p.bypassFactor);
    }
    return Fail(Failure(FailureKind::BadParameter, "Unknown process."));
}

} // namespace

Outcome<ProcessResult> ComputeProcess(const AirModel& air, ProcessKind kind,
                                      const ProcessParameters& parameters,
                                      std::span<const AirState> inlets,
                                      std::span<const double> dryAirFlows) {
    const auto needed = static_cast<std::size_t>(InfoOf(kind).inlets);
    if (inlets.size() != needed || dryAirFlows.size() != needed) {
        return Fail(
            Failure(FailureKind::NoInput, "The process lacks an entering state or its flow."));
    }
    for (double flow : dryAirFlows) {
        if (!(flow > 0) || !std::isfinite(flow)) {
            return Fail(Failure(FailureKind::BadParameter, "Every air flow must be positive."));
        }
    }
    const AirModel run = air.ForOneComputation();
    Outcome<ProcessResult> result = Dispatch(run, kind, parameters, inlets, dryAirFlows);
    if (run.firstFault()) {
        return Fail(CoreFailure(*run.firstFault()));
    }
    return result;
}

} // namespace hygrovane::processes
