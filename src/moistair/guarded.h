#pragma once

#include "engine/arithmetic_error.h"
#include "hygrovane/solve_result.h"

namespace hygrovane::moistair {

// Runs a step of the calculation; an arithmetic fault inside it comes back as a typed failure,
// so that no exception leaves the core.
template <typename Step> auto Guarded(Step step) -> decltype(step()) {
    try {
        return step();
    } catch (const engine::ArithmeticError& error) {
        SolveFailure failure;
        failure.kind = FailureKind::ArithmeticFault;
        failure.detail = error.what();
        return Fail(failure);
    }
}

} // namespace hygrovane::moistair
