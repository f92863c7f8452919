#pragma once

#include "engine/arithmetic_error.h"

#include <cmath>
#include <limits>

namespace hygrovane::calculation {

// C++ does not trap floating-point faults, so the relations of the calculation check their own
// results and raise the same error the engine raises; the calculation's handler catches it.

inline double Finite(double x) {
    if (!std::isfinite(x)) {
        throw engine::ArithmeticError("non-finite value");
    }
    return x;
}

inline double Divide(double numerator, double denominator) {
    if (denominator == 0) {
        throw engine::ArithmeticError("division by zero");
    }
    return Finite(numerator / denominator);
}

// A value stored in a 32-bit field; a value beyond the float range is an overflow.
inline float Single(double x) {
    if (std::fabs(Finite(x)) > std::numeric_limits<float>::max()) {
        throw engine::ArithmeticError("overflow");
    }
    return static_cast<float>(x);
}

} // namespace hygrovane::calculation
