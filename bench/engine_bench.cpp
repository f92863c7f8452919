// Timings of the engine's saturation and wet-bulb functions, the inner loops of every
// recalculation of the main window and the saturation window.

#include "engine/saturation.h"
#include "engine/wet_bulb.h"

#include <benchmark/benchmark.h>

namespace {

using hygrovane::SatFormulation;

// range(0): formulation code; the argument picks a temperature or pressure below or above the
// triple point, so both branches of each formulation are timed.
void BM_SaturationPressure(benchmark::State& state, double T) {
    const auto formulation = static_cast<SatFormulation>(state.range(0));
    const volatile double input = T; // read afresh each pass, so no call is hoisted
    for (auto _ : state) {
        benchmark::DoNotOptimize(hygrovane::engine::SaturationPressure(input, formulation));
    }
}

void BM_SaturationTemperature(benchmark::State& state, double p) {
    const auto formulation = static_cast<SatFormulation>(state.range(0));
    const volatile double input = p;
    for (auto _ : state) {
        benchmark::DoNotOptimize(hygrovane::engine::SaturationTemperature(input, formulation));
    }
}

void BM_WetBulbFromHumidityRatio(benchmark::State& state) {
    const auto formulation = static_cast<SatFormulation>(state.range(0));
    const volatile double W = 0.01;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            hygrovane::engine::WetBulbFromHumidityRatio(W, 298.15, 101325, formulation));
    }
}

// Arg 1 = IAPWS, 2 = Hyland-Wexler.
BENCHMARK_CAPTURE(BM_SaturationPressure, ice_253K, 253.15)->Arg(1)->Arg(2);
BENCHMARK_CAPTURE(BM_SaturationPressure, liquid_298K, 298.15)->Arg(1)->Arg(2);
BENCHMARK_CAPTURE(BM_SaturationTemperature, ice_100Pa, 100.0)->Arg(1)->Arg(2);
BENCHMARK_CAPTURE(BM_SaturationTemperature, liquid_101325Pa, 101325.0)->Arg(1)->Arg(2);
BENCHMARK(BM_WetBulbFromHumidityRatio)->Arg(1)->Arg(2);

} // namespace
