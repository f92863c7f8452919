#include "case_support.h"

#include <algorithm>
#include <array>
#include <map>

namespace hygrovane::testing {

namespace {

const std::map<int, int> kOptionBoxes = {{1, 3}, {2, 4}, {3, 5}, {4, 6},  {5, 7},
                                         {6, 8}, {7, 9}, {8, 2}, {9, 10}, {10, 11}};
constexpr std::array kPressureGroup = {8, 9};
constexpr std::array kHumidityGroup = {1, 2, 3, 4, 5, 6, 7, 10};

bool InPressureGroup(int optionNumber) {
    return optionNumber == 8 || optionNumber == 9;
}

template <typename Group> void LockGroup(FormAmbient& form, const Group& group, int chosen) {
    for (int n : group) {
        TextBox& box = form.Text(OptionBox(n));
        box.locked = n != chosen;
        box.background = n == chosen ? colours::kPlatformWindow : colours::kDerivedCyan;
    }
}

void SelectGroupOption(FormAmbient& form, int chosen) {
    if (InPressureGroup(chosen)) {
        for (int n : kPressureGroup) {
            form.Option(n).value = n == chosen;
        }
        LockGroup(form, kPressureGroup, chosen);
    } else {
        for (int n : kHumidityGroup) {
            form.Option(n).value = n == chosen;
        }
        LockGroup(form, kHumidityGroup, chosen);
    }
}

} // namespace

int OptionBox(int optionNumber) {
    return kOptionBoxes.at(optionNumber);
}

void SelectPreset(FormAmbient& form, units::UnitSystem system) {
    form.menu_metric.checked = system == units::UnitSystem::Metric;
    form.menu_british.checked = system == units::UnitSystem::British;
    form.menu_customized.checked = system == units::UnitSystem::Customized;
    form.Label27.caption = system == units::UnitSystem::Metric    ? "Unit (Metric)"
                           : system == units::UnitSystem::British ? "Unit (British)"
                                                                  : "Unit (Customized)";
    if (system != units::UnitSystem::Customized) {
        for (int n = 1; n <= units::kMainComboCount; ++n) {
            form.Combo(n).listIndex = units::PresetPosition(n, system);
        }
    }
}

FormAmbient StartupForm() {
    FormAmbient form;
    SelectPreset(form, units::UnitSystem::Metric);
    return form;
}

void ChooseOption(FormAmbient& form, int optionNumber) {
    SelectGroupOption(form, optionNumber);
}

std::string CaseInputs(const FormAmbient& form) {
    std::string text;
    auto add = [&](const std::string& name, const std::string& value) {
        text += name + "=" + value + "\n";
    };
    add("IAPWS", std::to_string(form.menu_IAPWS.checked));
    add("HW", std::to_string(form.menu_HW.checked));
    add("Metric", std::to_string(form.menu_metric.checked));
    add("British", std::to_string(form.menu_british.checked));
    add("Customized", std::to_string(form.menu_customized.checked));
    add("Label27", form.Label27.caption);
    for (int n = 1; n <= units::kMainComboCount; ++n) {
        add("Combo" + std::to_string(n), form.Combo(n).text());
    }
    add("Text1", form.Text1.text);
    for (int n = 1; n <= 10; ++n) {
        const TextBox& box = form.Text(OptionBox(n));
        add("Option" + std::to_string(n), std::to_string(form.Option(n).value));
        // Only the chosen boxes are inputs; the others show computed values.
        if (form.Option(n).value) {
            add("Text" + std::to_string(OptionBox(n)), box.text);
        }
        add("Text" + std::to_string(OptionBox(n)) + ".locked", std::to_string(box.locked));
    }
    return text;
}

void WindowEvents::comboClicked(int n) {
    for (auto system : {units::UnitSystem::Metric, units::UnitSystem::British}) {
        const bool checked = system == units::UnitSystem::Metric ? form_.menu_metric.checked
                                                                 : form_.menu_british.checked;
        if (checked && form_.Combo(n).text() != units::PresetUnit(n, system)) {
            SelectPreset(form_, units::UnitSystem::Customized);
        }
    }
    if (recalculate_) {
        recalculate_(form_);
    }
}

void WindowEvents::optionClicked(int n) {
    SelectGroupOption(form_, n);
}

void WindowEvents::textChanged(int n) {
    const bool input =
        n == 1 || std::any_of(kOptionBoxes.begin(), kOptionBoxes.end(), [&](auto& p) {
            return p.second == n && form_.Option(p.first).value;
        });
    if (recalculate_ && input) {
        recalculate_(form_);
    }
}

} // namespace hygrovane::testing
