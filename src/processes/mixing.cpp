#include "processes/physics.h"

namespace hygrovane::processes::physics {

Outcome<ProcessResult> Mix(const AirModel& air, const AirState& a, double flowA, const AirState& b,
                           double flowB) {
    // Dry air, water and energy are conserved: W and h are the dry-air-mass averages.
    const double flow = flowA + flowB;
    if (!std::isfinite(flow)) {
        return Fail(Failure(FailureKind::BadParameter,
                            "The two air flows together are too large to compute."));
    }
    const double share = flowB / flow;
    const ChartPoint mixed = MixtureAt(air, a, b, share);
    const Outcome<AirState> out =
        EndState(air, mixed.dryBulb, mixed.humidityRatio,
                 "The mixture would hold more water than saturated air: the excess would "
                 "condense as fog.");
    if (!out) {
        return Fail(out.error());
    }
    ProcessResult result;
    result.outlets = {*out};
    result.stages = {MakeStage(a, *out, flowA, 0), MakeStage(b, *out, flowB, 0)};
    result.loads.dryAirFlow = flow;
    result.paths = {MixingPath(air, a, b, 0, share), MixingPath(air, b, a, 0, 1 - share)};
    return result;
}

} // namespace hygrovane::processes::physics
