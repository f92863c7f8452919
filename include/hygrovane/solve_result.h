#pragma once

#include "hygrovane/conditions.h"
#include "hygrovane/moist_air_state.h"

#include <string>
#include <utility>
#include <variant>

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

// A computed value or the reason there is none.
template <typename T> class Result {
  public:
    Result(T value) : outcome_(std::move(value)) {}
    Result(SolveFailure failure) : outcome_(std::move(failure)) {}

    bool ok() const { return outcome_.index() == 0; }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    const T& value() const { return std::get<0>(outcome_); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    // Only when !ok().
    const SolveFailure& failure() const { return std::get<1>(outcome_); }

  private:
    std::variant<T, SolveFailure> outcome_;
};

} // namespace hygrovane
