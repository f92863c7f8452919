#pragma once

#include "models/calculator/ambient_form.h"
#include "models/platform.h"

namespace hygrovane::fuzz {

// Stops the run so that libFuzzer records the input (abort is a finding, as a crash is).
[[noreturn]] void Fail(const char* what);

// The main window after start-up: Metric presets selected, one Calculate run.
AmbientForm StartedForm();

// Every box, caption and List1 item is free of "nan" and "inf" (any letter case); with before,
// boxes whose text is unchanged since then (the user's own texts) are not examined.
bool ShowsOnlyFiniteTexts(const AmbientForm& form, const AmbientForm* before = nullptr);

// Calculate, failing when anything escapes it.
void CalculateChecked(AmbientForm& form);

// A platform whose dialogs are always cancelled and whose questions are answered Cancel.
class NoPlatform : public models::Platform {
  public:
    Answer askYesNoCancel(const std::string&, const std::string&) override {
        return Answer::Cancel;
    }
    void showMessage(const std::string&, const std::string&) override {}
    std::optional<std::string> openFileDialog() override { return std::nullopt; }
    std::optional<std::string> saveFileDialog() override { return std::nullopt; }
    models::CommandOutcome openDocument(const std::string&) override {
        return models::CommandOutcome::Refused;
    }
    models::CommandOutcome openWebPage(const std::string&) override {
        return models::CommandOutcome::Refused;
    }
};

} // namespace hygrovane::fuzz
