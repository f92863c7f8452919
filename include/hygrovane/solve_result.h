#pragma once

#include "hygrovane/conditions.h"
#include "hygrovane/expected.h"
#include "hygrovane/moist_air_state.h"

#include <string>

namespace hygrovane {

enum class FailureKind {
    OutOfRange,      // an input lies outside its limits
    PressureTooLow,  // the saturation pressure at the dry bulb reaches the ambient pressure
    ArithmeticFault, // a division by zero, an overflow or a logarithm of a non-positive number
};

// The inputs of Conditions that can be out of range.
enum class InputField { DryBulb, Pressure, Altitude, Humidity };

// Why no state could be computed.
struct SolveFailure {
    FailureKind kind = FailureKind::ArithmeticFault;
    InputField field = InputField::Humidity;                       // OutOfRange: which input
    HumidityInput humidityInput = HumidityInput::RelativeHumidity; // when field is Humidity
    // OutOfRange: the offending value and the limits it broke (internal units).
    // PressureTooLow: the saturation pressure, and the range below the ambient pressure.
    double value = 0;
    Range allowed;
    std::string detail; // ArithmeticFault: what went wrong

    bool belowMinimum() const { return value < allowed.minimum; }
};

// One sentence on the failure in internal units, for logs and messages.
std::string Describe(const SolveFailure& failure);

// A computed state (or step) of the core, or why there is none.
template <typename T> using Result = Expected<T, SolveFailure>;

} // namespace hygrovane
