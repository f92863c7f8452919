#include "climatecli/command_line.h"

#include "cli/common_options.h"
#include "cli/program_arguments.h"
#include "climatecli/envelope_option.h"
#include "climatecli/unit_options.h"
#include "text/number_parse.h"
#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

namespace hygrovane::climatecli {

namespace {

using cli::Option;
using cli::OptionTable;
using cli::Store;
using climateanalysis::ComfortModel;
using Taken = Expected<Done, std::string>;

// A decimal number filling the whole text.
std::optional<double> NumberOf(std::string_view text) {
    return text::ParseNumber(text);
}

std::optional<int> IntegerOf(std::string_view text) {
    return text::ParseInteger<int>(text);
}

// "A-B" with both ends in [low, high].
std::optional<std::pair<int, int>> RangeOf(std::string_view text, int low, int high) {
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        return std::nullopt;
    }
    const auto first = IntegerOf(text.substr(0, dash));
    const auto last = IntegerOf(text.substr(dash + 1));
    if (!first || !last || *first < low || *first > high || *last < low || *last > high) {
        return std::nullopt;
    }
    return std::pair{*first, *last};
}

// The value of a numeric option within [low, high], or a message.
Expected<double, std::string> Number(const std::string& option, const std::string& value,
                                     double low, double high, const char* unit) {
    const auto number = NumberOf(value);
    if (!number || *number < low || *number > high) {
        return Fail(option + " takes a number from " + text::GeneralText(low, 6) + " to " +
                    text::GeneralText(high, 6) + (*unit != 0 ? " " : "") + unit + " (not \"" +
                    value + "\")");
    }
    return *number;
}

Expected<std::vector<comfort::Strategy>, std::string> Strategies(const std::string& value) {
    std::vector<comfort::Strategy> into;
    if (value == "none") {
        return into;
    }
    if (value == "all") {
        return climateanalysis::AllStrategies();
    }
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t comma = std::min(value.find(',', start), value.size());
        const std::string key = value.substr(start, comma - start);
        const auto strategy = climateanalysis::StrategyNamed(key);
        if (!strategy) {
            std::string error =
                "--strategies: unknown strategy \"" + key + "\" (all, none, or a list of:";
            for (const comfort::Strategy s : climateanalysis::AllStrategies()) {
                error += std::string(" ") + climateanalysis::KeyOf(s);
            }
            return Fail(error + ")");
        }
        if (std::find(into.begin(), into.end(), *strategy) == into.end()) {
            into.push_back(*strategy);
        }
        start = comma + 1;
    }
    return into;
}

// A fixed set of words to values: the option's value, or the message.
template <typename Value>
Taken Choose(const std::string& value, std::initializer_list<std::pair<const char*, Value>> words,
             Value& into, const char* message) {
    for (const auto& [word, chosen] : words) {
        if (value == word) {
            into = chosen;
            return Done{};
        }
    }
    return Fail(std::string(message));
}

// A number option's table row: the value within [low, high] in unit, stored into a double or an
// optional one.
template <typename Target>
Option NumberOption(std::string_view name, double low, double high, const char* unit,
                    Target& into) {
    return {{name}, true, [name, low, high, unit, &into](const std::string& value) {
                return Store(Number(std::string(name), value, low, high, unit), into);
            }};
}

// Where the figures go and how they are written.
OptionTable OutputOptions(CommandLine& line) {
    climateanalysis::ClimateSettings& s = line.settings;
    return {
        {{"-o", "--output"},
         true,
         [&line](const std::string& value) -> Taken {
             line.output = value;
             return Done{};
         }},
        {{"--format"},
         true,
         [&line](const std::string& value) {
             return Choose(value,
                           {{"text", Format::Text}, {"csv", Format::Csv}, {"json", Format::Json}},
                           line.format, "--format takes text, csv or json");
         }},
        {{"--units"},
         true,
         [&s](const std::string& value) {
             return Choose(value,
                           {{"si", climateanalysis::Units::SI}, {"ip", climateanalysis::Units::IP}},
                           s.units, "--units takes si or ip");
         }},
    };
}

