#include "batch/command_line.h"

#include "calculator/number_text.h"
#include "hygrovane/config.h"
#include "hygrovane/humidity_keys.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace hygrovane::batch {

namespace {

constexpr const char* kProgram = "hygrovane-batch";

std::string ShortestText(double value) {
    std::string text;
    AppendShortest(text, value);
    return text;
}

bool IsPosition(std::string_view text, std::size_t& position) {
    if (text.starts_with('#')) {
        text.remove_prefix(1);
    }
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        text.size() > 6) {
        return false;
    }
    position = static_cast<std::size_t>(std::stoul(std::string(text)));
    return position >= 1;
}

// A column by header name, "#N", or (where no value is allowed) a bare N.
std::optional<int> FindColumn(std::string_view text, const FileHead& head, bool bareNumber) {
    for (std::size_t i = 0; i < head.names.size(); ++i) {
        if (head.names[i] == text) {
            return static_cast<int>(i);
        }
    }
    std::size_t position = 0;
    if ((text.starts_with('#') || bareNumber) && IsPosition(text, position)) {
        return static_cast<int>(position - 1);
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
Expected<Source, std::string> ColumnSource(const std::string& named, Role role, HumidityInput input,
                                           const FileHead& head, bool british, bool valueAllowed) {
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
            return std::string(std::string(what) + ": no column \"" + columnText + "\" among " +
                               HeaderList(head));
        }
        if (unitText.empty()) {
            return std::string(std::string(what) + ": the value " + columnText + " needs a unit (" +
                               columnText + ":" + (role == Role::Altitude ? "m" : "kPa") + ")");
        }
        source.value = columnText;
    } else if (*column >= static_cast<int>(head.names.size())) {
        return std::string(std::string(what) + ": there is no column " +
                           std::to_string(*column + 1) + " (the header has " +
                           std::to_string(head.names.size()) + ")");
    } else {
        source.column = *column;
    }
    if (!unitText.empty()) {
        const std::optional<UnitRead> read = ReadUnit(role, input, unitText);
        if (!read) {
            return std::string(std::string(what) + ": \"" + unitText +
                               "\" is not one of its units");
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

bool NeedsValue(std::string_view option) {
    return option == "-o" || option == "--output" || option == "--temperature" ||
           option == "--humidity" || option == "--pressure" || option == "--altitude" ||
           option == "--units" || option == "--unit" || option == "--digits" ||
           option == "--formulation" || option == "--separator" || option == "--decimal" ||
           option == "--threads" || option == "--header-line";
}

std::string Percent(std::uint64_t part, std::uint64_t whole) {
    char text[16];
    std::snprintf(text, sizeof text, "%3.0f%%",
                  whole == 0 ? 0.0
                             : 100.0 * static_cast<double>(part) / static_cast<double>(whole));
    return text;
}

} // namespace

Expected<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    bool inputSeen = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::string value;
        bool hasValue = false;
        if (!optionsEnded && option == "--") {
            optionsEnded = true; // what follows is a file name, even "-x"
            continue;
        }
        if (optionsEnded) {
            if (inputSeen) {
                return std::string("one input file only (the output goes after -o)");
            }
            line.input = option;
            inputSeen = true;
            continue;
        }
        if (option.starts_with("--") && option.find('=') != std::string::npos && option != "--") {
            const std::size_t equals = option.find('=');
            value = option.substr(equals + 1);
            option = option.substr(0, equals);
            hasValue = true;
        }
        if (NeedsValue(option) && !hasValue) {
            if (i + 1 >= args.size()) {
                return std::string("the option " + option + " needs a value");
            }
            value = args[++i];
        }
        if (option == "-h" || option == "--help") {
            line.help = true;
        } else if (option == "--version") {
            line.version = true;
        } else if (option == "-o" || option == "--output") {
            line.output = value;
        } else if (option == "--temperature") {
            line.temperature = ColumnOption{value, std::nullopt};
        } else if (option == "--humidity") {
            ColumnOption humidity{value, std::nullopt};
            const std::size_t equals = value.find('=');
            if (equals != std::string::npos) {
                humidity.humidityInput = HumidityInputNamed(value.substr(0, equals));
                if (!humidity.humidityInput) {
                    return std::string("unknown humidity quantity \"" + value.substr(0, equals) +
                                       "\" (rh, w, ah, dp, wb, pw, x or mass)");
                }
                humidity.named = value.substr(equals + 1);
            }
            line.humidity = humidity;
        } else if (option == "--pressure") {
            line.pressure = ColumnOption{value, std::nullopt};
            line.altitude.reset();
        } else if (option == "--altitude") {
            line.altitude = ColumnOption{value, std::nullopt};
            line.pressure.reset();
        } else if (option == "--units") {
            if (value != "metric" && value != "british") {
                return std::string("--units takes metric or british");
            }
            line.british = value == "british";
        } else if (option == "--unit") {
            const std::size_t equals = value.find('=');
            if (equals == std::string::npos) {
                return std::string("--unit takes QUANTITY=UNIT, for example dew-point=F");
            }
            line.units.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        } else if (option == "--digits") {
            if (value != "window" && value != "full") {
                return std::string("--digits takes window or full");
            }
            line.digits = value == "window" ? Digits::Window : Digits::Full;
        } else if (option == "--formulation") {
            if (value == "iapws") {
                line.formulation = SatFormulation::IAPWS;
            } else if (value == "hw" || value == "hyland-wexler") {
                line.formulation = SatFormulation::HylandWexler;
            } else {
                return std::string("--formulation takes iapws or hw");
            }
        } else if (option == "--composition") {
            line.composition = true;
        } else if (option == "--separator") {
            line.separator = value == "comma"       ? ','
                             : value == "semicolon" ? ';'
                             : value == "tab"       ? '\t'
                                                    : '\0';
            if (line.separator == 0) {
                return std::string("--separator takes comma, semicolon or tab");
            }
        } else if (option == "--decimal") {
            line.decimalSeparator = value == "point" ? '.' : value == "comma" ? ',' : '\0';
            if (line.decimalSeparator == 0) {
                return std::string("--decimal takes point or comma");
            }
        } else if (option == "--threads") {
            std::size_t threads = 0;
            if (!IsPosition(value, threads) || value.starts_with('#') || threads > 256) {
                return std::string("--threads takes a number from 1 to 256");
            }
            line.threads = static_cast<int>(threads);
        } else if (option == "--header-line") {
            std::size_t number = 0;
            if (!IsPosition(value, number) || value.starts_with('#') || number > kMostHeaderLine) {
                return std::string(
                    "--header-line takes the number of the header's line, from 1 to " +
                    std::to_string(kMostHeaderLine));
            }
            line.headerLine = number;
        } else if (option.size() > 1 && option.starts_with('-') && option != "-") {
            return std::string("unknown option " + option);
        } else {
            if (inputSeen) {
                return std::string("one input file only (the output goes after -o)");
            }
            line.input = option;
            inputSeen = true;
        }
    }
    if (!inputSeen && !line.help && !line.version) {
        return std::string("no input file (- for the standard input)");
    }
    return line;
}

