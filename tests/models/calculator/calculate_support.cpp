#include "calculate_support.h"

#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"
#include "non_finite_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <gtest/gtest.h>

namespace hygrovane::calc_test {

using hygrovane::testing::NonFinite;

AmbientForm StartedForm(UnitSystem system) {
    AmbientForm form;
    for (int n = 1; n <= kMainComboCount; ++n) {
        form.Combo(n).listIndex = PresetPosition(n, system);
    }
    form.menu_metric.checked = system != UnitSystem::British;
    form.menu_british.checked = system == UnitSystem::British;
    Calculate(form);
    return form;
}

AmbientForm DryAirAt20C() {
    AmbientForm form = StartedForm();
    form.Text1.text = "20";
    TypeHumidity(form, 1, "0");
    SelectUnit(form, 12, "J/kg-K");
    Calculate(form);
    return form;
}

void SelectUnit(AmbientForm& form, int combo, std::string_view unit) {
    const auto& items = form.Combo(combo).items;
    const auto found = std::find(items.begin(), items.end(), unit);
    ASSERT_NE(found, items.end()) << "Combo" << combo << " has no unit " << unit;
    form.Combo(combo).listIndex = static_cast<int>(found - items.begin());
}

int HumidityBox(int option) {
    const HumidityRow* row = HumidityRowOfOption(option);
    return row == nullptr ? 0 : row->box;
}

void TypeHumidity(AmbientForm& form, int option, std::string text) {
    for (const HumidityRow& row : kHumidityRows) {
        form.Option(row.option).value = row.option == option;
    }
    form.Text(HumidityBox(option)).text = std::move(text);
}

void SelectPressureSource(AmbientForm& form, int option) {
    form.Option8.value = option == 8;
    form.Option9.value = option == 9;
}

bool ShowsNoNonFiniteText(const AmbientForm& form) {
    for (int n = 1; n <= 25; ++n) {
        if ((n <= 16 && NonFinite(form.Text(n).text)) ||
            (n >= 4 && NonFinite(form.Labels(n).caption))) {
            return false;
        }
    }
    return std::none_of(form.List1.items.begin(), form.List1.items.end(), NonFinite);
}

std::string TestName(std::string_view text) {
    std::string name(text);
    std::replace_if(
        name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

} // namespace hygrovane::calc_test
