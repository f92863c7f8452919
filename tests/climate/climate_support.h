#pragma once

#include "climate/hourly_states.h"
#include "climate/weather_data.h"
#include "text_lines.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace hygrovane::climate::testing {

// The bytes of a file; empty when it cannot be read.
std::string TextOf(const std::string& path);
// A full-year weather file of the shared test data, ../shared/data/weather/NAME beside the clone.
std::string SharedWeather(const std::string& name);
// Chicago's header with its first three days (72 rows), tests/climate/data/chicago_3days.epw.
std::string ThreeDays();

// chicago.epw of the shared data, read once per test program (empty when it cannot be read), and
// its states from the relative humidity at the station pressure.
const WeatherData& Chicago();
const HourlyStates& ChicagoStates();

// A state made by hand: dry bulb in degC, humidity ratio in kg/kg, relative humidity as a
// fraction; the other quantities NaN.
HourState HandState(double dryBulbC, double humidityRatio, double relativeHumidity = 0.5);

// Lines without their ends, and back (each line ended by "\n").
using hygrovane::testing::Joined;
using hygrovane::testing::LinesOf;
// The comma-separated fields of a line, and back.
std::vector<std::string> FieldsOf(const std::string& line);
std::string Row(const std::vector<std::string>& fields);
// The line with field `index` (0-based) replaced.
std::string WithField(const std::string& line, std::size_t index, const std::string& value);

// A table row's name as its test's name: letters and digits kept, anything else '_'.
struct RowName {
    template <class Row> std::string operator()(const ::testing::TestParamInfo<Row>& info) const {
        std::string name;
        for (const char c : std::string(info.param.name)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    }
};

} // namespace hygrovane::climate::testing
