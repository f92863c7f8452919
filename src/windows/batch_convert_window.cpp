#include "windows/batch_convert_window.h"

#include "batch/command_line.h"

#include <filesystem>

namespace hygrovane::forms {

namespace {

using namespace batch;

std::string DefaultOutput(const std::string& input) {
    const std::filesystem::path path(input);
    const std::string extension = path.has_extension() ? path.extension().string() : ".csv";
    return (path.parent_path() / (path.stem().string() + "-psychrometric" + extension)).string();
}

// The unit a column's header names for an input, or the unit system's.
std::string UnitFor(const FileHead& head, int column, Role role, HumidityInput input,
                    bool british) {
    if (column >= 0 && static_cast<std::size_t>(column) < head.names.size()) {
        const std::size_t i = static_cast<std::size_t>(column);
        const HeaderMeaning meaning =
            MeaningOf(head.names[i], i < head.units.size() ? head.units[i] : "");
        const std::string unit = UnitName(role, input, meaning.unit);
        if (!unit.empty()) {
            return unit;
        }
    }
    if (role == Role::Humidity && input == HumidityInput::RelativeHumidity) {
        return "%";
    }
    const int combo = role == Role::DryBulb    ? 1
                      : role == Role::Pressure ? 2
                      : role == Role::Altitude ? 10
                                               : 0;
    if (combo != 0) {
        return std::string(PresetUnit(combo, british ? UnitSystem::British : UnitSystem::Metric));
    }
    return UnitChoices(role, input).front();
}

} // namespace

BatchConvertWindow::BatchConvertWindow(Platform& platform) : platform_(platform) {}

BatchConvertWindow::~BatchConvertWindow() {
    cancel();
    if (worker_.joinable()) {
        worker_.join();
    }
}

void BatchConvertWindow::chooseInput() {
    if (const auto path = platform_.openFileDialog()) {
        setInput(*path);
    }
}

void BatchConvertWindow::chooseOutput() {
    if (const auto path = platform_.saveFileDialog()) {
        output_ = *path;
    }
}

void BatchConvertWindow::setInput(const std::string& path) {
    input_ = path;
    head_ = Head{};
    message_.clear();
    std::string error;
    const std::unique_ptr<ByteSource> source = OpenSource(path, error);
    if (!source || !ReadHead(*source, 0, head_, error)) {
        head_ = Head{};
        message_ = "The file \"" + path + "\" cannot be read: " + error + ".";
        return;
    }
    output_ = DefaultOutput(path);
    detect();
}

void BatchConvertWindow::detect() {
    const Detection detection = DetectColumns(head_.file, british_);
    settings_.mapping = detection.mapping;
    if (!detection.problem.empty()) {
        message_ = "Choose the columns: " + detection.problem + ".";
    }
}

void BatchConvertWindow::setDryBulbColumn(int column) {
    Source& source = settings_.mapping.dryBulb;
    source.column = column;
    source.unit = UnitFor(head_.file, column, Role::DryBulb, {}, british_);
}

void BatchConvertWindow::setHumidity(HumidityInput input, int column) {
    settings_.mapping.humidityInput = input;
    Source& source = settings_.mapping.humidity;
    source.column = column;
    source.unit = UnitFor(head_.file, column, Role::Humidity, input, british_);
}

void BatchConvertWindow::setPressure(PressureInput input, int column) {
    Mapping& m = settings_.mapping;
    const Role role = input == PressureInput::Barometric ? Role::Pressure : Role::Altitude;
    const bool changed = m.pressureInput != input;
    m.pressureInput = input;
    m.pressure.column = column;
    if (column >= 0 || changed) {
        m.pressure.unit = UnitFor(head_.file, column, role, {}, british_);
    }
    if (column < 0 && (changed || m.pressure.value.empty())) {
        m.pressure.value = input == PressureInput::Barometric ? "101325" : "0";
        m.pressure.unit = input == PressureInput::Barometric ? "Pa" : "m";
    }
}

void BatchConvertWindow::setUnit(Role role, const std::string& unit) {
    Mapping& m = settings_.mapping;
    (role == Role::DryBulb    ? m.dryBulb
     : role == Role::Humidity ? m.humidity
                              : m.pressure)
        .unit = unit;
}

void BatchConvertWindow::setBritish(bool british) {
    british_ = british;
    settings_.units = PresetOutputUnits(british ? UnitSystem::British : UnitSystem::Metric);
}

std::string BatchConvertWindow::runProblem() const {
    if (running()) {
        return "A conversion is running.";
    }
    if (!fileRead()) {
        return "Choose the file to convert.";
    }
    const Mapping& m = settings_.mapping;
    if (m.dryBulb.column < 0) {
        return "Choose the column of the ambient temperature.";
    }
    if (m.humidity.column < 0) {
        return "Choose the column of the humidity.";
    }
    if (output_.empty()) {
        return "Choose the output file.";
    }
    if (SameFile(input_, output_)) {
        return "The output file would replace the file to convert.";
    }
    const Plan plan(settings_, head_.file.shape, head_.file.names.size());
    return plan.problem().empty() ? std::string() : plan.problem() + ".";
}

bool BatchConvertWindow::run() {
    message_ = runProblem();
    if (!message_.empty()) {
        return false;
    }
    cancel_ = false;
    finished_ = false;
    bytesRead_ = 0;
    totalBytes_ = 0;
    worker_ = std::thread([this, settings = settings_, input = input_, output = output_] {
        std::string result;
        std::string error;
        Head head;
        std::unique_ptr<ByteSource> source = OpenSource(input, error);
        std::unique_ptr<ByteSink> sink;
        if (!source || !ReadHead(*source, 0, head, error)) {
            result = "The file \"" + input + "\" cannot be read: " + error + ".";
        } else if (!(sink = CreateFileSink(output, error))) {
            result = "The file \"" + output + "\" cannot be written: " + error + ".";
        } else {
            totalBytes_ = source->size();
            const Plan plan(settings, head.file.shape, head.file.names.size());
            RunOptions options;
            options.threads = DefaultThreads();
            options.cancel = &cancel_;
            options.progress = [this](const Progress& p) { bytesRead_ = p.bytesRead; };
            const RunOutcome outcome = Run(plan, head, *source, *sink, options);
            switch (outcome.status) {
            case RunOutcome::Status::Done:
                result = SummaryText(plan, outcome);
                result.erase(0, result.find(": ") + 2);
                result = "Written to \"" + output + "\": " + result;
                break;
            case RunOutcome::Status::Cancelled:
                result = "Cancelled; no file was written.";
                break;
            case RunOutcome::Status::ReadFailed:
                result = "The file \"" + input + "\" cannot be read: " + outcome.error +
                         "; no file was written.";
                break;
            case RunOutcome::Status::WriteFailed:
                result = "The file \"" + output + "\" cannot be written: " + outcome.error +
                         "; no file was written.";
                break;
            }
        }
        {
            const std::lock_guard lock(mutex_);
            result_ = result;
        }
        finished_ = true;
    });
    message_ = "Converting...";
    return true;
}

void BatchConvertWindow::cancel() {
    cancel_ = true;
}

bool BatchConvertWindow::poll() {
    if (!worker_.joinable()) {
        return false;
    }
    if (!finished_) {
        return true;
    }
    worker_.join();
    const std::lock_guard lock(mutex_);
    message_ = result_;
    return false;
}

double BatchConvertWindow::progress() const {
    const std::uint64_t total = totalBytes_;
    if (total == 0) {
        return 0;
    }
    return std::min(1.0, static_cast<double>(bytesRead_) / static_cast<double>(total));
}

} // namespace hygrovane::forms
