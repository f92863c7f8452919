#include "comfort/adaptive.h"

#include "comfort/checks.h"

namespace hygrovane::comfort {

using detail::Bound;

double OperativeTemperature(double ta, double tr, double v) {
    const double a = v < 0.2 ? 0.5 : v < 0.6 ? 0.6 : 0.7; // ASHRAE 55-2020 Appendix A
    return a * ta + (1 - a) * tr;
}

double AdaptiveCoolingAllowance(double to, double v) {
    if (to <= 25.0 || v < 0.6) {
        return 0;
    }
    return v < 0.9 ? 1.2 : v < 1.2 ? 1.8 : 2.2; // K, ASHRAE 55-2020 Table 5.4.2.4
}

ComfortResult<AdaptiveAshrae55> AdaptiveAshrae55Of(double ta, double tr, double v,
                                                   double prevailingMean) {
    constexpr double inf = 1e300;
    const Bound bounds[] = {{ComfortInput::AirTemperature, ta, -inf, inf},
                            {ComfortInput::MeanRadiant, tr, -inf, inf},
                            {ComfortInput::AirSpeed, v, 0, 2},
                            {ComfortInput::PrevailingMean, prevailingMean, 10, 33.5}};
    if (const auto checked = detail::CheckBounds("ASHRAE 55 adaptive", bounds); !checked) {
        return Fail(checked.error());
    }
    AdaptiveAshrae55 r;
    r.operative = OperativeTemperature(ta, tr, v);
    r.allowance = AdaptiveCoolingAllowance(r.operative, v);
    r.comfort = 0.31 * prevailingMean + 17.8; // ASHRAE 55-2020 5.4.2.1, degC
    // 80 % acceptability: +-3.5 K; 90 %: +-2.5 K (5.4.2.2, 5.4.2.3).
    r.lower80 = r.comfort - 3.5;
    r.upper80 = r.comfort + 3.5 + r.allowance;
    r.lower90 = r.comfort - 2.5;
    r.upper90 = r.comfort + 2.5 + r.allowance;
    r.acceptable80 = r.lower80 <= r.operative && r.operative <= r.upper80;
    r.acceptable90 = r.lower90 <= r.operative && r.operative <= r.upper90;
    return r;
}

ComfortResult<AdaptiveEn16798> AdaptiveEn16798Of(double ta, double tr, double v,
                                                 double runningMean) {
    constexpr double inf = 1e300;
    const Bound bounds[] = {{ComfortInput::AirTemperature, ta, -inf, inf},
                            {ComfortInput::MeanRadiant, tr, -inf, inf},
                            {ComfortInput::AirSpeed, v, 0, 2},
                            {ComfortInput::PrevailingMean, runningMean, 10, 30}};
    if (const auto checked = detail::CheckBounds("EN 16798-1 adaptive", bounds); !checked) {
        return Fail(checked.error());
    }
    AdaptiveEn16798 r;
    r.operative = OperativeTemperature(ta, tr, v);
    r.allowance = AdaptiveCoolingAllowance(r.operative, v);
    r.comfort = 0.33 * runningMean + 18.8; // EN 16798-1:2019 Annex B, degC
    // Categories I, II, III: upper +2, +3, +4 K; lower -3, -4, -5 K.
    for (int c = 0; c < 3; ++c) {
        r.upper[c] = r.comfort + 2.0 + c + r.allowance;
        r.lower[c] = r.comfort - 3.0 - c;
        r.acceptable[c] = r.lower[c] <= r.operative && r.operative <= r.upper[c];
    }
    return r;
}

} // namespace hygrovane::comfort
