// A year of weather through an air-handling unit (src/airunit), as hygrovane-climate --unit, the
// window and Python run it: one unit, six options side by side, and thirty years, each on one
// thread and on all. The goals: a year through one unit in 30 ms, six options in 120 ms, thirty
// years in 1 s on 2 cores. Reads chicago.epw of the shared data, or the file named by
// HYGROVANE_WEATHER.
#include "airunit/unit_run.h"
#include "climate/epw_reader.h"

#include "weather_path.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace hygrovane;
using namespace hygrovane::airunit;

const climate::WeatherData* Year() {
    static const auto data = climate::ReadEpwFile(bench::WeatherPath());
    return data ? &data.value() : nullptr;
}

// The year repeated `years` times, as a long series.
climate::WeatherData Years(const climate::WeatherData& year, int years) {
    climate::WeatherData data = year;
    data.hours.clear();
    for (int y = 0; y < years; ++y) {
        data.hours.insert(data.hours.end(), year.hours.begin(), year.hours.end());
    }
    data.header.dataPeriods.front().rowCount = data.hours.size();
    return data;
}

UnitSettings Example() {
    UnitSettings s;
    s.maxDewPoint = 11;
    s.minDewPoint = 2;
    s.flow = 10000;
    s.flowUnit = FlowUnit::CubicMetresPerHour;
    s.economizer = EconomizerKind::DifferentialEnthalpy;
    s.recovery = Recovery{0.75, 0.6};
    return s;
}

// No recovery, a plate, a wheel; with the wheel, three other economizers.
std::vector<UnitSettings> SixOptions() {
    std::vector<UnitSettings> options(6, Example());
    options[0].recovery.reset();
    options[1].recovery = Recovery{0.7, 0};
    options[3].economizer = EconomizerKind::None;
    options[4].economizer = EconomizerKind::FixedDryBulb;
    options[4].economizerLimit = 18;
    options[5].economizer = EconomizerKind::DifferentialDryBulb;
    return options;
}

void Run(benchmark::State& state, const climate::WeatherData& data,
         const std::vector<UnitSettings>& units, bool withStates) {
    const auto threads = static_cast<unsigned>(state.range(0));
    climate::StateOptions options;
    options.threads = threads;
    const climate::HourlyStates prepared = climate::ComputeStates(data, options);
    RunOptions run;
    run.threads = threads;
    for (auto _ : state) {
        if (withStates) {
            const auto states = climate::ComputeStates(data, options);
            benchmark::DoNotOptimize(RunUnits(data, states, {}, units, run));
        } else {
            benchmark::DoNotOptimize(RunUnits(data, prepared, {}, units, run));
        }
    }
    state.SetLabel(std::to_string(units.size()) + (units.size() == 1 ? " unit, " : " units, ") +
                   std::to_string(data.hours.size()) + " records, " +
                   (threads == 0 ? std::string("all cores") : std::to_string(threads) + " thread"));
}

void BM_YearThroughOneUnit(benchmark::State& state) {
    if (!Year()) {
        return state.SkipWithError("no weather file");
    }
    Run(state, *Year(), {Example()}, false);
}

void BM_YearWithItsStatesThroughOneUnit(benchmark::State& state) {
    if (!Year()) {
        return state.SkipWithError("no weather file");
    }
    Run(state, *Year(), {Example()}, true);
}

void BM_YearThroughSixOptions(benchmark::State& state) {
    if (!Year()) {
        return state.SkipWithError("no weather file");
    }
    Run(state, *Year(), SixOptions(), false);
}

void BM_ThirtyYearsThroughOneUnit(benchmark::State& state) {
    if (!Year()) {
        return state.SkipWithError("no weather file");
    }
    static const climate::WeatherData thirty = Years(*Year(), 30);
    Run(state, thirty, {Example()}, true);
}

BENCHMARK(BM_YearThroughOneUnit)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearWithItsStatesThroughOneUnit)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearThroughSixOptions)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ThirtyYearsThroughOneUnit)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

} // namespace
