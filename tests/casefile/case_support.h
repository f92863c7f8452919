#pragma once

#include "calculator/form_ambient.h"
#include "calculator/unit_presets.h"
#include "casefile/case_file.h"

#include <QFile>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace hygrovane::testing {

// The box that belongs to option n.
inline int OptionBox(int optionNumber) {
    constexpr int kBoxes[] = {0, 3, 4, 5, 6, 7, 8, 9, 2, 10, 11};
    return kBoxes[optionNumber];
}

// Selects the preset units and check marks of a unit system, as the menu command does.
inline void SelectPreset(FormAmbient& form, UnitSystem system) {
    form.menu_metric.checked = system == UnitSystem::Metric;
    form.menu_british.checked = system == UnitSystem::British;
    form.menu_customized.checked = system == UnitSystem::Customized;
    const char* names[] = {"Metric", "British", "Customized"};
    form.Label27.caption = std::string("Unit (") + names[static_cast<int>(system)] + ")";
    for (int n = 1; system != UnitSystem::Customized && n <= kMainComboCount; ++n) {
        form.Combo(n).listIndex = PresetPosition(n, system);
    }
}

// The window right after start-up, before Calculate: Metric units selected.
inline FormAmbient StartupForm() {
    FormAmbient form;
    SelectPreset(form, UnitSystem::Metric);
    return form;
}

inline void SetFormulation(FormAmbient& form, bool hylandWexler) {
    form.menu_IAPWS.checked = !hylandWexler;
    form.menu_HW.checked = hylandWexler;
}

// Selects option n exclusively in its group and unlocks its box, as a click would.
inline void ChooseOption(FormAmbient& form, int chosen) {
    const auto pressureGroup = [](int n) { return n == 8 || n == 9; };
    for (int n = 1; n <= 10; ++n) {
        if (pressureGroup(n) == pressureGroup(chosen)) {
            form.Option(n).value = n == chosen;
            TextBox& box = form.Text(OptionBox(n));
            box.locked = n != chosen;
            box.background = n == chosen ? colours::kPlatformWindow : colours::kDerivedCyan;
        }
    }
}

// Everything a case file keeps, as one text, so that a failed comparison shows what differs.
inline std::string CaseInputs(const FormAmbient& form) {
    std::ostringstream out;
    out << "IAPWS=" << form.menu_IAPWS.checked << " HW=" << form.menu_HW.checked
        << " Metric=" << form.menu_metric.checked << " British=" << form.menu_british.checked
        << " Customized=" << form.menu_customized.checked << "\n"
        << form.Label27.caption << "\nText1=" << form.Text1.text << "\n";
    for (int n = 1; n <= kMainComboCount; ++n) {
        out << "Combo" << n << "=" << form.Combo(n).text() << "\n";
    }
    for (int n = 1; n <= 10; ++n) {
        const TextBox& box = form.Text(OptionBox(n));
        out << "Option" << n << "=" << form.Option(n).value << " Text" << OptionBox(n)
            << ".locked=" << box.locked;
        // Only the chosen boxes are inputs; the others show computed values.
        out << (form.Option(n).value ? " text=" + box.text : "") << "\n";
    }
    return out.str();
}

// Reacts as the main window does and records the events in order ("combo2", "option9", "text10"):
// an option locks and unlocks its group, a unit other than the preset's turns the unit system to
// Customized, and a list or an input box runs recalculate (if given).
class WindowEvents : public casefile::CaseEvents {
  public:
    explicit WindowEvents(FormAmbient& form, std::function<void(FormAmbient&)> recalculate = {})
        : form_(form), recalculate_(std::move(recalculate)) {}

    void comboClicked(int n) override {
        log.push_back("combo" + std::to_string(n));
        const UnitSystem system = form_.menu_metric.checked    ? UnitSystem::Metric
                                  : form_.menu_british.checked ? UnitSystem::British
                                                               : UnitSystem::Customized;
        if (system != UnitSystem::Customized && form_.Combo(n).text() != PresetUnit(n, system)) {
            SelectPreset(form_, UnitSystem::Customized);
        }
        Recalculate();
    }
    void optionClicked(int n) override {
        log.push_back("option" + std::to_string(n));
        ChooseOption(form_, n);
    }
    void textChanged(int n) override {
        log.push_back("text" + std::to_string(n));
        Recalculate(); // a case only sets input boxes: Text1 and the chosen options' boxes
    }
    std::vector<std::string> log;

  private:
    void Recalculate() {
        if (recalculate_) {
            recalculate_(form_);
        }
    }
    FormAmbient& form_;
    std::function<void(FormAmbient&)> recalculate_;
};

inline std::string ReadBytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<unreadable>";
}

} // namespace hygrovane::testing
