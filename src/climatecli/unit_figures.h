#pragma once

// hygrovane-climate's run of the air-handling units: their files read before anything else, the
// units run on the records the climate figures count, and their figures added to the climate's.

#include "airunit/unit_run.h"
#include "cli/streams.h"
#include "climate/weather_data.h"
#include "climateanalysis/climate_settings.h"
#include "climatecli/command_line.h"
#include "climatecli/unit_options.h"
#include "hygrovane/expected.h"

#include <memory>
#include <string>
#include <vector>

namespace hygrovane::climatecli {

// Why the units cannot run: the exit status and the message.
struct UnitRefusal {
    int status = kExitUsage;
    std::string message;
};

// Every --unit file's settings in order: a file that cannot be read is refused with status 2,
// one whose settings are refused with status 1 and a message naming the key.
Expected<std::vector<airunit::UnitSettings>, UnitRefusal> ReadUnits(const UnitOptions& options);

// The units through the data's records, by the settings' filter, humidity, pressure and
// formulation; each record's nodes and loads kept only where asked (for --unit-hourly).
std::vector<airunit::UnitRun> RunUnits(const climate::WeatherData& data,
                                       const climateanalysis::ClimateSettings& settings,
                                       const std::vector<airunit::UnitSettings>& units,
                                       bool keepHours);

// The climate's figures with the units' added: a section of text, CSV rows, or "unit" ("units"
// for several) in the JSON object.
std::string WithUnitFigures(std::string figures, Format format,
                            const std::vector<airunit::UnitRun>& runs,
                            climateanalysis::Units units);

// The hourly CSV of the runs written to a temporary file for `path`: committed once the figures
// are written, discarded when they cannot be; the message when it cannot be written.
Expected<std::unique_ptr<cli::ByteSink>, std::string>
StartUnitHourly(const climate::WeatherData& data, const std::vector<airunit::UnitRun>& runs,
                const std::string& path);

} // namespace hygrovane::climatecli
