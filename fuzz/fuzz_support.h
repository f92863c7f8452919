#pragma once

#include "calculator/form_ambient.h"
#include "casefile/case_file.h"

namespace hygrovane::fuzz {

// Stops the run so that libFuzzer records the input (abort is a finding, as a crash is).
[[noreturn]] void Fail(const char* what);

// The main window after start-up: Metric presets selected, one Calculate run.
FormAmbient StartedForm();

// Every box, caption and List1 item is free of "nan" and "inf" (any letter case); with before,
// boxes whose text is unchanged since then (the user's own texts) are not examined.
bool ShowsOnlyFiniteTexts(const FormAmbient& form, const FormAmbient* before = nullptr);

// The main window's reactions to the selections of an opened case: a unit list checks its unit
// against the active system and recalculates, an option unlocks its box, a change of Text1 or of
// the selected input recalculates.
class WindowEvents : public casefile::CaseEvents {
  public:
    explicit WindowEvents(FormAmbient& form) : form_(form) {}
    void comboClicked(int comboNumber) override;
    void optionClicked(int optionNumber) override;
    void textChanged(int textNumber) override;

  private:
    FormAmbient& form_;
};

// Calculate, failing when anything escapes it.
void CalculateChecked(FormAmbient& form);

} // namespace hygrovane::fuzz
