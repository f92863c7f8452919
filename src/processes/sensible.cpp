#include "processes/physics.h"

namespace hygrovane::processes::physics {

Outcome<ProcessResult> SensibleTo(const AirModel& air, const AirState& in, double flow, double T2) {
    const double W = in.humidityRatio;
    // Before any relation of T2: a dry bulb below 0 K has no saturation pressure.
    if (auto outside = DryBulbOutsideRange(air, T2, W)) {
        return *outside;
    }
    if (T2 < in.dryBulb && air.Supersaturated(T2, W)) {
        return Failure(FailureKind::Condensation,
                       "Cooling at a constant humidity ratio would pass the dew point and "
                       "condense water: use a cooling coil.");
    }
    const Outcome<AirState> out = air.StateAt(T2, W);
    if (!out) {
        return out.failure();
    }
    return OneStage(in, *out, flow, 0, {{in.dryBulb, W}, {T2, W}});
}

Outcome<ProcessResult> SensibleBy(const AirModel& air, const AirState& in, double flow,
                                  double heatRate) {
    // Q = m_da (h2 - h1): W in, kJ/kg out.
    const double h2 = in.enthalpy + heatRate / 1000 / flow;
    return SensibleTo(air, in, flow, air.DryBulb(h2, in.humidityRatio));
}

} // namespace hygrovane::processes::physics
