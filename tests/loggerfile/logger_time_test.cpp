// A logger's readings in time: each stands for the time since the one before (a gap not
// credited), dates that do not exist are refused with their line, and the same weather logged
// every 10 minutes or every hour gives the same figures.
#include "climateanalysis/climate_result.h"
#include "loggerfile/logger_series.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace hygrovane::loggerfile {
namespace {

struct DateRow {
    const char* name;
    const char* time;
    bool exists;
};

TEST(LoggerTime, DatesThatDoNotExistAreRefusedWithTheirLine) {
    const DateRow rows[] = {
        {"31 February", "2025-02-31 10:00", false},
        {"29 February of a common year", "2025-02-29 10:00", false},
        {"29 February of a leap year", "2024-02-29 10:00", true},
        {"29 February of 1900, no leap year", "1900-02-29 10:00", false},
        {"29 February of 2000, a leap year", "2000-02-29 10:00", true},
        {"31 April, European order", "31.04.2025 10:00", false},
        {"30 February, US order", "02/30/2025 10:00 AM", false},
        {"31 December", "12/31/2025 11:59 PM", true},
    };
    for (const DateRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string text =
            std::string("Timestamp,Temp (C),RH (%)\n2000-01-01 00:00,21,40\n") + row.time +
            ",21,40\n";
        const auto series = ReadLoggerSeries(text, "log");
        if (row.exists) {
            ASSERT_TRUE(series.has_value()) << climate::Describe(series.error());
            EXPECT_EQ(series->data.hours.size(), 2u);
            continue;
        }
        ASSERT_FALSE(series.has_value());
        const std::string why = climate::Describe(series.error());
        EXPECT_EQ(series.error().line, 3u) << why;
        EXPECT_NE(why.find(row.time), std::string::npos) << why;
        EXPECT_NE(why.find("does not exist"), std::string::npos) << why;
    }
}

struct SpacingRow {
    const char* name;
    std::vector<const char*> times;
    std::vector<double> hours; // each reading's
};

TEST(LoggerTime, EachReadingStandsForTheTimeSinceTheOneBefore) {
    const SpacingRow rows[] = {
        {"every 10 minutes",
         {"2025-06-01 00:00", "2025-06-01 00:10", "2025-06-01 00:20"},
         {1.0 / 6, 1.0 / 6, 1.0 / 6}},
        {"a gap of two hours is not credited to the reading after it",
         {"2025-06-01 00:00", "2025-06-01 00:10", "2025-06-01 02:10", "2025-06-01 02:20"},
         {1.0 / 6, 1.0 / 6, 1.0 / 6, 1.0 / 6}},
        {"half hours over a month's end",
         {"2025-06-30 23:30", "2025-07-01 00:00", "2025-07-01 00:30"},
         {0.5, 0.5, 0.5}},
        {"a shorter interval once counts as itself",
         {"2025-06-01 00:00", "2025-06-01 01:00", "2025-06-01 01:30", "2025-06-01 02:30",
          "2025-06-01 03:30"},
         {1, 1, 0.5, 1, 1}},
        {"a lone reading: an hour", {"2025-06-01 12:00"}, {1}},
    };
    for (const SpacingRow& row : rows) {
        SCOPED_TRACE(row.name);
        std::string text = "Timestamp,Temp (C),RH (%)\n";
        for (const char* time : row.times) {
            text += std::string(time) + ",21,40\n";
        }
        const auto series = ReadLoggerSeries(text, "log");
        ASSERT_TRUE(series.has_value()) << climate::Describe(series.error());
        ASSERT_EQ(series->data.hours.size(), row.hours.size());
        for (std::size_t i = 0; i < row.hours.size(); ++i) {
            EXPECT_NEAR(climate::RecordHours(series->data, i), row.hours[i], 1e-12) << i;
        }
    }
}

// Five days of a made-up office climate at `minutes` between readings, each hour's values held
// through it: warm afternoons, cool nights, sun by day.
std::string LoggedDays(int minutes) {
    std::string text = "Timestamp,Temp (C),RH (%)\n";
    for (int day = 1; day <= 5; ++day) {
        for (int hour = 0; hour < 24; ++hour) {
            for (int minute = 0; minute < 60; minute += minutes) {
                const double t = 18 + day + (hour >= 12 && hour < 18 ? 9 : hour < 6 ? -4 : 2);
                char row[80];
                std::snprintf(row, sizeof row, "2025-07-%02d %02d:%02d,%.1f,%d\n", day, hour,
                              minute, t, 30 + hour / 2);
                text += row;
            }
        }
    }
    return text;
}

TEST(LoggerTime, TenMinutesAndHourlyReadingsGiveTheSameFigures) {
    climateanalysis::ClimateSettings settings;
    settings.comfort.model = climateanalysis::ComfortModel::Pmv;
    settings.strategies = {comfort::Strategy::ThermalMass,
                           comfort::Strategy::ThermalMassNightVentilation,
                           comfort::Strategy::ElevatedAirSpeed};
    const auto analysed = [&](int minutes) {
        auto series = ReadLoggerSeries(LoggedDays(minutes), "office");
        EXPECT_TRUE(series.has_value());
        auto data = std::make_shared<const climate::WeatherData>(std::move(series->data));
        auto result = climateanalysis::Analyse(data, settings);
        EXPECT_TRUE(result.has_value());
        return *result;
    };
    const climateanalysis::ClimateResult hourly = analysed(60);
    ASSERT_NEAR(hourly.zones.total.time.hours, 120, 1e-9);
    for (const int minutes : {10, 30}) {
        SCOPED_TRACE(std::to_string(minutes) + " minutes");
        const climateanalysis::ClimateResult finer = analysed(minutes);
        const climate::ZoneHours& a = finer.zones.total.time;
        const climate::ZoneHours& b = hourly.zones.total.time;
        EXPECT_NEAR(a.hours, 120, 1e-9);
        ASSERT_EQ(a.inZone.size(), b.inZone.size());
        for (std::size_t z = 0; z < b.inZone.size(); ++z) {
            SCOPED_TRACE(finer.zones.names[z]);
            EXPECT_NEAR(a.inZone[z], b.inZone[z], 1e-9);
        }
        EXPECT_NEAR(a.tooWarm, b.tooWarm, 1e-9);
        EXPECT_NEAR(a.tooCool, b.tooCool, 1e-9);
    }
    // The look-back strategies have something to judge: the days after the first.
    EXPECT_GT(hourly.zones.total.time.inZone[1] + hourly.zones.total.time.inZone[2], 0);
}

} // namespace
} // namespace hygrovane::loggerfile
