#pragma once

#include "casefile/case_file.h"
#include "models/calculator/ambient_form.h"
#include "models/calculator/main_window_view.h"
#include "models/calculator/unit_presets.h"
#include "models/command_outcome.h"
#include "models/platform.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace hygrovane::models {

// The event handlers of the main window Form_ambient over its control model. The view forwards
// the user's actions here and redraws the controls from form() afterwards; nothing here knows Qt.
class AmbientModel : public casefile::CaseEvents {
  public:
    explicit AmbientModel(Platform& platform);

    AmbientForm& form() { return form_; }
    const AmbientForm& form() const { return form_; }
    // The window as its neighbours read it, in the domain's words.
    MainWindowReader reader() const { return form_; }

    // Set by the program: the auxiliary windows (shown non-modally) and the end of the program.
    std::function<void()> showAbout;
    std::function<void()> showConvertor;
    std::function<void()> showSaturation;
    std::function<void()> showChart;
    std::function<void()> showProcesses;
    // Asked before the program ends, so that other windows keep unsaved work.
    std::function<Closing()> otherWindowsQueryUnload;
    std::function<void()> showBatch;
    std::function<void()> endProgram;

    // Folders searched in turn for the user's guide; an empty path is the working directory.
    // F1 says so when the guide is in none of them or cannot be shown.
    std::vector<std::filesystem::path> guideFolders{std::filesystem::path()};

    void Form_Load();
    // Asks about a modified case (and the other windows' work) before the window closes.
    Closing Form_QueryUnload();

    // A text box's text was changed by the user (the model already holds the new text).
    void Text_Change(int textNumber);
    // A unit list's selection was changed (the model already holds the new position).
    void Combo_Click(int comboNumber);
    // An option button was clicked.
    void Option_Click(int optionNumber);

    void Text1_Change() { Text_Change(1); }
    void Text2_Change() { Text_Change(2); }
    void Text3_Change() { Text_Change(3); }
    void Text4_Change() { Text_Change(4); }
    void Text5_Change() { Text_Change(5); }
    void Text6_Change() { Text_Change(6); }
    void Text7_Change() { Text_Change(7); }
    void Text8_Change() { Text_Change(8); }
    void Text9_Change() { Text_Change(9); }
    void Text10_Change() { Text_Change(10); }
    void Text11_Change() { Text_Change(11); }
    void Combo1_Click() { Combo_Click(1); }
    void Combo2_Click() { Combo_Click(2); }
    void Combo3_Click() { Combo_Click(3); }
    void Combo4_Click() { Combo_Click(4); }
    void Combo6_Click() { Combo_Click(6); }
    void Combo7_Click() { Combo_Click(7); }
    void Combo10_Click() { Combo_Click(10); }
    void Combo11_Click() { Combo_Click(11); }
    void Combo12_Click() { Combo_Click(12); }
    void Combo13_Click() { Combo_Click(13); }
    void Combo14_Click() { Combo_Click(14); }
    void Combo15_Click() { Combo_Click(15); }
    void Combo16_Click() { Combo_Click(16); }
    void Option1_Click() { Option_Click(1); }
    void Option2_Click() { Option_Click(2); }
    void Option3_Click() { Option_Click(3); }
    void Option4_Click() { Option_Click(4); }
    void Option5_Click() { Option_Click(5); }
    void Option6_Click() { Option_Click(6); }
    void Option7_Click() { Option_Click(7); }
    void Option8_Click() { Option_Click(8); }
    void Option9_Click() { Option_Click(9); }
    void Option10_Click() { Option_Click(10); }

    void menu_open_Click();
    // The part of "&Open" after its dialog, also used for a case named on the command line:
    // restores the case at path (or shows why it cannot be read, changing nothing), then
    // recalculates.
    void openCase(const std::string& path);
    void menu_save_Click();
    void menu_saveas_Click();
    void menu_report_Click();
    void exit_menu_Click();
    void menu_IAPWS_Click();
    void menu_HW_Click();
    void menu_metric_Click() { selectUnitSystem(UnitSystem::Metric); }
    void menu_british_Click() { selectUnitSystem(UnitSystem::British); }
    void menu_convertor_Click() { call(showConvertor); }
    void menu_sat_Click() { call(showSaturation); }
    void menu_chart_Click() { call(showChart); }
    void menu_processes_Click() { call(showProcesses); }
    void menu_batch_Click() { call(showBatch); }
    void help_index_menu_Click();
    void abou_menu_Click() { call(showAbout); }
    void Command1_Click();

    // A state picked on the chart (dry bulb in K, humidity ratio in kg/kg), entered as the user
    // would type it: Option1 chosen, then the dry bulb into Text1 and the humidity ratio into
    // Text3, each in the unit of its list (Combo1, Combo6), to a tenth of a degree and a
    // hundredth of a g/kg, kept within the limits the window shows; each box's handler
    // recalculates.
    void enterChartState(double dryBulb, double humidityRatio);
    // The same with another humidity input chosen and typed (a wet bulb or dew point in K to a
    // hundredth of a degree, a relative humidity as a fraction to a tenth of a percent), so that
    // a condition named by those quantities is computed at this window's pressure.
    void enterState(double dryBulb, HumidityInput humidity, double value);
    // An altitude in m entered as the user would type it: the altitude chosen as the pressure
    // input, then typed in the window's altitude unit (whole, or to a hundredth); the box's
    // handler recalculates. Nothing changes when the unit cannot show it.
    void enterAltitude(double metres);

    // Raised by ApplyCaseFields while a case is opened.
    void comboClicked(int comboNumber) override { Combo_Click(comboNumber); }
    void optionClicked(int optionNumber) override { Option_Click(optionNumber); }
    void textChanged(int textNumber) override { Text_Change(textNumber); }

  private:
    static void call(const std::function<void()>& hook) {
        if (hook) {
            hook();
        }
    }
    void selectUnitSystem(UnitSystem system);
    // Selects a position in ComboN from code; a changed selection runs the list's handler.
    void selectComboPosition(int comboNumber, int position);
    // Saves the case to path; a failure is shown and refused.
    CommandOutcome saveCaseTo(const std::string& path);

    AmbientForm form_;
    Platform& platform_;
};

// The first folder holding the user's guide, joined with its name; empty when none does.
std::filesystem::path FindUsersGuide(const std::vector<std::filesystem::path>& folders);

} // namespace hygrovane::models
