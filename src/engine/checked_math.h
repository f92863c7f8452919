#pragma once

// Arithmetic that raises ArithmeticError instead of producing NaN or infinity. C++ does not trap
// floating-point faults, so every operation that can fault is checked here explicitly: its
// operands must be finite and inside the function's domain, and its result must be finite.

#include "engine/arithmetic_error.h"

#include <cmath>
#include <limits>

namespace hygrovane::engine {

// Throws unless x is finite; used for every result handed back to a caller.
inline double checkedFinite(double x) {
    if (!std::isfinite(x)) {
        throw ArithmeticError("overflow or non-finite result");
    }
    return x;
}

inline double checkedDivide(double numerator, double divisor) {
    checkedFinite(numerator);
    checkedFinite(divisor);
    if (divisor == 0.0) {
        throw ArithmeticError("division by zero");
    }
    return checkedFinite(numerator / divisor);
}

inline double checkedLog(double x) {
    checkedFinite(x);
    if (x <= 0.0) {
        throw ArithmeticError("logarithm of a non-positive number");
    }
    return std::log(x);
}

inline double checkedExp(double x) {
    return checkedFinite(std::exp(checkedFinite(x)));
}

inline double checkedSqrt(double x) {
    checkedFinite(x);
    if (x < 0.0) {
        throw ArithmeticError("square root of a negative number");
    }
    return std::sqrt(x);
}

// A real power: integral exponents accept any base (a square of a negative number is fine),
// fractional exponents need a positive base, and a negative power of zero is a division by zero.
inline double checkedPow(double base, double exponent) {
    checkedFinite(base);
    checkedFinite(exponent);
    const bool integral = std::trunc(exponent) == exponent;
    if (!integral && base <= 0.0) {
        throw ArithmeticError("fractional power of a non-positive number");
    }
    if (base == 0.0 && exponent < 0.0) {
        throw ArithmeticError("division by zero");
    }
    if (exponent == 2) {
        // The compiler turns pow(x, 2) into x * x wherever it sees the constant exponent, while
        // the library pow is occasionally one unit in the last place off. Squaring by hand gives
        // the correctly rounded square in every build, whatever gets inlined.
        return checkedFinite(base * base);
    }
    return checkedFinite(std::pow(base, exponent));
}

// A value stored in a 32-bit field; one beyond the float range is an overflow, not an infinity.
inline float checkedSingle(double x) {
    if (std::fabs(checkedFinite(x)) > std::numeric_limits<float>::max()) {
        throw ArithmeticError("overflow of a 32-bit value");
    }
    return static_cast<float>(x);
}

} // namespace hygrovane::engine
