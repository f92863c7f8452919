// hygrovane-batch end to end: a 1,000,000-row logger file (dry bulb, relative humidity and
// pressure) read from disk, every output computed (dew point and wet bulb included) and written
// through QSaveFile. Reports rows per second for one thread and for every core, and the peak
// resident memory of the process.
//   logger: readings as a logger records them, 0.1 degC and 0.1 % steps of a random walk and a
//           few pressures, so that readings repeat;
//   unique: every row different, the cost of the calculation itself.
#include "batch/batch_run.h"
#include "batch/command_line.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using namespace hygrovane::batch;

constexpr int kRows = 1'000'000;

struct Files {
    fs::path folder =
        fs::temp_directory_path() / ("hygrovane-batch-bench-" + std::to_string(::getpid()));
    Files() { fs::create_directories(folder); }
    ~Files() { fs::remove_all(folder); }
};
Files& files() {
    static Files instance;
    return instance;
}

// Writes the file once; streamed, so that the generator itself needs no memory.
std::string LoggerFile(bool unique) {
    const fs::path path = files().folder / (unique ? "unique.csv" : "logger.csv");
    if (fs::exists(path)) {
        return path.string();
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fputs("Record,Time,Temperature (C),RH (%),Pressure (hPa)\n", file);
    std::mt19937 random(14);
    std::uniform_int_distribution<int> step(-1, 1);
    const int pressures[] = {10132, 10098, 10045, 9987, 10161}; // 0.1 hPa
    int t = 200;                                                // 0.1 degC
    int rh = 500;                                               // 0.1 %
    for (int i = 0; i < kRows; ++i) {
        int p = pressures[(i / 10000) % 5];
        if (unique) {
            t = std::uniform_int_distribution<int>(-1000, 4000)(random); // 0.01 degC
            rh = std::uniform_int_distribution<int>(100, 9900)(random);  // 0.01 %
            p = std::uniform_int_distribution<int>(9500, 10300)(random);
        } else {
            t = std::clamp(t + step(random), -100, 400);
            rh = std::clamp(rh + step(random), 50, 990);
        }
        const int scale = unique ? 100 : 10;
        const int minutes = i;
        std::fprintf(file, "%d,2024-%02d-%02d %02d:%02d,%s%d.%0*d,%d.%0*d,%d.%d\n", i + 1,
                     1 + minutes / 43200 % 12, 1 + minutes / 1440 % 30, minutes / 60 % 24,
                     minutes % 60, t < 0 ? "-" : "", std::abs(t) / scale, unique ? 2 : 1,
                     std::abs(t) % scale, rh / scale, unique ? 2 : 1, rh % scale, p / 10, p % 10);
    }
    std::fclose(file);
    return path.string();
}

void Convert(benchmark::State& state, bool unique) {
    const std::string input = LoggerFile(unique);
    const std::string output = (files().folder / "out.csv").string();
    const int threads = state.range(0) == 0 ? DefaultThreads() : static_cast<int>(state.range(0));
    std::uint64_t rows = 0;
    for (auto _ : state) {
        auto source = hygrovane::cli::OpenSource(input);
        CommandLine line;
        std::vector<std::string> notes;
        const auto head = source ? ReadHead(**source, 0) : hygrovane::Fail(source.error());
        if (!head) {
            state.SkipWithError(head.error().c_str());
            return;
        }
        const auto settings = SettingsFor(line, head->file, notes);
        const auto plan = Plan::Make(*settings, head->file.shape, head->file.names.size());
        auto sink = hygrovane::cli::CreateFileSink(output);
        RunOptions options;
        options.threads = threads;
        const RunOutcome outcome = Run(*plan, *head, **source, **sink, options);
        if (outcome.tally.computed != kRows) {
            state.SkipWithError("not every row was computed");
            return;
        }
        rows += outcome.tally.rows;
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["rows/s"] =
        benchmark::Counter(static_cast<double>(rows), benchmark::Counter::kIsRate);
    state.counters["peak_MB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["threads"] = threads;
}

void BM_ConvertLoggerFile(benchmark::State& state) {
    Convert(state, false);
}
void BM_ConvertUniqueRows(benchmark::State& state) {
    Convert(state, true);
}

// 1 thread, then every core (0).
BENCHMARK(BM_ConvertLoggerFile)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Repetitions(5)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_ConvertUniqueRows)
    ->Arg(1)
    ->Arg(0)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true);

} // namespace
