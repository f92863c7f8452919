#include "processes/physics.h"

#include <algorithm>

namespace hygrovane::processes::physics {

namespace {

// How far the coil may leave the air above the target's dry bulb and still count as meeting it,
// K: the target's dry bulb is held in 32 bits (a step of 3E-5 K at 300 K), the apparatus dew
// point found by a root search; a millikelvin is far below any reading and far above both.
constexpr double kNoReheatTolerance = 1e-3;

} // namespace

Outcome<ProcessResult> CoolingThenReheat(const AirModel& air, const AirState& in, double flow,
                                         const PointConditions& target, double bypass) {
    if (!(bypass >= 0 && bypass < 1)) {
        return Fail(Failure(FailureKind::BadParameter,
                            "The bypass factor must be at least 0 and less than 1."));
    }
    const Outcome<AirState> end = air.Given(target);
    if (!end) {
        return Fail(end.error());
    }
    const double W1 = in.humidityRatio;
    // A target holding the entering air's water, as far as a humidity held through the core's
    // 32-bit partial pressure can tell, is met with no water removed: the coil works at the
    // entering air's dew point, cooling only, before the reheat. The same tolerance in both
    // formulations, so that neither refuses what the other takes.
    if (!(end->humidityRatio <= W1 * (1 + kSaturationTolerance))) {
        return Fail(Failure(FailureKind::BadParameter,
                            "A cooling coil cannot add water: the target holds more water than the "
                            "entering air."));
    }
    const double W3 = std::min(end->humidityRatio, W1);
    // The coil leaves the air at the target's humidity ratio: W3 = BF W1 + (1 - BF) W_adp.
    const double Wadp = (W3 - bypass * W1) / (1 - bypass);
    if (!(Wadp > 0) || Wadp < air.SaturationRatio(kLowestDryBulb)) {
        return Fail(Failure(FailureKind::NoApparatusDewPoint,
                            "With this bypass factor the apparatus dew point would lie below the "
                            "saturation range: there is no apparatus dew point."));
    }
    const Outcome<ProcessResult> coil =
        CoilFromApparatusDewPoint(air, in, flow, air.DewPoint(Wadp), bypass);
    if (!coil) {
        return coil;
    }
    const AirState& cooled = coil->outlets.back();
    if (cooled.dryBulb > end->dryBulb + kNoReheatTolerance) {
        return Fail(Failure(FailureKind::BadParameter,
                            "The coil leaves the air warmer than the target: it needs no reheat."));
    }
    // Within the tolerance the coil meets the target's dry bulb: a reheat of nothing, leaving
    // at the coil's own state (cooling it further would condense water).
    const Outcome<ProcessResult> reheat =
        cooled.dryBulb >= end->dryBulb
            ? Outcome<ProcessResult>(
                  OneStage(cooled, cooled, flow, 0, {{cooled.dryBulb, cooled.humidityRatio}}))
            : SensibleTo(air, cooled, flow, end->dryBulb);
    if (!reheat) {
        return reheat;
    }
    ProcessResult result = *coil;
    result.outlets.push_back(reheat->outlets.back());
    result.stages.push_back(reheat->stages.back());
    result.loads = SeriesLoads(result.stages);
    result.paths.push_back(reheat->paths.back());
    return result;
}

} // namespace hygrovane::processes::physics
