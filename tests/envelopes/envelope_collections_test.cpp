// The ASHRAE collection classes judged on series whose set points in use are known by hand: a
// short spike against the day's mean, a set point moved too far for the season, B's 30 degC
// ceiling, the fixed limits of C and D, in any order of the readings.

#include "envelope_support.h"
#include "envelopes/catalogue.h"
#include "envelopes/collections.h"
#include "envelopes/compliance.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace hygrovane::envelopes {
namespace {

using test::AirAt;

constexpr std::int64_t kHour = 3600;

// Hourly readings of t degC and rh %, the `spike`th (if any) at spikeT instead.
std::vector<Sample> Steady(int hours, double t, double rh, int spike = -1, double spikeT = 0) {
    std::vector<Sample> series;
    for (int h = 0; h < hours; ++h) {
        series.push_back(
            {h * kHour, (h + 1) * kHour, 1, AirAt(h == spike ? spikeT : t, rh), h % 24});
    }
    return series;
}

struct ClassRow {
    const char* why;
    const char* name;
    std::vector<Sample> series;
    double hoursOutside;
    double degreeHours;  // K h
    double percentHours; // %RH h
};

TEST(CollectionClasses, JudgeEachReadingAgainstTheSetPointInUseAndTheSeason) {
    const ClassRow rows[] = {
        {"steady at the set point", "ashrae-collections-aa:rh=50:t=20", Steady(48, 20, 50), 0, 0,
         0},
        // The spike's day mean is (23 + 23 x 20) / 24 = 20.125 degC: 2.875 K off, 0.875 K
        // beyond AA's 2 K.
        {"a 3 K spike after a steady day", "ashrae-collections-aa:rh=50:t=20",
         Steady(48, 20, 50, 30, 23), 1, 0.875, 0},
        {"the same spike within B's 5 K", "ashrae-collections-b:rh=50:t=20",
         Steady(48, 20, 50, 30, 23), 0, 0, 0},
        // AA holds the RH set point all year: 56 % all along is 6 %RH beyond a 50 % set point.
        {"AA's RH set point moved", "ashrae-collections-aa:rh=50:t=20", Steady(10, 20, 56), 10, 0,
         60},
        {"As allows 10 %RH by season", "ashrae-collections-a:rh=50:t=20", Steady(10, 20, 56), 0, 0,
         0},
        {"the year's own average as the set point", "ashrae-collections-aa", Steady(10, 20, 56), 0,
         0, 0},
        // 26 degC against 20: AA allows 5 K up, A1 5 K up, B 10 K up.
        {"AA's temperature 1 K above the season", "ashrae-collections-aa:rh=50:t=20",
         Steady(5, 26, 50), 5, 5, 0},
        {"A1 the same", "ashrae-collections-a1:rh=50:t=20", Steady(5, 26, 50), 5, 5, 0},
        // B: up 10 K from 25 degC, but never above 30 degC: 31 degC is 1 K beyond.
        {"B's ceiling", "ashrae-collections-b:rh=50:t=25", Steady(4, 31, 50), 4, 4, 0},
        {"B's setback has no floor", "ashrae-collections-b:rh=50:t=20", Steady(4, 5, 50), 0, 0, 0},
        {"C: 80 %RH", "ashrae-collections-c", Steady(3, 20, 80), 3, -1, 15},
        {"C: 31 degC", "ashrae-collections-c", Steady(2, 31, 50), 2, 2, 0},
        {"D: 70 %RH", "ashrae-collections-d", Steady(3, 20, 70), 0, 0, 0},
    };
    std::mt19937 shuffle(5);
    for (const ClassRow& row : rows) {
        const auto envelope = EnvelopeFromText(row.name);
        ASSERT_TRUE(envelope.has_value()) << row.why;
        std::vector<Sample> series = row.series;
        for (int round = 0; round < 3; ++round) {
            const Compliance c = Assess(Judge(*envelope), series);
            EXPECT_NEAR(c.hoursOutside, row.hoursOutside, 1e-9) << row.why;
            if (row.degreeHours >= 0) {
                EXPECT_NEAR(c.degreeHours, row.degreeHours, 1e-6) << row.why;
            }
            EXPECT_NEAR(c.percentHours, row.percentHours, 1e-6) << row.why;
            std::shuffle(series.begin(), series.end(), shuffle);
        }
    }
}

TEST(CollectionClasses, TheWindowIsTheReadingsBeforeEachOneAndAGapHoldsNone) {
    // 12 hours at 20 degC, a 2-day gap, then 22.5 degC: after the gap the window holds only
    // the new readings, so nothing fluctuates; with a 100-hour window the first new reading
    // stands against (12 x 20 + 22.5) / 13 = 20.19 degC, 2.31 K off: 0.31 K beyond AA's 2 K.
    std::vector<Sample> series = Steady(12, 20, 50);
    for (int h = 60; h < 64; ++h) {
        series.push_back({h * kHour, (h + 1) * kHour, 1, AirAt(22.5, 50), h % 24});
    }
    const auto day = EnvelopeFromText("ashrae-collections-aa:rh=50:t=20");
    const auto long_ = EnvelopeFromText("ashrae-collections-aa:rh=50:t=20:window=100");
    ASSERT_TRUE(day && long_);
    EXPECT_DOUBLE_EQ(Assess(Judge(*day), series).hoursOutside, 0);
    const Compliance c = Assess(Judge(*long_), series);
    EXPECT_GE(c.hoursOutside, 1);
    ASSERT_TRUE(c.worst.has_value());
    EXPECT_EQ(c.worst->start, 60 * kHour);
    const double first = 22.5 - (12 * 20 + 22.5) / 13 - 2;
    EXPECT_GE(c.degreeHours, first);
}

TEST(CollectionClasses, NamesAndInputsAreReadOrRefused) {
    EXPECT_EQ(CollectionNames().size(), 6u);
    for (const std::string& name : CollectionNames()) {
        EXPECT_TRUE(EnvelopeFromText(name).has_value()) << name;
    }
    for (const char* text :
         {"ashrae-collections-e", "ashrae-collections-aa:rh", "ashrae-collections-aa:x=1",
          "ashrae-collections-aa:window=0", "ashrae-collections-c:rh=50"}) {
        EXPECT_FALSE(EnvelopeFromText(text).has_value()) << text;
    }
}

} // namespace
} // namespace hygrovane::envelopes
