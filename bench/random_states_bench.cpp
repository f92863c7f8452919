// The whole state from the relative humidity over random states (random_states.h), per state:
// what a bulk user of the core feels. Run with --benchmark_repetitions and read the medians.
// Another library's function can be timed over the same states by linking a benchmark of it
// that reads random_states.h into this program (as PsychroLib's CalcPsychrometricsFromRelHum
// was for the README's figures).
#include "hygrovane/moist_air.h"
#include "random_states.h"

#include <benchmark/benchmark.h>

namespace {

using hygrovane::Conditions;
using hygrovane::HumidityInput;
using hygrovane::SatFormulation;

std::vector<Conditions> RandomConditions(SatFormulation formulation) {
    std::vector<Conditions> conditions;
    for (const auto& s : hygrovane::bench::RandomStates()) {
        conditions.push_back({.dryBulb = s.dryBulb,
                              .pressure = s.pressure,
                              .humidityInput = HumidityInput::RelativeHumidity,
                              .humidity = s.relativeHumidity,
                              .formulation = formulation});
    }
    return conditions;
}

// The time per state, shown as the benchmark's "per_state" counter.
void PerState(benchmark::State& state, std::size_t count) {
    state.counters["per_state"] = benchmark::Counter(static_cast<double>(count),
                                                     benchmark::Counter::kIsIterationInvariantRate |
                                                         benchmark::Counter::kInvert);
}

// Arg 1 = IAPWS, 2 = Hyland-Wexler.
void BM_SolveRandomRelativeHumidity(benchmark::State& state) {
    const auto conditions = RandomConditions(static_cast<SatFormulation>(state.range(0)));
    for (auto _ : state) {
        for (const Conditions& c : conditions) {
            auto result = hygrovane::Solve(c);
            benchmark::DoNotOptimize(result);
        }
    }
    PerState(state, conditions.size());
}

BENCHMARK(BM_SolveRandomRelativeHumidity)->Arg(1)->Arg(2);

} // namespace
