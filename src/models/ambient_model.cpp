#include "models/ambient_model.h"

#include "casefile/report.h"
#include "chart/chart_units.h"
#include "display/number_text.h"
#include "hygrovane/config.h"
#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"
#include "models/web_page.h"
#include "units/quantity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <system_error>

namespace hygrovane::models {

namespace {

// The single-item "%" lists have no selection handler.
bool hasSelectionHandler(int comboNumber) {
    return std::none_of(kHumidityRows.begin(), kHumidityRows.end(), [&](const HumidityRow& row) {
        return row.percent && row.combo == comboNumber;
    });
}

const char* const kSaveQuestionTitle = "Save the current file";

// A value to the decimals as a user would type it, kept between the numbers of the window's
// Minimum and Maximum captions (which rounding could otherwise pass).
std::string TypedWithin(double value, int decimals, const Label& minimum, const Label& maximum) {
    const double scale = std::pow(10.0, decimals);
    double typed = RoundHalfEven(value, decimals);
    if (IsNumeric(maximum.caption)) {
        typed = std::min(typed, std::floor(ReadNumber(maximum.caption) * scale) / scale);
    }
    if (IsNumeric(minimum.caption)) {
        typed = std::max(typed, std::ceil(ReadNumber(minimum.caption) * scale) / scale);
    }
    return RoundedText(typed, decimals);
}

} // namespace

AmbientModel::AmbientModel(Platform& platform) : platform_(platform) {}

void AmbientModel::Form_Load() {
    call(showAbout);
    for (int n = 1; n <= kMainComboCount; ++n) {
        selectComboPosition(n, PresetPosition(n, UnitSystem::Metric));
    }
    Calculate(form_);
}

Closing AmbientModel::Form_QueryUnload() {
    if (otherWindowsQueryUnload && otherWindowsQueryUnload() == Closing::StayOpen) {
        return Closing::StayOpen;
    }
    if (!form_.CaseModified) {
        return Closing::Close;
    }
    switch (platform_.askYesNoCancel("Do you want to save the current file before exit?",
                                     kSaveQuestionTitle)) {
    case Platform::Answer::No:
        return Closing::Close;
    case Platform::Answer::Cancel:
        return Closing::StayOpen;
    case Platform::Answer::Yes:
        break;
    }
    const auto path = platform_.saveFileDialog();
    // A cancelled dialog or a failed save keeps the program open with the case on screen.
    return path && saveCaseTo(*path) == CommandOutcome::Done ? Closing::Close : Closing::StayOpen;
}

void AmbientModel::Text_Change(int textNumber) {
    if (textNumber == 1) {
        Calculate(form_);
        return;
    }
    // Only the box of the selected input is an input: texts that the calculation writes into the
    // other boxes must not start another calculation.
    const HumidityRow* humidity = HumidityRowOfBox(textNumber);
    const PressureRow* pressure = PressureRowOfBox(textNumber);
    const int option = humidity ? humidity->option : pressure ? pressure->option : 0;
    if (option != 0 && form_.Option(option).value) {
        Calculate(form_);
    }
}

void AmbientModel::Combo_Click(int comboNumber) {
    if (!hasSelectionHandler(comboNumber)) {
        return;
    }
    const std::string unit = form_.Combo(comboNumber).text();
    if (form_.menu_metric.checked && unit != PresetUnit(comboNumber, UnitSystem::Metric)) {
        form_.menu_customized.checked = true;
        form_.menu_metric.checked = false;
        form_.Label27.caption = "Unit (Customized)";
    }
    if (form_.menu_british.checked && unit != PresetUnit(comboNumber, UnitSystem::British)) {
        form_.menu_customized.checked = true;
        form_.menu_british.checked = false;
        form_.Label27.caption = "Unit (Customized)";
    }
    Calculate(form_);
}

namespace {

// Makes the chosen option the one selected of its group: its box unlocked on the window colour,
// the others locked and cyan; then the chosen box takes the focus, its text selected.
template <typename Rows> void Choose(AmbientForm& form, const Rows& rows, int chosen) {
    for (const auto& row : rows) {
        form.Option(row.option).value = row.option == chosen;
        form.Text(row.box).locked = row.option != chosen;
    }
    for (const auto& row : rows) {
        TextBox& box = form.Text(row.box);
        box.background = row.option == chosen ? colours::kPlatformWindow : colours::kDerivedCyan;
        box.focusRequested = row.option == chosen;
    }
}

} // namespace

void AmbientModel::Option_Click(int optionNumber) {
    if (HumidityRowOfOption(optionNumber) != nullptr) {
        Choose(form_, kHumidityRows, optionNumber);
    } else if (PressureRowOfOption(optionNumber) != nullptr) {
        Choose(form_, kPressureRows, optionNumber);
    }
}

void AmbientModel::enterChartState(double dryBulb, double humidityRatio) {
    enterState(dryBulb, HumidityInput::HumidityRatio, humidityRatio);
}

void AmbientModel::enterState(double dryBulb, HumidityInput humidity, double value) {
    const HumidityRow& row = RowOf(humidity);
    if (!form_.Option(row.option).value) {
        Option_Click(row.option);
    }
    if (const auto shown =
            units::FromInternal(units::Quantity::Temperature, form_.Combo1.text(), dryBulb)) {
        form_.Text1.text = TypedWithin(*shown, 1, form_.Label5, form_.Label4);
        Text_Change(1);
    }
    const std::string unit = row.percent ? std::string("%") : form_.Combo(row.combo).text();
    const units::Quantity quantity = UnitQuantity(row.shown);
    const bool temperature = quantity == units::Quantity::Temperature;
    if (humidity != HumidityInput::HumidityRatio && !temperature &&
        humidity != HumidityInput::RelativeHumidity) {
        return; // no condition is named so
    }
    if (const auto shown = units::FromInternal(quantity, unit, value)) {
        // The maximum is the one of the new dry bulb: the first recalculation wrote it.
        const int decimals = temperature                                   ? 2
                             : humidity == HumidityInput::RelativeHumidity ? 1
                             : unit == "(g moisture)/(kg dry air)"         ? 2
                                                                           : 5;
        form_.Text(row.box).text = TypedWithin(*shown, decimals, form_.Labels(row.minimumLabel),
                                               form_.Labels(row.maximumLabel));
        Text_Change(row.box);
    }
}

void AmbientModel::enterAltitude(double metres) {
    const PressureRow& row = RowOf(PressureInput::Altitude);
    if (!form_.Option(row.option).value) {
        Option_Click(row.option);
    }
    const auto shown =
        units::FromInternal(units::Quantity::Length, form_.Combo(row.combo).text(), metres);
    if (!shown) {
        return;
    }
    const bool whole = std::abs(*shown - std::round(*shown)) < 1e-6;
    form_.Text(row.box).text = chart::FixedText(*shown, whole ? 0 : 2);
    Text_Change(row.box);
}

void AmbientModel::selectComboPosition(int comboNumber, int position) {
    ComboBox& combo = form_.Combo(comboNumber);
    if (combo.listIndex == position) {
        return;
    }
    combo.listIndex = position;
    Combo_Click(comboNumber);
}

void AmbientModel::selectUnitSystem(UnitSystem system) {
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

void AmbientModel::menu_IAPWS_Click() {
    form_.menu_IAPWS.checked = true;
    form_.menu_HW.checked = false;
    Calculate(form_);
}

void AmbientModel::menu_HW_Click() {
    form_.menu_HW.checked = true;
    form_.menu_IAPWS.checked = false;
    Calculate(form_);
}

CommandOutcome AmbientModel::saveCaseTo(const std::string& path) {
    const auto saved = casefile::SaveCase(form_, path);
    if (!saved) {
        platform_.showMessage(saved.error().message, config::kApplicationTitle);
        return CommandOutcome::Refused;
    }
    return CommandOutcome::Done;
}

void AmbientModel::menu_open_Click() {
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
            if (!path || saveCaseTo(*path) != CommandOutcome::Done) {
                return;
            }
            break;
        }
        }
    }
    if (const auto path = platform_.openFileDialog()) {
        openCase(*path);
    } else {
        Calculate(form_);
    }
}

