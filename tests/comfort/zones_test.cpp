// Comfort zones on the chart plane: the PMV zone against ASHRAE 55's comfort-zone corners, the
// adaptive bands against their models, fixed and user zones, and typed refusals.
#include "comfort/adaptive.h"
#include "comfort/pmv.h"
#include "comfort/pmv_zone.h"
#include "comfort/zones.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::comfort {
namespace {

constexpr double kC = 273.15;

struct Corner {
    double clo;
    double dryBulb;  // degC, as ASHRAE 55-2017 tabulates the zone's corners
    double humidity; // %
    bool warmSide;
};

// ASHRAE 55-2017 graphic comfort zone (1.1 met, 0.1 m/s), the corners at 1.0 and 0.5 clo.
const Corner kAshraeCorners[] = {
    {1.0, 19.6, 86, false}, {1.0, 23.9, 66, true}, {1.0, 25.7, 15, true}, {1.0, 21.2, 20, false},
    {0.5, 23.6, 67, false}, {0.5, 26.8, 56, true}, {0.5, 27.9, 13, true}, {0.5, 24.7, 16, false}};

TEST(PmvZone, Ashrae55CornersWithinFifteenHundredthsOfAKelvin) {
    for (const Corner& c : kAshraeCorners) {
        SCOPED_TRACE(std::to_string(c.clo) + " clo, " + std::to_string(c.humidity) + " %");
        PmvZoneParameters zone;
        zone.model = PmvModel::Ashrae55;
        zone.metabolic = 1.1;
        zone.clothing = c.clo;
        const auto edges = PmvZoneEdges(zone, c.humidity / 100);
        ASSERT_TRUE(edges.has_value()) << Describe(edges.error());
        EXPECT_NEAR((c.warmSide ? edges->upper : edges->lower) - kC, c.dryBulb, 0.15);
    }
}

TEST(PmvZone, EdgesAreWherePmvReachesTheLimitAndPpdLimitNarrowsThem) {
    PmvZoneParameters zone;
    const auto edges = *PmvZoneEdges(zone, 0.5);
    const auto pmvAt = [&](double T) {
        return PmvIso7730({T - kC, T - kC, 0.1, Humidity::Relative(50), 1.1, 0.5, 0},
                          Applicability::Unchecked)
            ->pmv;
    };
    EXPECT_NEAR(pmvAt(edges.lower), -0.5, 1e-9);
    EXPECT_NEAR(pmvAt(edges.upper), 0.5, 1e-9);
    zone.ppd = 10;
    const auto byPpd = *PmvZoneEdges(zone, 0.5);
    EXPECT_NEAR(PpdOf(pmvAt(byPpd.upper)), 10, 1e-7);
    EXPECT_GT(byPpd.lower, edges.lower);
    EXPECT_LT(byPpd.upper, edges.upper);
    // A warmer radiant field moves the zone to cooler air.
    zone.ppd.reset();
    zone.radiantOffset = 2;
    EXPECT_LT(PmvZoneEdges(zone, 0.5)->upper, edges.upper - 0.5);
}

TEST(PmvZone, HumidityLimitCutsTheOutlineAndTheRule) {
    PmvZoneParameters zone;
    zone.maxHumidityRatio = 0.012;
    const auto outline = SolvePmvZone(zone);
    ASSERT_TRUE(outline.has_value());
    double highest = 0;
    for (const ChartPoint& p : *outline) {
        highest = std::max(highest, p.humidityRatio);
    }
    EXPECT_DOUBLE_EQ(highest, 0.012);
    const ChartPoint humid{24 + kC, 0.0125};
    const ChartPoint fine{24 + kC, 0.0115};
    EXPECT_FALSE(*InPmvZone(zone, humid));
    EXPECT_TRUE(*InPmvZone(zone, fine));
    EXPECT_FALSE(Contains(*outline, humid));
    EXPECT_TRUE(Contains(*outline, fine));
    // Above saturation nothing is comfortable.
    EXPECT_FALSE(*InPmvZone(PmvZoneParameters{}, {24 + kC, 0.03}));
}

// The outline's boundaries are searched near their neighbours' answers, and the cooling effect
// near the last one; each vertex must still be where a search of its own puts the edge.
TEST(PmvZone, EveryBoundaryVertexIsWhereItsOwnSolveFindsTheEdge) {
    constexpr int kSteps = 200; // the outline's relative-humidity samples
    struct Row {
        const char* name;
        PmvZoneParameters zone;
    };
    PmvZoneParameters iso;
    PmvZoneParameters ashraeStill;
    ashraeStill.model = PmvModel::Ashrae55;
    ashraeStill.clothing = 1.0;
    PmvZoneParameters ashraeFan = ashraeStill;
    ashraeFan.airSpeed = 0.8;
    ashraeFan.clothing = 0.5;
    PmvZoneParameters byPpd = ashraeFan;
    byPpd.ppd = 10;
    const Row rows[] = {{"ISO 7730", iso},
                        {"ASHRAE 55 at still air", ashraeStill},
                        {"ASHRAE 55 at 0.8 m/s", ashraeFan},
                        {"ASHRAE 55 at 0.8 m/s by PPD", byPpd}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto outline = SolvePmvZone(row.zone);
        ASSERT_TRUE(outline.has_value());
        ASSERT_GT(outline->size(), 2u * (kSteps + 1));
        double worst = 0;
        for (int k = 0; k <= kSteps; k += 4) { // every 2 %: a search of its own is slow
            const auto edges = PmvZoneEdges(row.zone, static_cast<double>(k) / kSteps);
            ASSERT_TRUE(edges.has_value());
            const std::size_t i = static_cast<std::size_t>(k);
            worst = std::max(worst, std::abs((*outline)[i].dryBulb - edges->lower));
            worst = std::max(worst,
                             std::abs((*outline)[outline->size() - 1 - i].dryBulb - edges->upper));
        }
        EXPECT_LT(worst, 1e-8); // the searches stop at 1e-9 K
    }
}

TEST(PmvZone, RefusesParametersItCannotTake) {
    struct Row {
        const char* name;
        PmvZoneParameters zone;
        ComfortInput input;
    };
    PmvZoneParameters noLimit;
    noLimit.pmvLimit = 0;
    PmvZoneParameters ppdFive;
    ppdFive.ppd = 5;
    PmvZoneParameters nanClo;
    nanClo.clothing = NAN;
    PmvZoneParameters hot;
    hot.metabolic = 4; // the neutral air is below 0 degC
    hot.clothing = 2;
    const Row rows[] = {{"no PMV band", noLimit, ComfortInput::Limit},
                        {"PPD at its minimum", ppdFive, ComfortInput::Limit},
                        {"missing clothing", nanClo, ComfortInput::Clothing}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto outline = SolvePmvZone(row.zone);
        ASSERT_FALSE(outline.has_value());
        EXPECT_EQ(outline.error().input, row.input);
        EXPECT_FALSE(InPmvZone(row.zone, {295, 0.008}).has_value());
    }
    const auto none = SolvePmvZone(hot);
    ASSERT_FALSE(none.has_value());
    EXPECT_EQ(none.error().kind, ComfortFailureKind::NoSolution);
}

TEST(AdaptiveZone, BandsAreTheModelsLimitsInAirTemperature) {
    struct Row {
        const char* name;
        AdaptiveZoneModel model;
        double prevailing, speed, offset;
        double low, high; // degC, operative limits of the model
    };
    const Row rows[] = {
        {"ASHRAE 80 %", AdaptiveZoneModel::Ashrae55Acceptability80, 20, 0.1, 0, 20.5, 27.5},
        {"ASHRAE 90 %", AdaptiveZoneModel::Ashrae55Acceptability90, 20, 0.1, 0, 21.5, 26.5},
        {"ASHRAE 80 % with fans", AdaptiveZoneModel::Ashrae55Acceptability80, 20, 1.0, 0, 20.5,
         27.5 + 1.8},
        {"EN category I", AdaptiveZoneModel::En16798CategoryI, 20, 0.1, 0, 22.4, 27.4},
        {"EN category III", AdaptiveZoneModel::En16798CategoryIII, 20, 0.1, 0, 20.4, 29.4},
        // t_o = (t_a + t_r) / 2 with t_r = t_a + 2: the air may be 1 K cooler.
        {"EN category II, warm walls", AdaptiveZoneModel::En16798CategoryII, 20, 0.1, 2, 20.4,
         27.4},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AdaptiveZoneParameters zone;
        zone.model = row.model;
        zone.prevailingMean = row.prevailing;
        zone.airSpeed = row.speed;
        zone.radiantOffset = row.offset;
        const auto band = AdaptiveZone(zone);
        ASSERT_TRUE(band.has_value()) << Describe(band.error());
        EXPECT_NEAR(band->dryBulbLow - kC, row.low, 1e-9);
        EXPECT_NEAR(band->dryBulbHigh - kC, row.high, 1e-9);
        // The rule at the limits (on them counts in) and just beyond.
        const double W = 0.008;
        EXPECT_TRUE(*InAdaptiveZone(zone, {band->dryBulbLow, W}));
        EXPECT_TRUE(*InAdaptiveZone(zone, {band->dryBulbHigh, W}));
        EXPECT_FALSE(*InAdaptiveZone(zone, {band->dryBulbLow - 0.01, W}));
        EXPECT_FALSE(*InAdaptiveZone(zone, {band->dryBulbHigh + 0.01, W}));
    }
    AdaptiveZoneParameters cold;
    cold.prevailingMean = 5;
    EXPECT_EQ(SolveAdaptiveZone(cold).error().input, ComfortInput::PrevailingMean);
}

TEST(AdaptiveZone, AgreesWithTheModelsAcceptabilityHourByHour) {
    AdaptiveZoneParameters zone;
    zone.model = AdaptiveZoneModel::Ashrae55Acceptability90;
    zone.prevailingMean = 24;
    zone.airSpeed = 0.7;
    for (double t = 15; t <= 35; t += 0.1) {
        const bool byModel = AdaptiveAshrae55Of(t, t, 0.7, 24)->acceptable90;
        EXPECT_EQ(*InAdaptiveZone(zone, {t + kC, 0.01}), byModel) << t;
    }
}

TEST(FixedZones, DryBulbAndRelativeHumidityLimits) {
    // The chart's summer zone: 23-25 degC, 45-60 %.
    const BandZone summer = DryBulbHumidityZone(23 + kC, 25 + kC, 0.45, 0.60);
    const PlaneAir air;
    const auto at = [&](double t, double phi) {
        return ChartPoint{t + kC, *HumidityRatioAt(t + kC, phi, air)};
    };
    EXPECT_TRUE(*InBandZone(summer, at(24, 0.50), air));
    EXPECT_TRUE(*InBandZone(summer, at(23, 0.45), air)); // corners count in
    EXPECT_TRUE(*InBandZone(summer, at(25, 0.60), air));
    EXPECT_FALSE(*InBandZone(summer, at(24, 0.44), air));
    EXPECT_FALSE(*InBandZone(summer, at(25.1, 0.50), air));
    const Polygon outline = *BandZoneOutline(summer, air);
    EXPECT_TRUE(Contains(outline, at(23, 0.45)));
    EXPECT_TRUE(Contains(outline, at(25, 0.60)));
    EXPECT_FALSE(Contains(outline, at(24, 0.61)));
}

TEST(UserZones, CornersInEitherPlane) {
    const PlaneAir air;
    const UserZone byRatio{"office",
                           UserZone::Corners::HumidityRatio,
                           {{293.15, 0.004}, {299.15, 0.004}, {297.15, 0.011}, {293.15, 0.011}}};
    EXPECT_TRUE(*InUserZone(byRatio, {296, 0.008}, air));
    EXPECT_FALSE(*InUserZone(byRatio, {299, 0.010}, air)); // beyond the slanted edge
    const UserZone byRh{"lab",
                        UserZone::Corners::RelativeHumidity,
                        {{293.15, 0.3}, {299.15, 0.3}, {299.15, 0.6}, {293.15, 0.6}}};
    const double W = *HumidityRatioAt(296, 0.45, air);
    EXPECT_TRUE(*InUserZone(byRh, {296, W}, air));
    EXPECT_TRUE(Contains(*UserZoneOutline(byRh, air), {296, W}));
    const double humid = *HumidityRatioAt(296, 0.62, air);
    EXPECT_FALSE(*InUserZone(byRh, {296, humid}, air));
    EXPECT_FALSE(Contains(*UserZoneOutline(byRh, air), {296, humid}));

    struct Bad {
        const char* name;
        UserZone zone;
        ComfortInput input;
    };
    const Bad bad[] = {
        {"two corners",
         {"a", UserZone::Corners::HumidityRatio, {{290, 0}, {300, 0}}},
         ComfortInput::Polygon},
        {"relative humidity above 1",
         {"b", UserZone::Corners::RelativeHumidity, {{290, 0.2}, {300, 0.2}, {300, 45}}},
         ComfortInput::RelativeHumidity},
        {"missing dry bulb",
         {"c", UserZone::Corners::HumidityRatio, {{290, 0.0}, {NAN, 0.0}, {300, 0.01}}},
         ComfortInput::DryBulb},
    };
    for (const Bad& row : bad) {
        SCOPED_TRACE(row.name);
        const auto r = UserZoneOutline(row.zone, air);
        ASSERT_FALSE(r.has_value());
        EXPECT_EQ(r.error().input, row.input);
        EXPECT_FALSE(InUserZone(row.zone, {295, 0.008}, air).has_value());
    }
}

TEST(PlaneState, SaturatedRoundOffCountsAsSaturatedAndSupersaturationIsRefused) {
    const PlaneAir air;
    const double T = 295.35;
    const double Ws = *HumidityRatioAt(T, 1.0, air);
    const auto saturated = StateAt({T, Ws}, air);
    ASSERT_TRUE(saturated.has_value()) << Describe(saturated.error());
    // The core's humidity ratio and relative humidity agree to some 3e-8 both ways.
    EXPECT_NEAR(saturated->relativeHumidity, 1.0, 1e-6);
    EXPECT_NEAR(saturated->wetBulb, T, 1e-3);
    const auto fog = StateAt({T, Ws * 1.01}, air);
    ASSERT_FALSE(fog.has_value());
    EXPECT_EQ(fog.error().kind, ComfortFailureKind::CoreFailure);
    const auto half = StateAt({T, *HumidityRatioAt(T, 0.5, air)}, air);
    EXPECT_NEAR(half->relativeHumidity, 0.5, 1e-6);
    EXPECT_LT(half->wetBulb, T - 4);
}

TEST(Polygon, ContainsAndClip) {
    const Polygon square{{0, 0}, {2, 0}, {2, 2}, {0, 2}};
    EXPECT_TRUE(Contains(square, {1, 1}));
    EXPECT_FALSE(Contains(square, {3, 1}));
    EXPECT_FALSE(Contains(square, {1, -0.5}));
    const Polygon half = ClipAbove(square, 1);
    EXPECT_TRUE(Contains(half, {1, 0.5}));
    EXPECT_FALSE(Contains(half, {1, 1.5}));
    EXPECT_TRUE(ClipAbove(square, -1).empty());
}

} // namespace
} // namespace hygrovane::comfort
