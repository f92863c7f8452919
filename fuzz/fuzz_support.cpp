#include "fuzz_support.h"

#include "calculator/calculate.h"
#include "calculator/unit_presets.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace hygrovane::fuzz {

namespace {

// Humidity options and their boxes, then the pressure pair.
constexpr std::array<std::array<int, 2>, 8> kHumidityPairs{
    {{1, 3}, {2, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 8}, {7, 9}, {10, 11}}};
constexpr std::array<std::array<int, 2>, 2> kPressurePairs{{{8, 2}, {9, 10}}};

bool NonFinite(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text.find("nan") != std::string::npos || text.find("inf") != std::string::npos;
}

template <typename Pairs> void SelectInGroup(FormAmbient& form, const Pairs& pairs, int option) {
    for (const auto& pair : pairs) {
        TextBox& box = form.Text(pair[1]);
        box.locked = pair[0] != option;
        box.background = pair[0] == option ? colours::kPlatformWindow : colours::kDerivedCyan;
    }
}

template <typename Pairs> bool SelectedBox(const FormAmbient& form, const Pairs& pairs, int box) {
    return std::any_of(pairs.begin(), pairs.end(), [&](const auto& pair) {
        return pair[1] == box && form.Option(pair[0]).value;
    });
}

} // namespace

void Fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

FormAmbient StartedForm() {
    FormAmbient form;
    for (int n = 1; n <= kMainComboCount; ++n) {
        form.Combo(n).listIndex = PresetPosition(n, UnitSystem::Metric);
    }
    CalculateChecked(form);
    return form;
}

bool ShowsOnlyFiniteTexts(const FormAmbient& form, const FormAmbient* before) {
    for (int n = 1; n <= 16; ++n) {
        // A box keeping the text the user typed may say anything.
        const bool typed = before != nullptr && before->Text(n).text == form.Text(n).text;
        if (!typed && NonFinite(form.Text(n).text)) {
            return false;
        }
    }
    for (int n = 1; n <= 33; ++n) {
        if (NonFinite(form.Labels(n).caption)) {
            return false;
        }
    }
    return std::none_of(form.List1.items.begin(), form.List1.items.end(), NonFinite);
}

void WindowEvents::comboClicked(int comboNumber) {
    const std::string unit = form_.Combo(comboNumber).text();
    if (form_.menu_metric.checked &&
        unit != PresetUnit(comboNumber, UnitSystem::Metric)) {
        form_.menu_metric.checked = false;
        form_.menu_customized.checked = true;
        form_.Label27.caption = "Unit (Customized)";
    }
    if (form_.menu_british.checked &&
        unit != PresetUnit(comboNumber, UnitSystem::British)) {
        form_.menu_british.checked = false;
        form_.menu_customized.checked = true;
        form_.Label27.caption = "Unit (Customized)";
    }
    CalculateChecked(form_);
}

void WindowEvents::optionClicked(int optionNumber) {
    if (optionNumber == 8 || optionNumber == 9) {
        SelectInGroup(form_, kPressurePairs, optionNumber);
    } else {
        SelectInGroup(form_, kHumidityPairs, optionNumber);
    }
}

void WindowEvents::textChanged(int textNumber) {
    if (textNumber == 1 || SelectedBox(form_, kHumidityPairs, textNumber) ||
        SelectedBox(form_, kPressurePairs, textNumber)) {
        CalculateChecked(form_);
    }
}

void CalculateChecked(FormAmbient& form) {
    const FormAmbient before = form;
    try {
        Calculate(form);
    } catch (...) {
        Fail("Calculate let an exception out");
    }
    if (!ShowsOnlyFiniteTexts(form, &before)) {
        Fail("a control shows a non-finite number");
    }
}

} // namespace hygrovane::fuzz
