// The Year window's response to a changed setting, without its widgets: the form read and
// checked, the run of every option over Chicago's year, the annual, monthly and peaks tables and
// the chart's clouds the view then shows (painting a few tables and bars is small beside it).
// The goal: 100 ms from a changed setting to the figures. Reads chicago.epw of the shared data,
// or the file named by HYGROVANE_WEATHER.
#include "climate/weather_file.h"
#include "models/ambient_model.h"
#include "models/platform.h"
#include "models/year_model.h"

#include "weather_path.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>

namespace {

using namespace hygrovane;
using namespace hygrovane::models;

// Nothing asks the user in this benchmark: every question is declined.
struct QuietPlatform : Platform {
    Answer askYesNoCancel(const std::string&, const std::string&) override {
        return Answer::Cancel;
    }
    void showMessage(const std::string&, const std::string&) override {}
    std::optional<std::string> openFileDialog() override { return std::nullopt; }
    std::optional<std::string> saveFileDialog() override { return std::nullopt; }
    CommandOutcome openDocument(const std::string&) override { return CommandOutcome::Refused; }
    CommandOutcome openWebPage(const std::string&) override { return CommandOutcome::Refused; }
};

const YearWeather* Chicago() {
    static const std::unique_ptr<YearWeather> weather = []() -> std::unique_ptr<YearWeather> {
        auto read = climate::ReadWeatherFile(bench::WeatherPath());
        if (!read) {
            return nullptr;
        }
        auto data = std::make_shared<const climate::WeatherData>(std::move(read.value()));
        auto states = std::make_shared<const climate::HourlyStates>(climate::ComputeStates(*data));
        return std::make_unique<YearWeather>(YearWeather{bench::WeatherPath(), data, states, {}});
    }();
    return weather.get();
}

// range(0): the options side by side; range(1): the run's threads (0: all cores).
void BM_ChangedSettingToFigures(benchmark::State& state) {
    if (!Chicago()) {
        return state.SkipWithError("no weather file");
    }
    QuietPlatform platform;
    AmbientModel main{platform};
    main.Form_Load();
    YearModel year(platform, main.form());
    year.setWeather(*Chicago());
    for (std::int64_t i = 1; i < state.range(0); ++i) {
        year.addOption();
    }
    UnitForm form = year.formOf(0);
    form.recovery = true;
    form.sensible = "0.75";
    form.latent = "0.6";
    const std::string flows[] = {"10000", "12000"};
    std::size_t turn = 0;
    for (auto _ : state) {
        form.flow = flows[turn++ % 2]; // a typed setting that changes every figure
        if (year.setOption(0, form) != CommandOutcome::Done) {
            return state.SkipWithError("the form was refused");
        }
        const std::shared_ptr<YearJob> job = year.makeJob();
        job->run(static_cast<unsigned>(state.range(1)));
        if (!year.accept(*job)) {
            return state.SkipWithError("the run was not taken");
        }
        benchmark::DoNotOptimize(year.annualSection());
        benchmark::DoNotOptimize(year.monthlySection());
        benchmark::DoNotOptimize(year.peaksSection());
        benchmark::DoNotOptimize(year.overlay()); // the chart's clouds of the changed unit
    }
    state.SetLabel(std::to_string(state.range(0)) + " option(s), " +
                   (state.range(1) == 0 ? std::string("all cores") : "1 thread"));
}

BENCHMARK(BM_ChangedSettingToFigures)
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({6, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace
