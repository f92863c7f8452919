// Streams at their own times brought to one set of steps: nearest within the tolerance or
// interpolated, gaps counted by time, frozen sensors marked.
#include "streams/judgement.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::streams {
namespace {

StreamSeries Series(const std::vector<double>& seconds, const std::vector<double>& t,
                    const std::vector<double>& W) {
    StreamSeries s;
    s.seconds = seconds;
    s.dryBulb = t;
    s.humidity = W;
    s.pressure.assign(seconds.size(), 101325);
    return s;
}

// The outdoor stream every 300 s (the steps); the return every 600 s, 60 s late.
StreamSet Staggered() {
    StreamSet set;
    set[IndexOf(StreamName::Outdoor)] =
        Series({0, 300, 600, 900, 1200}, {0, 1, 2, 3, 4}, {0.003, 0.003, 0.003, 0.003, 0.003});
    set[IndexOf(StreamName::Return)] = Series({60, 660, 1260}, {20, 21, 22}, {0.008, 0.009, 0.010});
    return set;
}

TEST(StreamAlignment, NearestWithinTheToleranceElseAGap) {
    struct Row {
        double tolerance;
        std::vector<double> expected; // the return's dry bulb at each step, NaN for a gap
    };
    const double gap = NAN;
    for (const Row& row : {Row{60, {20, gap, 21, gap, 22}}, Row{240, {20, 20, 21, 21, 22}},
                           Row{59, {gap, gap, gap, gap, gap}}}) {
        AlignmentSettings s;
        s.toleranceSeconds = row.tolerance;
        const AlignedStreams a = Align(Staggered(), s);
        ASSERT_EQ(a.seconds.size(), 5u);
        const auto& back = a.states[IndexOf(StreamName::Return)];
        for (std::size_t i = 0; i < 5; ++i) {
            if (std::isnan(row.expected[i])) {
                EXPECT_FALSE(back[i].Present()) << row.tolerance << " step " << i;
            } else {
                EXPECT_EQ(back[i].dryBulb, row.expected[i]) << row.tolerance << " step " << i;
            }
        }
    }
}

TEST(StreamAlignment, LinearBetweenReadingsNoFurtherApartThanTheTolerance) {
    AlignmentSettings s;
    s.how = Alignment::Linear;
    s.toleranceSeconds = 600;
    const AlignedStreams a = Align(Staggered(), s);
    const auto& back = a.states[IndexOf(StreamName::Return)];
    EXPECT_FALSE(back[0].Present()); // before the first reading
    EXPECT_NEAR(back[1].dryBulb, 20.4, 1e-12);
    EXPECT_NEAR(back[1].humidityRatio, 0.0084, 1e-15); // W interpolated, not the RH
    EXPECT_NEAR(back[3].dryBulb, 21.4, 1e-12);
    s.toleranceSeconds = 599;
    EXPECT_FALSE(Align(Staggered(), s).states[IndexOf(StreamName::Return)][1].Present());
}

TEST(StreamAlignment, GapsAreCountedByTheTimeTheyStandFor) {
    AlignmentSettings s;
    s.toleranceSeconds = 60;
    StreamSet set = Staggered();
    // A step of the outdoor stream missing: 1200 s follows 600 s; it stands for the usual 300 s.
    auto& outdoor = *set[IndexOf(StreamName::Outdoor)];
    outdoor.seconds = {0, 300, 600, 1200};
    outdoor.dryBulb = {0, 1, 2, 4};
    outdoor.humidity = {0.003, 0.003, 0.003, 0.003};
    outdoor.pressure.assign(4, 101325);
    const StreamJudgement j = Judge(set, s, {});
    EXPECT_DOUBLE_EQ(j.summary.hours, 4 * 300 / 3600.0);
    EXPECT_EQ(j.summary.gapSteps[IndexOf(StreamName::Return)], 1u); // 300 s
    EXPECT_DOUBLE_EQ(j.summary.gapHours[IndexOf(StreamName::Return)], 300 / 3600.0);
    EXPECT_EQ(j.summary.gapSteps[IndexOf(StreamName::Outdoor)], 0u);
}

TEST(StreamAlignment, AFrozenSensorIsMarkedFromItsCountOfReadings) {
    struct Row {
        const char* name;
        std::vector<double> t, W;
        std::vector<bool> frozen;
    };
    const std::vector<double> moving = {1, 2, 3, 4, 5, 6};
    for (const Row& row : {
             Row{"three equal dry bulbs", {1, 7, 7, 7, 2, 3}, moving, {0, 1, 1, 1, 0, 0}},
             Row{"two equal dry bulbs", {1, 7, 7, 2, 3, 4}, moving, {0, 0, 0, 0, 0, 0}},
             Row{"humidity stuck at the end", moving, {1, 2, 3, 9, 9, 9}, {0, 0, 0, 1, 1, 1}},
             Row{"a missing reading breaks a run",
                 {7, 7, NAN, 7, 7, 1},
                 moving,
                 {0, 0, 0, 0, 0, 0}},
         }) {
        StreamSeries s = Series({0, 1, 2, 3, 4, 5}, row.t, row.W);
        EXPECT_EQ(FrozenReadings(s, 3), row.frozen) << row.name;
    }
}

} // namespace
} // namespace hygrovane::streams
