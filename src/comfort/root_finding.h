#pragma once

// One root finder for the models' inverse problems (zone boundaries, cooling effect).

#include <cmath>
#include <limits>

namespace hygrovane::comfort::detail {

// A root of f in [a, b] by Illinois false position (the stale end's value halved, so both ends
// move), stopping when a step moves less than `tolerance`; NaN when f has the same sign at both
// ends or is NaN on the way.
// The same with f(a) and f(b) already known (a caller that found its bracket by probing).
template <typename F>
double FindRootFrom(F f, double a, double fa, double b, double fb, double tolerance) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (fa == 0) {
        return a;
    }
    if (fb == 0) {
        return b;
    }
    if (std::isnan(fa) || std::isnan(fb) || (fa > 0) == (fb > 0)) {
        return kNaN;
    }
    int side = 0;
    double previous = a;
    for (int n = 0; n < 200; ++n) {
        const double c = (a * fb - b * fa) / (fb - fa);
        const double fc = f(c);
        if (std::isnan(fc)) {
            return kNaN;
        }
        if (fc == 0 || (n > 0 && std::abs(c - previous) <= tolerance)) {
            return c;
        }
        previous = c;
        if ((fc > 0) == (fa > 0)) {
            a = c;
            fa = fc;
            if (side == -1) {
                fb /= 2;
            }
            side = -1;
        } else {
            b = c;
            fb = fc;
            if (side == 1) {
                fa /= 2;
            }
            side = 1;
        }
    }
    return (a + b) / 2;
}

template <typename F> double FindRoot(F f, double a, double b, double tolerance) {
    const double fa = f(a);
    return FindRootFrom(f, a, fa, b, f(b), tolerance);
}

} // namespace hygrovane::comfort::detail
