#include "models/processes_model.h"

#include "display/display_texts.h"
#include "display/input_kinds.h"
#include "display/number_text.h"
#include "processfile/process_file.h"
#include "units/quantity.h"

namespace hygrovane::models {

namespace {

using namespace processes;
using units::Quantity;

constexpr LoadUnits kMetricLoads{FlowUnit::CubicMetresPerHour, HeatUnit::Kilowatt,
                                 WaterUnit::KilogramsPerHour};
constexpr LoadUnits kBritishLoads{FlowUnit::CubicFeetPerMinute, HeatUnit::BtuPerHour,
                                  WaterUnit::PoundsPerHour};

// How a parameter is typed: a quantity in one of the main window's units, or a plain number.
struct Typed {
    std::optional<Quantity> quantity;
    std::string unit;
};

Typed TypedAs(Parameter parameter, const ShownUnits& units) {
    switch (parameter) {
    case Parameter::LeavingDryBulb:
    case Parameter::ApparatusDewPoint:
    case Parameter::SteamTemperature:
    case Parameter::Target:
        return {Quantity::Temperature, units.dryBulb};
    case Parameter::HumidityRatio:
        return {Quantity::HumidityRatio, units.humidityRatio};
    case Parameter::RelativeHumidity:
        return {Quantity::RelativeHumidity, "%"};
    case Parameter::HeatRate:
    case Parameter::BypassFactor:
    case Parameter::Effectiveness:
        break;
    }
    return {};
}

Typed TypedAs(HumidityInput input, const ShownUnits& units) {
    return {UnitQuantity(KindOf(input).shown), units.of(input)};
}

std::string Described(const ProcessAmbient& a, const ShownUnits& units) {
    std::string where;
    if (a.pressureInput == PressureInput::Barometric) {
        where = calculation::PressureText(a.pressure, units.pressure).value_or("?") + " " +
                units.pressure;
    } else {
        where = "an altitude of " +
                calculation::AltitudeText(a.altitude, units.altitude).value_or("?") + " " +
                units.altitude;
    }
    return where + (a.formulation == SatFormulation::IAPWS ? " by IAPWS" : " by Hyland-Wexler");
}

} // namespace

ProcessAmbient MainAmbient(const MainWindowReader& main) {
    const MainWindowView view = main.view();
    return {view.pressureInput, view.pressure, view.altitude, view.formulation};
}

std::optional<PointConditions> MainConditions(const MainWindowReader& main) {
    const CalculateOutcome computed = main.calculatedNow();
    if (!computed) {
        return std::nullopt;
    }
    return PointConditions{computed->dryBulb, computed->input, computed->inputValue};
}

ProcessesModel::ProcessesModel(Platform& platform, MainWindowReader main)
    : platform_(platform), main_(main),
      units_(main.view().unitSystem == UnitSystem::British ? kBritishLoads : kMetricLoads) {
    set_.setAmbient(MainAmbient(main_));
}

processfile::ReportUnits ProcessesModel::reportUnits() const {
    const bool british = main_.view().unitSystem == UnitSystem::British;
    return {british ? processfile::ReportSystem::IP : processfile::ReportSystem::SI, units_};
}

tables::Table ProcessesModel::reportTables() const {
    return processfile::ProcessTables(set_, reportUnits());
}

void ProcessesModel::MainWindowChanged() {
    const ProcessAmbient ambient = MainAmbient(main_);
    if (!(ambient == set_.ambient())) {
        set_.setAmbient(ambient);
        changed();
    }
}

CommandOutcome ProcessesModel::answer(const Outcome<Done>& done) {
    if (!done) {
        platform_.showMessage(done.error().message, kProcessesTitle);
        return CommandOutcome::Refused;
    }
    changed();
    return CommandOutcome::Done;
}

CommandOutcome ProcessesModel::AddCurrentState() {
    MainWindowChanged();
    const auto conditions = MainConditions(main_);
    if (!conditions) {
        platform_.showMessage("The main window shows no state to add: correct its inputs first.",
                              kProcessesTitle);
        return CommandOutcome::Refused;
    }
    const Outcome<PointId> added = set_.addPoint(*conditions);
    return answer(added ? Outcome<Done>(Done{}) : Fail(added.error()));
}

CommandOutcome ProcessesModel::AddChartPoint(double T, double W) {
    return AddPoint({T, HumidityInput::HumidityRatio, W});
}

CommandOutcome ProcessesModel::AddPoint(const processes::PointConditions& conditions) {
    const Outcome<PointId> added = set_.addPoint(conditions);
    return answer(added ? Outcome<Done>(Done{}) : Fail(added.error()));
}

CommandOutcome ProcessesModel::AddRecords(const processes::SetRecords& added) {
    SetRecords records = set_.Records();
    records.points.insert(records.points.end(), added.points.begin(), added.points.end());
    records.processes.insert(records.processes.end(), added.processes.begin(),
                             added.processes.end());
    Outcome<ProcessSet> made = ProcessSet::FromRecords(records);
    if (!made) {
        return answer(Fail(made.error()));
    }
    for (std::size_t i = set_.processes().size(); i < made->processes().size(); ++i) {
        if (const auto& result = made->processes()[i].result; !result) {
            return answer(Fail(result.error()));
        }
    }
    set_ = std::move(made.value());
    changed();
    return CommandOutcome::Done;
}

CommandOutcome ProcessesModel::RenamePoint(std::size_t row, const std::string& name) {
    if (row >= set_.points().size()) {
        return CommandOutcome::Refused;
    }
    return answer(set_.rename(set_.points()[row].id, name));
}

CommandOutcome ProcessesModel::DeletePoint(std::size_t row) {
    if (row >= set_.points().size()) {
        return CommandOutcome::Refused;
    }
    return answer(set_.deletePoint(set_.points()[row].id));
}

std::optional<double> ProcessesModel::read(const std::string& text, const std::string& caption) {
    if (!IsNumeric(text)) {
        platform_.showMessage("The " + caption + " \"" + text + "\" is not a number.",
                              kProcessesTitle);
        return std::nullopt;
    }
    return ReadNumber(text);
}

std::optional<double> ProcessesModel::parameter(const ProcessForm& form, Parameter p) {
    const auto text = form.texts.find(p);
    std::string caption(InfoOf(p).caption);
    const auto value = read(text == form.texts.end() ? std::string() : text->second, caption);
    if (!value) {
        return std::nullopt;
    }
    if (p == Parameter::HeatRate) {
        return *value / HeatIn(units_.heat, 1) * 1000; // W
    }
    const Typed typed = TypedAs(p, main_.view().units);
    if (!typed.quantity) {
        return value;
    }
    return units::ToInternal(*typed.quantity, typed.unit, *value);
}

std::optional<ProcessDefinition> ProcessesModel::definitionOf(const ProcessForm& form) {
    ProcessDefinition d;
    d.kind = form.kind;
    for (std::size_t i = 0; i < form.inlets.size(); ++i) {
        const Point* inlet = set_.pointNamed(form.inlets[i]);
        if (inlet == nullptr) {
            platform_.showMessage("There is no point \"" + form.inlets[i] + "\".", kProcessesTitle);
            return std::nullopt;
        }
        d.inlets.push_back(inlet->id);
        const FlowUnit unit = i < form.flowUnits.size() ? form.flowUnits[i] : units_.flow;
        AirFlow flow{unit, 0};
        if (unit != FlowUnit::Upstream) {
            const auto value =
                read(i < form.flowTexts.size() ? form.flowTexts[i] : std::string(), "air flow");
            if (!value) {
                return std::nullopt;
            }
            flow.value = *value;
        }
        d.flows.push_back(flow);
    }
    for (Parameter p : InfoOf(form.kind).parameters) {
        const auto value = parameter(form, p);
        if (!value) {
            return std::nullopt;
        }
        switch (p) {
        case Parameter::LeavingDryBulb:
            d.parameters.leavingDryBulb = *value;
            break;
        case Parameter::HeatRate:
            d.parameters.heatRate = *value;
            break;
        case Parameter::ApparatusDewPoint:
            d.parameters.apparatusDewPoint = *value;
            break;
        case Parameter::BypassFactor:
            d.parameters.bypassFactor = *value;
            break;
        case Parameter::RelativeHumidity:
            d.parameters.relativeHumidity = *value;
            break;
        case Parameter::HumidityRatio:
            d.parameters.humidityRatio = *value;
            break;
        case Parameter::Effectiveness:
            d.parameters.effectiveness = *value;
            break;
        case Parameter::SteamTemperature:
            d.parameters.steamTemperature = *value;
            break;
        case Parameter::Target: {
            const auto humidity = read(form.targetHumidityText, "leaving humidity");
            const Typed typed = TypedAs(form.targetHumidityInput, main_.view().units);
            if (!humidity) {
                return std::nullopt;
            }
            d.parameters.target = {
                *value, form.targetHumidityInput,
                units::ToInternal(*typed.quantity, typed.unit, *humidity).value_or(*humidity)};
            break;
        }
        }
    }
    return d;
}

CommandOutcome ProcessesModel::AddProcess(const ProcessForm& form) {
    MainWindowChanged();
    const auto definition = definitionOf(form);
    if (!definition) {
        return CommandOutcome::Refused;
    }
    const Outcome<std::size_t> added = set_.addProcess(*definition);
    return answer(added ? Outcome<Done>(Done{}) : Fail(added.error()));
}

CommandOutcome ProcessesModel::ChangeProcess(std::size_t row, const ProcessForm& form) {
    const auto definition = definitionOf(form);
    if (!definition) {
        return CommandOutcome::Refused;
    }
    return answer(set_.changeProcess(row, *definition));
}

CommandOutcome ProcessesModel::DeleteProcess(std::size_t row) {
    return answer(set_.deleteProcess(row));
}

CommandOutcome ProcessesModel::SetFlows(std::size_t row, const std::vector<std::string>& texts,
                                        const std::vector<FlowUnit>& units) {
    if (row >= set_.processes().size()) {
        return CommandOutcome::Refused;
    }
    ProcessForm form = FormOf(row);
    form.flowTexts = texts;
    form.flowUnits = units;
    return ChangeProcess(row, form);
}

void ProcessesModel::SetLoadUnits(const LoadUnits& units) {
    if (!(units == units_)) {
        units_ = units;
        changed();
    }
}

ProcessForm ProcessesModel::FormOf(std::size_t row) const {
    ProcessForm form;
    if (row >= set_.processes().size()) {
        return form;
    }
    const Process& process = set_.processes()[row];
    const ProcessDefinition& d = process.definition;
    form.kind = d.kind;
    for (std::size_t i = 0; i < d.inlets.size(); ++i) {
        form.inlets.push_back(set_.point(d.inlets[i])->name);
        form.flowUnits.push_back(d.flows[i].unit);
        form.flowTexts.push_back(NumberText(d.flows[i].value));
    }
    const auto shown = [&](const Typed& typed, double value) {
        const double number =
            typed.quantity ? units::FromInternal(*typed.quantity, typed.unit, value).value_or(0)
                           : value;
        return RoundedText(number, 6);
    };
    const ProcessParameters& p = d.parameters;
    const std::map<Parameter, double> values{
        {Parameter::LeavingDryBulb, p.leavingDryBulb},
        {Parameter::HeatRate, HeatIn(units_.heat, p.heatRate / 1000)},
        {Parameter::ApparatusDewPoint, p.apparatusDewPoint},
        {Parameter::BypassFactor, p.bypassFactor},
        {Parameter::RelativeHumidity, p.relativeHumidity},
        {Parameter::HumidityRatio, p.humidityRatio},
        {Parameter::Effectiveness, p.effectiveness},
        {Parameter::SteamTemperature, p.steamTemperature},
        {Parameter::Target, p.target.dryBulb},
    };
    const ShownUnits units = main_.view().units;
    for (Parameter parameter : InfoOf(d.kind).parameters) {
        const Typed typed = parameter == Parameter::HeatRate ? Typed{} : TypedAs(parameter, units);
        form.texts[parameter] = shown(typed, values.at(parameter));
    }
    form.targetHumidityInput = p.target.humidityInput;
    form.targetHumidityText = shown(TypedAs(p.target.humidityInput, units), p.target.humidity);
    return form;
}

void ProcessesModel::New() {
    if (keepOrSaveChanges() != CommandOutcome::Done) {
        return;
    }
    set_ = ProcessSet();
    set_.setAmbient(MainAmbient(main_));
    roomRatios_.clear(); // their rooms' ids may come back as other points
    fileName_.clear();
    modified_ = false;
}

CommandOutcome ProcessesModel::Open() {
    if (const CommandOutcome kept = keepOrSaveChanges(); kept != CommandOutcome::Done) {
        return kept;
    }
    const auto path = platform_.openFileDialog();
    if (!path) {
        return CommandOutcome::Cancelled;
    }
    auto opened = processfile::OpenProcessSet(*path);
    if (!opened) {
        platform_.showMessage(opened.error().message, kProcessesTitle);
        return CommandOutcome::Refused;
    }
    set_ = std::move(opened.value().set);
    units_ = opened->units;
    fileName_ = *path;
    modified_ = false;
    roomRatios_.clear(); // their rooms' ids may come back as other points
    // The set shares the main window's pressure and formulation; one saved at others is
    // recomputed, and the user told.
    const ProcessAmbient saved = set_.ambient();
    if (!(saved == MainAmbient(main_))) {
        MainWindowChanged();
        platform_.showMessage("The process set was saved at " +
                                  Described(saved, main_.view().units) +
                                  "; it is now computed at the main window's " +
                                  Described(set_.ambient(), main_.view().units) + ".",
                              kProcessesTitle);
    }
    return CommandOutcome::Done;
}

CommandOutcome ProcessesModel::saveTo(const std::string& path) {
    const auto saved = processfile::SaveProcessSet(set_, units_, path);
    if (!saved) {
        platform_.showMessage(saved.error().message, kProcessesTitle);
        return CommandOutcome::Refused;
    }
    fileName_ = path;
    modified_ = false;
    return CommandOutcome::Done;
}

CommandOutcome ProcessesModel::Save() {
    return fileName_.empty() ? SaveAs() : saveTo(fileName_);
}

CommandOutcome ProcessesModel::SaveAs() {
    const auto path = platform_.saveFileDialog();
    return path ? saveTo(*path) : CommandOutcome::Cancelled;
}

CommandOutcome ProcessesModel::ExportCsv() {
    const auto path = platform_.saveFileDialog();
    if (!path) {
        return CommandOutcome::Cancelled;
    }
    const auto exported = processfile::ExportProcessReportCsv(set_, reportUnits(), *path);
    if (!exported) {
        platform_.showMessage(exported.error().message, kProcessesTitle);
        return CommandOutcome::Refused;
    }
    return CommandOutcome::Done;
}

CommandOutcome ProcessesModel::keepOrSaveChanges() {
    if (!modified_) {
        return CommandOutcome::Done;
    }
    switch (platform_.askYesNoCancel("Do you want to save the current process set first?",
                                     kProcessesTitle)) {
    case Platform::Answer::Yes:
        return Save();
    case Platform::Answer::No:
        return CommandOutcome::Done;
    case Platform::Answer::Cancel:
        break;
    }
    return CommandOutcome::Cancelled;
}

Closing ProcessesModel::QueryClose() {
    return keepOrSaveChanges() == CommandOutcome::Done ? Closing::Close : Closing::StayOpen;
}

} // namespace hygrovane::models
