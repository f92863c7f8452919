#pragma once

// The figures of a ClimateResult as text for a terminal, as CSV (one figure a row:
// section,period,item,measure,value,unit) and as JSON, in the result's units. Qt-free: the bytes
// are written all or nothing by the caller (QSaveFile).

#include "climateanalysis/climate_result.h"

#include <string>

namespace hygrovane::climateanalysis {

std::string ResultText(const ClimateResult& result);
std::string ResultCsv(const ClimateResult& result);
std::string ResultJson(const ClimateResult& result);

// "Jan" ... "Dec" for 1-12.
const char* MonthAbbreviation(int month);

} // namespace hygrovane::climateanalysis
