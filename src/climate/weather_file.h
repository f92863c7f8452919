#pragma once

// A weather file of either format, told apart by its first line.

#include "climate/read_failure.h"
#include "climate/weather_data.h"
#include "hygrovane/expected.h"

#include <string>
#include <string_view>

namespace hygrovane::climate {

// EPW when the text starts with its LOCATION record (any letter case, blanks before it
// allowed), otherwise TMY3.
Expected<WeatherData, ReadFailure> ReadWeather(std::string_view text);
Expected<WeatherData, ReadFailure> ReadWeatherFile(const std::string& path);

} // namespace hygrovane::climate
