#pragma once

#include "engine/arithmetic_error.h"
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

// The search as written: residual(x) is the function minus its target value.
template <typename Residual>
double Bisect(const BisectionSettings& settings, Residual residual, int* passes) {
    double lo = settings.lo;
    double hi = settings.hi;
    double mid = 0.0;
    int i = 0;
    // f(lo) depends only on lo, so it is evaluated once per value of lo: when lo moves to mid,
    // f(mid) is already known.
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

namespace bisection_detail {

// Half the width of the interval around the root inside which every midpoint is evaluated, K.
// The residuals' rounding noise is worth about 1E-13 K and the search stops at 1E-6 K wide.
inline constexpr double kCertain = 1e-9;

// The relative error a quickSign allows for its cheaper form of a residual: a hundred times the
// rounding of the fast saturation pressure's largest terms, and a hundredth of the residual's
// change over kCertain next to the root.
inline constexpr double kSure = 1e-12;

// Where the residual changes sign: below low it is negative, above high positive, and in between
// (widened by kCertain) only an evaluation tells.
struct SignChange {
    double low;
    double high;
};

// The residual's sign at x: from quickSign where that is sure of it (-1 or +1; 0 when it is not),
// else from the residual itself (0 for an exact root or NaN).
template <typename Residual, typename QuickSign>
int SignAt(Residual& residual, QuickSign& quickSign, double x) {
    if (const int sure = quickSign(x)) {
        return sure;
    }
    const double f = residual(x);
    return f < 0 ? -1 : f > 0 ? 1 : 0;
}

// The sign change around an estimate of the root, when the residual's signs on both sides of it
// confirm it.
template <typename Residual, typename QuickSign>
bool Confirm(Residual& residual, QuickSign& quickSign, double estimate, SignChange& found) {
    if (!std::isfinite(estimate)) {
        return false;
    }
    found = {estimate - kCertain, estimate + kCertain};
    return SignAt(residual, quickSign, found.low) < 0 &&
           SignAt(residual, quickSign, found.high) > 0;
}

// A quickSign that is never sure.
inline int NeverSure(double) {
    return 0;
}

// An estimate of the root of an increasing residual that is negative at lo and positive at hi:
// the Illinois variant of false position.
template <typename Residual>
double FalsePosition(Residual& residual, double lo, double fLo, double hi, double fHi) {
    double a = lo, fa = fLo, b = hi, fb = fHi;
    double estimate = lo;
    int side = 0;
    for (int k = 0; k < 60; ++k) {
        double c = (a * fb - b * fa) / (fb - fa);
        if (!(c > a && c < b)) {
            c = (a + b) * 0.5;
        }
        const double fc = residual(c);
        const double step = std::fabs(c - estimate);
        estimate = c;
        if (fc == 0) {
            break;
        }
        if (fc < 0) {
            a = c, fa = fc;
            fb = side == -1 ? fb * 0.5 : fb;
            side = -1;
        } else {
            b = c, fb = fc;
            fa = side == +1 ? fa * 0.5 : fa;
            side = +1;
        }
        if (step < kCertain * 0.1 || b - a < kCertain) {
            break;
        }
    }
    return estimate;
}

} // namespace bisection_detail

// The same search, with the same midpoints, passes and result, for a residual that increases
// with x (rising jumps allowed) and whose rounding noise is far below its slope times 1E-9.
// Such a residual's sign at a midpoint is known without evaluating it once the place where it
// changes sign is known, so only the midpoints within 2E-9 of that place are evaluated.
// estimate() gives a guess of the root (it may evaluate the residual; NaN for none); a guess
// that the residual's signs do not confirm is replaced by false position within the bracket.
// Any arithmetic fault on the way falls back to the search as written, which then meets the
// faults it always met. quickSign(x) may tell the residual's sign at x without evaluating it
// (-1 or +1), from a cheaper form of it whose error it bounds; 0 where it is not sure.
template <typename Residual, typename Estimate, typename QuickSign>
double BisectIncreasing(const BisectionSettings& settings, Residual residual, int* passes,
                        Estimate estimate, QuickSign quickSign) {
    using bisection_detail::kCertain;
    // An empty or reversed bracket (a dry bulb rounded to 32 bits just below 173.15 K) takes the
    // search as written.
    if (!(settings.hi - settings.lo > 4 * kCertain)) {
        return Bisect(settings, residual, passes);
    }
    bisection_detail::SignChange change{};
    double fLo = -1; // negative: lo lies below a confirmed sign change
    try {
        if (!bisection_detail::Confirm(residual, quickSign, estimate(), change) ||
            change.low - kCertain <= settings.lo) {
            fLo = residual(settings.lo);
            if (std::isnan(fLo)) {
                return Bisect(settings, residual, passes);
            }
            if (fLo > 0) {
                change = {settings.lo, settings.lo}; // positive over the whole bracket
            } else if (fLo < 0) {
                const double fHi = residual(settings.hi);
                if (fHi <= 0) {
                    change = {settings.hi, settings.hi}; // negative up to hi
                } else if (!bisection_detail::Confirm(
                               residual, quickSign,
                               bisection_detail::FalsePosition(residual, settings.lo, fLo,
                                                               settings.hi, fHi),
                               change)) {
                    return Bisect(settings, residual, passes);
                }
            }
        }
    } catch (const ArithmeticError&) {
        return Bisect(settings, residual, passes);
    }

    double lo = settings.lo;
    double hi = settings.hi;
    double mid = lo;
    int i = 0;
    if (fLo != 0) {
        int signLo = fLo < 0 ? -1 : 1;
        do {
            mid = (hi + lo) * 0.5;
            int signMid = 0;
            if (mid < change.low - kCertain) {
                signMid = -1;
            } else if (mid > change.high + kCertain) {
                signMid = 1;
            } else {
                signMid = bisection_detail::SignAt(residual, quickSign, mid);
            }
            i = i + 1;
            if (signMid == 0) {
                break;
            }
            if (signLo * signMid < 0) {
                hi = mid;
            } else {
                lo = mid;
                signLo = signMid;
            }
        } while (i < settings.maxPasses && std::fabs(lo - hi) > settings.tolerance);
    }
    if (passes != nullptr) {
        *passes = i;
    }
    return mid;
}

// The same, with every sign taken from the residual itself.
template <typename Residual, typename Estimate>
double BisectIncreasing(const BisectionSettings& settings, Residual residual, int* passes,
                        Estimate estimate) {
    return BisectIncreasing(settings, residual, passes, estimate, bisection_detail::NeverSure);
}

} // namespace hygrovane::engine
