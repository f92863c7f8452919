#include "engine/arithmetic_error.h"
#include "engine/atmosphere.h"
#include "engine/checked_math.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

using namespace hygrovane::engine;
using hygrovane::SatFormulation;

constexpr auto IAPWS = SatFormulation::IAPWS;
constexpr auto HW = SatFormulation::HylandWexler;
constexpr double kInfinity = std::numeric_limits<double>::infinity();

// A fault is an exception for the calculation's handler, never a NaN or an infinity shown.
TEST(ArithmeticFaults, ThrowInsteadOfReturningNaNOrInfinity) {
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
        {"infinite operand", [] { return checkedExp(-kInfinity); }},
        {"IAPWS saturation pressure at 0 K", [] { return SaturationPressure(0, IAPWS); }},
        {"IAPWS saturation pressure below 0 K", [] { return SaturationPressure(-10, IAPWS); }},
        {"HW saturation pressure at 0 K", [] { return SaturationPressure(0, HW); }},
        {"HW saturation pressure below 0 K", [] { return SaturationPressure(-10, HW); }},
        {"IAPWS saturation temperature", [] { return SaturationTemperature(kInfinity, IAPWS); }},
        {"HW saturation temperature", [] { return SaturationTemperature(kInfinity, HW); }},
        {"IAPWS saturation pressure reaching the total pressure",
         [] { return HumidityRatioFromWetBulb(300, 310, SaturationPressure(300, IAPWS), IAPWS); }},
        {"HW saturation pressure reaching the total pressure",
         [] { return HumidityRatioFromWetBulb(300, 310, SaturationPressure(300, HW), HW); }},
        // The standard atmosphere's base turns negative near 44330.8 m.
        {"altitude above the atmosphere", [] { return PressureFromAltitude(44331); }},
        {"pressure beyond single precision", [] { return PressureFromAltitude(-1e15); }},
        {"altitude of a negative pressure", [] { return AltitudeFromPressure(-1); }},
    };
    for (const auto& f : faults) {
        EXPECT_THROW(f.operation(), ArithmeticError) << f.name;
    }
}

TEST(ArithmeticFaults, ValidOperationsPassThrough) {
    EXPECT_EQ(checkedPow(-3, 2), 9.0) << "integral power of a negative number";
    EXPECT_EQ(checkedPow(0, 3), 0.0);
    EXPECT_EQ(checkedSqrt(0), 0.0);
    EXPECT_EQ(checkedExp(-1000), 0.0) << "underflow to zero is no fault";
    EXPECT_NO_THROW(PressureFromAltitude(44330));
}

} // namespace
