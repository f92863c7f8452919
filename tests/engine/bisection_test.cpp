// The searches of the saturation temperature and the wet bulb: an exact root ends them, and the
// fast search gives the midpoints, passes and result of the search as written.
#include "engine/bisection.h"
#include "engine/constants.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>

namespace {

using hygrovane::SatFormulation;
using namespace hygrovane::engine;

constexpr auto IAPWS = SatFormulation::IAPWS;
constexpr auto HW = SatFormulation::HylandWexler;

// The k-th midpoint of a bracket on the way down to its lower end, computed as the search does.
double Midpoint(double lo, double hi, int k) {
    double mid = hi;
    for (int i = 0; i < k; ++i) {
        mid = (mid + lo) * 0.5;
    }
    return mid;
}

// Each root is a midpoint of its bracket (173.15 K up to 273.16 K for IAPWS below the triple
// point, up to 473.15 K for Hyland-Wexler, up to the dry bulb for the wet bulb), or its lower
// end: the search ends there instead of walking up to the upper end.
TEST(Bisection, AnExactRootEndsTheSearch) {
    const struct {
        SatFormulation formulation;
        double hi;
        int midpoint; // 0: the lower end
    } saturation[] = {{HW, 473.15, 1},    {HW, 473.15, 2},    {HW, 473.15, 3},   {HW, 473.15, 0},
                      {IAPWS, 273.16, 1}, {IAPWS, 273.16, 2}, {IAPWS, 273.16, 0}};
    for (const auto& row : saturation) {
        const double root = row.midpoint == 0 ? 173.15 : Midpoint(173.15, row.hi, row.midpoint);
        int passes = -1;
        EXPECT_EQ(SaturationTemperature(SaturationPressure(root, row.formulation), row.formulation,
                                        &passes),
                  root)
            << static_cast<int>(row.formulation) << " midpoint " << row.midpoint;
        EXPECT_EQ(passes, row.midpoint);
    }
    const double T = 323.15, P = 101325;
    for (const auto formulation : {IAPWS, HW}) {
        for (int k = 1; k <= 3; ++k) {
            const double root = Midpoint(173.15, T, k);
            const double W = HumidityRatioFromWetBulb(root, T, P, formulation);
            int passes = -1;
            EXPECT_EQ(WetBulbFromHumidityRatio(W, T, P, formulation, &passes), root) << k;
            EXPECT_EQ(passes, k);
        }
    }
}

// The search as written, for comparison.
double PlainWetBulb(double W, double T, double P, SatFormulation f, int* passes) {
    return Bisect(
        BisectionSettings{kBracketLow, T},
        [&](double x) { return HumidityRatioFromWetBulb(x, T, P, f) - W; }, passes);
}
double PlainSaturationTemperature(double p, SatFormulation f, int* passes) {
    const double hi = f == IAPWS ? kIapwsBracketHigh : kHylandWexlerBracketHigh;
    return Bisect(
        BisectionSettings{kBracketLow, hi}, [&](double x) { return SaturationPressure(x, f) - p; },
        passes);
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// States of every kind: ordinary ones, saturated air and a little beyond it, dry and negative
// humidity ratios, dry bulbs rounded to 32 bits just below the bracket, roots at the jumps of
// the saturation pressure between ice and water, pressures outside the brackets.
TEST(Bisection, TheFastSearchGivesTheSameResultAndPasses) {
    std::mt19937_64 random(20261206);
    std::uniform_real_distribution<double> u(0, 1);
    int compared = 0;
    for (int n = 0; n < 40000; ++n) {
        const SatFormulation f = n % 2 == 0 ? IAPWS : HW;
        double T = static_cast<float>(173.15 + 200 * u(random));
        if (n % 7 == 0) {
            T = static_cast<float>(273.1 + 0.2 * u(random));
        } else if (n % 11 == 0) {
            T = n % 22 == 0 ? static_cast<double>(173.15F) : 173.15 + 1e-5 * u(random);
        }
        const double P = 5000 * std::pow(200.0, u(random));
        const double pws = SaturationPressure(T, f);
        if (pws < P) {
            const double Ws = 0.62198 * pws / (P - pws);
            const double kinds[] = {0, Ws, Ws * (1 + 1e-7 * u(random)), -0.001 * u(random),
                                    Ws * u(random)};
            const double W = kinds[n % 5];
            int plain = -1, fast = -2;
            const double expected = PlainWetBulb(W, T, P, f, &plain);
            const double got = WetBulbFromHumidityRatio(W, T, P, f, &fast);
            EXPECT_TRUE(SameBits(expected, got) && plain == fast)
                << "wet bulb, T " << T << " P " << P << " W " << W << " formulation "
                << static_cast<int>(f);
            ++compared;
        }
        const double top = f == IAPWS ? 611.657 : 2e6;
        double p = 0.0005 * std::pow(top / 0.0005, u(random));
        switch (n % 6) {
        case 0:
            p = f == IAPWS ? 611.657 * (1 - 1e-9 * u(random)) : 611.15 + 0.07 * u(random);
            break;
        case 1:
            p = SaturationPressure(273.15 + (u(random) - 0.5) * 1e-6, f);
            break;
        case 2:
            p = static_cast<float>(p);
            break;
        default:
            break;
        }
        int plain = -1, fast = -2;
        const double expected = PlainSaturationTemperature(p, f, &plain);
        const double got = SaturationTemperature(p, f, &fast);
        if (f == HW || p <= 611.657) {
            EXPECT_TRUE(SameBits(expected, got) && plain == fast)
                << "saturation temperature, p " << p << " formulation " << static_cast<int>(f);
            ++compared;
        }
    }
    EXPECT_GT(compared, 60000);
}

} // namespace
