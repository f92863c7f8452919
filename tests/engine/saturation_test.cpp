#include "engine/saturation.h"

#include <gtest/gtest.h>

namespace {

using hygrovane::SatFormulation;
using hygrovane::engine::SaturationPressure;
using hygrovane::engine::SaturationTemperature;

constexpr auto IAPWS = SatFormulation::IAPWS;
constexpr auto HW = SatFormulation::HylandWexler;
constexpr auto kUnknown = static_cast<SatFormulation>(3);

// The tolerance is half a unit in the last digit of the reference value.
TEST(SaturationPressure, MatchesReferenceValues) {
    const struct {
        const char* name;
        double T;
        SatFormulation formulation;
        double expected, tolerance;
    } cases[] = {
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
        {"unknown formulation gives zero", 300, kUnknown, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(SaturationPressure(c.T, c.formulation), c.expected, c.tolerance) << c.name;
    }
}

// A pressure outside the bracket has no sign-change test: it moves one end every pass, so the
// result ends just below (never at) the upper end instead of near 173.15 K.
TEST(SaturationTemperature, MatchesReferenceValuesAndPassCounts) {
    const struct {
        const char* name;
        double p;
        SatFormulation formulation;
        double expected, tolerance;
        int passes;
    } cases[] = {
        {"IAPWS closed form at 101325 Pa", 101325, IAPWS, 373.1243, 0.00005, 0},
        {"HW bisection at 101325 Pa", 101325, HW, 373.1241, 0.00005, 29},
        {"IAPWS triple-point pressure uses the bisection", 611.657, IAPWS, 273.159999, 5e-7, 27},
        {"IAPWS just above the triple point: closed form", 611.66, IAPWS, 273.16007, 5e-6, 0},
        {"HW over ice takes as many passes", 100, HW, 253.0, 1.0, 29},
        {"IF97 verification value at 0.1 MPa", 100000, IAPWS, 372.755919, 5e-7, 0},
        {"IF97 verification value at 1 MPa", 1000000, IAPWS, 453.035632, 5e-7, 0},
        {"IAPWS below the bracket ends below 273.16 K", 0.001, IAPWS, 273.1599995, 4.99e-7, 27},
        {"HW below the bracket ends below 473.15 K", 0.001, HW, 473.1499995, 4.99e-7, 29},
        {"unknown formulation gives zero", 1000, kUnknown, 0, 0, 0},
    };
    for (const auto& c : cases) {
        int passes = -1;
        const double T = SaturationTemperature(c.p, c.formulation, &passes);
        EXPECT_NEAR(T, c.expected, c.tolerance) << c.name;
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

} // namespace
