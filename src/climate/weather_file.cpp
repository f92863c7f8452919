#include "climate/weather_file.h"

#include "climate/epw_reader.h"
#include "climate/text_fields.h"
#include "climate/tmy3_reader.h"

#include <cctype>

namespace hygrovane::climate {

Expected<WeatherData, ReadFailure> ReadWeather(std::string_view text) {
    std::string_view start = Trimmed(text.substr(0, 16));
    std::string word;
    for (const char c : start.substr(0, 8))
        word.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    if (word == "LOCATION")
        return ReadEpw(text);
    return ReadTmy3(text);
}

Expected<WeatherData, ReadFailure> ReadWeatherFile(const std::string& path) {
    const auto text = ReadWholeFile(path);
    if (!text)
        return text.failure();
    return ReadWeather(*text);
}

} // namespace hygrovane::climate
