#include "climate/weather_file.h"

#include "climate/epw_reader.h"
#include "climate/text_fields.h"
#include "climate/tmy3_reader.h"
#include "climate/weather_text.h"

#include <cctype>

namespace hygrovane::climate {

namespace {

bool StartsAsEpw(std::string_view text) {
    std::string_view start = Trimmed(text.substr(0, 16));
    std::string word;
    for (const char c : start.substr(0, 8)) {
        word.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    }
    return word == "LOCATION";
}

} // namespace

Expected<WeatherData, ReadFailure> ReadWeather(std::string_view text) {
    const auto checked = WeatherText(text); // a byte order mark must not hide the LOCATION
    if (!checked) {
        return Fail(checked.error());
    }
    return StartsAsEpw(*checked) ? ReadEpw(*checked) : ReadTmy3(*checked);
}

bool IsWeatherText(std::string_view text) {
    const auto checked = WeatherText(text);
    if (!checked) {
        return false;
    }
    const std::size_t first = checked->find_first_not_of(" \t\r\n"); // blank lines before
    return StartsAsEpw(checked->substr(first)) || HasTmy3Header(*checked);
}

Expected<WeatherData, ReadFailure> ReadWeatherFile(const std::string& path) {
    const auto text = ReadWholeFile(path);
    if (!text) {
        return Fail(text.error());
    }
    return ReadWeather(*text);
}

} // namespace hygrovane::climate
