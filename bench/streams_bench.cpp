// A year of 5-minute readings (105,120) of five streams of an air-handling unit aligned and
// judged: from the series in memory (alignment, each reading's state, the step figures and their
// sums), and the whole path of hygrovane-climate --stream from a logger file's text. Run with
// --benchmark_repetitions=5 --benchmark_report_aggregates_only=true for the medians.
#include "loggerfile/logger_series.h"
#include "streams/judgement.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

using namespace hygrovane;
using streams::StreamName;

constexpr int kReadings = 365 * 24 * 12;

// The unit's air at reading i: outdoor with a daily and a yearly swing, return near 23 degC,
// after recovery 0.7 of the way, mixed at 0.3, supply at 14 degC.
struct Air {
    double t, W; // degC, kg/kg
};
std::array<Air, 5> AirAt(int i) {
    const double day = i * 2 * M_PI / 288, year = i * 2 * M_PI / kReadings;
    const Air o{10 - 12 * std::cos(year) + 5 * std::sin(day), 0.006 - 0.003 * std::cos(year)};
    const Air r{23 + 0.5 * std::sin(day), 0.008};
    const Air a{o.t + 0.7 * (r.t - o.t), o.W + 0.6 * (r.W - o.W)};
    const Air m{0.3 * a.t + 0.7 * r.t, 0.3 * a.W + 0.7 * r.W};
    const Air s{14, std::min(m.W, 0.0095)};
    return {o, r, m, a, s};
}

streams::StreamSet YearOfStreams() {
    streams::StreamSet set;
    for (const StreamName name : streams::kStreamNames) {
        streams::StreamSeries s;
        s.seconds.resize(kReadings);
        s.dryBulb.resize(kReadings);
        s.humidity.resize(kReadings);
        s.pressure.assign(kReadings, 101325);
        set[streams::IndexOf(name)] = std::move(s);
    }
    for (int i = 0; i < kReadings; ++i) {
        const auto air = AirAt(i);
        for (std::size_t k = 0; k < 5; ++k) {
            auto& s = *set[k];
            // Loggers a few seconds apart: the nearest reading is found, not the same time.
            s.seconds[static_cast<std::size_t>(i)] = i * 300.0 + static_cast<double>(k) * 7;
            s.dryBulb[static_cast<std::size_t>(i)] = air[k].t;
            s.humidity[static_cast<std::size_t>(i)] = air[k].W;
        }
    }
    return set;
}

std::string YearOfText() {
    std::string text = "Timestamp";
    for (const char* prefix : {"OA", "RA", "MA", "EA", "SA"}) {
        text += std::string(",") + prefix + " Temp (°C)," + prefix + " Humidity Ratio (g/kg)";
    }
    text += "\n";
    char cells[64];
    for (int i = 0; i < kReadings; ++i) {
        const int minutes = i * 5;
        const int dayOfYear = minutes / 1440;
        int month = 1, day = dayOfYear;
        static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        while (day >= kDays[month - 1]) {
            day -= kDays[month++ - 1];
        }
        std::snprintf(cells, sizeof cells, "2025-%02d-%02d %02d:%02d", month, day + 1,
                      minutes % 1440 / 60, minutes % 60);
        text += cells;
        for (const Air& air : AirAt(i)) {
            std::snprintf(cells, sizeof cells, ",%.2f,%.3f", air.t, air.W * 1000);
            text += cells;
        }
        text += "\n";
    }
    return text;
}

void BM_AlignAndJudgeAYearOfFiveStreams(benchmark::State& state) {
    const streams::StreamSet set = YearOfStreams();
    streams::JudgementSettings settings;
    settings.massFlow = 3;
    for (auto _ : state) {
        const auto judged = streams::Judge(set, {}, settings);
        benchmark::DoNotOptimize(judged.summary.outdoorFractionMean);
    }
}
BENCHMARK(BM_AlignAndJudgeAYearOfFiveStreams)->Unit(benchmark::kMillisecond);

void BM_ReadAlignAndJudgeAYearFromALoggerFile(benchmark::State& state) {
    const std::string text = YearOfText();
    streams::JudgementSettings settings;
    settings.massFlow = 3;
    for (auto _ : state) {
        auto read = loggerfile::ReadLoggerStreams(text, {"OA", "RA", "MA", "EA", "SA"});
        streams::StreamSet set;
        const StreamName names[] = {StreamName::Outdoor, StreamName::Return, StreamName::Mixed,
                                    StreamName::AfterRecovery, StreamName::Supply};
        for (std::size_t k = 0; k < 5; ++k) {
            set[streams::IndexOf(names[k])] = std::move(read->series[k]);
        }
        const auto judged = streams::Judge(set, {}, settings);
        benchmark::DoNotOptimize(judged.summary.outdoorFractionMean);
    }
}
BENCHMARK(BM_ReadAlignAndJudgeAYearFromALoggerFile)->Unit(benchmark::kMillisecond);

} // namespace
