#pragma once

#include <utility>
#include <variant>

namespace hygrovane {

// A value or the typed reason there is none: the one result type of every layer. Shaped like
// std::expected (C++23) so that it can become an alias of it when the toolchain has one; until
// then failure() names the error, as the callers have always read it.
template <typename T, typename E> class Expected {
  public:
    using value_type = T;
    using error_type = E;

    Expected(T value) : outcome_(std::in_place_index<0>, std::move(value)) {}
    Expected(E error) : outcome_(std::in_place_index<1>, std::move(error)) {}

    bool ok() const { return outcome_.index() == 0; }
    bool has_value() const { return ok(); }
    explicit operator bool() const { return ok(); }
    // Only when ok().
    const T& value() const { return std::get<0>(outcome_); }
    T& value() { return std::get<0>(outcome_); }
    const T& operator*() const { return value(); }
    const T* operator->() const { return &value(); }
    // Only when !ok().
    const E& failure() const { return std::get<1>(outcome_); }
    const E& error() const { return failure(); }

  private:
    std::variant<T, E> outcome_;
};

// For commands that either do all they say or change nothing: no value, only the reason.
struct Done {};

} // namespace hygrovane
