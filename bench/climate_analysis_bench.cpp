// A year of weather through the climate analysis as hygrovane-climate and the Climate window run
// it: read, every hour's state, the comfort zone and every strategy zone solved and counted, the
// figures, bins and design conditions. The ASHRAE 55 zone at elevated air speed solves SET per
// point: it is counted by its outline, and BM_AshraeElevatedZoneByRule shows what judging every
// hour by the model instead would cost. Reads chicago.epw of the shared data
// (../shared/data/weather beside the clone), or the file named by HYGROVANE_WEATHER.
#include "climate/epw_reader.h"
#include "climateanalysis/climate_result.h"
#include "comfort/pmv_zone.h"

#include "weather_path.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace hygrovane;
using namespace hygrovane::climateanalysis;

using hygrovane::bench::WeatherPath;

// The comfort model with every strategy after it: ten zones.
ClimateSettings AllZones(ComfortModel model, unsigned threads) {
    ClimateSettings settings;
    settings.comfort.model = model;
    if (model == ComfortModel::Ashrae55) {
        settings.comfort.airSpeed = 0.8; // the cooling effect by SET
    }
    settings.strategies = AllStrategies();
    settings.states.threads = threads;
    return settings;
}

constexpr ComfortModel kModels[] = {ComfortModel::Pmv, ComfortModel::Ashrae55,
                                    ComfortModel::AdaptiveAshrae, ComfortModel::Fixed};

// Load and compute a year: the goal is 50 ms.
void BM_LoadAndAnalyseYear(benchmark::State& state) {
    const ComfortModel model = kModels[state.range(0)];
    const auto threads = static_cast<unsigned>(state.range(1));
    for (auto _ : state) {
        auto data = climate::ReadEpwFile(WeatherPath());
        if (!data) {
            state.SkipWithError(climate::Describe(data.error()).c_str());
            return;
        }
        auto result = Analyse(std::make_shared<const climate::WeatherData>(std::move(data.value())),
                              AllZones(model, threads));
        if (!result) {
            state.SkipWithError(Describe(result.error()).c_str());
            return;
        }
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(std::string(KeyOf(model)) + " + 9 strategies, " +
                   (threads == 0 ? std::string("all cores") : std::to_string(threads) + " thread"));
}
BENCHMARK(BM_LoadAndAnalyseYear)
    ->ArgsProduct({{0, 1, 2, 3}, {1, 0}})
    ->Unit(benchmark::kMillisecond);

// A filter change in the window: the figures and bins counted again from the prepared year.
void BM_SummariseNewFilter(benchmark::State& state) {
    auto data = climate::ReadEpwFile(WeatherPath());
    if (!data) {
        state.SkipWithError("no weather file");
        return;
    }
    const auto prepared =
        Prepare(std::make_shared<const climate::WeatherData>(std::move(data.value())),
                AllZones(ComfortModel::Ashrae55, 0));
    if (!prepared) {
        state.SkipWithError("refused");
        return;
    }
    climate::Filter filter;
    filter.fromHour = 8;
    filter.toHour = 18;
    int month = 0;
    for (auto _ : state) {
        filter.lastMonth = 1 + month++ % 12;
        auto result = Summarise(*prepared, filter);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(BM_SummariseNewFilter)->Unit(benchmark::kMillisecond);

// What the polygon saves: every hour of the year judged by the ASHRAE 55 model at 0.8 m/s.
void BM_AshraeElevatedZoneByRule(benchmark::State& state) {
    auto data = climate::ReadEpwFile(WeatherPath());
    if (!data) {
        state.SkipWithError("no weather file");
        return;
    }
    const climate::HourlyStates states = climate::ComputeStates(*data);
    const comfort::PlaneAir air = ChartAirOf(states);
    const comfort::PmvZoneParameters zone =
        PmvParametersOf(AllZones(ComfortModel::Ashrae55, 0).comfort, air);
    for (auto _ : state) {
        std::size_t inside = 0;
        for (const climate::HourState& hour : states.hours) {
            const auto in = comfort::InPmvZone(zone, PlaneStateOf(hour, air));
            inside += in.has_value() && *in;
        }
        benchmark::DoNotOptimize(inside);
    }
}
BENCHMARK(BM_AshraeElevatedZoneByRule)->Unit(benchmark::kMillisecond);

} // namespace
