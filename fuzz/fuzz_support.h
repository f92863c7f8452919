#pragma once

#include "windows/calculator/form_ambient.h"
#include "windows/platform.h"

namespace hygrovane::fuzz {

// Stops the run so that libFuzzer records the input (abort is a finding, as a crash is).
[[noreturn]] void Fail(const char* what);

// The main window after start-up: Metric presets selected, one Calculate run.
FormAmbient StartedForm();

// Every box, caption and List1 item is free of "nan" and "inf" (any letter case); with before,
// boxes whose text is unchanged since then (the user's own texts) are not examined.
bool ShowsOnlyFiniteTexts(const FormAmbient& form, const FormAmbient* before = nullptr);

// Calculate, failing when anything escapes it.
void CalculateChecked(FormAmbient& form);

// A platform whose dialogs are always cancelled and whose questions are answered Cancel.
class NoPlatform : public windows::Platform {
  public:
    Answer askYesNoCancel(const std::string&, const std::string&) override {
        return Answer::Cancel;
    }
    void showMessage(const std::string&, const std::string&) override {}
    std::optional<std::string> openFileDialog() override { return std::nullopt; }
    std::optional<std::string> saveFileDialog() override { return std::nullopt; }
    windows::CommandOutcome openDocument(const std::string&) override {
        return windows::CommandOutcome::Refused;
    }
    windows::CommandOutcome openWebPage(const std::string&) override {
        return windows::CommandOutcome::Refused;
    }
};

} // namespace hygrovane::fuzz
