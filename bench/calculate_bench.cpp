// One Calculate of the main window for each humidity input and both formulations.
#include "calculator/calculate.h"
#include "calculator/form_ambient.h"
#include "calculator/unit_presets.h"

#include <benchmark/benchmark.h>

namespace {

using hygrovane::FormAmbient;

// The start-up state with humidity OptionN selected and the text its box shows at start-up.
FormAmbient FormWithInput(int option, bool iapws) {
    FormAmbient form;
    for (int n = 1; n <= hygrovane::kMainComboCount; ++n) {
        form.Combo(n).listIndex = hygrovane::PresetPosition(n, hygrovane::UnitSystem::Metric);
    }
    form.menu_IAPWS.checked = iapws;
    form.menu_HW.checked = !iapws;
    hygrovane::Calculate(form);
    for (int n : {1, 2, 3, 4, 5, 6, 7, 10}) {
        form.Option(n).value = n == option;
    }
    return form;
}

void BM_Calculate(benchmark::State& state) {
    const int option = static_cast<int>(state.range(0));
    FormAmbient form = FormWithInput(option, state.range(1) == 1);
    for (auto _ : state) {
        hygrovane::Calculate(form);
        benchmark::DoNotOptimize(form.List1.items.data());
    }
    static const char* const kNames[] = {
        "",     "ratio", "relative", "dew point", "wet bulb",        "absolute",
        "mole", "mass",  "",         "",          "partial pressure"};
    state.SetLabel(std::string(kNames[option]) + (state.range(1) == 1 ? " IAPWS" : " HW"));
}

BENCHMARK(BM_Calculate)
    ->ArgsProduct({{1, 2, 3, 4, 5, 6, 7, 10}, {1, 2}})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
