#include "hygrovane/relations.h"
#include "processes/physics.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace hygrovane::processes::physics {

namespace {

const char* const kFog =
    "The air would hold more water than saturated air: the excess would condense as fog.";

// Where a humidifier's line reaches a relative humidity: the humidity ratio there, or none and the
// highest relative humidity the line reaches.
struct Reach {
    std::optional<double> humidityRatio;
    double highest = 0;
};

// Air that takes up water of enthalpy hw: h = h1 + (W - W1) hw, so that the energy balance
// closes at every point. With water at the entering wet bulb this is the wet-bulb line.
struct WaterLine {
    const AirModel& air;
    const AirState& in;
    double hw;

    double DryBulbAt(double W) const {
        return air.DryBulb(in.enthalpy + (W - in.humidityRatio) * hw, W);
    }
    double RelativeHumidityAt(double W) const { return air.RelativeHumidity(DryBulbAt(W), W); }
    // Where the line first reaches the relative humidity phi (1: saturation), or the highest it
    // reaches. Judged by phi = p_w / p_ws(T), which has no pole: W_s(T) has one where p_ws(T)
    // reaches the ambient pressure (the boiling point there, 32.9 degC at 5 kPa), past which it
    // turns negative; beyond that point p_w < P <= p_ws(T), so the air is never saturated there.
    Reach ReachOf(double phi) const;
    Polyline Path(double W2) const {
        constexpr int kSamples = 16;
        Polyline path;
        for (int i = 0; i <= kSamples; ++i) {
            const double W = in.humidityRatio + (W2 - in.humidityRatio) * i / kSamples;
            path.push_back({DryBulbAt(W), W});
        }
        return path;
    }
    Outcome<ProcessResult> To(double W2, double flow) const {
        const Outcome<AirState> out = EndState(air, DryBulbAt(W2), W2, kFog);
        if (!out) {
            return Fail(out.error());
        }
        return OneStage(in, *out, flow, hw, Path(W2));
    }
};

Reach WaterLine::ReachOf(double phi) const {
    const double W1 = in.humidityRatio;
    const auto excess = [&](double W) { return RelativeHumidityAt(W) - phi; };
    if (excess(W1) >= 0) {
        return {W1, RelativeHumidityAt(W1)};
    }
    // The humidity ratio added grows by 10 % a step, from 1 mg/kg to 1000 kg/kg, while the line
    // stays within the dry-bulb range: fine enough that the relative humidity, which rises and
    // falls slowly on this scale, is not stepped over; then the highest step is refined.
    constexpr double kFirstStep = 1e-6; // kg/kg
    constexpr double kLastStep = 1e3;   // kg/kg
    constexpr double kGrowth = 1.1;
    std::vector<double> ratios{W1};
    std::vector<double> values{RelativeHumidityAt(W1)};
    for (double added = kFirstStep; added <= kLastStep; added *= kGrowth) {
        const double W = W1 + added;
        const double T = DryBulbAt(W);
        if (!(T >= kLowestDryBulb && T <= kHighestDryBulb)) {
            break;
        }
        const double value = air.RelativeHumidity(T, W);
        if (value >= phi) {
            return {Root(excess, ratios.back(), W), phi};
        }
        ratios.push_back(W);
        values.push_back(value);
    }
    // The highest step, refined by golden-section search between its neighbours.
    const auto best =
        static_cast<std::size_t>(std::max_element(values.begin(), values.end()) - values.begin());
    double lo = ratios[best == 0 ? 0 : best - 1];
    double hi = ratios[std::min(best + 1, ratios.size() - 1)];
    const double golden = (std::sqrt(5.0) - 1) / 2;
    for (int pass = 0; pass < 200 && hi - lo > 1e-15 * hi; ++pass) {
        const double a = hi - golden * (hi - lo);
        const double b = lo + golden * (hi - lo);
        if (RelativeHumidityAt(a) < RelativeHumidityAt(b)) {
            lo = a;
        } else {
            hi = b;
        }
    }
    const double peak = lo + (hi - lo) / 2;
    const double highest = std::max(values[best], RelativeHumidityAt(peak));
    if (highest >= phi) {
        return {Root(excess, ratios[best == 0 ? 0 : best - 1], peak), phi};
    }
    return {std::nullopt, highest};
}

double WaterEnthalpy(const AirState& in, HumidifierSetting humidifier) {
    return humidifier.kind == Humidifier::Evaporative ? LiquidEnthalpy(in.wetBulb)
                                                      : VapourEnthalpy(humidifier.steamTemperature);
}

Outcome<Done> CheckSteam(HumidifierSetting humidifier) {
    if (humidifier.kind == Humidifier::Steam &&
        !(humidifier.steamTemperature >= kCelsiusOffset &&
          humidifier.steamTemperature <= kCelsiusOffset + 200)) {
        return Fail(Failure(FailureKind::BadParameter,
                            "The steam temperature must lie between 0 and 200 degC."));
    }
    return Done{};
}

} // namespace

