#include "processes/physics.h"
#include "text/number_text.h"

#include <cmath>
#include <cstdio>

namespace hygrovane::processes::physics {

Outcome<ProcessResult> SensibleTo(const AirModel& air, const AirState& in, double flow, double T2) {
    const double W = in.humidityRatio;
    // Before any relation of T2: a dry bulb below 0 K has no saturation pressure.
    if (const auto within = CheckDryBulb(air, T2, W); !within) {
        return Fail(within.error());
    }
    if (T2 < in.dryBulb && air.Supersaturated(T2, W)) {
        return Fail(Failure(FailureKind::Condensation,
                            "Cooling at a constant humidity ratio would pass the dew point and "
                            "condense water: use a cooling coil."));
    }
    const Outcome<AirState> out = air.StateAt(T2, W);
    if (!out) {
        return Fail(out.error());
    }
    return OneStage(in, *out, flow, 0, {{in.dryBulb, W}, {T2, W}});
}

Outcome<ProcessResult> SensibleBy(const AirModel& air, const AirState& in, double flow,
                                  double heatRate) {
    // Q = m_da (h2 - h1): W in, kJ/kg out.
    const double h2 = in.enthalpy + heatRate / 1000 / flow;
    // A rate beyond the doubles per kilogram is no state at all: say so rather than let the
    // core's relation fault on it.
    if (!std::isfinite(h2)) {
        return Fail(
            Failure(FailureKind::BadParameter,
                    "The heat rate per kilogram of dry air is out of range: " +
                        text::GeneralText(heatRate, 6) + " W on " + text::GeneralText(flow, 6) +
                        " kg/s of dry air would change the air's enthalpy beyond any number "
                        "the program holds."));
    }
    return SensibleTo(air, in, flow, air.DryBulb(h2, in.humidityRatio));
}

} // namespace hygrovane::processes::physics
