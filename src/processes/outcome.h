#pragma once

#include "hygrovane/solve_result.h"

#include <optional>
#include <string>
#include <utility>

namespace hygrovane::processes {

enum class FailureKind {
    NoApparatusDewPoint, // the coil's line never meets the saturation curve
    Fog,                 // the air would end beyond saturation
    Condensation,        // sensible cooling below the dew point
    OutOfRange,          // the core refused a state; its failure is attached
    BadParameter,        // a parameter the process cannot meet
    NoInput,             // an entering point has no state, or names no point
};

// Why a point or a process has no state. The message is one sentence for the user.
struct ProcessFailure {
    FailureKind kind = FailureKind::BadParameter;
    std::string message;
    std::optional<SolveFailure> core; // OutOfRange: what the core said
};

inline ProcessFailure Failure(FailureKind kind, std::string message) {
    return {kind, std::move(message), std::nullopt};
}

// The core's failure, passed through.
inline ProcessFailure CoreFailure(const SolveFailure& failure) {
    return {FailureKind::OutOfRange, Describe(failure), failure};
}

// A computed value or the reason there is none; never throws.
template <typename T> using Outcome = Expected<T, ProcessFailure>;

} // namespace hygrovane::processes
