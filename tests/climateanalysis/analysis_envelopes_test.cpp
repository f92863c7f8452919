// A weather file's and a logger's records judged against envelopes: their times, the filter, and
// a weather year counted by the predicates against the core's own states.

#include "analysis_support.h"
#include "climateanalysis/envelope_figures.h"
#include "envelopes/catalogue.h"

#include "hygrovane/relations.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::climateanalysis {
namespace {

// 20-24 degC only.
const envelopes::Envelope kBand{"band",
                                "test",
                                "20-24 degC",
                                {{envelopes::Quantity::DryBulb, envelopes::Side::Lowest, 293.15,
                                  envelopes::DewReading::OverIce},
                                 {envelopes::Quantity::DryBulb, envelopes::Side::Highest, 297.15,
                                  envelopes::DewReading::OverIce}}};

climate::HourState StateAt(double t) {
    climate::HourState state;
    if (std::isnan(t)) {
        state.missing = climate::MissingReason::DryBulb;
        return state;
    }
    state.dryBulb = t + kCelsiusOffset;
    state.pressure = 101325;
    state.humidityRatio = 0.005;
    return state;
}

struct Series {
    climate::WeatherData data;
    climate::HourlyStates states;

    void Add(int year, int month, int day, int hour, int minute, double t) {
        climate::HourRecord record;
        record.year = static_cast<std::int16_t>(year);
        record.month = static_cast<std::uint8_t>(month);
        record.day = static_cast<std::uint8_t>(day);
        record.hour = static_cast<std::uint8_t>(hour);
        record.minute = static_cast<std::uint8_t>(minute);
        data.hours.push_back(record);
        states.hours.push_back(StateAt(t));
    }
};

TEST(AnalysisEnvelopes, ATypicalYearsMonthsFollowOneAnotherWhateverTheirYears) {
    // A typical year takes January from 1999 and February from 2005: the excursion over the
    // month's end is one, from 31 January 22:00 to 1 February 02:00.
    Series s;
    s.Add(1999, 1, 31, 22, 60, 22);
    s.Add(1999, 1, 31, 23, 60, 26);
    s.Add(1999, 1, 31, 24, 60, 27);
    s.Add(2005, 2, 1, 1, 60, 28);
    s.Add(2005, 2, 1, 2, 60, 29);
    s.Add(2005, 2, 1, 3, 60, 21);
    const auto figures = JudgeEnvelopes(s.data, s.states, {}, std::span(&kBand, 1));
    ASSERT_EQ(figures.size(), 1u);
    const envelopes::Compliance& c = figures[0].compliance;
    EXPECT_EQ(c.excursionCount, 1u);
    EXPECT_DOUBLE_EQ(c.longestHours, 4);
    EXPECT_NEAR(c.degreeHours, 2 + 3 + 4 + 5, 1e-9);
    ASSERT_TRUE(c.worst.has_value());
    EXPECT_EQ(TimeText(c.worst->start), "1999-01-31T22:00");
    EXPECT_EQ(TimeText(c.worst->end), "1999-02-01T02:00");
    EXPECT_DOUBLE_EQ(c.months[0].hours, 3);
    EXPECT_DOUBLE_EQ(c.months[1].hoursInside, 1);
}

TEST(AnalysisEnvelopes, ALoggersReadingsStandForTheTimeBeforeThem) {
    // Readings at 10:00, 10:15, 10:30 and, after a gap, 11:30: each stands for the 15 minutes
    // before it (the reader's RecordHours), so the gap splits the excursion.
    Series s;
    s.Add(2025, 6, 2, 11, 0, 25);
    s.Add(2025, 6, 2, 11, 15, 25);
    s.Add(2025, 6, 2, 11, 30, 22);
    s.Add(2025, 6, 2, 12, 30, 26);
    s.data.recordHours = {0.25, 0.25, 0.25, 0.25};
    const auto samples = SamplesOf(s.data, s.states, {});
    ASSERT_EQ(samples.size(), 4u);
    EXPECT_EQ(TimeText(samples[0].start), "2025-06-02T09:45");
    EXPECT_EQ(TimeText(samples[3].end), "2025-06-02T11:30");
    const auto c = JudgeEnvelopes(s.data, s.states, {}, std::span(&kBand, 1))[0].compliance;
    EXPECT_EQ(c.excursionCount, 2u);
    EXPECT_DOUBLE_EQ(c.hoursOutside, 0.75);
    EXPECT_NEAR(c.PercentInside(), 25, 1e-12);
    ASSERT_TRUE(c.worst.has_value());
    EXPECT_EQ(TimeText(c.worst->start), "2025-06-02T09:45"); // 0.5 h at 1 K before 0.25 h at 2 K
}

TEST(AnalysisEnvelopes, TheClimateFiltersChooseTheReadingsAndMissingOnesCount) {
    Series s;
    for (int hour = 1; hour <= 24; ++hour) {
        s.Add(2021, 3, 1, hour, 0, hour == 12 ? std::nan("") : (hour <= 8 ? 18.0 : 22.0));
    }
    climate::Filter filter;
    filter.fromHour = 6;
    filter.toHour = 18;
    const auto c = JudgeEnvelopes(s.data, s.states, filter, std::span(&kBand, 1))[0].compliance;
    EXPECT_DOUBLE_EQ(c.hours, 12);
    EXPECT_DOUBLE_EQ(c.hoursMissing, 1);
    EXPECT_DOUBLE_EQ(c.hoursOutside, 2); // 06:00-08:00 at 18 degC
    EXPECT_DOUBLE_EQ(c.hoursInside, 9);
    EXPECT_DOUBLE_EQ(c.months[2].PercentInside(), 75);
    // Record hour 7 covers 06:00-07:00: its clock hour is 6, as the hour filter reads it.
    EXPECT_DOUBLE_EQ(c.hoursOfDay[6].hours, 1);
    EXPECT_DOUBLE_EQ(c.hoursOfDay[6].hoursInside, 0);
    EXPECT_DOUBLE_EQ(c.hoursOfDay[8].PercentInside(), 100);
    EXPECT_DOUBLE_EQ(c.hoursOfDay[5].hours, 0);
}

TEST(AnalysisEnvelopes, TimeTextReadsTheCivilCalendar) {
    EXPECT_EQ(TimeText(0), "1970-01-01T00:00");
    EXPECT_EQ(TimeText(951782400 + 12 * 3600 + 5 * 60), "2000-02-29T12:05");
    EXPECT_EQ(TimeText(-60), "1969-12-31T23:59");
}

TEST(AnalysisEnvelopes, AWeatherYearCountedByThePredicatesAsByTheCoresOwnStates) {
    // Chicago's hours in A1 (2021) by the envelope's predicates, against the same limits read from
    // each hour's state as the core solved it: its dry bulb, dew point and relative humidity.
    const auto data = testing::Chicago();
    ASSERT_TRUE(data);
    const climate::HourlyStates states = climate::ComputeStates(*data);
    const auto a1 = *envelopes::EnvelopeNamed("ashrae-tc99-2021-a1");
    const auto c = JudgeEnvelopes(*data, states, {}, std::span(&a1, 1))[0].compliance;

    double inside = 0, missing = 0;
    for (const climate::HourState& h : states.hours) {
        if (!h.ok()) {
            missing += h.hours;
            continue;
        }
        const double t = h.dryBulb - kCelsiusOffset, dew = h.dewPoint - kCelsiusOffset;
        if (t >= 15 && t <= 32 && dew >= -12 && dew <= 17 && h.relativeHumidity >= 0.08 &&
            h.relativeHumidity <= 0.80) {
            inside += h.hours;
        }
    }
    EXPECT_DOUBLE_EQ(c.hoursInside, inside); // the hours at 80 % RH, on the edge, included
    EXPECT_DOUBLE_EQ(c.hoursMissing, missing);
    EXPECT_DOUBLE_EQ(c.hours, 8760);
    EXPECT_GT(c.hoursInside, 1000);
    EXPECT_GT(c.excursionCount, 10u);
    // The 2011 edition's 20 % lower edge keeps fewer hours.
    const auto a1Old = *envelopes::EnvelopeNamed("ashrae-tc99-2011-a1");
    EXPECT_LT(JudgeEnvelopes(*data, states, {}, std::span(&a1Old, 1))[0].compliance.hoursInside,
              c.hoursInside);
}

} // namespace
} // namespace hygrovane::climateanalysis
