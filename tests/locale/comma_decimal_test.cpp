// Every number a file keeps or a machine reads back is written and read the same under a
// comma-decimal locale as under "C": the GUI runs under the user's locale (Qt sets the C
// library's from the environment), the command-line programs may be given one too.
#include "analysis_support.h"
#include "batch_support.h"

#include "chart/chart_preferences.h"
#include "chart/chart_units.h"
#include "climateanalysis/figure_tables.h"
#include "climateanalysis/result_writers.h"
#include "comfort/comfort_error.h"
#include "models/climate_model.h"
#include "processfile/process_file.h"
#include "processfile/process_report.h"
#include "tables/table_writers.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace hygrovane {
namespace {

// The test's comma-decimal locale as setlocale names it, or "" when none can be had. Made in the
// build folder by the fixture (LOCPATH), else one installed on the machine.
std::string CommaLocale() {
    static const std::string name = [] {
        const char* const names[] = {"de_DE.UTF-8", "de_DE.utf8", "de_DE", "fr_FR.UTF-8",
                                     "nl_NL.UTF-8"};
        for (const bool built : {true, false}) {
            if (built) {
                setenv("LOCPATH", HYGROVANE_LOCALE_DIR, 1);
            } else {
                unsetenv("LOCPATH");
            }
            for (const char* n : names) {
                if (std::setlocale(LC_ALL, n) != nullptr &&
                    std::localeconv()->decimal_point == std::string(",")) {
                    std::setlocale(LC_ALL, "C");
                    return std::string(n);
                }
            }
        }
        std::setlocale(LC_ALL, "C");
        return std::string();
    }();
    return name;
}

// f's result under the comma-decimal locale, the "C" locale set again after.
template <typename F> auto UnderComma(F f) {
    const std::string name = CommaLocale();
    std::setlocale(LC_ALL, name.c_str());
    auto result = f();
    std::setlocale(LC_ALL, "C");
    return result;
}

#define REQUIRE_COMMA_LOCALE()                                                                     \
    if (CommaLocale().empty()) {                                                                   \
        GTEST_SKIP() << "no comma-decimal locale: neither de_DE.UTF-8 made by localedef in "       \
                     << HYGROVANE_LOCALE_DIR << " (install Debian's \"locales\") nor one "         \
                     << "installed";                                                               \
    }

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

chart::ChartPreferences Preferences() {
    chart::ChartPreferences p;
    p.range = chart::ChartRange{273.15 + 1.0 / 3, 303.15, 0.1 / 7, 0.025};
    EXPECT_TRUE(p.marks.add({293.15 + 2.0 / 3, 0.008}, "Room").has_value());
    return p;
}

TEST(CommaDecimalLocale, ChartSettingsReadBackWhole) {
    REQUIRE_COMMA_LOCALE();
    const chart::ChartPreferences kept = Preferences();
    const auto entries = UnderComma([&] { return chart::PreferenceEntries(kept); });
    EXPECT_EQ(entries, chart::PreferenceEntries(kept)) << "written as under C";
    const chart::PreferencesRead read = UnderComma([&] {
        return chart::ReadPreferences([&](const std::string& key) -> std::optional<std::string> {
            const auto it = entries.find(key);
            return it == entries.end() ? std::nullopt : std::optional(it->second);
        });
    });
    EXPECT_TRUE(read.refused.empty());
    EXPECT_EQ(read.preferences, kept);
}

std::vector<comfort::UserZone> Zones(const std::string& text) {
    const auto zones = models::ParseUserZones(text, climateanalysis::Units::SI);
    return zones.has_value() ? zones.value() : std::vector<comfort::UserZone>{};
}

TEST(CommaDecimalLocale, UserZoneCornersReadAlike) {
    REQUIRE_COMMA_LOCALE();
    const std::string typed = "Dry: 20.5, 4.5; 26.25, 4.5; 26.25, 8; 20.5, 8\n"
                              "Humid: +18, 60%; 24, 60%; 24, 80.5%; 18, 80.5%\n";
    const auto underC = Zones(typed);
    ASSERT_EQ(underC.size(), 2u);
    EXPECT_DOUBLE_EQ(underC[0].points[0].first, 293.65);
    EXPECT_DOUBLE_EQ(underC[1].points[2].second, 0.805);
    const auto underComma = UnderComma([&] { return Zones(typed); });
    ASSERT_EQ(underComma.size(), underC.size());
    for (std::size_t z = 0; z < underC.size(); ++z) {
        EXPECT_EQ(underComma[z].points, underC[z].points) << underC[z].name;
    }
}

models::ClimateModel ChicagoWindow() {
    climateanalysis::ClimateSettings settings;
    settings.comfort.model = climateanalysis::ComfortModel::Pmv;
    settings.comfort.metabolic = 1.1;
    settings.comfort.clothing = 0.7;
    models::ClimateModel window;
    auto loaded =
        models::LoadClimate(std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw", settings);
    EXPECT_TRUE(loaded.has_value());
    if (loaded.has_value()) {
        window.accept(loaded.value());
    }
    return window;
}

std::string FigureCells(const models::ClimateModel& window) {
    std::string cells;
    for (const models::FigureRow& row : window.figures()) {
        for (const std::string& cell : row.cells) {
            cells += cell + "|";
        }
        cells += "\n";
    }
    return cells;
}

processfile::ProcessSetFile ProcessSet() {
    const auto read = processfile::ReadProcessSetText(
        ReadFile(std::string(HYGROVANE_SOURCE_DIR) +
                 "/fuzz/corpus/process_file_fuzz/air_handling_unit.json"));
    EXPECT_TRUE(read.has_value());
    return read.has_value() ? read.value() : processfile::ProcessSetFile{};
}

// What each writer gives, as its bytes; the same under both locales.
struct Written {
    const char* what;
    std::function<std::string()> bytes;
};

TEST(CommaDecimalLocale, WrittenNumbersAlike) {
    REQUIRE_COMMA_LOCALE();
    climateanalysis::ClimateSettings settings;
    settings.comfort.metabolic = 1.1;
    settings.comfort.clothing = 0.7;
    const climateanalysis::ClimateResult result = climateanalysis::testing::Analysed(settings);
    const models::ClimateModel window = ChicagoWindow();
    const processfile::ProcessSetFile set = ProcessSet();
    const std::string batchInput = "Temp (F);RH (%);Pressure (kPa)\n"
                                   "68.5;45.25;101.325\n-4;80;99.1\n104;12.5;100\n";
    const std::vector<Written> writers{
        {"climate figures as text", [&] { return climateanalysis::ResultText(result); }},
        {"climate figures as CSV", [&] { return climateanalysis::ResultCsv(result); }},
        {"climate figures as JSON", [&] { return climateanalysis::ResultJson(result); }},
        {"climate window's figures table", [&] { return FigureCells(window); }},
        {"batch conversion", [&] { return batch::testing::Convert(batchInput, {}); }},
        {"process set file", [&] { return processfile::ProcessSetText(set.set, set.units); }},
        {"climate figures' table as text, CSV and JSON",
         [&] {
             const tables::Table t = climateanalysis::FigureTables(result);
             return tables::TableText(t) + tables::TableCsv(t) + tables::TableJson(t);
         }},
        {"process report tables as text, CSV and JSON",
         [&] {
             const tables::Table t = processfile::ProcessTables(
                 set.set, {processfile::ReportSystem::IP, set.units}, "2026-12-07");
             return tables::TableText(t) + tables::TableCsv(t) + tables::TableJson(t);
         }},
        // Refusals the climate window and the processes' tables show and write.
        {"comfort refusal",
         [] {
             comfort::ComfortFailure f;
             f.input = comfort::ComfortInput::AirTemperature;
             f.value = 31.5;
             f.minimum = 10;
             f.maximum = 30.5;
             f.model = "ISO 7730";
             return comfort::Describe(f);
         }},
        // The chart types a picked altitude into the main window, which reads it back.
        {"altitude the chart types", [] { return chart::FixedText(1234.5, 2); }},
    };
    for (const Written& w : writers) {
        const std::string underC = w.bytes();
        EXPECT_FALSE(underC.empty()) << w.what;
        EXPECT_EQ(UnderComma(w.bytes), underC) << w.what;
    }
}

} // namespace
} // namespace hygrovane
