#pragma once

#include "climate/weather_data.h"
#include "climateanalysis/climate_result.h"
#include "shared_chicago.h"

#include <memory>
#include <string>
#include <vector>

namespace hygrovane::climateanalysis::testing {

using hygrovane::testing::Chicago;

// The analysis, with a failure of the calling test when it is refused.
ClimateResult Analysed(const ClimateSettings& settings);

// The rows of a CSV text (RFC 4180 quoting), each as its fields.
std::vector<std::vector<std::string>> CsvRows(const std::string& text);

} // namespace hygrovane::climateanalysis::testing
