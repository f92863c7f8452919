#include "engine/checked_math.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

using namespace hygrovane::engine;

TEST(CheckedMath, FaultsThrowInsteadOfReturningNaNOrInfinity) {
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        const char* name;
        std::function<double()> operation;
    } faults[] = {
        {"log of zero", [] { return checkedLog(0); }},
        {"log of a negative number", [] { return checkedLog(-1); }},
        {"fractional power of a negative number", [] { return checkedPow(-8, 1.0 / 3); }},
        {"fractional power of zero", [] { return checkedPow(0, 0.5); }},
        {"negative power of zero", [] { return checkedPow(0, -2); }},
        {"overflowing power", [] { return checkedPow(1e200, 2); }},
        {"square root of a negative number", [] { return checkedSqrt(-1e-300); }},
        {"division by zero", [] { return checkedDivide(1, 0); }},
        {"overflowing division", [] { return checkedDivide(1e300, 1e-300); }},
        {"exp overflow", [] { return checkedExp(1000); }},
        {"infinite operand", [infinity] { return checkedExp(-infinity); }},
    };
    for (const auto& f : faults) {
        EXPECT_THROW(f.operation(), ArithmeticError) << f.name;
    }
}

TEST(CheckedMath, ValidOperationsPassThrough) {
    EXPECT_EQ(checkedPow(-3, 2), 9.0) << "integral power of a negative number";
    EXPECT_EQ(checkedPow(0, 3), 0.0);
    EXPECT_EQ(checkedSqrt(0), 0.0);
    EXPECT_EQ(checkedExp(-1000), 0.0) << "underflow to zero is no fault";
}

} // namespace
