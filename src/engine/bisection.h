#pragma once

#include "engine/constants.h"

#include <cmath>

namespace hygrovane::engine {

// Bracket-halving root search shared by the saturation temperature and the wet bulb.
//
// The procedure is kept exactly as the shown digits expect: the width test follows each pass (so
// at least one pass runs), a product of exactly 0 moves lo, and the result is the last midpoint,
// not lo or hi. There is deliberately no check that the bracket holds a sign change: a target
// outside the values at the two ends moves lo every pass and ends just below hi, which clamps the
// states that single-precision roundings push just past saturation.
//
// An exact root ends the search: a midpoint where the function is exactly 0 is the result, and so
// is the lower end when the function is 0 there. Otherwise every later product would be 0 and the
// search would walk to the upper end of the bracket.
struct BisectionSettings {
    double lo;
    double hi;
    double tolerance = kBisectionTolerance; // K, bracket width
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
    if (fLo == 0) {
        mid = lo;
    } else {
        do {
            mid = (hi + lo) * 0.5;
            const double fMid = residual(mid);
            i = i + 1;
            if (fMid == 0) {
                break;
            }
            if (fLo * fMid < 0) {
                hi = mid;
            } else {
                lo = mid;
                fLo = fMid;
            }
        } while (i < settings.maxPasses && std::fabs(lo - hi) > settings.tolerance);
    }
    if (passes != nullptr) {
        *passes = i;
    }
    return mid;
}

} // namespace hygrovane::engine
