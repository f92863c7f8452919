// Logger files as series for the climate analysis: the time forms, the columns hygrovane-batch's
// detection finds in their units, missing cells kept missing, and files refused with their line.
#include "climatecli/logger_series.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::climatecli {
namespace {

using climate::Field;

struct TimeRow {
    const char* name;
    std::string header; // the time columns' names (CSV), before ",Temp (C),RH (%)"
    std::string cells;  // the time cells of the one data row
    int year, month, day, clockHour, minute;
    int weekday; // 0 Sunday
};

TEST(LoggerSeries, ReadsEachFormOfTime) {
    const TimeRow rows[] = {
        {"ISO date and time", "Timestamp", "2025-06-02 14:30", 2025, 6, 2, 14, 30, 1},
        {"ISO with T and seconds", "DateTime", "2025-06-02T14:30:15.5", 2025, 6, 2, 14, 30, 1},
        {"US with PM", "\"Date Time, GMT-05:00\"", "06/02/25 02:30:00 PM", 2025, 6, 2, 14, 30, 1},
        {"US midnight with AM", "Date Time", "12/31/2024 12:05 AM", 2024, 12, 31, 0, 5, 2},
        {"European dots", "Zeitstempel Date/Time", "02.06.2025 14:30", 2025, 6, 2, 14, 30, 1},
        {"slashes, year first", "TIMESTAMP", "2024/02/29 23:59:59", 2024, 2, 29, 23, 59, 4},
        {"a date and a time column", "Date,Time", "2025-06-02,14:30", 2025, 6, 2, 14, 30, 1},
    };
    for (const TimeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string file = row.header + ",Temp (C),RH (%)\n" + row.cells + ",21.5,40\n";
        const auto series = ReadLoggerSeries(file, "log.csv");
        ASSERT_TRUE(series.ok()) << climate::Describe(series.failure());
        ASSERT_EQ(series->data.hours.size(), 1u);
        const climate::HourRecord& r = series->data.hours[0];
        EXPECT_EQ(r.year, row.year);
        EXPECT_EQ(r.month, row.month);
        EXPECT_EQ(r.day, row.day);
        EXPECT_EQ(r.StartHour(), row.clockHour);
        EXPECT_EQ(r.minute, row.minute);
        EXPECT_EQ(r.weekday, row.weekday);
        EXPECT_DOUBLE_EQ(*r.Value(Field::DryBulb), 21.5);
    }
}

struct ColumnRow {
    const char* name;
    std::string text;
    Field humidityField;
    double dryBulb, humidity, pressure; // degC, % or degC, Pa
};

TEST(LoggerSeries, ColumnsInTheirUnits) {
    const ColumnRow rows[] = {
        {"degF, %, hPa", "Timestamp,Temp (°F),RH (%),Pressure (hPa)\n2025-01-01 00:00,68,50,1000\n",
         Field::RelativeHumidity, 20, 50, 100000},
        {"relative humidity as a fraction, no pressure: 101325 Pa",
         "Time,T_db (C),RH (fraction)\n2025-01-01 00:00,25,0.4\n", Field::RelativeHumidity, 25, 40,
         101325},
        {"dew point in kelvin, pressure in kPa",
         "Timestamp,Temperature (K),Dew Point (K),Pressure (kPa)\n2025-01-01 00:00,300,290,99\n",
         Field::DewPoint, 300 - 273.15, 290 - 273.15, 99000},
        {"semicolons and decimal commas", "Timestamp;Temp (C);RH (%)\n2025-01-01 00:00;21,5;40,5\n",
         Field::RelativeHumidity, 21.5, 40.5, 101325},
    };
    for (const ColumnRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto series = ReadLoggerSeries(row.text, "log");
        ASSERT_TRUE(series.ok()) << climate::Describe(series.failure());
        const climate::HourRecord& r = series->data.hours.at(0);
        EXPECT_NEAR(*r.Value(Field::DryBulb), row.dryBulb, 1e-9);
        ASSERT_TRUE(r.Value(row.humidityField));
        EXPECT_NEAR(*r.Value(row.humidityField), row.humidity, 1e-9);
        EXPECT_NEAR(*r.Value(Field::StationPressure), row.pressure, 1e-6);
        EXPECT_EQ(series->notes.size(), 4u);
    }
}

TEST(LoggerSeries, EmptyAndTextCellsAreMissingNotZero) {
    const auto series = ReadLoggerSeries("Timestamp,Temp (C),RH (%)\n"
                                         "2025-01-01 00:00,,40\n"
                                         "2025-01-01 00:10,abc,40\n"
                                         "2025-01-01 00:20,20\n"
                                         "\n"
                                         "2025-01-01 00:30,20,41\n",
                                         "log");
    ASSERT_TRUE(series.ok()) << climate::Describe(series.failure());
    const auto& hours = series->data.hours;
    ASSERT_EQ(hours.size(), 4u);
    EXPECT_FALSE(hours[0].Value(Field::DryBulb));
    EXPECT_FALSE(hours[1].Value(Field::DryBulb));
    EXPECT_FALSE(hours[2].Value(Field::RelativeHumidity));
    EXPECT_DOUBLE_EQ(*hours[3].Value(Field::RelativeHumidity), 41);
    const climate::DataPeriod& period = series->data.header.dataPeriods.at(0);
    EXPECT_EQ(period.rowCount, 4u);
    EXPECT_EQ(period.startWeekday, 3); // 1 January 2025, a Wednesday
}

struct RefusedRow {
    const char* name;
    std::string text;
    std::size_t line;
    const char* detail;
};

TEST(LoggerSeries, RefusedWithTheLine) {
    const RefusedRow rows[] = {
        {"no time column", "Temp (C),RH (%)\n21,40\n", 1, "date and time"},
        {"no humidity column", "Timestamp,Temp (C)\n2025-01-01 00:00,21\n", 1, "humidity"},
        {"a humidity ratio", "Timestamp,Temp (C),Humidity Ratio (g/kg)\n2025-01-01 00:00,21,8\n", 1,
         "a relative humidity or a dew point is needed"},
        {"a time that is not one",
         "Timestamp,Temp (C),RH (%)\n2025-01-01 00:00,21,40\nyesterday,21,40\n", 3, "yesterday"},
        {"a month 13", "Timestamp,Temp (C),RH (%)\n2025-13-01 00:00,21,40\n", 2, "2025-13-01"},
        {"rows going back in time",
         "Timestamp,Temp (C),RH (%)\n2025-01-01 01:00,21,40\n\n2025-01-01 00:59,21,40\n", 4,
         "not after the row before"},
        {"the same time twice",
         "Timestamp,Temp (C),RH (%)\n2025-01-01 01:00,21,40\n2025-01-01 01:00,21,40\n", 3,
         "not after"},
        {"no data rows", "Timestamp,Temp (C),RH (%)\n", 2, "no data rows"},
        {"an empty file", "", 1, "no header"},
    };
    for (const RefusedRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto series = ReadLoggerSeries(row.text, "log");
        ASSERT_FALSE(series.ok());
        EXPECT_EQ(series.failure().line, row.line) << climate::Describe(series.failure());
        EXPECT_NE(climate::Describe(series.failure()).find(row.detail), std::string::npos)
            << climate::Describe(series.failure());
    }
}

} // namespace
} // namespace hygrovane::climatecli