// The comfort model and its parameters.
OptionTable ComfortOptions(CommandLine& line) {
    climateanalysis::ComfortSettings& c = line.settings.comfort;
    return {
        {{"--comfort"},
         true,
         [&c](const std::string& value) -> Taken {
             const auto model = climateanalysis::ComfortModelNamed(value);
             if (!model) {
                 return Fail(std::string(
                     "--comfort takes pmv, ashrae55, adaptive-ashrae, adaptive-en, fixed or none"));
             }
             c.model = *model;
             return Done{};
         }},
        // ISO 7730's and ASHRAE 55's ranges together: 0.8 to 4 met, 0 to 2 clo, 0 to 2 m/s.
        NumberOption("--met", 0.8, 4, "met", c.metabolic),
        NumberOption("--clo", 0, 2, "clo", c.clothing),
        NumberOption("--air-speed", 0, 2, "m/s", c.airSpeed),
        NumberOption("--mrt-offset", -20, 20, "K", c.radiantOffset),
        // PPD is 5 % at PMV 0: a limit must lie above it.
        NumberOption("--ppd", 5.01, 99, "%", c.ppd),
        {{"--pmv"},
         true,
         [&c](const std::string& value) {
             c.ppd.reset();
             return Store(Number("--pmv", value, 0.01, 3, ""), c.pmvLimit);
         }},
        {{"--acceptability"},
         true,
         [&c](const std::string& value) {
             return Choose(value, {{"80", 80}, {"90", 90}}, c.ashraeAcceptability,
                           "--acceptability takes 80 or 90");
         }},
        {{"--category"},
         true,
         [&c](const std::string& value) {
             return Choose(value, {{"I", 1}, {"1", 1}, {"II", 2}, {"2", 2}, {"III", 3}, {"3", 3}},
                           c.enCategory, "--category takes I, II or III");
         }},
        NumberOption("--prevailing-mean", -50, 50, "degC", c.prevailingMean),
        {{"--strategies"},
         true,
         [&line](const std::string& value) {
             return Store(Strategies(value), line.settings.strategies);
         }},
    };
}

// The hours counted.
OptionTable HourOptions(CommandLine& line) {
    climate::Filter& f = line.settings.filter;
    return {
        {{"--months"},
         true,
         [&f](const std::string& value) -> Taken {
             const auto range = RangeOf(value, 1, 12);
             if (!range) {
                 return Fail(std::string(
                     "--months takes FIRST-LAST, months 1 to 12 (11-2 wraps over the new year)"));
             }
             f.firstMonth = range->first;
             f.lastMonth = range->second;
             return Done{};
         }},
        {{"--hours"},
         true,
         [&f](const std::string& value) -> Taken {
             const auto range = RangeOf(value, 0, 24);
             if (!range) {
                 return Fail(std::string(
                     "--hours takes FROM-TO, clock hours 0 to 24 (22-6 wraps over midnight)"));
             }
             f.fromHour = range->first;
             f.toHour = range->second;
             return Done{};
         }},
        {{"--occupied"},
         false,
         [&f](const std::string&) -> Taken {
             f.occupiedOnly = true;
             return Done{};
         }},
    };
}

// How each hour's state is computed from the file.
OptionTable StateOptions(CommandLine& line) {
    climate::StateOptions& states = line.settings.states;
    return {
        {{"--humidity"},
         true,
         [&line, &states](const std::string& value) {
             line.humidityChosen = true;
             return Choose(value,
                           {{"rh", climate::HumiditySource::RelativeHumidity},
                            {"dew-point", climate::HumiditySource::DewPoint}},
                           states.humidity, "--humidity takes rh or dew-point");
         }},
        {{"--pressure"},
         true,
         [&states](const std::string& value) {
             return Choose(value,
                           {{"station", climate::PressureSource::Station},
                            {"elevation", climate::PressureSource::Elevation}},
                           states.pressure, "--pressure takes station or elevation");
         }},
        {{"--formulation"},
         true,
         [&states](const std::string& value) {
             return Store(cli::FormulationOption(value), states.formulation);
         }},
    };
}

// Every option of the program, group by group; a new group is one more Append.
OptionTable ClimateOptions(CommandLine& line) {
    OptionTable options = OutputOptions(line);
    cli::Append(options, ComfortOptions(line));
    cli::Append(options, HourOptions(line));
    cli::Append(options, StateOptions(line));
    cli::Append(options, {{{"--envelope"}, true, [&line](const std::string& value) {
                               return TakeEnvelopes(value, line.envelopes);
                           }}});
    cli::Append(options, UnitOptionTable(line.unit));
    cli::Append(options, StreamOptionTable(line.streams));
    return options;
}

// The comfort models an option sets a parameter of; none for the options of every model.
struct ModelOption {
    const char* option;
    std::vector<ComfortModel> models;
    const char* what;
};

const std::vector<ModelOption>& ModelOptions() {
    using M = ComfortModel;
    static const std::vector<ModelOption> options = {
        {"--met", {M::Pmv, M::Ashrae55}, "the metabolic rate of the PMV models"},
        {"--clo", {M::Pmv, M::Ashrae55}, "the clothing of the PMV models"},
        {"--ppd", {M::Pmv, M::Ashrae55}, "the PPD limit of the PMV models"},
        {"--pmv", {M::Pmv, M::Ashrae55}, "the PMV limit of the PMV models"},
        {"--air-speed",
         {M::Pmv, M::Ashrae55, M::AdaptiveAshrae, M::AdaptiveEn},
         "the air speed of the PMV and adaptive models"},
        {"--mrt-offset",
         {M::Pmv, M::Ashrae55, M::AdaptiveAshrae, M::AdaptiveEn},
         "the mean radiant temperature of the PMV and adaptive models"},
        {"--acceptability", {M::AdaptiveAshrae}, "adaptive-ashrae's acceptability"},
        {"--category", {M::AdaptiveEn}, "adaptive-en's category"},
        {"--prevailing-mean",
         {M::AdaptiveAshrae, M::AdaptiveEn},
         "the adaptive models' prevailing mean outdoor temperature"},
    };
    return options;
}

