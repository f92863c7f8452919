#include "windows/ambient_window.h"

#include "calculator/calculate.h"
#include "casefile/report.h"
#include "windows/web_page.h"
#include "hygrovane/config.h"

#include <algorithm>
#include <array>
#include <system_error>

namespace hygrovane::forms {

namespace {

// An option button, the value box it makes the input, and its exclusive group (0 the pressure
// source, 1 the humidity input).
struct OptionPair {
    int option;
    int text;
    int group;
};

constexpr std::array<OptionPair, 10> kOptionPairs{{{8, 2, 0},
                                                   {9, 10, 0},
                                                   {1, 3, 1},
                                                   {2, 4, 1},
                                                   {3, 5, 1},
                                                   {4, 6, 1},
                                                   {5, 7, 1},
                                                   {6, 8, 1},
                                                   {7, 9, 1},
                                                   {10, 11, 1}}};

// Characters, not bytes, so that a selection covers a whole UTF-8 text.
int characterCount(const std::string& text) {
    int count = 0;
    for (unsigned char c : text) {
        count += (c & 0xC0) != 0x80 ? 1 : 0;
    }
    return count;
}

// The single-item "%" lists have no selection handler.
bool hasSelectionHandler(int comboNumber) {
    return comboNumber != 5 && comboNumber != 8 && comboNumber != 9;
}

const char* const kSaveQuestionTitle = "Save the current file";

} // namespace

AmbientWindow::AmbientWindow(Platform& platform) : platform_(platform) {}

void AmbientWindow::Form_Load() {
    call(showAbout);
    for (int n = 1; n <= kMainComboCount; ++n) {
        selectComboPosition(n, PresetPosition(n, UnitSystem::Metric));
    }
    Calculate(form_);
}

bool AmbientWindow::Form_QueryUnload() {
    if (otherWindowsQueryUnload && otherWindowsQueryUnload()) {
        return true;
    }
    if (!form_.CaseModified) {
        return false;
    }
    switch (platform_.askYesNoCancel("Do you want to save the current file before exit?",
                                     kSaveQuestionTitle)) {
    case Platform::Answer::No:
        return false;
    case Platform::Answer::Cancel:
        return true;
    case Platform::Answer::Yes:
        break;
    }
    const auto path = platform_.saveFileDialog();
    // A cancelled dialog or a failed save keeps the program open with the case on screen.
    return !path || !saveCaseTo(*path);
}

void AmbientWindow::Text_Change(int textNumber) {
    if (textNumber == 1) {
        Calculate(form_);
        return;
    }
    for (const auto& pair : kOptionPairs) {
        // Only the box of the selected input is an input: texts that the calculation writes into
        // the other boxes must not start another calculation.
        if (pair.text == textNumber && form_.Option(pair.option).value) {
            Calculate(form_);
            return;
        }
    }
}

void AmbientWindow::Combo_Click(int comboNumber) {
    if (!hasSelectionHandler(comboNumber)) {
        return;
    }
    const std::string unit = form_.Combo(comboNumber).text();
    if (form_.menu_metric.checked &&
        unit != PresetUnit(comboNumber, UnitSystem::Metric)) {
        form_.menu_customized.checked = true;
        form_.menu_metric.checked = false;
        form_.Label27.caption = "Unit (Customized)";
    }
    if (form_.menu_british.checked &&
        unit != PresetUnit(comboNumber, UnitSystem::British)) {
        form_.menu_customized.checked = true;
        form_.menu_british.checked = false;
        form_.Label27.caption = "Unit (Customized)";
    }
    Calculate(form_);
}

void AmbientWindow::Option_Click(int optionNumber) {
    const auto chosen = std::find_if(kOptionPairs.begin(), kOptionPairs.end(),
                                     [&](const OptionPair& p) { return p.option == optionNumber; });
    if (chosen == kOptionPairs.end()) {
        return;
    }
    for (const auto& pair : kOptionPairs) {
        if (pair.group == chosen->group) {
            form_.Option(pair.option).value = pair.option == optionNumber;
            form_.Text(pair.text).locked = pair.option != optionNumber;
        }
    }
    for (const auto& pair : kOptionPairs) {
        if (pair.group == chosen->group) {
            form_.Text(pair.text).background =
                pair.option == optionNumber ? colours::kPlatformWindow : colours::kDerivedCyan;
        }
    }
    TextBox& box = form_.Text(chosen->text);
    form_.focusRequest = "Text" + std::to_string(chosen->text);
    box.selectionStart = 0;
    box.selectionLength = characterCount(box.text);
}

void AmbientWindow::selectComboPosition(int comboNumber, int position) {
    ComboBox& combo = form_.Combo(comboNumber);
    if (combo.listIndex == position) {
        return;
    }
    combo.listIndex = position;
    Combo_Click(comboNumber);
}

void AmbientWindow::selectUnitSystem(UnitSystem system) {
    const bool metric = system == UnitSystem::Metric;
    form_.menu_metric.checked = metric;
    form_.menu_british.checked = !metric;
    form_.menu_customized.checked = false;
    form_.Label27.caption = metric ? "Unit (Metric)" : "Unit (British)";
    for (int n = 1; n <= kMainComboCount; ++n) {
        selectComboPosition(n, PresetPosition(n, system));
    }
    Calculate(form_);
}

void AmbientWindow::menu_IAPWS_Click() {
    form_.menu_IAPWS.checked = true;
    form_.menu_HW.checked = false;
    Calculate(form_);
}

void AmbientWindow::menu_HW_Click() {
    form_.menu_HW.checked = true;
    form_.menu_IAPWS.checked = false;
    Calculate(form_);
}

bool AmbientWindow::saveCaseTo(const std::string& path) {
    const casefile::FileResult result = casefile::SaveCase(form_, path);
    if (!result.ok) {
        platform_.showMessage(result.message, config::kApplicationTitle);
    }
    return result.ok;
}

void AmbientWindow::menu_open_Click() {
    if (form_.CaseModified) {
        switch (
            platform_.askYesNoCancel("Do you want to save the current file?", kSaveQuestionTitle)) {
        case Platform::Answer::Cancel:
            return;
        case Platform::Answer::No:
            break;
        case Platform::Answer::Yes: {
            const auto path = platform_.saveFileDialog();
            // The case on screen would be lost if the open went on after a failed save.
            if (!path || !saveCaseTo(*path)) {
                return;
            }
            break;
        }
        }
    }
    if (const auto path = platform_.openFileDialog()) {
        std::vector<std::string> fields;
        const casefile::FileResult result = casefile::LoadCaseFields(*path, fields);
        if (result.ok) {
            casefile::ApplyCaseFields(fields, form_, *this);
            form_.CurrentFileName = *path;
            form_.CaseModified = false;
        } else {
            platform_.showMessage(result.message, config::kApplicationTitle);
        }
    }
    Calculate(form_);
}

void AmbientWindow::menu_save_Click() {
    if (form_.CurrentFileName.empty()) {
        menu_saveas_Click();
        return;
    }
    if (saveCaseTo(form_.CurrentFileName)) {
        form_.CaseModified = false;
    }
}

void AmbientWindow::menu_saveas_Click() {
    const auto path = platform_.saveFileDialog();
    if (path && saveCaseTo(*path)) {
        form_.CurrentFileName = *path;
        form_.CaseModified = false;
    }
}

void AmbientWindow::menu_report_Click() {
    if (form_.Text12.text == "Error") {
        platform_.showMessage("The report can't be generated due to Error in calculations!",
                              "Hygrovane 2.1  Error in Creating Report");
        return;
    }
    const auto path = platform_.saveFileDialog();
    if (!path) {
        return;
    }
    const int code = form_.menu_IAPWS.checked ? 1 : 2;
    const casefile::FileResult result = casefile::WriteReport(form_, *path, code);
    if (!result.ok) {
        platform_.showMessage(result.message, config::kApplicationTitle);
    }
}

void AmbientWindow::exit_menu_Click() {
    if (!Form_QueryUnload()) {
        call(endProgram);
    }
}

void AmbientWindow::help_index_menu_Click() {
    const std::filesystem::path guide = FindUsersGuide(guideFolders);
    if (!guide.empty()) {
        platform_.openDocument(guide.string());
    }
}

void AmbientWindow::Command1_Click() {
    OpenMakerWebPage(platform_);
}

std::filesystem::path FindUsersGuide(const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        std::error_code error;
        const auto candidate = std::filesystem::absolute(folder / kUsersGuideFile, error);
        if (!error && std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return {};
}

} // namespace hygrovane::forms
