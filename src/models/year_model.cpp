#include "models/year_model.h"

#include "fileio/file_io.h"
#include "models/processes_model.h"
#include "text/number_text.h"
#include "unitfile/unit_file.h"

#include <algorithm>

namespace hygrovane::models {

void YearJob::run(unsigned threads) {
    airunit::RunOptions options;
    options.threads = threads;
    // The window reads each hour again through the unit when one is opened: the run keeps only
    // its figures.
    options.keepHours = false;
    options.progress = [this](std::size_t now, std::size_t all) {
        total = all;
        done = now;
    };
    options.cancel = &cancel;
    runs = airunit::RunUnits(*weather.data, *weather.states, weather.filter, units, options);
    finished = true;
}

YearModel::YearModel(Platform& platform, MainWindowReader main) : platform_(platform), main_(main) {
    // The guide's example unit: 10 000 m³/h at 20 % outdoor air, no economizer, no recovery.
    airunit::UnitSettings first;
    first.flow = 10000;
    first.flowUnit = airunit::FlowUnit::CubicMetresPerHour;
    first.maxDewPoint = 11;
    first.minDewPoint = 2;
    options_.push_back(first);
}

CommandOutcome YearModel::refuse(const std::string& message) {
    platform_.showMessage(message, kYearTitle);
    return CommandOutcome::Refused;
}

void YearModel::setWeather(YearWeather weather) {
    weather_ = std::move(weather);
    picked_.reset(); // a record of the weather left
    changed();
}

void YearModel::select(std::size_t option) {
    if (option < options_.size()) {
        selected_ = option;
    }
}

std::string YearModel::temperatureUnit() const {
    return main_.view().units.dryBulb;
}

std::string YearModel::enthalpyUnit() const {
    return main_.view().units.enthalpy;
}

UnitForm YearModel::formOf(std::size_t option) const {
    return FormOfUnit(options_.at(std::min(option, options_.size() - 1)), temperatureUnit(),
                      enthalpyUnit());
}

CommandOutcome YearModel::setOption(std::size_t option, const UnitForm& form) {
    if (option >= options_.size()) {
        return CommandOutcome::Refused;
    }
    auto read = ReadUnitForm(form, temperatureUnit(), enthalpyUnit());
    if (!read) {
        return refuse(read.error());
    }
    if (!(*read == options_[option])) {
        options_[option] = *read;
        changed();
    }
    return CommandOutcome::Done;
}

CommandOutcome YearModel::addOption() {
    if (options_.size() >= kMostUnitOptions) {
        return refuse("At most " + std::to_string(kMostUnitOptions) +
                      " units run side by side: remove one first.");
    }
    options_.push_back(options_[selected_]);
    selected_ = options_.size() - 1;
    changed();
    return CommandOutcome::Done;
}

CommandOutcome YearModel::removeOption(std::size_t option) {
    if (option >= options_.size() || options_.size() == 1) {
        return refuse("The only unit cannot be removed.");
    }
    options_.erase(options_.begin() + static_cast<std::ptrdiff_t>(option));
    selected_ = std::min(selected_ >= option && selected_ > 0 ? selected_ - 1 : selected_,
                         options_.size() - 1);
    changed();
    return CommandOutcome::Done;
}

std::shared_ptr<YearJob> YearModel::makeJob() {
    if (!hasWeather()) {
        return nullptr;
    }
    cancelled_ = false;
    auto job = std::make_shared<YearJob>();
    job->weather = weather_;
    job->units = options_;
    job->generation = generation_;
    return job;
}

bool YearModel::accept(YearJob& job) {
    if (!job.finished || job.cancel || job.generation != generation_) {
        return false;
    }
    cancelled_ = false;
    runs_ = std::move(job.runs);
    resultGeneration_ = job.generation;
    return true;
}

const airunit::UnitRun* YearModel::runOf(std::size_t option) const {
    if (option >= runs_.size() || !runs_[option]) {
        return nullptr;
    }
    return &*runs_[option];
}

std::optional<std::size_t> YearModel::recordAt(int month, int day, int hour) const {
    if (!hasWeather()) {
        return std::nullopt;
    }
    const auto& hours = weather_.data->hours;
    for (std::size_t i = 0; i < hours.size(); ++i) {
        const climate::HourRecord& r = hours[i];
        if (r.month == month && r.day == day && r.hour == hour) {
            return i;
        }
    }
    return std::nullopt;
}

Expected<airunit::UnitHour, std::string> YearModel::hourAt(std::size_t record) const {
    if (!hasWeather() || record >= weather_.states->hours.size()) {
        return Fail(std::string("There is no such hour in the weather file."));
    }
    if (!climate::Passes(*weather_.data, *weather_.states, record, weather_.filter)) {
        return Fail(std::string("The filter leaves this hour out: the unit is off."));
    }
    // The run's own steps: the record's outdoor air as the run reads it, the unit prepared at
    // the states' formulation.
    const auto air = airunit::OutdoorAirOf(*weather_.data, *weather_.states, 1);
    if (!air[record]) {
        return Fail(std::string("The hour has no state in the weather file."));
    }
    const auto prepared =
        airunit::Prepare(options_[selected_], weather_.states->options.formulation);
    if (!prepared) {
        return Fail(airunit::Describe(prepared.error()));
    }
    auto hour = airunit::RunHour(*prepared, *air[record]);
    if (!hour) {
        return Fail(std::string("The moist-air core refused the hour."));
    }
    hour->hours = weather_.states->hours[record].hours;
    return *hour;
}

CommandOutcome YearModel::openInProcesses(int month, int day, int hour) {
    const auto record = recordAt(month, day, hour);
    if (!record) {
        return refuse("The weather file has no hour " + std::to_string(hour) + " on " +
                      std::to_string(day) + "/" + std::to_string(month) + ".");
    }
    const auto unitHour = hourAt(*record);
    if (!unitHour) {
        return refuse(unitHour.error());
    }
    if (!toProcesses) {
        return CommandOutcome::Refused;
    }
    static constexpr std::array<const char*, 12> kMonths{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::string prefix = "U" + std::to_string(selected_ + 1) + " " +
                               kMonths[static_cast<std::size_t>(month - 1)] + " " +
                               std::to_string(day) + " " + std::to_string(hour) + "h";
    const processes::SetRecords records = HourRecords(*unitHour, options_[selected_], prefix);
    // The processes window computes every point at the main window's pressure; air near
    // saturation at the station's lower pressure may lie beyond it there.
    const processes::ProcessAmbient ambient = MainAmbient(main_);
    if (const auto air = processes::AirModel::Of(ambient)) {
        for (const processes::PointRecord& point : records.points) {
            if (point.given && !air->Given(*point.given)) {
                return refuse("At the processes window's pressure of " +
                              text::FixedText(air->pressure() / 1000, 3) + " kPa the air \"" +
                              point.name +
                              "\" would be beyond saturation (the hour's pressure was " +
                              text::FixedText(unitHour->pressure / 1000, 3) +
                              " kPa): set the main window's pressure to the hour's to open it.");
            }
        }
    }
    return toProcesses(records);
}

CommandOutcome YearModel::openUnit() {
    const auto path = platform_.openFileDialogFor("Unit files (*.json)");
    return path ? openUnitFrom(*path) : CommandOutcome::Cancelled;
}

CommandOutcome YearModel::openUnitFrom(const std::string& path) {
    auto opened = unitfile::OpenUnit(path);
    if (!opened) {
        return refuse(opened.error().message);
    }
    if (!(*opened == options_[selected_])) {
        options_[selected_] = *opened;
        changed();
    }
    return CommandOutcome::Done;
}

CommandOutcome YearModel::saveUnit() {
    const auto path = platform_.saveFileDialog();
    return path ? saveUnitTo(*path) : CommandOutcome::Cancelled;
}

CommandOutcome YearModel::saveUnitTo(const std::string& path) {
    if (auto saved = unitfile::SaveUnit(options_[selected_], path); !saved) {
        return refuse(saved.error().message);
    }
    return CommandOutcome::Done;
}

CommandOutcome YearModel::exportCsv() {
    if (!current()) {
        return refuse("Run the units first: there are no figures to export.");
    }
    const auto path = platform_.saveFileDialog();
    return path ? exportCsvTo(*path) : CommandOutcome::Cancelled;
}

CommandOutcome YearModel::exportCsvTo(const std::string& path) {
    if (!current()) {
        return refuse("Run the units first: there are no figures to export.");
    }
    if (auto written = fileio::WriteWholeFile(path, tablesCsv(), "table file"); !written) {
        return refuse(written.error().message);
    }
    return CommandOutcome::Done;
}

} // namespace hygrovane::models
