#include "chart/label_placer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace hygrovane::chart {
namespace {

const MeasureText kMeasure = FixedWidthMeasure(7, 12);

void ExpectApartAndInside(const std::vector<PlacedLabel>& placed, const LabelField& field) {
    for (std::size_t i = 0; i < placed.size(); ++i) {
        EXPECT_TRUE(placed[i].placed) << i;
        EXPECT_TRUE(placed[i].box.inside(field.frame)) << i;
        for (const LabelRect& o : field.obstacles) {
            EXPECT_FALSE(placed[i].box.overlaps(o)) << i;
        }
        for (std::size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(placed[i].box.grown(field.gap).overlaps(placed[j].box))
                << i << " on " << j;
        }
    }
}

LabelRequest At(std::string text, PixelPoint p) {
    LabelRequest r;
    r.text = std::move(text);
    r.anchor = p;
    r.at = p;
    return r;
}

TEST(LabelPlacer, AFreeLabelStandsWhereItAsked) {
    const LabelField field{{0, 0, 400, 300}, {}, 2, 1};
    const auto placed = PlaceLabels({At("SHR 0.75", {100, 100})}, field, kMeasure);
    ASSERT_EQ(placed.size(), 1U);
    EXPECT_DOUBLE_EQ(placed[0].box.centre().x, 100);
    EXPECT_DOUBLE_EQ(placed[0].box.centre().y, 100);
    EXPECT_DOUBLE_EQ(placed[0].box.width, 8 * 7 + 4);
    EXPECT_FALSE(placed[0].leader);
}

// The cases that collide today: names on one point, a label on the state point, a label asked
// for across the frame's edge, and a crowd far larger than the space near it.
TEST(LabelPlacer, CrowdedLabelsEndApartInsideTheFrameAndClearOfObstacles) {
    const struct {
        const char* name;
        std::vector<LabelRequest> requests;
        std::vector<LabelRect> obstacles;
    } rows[] = {
        {"two names on one point", {At("Supply", {200, 150}), At("ADP / 10", {200, 150})}, {}},
        {"a label on the state point's box", {At("Room supply", {200, 150})}, {{180, 140, 60, 20}}},
        {"asked for across the right edge", {At("95 %", {398, 150}), At("90 %", {398, 152})}, {}},
        {"asked for across the top-left corner", {At("SHR 0.75", {0, 0})}, {}},
        {"forty on one spot",
         [] {
             std::vector<LabelRequest> many;
             for (int i = 0; i < 40; ++i) {
                 many.push_back(At("Point " + std::to_string(i), {200, 150}));
             }
             return many;
         }(),
         {{0, 0, 120, 40}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const LabelField field{{0, 0, 400, 300}, row.obstacles, 2, 2};
        ExpectApartAndInside(PlaceLabels(row.requests, field, kMeasure), field);
    }
}

TEST(LabelPlacer, ALabelSlidesAlongItsLineBeforeTakingALeader) {
    const LabelField field{{0, 0, 400, 300}, {{80, 90, 40, 20}}, 2, 1};
    LabelRequest r = At("60 %", {100, 100});
    r.line = {{100, 100}, {300, 100}};
    const auto placed = PlaceLabels({r}, field, kMeasure);
    EXPECT_FALSE(placed[0].leader);
    EXPECT_DOUBLE_EQ(placed[0].box.centre().y, 100); // on the line, moved along it
    EXPECT_GT(placed[0].box.left, 120);
    EXPECT_LT(placed[0].box.left, 140);

    // Not allowed a leader and nowhere free: left where it asked, and said so.
    LabelRequest fixed = At("60 %", {100, 100});
    fixed.leader = false;
    const auto blocked = PlaceLabels({fixed}, field, kMeasure);
    EXPECT_FALSE(blocked[0].placed);

    // Allowed one: stands off, with a leader.
    const auto off = PlaceLabels({At("60 %", {100, 100})}, field, kMeasure);
    EXPECT_TRUE(off[0].placed);
    EXPECT_TRUE(off[0].leader);
    EXPECT_FALSE(off[0].box.overlaps(field.obstacles[0]));
}

TEST(LabelPlacer, ARegionBeyondTheFrameIsKeptToWhenGiven) {
    const LabelField field{{0, 50, 400, 250}, {}, 2, 1};
    LabelRequest above = At("60", {200, 40});
    above.regions = {{0, 0, 400, 50}};
    const auto placed = PlaceLabels({above, At("70", {200, 40})}, field, kMeasure);
    EXPECT_TRUE(placed[0].box.inside({0, 0, 400, 50}));
    EXPECT_TRUE(placed[1].box.inside(field.frame)); // moved into the frame
}

// Random crowds in small frames: whatever is asked, every label placed apart and inside.
TEST(LabelPlacer, RandomCrowdsAreAlwaysPlacedApart) {
    std::mt19937 random(28);
    for (int round = 0; round < 50; ++round) {
        SCOPED_TRACE(round);
        std::uniform_real_distribution<double> x(-20, 420), y(-20, 320);
        std::vector<LabelRequest> requests;
        const int n = 5 + round % 30;
        for (int i = 0; i < n; ++i) {
            LabelRequest r = At("L" + std::to_string(i * 37), {x(random), y(random)});
            if (i % 3 == 0) {
                r.line = {r.at, {x(random), y(random)}};
            }
            requests.push_back(r);
        }
        const LabelField field{{0, 0, 400, 300}, {{x(random), y(random), 50, 30}}, 2, 2};
        ExpectApartAndInside(PlaceLabels(requests, field, kMeasure), field);
    }
}

} // namespace
} // namespace hygrovane::chart
