// The whole state from the moist-air core, for each humidity input and both formulations, at
// 30 degC and 95 kPa with the humidity of 40 % relative humidity given in each input's own terms.
#include "hygrovane/moist_air.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using hygrovane::Conditions;
using hygrovane::HumidityInput;
using hygrovane::SatFormulation;

Conditions At(HumidityInput input, SatFormulation formulation) {
    Conditions c{.dryBulb = 303.15, .pressure = 95000, .formulation = formulation};
    const auto reference = hygrovane::Solve(Conditions{
        .dryBulb = 303.15, .pressure = 95000, .humidity = 0.40, .formulation = formulation});
    c.humidityInput = input;
    c.humidity = *hygrovane::ValueOf(*reference, input);
    return c;
}

const char* const kNames[] = {"humidity ratio", "relative humidity", "dew point",
                              "wet bulb",       "absolute humidity", "partial pressure",
                              "mole fraction",  "mass fraction"};

void BM_Solve(benchmark::State& state) {
    const auto input = static_cast<HumidityInput>(state.range(0));
    const auto formulation = static_cast<SatFormulation>(state.range(1));
    const Conditions conditions = At(input, formulation);
    for (auto _ : state) {
        auto result = hygrovane::Solve(conditions);
        benchmark::DoNotOptimize(result);
    }
    state.SetLabel(std::string(kNames[state.range(0)]) +
                   (formulation == SatFormulation::IAPWS ? " IAPWS" : " HW"));
}

BENCHMARK(BM_Solve)->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {1, 2}});

} // namespace
