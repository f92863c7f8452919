#pragma once

// A weather file judged by the settings: each hour's state and zones computed once (Prepare), then
// the figures of any filter counted from them (Summarise), so that a filter change is cheap.

#include "climate/bins.h"
#include "climate/design_conditions.h"
#include "climate/hourly_states.h"
#include "climate/weather_data.h"
#include "climate/zones.h"
#include "climateanalysis/climate_settings.h"
#include "climateanalysis/zone_list.h"
#include "hygrovane/expected.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::climateanalysis {

struct PreparedClimate {
    std::shared_ptr<const climate::WeatherData> data;
    ClimateSettings settings;
    climate::HourlyStates states;
    ZoneList zones;
    climate::ZoneMembership membership;
    // From every hour with a state, not only the filtered ones; none when no hour has one.
    std::optional<climate::ComputedDesignConditions> design;
};

// The figures a designer takes away, for one filter.
struct ClimateResult {
    std::string source; // the file's name as the user gave it, for the writers' headings
    climate::WeatherFormat format = climate::WeatherFormat::Epw;
    climate::Location location;
    bool located = true; // false for a series without a place (a logger file): no coordinates
    ClimateSettings settings;
    comfort::PlaneAir chartAir;

    // Every record of the file, and those without a state by reason.
    std::size_t recordsRead = 0;
    std::size_t missing = 0;
    std::size_t missingDryBulb = 0;
    std::size_t missingHumidity = 0;
    std::size_t missingPressure = 0;
    std::size_t refused = 0;

    // The filtered records: per zone, only zone, union, too warm / cool / humid, missing; the
    // same by month. Percentages are of zones.total.hours, the filtered records.
    climate::ZoneReport zones;
    std::vector<std::string> zoneNotes; // one per zone, empty where nothing needs saying

    // "from this file's hours", beside the header's published ones.
    std::optional<climate::ComputedDesignConditions> design;
    climate::DesignConditions published;

    climate::BinTable bins; // of the filtered records, on the settings' axis and units
};

Expected<PreparedClimate, AnalysisFailure> Prepare(std::shared_ptr<const climate::WeatherData> data,
                                                   const ClimateSettings& settings);

// The figures of the records that pass `filter` (the settings' own filter, or a new one).
ClimateResult Summarise(const PreparedClimate& prepared, const climate::Filter& filter);

// Prepare then Summarise with the settings' filter.
Expected<ClimateResult, AnalysisFailure> Analyse(std::shared_ptr<const climate::WeatherData> data,
                                                 const ClimateSettings& settings);

} // namespace hygrovane::climateanalysis
