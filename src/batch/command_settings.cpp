#include "batch/command_line.h"

#include "batch/command_line_parts.h"
#include "display/number_text.h"
#include "hygrovane/humidity_keys.h"

namespace hygrovane::batch {

namespace {

using command_line::PositionOf;

SettingsFailure OptionWrong(std::string message) {
    return {SettingsFailureKind::BadOption, std::move(message)};
}

// A column by header name, "#N", or (where no value is allowed) a bare N.
std::optional<int> FindColumn(std::string_view text, const FileHead& head, bool bareNumber) {
    for (std::size_t i = 0; i < head.names.size(); ++i) {
        if (head.names[i] == text) {
            return static_cast<int>(i);
        }
    }
    if (text.starts_with('#') || bareNumber) {
        if (const auto position = PositionOf(text)) {
            return static_cast<int>(*position - 1);
        }
    }
    return std::nullopt;
}

std::string HeaderList(const FileHead& head) {
    std::string list;
    for (std::size_t i = 0; i < head.names.size(); ++i) {
        list += (i == 0 ? "" : ", ") + std::string("\"") + head.names[i] + "\"";
    }
    return list;
}

// The source one column option names, or why it names none. valueAllowed: the pressure or
// altitude may be one number for the whole file.
Expected<Source, SettingsFailure> ColumnSource(const std::string& named, Role role,
                                               HumidityInput input, const FileHead& head,
                                               bool british, bool valueAllowed) {
    const std::string_view what = InputName(role, input);
    std::string columnText = named;
    std::string unitText;
    std::optional<int> column = FindColumn(named, head, !valueAllowed);
    if (!column) {
        const std::size_t colon = named.rfind(':');
        if (colon != std::string::npos) {
            columnText = named.substr(0, colon);
            unitText = named.substr(colon + 1);
            column = FindColumn(columnText, head, !valueAllowed);
        }
    }
    Source source;
    if (!column) {
        if (!valueAllowed || !IsNumeric(columnText)) {
            return Fail(OptionWrong(std::string(what) + ": no column \"" + columnText +
                                    "\" among " + HeaderList(head)));
        }
        if (unitText.empty()) {
            return Fail(OptionWrong(std::string(what) + ": the value " + columnText +
                                    " needs a unit (" + columnText + ":" +
                                    (role == Role::Altitude ? "m" : "kPa") + ")"));
        }
        source.value = columnText;
    } else if (*column >= static_cast<int>(head.names.size())) {
        return Fail(OptionWrong(std::string(what) + ": there is no column " +
                                std::to_string(*column + 1) + " (the header has " +
                                std::to_string(head.names.size()) + ")"));
    } else {
        source.column = *column;
    }
    if (!unitText.empty()) {
        const std::optional<UnitRead> read = ReadUnit(role, input, unitText);
        if (!read) {
            return Fail(
                OptionWrong(std::string(what) + ": \"" + unitText + "\" is not one of its units"));
        }
        source.unit = read->name;
        source.scale = read->scale;
        source.written = read->written;
        return source;
    }
    if (source.column < 0) {
        return source;
    }
    const std::size_t i = static_cast<std::size_t>(source.column);
    TakeHeaderUnit(source, head.names[i], i < head.units.size() ? head.units[i] : "", role, input,
                   british);
    return source;
}

// The columns the options name, put into mapping; which of the two inputs they named, or why an
// option names none.
struct Named {
    bool dryBulb = false;
    bool humidity = false;
};
Expected<Named, SettingsFailure> ApplyColumnOptions(const CommandLine& line, const FileHead& head,
                                                    Mapping& mapping) {
    Named named;
    if (line.temperature) {
        auto source =
            ColumnSource(line.temperature->named, Role::DryBulb, {}, head, line.british, false);
        if (!source) {
            return Fail(source.error());
        }
        mapping.dryBulb = *source;
        named.dryBulb = true;
    }
    if (line.humidity) {
        std::optional<HumidityInput> input = line.humidity->humidityInput;
        if (!input) {
            // The quantity from the header of the named column.
            std::string named = line.humidity->named;
            std::optional<int> column = FindColumn(named, head, true);
            if (!column && named.rfind(':') != std::string::npos) {
                column = FindColumn(named.substr(0, named.rfind(':')), head, true);
            }
            if (column && *column < static_cast<int>(head.names.size())) {
                const HeaderMeaning meaning =
                    MeaningOf(head.names[static_cast<std::size_t>(*column)]);
                if (meaning.role == Role::Humidity) {
                    input = meaning.humidityInput;
                }
            }
            if (!input) {
                return Fail(OptionWrong(
                    "--humidity: say which quantity the column holds, for example rh=" + named));
            }
        }
        mapping.humidityInput = *input;
        auto source =
            ColumnSource(line.humidity->named, Role::Humidity, *input, head, line.british, false);
        if (!source) {
            return Fail(source.error());
        }
        mapping.humidity = *source;
        named.humidity = true;
    }
    if (line.pressure || line.altitude) {
        const bool pressure = line.pressure.has_value();
        mapping.pressureInput = pressure ? PressureInput::Barometric : PressureInput::Altitude;
        auto source =
            ColumnSource(pressure ? line.pressure->named : line.altitude->named,
                         pressure ? Role::Pressure : Role::Altitude, {}, head, line.british, true);
        if (!source) {
            return Fail(source.error());
        }
        mapping.pressure = *source;
    }
    return named;
}

// Refuses a header naming a unit that is not known, which is not read in some other unit.
Expected<Done, SettingsFailure> CheckHeaderUnits(const FileHead& head, const Mapping& mapping) {
    std::string unitMessage;
    const auto unitProblem = [&](Role role, HumidityInput input, const Source& source,
                                 const std::string& option) {
        if (source.column < 0 || source.unknownUnit.empty()) {
            return false;
        }
        unitMessage = std::string(InputName(role, input)) + ": " +
                      UnitProblem(source, head.names[static_cast<std::size_t>(source.column)]) +
                      "; name its unit with " + option + "#" + std::to_string(source.column + 1) +
                      ":UNIT";
        return true;
    };
    const Role pressureRole =
        mapping.pressureInput == PressureInput::Barometric ? Role::Pressure : Role::Altitude;
    if (unitProblem(Role::DryBulb, {}, mapping.dryBulb, "--temperature ") ||
        unitProblem(Role::Humidity, mapping.humidityInput, mapping.humidity,
                    "--humidity " + std::string(KeysOf(mapping.humidityInput).shortKey) + "=") ||
        unitProblem(pressureRole, {}, mapping.pressure,
                    pressureRole == Role::Pressure ? "--pressure " : "--altitude ")) {
        return Fail(SettingsFailure{SettingsFailureKind::UnknownUnit, unitMessage});
    }
    return Done{};
}

// What was found or assumed for each input, one note each.
std::vector<std::string> NotesOn(const CommandLine& line, const FileHead& head,
                                 const Mapping& mapping) {
    const auto describe = [&](Role role, HumidityInput input, const Source& source) {
        std::string text = std::string(InputName(role, input)) + ": ";
        if (source.column >= 0) {
            text += "column " + std::to_string(source.column + 1) + " \"" +
                    head.names[static_cast<std::size_t>(source.column)] + "\"";
        } else {
            text += source.value;
        }
        text += " in " + UnitNote(source);
        if (source.unitAssumed) {
            text += " (its header names no unit)";
        } else if (source.column < 0 && !line.pressure && !line.altitude) {
            text += " (no pressure or altitude column; --pressure or --altitude to change)";
        }
        return text;
    };
    return {describe(Role::DryBulb, {}, mapping.dryBulb),
            describe(Role::Humidity, mapping.humidityInput, mapping.humidity),
            describe(mapping.pressureInput == PressureInput::Barometric ? Role::Pressure
                                                                        : Role::Altitude,
                     {}, mapping.pressure)};
}

} // namespace

Expected<Settings, SettingsFailure> SettingsFor(const CommandLine& line, const FileHead& head,
                                                std::vector<std::string>& notes) {
    Settings settings;
    Mapping& mapping = settings.mapping;
    mapping = DetectColumns(head, line.british).mapping;
    const auto named = ApplyColumnOptions(line, head, mapping);
    if (!named) {
        return Fail(named.error());
    }
    // Detection problems matter only for what the options did not name.
    if (!named->dryBulb && mapping.dryBulb.column < 0) {
        return Fail(SettingsFailure{SettingsFailureKind::NoDryBulb,
                                    "no column of the dry-bulb temperature among " +
                                        HeaderList(head) + " (name it with --temperature)"});
    }
    if (!named->humidity && mapping.humidity.column < 0) {
        return Fail(SettingsFailure{SettingsFailureKind::NoHumidity,
                                    "no column of a humidity quantity among " + HeaderList(head) +
                                        " (name it with --humidity)"});
    }
    if (auto units = CheckHeaderUnits(head, mapping); !units) {
        return Fail(units.error());
    }
    for (std::string& note : NotesOn(line, head, mapping)) {
        notes.push_back(std::move(note));
    }
    settings.formulation = line.formulation;
    settings.units = PresetOutputUnits(line.british ? UnitSystem::British : UnitSystem::Metric);
    for (const auto& [quantity, unit] : line.units) {
        if (!SetOutputUnit(settings.units, quantity, unit)) {
            return Fail(OptionWrong("--unit " + quantity + "=" + unit +
                                    ": not a quantity and one of its units"));
        }
    }
    settings.digits = line.digits;
    settings.composition = line.composition;
    settings.decimalSeparator = line.decimalSeparator;
    return settings;
}

} // namespace hygrovane::batch