void AmbientModel::openCase(const std::string& path) {
    const auto fields = casefile::LoadCaseFields(path);
    if (!fields) {
        // Nothing was applied: the window, its file and its modified flag stay as they were.
        platform_.showMessage(fields.error().message, config::kApplicationTitle);
        return;
    }
    casefile::ApplyCaseFields(*fields, form_, *this);
    form_.CurrentFileName = path;
    form_.CaseModified = false;
    Calculate(form_);
}

void AmbientModel::menu_save_Click() {
    if (form_.CurrentFileName.empty()) {
        menu_saveas_Click();
        return;
    }
    if (saveCaseTo(form_.CurrentFileName) == CommandOutcome::Done) {
        form_.CaseModified = false;
    }
}

void AmbientModel::menu_saveas_Click() {
    const auto path = platform_.saveFileDialog();
    if (path && saveCaseTo(*path) == CommandOutcome::Done) {
        form_.CurrentFileName = *path;
        form_.CaseModified = false;
    }
}

void AmbientModel::menu_report_Click() {
    if (!form_.computed) {
        platform_.showMessage("The report can't be generated due to Error in calculations!",
                              "Hygrovane 2.1  Error in Creating Report");
        return;
    }
    const auto path = platform_.saveFileDialog();
    if (!path) {
        return;
    }
    const auto written = casefile::WriteReport(form_, *path, form_.Formulation());
    if (!written) {
        platform_.showMessage(written.error().message, config::kApplicationTitle);
    }
}

void AmbientModel::exit_menu_Click() {
    if (Form_QueryUnload() == Closing::Close) {
        call(endProgram);
    }
}

void AmbientModel::help_index_menu_Click() {
    const std::filesystem::path guide = FindUsersGuide(guideFolders);
    if (guide.empty()) {
        std::string message = std::string("The user's guide \"") + config::kUsersGuideFile +
                              "\" was found in none of these folders:";
        for (const auto& folder : guideFolders) {
            std::error_code error;
            const auto shown = folder.empty() ? std::filesystem::current_path(error)
                                              : std::filesystem::absolute(folder, error);
            message += "\n" + (error ? folder : shown).string();
        }
        platform_.showMessage(message, config::kApplicationTitle);
    } else if (platform_.openDocument(guide.string()) != CommandOutcome::Done) {
        platform_.showMessage("The user's guide \"" + guide.string() +
                                  "\" was found, but no program to show it could be started.",
                              config::kApplicationTitle);
    }
}

void AmbientModel::Command1_Click() {
    OpenMakerWebPage(platform_);
}

std::filesystem::path FindUsersGuide(const std::vector<std::filesystem::path>& folders) {
    for (const auto& folder : folders) {
        std::error_code error;
        const auto candidate = std::filesystem::absolute(folder / config::kUsersGuideFile, error);
        if (!error && std::filesystem::is_regular_file(candidate, error)) {
            return candidate;
        }
    }
    return {};
}

} // namespace hygrovane::models
