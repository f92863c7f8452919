#pragma once

// Range checks shared by the models: the first input that fails, typed.

#include "comfort/comfort_error.h"

#include <cmath>
#include <string>

namespace hygrovane::comfort::detail {

struct Bound {
    ComfortInput input;
    double value;
    double minimum;
    double maximum;
};

// Refuses with the failure of the first bound whose value is NaN, infinite or outside its range.
template <std::size_t N>
ComfortResult<Done> CheckBounds(const char* model, const Bound (&bounds)[N]) {
    for (const Bound& b : bounds) {
        if (!std::isfinite(b.value)) {
            return Fail(ComfortFailure{
                ComfortFailureKind::NotANumber, b.input, b.value, b.minimum, b.maximum, model, {}});
        }
        if (b.value < b.minimum || b.value > b.maximum) {
            return Fail(ComfortFailure{
                ComfortFailureKind::OutOfRange, b.input, b.value, b.minimum, b.maximum, model, {}});
        }
    }
    return Done{};
}

inline ComfortFailure NoSolution(const char* model, ComfortInput input, double value,
                                 std::string detail) {
    return ComfortFailure{
        ComfortFailureKind::NoSolution, input, value, 0, 0, model, std::move(detail)};
}

} // namespace hygrovane::comfort::detail
