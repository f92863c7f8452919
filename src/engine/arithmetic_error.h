#pragma once

#include <stdexcept>
#include <string>

namespace hygrovane::engine {

// Raised for every arithmetic fault of a calculation (log or fractional power of a non-positive
// number, square root of a negative number, division by zero, overflow, a non-finite result).
// The calculation's single handler catches it; nothing returns NaN or infinity instead.
class ArithmeticError : public std::runtime_error {
  public:
    explicit ArithmeticError(const std::string& what) : std::runtime_error(what) {}
};

} // namespace hygrovane::engine
