#include "climateanalysis/climate_result.h"

#include "climate/filters.h"

namespace hygrovane::climateanalysis {

Expected<PreparedClimate, AnalysisFailure> Prepare(std::shared_ptr<const climate::WeatherData> data,
                                                   const ClimateSettings& settings) {
    PreparedClimate prepared;
    prepared.settings = settings;
    prepared.states = climate::ComputeStates(*data, settings.states);
    auto zones = BuildZones(settings, *data, prepared.states);
    if (!zones) {
        return Fail(zones.error());
    }
    prepared.zones = std::move(zones.value());
    prepared.membership =
        climate::MembershipOf(prepared.states, prepared.zones.Tests(), settings.states.threads);
    if (auto design = climate::DesignConditionsOf(prepared.states)) {
        prepared.design = *design;
    }
    prepared.data = std::move(data);
    return prepared;
}

ClimateResult Summarise(const PreparedClimate& prepared, const climate::Filter& filter) {
    const climate::WeatherData& data = *prepared.data;
    const climate::HourlyStates& states = prepared.states;
    ClimateResult result;
    result.format = data.format;
    result.location = data.header.location;
    result.settings = prepared.settings;
    result.settings.filter = filter;
    result.chartAir = prepared.zones.air;
    result.recordsRead = data.hours.size();
    result.missing = states.Missing();
    result.missingDryBulb = states.missingDryBulb;
    result.missingHumidity = states.missingHumidity;
    result.missingPressure = states.missingPressure;
    result.refused = states.refused;

    const std::vector<std::size_t> selection = climate::Select(data, states, filter);
    const std::vector<climate::ZoneTest> tests = prepared.zones.Tests();
    result.zones = climate::ZoneReportOf(data, states, prepared.membership, tests, selection,
                                         prepared.settings.outside);
    for (const AnalysisZone& zone : prepared.zones.zones) {
        result.zoneNotes.push_back(zone.note);
    }
    result.design = prepared.design;
    result.published = data.header.designConditions;
    climate::BinOptions bins;
    bins.axis = prepared.settings.binAxis;
    bins.units =
        prepared.settings.units == Units::IP ? climate::BinUnits::IP : climate::BinUnits::SI;
    result.bins = climate::MakeBins(data, states, selection, bins);
    return result;
}

Expected<ClimateResult, AnalysisFailure> Analyse(std::shared_ptr<const climate::WeatherData> data,
                                                 const ClimateSettings& settings) {
    auto prepared = Prepare(std::move(data), settings);
    if (!prepared) {
        return Fail(prepared.error());
    }
    return Summarise(*prepared, settings.filter);
}

} // namespace hygrovane::climateanalysis
