// One Calculate of the main window for each humidity input and both formulations.
#include "models/calculator/ambient_form.h"
#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"
#include "models/calculator/unit_presets.h"

#include <benchmark/benchmark.h>

namespace {

using hygrovane::AmbientForm;

// The start-up state with a humidity row selected and the text its box shows at start-up.
AmbientForm FormWithInput(const hygrovane::HumidityRow& input, bool iapws) {
    AmbientForm form;
    for (int n = 1; n <= hygrovane::kMainComboCount; ++n) {
        form.Combo(n).listIndex = hygrovane::PresetPosition(n, hygrovane::UnitSystem::Metric);
    }
    form.menu_IAPWS.checked = iapws;
    form.menu_HW.checked = !iapws;
    hygrovane::Calculate(form);
    for (const hygrovane::HumidityRow& row : hygrovane::kHumidityRows) {
        form.Option(row.option).value = row.option == input.option;
    }
    return form;
}

void BM_Calculate(benchmark::State& state) {
    const hygrovane::HumidityRow& row =
        hygrovane::kHumidityRows[static_cast<std::size_t>(state.range(0))];
    AmbientForm form = FormWithInput(row, state.range(1) == 1);
    for (auto _ : state) {
        hygrovane::Calculate(form);
        benchmark::DoNotOptimize(form.List1.items.data());
    }
    state.SetLabel(std::string(row.caption) + (state.range(1) == 1 ? " IAPWS" : " HW"));
}

BENCHMARK(BM_Calculate)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5, 6, 7}, {1, 2}})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace
