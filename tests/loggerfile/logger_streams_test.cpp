// Several streams from one logger file through the logger reader: columns found by their
// prefix and read by batch's detection in their units, the file's pressure shared, and the
// month, day and hour columns of --unit-hourly.
#include "loggerfile/logger_series.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::loggerfile {
namespace {

TEST(LoggerStreams, EachPrefixTakesItsOwnColumnsInTheirUnits) {
    const std::string file = "Timestamp,OA Temp (°F),OA RH (%),MA Temp (°C),MA Dew Point (°C),"
                             "Pressure (hPa),MA_Pressure (kPa)\n"
                             "2025-01-06 08:00,50,40,20,5,1000,99\n"
                             "2025-01-06 08:05,,41,20.5,5.5,1001,98\n";
    const auto read = ReadLoggerStreams(file, {"oa", "MA"});
    ASSERT_TRUE(read.has_value()) << climate::Describe(read.error());
    ASSERT_EQ(read->series.size(), 2u);
    const streams::StreamSeries& oa = read->series[0];
    const streams::StreamSeries& ma = read->series[1];
    EXPECT_EQ(oa.humidityInput, HumidityInput::RelativeHumidity);
    EXPECT_EQ(ma.humidityInput, HumidityInput::DewPoint);
    EXPECT_NEAR(oa.dryBulb[0], 10, 1e-12);
    EXPECT_TRUE(std::isnan(oa.dryBulb[1])); // an empty cell is a gap
    EXPECT_DOUBLE_EQ(oa.humidity[1], 0.41);
    EXPECT_DOUBLE_EQ(oa.pressure[0], 100000); // the file's pressure
    EXPECT_DOUBLE_EQ(ma.pressure[1], 98000);  // its own
    EXPECT_NEAR(ma.humidity[0], 278.15, 1e-12);
    EXPECT_DOUBLE_EQ(ma.seconds[1] - ma.seconds[0], 300);
    EXPECT_EQ(read->notes.size(), 2u);
}

TEST(LoggerStreams, RefusesWithTheReason) {
    struct Row {
        const char* name;
        std::string file;
        std::vector<std::string> prefixes;
        const char* words;
    };
    for (const Row& row : {
             Row{"no column of the prefix",
                 "Timestamp,OA Temp (C),OA RH (%)\n2025-01-01 00:00,1,2\n",
                 {"SA"},
                 "no column name starts with \"SA\""},
             Row{"a prefix inside a word",
                 "Timestamp,OAT (C),OA RH (%)\n2025-01-01 00:00,1,2\n",
                 {"OA"},
                 "no column of the dry-bulb"},
             Row{"no humidity",
                 "Timestamp,SA Temp (C),OA RH (%)\n2025-01-01 00:00,1,2\n",
                 {"SA"},
                 "humidity"},
             Row{"out of order",
                 "Timestamp,SA Temp (C),SA RH (%)\n2025-01-01 01:00,1,2\n"
                 "2025-01-01 00:00,1,2\n",
                 {"SA"},
                 "not after the row before"},
         }) {
        const auto read = ReadLoggerStreams(row.file, row.prefixes);
        ASSERT_FALSE(read.has_value()) << row.name;
        EXPECT_NE(climate::Describe(read.error()).find(row.words), std::string::npos)
            << row.name << ": " << climate::Describe(read.error());
    }
}

TEST(LoggerStreams, MonthDayAndHourColumnsNumberTheHourAsWeatherFilesDo) {
    const std::string file = "month,day,hour,minute,supply dry bulb (°C),supply humidity ratio "
                             "(kg/kg)\n1,1,1,0,13,0.008\n1,1,24,0,14,0.009\n1,2,1,0,15,0.01\n";
    const auto read = ReadLoggerStreams(file, {"supply"});
    ASSERT_TRUE(read.has_value()) << climate::Describe(read.error());
    const auto& s = read->series[0];
    EXPECT_EQ(s.humidityInput, HumidityInput::HumidityRatio);
    EXPECT_DOUBLE_EQ(s.humidity[2], 0.01);
    EXPECT_DOUBLE_EQ(s.pressure[0], 101325);
    EXPECT_DOUBLE_EQ(s.seconds[1] - s.seconds[0], 23 * 3600); // hour 1 is 00:00, hour 24 23:00
    EXPECT_DOUBLE_EQ(s.seconds[2] - s.seconds[1], 3600);
    const auto leap = ReadLoggerStreams(
        "month,day,hour,supply dry bulb (°C),supply humidity ratio (kg/kg)\n2,29,1,13,0.008\n",
        {"supply"});
    ASSERT_FALSE(leap.has_value());
    EXPECT_NE(climate::Describe(leap.error()).find("2001 has no day 29"), std::string::npos);
}

} // namespace
} // namespace hygrovane::loggerfile
