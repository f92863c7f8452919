// ASHRAE 55-2020's comfort zones as envelopes: names with their inputs, the adaptive bands'
// published arithmetic, and the PMV zone judged and measured like any other envelope.

#include "envelope_support.h"
#include "envelopes/catalogue.h"
#include "envelopes/comfort_envelopes.h"

#include "hygrovane/relations.h"

#include <gtest/gtest.h>

namespace hygrovane::envelopes {
namespace {

using test::AirAt;

struct AdaptiveRow {
    const char* name;
    double lowest, highest; // degC
};

TEST(ComfortEnvelopes, AdaptiveBandsAreTheStandardsArithmetic) {
    // t_cmf = 0.31 t_pma + 17.8: 24.0 degC at 20 degC; +-3.5 K (80 %) or +-2.5 K (90 %), the
    // upper limit 1.8 K higher at 0.9 m/s.
    const AdaptiveRow rows[] = {
        {"ashrae-55-2020-adaptive-80", 20.5, 27.5},
        {"ashrae-55-2020-adaptive-90", 21.5, 26.5},
        {"ashrae-55-2020-adaptive-80:tpma=30", 23.6, 30.6},
        {"ashrae-55-2020-adaptive-80:v=0.9", 20.5, 29.3},
        {"ashrae-55-2020-adaptive-90:tpma=10:v=0.1", 18.4, 23.4},
    };
    for (const AdaptiveRow& row : rows) {
        const auto e = EnvelopeFromText(row.name);
        ASSERT_TRUE(e.has_value()) << row.name << ": " << e.error();
        EXPECT_EQ(e->name, row.name);
        ASSERT_EQ(e->edges.size(), 2u) << row.name;
        EXPECT_NEAR(e->edges[0].value - kCelsiusOffset, row.lowest, 1e-9) << row.name;
        EXPECT_NEAR(e->edges[1].value - kCelsiusOffset, row.highest, 1e-9) << row.name;
    }
}

TEST(ComfortEnvelopes, InputsTheModelsCannotTakeAreRefused) {
    for (const char* text :
         {"ashrae-55-2020-pmv:clo", "ashrae-55-2020-pmv:tpma=20", "ashrae-55-2020-pmv:met=x",
          "ashrae-55-2020-pmv:met=9", "ashrae-55-2020-adaptive-80:tpma=5",
          "ashrae-55-2020-adaptive-90:clo=1", "ashrae-55-2021-pmv"}) {
        EXPECT_FALSE(EnvelopeFromText(text).has_value()) << text;
    }
    EXPECT_FALSE(ComfortEnvelopeNamed("ashrae-tc99-2021-a1").has_value());
}

struct PmvRow {
    const char* why;
    const char* name;
    Air air;
    Verdict verdict;
    double lowestBeyond, highestBeyond; // K
};

TEST(ComfortEnvelopes, ThePmvZoneJudgesAndMeasuresLikeAnyEnvelope) {
    // 0.5 clo, 1.1 met, 0.1 m/s: the summer zone, about 23.5-27 degC at 50 % RH; 1.0 clo moves
    // it about 3 K cooler.
    const PmvRow rows[] = {
        {"summer zone's middle", "ashrae-55-2020-pmv", AirAt(26, 50), Verdict::Inside, 0, 0},
        {"warm side", "ashrae-55-2020-pmv", AirAt(31, 50), Verdict::Outside, 3, 5},
        {"cool side", "ashrae-55-2020-pmv", AirAt(20, 50), Verdict::Outside, 3.5, 5.5},
        {"winter clothes", "ashrae-55-2020-pmv:clo=1.0", AirAt(22, 50), Verdict::Inside, 0, 0},
        {"winter clothes, summer air", "ashrae-55-2020-pmv:clo=1.0", AirAt(27, 50),
         Verdict::Outside, 1, 3.5},
        {"a breeze widens the warm side", "ashrae-55-2020-pmv:v=0.8", AirAt(28.5, 50),
         Verdict::Inside, 0, 0},
    };
    for (const PmvRow& row : rows) {
        const auto e = EnvelopeFromText(row.name);
        ASSERT_TRUE(e.has_value()) << row.why;
        const Judgement j = Judge(*e).Assess(row.air);
        EXPECT_EQ(j.verdict, row.verdict) << row.why;
        EXPECT_GE(j.beyond, row.lowestBeyond) << row.why;
        EXPECT_LE(j.beyond, row.highestBeyond) << row.why;
        EXPECT_DOUBLE_EQ(j.gramsBeyond, 0) << row.why;
    }
}

} // namespace
} // namespace hygrovane::envelopes
