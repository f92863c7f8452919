// hygrovane-climate's options parsed into climate settings.
#include "climatecli/command_line.h"

#include <gtest/gtest.h>

#include <functional>

namespace hygrovane::climatecli {
namespace {

struct ParseRow {
    const char* name;
    std::vector<std::string> args;
    std::function<bool(const CommandLine&)> holds;
};

TEST(CommandLine, OptionsBecomeSettings) {
    using climateanalysis::ComfortModel;
    const ParseRow rows[] = {
        {"defaults: ISO 7730 PMV, text, standard output",
         {"a.epw"},
         [](const CommandLine& l) {
             return l.input == "a.epw" && l.output == "-" && l.format == Format::Text &&
                    l.settings.comfort.model == ComfortModel::Pmv &&
                    l.settings.comfort.metabolic == 1.1 && l.settings.strategies.empty() &&
                    !l.settings.filter.occupiedOnly;
         }},
        {"personal and air parameters, = and separate values",
         {"--met=1.3", "--clo", "0.9", "--air-speed", "0.6", "--mrt-offset", "-2", "a.epw"},
         [](const CommandLine& l) {
             const auto& c = l.settings.comfort;
             return c.metabolic == 1.3 && c.clothing == 0.9 && c.airSpeed == 0.6 &&
                    c.radiantOffset == -2;
         }},
        {"PPD limit, then PMV limit replaces it",
         {"--ppd", "10", "--pmv", "0.7", "a.epw"},
         [](const CommandLine& l) {
             return !l.settings.comfort.ppd && l.settings.comfort.pmvLimit == 0.7;
         }},
        {"adaptive EN category I",
         {"--comfort", "adaptive-en", "--category", "I", "a.epw"},
         [](const CommandLine& l) {
             return l.settings.comfort.model == ComfortModel::AdaptiveEn &&
                    l.settings.comfort.enCategory == 1;
         }},
        {"adaptive ASHRAE 90 %",
         {"--acceptability", "90", "--comfort", "adaptive-ashrae", "a.epw"},
         [](const CommandLine& l) {
             return l.settings.comfort.model == ComfortModel::AdaptiveAshrae &&
                    l.settings.comfort.ashraeAcceptability == 90;
         }},
        {"strategies listed keep their order, repeats once",
         {"--strategies", "humidification,comfort,humidification", "a.epw"},
         [](const CommandLine& l) {
             return l.settings.strategies ==
                    std::vector<comfort::Strategy>{comfort::Strategy::Humidification,
                                                   comfort::Strategy::Comfort};
         }},
        {"all strategies",
         {"--strategies", "all", "a.epw"},
         [](const CommandLine& l) { return l.settings.strategies.size() == 9; }},
        {"wrapping months and hours, occupied",
         {"--months", "11-2", "--hours", "22-6", "--occupied", "a.epw"},
         [](const CommandLine& l) {
             const auto& f = l.settings.filter;
             return f.firstMonth == 11 && f.lastMonth == 2 && f.fromHour == 22 && f.toHour == 6 &&
                    f.occupiedOnly;
         }},
        {"dew point, elevation pressure, Hyland-Wexler, IP, JSON to a file",
         {"--humidity", "dew-point", "--pressure", "elevation", "--formulation", "hw", "--units",
          "ip", "--format", "json", "-o", "out.json", "a.epw"},
         [](const CommandLine& l) {
             const auto& s = l.settings.states;
             return s.humidity == climate::HumiditySource::DewPoint &&
                    s.pressure == climate::PressureSource::Elevation &&
                    s.formulation == SatFormulation::HylandWexler &&
                    l.settings.units == climateanalysis::Units::IP && l.format == Format::Json &&
                    l.output == "out.json";
         }},
        {"-- ends the options",
         {"--", "--met"},
         [](const CommandLine& l) { return l.input == "--met"; }},
        {"- is the standard input", {"-"}, [](const CommandLine& l) { return l.input == "-"; }},
    };
    for (const ParseRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto line = ParseCommandLine(row.args);
        ASSERT_TRUE(line) << line.error();
        EXPECT_TRUE(row.holds(*line));
    }
}

TEST(CommandLine, ValuesOutsideTheirRangesAreRefused) {
    const std::vector<std::vector<std::string>> rows = {
        {"--met", "0.5", "a.epw"},
        {"--met", "nan", "a.epw"},
        {"--met", "1.1x", "a.epw"},
        {"--clo", "-0.1", "a.epw"},
        {"--air-speed", "3", "a.epw"},
        {"--ppd", "5", "a.epw"},
        {"--pmv", "0", "a.epw"},
        {"--months", "0-3", "a.epw"},
        {"--months", "3", "a.epw"},
        {"--hours", "8-25", "a.epw"},
        {"--category", "IV", "a.epw"},
        {"--acceptability", "85", "a.epw"},
        {"--format", "xml", "a.epw"},
        {"--units", "metric", "a.epw"},
        {"--occupied=yes", "a.epw"},
        {"--humidity", "wb", "a.epw"},
        {"--strategies", "", "a.epw"},
        {"--strategies", "comfort,", "a.epw"},
        {"--prevailing-mean", "x", "a.epw"},
    };
    for (const auto& args : rows) {
        std::string joined;
        for (const std::string& arg : args) {
            joined += arg + " ";
        }
        SCOPED_TRACE(joined);
        const auto line = ParseCommandLine(args);
        ASSERT_FALSE(line);
        EXPECT_FALSE(line.error().empty());
    }
}

struct ModelOptionRow {
    const char* name;
    std::vector<std::string> args;
    const char* refusedOption; // named in the message; nullptr when the options apply
};

TEST(CommandLine, OptionsOfAnotherComfortModelAreRefused) {
    const ModelOptionRow rows[] = {
        {"the adaptive models' options with PMV",
         {"--comfort", "pmv", "--prevailing-mean", "50", "--acceptability", "90", "a.epw"},
         "--prevailing-mean"},
        {"acceptability with the default PMV",
         {"--acceptability", "90", "a.epw"},
         "--acceptability"},
        {"EN category with adaptive ASHRAE",
         {"--comfort", "adaptive-ashrae", "--category", "I", "a.epw"},
         "--category"},
        {"ASHRAE acceptability with adaptive EN, the model named after it",
         {"--acceptability", "90", "--comfort", "adaptive-en", "a.epw"},
         "--acceptability"},
        {"clothing with an adaptive model",
         {"--clo", "0.7", "--comfort", "adaptive-en", "a.epw"},
         "--clo"},
        {"a PPD limit with the fixed zones",
         {"--comfort", "fixed", "--ppd", "10", "a.epw"},
         "--ppd"},
        {"air speed with no comfort model",
         {"--comfort", "none", "--air-speed", "0.5", "a.epw"},
         "--air-speed"},
        {"PMV's own options",
         {"--comfort", "ashrae55", "--met", "1.2", "--pmv", "0.7", "a.epw"},
         nullptr},
        {"adaptive options that apply",
         {"--comfort", "adaptive-en", "--category", "III", "--prevailing-mean", "20", "--air-speed",
          "0.6", "--mrt-offset", "1", "a.epw"},
         nullptr},
    };
    for (const ModelOptionRow& row : rows) {
        SCOPED_TRACE(row.name);
        const auto line = ParseCommandLine(row.args);
        if (!row.refusedOption) {
            EXPECT_TRUE(line) << line.error();
            continue;
        }
        ASSERT_FALSE(line);
        EXPECT_EQ(line.error().rfind(row.refusedOption, 0), 0u) << line.error();
        EXPECT_NE(line.error().find("does not apply to --comfort"), std::string::npos)
            << line.error();
    }
}

} // namespace
} // namespace hygrovane::climatecli