Expected<Settings, SettingsProblem> SettingsFor(const CommandLine& line, const FileHead& head,
                                                std::vector<std::string>& notes) {
    const auto optionWrong = [](std::string message) {
        return SettingsProblem{std::move(message), true};
    };
    const auto fileWrong = [](std::string message) {
        return SettingsProblem{std::move(message), false};
    };
    Detection detection = DetectColumns(head, line.british);
    Settings settings;
    Mapping& mapping = settings.mapping;
    mapping = detection.mapping;
    bool dryBulbGiven = false;
    bool humidityGiven = false;
    if (line.temperature) {
        auto source =
            ColumnSource(line.temperature->named, Role::DryBulb, {}, head, line.british, false);
        if (!source) {
            return optionWrong(source.error());
        }
        mapping.dryBulb = *source;
        dryBulbGiven = true;
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
                return optionWrong(
                    "--humidity: say which quantity the column holds, for example rh=" + named);
            }
        }
        mapping.humidityInput = *input;
        auto source =
            ColumnSource(line.humidity->named, Role::Humidity, *input, head, line.british, false);
        if (!source) {
            return optionWrong(source.error());
        }
        mapping.humidity = *source;
        humidityGiven = true;
    }
    if (line.pressure || line.altitude) {
        const bool pressure = line.pressure.has_value();
        mapping.pressureInput = pressure ? PressureInput::Barometric : PressureInput::Altitude;
        auto source =
            ColumnSource(pressure ? line.pressure->named : line.altitude->named,
                         pressure ? Role::Pressure : Role::Altitude, {}, head, line.british, true);
        if (!source) {
            return optionWrong(source.error());
        }
        mapping.pressure = *source;
    }
    // Detection problems matter only for what the options did not name.
    if (!dryBulbGiven && mapping.dryBulb.column < 0) {
        return fileWrong("no column of the dry-bulb temperature among " + HeaderList(head) +
                         " (name it with --temperature)");
    }
    if (!humidityGiven && mapping.humidity.column < 0) {
        return fileWrong("no column of a humidity quantity among " + HeaderList(head) +
                         " (name it with --humidity)");
    }
    // A header naming a unit that is not known is not read in some other unit.
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
        return fileWrong(unitMessage);
    }
    const auto describe = [&](Role role, HumidityInput input, const Source& source) {
        std::string text = std::string(InputName(role, input)) + ": ";
        if (source.column >= 0) {
            text += "column " + std::to_string(source.column + 1) + " \"" +
                    head.names[static_cast<std::size_t>(source.column)] + "\"";
        } else {
            text += source.value;
        }
        text +=
            " in " + (source.written.empty() ? source.unit
                                             : source.written + " (read as " + source.unit +
                                                   " times " + ShortestText(source.scale) + ")");
        if (source.unitAssumed) {
            text += " (its header names no unit)";
        } else if (source.column < 0 && !line.pressure && !line.altitude) {
            text += " (no pressure or altitude column; --pressure or --altitude to change)";
        }
        return text;
    };
    notes.push_back(describe(Role::DryBulb, {}, mapping.dryBulb));
    notes.push_back(describe(Role::Humidity, mapping.humidityInput, mapping.humidity));
    notes.push_back(describe(mapping.pressureInput == PressureInput::Barometric ? Role::Pressure
                                                                                : Role::Altitude,
                             {}, mapping.pressure));

    settings.formulation = line.formulation;
    settings.units = PresetOutputUnits(line.british ? UnitSystem::British : UnitSystem::Metric);
    for (const auto& [quantity, unit] : line.units) {
        if (!SetOutputUnit(settings.units, quantity, unit)) {
            return optionWrong("--unit " + quantity + "=" + unit +
                               ": not a quantity and one of its units");
        }
    }
    settings.digits = line.digits;
    settings.composition = line.composition;
    settings.decimalSeparator = line.decimalSeparator;
    return settings;
}

