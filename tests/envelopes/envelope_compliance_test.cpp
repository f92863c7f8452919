// The time a series stays inside an envelope, on series whose excursions are known by hand.

#include "envelope_support.h"
#include "envelopes/catalogue.h"
#include "envelopes/compliance.h"

#include "hygrovane/relations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace hygrovane::envelopes {
namespace {

using test::AirAt;
using test::AirWithDewPoint;

struct BeyondRow {
    const char* why;
    Air air;
    double expected; // K
};

TEST(EnvelopeBeyond, IsTheLargerOfTheDryBulbAndTheDewPointOvershoot) {
    const Judge a1(*EnvelopeNamed("ashrae-tc99-2021-a1"));
    const BeyondRow rows[] = {
        {"2 K above 32 degC", AirWithDewPoint(34, 10), 2.0},
        {"1 K above the 17 degC dew point", AirWithDewPoint(25, 18), 1.0},
        {"beyond a corner: the larger", AirWithDewPoint(35, 18.5), 3.0},
        // 90 % RH at 20 degC against 80 %: the dew points of the two vapour pressures.
        {"the 80 % edge as a dew point", AirAt(20, 90), 1.8631},
        {"5 K below 15 degC", AirAt(10, 50), 5.0},
    };
    for (const BeyondRow& row : rows) {
        const Judgement judgement = a1.Assess(row.air);
        EXPECT_EQ(judgement.verdict, Verdict::Outside) << row.why;
        EXPECT_NEAR(judgement.beyond, row.expected, 2e-4) << row.why;
    }
    EXPECT_EQ(a1.Assess(AirAt(22, 50)).beyond, 0.0);
}

constexpr std::int64_t kHour = 3600;

// A reading of t degC (40 % RH) from hour `from` for `hours`, in the clock hour it starts in;
// none when t is NaN.
Sample At(double from, double hours, double t, int month) {
    Sample s{std::llround(from * kHour),
             std::llround((from + hours) * kHour),
             month,
             {},
             static_cast<int>(from) % 24};
    if (!std::isnan(t)) {
        s.air = AirAt(t, 40);
    }
    return s;
}

// 20-24 degC, nothing else: how far beyond is plain arithmetic.
const Envelope kBand{"band",
                     "test",
                     "20-24 degC",
                     {{Quantity::DryBulb, Side::Lowest, 293.15, DewReading::OverIce},
                      {Quantity::DryBulb, Side::Highest, 297.15, DewReading::OverIce}}};

std::vector<Sample> HandSeries() {
    const double missing = std::nan("");
    return {
        At(0, 1, 22, 1),      // inside
        At(1, 1, 25, 1),      // excursion 1: 1 K ...
        At(2, 1, 26, 1),      // ... 2 K: 2 h, 3 K h
        At(3, 1, 23, 1),      // inside
        At(4, 1, 18, 2),      // excursion 2: 1 h, 2 K h, ended by ...
        At(5, 1, missing, 2), // ... a missing reading
        At(6, 1, 17, 2),      // excursion 3: 2 h, 6 K h
        At(7, 1, 17, 2),      //
                              // 08:00-09:00 not logged: ends it
        At(9, 1, 27, 2),      // excursion 4: 1.5 h, 4.5 K h
        At(10, 0.5, 27, 2),   //
                              // 10:30-11:00 not logged
        At(11, 1, 30, 2),     // excursion 5: 1 h, 6 K h
    };
}

void ExpectHandFigures(const Compliance& c) {
    EXPECT_DOUBLE_EQ(c.hours, 10.5);
    EXPECT_DOUBLE_EQ(c.hoursInside, 2);
    EXPECT_DOUBLE_EQ(c.hoursOutside, 7.5);
    EXPECT_DOUBLE_EQ(c.hoursMissing, 1);
    EXPECT_NEAR(c.PercentInside(), 100 * 2 / 10.5, 1e-12);
    EXPECT_EQ(c.excursionCount, 5u);
    EXPECT_DOUBLE_EQ(c.longestHours, 2);
    EXPECT_DOUBLE_EQ(c.excursionHours, 7.5);
    EXPECT_NEAR(c.degreeHours, 21.5, 1e-9);
    // Two excursions of 6 K h: the longer one, 06:00-08:00, is the worst.
    ASSERT_TRUE(c.worst.has_value());
    EXPECT_EQ(c.worst->start, 6 * kHour);
    EXPECT_EQ(c.worst->end, 8 * kHour);
    EXPECT_NEAR(c.worst->degreeHours, 6, 1e-9);
    EXPECT_DOUBLE_EQ(c.months[0].hours, 4);
    EXPECT_DOUBLE_EQ(c.months[0].PercentInside(), 50);
    EXPECT_DOUBLE_EQ(c.months[1].hours, 6.5);
    EXPECT_DOUBLE_EQ(c.months[1].hoursInside, 0);
    EXPECT_DOUBLE_EQ(c.months[2].hours, 0);
    // By hour of the day: 00:00 inside, 05:00 missing, 08:00 not logged, 10:00 half an hour.
    EXPECT_DOUBLE_EQ(c.hoursOfDay[0].PercentInside(), 100);
    EXPECT_DOUBLE_EQ(c.hoursOfDay[5].hours, 1);
    EXPECT_DOUBLE_EQ(c.hoursOfDay[5].hoursInside, 0);
    EXPECT_DOUBLE_EQ(c.hoursOfDay[8].hours, 0);
    EXPECT_DOUBLE_EQ(c.hoursOfDay[10].hours, 0.5);
}

TEST(EnvelopeCompliance, CountsHandKnownExcursionsGapsAndMissingReadings) {
    const std::vector<Sample> series = HandSeries();
    ExpectHandFigures(Assess(Judge(kBand), series));
}

TEST(EnvelopeCompliance, ReadingsOutOfOrderGiveTheSameFigures) {
    std::vector<Sample> series = HandSeries();
    std::mt19937 shuffle(7);
    for (int round = 0; round < 5; ++round) {
        std::shuffle(series.begin(), series.end(), shuffle);
        ExpectHandFigures(Assess(Judge(kBand), series));
    }
}

TEST(EnvelopeCompliance, WeighsReadingsByTheirTimeNotTheirCount) {
    // Twelve 5-minute readings outside then one hourly reading inside: half the time each.
    std::vector<Sample> series;
    for (int i = 0; i < 12; ++i) {
        series.push_back(At(i / 12.0, 1 / 12.0, 25, 3));
    }
    series.push_back(At(1, 1, 22, 3));
    const Compliance c = Assess(Judge(kBand), series);
    EXPECT_NEAR(c.PercentInside(), 50, 1e-9);
    EXPECT_EQ(c.excursionCount, 1u);
    EXPECT_NEAR(c.longestHours, 1, 1e-9);
    EXPECT_NEAR(c.degreeHours, 1, 1e-9);
}

TEST(EnvelopeCompliance, AirTheCoreRefusesCountsAsMissingNeverInside) {
    std::vector<Sample> series = {At(0, 1, 22, 5), At(1, 1, 22, 5)};
    series[1].air->humidityRatio = 0.5; // far above saturation at 22 degC
    const Compliance c = Assess(Judge(kBand), series);
    EXPECT_DOUBLE_EQ(c.hoursInside, 1);
    EXPECT_DOUBLE_EQ(c.hoursMissing, 1);
    EXPECT_EQ(c.excursionCount, 0u);
    EXPECT_FALSE(c.worst.has_value());
    EXPECT_DOUBLE_EQ(Assess(Judge(kBand), std::vector<Sample>{}).PercentInside(), 0);
}

// Limits on one quantity from `low` to `high` in its unit (dew points and dry bulbs in degC).
Envelope Band(Quantity quantity, double low, double high) {
    const double offset =
        quantity == Quantity::DryBulb || quantity == Quantity::DewPoint ? kCelsiusOffset : 0;
    return {"band",
            "test",
            "",
            {{quantity, Side::Lowest, low + offset, DewReading::OverIce},
             {quantity, Side::Highest, high + offset, DewReading::OverIce}}};
}

// Humidity ratio (kg/kg) of vapour pressure p at sea level.
double RatioOf(double p) {
    return 0.62198 * p / (test::kSeaLevel - p);
}

struct MoistureRow {
    const char* why;
    Envelope envelope;
    Air air;
    double grams;   // g/kg
    double percent; // %RH
};

TEST(EnvelopeBeyond, GramsAndPercentAreTheOvershootOfTheirOwnEdgesOnly) {
    const Envelope ratio = Band(Quantity::HumidityRatio, 0.008, 0.010);
    const Envelope humidity = Band(Quantity::RelativeHumidity, 0.30, 0.60);
    const Envelope dew = Band(Quantity::DewPoint, 5, 15);
    Envelope warmRatio = ratio;
    warmRatio.edges.push_back({Quantity::DryBulb, Side::Highest, 303.15, DewReading::OverIce});
    const MoistureRow rows[] = {
        {"2 g/kg above 10 g/kg", ratio, {298.15, 0.012, test::kSeaLevel}, 2, 0},
        {"1.5 g/kg below 8 g/kg", ratio, {298.15, 0.0065, test::kSeaLevel}, 1.5, 0},
        {"only the dry bulb beyond", warmRatio, {310.15, 0.009, test::kSeaLevel}, 0, 0},
        {"10 %RH above 60 %", humidity, AirAt(20, 70), 0, 10},
        {"5 %RH below 30 %", humidity, AirAt(20, 25), 0, 5},
        // A 17 degC dew point against 15 degC: the two saturation pressures as humidity ratios.
        {"above a dew-point edge", dew, AirWithDewPoint(25, 17),
         1000 * (RatioOf(test::SaturationAt(17)) - RatioOf(test::SaturationAt(15))), 0},
    };
    for (const MoistureRow& row : rows) {
        const Judgement judgement = Judge(row.envelope).Assess(row.air);
        EXPECT_EQ(judgement.verdict, Verdict::Outside) << row.why;
        EXPECT_NEAR(judgement.gramsBeyond, row.grams, 1e-6) << row.why;
        EXPECT_NEAR(judgement.percentBeyond, row.percent, 1e-6) << row.why;
    }
}

// A reading of W g/kg (ratio) or rh % (humidity) at 20 degC from hour `from` for `hours`.
Sample Moist(double from, double hours, std::optional<Air> air) {
    return {std::llround(from * kHour), std::llround((from + hours) * kHour), 4, air, 0};
}

Air Ratio(double grams) {
    return {293.15, grams / 1000, test::kSeaLevel};
}

TEST(EnvelopeCompliance, GramAndPercentHoursOverHandKnownSeriesInAnyOrder) {
    // 8-10 g/kg: excursions of 1 g/kg for 1 h then 2 g/kg for half an hour (2 g/kg h, the
    // worst), 1 g/kg for 1 h after a gap, 0.5 g/kg for 2 h after a missing reading.
    std::vector<Sample> ratio = {
        Moist(0, 1, Ratio(9)), Moist(1, 1, Ratio(11)),    Moist(2, 0.5, Ratio(12)),
        Moist(3, 1, Ratio(7)), Moist(4, 1, std::nullopt), Moist(5, 2, Ratio(10.5)),
    };
    // 30-60 %RH: 10 %RH for 1 h and 5 %RH for 2 h in one excursion, 10 %RH for half an hour
    // after a gap.
    std::vector<Sample> humidity = {Moist(0, 1, AirAt(20, 70)), Moist(1, 2, AirAt(20, 65)),
                                    Moist(4, 0.5, AirAt(20, 20))};
    std::mt19937 shuffle(11);
    for (int round = 0; round < 4; ++round) {
        const Compliance grams = Assess(Judge(Band(Quantity::HumidityRatio, 0.008, 0.010)), ratio);
        EXPECT_NEAR(grams.gramHours, 4, 1e-9);
        EXPECT_EQ(grams.excursionCount, 3u);
        EXPECT_DOUBLE_EQ(grams.percentHours, 0);
        ASSERT_TRUE(grams.worst.has_value());
        EXPECT_NEAR(grams.worst->gramHours, 2, 1e-9);
        EXPECT_EQ(grams.worst->start, kHour);

        const Compliance percent =
            Assess(Judge(Band(Quantity::RelativeHumidity, 0.30, 0.60)), humidity);
        EXPECT_NEAR(percent.percentHours, 25, 1e-6);
        EXPECT_EQ(percent.excursionCount, 2u);
        ASSERT_TRUE(percent.worst.has_value());
        EXPECT_NEAR(percent.worst->percentHours, 20, 1e-6);
        EXPECT_DOUBLE_EQ(percent.gramHours, 0);
        std::shuffle(ratio.begin(), ratio.end(), shuffle);
        std::shuffle(humidity.begin(), humidity.end(), shuffle);
    }
}

} // namespace
} // namespace hygrovane::envelopes
