#pragma once

#include "calculator/form_ambient.h"
#include "processes/process_set.h"
#include "processfile/process_table.h"
#include "windows/command_outcome.h"
#include "windows/platform.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::forms {

// What a process dialog holds: the kind, the entering points by name, one flow each (a number
// text and its unit), and the parameters as typed, in the main window's units (temperatures in
// its temperature unit, humidity ratios in its unit, relative humidity in %, the heat rate in the
// set's heat unit, bypass factor and effectiveness as fractions).
struct ProcessForm {
    processes::ProcessKind kind = processes::ProcessKind::SensibleToDryBulb;
    std::vector<std::string> inlets;
    std::vector<std::string> flowTexts;
    std::vector<processes::FlowUnit> flowUnits;
    // Parameter::Target's text is the target's dry bulb.
    std::map<processes::Parameter, std::string> texts;
    HumidityInput targetHumidityInput = HumidityInput::RelativeHumidity;
    std::string targetHumidityText;
};

// Whether the window may close, after the question about unsaved changes.
enum class Closing { Close, StayOpen };

// The control model and handlers of the processes window (Form_processes): a set of named state
// points and the processes between them, at the main window's pressure and formulation and in
// its units. The view forwards the user's actions here and redraws the tables afterwards; a chart
// draws set().points() and each process's result (paths, guide, apparatus dew point).
class ProcessWindow {
  public:
    ProcessWindow(Platform& platform, const FormAmbient& main);

    const processes::ProcessSet& set() const { return set_; }
    const processes::LoadUnits& loadUnits() const { return units_; }
    const std::string& fileName() const { return fileName_; }
    bool modified() const { return modified_; }

    // The tables as shown, in the main window's units and the set's load units.
    processfile::TableUnits tableUnits() const;
    processfile::TextTable pointTable() const;
    processfile::TextTable processTable() const;

    // To be called after each calculation of the main window: a new pressure or formulation
    // recomputes every point and process.
    void MainWindowChanged();

    // Commands; each shows why when it cannot be carried out, and then changes nothing.
    CommandOutcome AddCurrentState();                 // the main window's state as a new point
    CommandOutcome AddChartPoint(double T, double W); // a click on the chart: K, kg/kg
    CommandOutcome RenamePoint(std::size_t row, const std::string& name);
    CommandOutcome DeletePoint(std::size_t row);
    CommandOutcome AddProcess(const ProcessForm& form);
    CommandOutcome ChangeProcess(std::size_t row, const ProcessForm& form);
    CommandOutcome DeleteProcess(std::size_t row);
    // The flows of a process (texts and units, one per entering point).
    CommandOutcome SetFlows(std::size_t row, const std::vector<std::string>& texts,
                            const std::vector<processes::FlowUnit>& units);
    void SetLoadUnits(const processes::LoadUnits& units);
    // A process's dialog filled in as it stands, for changing it.
    ProcessForm FormOf(std::size_t row) const;

    void New();
    CommandOutcome Open();
    CommandOutcome Save();
    CommandOutcome SaveAs();
    CommandOutcome ExportCsv();
    // Asks about a modified set before the window closes.
    Closing QueryClose();

  private:
    std::optional<processes::ProcessDefinition> definitionOf(const ProcessForm& form);
    std::optional<double> read(const std::string& text, const std::string& caption);
    std::optional<double> parameter(const ProcessForm& form, processes::Parameter parameter);
    CommandOutcome answer(const processes::Refusal& refusal);
    CommandOutcome saveTo(const std::string& path);
    CommandOutcome keepOrSaveChanges();
    void changed() { modified_ = true; }

    Platform& platform_;
    const FormAmbient& main_;
    processes::ProcessSet set_;
    processes::LoadUnits units_;
    std::string fileName_;
    bool modified_ = false;
};

inline constexpr const char* kProcessesTitle = "Processes";

// The main window's pressure and formulation, as its last calculation holds them.
processes::ProcessAmbient MainAmbient(const FormAmbient& main);
// The main window's state as a point's conditions (its dry bulb and its humidity input); none
// while the main window shows an error.
std::optional<processes::PointConditions> MainConditions(const FormAmbient& main);

} // namespace hygrovane::forms
