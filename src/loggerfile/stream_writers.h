#pragma once

// The figures of logged streams as hygrovane-climate writes them: text, CSV rows of the
// climate's columns (section,period,item,measure,value,unit) and JSON {"source", "streams"}.
// Always in the units the keys name (h, kWh, kg, s); numbers in JSON in their shortest exact form.

#include "streams/judgement.h"

#include <string>

namespace hygrovane::loggerfile {

struct StreamsReport {
    std::string source; // the input's name
    streams::AlignmentSettings alignment;
    streams::JudgementSettings judgement;
    streams::StreamJudgement judged;
};

// "YYYY-MM-DD hh:mm" of the readers' seconds since 1970-01-01 00:00.
std::string StreamTimeText(double seconds);

std::string StreamsText(const StreamsReport& report);
std::string StreamsCsv(const StreamsReport& report);
std::string StreamsJson(const StreamsReport& report);

} // namespace hygrovane::loggerfile
