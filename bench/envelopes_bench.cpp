// A year of 5-minute readings (105,120) judged against four envelopes: the judging alone, and the
// whole path of hygrovane-climate --envelope from a logger file's text (read, each reading's
// state, the readings' times, the four envelopes' figures). Run with
// --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for the medians.
#include "climate/hourly_states.h"
#include "climateanalysis/envelope_figures.h"
#include "envelopes/catalogue.h"
#include "envelopes/compliance.h"
#include "loggerfile/logger_series.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace hygrovane;

constexpr int kReadings = 365 * 24 * 12;

const std::vector<envelopes::Envelope>& FourEnvelopes() {
    static const std::vector<envelopes::Envelope> four = {
        *envelopes::EnvelopeNamed("ashrae-tc99-2021-a1"),
        *envelopes::EnvelopeNamed("ashrae-tc99-2011-a1"),
        *envelopes::EnvelopeNamed("ashrae-tc99-2021-recommended-low"),
        *envelopes::EnvelopeNamed("en16798-1-humidity-ii")};
    return four;
}

// A data hall's inlet: 24 degC with a daily swing and a yearly drift of the humidity, now and then
// beyond A1.
double DryBulbAt(int i) {
    return 24 + 6 * std::sin(i * 2 * M_PI / 288) + 5 * std::sin(i * 2 * M_PI / kReadings);
}
double HumidityAt(int i) {
    return 40 + 30 * std::sin(i * 2 * M_PI / kReadings + 1);
}

std::vector<envelopes::Sample> YearOfSamples() {
    std::vector<envelopes::Sample> samples;
    samples.reserve(kReadings);
    for (int i = 0; i < kReadings; ++i) {
        const double t = DryBulbAt(i);
        const double pw = HumidityAt(i) / 100 * 611.2 * std::exp(17.62 * t / (243.12 + t));
        samples.push_back({i * 300LL, (i + 1) * 300LL, 1 + i / (kReadings / 12 + 1),
                           envelopes::Air{t + 273.15, 0.62198 * pw / (101325 - pw), 101325}});
    }
    return samples;
}

void BM_JudgeYearAgainstFourEnvelopes(benchmark::State& state) {
    const std::vector<envelopes::Sample> samples = YearOfSamples();
    std::vector<envelopes::Judge> judges;
    for (const envelopes::Envelope& envelope : FourEnvelopes()) {
        judges.emplace_back(envelope);
    }
    for (auto _ : state) {
        for (const envelopes::Judge& judge : judges) {
            benchmark::DoNotOptimize(envelopes::Assess(judge, samples));
        }
    }
    state.SetItemsProcessed(state.iterations() * kReadings * 4);
}
BENCHMARK(BM_JudgeYearAgainstFourEnvelopes)->Unit(benchmark::kMillisecond);

std::string LoggerText() {
    std::string text = "Timestamp,Temp (C),RH (%)\n";
    text.reserve(static_cast<std::size_t>(kReadings) * 32);
    char row[64];
    for (int i = 0; i < kReadings; ++i) {
        const int minutes = i * 5;
        const int dayOfYear = minutes / 1440;
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        int month = 0, day = dayOfYear;
        while (day >= kDays[month]) {
            day -= kDays[month++];
        }
        std::snprintf(row, sizeof row, "2025-%02d-%02d %02d:%02d,%.2f,%.1f\n", month + 1, day + 1,
                      minutes % 1440 / 60, minutes % 60, DryBulbAt(i), HumidityAt(i));
        text += row;
    }
    return text;
}

void BM_LoggerYearLoadedAndJudged(benchmark::State& state) {
    const std::string text = LoggerText();
    for (auto _ : state) {
        auto series = loggerfile::ReadLoggerSeries(text, "hall");
        if (!series) {
            state.SkipWithError("the logger text was refused");
            return;
        }
        const climate::HourlyStates states = climate::ComputeStates(series->data);
        benchmark::DoNotOptimize(
            climateanalysis::JudgeEnvelopes(series->data, states, {}, FourEnvelopes()));
    }
    state.SetLabel("105,120 readings, 4 envelopes");
}
BENCHMARK(BM_LoggerYearLoadedAndJudged)->Unit(benchmark::kMillisecond);

} // namespace
