#pragma once

#include <cmath>

namespace hygrovane::engine {

// Bracket-halving root search shared by the saturation temperature and the wet bulb.
//
// The procedure is kept exactly as the shown digits expect: the width test follows each pass (so
// at least one pass runs), a product of exactly 0 moves lo, and the result is the last midpoint,
// not lo or hi. There is deliberately no check that the bracket holds a sign change: a target
// outside the values at the two ends moves lo every pass and ends just below hi, which clamps the
// states that single-precision roundings push just past saturation.
struct BisectionSettings {
    double lo;
    double hi;
    double tolerance = 0.000001; // K, bracket width
    int maxPasses = 1000;
};

// residual(x) is the function minus its target value.
template <typename Residual>
double Bisect(const BisectionSettings& settings, Residual residual, int* passes) {
    double lo = settings.lo;
    double hi = settings.hi;
    double mid = 0.0;
    int i = 0;
    // f(lo) depends only on lo, so it is evaluated once per value of lo: when lo moves to mid,
    // f(mid) is already known. The results are bit-identical to evaluating it every pass, at
    // half the cost.
    double fLo = residual(lo);
    do {
        mid = (hi + lo) * 0.5;
        const double fMid = residual(mid);
        if (fLo * fMid < 0) {
            hi = mid;
        } else {
            lo = mid;
            fLo = fMid;
        }
        i = i + 1;
    } while (i < settings.maxPasses && std::fabs(lo - hi) > settings.tolerance);
    if (passes != nullptr) {
        *passes = i;
    }
    return mid;
}

} // namespace hygrovane::engine
