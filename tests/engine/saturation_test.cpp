#include "engine/arithmetic_error.h"
#include "engine/saturation.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

using hygrovane::engine::ArithmeticError;
using hygrovane::engine::SatFormulation;
using hygrovane::engine::SaturationPressure;
using hygrovane::engine::SaturationTemperature;

constexpr auto IAPWS = SatFormulation::IAPWS;
constexpr auto HW = SatFormulation::HylandWexler;

// tolerance is half a unit in the last digit of the reference value.
struct PressureCase {
    const char* name;
    double T;
    SatFormulation formulation;
    double expected;
    double tolerance;
};

TEST(SaturationPressure, MatchesReferenceValues) {
    const PressureCase cases[] = {
        {"IAPWS triple point gives the triple-point pressure", 273.16, IAPWS, 611.657, 1e-9},
        {"IAPWS 273.15 K is over ice", 273.15, IAPWS, 611.153, 0.0005},
        {"HW 273.15 K is over liquid water", 273.15, HW, 611.213, 0.0005},
        {"IAPWS normal boiling point", 373.15, IAPWS, 101417.98, 0.005},
        {"HW normal boiling point", 373.15, HW, 101418.72, 0.005},
        {"IAPWS bottom of the range", 173.15, IAPWS, 0.00140485, 5e-9},
        {"HW bottom of the range", 173.15, HW, 0.00140510, 5e-9},
        {"IAPWS top of the range", 473.15, IAPWS, 1554671.9, 0.05},
        {"HW top of the range", 473.15, HW, 1555073.7, 0.05},
        {"IF97 verification value at 300 K", 300, IAPWS, 3536.58941, 0.000005},
        {"IF97 verification value at 500 K", 500, IAPWS, 2638897.76, 0.005},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(SaturationPressure(c.T, c.formulation), c.expected, c.tolerance) << c.name;
    }
}

struct TemperatureCase {
    const char* name;
    double p;
    SatFormulation formulation;
    double expected;
    double tolerance;
    int passes;
};

TEST(SaturationTemperature, MatchesReferenceValuesAndPassCounts) {
    const TemperatureCase cases[] = {
        {"IAPWS closed form at 101325 Pa", 101325, IAPWS, 373.1243, 0.00005, 0},
        {"HW bisection at 101325 Pa", 101325, HW, 373.1241, 0.00005, 29},
        {"IAPWS triple-point pressure uses the bisection", 611.657, IAPWS, 273.159999, 5e-7, 27},
        {"IAPWS just above the triple point uses the closed form", 611.66, IAPWS, 273.16007, 5e-6,
         0},
        {"HW over ice takes as many passes", 100, HW, 253.0, 1.0, 29},
        {"IF97 verification value at 0.1 MPa", 100000, IAPWS, 372.755919, 5e-7, 0},
        {"IF97 verification value at 1 MPa", 1000000, IAPWS, 453.035632, 5e-7, 0},
    };
    for (const auto& c : cases) {
        int passes = -1;
        EXPECT_NEAR(SaturationTemperature(c.p, c.formulation, &passes), c.expected, c.tolerance)
            << c.name;
        EXPECT_EQ(passes, c.passes) << c.name;
    }
}

TEST(SaturationTemperature, InvertsSaturationPressure) {
    for (const auto formulation : {IAPWS, HW}) {
        for (const double T : {180.0, 230.0, 273.15, 300.0, 400.0, 470.0}) {
            const double p = SaturationPressure(T, formulation);
            EXPECT_NEAR(SaturationTemperature(p, formulation), T, 1e-6) << T;
        }
    }
}

// No sign-change test: a pressure below the bracket moves lo every pass, so the result ends just
// below the upper end instead of near 173.15 K.
TEST(SaturationTemperature, PressureOutsideBracketEndsJustBelowUpperEnd) {
    const struct {
        SatFormulation formulation;
        double upperEnd;
        int passes;
    } cases[] = {{IAPWS, 273.16, 27}, {HW, 473.15, 29}};
    for (const auto& c : cases) {
        int passes = 0;
        const double T = SaturationTemperature(0.001, c.formulation, &passes);
        EXPECT_LT(T, c.upperEnd);
        EXPECT_GT(T, c.upperEnd - 0.000001);
        EXPECT_EQ(passes, c.passes);
    }
}

TEST(Saturation, ArithmeticFaultsThrow) {
    for (const auto formulation : {IAPWS, HW}) {
        EXPECT_THROW(SaturationPressure(0, formulation), ArithmeticError);
        EXPECT_THROW(SaturationPressure(-10, formulation), ArithmeticError);
    }
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_THROW(SaturationTemperature(infinity, IAPWS), ArithmeticError);
    EXPECT_THROW(SaturationTemperature(infinity, HW), ArithmeticError);
}

TEST(Saturation, UnknownFormulationReturnsZero) {
    const auto unknown = static_cast<SatFormulation>(3);
    int passes = -1;
    EXPECT_EQ(SaturationPressure(300, unknown), 0.0);
    EXPECT_EQ(SaturationTemperature(1000, unknown, &passes), 0.0);
    EXPECT_EQ(passes, 0);
}

} // namespace
