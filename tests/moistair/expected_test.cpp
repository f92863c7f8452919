#include "hygrovane/expected.h"
#include "hygrovane/solve_result.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

namespace hygrovane {
namespace {

// A value of the error type is not a failure until it is spelt out with Fail (or Unexpected):
// before, `return message;` in a function returning Expected<T, std::string> compiled as one.
static_assert(!std::is_convertible_v<std::string, Expected<int, std::string>>);
static_assert(!std::is_constructible_v<Expected<int, std::string>, std::string>);
static_assert(!std::is_convertible_v<const char*, Expected<Done, std::string>>);
static_assert(!std::is_convertible_v<SolveFailure, Result<double>>);
static_assert(std::is_convertible_v<Unexpected<std::string>, Expected<int, std::string>>);
static_assert(std::is_convertible_v<Unexpected<const char*>, Expected<int, std::string>>);
static_assert(std::is_same_v<decltype(Unexpected(std::string())), Unexpected<std::string>>);
static_assert(std::is_same_v<decltype(Fail("text")), Unexpected<const char*>>);

// When the value and the error have the same type, only Fail tells them apart.
Expected<std::string, std::string> Echo(bool refuse) {
    if (refuse) {
        return Fail(std::string("refused"));
    }
    return std::string("echo");
}

TEST(Expected, FailAloneMakesAFailure) {
    struct Row {
        const char* name;
        bool refuse;
        bool hasValue;
        const char* text;
    };
    const Row rows[] = {
        {"a value of the error type returned plainly is the value", false, true, "echo"},
        {"Fail of the same type is the failure", true, false, "refused"},
    };
    for (const Row& row : rows) {
        const auto got = Echo(row.refuse);
        EXPECT_EQ(got.has_value(), row.hasValue) << row.name;
        EXPECT_EQ(static_cast<bool>(got), row.hasValue) << row.name;
        EXPECT_EQ(got.has_value() ? *got : got.error(), row.text) << row.name;
    }
}

TEST(Expected, FailKeepsTheTypedReason) {
    SolveFailure failure;
    failure.kind = FailureKind::PressureTooLow;
    failure.value = 101325;
    const Result<double> result = Fail(failure);
    ASSERT_FALSE(result.has_value());
    EXPECT_EQ(result.error().kind, FailureKind::PressureTooLow);
    EXPECT_EQ(result.error().value, 101325);
}

} // namespace
} // namespace hygrovane
