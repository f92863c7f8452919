#include "engine/atmosphere.h"

#include <gtest/gtest.h>

namespace {

using hygrovane::engine::AltitudeFromPressure;
using hygrovane::engine::PressureFromAltitude;

// Both results are single precision; the shown digits carry that rounding, so compare exactly.
TEST(StandardAtmosphere, ReturnsSinglePrecisionValues) {
    EXPECT_EQ(PressureFromAltitude(0), 101325.0f);
    EXPECT_EQ(PressureFromAltitude(1000), 89874.515625f); // the double result is about 89874.5194
    EXPECT_EQ(PressureFromAltitude(-5000), 177687.453125f);
    EXPECT_EQ(PressureFromAltitude(11000), 22631.90234375f);
    EXPECT_EQ(AltitudeFromPressure(101325), 0.0f);
    EXPECT_EQ(AltitudeFromPressure(100000), 110.88398f);
    EXPECT_EQ(AltitudeFromPressure(50000), 5574.4126f);
    EXPECT_EQ(AltitudeFromPressure(5000), 19322.674f);     // beyond the main window's 11000 m
    EXPECT_EQ(AltitudeFromPressure(1000000), -24199.107f); // below its -5000 m
}

} // namespace
