// Design conditions: the percentile method on a synthetic year, and Chicago's values from its
// hours beside the header's published ones.
#include "climate/design_conditions.h"
#include "climate/epw_reader.h"
#include "climate_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace hygrovane::climate {
namespace {

using namespace testing;

struct Percentile {
    const char* name;
    double fraction;
    double expected; // 8761 - 8760 p for the values 1 ... 8760
};

const Percentile kPercentiles[] = {
    {"cooling 0.4 %", 0.004, 8725.96},   {"cooling 1 %", 0.01, 8673.4},
    {"cooling 2 %", 0.02, 8585.8},       {"heating 99.6 %", 0.996, 36.04},
    {"heating 99 %", 0.99, 88.6},        {"no fraction is the highest", 0.0, 8760},
    {"all hours is the lowest", 1.0, 1}, {"half", 0.5, 4381},
};

void PrintTo(const Percentile& p, std::ostream* out) {
    *out << p.name;
}

class SyntheticYear : public ::testing::TestWithParam<Percentile> {};

TEST_P(SyntheticYear, GivesTheStatedPercentiles) {
    std::vector<double> values(8760);
    std::iota(values.begin(), values.end(), 1.0);
    std::shuffle(values.begin(), values.end(), std::mt19937(20));
    const double v = ValueExceeded(values, GetParam().fraction);
    EXPECT_NEAR(v, GetParam().expected, 1e-9);
    // floor(p N) hours lie at or above it (where p N is at least one hour).
    const double k = GetParam().fraction * 8760;
    const auto atOrAbove =
        std::count_if(values.begin(), values.end(), [v](double x) { return x >= v - 1e-9; });
    if (k >= 1) {
        EXPECT_EQ(atOrAbove, static_cast<long>(std::floor(k + 1e-9)));
    }
}

INSTANTIATE_TEST_SUITE_P(Climate, SyntheticYear, ::testing::ValuesIn(kPercentiles));

TEST(SyntheticStates, CoincidentMeansFollowTheBand) {
    // Dry bulbs 200.00, 200.02, ... K with the wet bulb 5 K below and the dew point 8 K below:
    // each design value's coincident mean is its own value less 5 (or plus 5 or 8), within the
    // asymmetry of the 0.5 K band on a 0.02 K grid.
    HourlyStates states;
    for (int i = 0; i < 8760; ++i) {
        HourState s = HandState(200.0 + 0.02 * i - 273.15, 0.005);
        s.wetBulb = s.dryBulb - 5;
        s.dewPoint = s.dryBulb - 8;
        s.enthalpy = 0.1 * i;
        states.hours.push_back(s);
    }
    const auto d = DesignConditionsOf(states);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->hours, 8760u);
    EXPECT_NEAR(d->cooling[0].dryBulb, 200 + 0.02 * (8760 - 35.04), 1e-9);
    EXPECT_NEAR(d->heating[0], 200 + 0.02 * (36.04 - 1), 1e-9);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(d->cooling[k].meanCoincidentWetBulb, d->cooling[k].dryBulb - 5, 0.015);
        EXPECT_NEAR(d->wetBulb[k].meanCoincidentDryBulb, d->wetBulb[k].wetBulb + 5, 0.015);
        EXPECT_NEAR(d->dewPoint[k].meanCoincidentDryBulb, d->dewPoint[k].dewPoint + 8, 0.015);
        EXPECT_NEAR(d->enthalpy[k], 0.1 * (8760 - 8760 * kCoolingFractions[k]), 1e-9);
    }
}

TEST(SyntheticStates, NoStateNoDesignConditions) {
    HourlyStates states;
    states.hours.resize(10);
    for (HourState& s : states.hours) {
        s.missing = MissingReason::DryBulb;
    }
    const auto d = DesignConditionsOf(states);
    ASSERT_FALSE(d);
    EXPECT_EQ(d.error().kind, DesignFailureKind::NoHours);
}

TEST(Chicago, PublishedDesignConditionsReadBack) {
    const DesignConditions& dc = Chicago().header.designConditions;
    EXPECT_EQ(dc.heating99_6, -20.0);
    EXPECT_EQ(dc.heating99, -16.6);
    const double dry[3] = {33.3, 31.6, 30.1};
    const double wet[3] = {23.7, 23.0, 22.1};
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_EQ(dc.coolingDryBulb[k], dry[k]);
        EXPECT_EQ(dc.coolingWetBulb[k], wet[k]);
    }
}

// A typical year's percentiles lie within about 1.5 K of the long-term handbook values.
TEST(Chicago, DesignConditionsFromTheHoursNearThePublished) {
    const auto d = DesignConditionsOf(ChicagoStates());
    ASSERT_TRUE(d);
    const DesignConditions& dc = Chicago().header.designConditions;
    const auto c = [](double kelvin) { return kelvin - 273.15; };
    EXPECT_EQ(d->hours, 8760u);
    EXPECT_NEAR(c(d->heating[0]), *dc.heating99_6, 1.5);
    EXPECT_NEAR(c(d->heating[1]), *dc.heating99, 1.5);
    for (std::size_t k = 0; k < 3; ++k) {
        EXPECT_NEAR(c(d->cooling[k].dryBulb), *dc.coolingDryBulb[k], 1.5) << k;
        EXPECT_NEAR(c(d->cooling[k].meanCoincidentWetBulb), *dc.coolingWetBulb[k], 1.5) << k;
        // The handbook's wet-bulb, dew-point (with g/kg) and enthalpy designs, fields 8, 16
        // and 25 on of its cooling section.
        EXPECT_NEAR(c(d->wetBulb[k].wetBulb), *dc.coolingFields[8 + 2 * k], 1.5) << k;
        EXPECT_NEAR(c(d->dewPoint[k].dewPoint), *dc.coolingFields[16 + 3 * k], 1.5) << k;
        EXPECT_NEAR(d->dewPoint[k].humidityRatio * 1000, *dc.coolingFields[17 + 3 * k], 1.5) << k;
        EXPECT_NEAR(d->enthalpy[k], *dc.coolingFields[25 + 2 * k], 4.0) << k;
        EXPECT_GT(d->wetBulb[k].meanCoincidentDryBulb, d->wetBulb[k].wetBulb);
    }
    // The order of the fractions: 0.4 % above 1 % above 2 %, 99.6 % below 99 %.
    EXPECT_GT(d->cooling[0].dryBulb, d->cooling[1].dryBulb);
    EXPECT_GT(d->cooling[1].dryBulb, d->cooling[2].dryBulb);
    EXPECT_GT(d->enthalpy[0], d->enthalpy[2]);
    EXPECT_LT(d->heating[0], d->heating[1]);
}

} // namespace
} // namespace hygrovane::climate
