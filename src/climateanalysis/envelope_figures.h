#pragma once

// A weather file's or a logger's records judged against envelopes: each record becomes a reading
// over the time it stands for, at its date and in the clock hour the hour filters read it in, and
// the filter of the Climate window chooses them.

#include "climate/filters.h"
#include "climate/hourly_states.h"
#include "climate/weather_data.h"
#include "envelopes/compliance.h"
#include "envelopes/envelope.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace hygrovane::climateanalysis {

struct EnvelopeFigures {
    envelopes::Envelope envelope;
    envelopes::Compliance compliance;
};

// The records that pass the filter as readings, with their states (none for a missing state) and
// their times in seconds since 1970-01-01 00:00, in the file's clock. A logger's reading at hh:mm
// ends there and stands for RecordHours before it; a weather file's record of hour h ends at
// h:00 (or at its minute, in a file of several records an hour). A typical year's months come
// from different years: a weather file's records take the first record's year, counting on by
// one each time the months start again, so that its hours follow one another.
std::vector<envelopes::Sample> SamplesOf(const climate::WeatherData& data,
                                         const climate::HourlyStates& states,
                                         const climate::Filter& filter);

// Each envelope's figures over the same readings, in the envelopes' order.
std::vector<EnvelopeFigures> JudgeEnvelopes(const climate::WeatherData& data,
                                            const climate::HourlyStates& states,
                                            const climate::Filter& filter,
                                            std::span<const envelopes::Envelope> envelopes);

// "2025-06-02T14:30" for a time of SamplesOf.
std::string TimeText(std::int64_t seconds);

} // namespace hygrovane::climateanalysis
