#pragma once

// TMY3 files (NREL's CSV form): a station line (USAF number, name, state, time zone, latitude,
// longitude, elevation), a line of column names, then one row per hour with the date as
// MM/DD/YYYY and the time as HH:MM from 01:00 to 24:00 (the hour ending then, as in EPW files).

#include "climate/read_failure.h"
#include "climate/weather_data.h"
#include "hygrovane/expected.h"

#include <string>
#include <string_view>

namespace hygrovane::climate {

// Values at or below this are missing in TMY3 files (NSRDB convention, -9900).
inline constexpr double kTmy3Missing = -9900;

// The file as WeatherData in EPW units: pressure from mbar to Pa, visibility from m to km,
// precipitable water from cm to mm; fields the file lacks are missing. The rows make one data
// period; its weekdays count on from the first row's calendar date. Columns are found by name;
// Date, Time, Dry-bulb, Dew-point, RHum and Pressure are required. All or nothing, as ReadEpw.
Expected<WeatherData, ReadFailure> ReadTmy3(std::string_view text);

// True when the text starts as a TMY3 file: the shape of a station line (its place may be out of
// range), then a line naming at least one TMY3 column. Other files (loggers' among them) fail
// before their second line.
bool HasTmy3Header(std::string_view text);
Expected<WeatherData, ReadFailure> ReadTmy3File(const std::string& path);

} // namespace hygrovane::climate