Outcome<ProcessResult> HumidifyToHumidityRatio(const AirModel& air, const AirState& in, double flow,
                                               HumidifierSetting humidifier, double W2) {
    if (const auto steam = CheckSteam(humidifier); !steam) {
        return Fail(steam.error());
    }
    if (!(W2 >= in.humidityRatio)) {
        return Fail(
            Failure(FailureKind::BadParameter,
                    "A humidifier adds water: the leaving humidity ratio must not lie below "
                    "the entering one."));
    }
    return WaterLine{air, in, WaterEnthalpy(in, humidifier)}.To(W2, flow);
}

Outcome<ProcessResult> HumidifyToRelativeHumidity(const AirModel& air, const AirState& in,
                                                  double flow, HumidifierSetting humidifier,
                                                  double phi2) {
    if (const auto steam = CheckSteam(humidifier); !steam) {
        return Fail(steam.error());
    }
    const WaterLine line{air, in, WaterEnthalpy(in, humidifier)};
    const double phi1 = air.RelativeHumidity(in.dryBulb, in.humidityRatio);
    if (!(phi2 >= phi1 && phi2 <= 1)) {
        return Fail(Failure(FailureKind::BadParameter,
                            "A humidifier raises the relative humidity: the leaving one must lie "
                            "between the entering one and 100 %."));
    }
    const Reach reach = line.ReachOf(phi2);
    if (!reach.humidityRatio) {
        // The highest relative humidity cut, not rounded, to the digits shown: never the target.
        return Fail(Failure(FailureKind::BadParameter,
                            "This humidifier cannot bring the air to " +
                                text::GeneralText(phi2 * 100, 6) +
                                " % relative humidity: along its line the air reaches at most " +
                                text::FixedText(std::floor(reach.highest * 1e5) / 1e3, 3) + " %."));
    }
    return line.To(*reach.humidityRatio, flow);
}

Outcome<ProcessResult> EvaporativeToDryBulb(const AirModel& air, const AirState& in, double flow,
                                            double T2) {
    if (!(T2 <= in.dryBulb)) {
        return Fail(
            Failure(FailureKind::BadParameter,
                    "Evaporative humidification cools the air: the leaving dry bulb must not "
                    "lie above the entering one."));
    }
    if (const auto within = CheckDryBulb(air, T2, in.humidityRatio); !within) {
        return Fail(within.error());
    }
    // On the line h = h1 + (W - W1) hw the dry bulb fixes W:
    // W = (h1 - W1 hw - 1.006 t2) / (2501 + 1.805 t2 - hw).
    const double hw = LiquidEnthalpy(in.wetBulb);
    const double t2 = T2 - kCelsiusOffset;
    const double W2 = (in.enthalpy - in.humidityRatio * hw - kDryAirSpecificHeat * t2) /
                      (kLatentHeatAt0C + kVapourSpecificHeat * t2 - hw);
    if (air.Supersaturated(T2, W2)) {
        return Fail(Failure(FailureKind::BadParameter,
                            "The leaving dry bulb lies below the entering wet bulb: evaporative "
                            "humidification cannot reach it."));
    }
    const Outcome<AirState> out = air.StateAt(T2, W2);
    if (!out) {
        return Fail(out.error());
    }
    return OneStage(in, *out, flow, hw, WaterLine{air, in, hw}.Path(W2));
}

Outcome<ProcessResult> EvaporativeByEffectiveness(const AirModel& air, const AirState& in,
                                                  double flow, double effectiveness) {
    if (!(effectiveness >= 0 && effectiveness <= 1)) {
        return Fail(Failure(FailureKind::BadParameter,
                            "The saturation effectiveness must lie between 0 and 1."));
    }
    // effectiveness = (t1 - t2) / (t1 - t_wb1).
    return EvaporativeToDryBulb(air, in, flow,
                                in.dryBulb - effectiveness * (in.dryBulb - in.wetBulb));
}

Outcome<ProcessResult> HeatingThenHumidifying(const AirModel& air, const AirState& in, double flow,
                                              HumidifierSetting humidifier,
                                              const PointConditions& target) {
    if (const auto steam = CheckSteam(humidifier); !steam) {
        return Fail(steam.error());
    }
    const Outcome<AirState> end = air.Given(target);
    if (!end) {
        return Fail(end.error());
    }
    const double W1 = in.humidityRatio;
    if (!(end->humidityRatio >= W1)) {
        return Fail(Failure(FailureKind::BadParameter,
                            "Humidification cannot lower the humidity ratio: the target holds less "
                            "water than the entering air."));
    }
    // The humidifier's line through the target, back to the entering humidity ratio.
    const double hw = WaterEnthalpy(*end, humidifier);
    const double h2 = end->enthalpy - (end->humidityRatio - W1) * hw;
    const double T2 = air.DryBulb(h2, W1);
    if (!(T2 >= in.dryBulb)) {
        return Fail(
            Failure(FailureKind::BadParameter,
                    "The entering air is warmer than the humidifier needs: the target is not "
                    "reached by heating first."));
    }
    const Outcome<ProcessResult> heating = SensibleTo(air, in, flow, T2);
    if (!heating) {
        return heating;
    }
    const AirState& heated = heating->outlets.back();
    const WaterLine line{air, heated, hw};
    ProcessResult humidifying = OneStage(heated, *end, flow, hw, line.Path(end->humidityRatio));
    return Chain(*heating, humidifying);
}

} // namespace hygrovane::processes::physics
