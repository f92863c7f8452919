// Logger files as series for the climate analysis: the time forms, the columns hygrovane-batch's
// detection finds in their units, missing cells kept missing, and files refused with their line.
#include "loggerfile/logger_series.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>

namespace hygrovane::loggerfile {
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
        {"a date column holding the time", "Date", "2025-06-02 14:30", 2025, 6, 2, 14, 30, 1},
    };
    for (const TimeRow& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string file = row.header + ",Temp (C),RH (%)\n" + row.cells + ",21.5,40\n";
        const auto series = ReadLoggerSeries(file, "log.csv");
        ASSERT_TRUE(series.has_value()) << climate::Describe(series.error());
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
        ASSERT_TRUE(series.has_value()) << climate::Describe(series.error());
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
    ASSERT_TRUE(series.has_value()) << climate::Describe(series.error());
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
        ASSERT_FALSE(series.has_value());
        EXPECT_EQ(series.error().line, row.line) << climate::Describe(series.error());
        EXPECT_NE(climate::Describe(series.error()).find(row.detail), std::string::npos)
            << climate::Describe(series.error());
    }
}

// The pressure and every other column in the unit hygrovane-batch reads it in, a unit it has no
// name for by its factor.
TEST(LoggerSeries, UnitsReadAsBatchReadsThem) {
    const struct {
        const char* name;
        std::string header;       // after "Timestamp,"
        std::string cells;        // after the time
        double dryBulb, pressure; // degC, Pa
    } rows[] = {
        {"inHg", "Temp (C),RH (%),Pressure (inHg)", "30,60,29.92", 30, 29.92 * 3386.389},
        {"in Hg", "Temp (C),RH (%),Pressure (in Hg)", "30,60,29.92", 30, 29.92 * 3386.389},
        {"torr", "Temp (C),RH (%),Baro (torr)", "30,60,760", 30, 101325},
        {"hPa", "Temp (C),RH (%),Baro (hPa)", "30,60,1013.25", 30, 101325},
        {"Rankine", "Temp (Ra),RH (%),Baro (kPa)", "545.67,60,95", 30, 95000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto series = ReadLoggerSeries(
            "Timestamp," + row.header + "\n2025-06-02 14:30," + row.cells + "\n", "log");
        ASSERT_TRUE(series.has_value()) << climate::Describe(series.error());
        const climate::HourRecord& r = series->data.hours.at(0);
        EXPECT_NEAR(*r.Value(Field::DryBulb), row.dryBulb, 1e-9);
        EXPECT_NEAR(*r.Value(Field::StationPressure), row.pressure, 0.05);
    }
    const auto inHg = ReadLoggerSeries(
        "Timestamp,Temp (C),RH (%),Pressure (inHg)\n2025-06-02 14:30,30,60,29.92\n", "log");
    ASSERT_TRUE(inHg.has_value());
    EXPECT_EQ(inHg->notes.at(3),
              "pressure: column 4 \"Pressure (inHg)\" in inHg (read as kPa times 3.386389)");
    // A unit batch does not know refuses the file, as batch does, rather than every value lost.
    const auto unknown =
        ReadLoggerSeries("Timestamp,Temp (mC),RH (%)\n2025-06-02 14:30,30,60\n", "log");
    ASSERT_FALSE(unknown.has_value());
    EXPECT_NE(climate::Describe(unknown.error()).find("names the unit \"mC\""), std::string::npos);
}

// The lines as hygrovane-batch splits them: one kind of line end, a byte-order mark skipped.
TEST(LoggerSeries, LineEndsAndMarkAsBatchReadsThem) {
    const std::string lines[] = {"Timestamp,Temp (C),RH (%)", "2025-01-01 00:00,20,40",
                                 "2025-01-01 00:10,21,41"};
    const auto joined = [&](std::string_view end) {
        return lines[0] + std::string(end) + lines[1] + std::string(end) + lines[2];
    };
    const struct {
        const char* name;
        std::string text;
    } read[] = {
        {"CR alone", joined("\r")},
        {"CR alone, ended", joined("\r") + "\r"},
        {"CRLF", joined("\r\n") + "\r\n"},
        {"LF with a byte-order mark", "\xEF\xBB\xBF" + joined("\n")},
        {"CR alone with a byte-order mark", "\xEF\xBB\xBF" + joined("\r")},
    };
    for (const auto& row : read) {
        SCOPED_TRACE(row.name);
        const auto series = ReadLoggerSeries(row.text, "log");
        ASSERT_TRUE(series.has_value()) << climate::Describe(series.error());
        ASSERT_EQ(series->data.hours.size(), 2U);
        EXPECT_DOUBLE_EQ(*series->data.hours[1].Value(Field::RelativeHumidity), 41);
    }
    const struct {
        const char* name;
        std::string text;
        std::size_t line;
        const char* detail;
    } refused[] = {
        {"two readings joined by a CR", lines[0] + "\n" + lines[1] + "\r" + lines[2] + "\n", 2,
         "ends with CR alone where the file's lines end with LF"},
        {"an LF among CR lines", lines[0] + "\r" + lines[1] + "\n" + lines[2] + "\r", 2,
         "ends with LF where the file's lines end with CR"},
        {"a CRLF row among LF rows",
         lines[0] + "\n" + lines[1] + "\n" + lines[2] + "\r\n2025-01-01 00:20,20,40\n", 3,
         "ends with CRLF"},
    };
    for (const auto& row : refused) {
        SCOPED_TRACE(row.name);
        const auto series = ReadLoggerSeries(row.text, "log");
        ASSERT_FALSE(series.has_value());
        EXPECT_EQ(series.error().line, row.line);
        EXPECT_NE(climate::Describe(series.error()).find(row.detail), std::string::npos)
            << climate::Describe(series.error());
    }
}

// The humidity column the file has when none is chosen; the chosen one, or a refusal without it.
TEST(LoggerSeries, HumidityColumnTheFileHasOrTheOneChosen) {
    using climate::HumiditySource;
    const std::string dewOnly = "Timestamp,Temp (C),Dew Point (C)\n2025-01-01 00:00,20,10\n";
    const std::string rhOnly = "Timestamp,Temp (C),RH (%)\n2025-01-01 00:00,20,40\n";
    const std::string both = "Timestamp,Temp (C),RH (%),Dew Point (F)\n2025-01-01 00:00,20,40,50\n";
    const struct {
        const char* name;
        const std::string& text;
        std::optional<HumiditySource> chosen;
        std::optional<HumiditySource> read; // none: refused
        double value;                       // % or degC
    } rows[] = {
        {"dew point only, none chosen", dewOnly, std::nullopt, HumiditySource::DewPoint, 10},
        {"dew point only, dew point chosen", dewOnly, HumiditySource::DewPoint,
         HumiditySource::DewPoint, 10},
        {"dew point only, RH chosen", dewOnly, HumiditySource::RelativeHumidity, std::nullopt, 0},
        {"RH only, dew point chosen", rhOnly, HumiditySource::DewPoint, std::nullopt, 0},
        {"both, none chosen: the RH", both, std::nullopt, HumiditySource::RelativeHumidity, 40},
        {"both, dew point chosen, in its own unit", both, HumiditySource::DewPoint,
         HumiditySource::DewPoint, 10},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto series = ReadLoggerSeries(row.text, "log", row.chosen);
        ASSERT_EQ(series.has_value(), row.read.has_value());
        if (!series.has_value()) {
            EXPECT_EQ(series.error().line, 1U);
            EXPECT_NE(climate::Describe(series.error()).find("--humidity"), std::string::npos)
                << climate::Describe(series.error());
            continue;
        }
        EXPECT_EQ(series->humidity, *row.read);
        const Field field =
            *row.read == HumiditySource::DewPoint ? Field::DewPoint : Field::RelativeHumidity;
        ASSERT_TRUE(series->data.hours.at(0).Value(field));
        EXPECT_NEAR(*series->data.hours[0].Value(field), row.value, 1e-9);
    }
}

} // namespace
} // namespace hygrovane::loggerfile
