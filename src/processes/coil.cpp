#include "hygrovane/relations.h"
#include "processes/physics.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace hygrovane::processes::physics {

namespace {

const char* const kBadBypass = "The bypass factor must be at least 0 and less than 1.";
const char* const kNotCooling = "A cooling coil must leave the air cooler than it enters.";
const char* const kNoAdp =
    "The line from the entering state through the leaving state never meets the saturation "
    "curve: there is no apparatus dew point.";

// The scan step of the search for the apparatus dew point, K: fine enough that a crossing of the
// line and the saturation curve is not stepped over, except at a grazing touch.
constexpr double kScanStep = 0.1;

// The line from the entering air to a saturated apparatus dew point bows beyond saturation when
// the entering air is near saturation itself: the coil would leave fog.
ProcessFailure LeavingFog(const AirModel& air, const AirState& adp, double bypass,
                          const ChartPoint& leaving) {
    using text::FixedText;
    return Failure(FailureKind::Fog,
                   "The leaving air would be fog: the line from the entering air to the apparatus "
                   "dew point " +
                       FixedText(adp.dryBulb - kCelsiusOffset, 3) +
                       " degC passes beyond saturation, and at the bypass factor " +
                       text::GeneralText(bypass, 4) + " it ends at " +
                       FixedText(leaving.dryBulb - kCelsiusOffset, 3) + " degC with " +
                       FixedText(leaving.humidityRatio, 5) +
                       " kg/kg of water, where saturated air holds " +
                       FixedText(air.SaturationRatio(leaving.dryBulb), 5) + " kg/kg.");
}

// b = (h2 - h_adp) / (h1 - h_adp). A division by zero or a result beyond the doubles is the
// core's arithmetic fault, worded as the core words it.
Outcome<double> BypassFactor(double h1, double h2, double hAdp) {
    const double numerator = h2 - hAdp;
    const double divisor = h1 - hAdp;
    SolveFailure fault;
    fault.kind = hygrovane::FailureKind::ArithmeticFault;
    if (!std::isfinite(numerator) || !std::isfinite(divisor)) {
        fault.detail = "overflow or non-finite result";
        return Fail(CoreFailure(fault));
    }
    if (divisor == 0.0) {
        fault.detail = "division by zero";
        return Fail(CoreFailure(fault));
    }
    const double bypass = numerator / divisor;
    if (!std::isfinite(bypass)) {
        fault.detail = "overflow or non-finite result";
        return Fail(CoreFailure(fault));
    }
    return bypass;
}

bool ValidBypass(double bypass) {
    return bypass >= 0 && bypass < 1;
}

} // namespace

Outcome<ProcessResult> CoilFromApparatusDewPoint(const AirModel& air, const AirState& in,
                                                 double flow, double Tadp, double bypass) {
    if (!ValidBypass(bypass)) {
        return Fail(Failure(FailureKind::BadParameter, kBadBypass));
    }
    if (!(Tadp < in.dryBulb)) {
        return Fail(Failure(FailureKind::BadParameter,
                            "The apparatus dew point must lie below the entering dry bulb."));
    }
    if (!(Tadp >= kLowestDryBulb)) {
        return Fail(Failure(FailureKind::NoApparatusDewPoint,
                            "The apparatus dew point would lie below the saturation range."));
    }
    const double Ws = air.SaturationRatio(Tadp);
    if (Ws > in.humidityRatio * (1 + kSaturationTolerance)) {
        return Fail(
            Failure(FailureKind::BadParameter,
                    "The apparatus dew point lies above the entering air's dew point: the coil "
                    "would not dehumidify; use sensible cooling."));
    }
    // At the entering air's own dew point, as far as the dew point's inverse (more exact in one
    // formulation than the other) can tell, the coil condenses nothing: never less than nothing.
    const double Wadp = std::min(Ws, in.humidityRatio);
    const Outcome<AirState> adp = air.StateAt(Tadp, Wadp);
    if (!adp) {
        return Fail(adp.error());
    }
    // The leaving air: the bypassed part of the entering air mixed with air saturated at the
    // apparatus dew point, on a dry-air mass basis.
    const double leaving = 1 - bypass;
    const ChartPoint mixed = MixtureAt(air, in, *adp, leaving);
    if (air.Supersaturated(mixed.dryBulb, mixed.humidityRatio)) {
        return Fail(LeavingFog(air, *adp, bypass, mixed));
    }
    const Outcome<AirState> out = air.StateAt(mixed.dryBulb, mixed.humidityRatio);
    if (!out) {
        return Fail(out.error());
    }
    ProcessResult result =
        OneStage(in, *out, flow, LiquidEnthalpy(Tadp), MixingPath(air, in, *adp, 0, leaving));
    result.guide = MixingPath(air, in, *adp, leaving, 1);
    result.apparatusDewPoint = *adp;
    result.bypassFactor = bypass;
    return result;
}