std::string VersionText() {
    return std::string(kProgram) + " (Hygrovane) " + std::to_string(config::kVersionMajor) + "." +
           std::to_string(config::kVersionMinor) + "." + std::to_string(config::kVersionPatch) +
           "\n";
}

std::string HelpText() {
    // The quantities, wrapped under the option's text.
    const std::string indent(27, ' ');
    std::string units = indent;
    std::size_t lineStart = 0;
    for (const std::string_view quantity : OutputUnitQuantities()) {
        if (units.size() > indent.size()) {
            units += ',';
            if (units.size() - lineStart + quantity.size() > 94) {
                units += "\n" + indent;
                lineStart = units.size() - indent.size();
            } else {
                units += ' ';
            }
        }
        units += quantity;
    }
    return std::string("Usage: ") + kProgram + R"help( [OPTION]... INPUT [-o OUTPUT]
Adds the psychrometric state of every row of a logger file (CSV, semicolon or tab separated,
TOA5) as new columns: the eight humidity quantities, the altitude (or pressure), density,
specific volume and enthalpy, and a status column. INPUT - reads the standard input.

Columns are found by their header names and units ("Temp, °F", "RH, %", "T_db (C)", "Dew Point").
The header is the line that names the quantities, wherever it stands; no data row is taken for
it. A unit in a header that is not known is refused for that column until you give the unit.
A column whose header names no unit, found or named below, is read in % (a relative humidity or
a fraction) or else in the unit of --units: metric C, kPa, m, kg/kg, kg/m3; british F, PSI,
ft, lb/lb, lb/ft3.
A COLUMN is a header name or #N (the N-th column); UNIT is a unit name such as C, F, K, R, %,
fraction, g/kg, gr/lb, kPa, hPa, mBar, mmHg, inHg, torr, PSI, m, ft.
  --temperature COLUMN[:UNIT]     the dry-bulb temperature
  --humidity [KIND=]COLUMN[:UNIT] the humidity; KIND: rh, w (humidity ratio), ah (absolute
                                  humidity), dp (dew point), wb (wet bulb), pw (partial pressure
                                  of water), x (mole fraction), mass (mass fraction)
  --pressure COLUMN[:UNIT] | VALUE:UNIT   the barometric pressure, by column or for every row
  --altitude COLUMN[:UNIT] | VALUE:UNIT   the altitude instead (default: 101325 Pa)
  --separator comma|semicolon|tab the input's separator (default: detected)
  --header-line N                 the header is line N (from 1); the lines above are titles

Output:
  -o, --output FILE        the output file; - (the default) for the standard output
  --units metric|british   the units of the computed columns (default metric)
  --unit QUANTITY=UNIT     the unit of one of them, a unit name of the main window; QUANTITY:
)help" + units +
           R"help(
  --digits window|full     as the main window shows each value (default), or every digit
  --formulation iapws|hw   the saturation formulation: IAPWS (default) or Hyland-Wexler
  --composition            add the shares of N2, O2, Ar, CO2 and H2O by volume and by mass
  --decimal point|comma    the decimal separator of the computed numbers (default: as the file)
  --decimal comma is refused for a comma-separated file.
  --threads N              threads to compute on (default: every core); never more than the
                           cores or the 256 KiB blocks of the file; fewer when not all start
  -h, --help               this text
  --version                the version
  --                       ends the options: what follows is the input's name

