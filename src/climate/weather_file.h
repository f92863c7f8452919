#pragma once

// A weather file of either format, told apart by its first line.

#include "climate/read_failure.h"
#include "climate/weather_data.h"
#include "hygrovane/expected.h"

#include <string>
#include <string_view>

namespace hygrovane::climate {

// EPW when the text starts with its LOCATION record (any letter case, blanks or a UTF-8 byte
// order mark before it allowed), otherwise TMY3.
Expected<WeatherData, ReadFailure> ReadWeather(std::string_view text);

// True when the text starts as either format does, so that its refusal is a weather file's; false
// for other text (a logger's file) and for an empty file.
bool IsWeatherText(std::string_view text);
Expected<WeatherData, ReadFailure> ReadWeatherFile(const std::string& path);

} // namespace hygrovane::climate
