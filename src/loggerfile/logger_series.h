#pragma once

// The logger files hygrovane-batch reads (comma, semicolon or tab separated, or TOA5) as a series
// of records at any interval for the climate analysis: a time column (or a date and a time
// column) and the dry-bulb and humidity columns batch's header detection finds.

#include "batch/columns.h"
#include "climate/hourly_states.h"
#include "climate/read_failure.h"
#include "climate/weather_data.h"
#include "hygrovane/expected.h"
#include "streams/stream_series.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::loggerfile {

struct LoggerSeries {
    climate::WeatherData data;
    std::vector<std::string> notes; // which columns were used, in what units
    climate::HumiditySource humidity = climate::HumiditySource::RelativeHumidity; // the one read
};

// Each data row becomes a record at its time: a reading at hh:mm lies in the clock hour hh (the
// hour filters take 08:00-18:00 as the readings from 08:00 to 17:59), its weekday from the date.
// Times are "YYYY-MM-DD hh:mm[:ss]" (or with "T" or "/"), "MM/DD/YYYY hh:mm[:ss]" with an
// optional AM/PM (two-digit years are 20YY), or "DD.MM.YYYY hh:mm[:ss]", and must increase row by
// row. The lines, their one kind of line end and a byte-order mark, the columns and their units
// are read as hygrovane-batch reads them (a unit it has no name for, inHg or torr, by its
// factor); a unit it does not know refuses the file. The humidity is the chosen one's column (a
// relative humidity or a dew point; the file is refused without one), or when none is chosen the
// column batch's detection prefers, which must be one of the two. Without a pressure column every
// row is at 101325 Pa, as hygrovane-batch takes it. A cell that is empty or not a number is a
// missing value (its record is counted as missing); a time that cannot be read, or a date that
// does not exist (2025-02-31), refuses the file with its line. Each reading stands for the time
// since the reading before, at most the series' usual (median) interval: a gap is not credited
// to the reading after it (WeatherData::recordHours). `name` becomes the series' place name.
Expected<LoggerSeries, climate::ReadFailure>
ReadLoggerSeries(std::string_view text, const std::string& name,
                 std::optional<climate::HumiditySource> humidity = std::nullopt);

// Several air streams from one logger file, the same reader's rows, times and units: a stream is
// the columns whose headers start with its prefix (in any case, followed by a blank, "_", "-",
// ":" or "."; an empty prefix takes every column), read by hygrovane-batch's detection on the
// rest of each header ("mixed dry bulb (°C)" is a dry bulb in °C, "MA RH %" a relative humidity,
// "mixed humidity ratio (kg/kg)" a humidity ratio); its own pressure column, else the file's
// (a header that names a pressure whole), else 101325 Pa. Times are read as ReadLoggerSeries
// reads them, or from columns named month, day, hour and optionally minute and year: the hour
// 1-24 as weather files and --unit-hourly number it (1 is 00:00-01:00; the reading is taken at
// its start), the year 2001 (without 29 February) when there is no year column. Each stream
// takes every row; its seconds count from 1970-01-01 00:00.
struct LoggerStreams {
    std::vector<streams::StreamSeries> series; // one a prefix, in the order given
    std::vector<std::string> notes;            // which columns each stream took, in what units
};
Expected<LoggerStreams, climate::ReadFailure>
ReadLoggerStreams(std::string_view text, const std::vector<std::string>& prefixes);

// The columns each prefix finds, as ReadLoggerStreams reads them (for a mapping to start from).
Expected<std::vector<batch::Mapping>, climate::ReadFailure>
StreamMappings(std::string_view text, const std::vector<std::string>& prefixes);

// A logger file's columns for a mapping chosen by hand: their headers, a TOA5 file's units
// line, and which hold the time.
struct LoggerColumns {
    std::vector<std::string> names;
    std::vector<std::string> units; // empty where the file has no units line
    std::vector<bool> time;
};
Expected<LoggerColumns, climate::ReadFailure> ReadLoggerColumns(std::string_view text);

// Several streams by the columns chosen for each: the dry bulb and the humidity (in the
// mapping's quantity) required, a pressure (or an altitude) optional, each in a unit of
// hygrovane-batch's lists (batch::UnitChoices); the same rows, times and cells as the prefixes'
// reader. Refused naming the column: a column the file does not have, one that holds the time,
// a unit not of its quantity, one column for the dry bulb and the humidity, or a column without
// a single number.
Expected<LoggerStreams, climate::ReadFailure>
ReadMappedStreams(std::string_view text, const std::vector<batch::Mapping>& mappings);

} // namespace hygrovane::loggerfile
