#pragma once

#include "calculator/form_ambient.h"
#include "casefile/case_file.h"
#include "units/presets.h"

#include <functional>
#include <string>
#include <vector>

namespace hygrovane::testing {

// Selects the preset units and check marks of a unit system, as the menu command does.
void SelectPreset(FormAmbient& form, units::UnitSystem system);

// The window right after start-up, before Calculate: Metric units selected.
FormAmbient StartupForm();

// Selects option n exclusively in its group and unlocks its box, as a click would.
void ChooseOption(FormAmbient& form, int optionNumber);

// Everything a case file keeps, as one text, so that a failed comparison shows what differs.
std::string CaseInputs(const FormAmbient& form);

// Records the events in order ("combo2", "option9", "text10").
class RecordingEvents : public casefile::CaseEvents {
  public:
    void comboClicked(int n) override { log.push_back("combo" + std::to_string(n)); }
    void optionClicked(int n) override { log.push_back("option" + std::to_string(n)); }
    void textChanged(int n) override { log.push_back("text" + std::to_string(n)); }
    std::vector<std::string> log;
};

// Reacts as the main window does: an option locks and unlocks its group, a unit list checks its
// unit against the unit system, and a list or an input box runs recalculate (if given).
class WindowEvents : public casefile::CaseEvents {
  public:
    using Recalculation = std::function<void(FormAmbient&)>;
    explicit WindowEvents(FormAmbient& form, Recalculation recalculate = {})
        : form_(form), recalculate_(std::move(recalculate)) {}
    void comboClicked(int n) override;
    void optionClicked(int n) override;
    void textChanged(int n) override;

  private:
    FormAmbient& form_;
    Recalculation recalculate_;
};

// The box that belongs to option n.
int OptionBox(int optionNumber);

} // namespace hygrovane::testing
