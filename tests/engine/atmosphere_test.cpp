#include "engine/arithmetic_error.h"
#include "engine/atmosphere.h"

#include <gtest/gtest.h>

namespace {

using hygrovane::engine::AltitudeFromPressure;
using hygrovane::engine::ArithmeticError;
using hygrovane::engine::PressureFromAltitude;

// Both results are single precision; the shown digits carry that rounding, so compare exactly.
TEST(PressureFromAltitude, ReturnsSinglePrecisionValues) {
    const struct {
        double z;
        float expected;
    } cases[] = {
        {0, 101325.0f},
        {1000, 89874.515625f}, // the double result is about 89874.5194
        {-5000, 177687.453125f},
        {11000, 22631.90234375f},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PressureFromAltitude(c.z), c.expected) << c.z << " m";
    }
}

TEST(AltitudeFromPressure, ReturnsSinglePrecisionValues) {
    const struct {
        double p;
        float expected;
    } cases[] = {
        {101325, 0.0f},         {100000, 110.88398f},
        {50000, 5574.4126f},    {5000, 19322.674f}, // beyond the main window's 11000 m
        {1000000, -24199.107f},                     // below its -5000 m
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AltitudeFromPressure(c.p), c.expected) << c.p << " Pa";
    }
}

TEST(StandardAtmosphere, ArithmeticFaultsThrow) {
    EXPECT_NO_THROW(PressureFromAltitude(44330)); // the base turns negative near 44330.8 m
    EXPECT_THROW(PressureFromAltitude(44331), ArithmeticError) << "negative base";
    EXPECT_THROW(PressureFromAltitude(-1e15), ArithmeticError) << "beyond single precision";
    EXPECT_THROW(AltitudeFromPressure(-1), ArithmeticError);
}

} // namespace
