#pragma once

#include <type_traits>
#include <utility>

// Define HYGROVANE_USE_STD_EXPECTED (C++23) to make Expected and Unexpected the standard ones;
// everything below is written to the subset both share, so nothing else changes.
#if defined(HYGROVANE_USE_STD_EXPECTED)
#include <expected>
#else
#include <variant>
#endif

namespace hygrovane {

#if defined(HYGROVANE_USE_STD_EXPECTED)

template <typename T, typename E> using Expected = std::expected<T, E>;
template <typename E> using Unexpected = std::unexpected<E>;

#else

// The reason a result has no value, spelt out at the return: a value of the error type never
// turns into a failure by itself, so `return "text"` cannot be read as either.
template <typename E> class Unexpected {
  public:
    constexpr explicit Unexpected(E error) : error_(std::move(error)) {}

    constexpr const E& error() const& { return error_; }
    constexpr E& error() & { return error_; }
    constexpr E&& error() && { return std::move(error_); }

  private:
    E error_;
};

template <typename E> Unexpected(E) -> Unexpected<E>;

// A value or the typed reason there is none: the one result type of every layer. It is the
// subset of std::expected (C++23) the tree uses, so that it can become an alias of it.
template <typename T, typename E> class Expected {
  public:
    using value_type = T;
    using error_type = E;

    Expected(T value) : outcome_(std::in_place_index<0>, std::move(value)) {}
    template <typename G>
        requires std::is_constructible_v<E, const G&>
    Expected(const Unexpected<G>& failure) : outcome_(std::in_place_index<1>, failure.error()) {}
    template <typename G>
        requires std::is_constructible_v<E, G>
    Expected(Unexpected<G>&& failure)
        : outcome_(std::in_place_index<1>, std::move(failure).error()) {}

    bool has_value() const { return outcome_.index() == 0; }
    explicit operator bool() const { return has_value(); }
    // Only when has_value().
    const T& value() const { return std::get<0>(outcome_); }
    T& value() { return std::get<0>(outcome_); }
    const T& operator*() const { return value(); }
    T& operator*() { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    // Only when !has_value().
    const E& error() const { return std::get<1>(outcome_); }

  private:
    std::variant<T, E> outcome_;
};

#endif

// The failure factory the returns read: `return Fail(SolveFailure{...});`.
template <typename E> Unexpected<std::decay_t<E>> Fail(E&& error) {
    return Unexpected<std::decay_t<E>>(std::forward<E>(error));
}

// For commands that either do all they say or change nothing: no value, only the reason.
struct Done {};

} // namespace hygrovane
