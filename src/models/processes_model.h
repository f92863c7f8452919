#pragma once

#include "models/calculator/main_window_view.h"
#include "models/command_outcome.h"
#include "models/platform.h"
#include "models/process_overlay.h"
#include "processes/process_set.h"
#include "processfile/process_report.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::models {

// How the supply air on a room ratio line is chosen: at its dry bulb, or at a temperature
// difference below the room's dry bulb.
enum class SupplyBy { DryBulb, Difference };

// What the room ratio dialog holds, as typed: the room (a point's name), the sensible heat ratio
// (a fraction), and for the supply air the way it is chosen, its temperature text in the main
// window's temperature unit (a difference in that unit's degrees) and the new point's name
// (empty: the set names it).
struct RoomRatioForm {
    std::string room;
    std::string shrText;
    SupplyBy by = SupplyBy::Difference;
    std::string supplyText;
    std::string supplyName;
};

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

// The control model and handlers of the processes window (Form_processes): a set of named state
// points and the processes between them, at the main window's pressure and formulation and in
// its units. The view forwards the user's actions here and redraws the tables afterwards; a chart
// draws set().points() and each process's result (paths, guide, apparatus dew point).
class ProcessesModel {
  public:
    ProcessesModel(Platform& platform, MainWindowReader main);

    const processes::ProcessSet& set() const { return set_; }
    const processes::LoadUnits& loadUnits() const { return units_; }
    const std::string& fileName() const { return fileName_; }
    // The main window's units, in which points and parameters are typed and shown.
    ShownUnits shownUnits() const { return main_.view().units; }
    bool modified() const { return modified_; }

    // The tables as shown and exported: report style in the main window's unit system (SI or
    // IP) and the set's load units.
    processfile::ReportUnits reportUnits() const;
    tables::Table reportTables() const;

    // To be called after each calculation of the main window: a new pressure or formulation
    // recomputes every point and process.
    void MainWindowChanged();

    // Commands; each shows why when it cannot be carried out, and then changes nothing.
    CommandOutcome AddCurrentState();                 // the main window's state as a new point
    CommandOutcome AddChartPoint(double T, double W); // a click on the chart: K, kg/kg
    // A point given by its dry bulb and any humidity input, computed at the main window's
    // pressure (a design condition named by its wet bulb stays that wet bulb).
    CommandOutcome AddPoint(const processes::PointConditions& conditions);
    // Points and processes given by name, added after the set's own: all of them, each process
    // computed, or none (the refusal shown). The records' ambient is not read.
    CommandOutcome AddRecords(const processes::SetRecords& records);
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

    // Room ratio lines: "Room ratio line…" draws the line of form's SHR from its room (once);
    // "Supply air on the line" adds the supply state on that line as a new point, and draws the
    // line too. Either shows the refusal and changes nothing when it cannot be done. The lines
    // are the window's, not the set's: they are not saved, and New and Open remove them.
    CommandOutcome DrawRoomRatioLine(const RoomRatioForm& form);
    CommandOutcome AddSupplyOnLine(const RoomRatioForm& form);
    void ClearRoomRatioLines() { roomRatios_.clear(); }
    const std::vector<RoomRatioLineOf>& roomRatioLines() const { return roomRatios_; }
    // The main window's temperature unit, in which the supply is typed.
    std::string temperatureUnit() const { return main_.view().units.dryBulb; }
    // The set and the room ratio lines as the chart draws them.
    chart::Overlay overlay() const;

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
    CommandOutcome answer(const processes::Outcome<Done>& done);
    CommandOutcome saveTo(const std::string& path);
    CommandOutcome keepOrSaveChanges();
    void changed() { modified_ = true; }
    // The room's id and the SHR read from a room ratio form; none after a message.
    std::optional<RoomRatioLineOf> roomRatioOf(const RoomRatioForm& form);
    void keepLine(const RoomRatioLineOf& line);

    Platform& platform_;
    MainWindowReader main_;
    processes::ProcessSet set_;
    processes::LoadUnits units_;
    std::string fileName_;
    bool modified_ = false;
    std::vector<RoomRatioLineOf> roomRatios_;
};

inline constexpr const char* kProcessesTitle = "Processes";

// The main window's pressure and formulation, as its last calculation holds them.
processes::ProcessAmbient MainAmbient(const MainWindowReader& main);
// The main window's state as a point's conditions (its dry bulb and its humidity input); none
// while the main window shows an error.
std::optional<processes::PointConditions> MainConditions(const MainWindowReader& main);

} // namespace hygrovane::models
