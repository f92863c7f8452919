#include "engine/arithmetic_error.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"

#include <gtest/gtest.h>

namespace {

using hygrovane::engine::ArithmeticError;
using hygrovane::engine::HumidityRatioFromWetBulb;
using hygrovane::engine::SatFormulation;
using hygrovane::engine::SaturationPressure;
using hygrovane::engine::WetBulbFromHumidityRatio;

constexpr auto IAPWS = SatFormulation::IAPWS;
constexpr auto HW = SatFormulation::HylandWexler;

TEST(HumidityRatioFromWetBulb, MatchesReferenceValues) {
    const struct {
        const char* name;
        double Twb, T;
        SatFormulation formulation;
        double expected;
        double tolerance;
    } cases[] = {
        {"IAPWS at 25 degC, wet bulb 18 degC", 291.15, 298.15, IAPWS, 0.0100212, 5e-8},
        {"HW at 25 degC, wet bulb 18 degC", 291.15, 298.15, HW, 0.0100188, 5e-8},
        {"wet bulb equal to dry bulb gives saturation", 298.15, 298.15, IAPWS, 0.0200857, 5e-8},
        {"below freezing the equation goes negative", 263.15, 268.15, IAPWS, -0.000392, 5e-7},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(HumidityRatioFromWetBulb(c.Twb, c.T, 101325, c.formulation), c.expected,
                    c.tolerance)
            << c.name;
    }
}

TEST(WetBulbFromHumidityRatio, MatchesReferenceValuesAndPassCounts) {
    const struct {
        const char* name;
        double W;
        SatFormulation formulation;
        double expected;
    } cases[] = {
        {"IAPWS W = 0.01", 0.01, IAPWS, 291.13290},
        {"HW W = 0.01", 0.01, HW, 291.13477},
        {"IAPWS dry air", 0, IAPWS, 281.42133},
        {"HW dry air", 0, HW, 281.42244},
    };
    for (const auto& c : cases) {
        int passes = 0;
        EXPECT_NEAR(WetBulbFromHumidityRatio(c.W, 298.15, 101325, c.formulation, &passes),
                    c.expected, 0.000005)
            << c.name;
        EXPECT_EQ(passes, 27) << c.name;
    }
}

// No sign-change test: a humidity ratio above saturation ends just below the dry bulb.
TEST(WetBulbFromHumidityRatio, AboveSaturationEndsJustBelowDryBulb) {
    const double Twb = WetBulbFromHumidityRatio(0.5, 298.15, 101325, IAPWS);
    EXPECT_LT(Twb, 298.15);
    EXPECT_GT(Twb, 298.15 - 0.000001);
}

TEST(WetBulbFromHumidityRatio, BracketOfZeroWidthTakesOnePass) {
    int passes = 0;
    EXPECT_EQ(WetBulbFromHumidityRatio(0, 173.15, 101325, IAPWS, &passes), 173.15);
    EXPECT_EQ(passes, 1);
}

TEST(WetBulb, SaturationPressureReachingTotalPressureThrows) {
    for (const auto formulation : {IAPWS, HW}) {
        const double P = SaturationPressure(300, formulation);
        EXPECT_THROW(HumidityRatioFromWetBulb(300, 310, P, formulation), ArithmeticError);
    }
}

TEST(WetBulb, UnknownFormulationReturnsZero) {
    const auto unknown = static_cast<SatFormulation>(0);
    int passes = -1;
    EXPECT_EQ(HumidityRatioFromWetBulb(291.15, 298.15, 101325, unknown), 0.0);
    EXPECT_EQ(WetBulbFromHumidityRatio(0.01, 298.15, 101325, unknown, &passes), 0.0);
    EXPECT_EQ(passes, 0);
}

} // namespace
