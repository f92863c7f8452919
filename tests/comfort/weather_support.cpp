#include "weather_support.h"

#include "json_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace hygrovane::comfort::test {

namespace {

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    std::string field;
    while (std::getline(in, field, ',')) {
        fields.push_back(field);
    }
    return fields;
}

// EPW data rows: dry bulb field 7, relative humidity 9, pressure 10, global horizontal 14
// (1-based), after eight header lines.
std::vector<WeatherHour> ReadEpw(std::ifstream& in) {
    std::vector<WeatherHour> hours;
    std::string line;
    for (int header = 0; header < 8 && std::getline(in, line); ++header) {
    }
    while (std::getline(in, line)) {
        const std::vector<std::string> f = Split(line);
        if (f.size() < 14) {
            ADD_FAILURE() << "short EPW row " << hours.size() + 9;
            return {};
        }
        hours.push_back({std::stod(f[6]), std::stod(f[8]), std::stod(f[9]), std::stod(f[13])});
    }
    return hours;
}

std::vector<WeatherHour> ReadExtract(std::ifstream& in) {
    std::vector<WeatherHour> hours;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        const std::vector<std::string> f = Split(line);
        if (f.size() != 4) {
            ADD_FAILURE() << "bad extract row " << hours.size() + 1;
            return {};
        }
        hours.push_back({std::stod(f[0]), std::stod(f[1]), std::stod(f[2]), std::stod(f[3])});
    }
    return hours;
}

} // namespace

std::vector<WeatherHour> ChicagoHours() {
    std::vector<WeatherHour> hours;
    if (std::ifstream epw(SharedDataPath("weather/chicago.epw")); epw) {
        hours = ReadEpw(epw);
    } else if (std::ifstream extract(ComfortDataPath("chicago_hours.csv")); extract) {
        hours = ReadExtract(extract);
    }
    EXPECT_EQ(hours.size(), 8760u);
    return hours;
}

} // namespace hygrovane::comfort::test
