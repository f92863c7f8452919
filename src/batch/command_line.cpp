#include "batch/command_line.h"

#include "batch/command_line_parts.h"
#include "cli/common_options.h"

#include "hygrovane/humidity_keys.h"

#include <algorithm>

namespace hygrovane::batch {

using command_line::kProgram;
using command_line::PositionOf;

namespace {

using cli::Option;
using cli::OptionTable;
using Taken = Expected<Done, std::string>;

// The options that name the columns and the output.
OptionTable ColumnOptions(CommandLine& line) {
    return {
        {{"-o", "--output"},
         true,
         [&line](const std::string& value) -> Taken {
             line.output = value;
             return Done{};
         }},
        {{"--temperature"},
         true,
         [&line](const std::string& value) -> Taken {
             line.temperature = ColumnOption{value, std::nullopt};
             return Done{};
         }},
        {{"--humidity"},
         true,
         [&line](const std::string& value) -> Taken {
             ColumnOption humidity{value, std::nullopt};
             const std::size_t equals = value.find('=');
             if (equals != std::string::npos) {
                 humidity.humidityInput = HumidityInputNamed(value.substr(0, equals));
                 if (!humidity.humidityInput) {
                     return Fail("unknown humidity quantity \"" + value.substr(0, equals) +
                                 "\" (rh, w, ah, dp, wb, pw, x or mass)");
                 }
                 humidity.named = value.substr(equals + 1);
             }
             line.humidity = humidity;
             return Done{};
         }},
        {{"--pressure"},
         true,
         [&line](const std::string& value) -> Taken {
             line.pressure = ColumnOption{value, std::nullopt};
             line.altitude.reset();
             return Done{};
         }},
        {{"--altitude"},
         true,
         [&line](const std::string& value) -> Taken {
             line.altitude = ColumnOption{value, std::nullopt};
             line.pressure.reset();
             return Done{};
         }},
    };
}

// The options on units, digits and the formulation.
OptionTable UnitOptions(CommandLine& line) {
    return {
        {{"--units"},
         true,
         [&line](const std::string& value) -> Taken {
             if (value != "metric" && value != "british") {
                 return Fail(std::string("--units takes metric or british"));
             }
             line.british = value == "british";
             return Done{};
         }},
        {{"--unit"},
         true,
         [&line](const std::string& value) -> Taken {
             const std::size_t equals = value.find('=');
             if (equals == std::string::npos) {
                 return Fail(std::string("--unit takes QUANTITY=UNIT, for example dew-point=F"));
             }
             line.units.emplace_back(value.substr(0, equals), value.substr(equals + 1));
             return Done{};
         }},
        {{"--digits"},
         true,
         [&line](const std::string& value) -> Taken {
             if (value != "window" && value != "full") {
                 return Fail(std::string("--digits takes window or full"));
             }
             line.digits = value == "window" ? Digits::Window : Digits::Full;
             return Done{};
         }},
        {{"--formulation"},
         true,
         [&line](const std::string& value) -> Taken {
             return cli::Store(cli::FormulationOption(value), line.formulation);
         }},
        {{"--composition"},
         false,
         [&line](const std::string&) -> Taken {
             line.composition = true;
             return Done{};
         }},
    };
}

// A whole number from 1 to most, without "#".
std::optional<std::size_t> CountOf(const std::string& value, std::size_t most) {
    const auto number = PositionOf(value);
    if (!number || value.starts_with('#') || *number > most) {
        return std::nullopt;
    }
    return number;
}

// The options on how the file is read and converted.
OptionTable FileOptions(CommandLine& line) {
    return {
        {{"--separator"},
         true,
         [&line](const std::string& value) -> Taken {
             line.separator = value == "comma"       ? ','
                              : value == "semicolon" ? ';'
                              : value == "tab"       ? '\t'
                                                     : '\0';
             if (line.separator == 0) {
                 return Fail(std::string("--separator takes comma, semicolon or tab"));
             }
             return Done{};
         }},
        {{"--decimal"},
         true,
         [&line](const std::string& value) -> Taken {
             line.decimalSeparator = value == "point" ? '.' : value == "comma" ? ',' : '\0';
             if (line.decimalSeparator == 0) {
                 return Fail(std::string("--decimal takes point or comma"));
             }
             return Done{};
         }},
        {{"--threads"},
         true,
         [&line](const std::string& value) -> Taken {
             const auto threads = CountOf(value, 256);
             if (!threads) {
                 return Fail(std::string("--threads takes a number from 1 to 256"));
             }
             line.threads = static_cast<int>(*threads);
             return Done{};
         }},
        {{"--header-line"},
         true,
         [&line](const std::string& value) -> Taken {
             const auto number = CountOf(value, kMostHeaderLine);
             if (!number) {
                 return Fail("--header-line takes the number of the header's line, from 1 to " +
                             std::to_string(kMostHeaderLine));
             }
             line.headerLine = *number;
             return Done{};
         }},
    };
}

} // namespace

std::optional<std::size_t> command_line::PositionOf(std::string_view text) {
    if (text.starts_with('#')) {
        text.remove_prefix(1);
    }
    if (text.empty() ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }) ||
        text.size() > 6) {
        return std::nullopt;
    }
    const auto position = static_cast<std::size_t>(std::stoul(std::string(text)));
    if (position < 1) {
        return std::nullopt;
    }
    return position;
}

Expected<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    OptionTable options = ColumnOptions(line);
    cli::Append(options, UnitOptions(line));
    cli::Append(options, FileOptions(line));
    const auto read = cli::ReadArguments(args, cli::RulesOf(options, false));
    if (!read) {
        return Fail(read.error());
    }
    static_cast<cli::ProgramArguments&>(line) = *read;
    return line;
}

std::string VersionText() {
    return cli::VersionLine(kProgram);
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

} // namespace hygrovane::batch