Outcome<ProcessResult> CoilFromLeavingDryBulb(const AirModel& air, const AirState& in, double flow,
                                              double T2, double bypass) {
    if (!ValidBypass(bypass)) {
        return Fail(Failure(FailureKind::BadParameter, kBadBypass));
    }
    if (!(T2 < in.dryBulb)) {
        return Fail(Failure(FailureKind::BadParameter, kNotCooling));
    }
    if (const auto within = CheckDryBulb(air, T2, in.humidityRatio); !within) {
        return Fail(within.error());
    }
    // The mixture's dry bulb rises with the apparatus dew point.
    const auto excess = [&](double Tadp) {
        AirState adp;
        adp.humidityRatio = air.SaturationRatio(Tadp);
        adp.enthalpy = air.Enthalpy(Tadp, adp.humidityRatio);
        return MixtureAt(air, in, adp, 1 - bypass).dryBulb - T2;
    };
    if (!(T2 >= kLowestDryBulb) || excess(kLowestDryBulb) > 0) {
        return Fail(Failure(FailureKind::NoApparatusDewPoint,
                            "With this bypass factor the apparatus dew point would lie below the "
                            "saturation range: there is no apparatus dew point."));
    }
    return CoilFromApparatusDewPoint(air, in, flow, Root(excess, kLowestDryBulb, T2), bypass);
}

Outcome<ProcessResult> CoilToState(const AirModel& air, const AirState& in, double flow,
                                   const PointConditions& leaving) {
    const Outcome<AirState> out = air.Given(leaving);
    if (!out) {
        return Fail(out.error());
    }
    const double T2 = out->dryBulb;
    const double W1 = in.humidityRatio;
    const double W2 = out->humidityRatio;
    if (!(T2 < in.dryBulb)) {
        return Fail(Failure(FailureKind::BadParameter, kNotCooling));
    }
    if (W2 > W1) {
        return Fail(
            Failure(FailureKind::BadParameter, "A cooling coil cannot add water to the air."));
    }
    // Which side of the line through the entering and leaving states (straight on the h-W
    // plane) the saturated state at T lies on.
    const double dW = W2 - W1;
    const double dh = out->enthalpy - in.enthalpy;
    const auto side = [&](double T) {
        const double Ws = air.SaturationRatio(T);
        return (Ws - W1) * dh - (air.Enthalpy(T, Ws) - in.enthalpy) * dW;
    };
    double Tadp = T2;
    if (air.SaturationRatio(T2) * (1 - kSaturationTolerance) > W2) {
        const bool startsPositive = side(T2) > 0;
        double upper = T2;
        double lower = T2;
        bool crossed = false;
        while (!crossed && lower > kLowestDryBulb) {
            upper = lower;
            lower = std::max(kLowestDryBulb, lower - kScanStep);
            crossed = (side(lower) > 0) != startsPositive;
        }
        if (!crossed) {
            return Fail(Failure(FailureKind::NoApparatusDewPoint, kNoAdp));
        }
        Tadp = Root(side, lower, upper);
    }
    const double Wadp = air.SaturationRatio(Tadp);
    const Outcome<AirState> adp = air.StateAt(Tadp, Wadp);
    if (!adp) {
        return Fail(adp.error());
    }
    const Outcome<double> factor = BypassFactor(in.enthalpy, out->enthalpy, adp->enthalpy);
    if (!factor) {
        return Fail(factor.error());
    }
    // A saturated leaving state lies on the curve only as far as the root search and the 32-bit
    // dry bulb allow: a factor a hair below 0 (-1E-8) is the coil leaving the air at its ADP,
    // and is shown as 0, not as "-0.0000".
    const double bypass = *factor < 0 && *factor > -kSaturationTolerance ? 0.0 : *factor;
    ProcessResult result =
        OneStage(in, *out, flow, LiquidEnthalpy(Tadp), MixingPath(air, in, *adp, 0, 1 - bypass));
    result.guide = MixingPath(air, in, *adp, 1 - bypass, 1);
    result.apparatusDewPoint = *adp;
    result.bypassFactor = bypass;
    return result;
}

} // namespace hygrovane::processes::physics
