// The places where the fast searches' shortcuts are least sure of themselves, against the search
// as written: air next to boiling (the fast residual's error bound grows with P / (P - p*), so
// the quick signs give way to the residual itself), dry-air and saturated wet bulbs and dew
// points right at the switch between ice and water (a jump of the residual, which no tangent may
// cross), and the lowest pressures of the brackets.
#include "engine/bisection.h"
#include "engine/constants.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

using hygrovane::SatFormulation;
using namespace hygrovane::engine;

constexpr auto IAPWS = SatFormulation::IAPWS;
constexpr auto HW = SatFormulation::HylandWexler;

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// The wet bulb by the search as written and by the fast one: same result and passes.
::testing::AssertionResult SameWetBulb(double W, double T, double P, SatFormulation f) {
    int plain = -1, fast = -2;
    const double expected = Bisect(
        BisectionSettings{kBracketLow, T},
        [&](double x) { return HumidityRatioFromWetBulb(x, T, P, f) - W; }, &plain);
    const double got = WetBulbFromHumidityRatio(W, T, P, f, &fast);
    if (SameBits(expected, got) && plain == fast) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "W " << W << " T " << T << " P " << P << ": " << expected << " in " << plain
           << " passes, fast " << got << " in " << fast;
}

double SaturationHumidityRatio(double T, double P, SatFormulation f) {
    const double p = SaturationPressure(T, f);
    return 0.62198 * p / (P - p);
}

TEST(SearchEdges, WetBulbNextToBoiling) {
    for (const auto f : {IAPWS, HW}) {
        for (const double T : {313.15, 343.15, 373.15}) {
            for (const double margin : {1e-2, 1e-5, 1e-8, 1e-11}) {
                const double P = SaturationPressure(T, f) * (1 + margin);
                const double Ws = SaturationHumidityRatio(T, P, f);
                for (const double share : {0.0, 1e-6, 0.5, 1.0}) {
                    EXPECT_TRUE(SameWetBulb(share * Ws, T, P, f)) << "margin " << margin;
                }
            }
        }
    }
}

// Humidity ratios whose wet bulb lies on the switch or within a few 1E-9 K of it, so that the
// estimate's confirmation and the midpoints next to the root straddle the jump.
TEST(SearchEdges, WetBulbsAtTheSwitchBetweenIceAndWater) {
    for (const auto f : {IAPWS, HW}) {
        const double jump = f == IAPWS ? 273.16 : 273.15;
        for (const double P : {20000.0, 101325.0}) {
            for (const double T : {jump + 1e-6, 275.0, 290.0, 320.0}) {
                for (const double offset : {0.0, 1e-10, -1e-10, 1e-9, -1e-9, 3e-9, -3e-9, 1e-7}) {
                    const double W = HumidityRatioFromWetBulb(jump + offset, T, P, f);
                    EXPECT_TRUE(SameWetBulb(W, T, P, f)) << "offset " << offset;
                    EXPECT_TRUE(SameWetBulb(std::nextafter(W, 1.0), T, P, f));
                    EXPECT_TRUE(SameWetBulb(std::nextafter(W, 0.0), T, P, f));
                }
            }
        }
    }
}

// Dew points (saturation temperatures) at and next to the switch and at the bracket's ends.
TEST(SearchEdges, SaturationTemperaturesAtTheSwitchAndTheEnds) {
    for (const auto f : {IAPWS, HW}) {
        const double hi = f == IAPWS ? kIapwsBracketHigh : kHylandWexlerBracketHigh;
        for (const double T :
             {273.15, 273.16, 173.15, 173.15 + 1e-9, 273.15 - 1e-9, 273.15 + 1e-9, 273.16 - 1e-9}) {
            for (const double factor : {1.0, 1 + 1e-15, 1 - 1e-15, 1 + 1e-12, 1 - 1e-12}) {
                const double p = SaturationPressure(T, f) * factor;
                if (f == IAPWS && p > 611.657) {
                    continue; // the closed form, no search
                }
                int plain = -1, fast = -2;
                const double expected = Bisect(
                    BisectionSettings{kBracketLow, hi},
                    [&](double x) { return SaturationPressure(x, f) - p; }, &plain);
                const double got = SaturationTemperature(p, f, &fast);
                EXPECT_TRUE(SameBits(expected, got) && plain == fast)
                    << "p " << p << " formulation " << static_cast<int>(f) << ": " << expected
                    << " in " << plain << ", fast " << got << " in " << fast;
            }
        }
    }
}

} // namespace
