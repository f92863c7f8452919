#pragma once

// The eight header records of an EPW file, each read from its own line.

#include "climate/read_failure.h"
#include "climate/weather_data.h"
#include "hygrovane/expected.h"

#include <string_view>
#include <vector>

namespace hygrovane::climate {

inline constexpr std::size_t kEpwHeaderLines = 8;

// The header from the first eight lines (line numbers 1-8 in failures).
Expected<WeatherHeader, ReadFailure> ReadEpwHeader(const std::vector<std::string_view>& lines);

// A header date: "M/D", "M/D/Y", "Y/M/D" (some weather sets write the year first) or a day of a
// non-leap year. Month and day, or none.
struct MonthDay {
    int month = 1;
    int day = 1;
    bool yearFirst = false; // written "Y/M/D"
};
std::optional<MonthDay> HeaderDate(std::string_view text);

// 0 for Sunday ... 6 for Saturday, from the full English name or its first three letters.
std::optional<int> WeekdayNamed(std::string_view text);

} // namespace hygrovane::climate