// A message for the first option given that the chosen model does not use: silently ignoring it
// would report figures the user did not ask for.
std::optional<std::string> OptionNotApplying(const std::vector<std::string>& given,
                                             ComfortModel model) {
    for (const std::string& option : given) {
        for (const ModelOption& m : ModelOptions()) {
            if (option == m.option &&
                std::find(m.models.begin(), m.models.end(), model) == m.models.end()) {
                return option + " does not apply to --comfort " + climateanalysis::KeyOf(model) +
                       " (it sets " + m.what + ")";
            }
        }
    }
    return std::nullopt;
}

} // namespace

Expected<CommandLine, std::string> ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine line;
    cli::OptionRules rules = cli::RulesOf(ClimateOptions(line), true);
    std::vector<std::string> given;
    rules.take = [take = rules.take, &given](const std::string& option, const std::string& value) {
        given.push_back(option);
        return take(option, value);
    };
    const auto read = cli::ReadArguments(args, rules);
    if (!read) {
        return Fail(read.error());
    }
    if (auto wrong = OptionNotApplying(given, line.settings.comfort.model)) {
        return Fail(*wrong);
    }
    if (const auto checked = CheckUnitOptions(line.unit); !checked) {
        return Fail(checked.error().message);
    }
    if (const auto checked = CheckStreamOptions(line.streams, given); !checked) {
        return Fail(checked.error().message);
    }
    static_cast<cli::ProgramArguments&>(line) = *read;
    return line;
}

std::string VersionText() {
    return cli::VersionLine(kProgram);
}

std::string HelpText() {
    return std::string("Usage: ") + kProgram + R"help( [OPTION]... FILE [-o OUTPUT]
Reads a weather file (EnergyPlus EPW or TMY3), or a logger file hygrovane-batch reads (a time
column, a dry-bulb and a relative-humidity or dew-point column); - reads the standard input.
Prints the location, the records read and missing, the hours in each comfort and strategy
zone, in each zone only and in their union, too warm, too cool and too humid, the same by month,
and the design conditions from the file's hours beside those published in its header.

Comfort:
  --comfort MODEL          pmv (ISO 7730, the default), ashrae55 (with its cooling effect above
                           0.1 m/s), adaptive-ashrae, adaptive-en, fixed (the chart's winter
                           and summer zones) or none; the options below that MODEL does
                           not use are refused
  --met N --clo N          metabolic rate (default 1.1 met) and clothing (default 0.5 clo)
  --air-speed N            m/s (default 0.1)
  --mrt-offset N           mean radiant temperature minus air temperature, K (default 0)
  --ppd N | --pmv N        PPD at most N % instead of |PMV| at most N (default |PMV| <= 0.5)
  --acceptability 80|90    adaptive ASHRAE 55 (default 80)
  --category I|II|III      adaptive EN 16798-1 (default II)
  --prevailing-mean N      degC for every day, instead of each day's running mean of the file
  --strategies LIST        all, none (the default) or a comma-separated list of comfort,
                           evaporative-cooling, air-speed, thermal-mass, night-ventilation,
                           internal-gains, passive-solar, dehumidification, humidification
Hours:
  --months A-B             months A to B (11-2 wraps over the new year)
  --hours A-B              clock hours A:00 to B:00 (22-6 wraps over midnight)
  --occupied               weekdays 08:00-18:00 only
  --humidity rh|dew-point  the file's humidity each hour's state is computed from (default rh;
                           a logger file's own humidity column when it has one of the two)
  --pressure station|elevation   the row's station pressure (default) or the standard
                           pressure of the station's elevation
  --formulation iapws|hw   the saturation formulation (default IAPWS)
Envelopes:
  --envelope NAME[,NAME...]  the hours inside and outside each named envelope, its
                           excursions and months (names: ashrae-tc99-2021-a1 ... and the
                           others of the guide's table, e.g. en16798-1-humidity-ii)
)help" + UnitHelpText() +
           StreamHelpText() +
           R"help(Output:
  --format text|csv|json   (default text)
  --units si|ip            degC, g/kg, kJ/kg, kPa (default) or degF, gr/lb, Btu/lb, psi
  -o, --output FILE        the output file; - (the default) for the standard output
  -h, --help               this text
  --version                the version
  --                       ends the options (for a FILE starting with -)

Exit status: 0 when the figures were written, 1 for bad options or a unit file refused (damaged,
or a key unknown, missing, of the wrong type or out of range), 2 when the input or a unit file
cannot be read or the input is damaged, 3 when an output cannot be written; then no output file
is left behind.
)help";
}

} // namespace hygrovane::climatecli
