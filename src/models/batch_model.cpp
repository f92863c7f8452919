#include "models/batch_model.h"

#include "batch/command_line.h"

#include <filesystem>
#include <system_error>

namespace hygrovane::models {

namespace {

using namespace batch;

std::string DefaultOutput(const std::string& input) {
    const std::filesystem::path path(input);
    const std::string extension = path.has_extension() ? path.extension().string() : ".csv";
    return (path.parent_path() / (path.stem().string() + "-psychrometric" + extension)).string();
}

// The unit a column's header names for an input, or DefaultUnit when it names none.
void TakeUnit(Source& source, const FileHead& head, int column, Role role, HumidityInput input,
              bool british) {
    if (column >= 0 && static_cast<std::size_t>(column) < head.names.size()) {
        const std::size_t i = static_cast<std::size_t>(column);
        TakeHeaderUnit(source, head.names[i], i < head.units.size() ? head.units[i] : "", role,
                       input, british);
        return;
    }
    source.unit = DefaultUnit(role, input, british);
    source.scale = 1;
    source.written.clear();
    source.unknownUnit.clear();
}

std::thread StartThread(std::function<void()> body) {
    return std::thread(std::move(body));
}

} // namespace

BatchModel::BatchModel(Platform& platform) : platform_(platform) {}

BatchModel::~BatchModel() {
    cancel();
    if (worker_.joinable()) {
        worker_.join();
    }
}

void BatchModel::chooseInput() {
    if (const auto path = platform_.openFileDialog()) {
        setInput(*path);
    }
}

void BatchModel::chooseOutput() {
    if (const auto path = platform_.saveFileDialog()) {
        output_ = *path;
        confirmedOutput_ = *path;
    }
}

void BatchModel::setHeaderLine(std::size_t line) {
    headerLine_ = line;
    if (!input_.empty()) {
        const std::string output = output_;
        setInput(input_);
        output_ = output.empty() ? output_ : output;
    }
}

void BatchModel::setInput(const std::string& path) {
    input_ = path;
    head_ = Head{};
    message_.clear();
    // A named pipe or a device could keep the window waiting for bytes that never come.
    const auto source = cli::OpenSource(path, true);
    const auto read = source ? ReadHead(**source, 0, headerLine_) : Fail(source.error());
    if (!read) {
        message_ = "The file \"" + path + "\" cannot be read: " + read.error() + ".";
        return;
    }
    head_ = *read;
    output_ = DefaultOutput(path);
    detect();
}

void BatchModel::detect() {
    const Detection detection = DetectColumns(head_.file, british_);
    settings_.mapping = detection.mapping;
    if (!detection.problem.empty()) {
        message_ = "Choose the columns: " + detection.problem + ".";
        return;
    }
    const Mapping& m = settings_.mapping;
    const Role pressure =
        m.pressureInput == PressureInput::Barometric ? Role::Pressure : Role::Altitude;
    for (const auto& [role, source] :
         {std::pair{Role::DryBulb, &m.dryBulb}, std::pair{Role::Humidity, &m.humidity},
          std::pair{pressure, &m.pressure}}) {
        if (source->column >= 0 && source->unit.empty()) {
            message_ =
                "Choose the unit of the " + std::string(InputName(role, m.humidityInput)) + ": " +
                UnitProblem(*source, head_.file.names[static_cast<std::size_t>(source->column)]) +
                ".";
            return;
        }
    }
}

void BatchModel::setDryBulbColumn(int column) {
    Source& source = settings_.mapping.dryBulb;
    source.column = column;
    TakeUnit(source, head_.file, column, Role::DryBulb, {}, british_);
}

void BatchModel::setHumidity(HumidityInput input, int column) {
    settings_.mapping.humidityInput = input;
    Source& source = settings_.mapping.humidity;
    source.column = column;
    TakeUnit(source, head_.file, column, Role::Humidity, input, british_);
}

void BatchModel::setPressure(PressureInput input, int column) {
    Mapping& m = settings_.mapping;
    const Role role = input == PressureInput::Barometric ? Role::Pressure : Role::Altitude;
    const bool changed = m.pressureInput != input;
    m.pressureInput = input;
    m.pressure.column = column;
    if (column >= 0 || changed) {
        TakeUnit(m.pressure, head_.file, column, role, {}, british_);
    }
    if (column < 0 && (changed || m.pressure.value.empty())) {
        m.pressure.value = input == PressureInput::Barometric ? "101325" : "0";
        m.pressure.unit = input == PressureInput::Barometric ? "Pa" : "m";
    }
}

void BatchModel::setUnit(Role role, const std::string& unit) {
    Mapping& m = settings_.mapping;
    Source& source = role == Role::DryBulb    ? m.dryBulb
                     : role == Role::Humidity ? m.humidity
                                              : m.pressure;
    source.unit = unit;
    source.scale = 1;
    source.written.clear();
    source.unknownUnit.clear();
    source.unitAssumed = false;
}

void BatchModel::setBritish(bool british) {
    british_ = british;
    settings_.units = PresetOutputUnits(british ? UnitSystem::British : UnitSystem::Metric);
}

std::string BatchModel::runProblem() const {
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
    if (cli::SameFile(input_, output_)) {
        return "The output file would replace the file to convert.";
    }
    const auto plan = Plan::Make(settings_, head_.file.shape, head_.file.names.size());
    return plan ? std::string() : plan.error() + ".";
}

CommandOutcome BatchModel::run() {
    message_ = runProblem();
    if (!message_.empty()) {
        return CommandOutcome::Refused;
    }
    // The name filled in (or typed) may be the user's edited results: ask before replacing it.
    std::error_code code;
    if (output_ != confirmedOutput_ && std::filesystem::exists(output_, code)) {
        const Platform::Answer answer = platform_.askYesNoCancel(
            "The file \"" + output_ + "\" already exists. Do you want to replace it?",
            "Batch Convert");
        if (answer != Platform::Answer::Yes) {
            message_ = "Nothing was converted; the file \"" + output_ + "\" was kept.";
            return CommandOutcome::Cancelled;
        }
        confirmedOutput_ = output_;
    }
    cancel_ = false;
    finished_ = false;
    bytesRead_ = 0;
    totalBytes_ = 0;
    const ThreadStarter start = startThread_ ? startThread_ : StartThread;
    try {
        worker_ = start([this, settings = settings_, input = input_, output = output_,
                         headerLine = headerLine_, start] {
            std::string result;
            const auto source = cli::OpenSource(input, true);
            const auto read = source ? ReadHead(**source, 0, headerLine) : Fail(source.error());
            const auto sink =
                read
                    ? cli::CreateFileSink(output)
                    : Expected<std::unique_ptr<ByteSink>, std::string>(std::unique_ptr<ByteSink>());
            // Checked by runProblem before the thread started.
            const auto plan = read ? Plan::Make(settings, read->file.shape, read->file.names.size())
                                   : Expected<Plan, std::string>(Fail(read.error()));
            if (!read) {
                result = "The file \"" + input + "\" cannot be read: " + read.error() + ".";
            } else if (!sink) {
                result = "The file \"" + output + "\" cannot be written: " + sink.error() + ".";
            } else if (!plan) {
                result = plan.error() + ".";
            } else {
                totalBytes_ = (*source)->size();
                RunOptions options;
                options.threads = UsefulThreads(DefaultThreads(), (*source)->size());
                options.startThread = start;
                options.cancel = &cancel_;
                options.progress = [this](const Progress& p) { bytesRead_ = p.bytesRead; };
                const RunOutcome outcome = Run(*plan, *read, **source, **sink, options);
                switch (outcome.status) {
                case RunOutcome::Status::Done:
                    result = SummaryText(*plan, outcome);
                    result.erase(0, result.find(": ") + 2);
                    result = "Written to \"" + output + "\": " + result;
                    if (outcome.threads < options.threads) {
                        result += "Computed on " + std::to_string(outcome.threads) + " of " +
                                  std::to_string(options.threads) +
                                  " threads: the others could not be started.";
                    }
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
    } catch (const std::system_error& error) {
        message_ = "The conversion could not be started (" + std::string(error.what()) +
                   "); nothing was written.";
        return CommandOutcome::Refused;
    }
    message_ = "Converting...";
    return CommandOutcome::Done;
}

void BatchModel::cancel() {
    cancel_ = true;
}

bool BatchModel::poll() {
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

double BatchModel::progress() const {
    const std::uint64_t total = totalBytes_;
    if (total == 0) {
        return 0;
    }
    return std::min(1.0, static_cast<double>(bytesRead_) / static_cast<double>(total));
}

} // namespace hygrovane::models