A row that cannot be computed keeps empty computed cells and says why in its status column.
The summary counts every line of the file: title and header lines, rows read (used or skipped)
and blank lines. A device such as /dev/null may take the output.
Exit status: 0 when every row was written (computed or not), 1 for bad options, 2 when the input
cannot be read, 3 when the output cannot be written; then no output file is left behind.
)help";
}

std::string SummaryText(const Plan& plan, const RunOutcome& outcome) {
    const Tally& t = outcome.tally;
    char head[200];
    const double rate = outcome.seconds > 0 ? static_cast<double>(t.rows) / outcome.seconds : 0.0;
    std::snprintf(head, sizeof head,
                  "%s: %llu rows read, %llu computed, %llu refused, in %.2f s (%.0f rows/s)\n",
                  kProgram, static_cast<unsigned long long>(t.rows),
                  static_cast<unsigned long long>(t.computed),
                  static_cast<unsigned long long>(t.rows - t.computed), outcome.seconds, rate);
    std::string text = head;
    for (std::size_t r = 0; r < t.refused.size(); ++r) {
        for (std::size_t f = 0; f < t.refused[r].size(); ++f) {
            if (t.refused[r][f] != 0) {
                char line[40];
                std::snprintf(line, sizeof line, "  %10llu  ",
                              static_cast<unsigned long long>(t.refused[r][f]));
                text +=
                    line + plan.RefusalName(static_cast<Refusal>(r), static_cast<Field>(f)) + "\n";
            }
        }
    }
    if (t.blankLines != 0) {
        text += "  " + std::to_string(t.blankLines) + " blank lines passed through\n";
    }
    // Every line of the file is accounted for: none is taken for a header unseen.
    const std::uint64_t above = plan.shape().titleLines + plan.shape().headerLines;
    text += "  " + std::to_string(above + t.rows + t.blankLines) +
            " lines: " + std::to_string(above) + " title and header, " + std::to_string(t.rows) +
            " rows read (" + std::to_string(t.computed) + " used, " +
            std::to_string(t.rows - t.computed) + " skipped), " + std::to_string(t.blankLines) +
            " blank\n";
    return text;
}

