// The fast form of the saturation pressure, on which the searches' estimates and quick signs
// rest: the quick signs allow it 1E-12 of ln p, so it must stay well inside that everywhere the
// searches go, on both sides of every switch between ice and water.
#include "engine/saturation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using hygrovane::SatFormulation;
using namespace hygrovane::engine;

constexpr auto IAPWS = SatFormulation::IAPWS;
constexpr auto HW = SatFormulation::HylandWexler;

// Each formulation over each of its branches, up to and just past its switch.
const struct Branch {
    const char* name;
    SatFormulation formulation;
    double low, high; // K
} kBranches[] = {
    {"IAPWS over ice, to the triple point", IAPWS, 173.15, 273.16},
    {"IAPWS over water, from just above the triple point", IAPWS, 273.16 + 1e-12, 473.15},
    {"HW over ice, to just below 273.15 K", HW, 173.15, 273.15 - 1e-12},
    {"HW over water, from 273.15 K", HW, 273.15, 473.15},
};

TEST(FastSaturation, WithinATwentiethOfTheQuickSignsAllowance) {
    for (const Branch& b : kBranches) {
        double worstLog = 0, worstSlope = 0;
        for (int k = 0; k <= 20000; ++k) {
            const double T = b.low + (b.high - b.low) * k / 20000;
            const double exact = SaturationPressure(T, b.formulation);
            const FastSaturation withP = FastSaturationWithSlope(T, b.formulation, true);
            const FastSaturation withLog = FastSaturationWithSlope(T, b.formulation, false);
            worstLog = std::fmax(worstLog, std::fabs(withLog.lnP - std::log(exact)));
            worstLog = std::fmax(worstLog, std::fabs(withP.p / exact - 1));
            // The slope against a centred difference on the same branch.
            const double h = 1e-4;
            const double lo = std::fmax(T - h, b.low), hi = std::fmin(T + h, b.high);
            const double difference = (std::log(SaturationPressure(hi, b.formulation)) -
                                       std::log(SaturationPressure(lo, b.formulation))) /
                                      (hi - lo);
            worstSlope = std::fmax(worstSlope, std::fabs(withP.slope / difference - 1));
        }
        EXPECT_LT(worstLog, 5e-14) << b.name;
        EXPECT_LT(worstSlope, 1e-6) << b.name;
    }
}

// Next to a kept evaluation the tangent stands in for a fresh one; across a switch, or farther
// than 1E-7 K, a fresh evaluation is made and kept.
TEST(FastSaturation, TheTangentServesOnlyNextToTheKeptEvaluationOnItsSide) {
    const struct {
        const char* name;
        SatFormulation formulation;
        double kept, asked; // K
        bool tangent;
    } rows[] = {
        {"IAPWS ice, 9E-8 K above", IAPWS, 200, 200 + 9e-8, true},
        {"IAPWS water, 9E-8 K below", IAPWS, 350, 350 - 9e-8, true},
        {"HW ice, 5E-8 K above", HW, 250, 250 + 5e-8, true},
        {"IAPWS, 2E-7 K away", IAPWS, 300, 300 + 2e-7, false},
        {"IAPWS, across the triple point", IAPWS, 273.16 - 5e-8, 273.16 + 5e-8, false},
        {"HW, across 273.15 K", HW, 273.15 - 5e-8, 273.15, false},
    };
    for (const auto& row : rows) {
        for (const bool wantP : {true, false}) {
            FastSaturationMemo memo;
            FastSaturationNear(row.kept, memo, row.formulation, wantP);
            ASSERT_EQ(memo.T, row.kept) << row.name;
            const FastSaturation near = FastSaturationNear(row.asked, memo, row.formulation, wantP);
            const FastSaturation fresh = FastSaturationWithSlope(row.asked, row.formulation, wantP);
            EXPECT_EQ(memo.T, row.tangent ? row.kept : row.asked) << row.name;
            // As close to the exact pressure as a fresh evaluation (the first test).
            const double exact = SaturationPressure(row.asked, row.formulation);
            if (wantP) {
                EXPECT_NEAR(near.p / exact, 1, 5e-14) << row.name;
            } else {
                EXPECT_NEAR(near.lnP, std::log(exact), 5e-14) << row.name;
            }
            if (!row.tangent) {
                EXPECT_EQ(near.p, fresh.p) << row.name;
                EXPECT_EQ(near.lnP, fresh.lnP) << row.name;
            }
        }
    }
}

} // namespace
