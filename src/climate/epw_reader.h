#pragma once

// EnergyPlus weather files (EPW): the eight header records and every data row, all or nothing.

#include "climate/read_failure.h"
#include "climate/weather_data.h"
#include "climate/weather_text.h"
#include "hygrovane/expected.h"

#include <string>
#include <string_view>

namespace hygrovane::climate {

// The whole file from its text. Every row must be the next hour (or record) of its data period,
// from the period's first day to its last; a 29 February row is taken where it stands. A blank
// number field and a value at or above the field's missing code are missing. A failure names the
// line, the field and what was wrong, and nothing of the file is returned. Reading stops at the
// first bad line, and the memory taken grows with the good rows, not with the lines.
Expected<WeatherData, ReadFailure> ReadEpw(std::string_view text);

// The file at `path`, read whole, then as ReadEpw.
Expected<WeatherData, ReadFailure> ReadEpwFile(const std::string& path);

} // namespace hygrovane::climate
