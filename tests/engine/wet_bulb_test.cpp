#include "engine/wet_bulb.h"

#include <gtest/gtest.h>

namespace {

using hygrovane::SatFormulation;
using hygrovane::engine::HumidityRatioFromWetBulb;
using hygrovane::engine::WetBulbFromHumidityRatio;

constexpr auto IAPWS = SatFormulation::IAPWS;
constexpr auto HW = SatFormulation::HylandWexler;
constexpr auto kUnknown = static_cast<SatFormulation>(0);

TEST(HumidityRatioFromWetBulb, MatchesReferenceValues) {
    const struct {
        const char* name;
        double Twb, T;
        SatFormulation formulation;
        double expected, tolerance;
    } cases[] = {
        {"IAPWS at 25 degC, wet bulb 18 degC", 291.15, 298.15, IAPWS, 0.0100212, 5e-8},
        {"HW at 25 degC, wet bulb 18 degC", 291.15, 298.15, HW, 0.0100188, 5e-8},
        {"wet bulb equal to dry bulb gives saturation", 298.15, 298.15, IAPWS, 0.0200857, 5e-8},
        {"below freezing the equation goes negative", 263.15, 268.15, IAPWS, -0.000392, 5e-7},
        {"unknown formulation gives zero", 291.15, 298.15, kUnknown, 0, 0},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(HumidityRatioFromWetBulb(c.Twb, c.T, 101325, c.formulation), c.expected,
                    c.tolerance)
            << c.name;
    }
}

// A humidity ratio above saturation has no sign-change test: it ends just below the dry bulb.
TEST(WetBulbFromHumidityRatio, MatchesReferenceValuesAndPassCounts) {
    const struct {
        const char* name;
        double W, T;
        SatFormulation formulation;
        double expected, tolerance;
        int passes;
    } cases[] = {
        {"IAPWS W = 0.01", 0.01, 298.15, IAPWS, 291.13290, 5e-6, 27},
        {"HW W = 0.01", 0.01, 298.15, HW, 291.13477, 5e-6, 27},
        {"IAPWS dry air", 0, 298.15, IAPWS, 281.42133, 5e-6, 27},
        {"HW dry air", 0, 298.15, HW, 281.42244, 5e-6, 27},
        {"above saturation", 0.5, 298.15, IAPWS, 298.1499995, 4.99e-7, 27},
        {"bracket of zero width takes one pass", 0, 173.15, IAPWS, 173.15, 0, 1},
        {"unknown formulation gives zero", 0.01, 298.15, kUnknown, 0, 0, 0},
    };
    for (const auto& c : cases) {
        int passes = -1;
        EXPECT_NEAR(WetBulbFromHumidityRatio(c.W, c.T, 101325, c.formulation, &passes), c.expected,
                    c.tolerance)
            << c.name;
        EXPECT_EQ(passes, c.passes) << c.name;
    }
}

} // namespace
