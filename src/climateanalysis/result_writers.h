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

// Hours as the figures write them: whole hours without a point ("618", as an hourly file always
// gives), other times to `decimals` digits without trailing zeros (19.5 for 39 readings of half an
// hour).
std::string HoursText(double hours, int decimals = 1);

// "Jan" ... "Dec" for 1-12.
const char* MonthAbbreviation(int month);

} // namespace hygrovane::climateanalysis
