#include "display/number_text.h"

#include <benchmark/benchmark.h>

namespace {

// Every number of the main window goes through RoundedText on each recalculation.
void RoundedTextBench(benchmark::State& state, double x, int decimals) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(hygrovane::RoundedText(x, decimals));
    }
}

BENCHMARK_CAPTURE(RoundedTextBench, saturation_kpa_8, 101.41797792131, 8);
BENCHMARK_CAPTURE(RoundedTextBench, small_exponent_form_7, 0.0000123, 7);
BENCHMARK_CAPTURE(RoundedTextBench, whole_number_3, 25.0, 3);
BENCHMARK_CAPTURE(RoundedTextBench, negative_3, -17.2222222222, 3);

void PictureTextBench(benchmark::State& state) {
    for (auto _ : state) {
        double x = 78.084;
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(hygrovane::PictureText(x, "00.0000", "."));
    }
}
BENCHMARK(PictureTextBench);

void IsNumericBench(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(hygrovane::IsNumeric(" 101.325 "));
    }
}
BENCHMARK(IsNumericBench);

} // namespace
