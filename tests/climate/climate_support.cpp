#include "climate_support.h"

#include "climate/epw_reader.h"

#include <fstream>
#include <limits>
#include <sstream>

namespace hygrovane::climate::testing {

std::string TextOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string SharedWeather(const std::string& name) {
    return std::string(HYGROVANE_SHARED_DATA) + "/weather/" + name;
}

std::string ThreeDays() {
    return TextOf(std::string(HYGROVANE_SOURCE_DIR) + "/tests/climate/data/chicago_3days.epw");
}

const WeatherData& Chicago() {
    static const WeatherData data = [] {
        auto read = ReadEpwFile(SharedWeather("chicago.epw"));
        return read ? std::move(read.value()) : WeatherData{};
    }();
    return data;
}

const HourlyStates& ChicagoStates() {
    static const HourlyStates states = ComputeStates(Chicago());
    return states;
}

HourState HandState(double dryBulbC, double humidityRatio, double relativeHumidity) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    HourState s;
    s.dryBulb = dryBulbC + 273.15;
    s.humidityRatio = humidityRatio;
    s.relativeHumidity = relativeHumidity;
    s.pressure = 101325;
    s.dewPoint = s.wetBulb = s.enthalpy = s.specificVolume = kNaN;
    return s;
}

std::vector<std::string> FieldsOf(const std::string& line) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) {
            return fields;
        }
        start = comma + 1;
    }
}

std::string Row(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        line += (i ? "," : "") + fields[i];
    }
    return line;
}

std::string WithField(const std::string& line, std::size_t index, const std::string& value) {
    auto fields = FieldsOf(line);
    fields.at(index) = value;
    return Row(fields);
}

} // namespace hygrovane::climate::testing