int RunCommandLine(const std::vector<std::string>& args, std::FILE* out, std::FILE* err,
                   bool terminal, const ThreadStarter& startThread) {
    const auto say = [err](const std::string& text) {
        std::fprintf(err, "%s: %s\n", kProgram, text.c_str());
    };
    const Expected<CommandLine, std::string> line = ParseCommandLine(args);
    if (!line) {
        say(line.error());
        std::fprintf(err, "Try '%s --help'.\n", kProgram);
        return kExitUsage;
    }
    if (line->help) {
        std::fputs(HelpText().c_str(), out);
        return kExitDone;
    }
    if (line->version) {
        std::fputs(VersionText().c_str(), out);
        return kExitDone;
    }
    const std::string inputName = line->input == "-" ? "standard input" : line->input;
    auto opened = OpenSource(line->input);
    if (!opened) {
        say("cannot read \"" + inputName + "\": " + opened.error());
        return kExitUnreadable;
    }
    const std::unique_ptr<ByteSource> source = std::move(opened.value());
    const bool toFile = line->output != "-";
    if (toFile && line->input != "-" && SameFile(line->input, line->output)) {
        say("the output \"" + line->output + "\" would replace the input");
        return kExitUsage;
    }
    const Expected<Head, std::string> read = ReadHead(*source, line->separator, line->headerLine);
    if (!read) {
        say("cannot read \"" + inputName + "\": " + read.error());
        return kExitUnreadable;
    }
    const Head& head = *read;
    std::vector<std::string> notes;
    const auto settings = SettingsFor(*line, head.file, notes);
    if (!settings) {
        say("\"" + inputName + "\": " + settings.error().message);
        return settings.error().optionWrong ? kExitUsage : kExitUnreadable;
    }
    const auto made = Plan::Make(*settings, head.file.shape, head.file.names.size());
    if (!made) {
        say(made.error());
        return kExitUsage;
    }
    const Plan& plan = *made;
    for (const std::string& note : notes) {
        say(note);
    }
    std::unique_ptr<ByteSink> sink;
    if (toFile) {
        auto created = CreateFileSink(line->output);
        if (!created) {
            say("cannot write \"" + line->output + "\": " + created.error());
            return kExitUnwritable;
        }
        sink = std::move(created.value());
    } else {
        sink = StreamSink(out, "standard output");
    }

    RunOptions options;
    const int asked = line->threads > 0 ? line->threads : DefaultThreads();
    options.threads = UsefulThreads(asked, source->size());
    options.startThread = startThread;
    auto lastShown = std::chrono::steady_clock::now();
    bool progressShown = false;
    if (terminal) {
        options.progress = [&](const Progress& p) {
            const auto now = std::chrono::steady_clock::now();
            if (now - lastShown < std::chrono::milliseconds(250)) {
                return;
            }
            lastShown = now;
            progressShown = true;
            std::string text = "\r" + std::to_string(p.rows) + " rows";
            if (p.totalBytes != 0) {
                text += " " + Percent(p.bytesRead, p.totalBytes);
            }
            std::fputs(text.c_str(), err);
            std::fflush(err);
        };
    }
    const RunOutcome outcome = Run(plan, head, *source, *sink, options);
    if (progressShown) {
        std::fputs("\r\033[K", err);
    }
    switch (outcome.status) {
    case RunOutcome::Status::ReadFailed:
        say("cannot read \"" + inputName + "\": " + outcome.error +
            (toFile ? "; nothing was written" : ""));
        return kExitUnreadable;
    case RunOutcome::Status::WriteFailed:
        say("cannot write \"" + (toFile ? line->output : std::string("standard output")) +
            "\": " + outcome.error + (toFile ? "; nothing was written" : ""));
        return kExitUnwritable;
    case RunOutcome::Status::Cancelled:
    case RunOutcome::Status::Done:
        break;
    }
    if (outcome.threads < options.threads) {
        say("only " + std::to_string(outcome.threads) + " of " + std::to_string(options.threads) +
            " threads could be started; the rows were computed on those");
    }
    std::fputs(SummaryText(plan, outcome).c_str(), err);
    return kExitDone;
}

} // namespace hygrovane::batch
