// The climate figures as one table model: its cells hold the result's unrounded figures in the
// chosen units, its labels the chosen symbols, its row keys the items the CSV writes, and its
// full-precision CSV reads back to the very figures.
#include "analysis_support.h"
#include "climateanalysis/figure_tables.h"
#include "climateanalysis/figure_units.h"
#include "climateanalysis/result_writers.h"
#include "tables/table_writers.h"
#include "text/number_parse.h"

#include <gtest/gtest.h>

#include <set>

namespace hygrovane::climateanalysis {
namespace {

using testing::Analysed;
using testing::CsvRows;

ClimateResult Result(Units units) {
    ClimateSettings settings;
    settings.units = units;
    settings.comfort.model = ComfortModel::Fixed;
    settings.strategies = {comfort::Strategy::EvaporativeCooling};
    return Analysed(settings);
}

const tables::Section& Section(const tables::Table& table, const char* key) {
    const tables::Section* section = table.Find(key);
    EXPECT_NE(section, nullptr) << key;
    static const tables::Section none;
    return section ? *section : none;
}

TEST(FigureTables, CellsHoldTheUnroundedFiguresInTheirUnits) {
    const struct {
        const char* name;
        Units units;
        tables::Unit temperature;
        tables::Unit humidityRatio;
        tables::Unit enthalpy;
    } cases[] = {
        {"SI", Units::SI, tables::Unit::Celsius, tables::Unit::GramPerKilogram,
         tables::Unit::KilojoulePerKilogram},
        {"IP", Units::IP, tables::Unit::Fahrenheit, tables::Unit::GrainPerPound,
         tables::Unit::BtuPerPound},
    };
    for (const auto& c : cases) {
        const ClimateResult r = Result(c.units);
        ASSERT_TRUE(r.design) << c.name;
        const FigureUnits u{c.units};
        const tables::Table table = FigureTables(r);
        const tables::Section& zones = Section(table, kZonesSection);
        const climate::ZoneHours& total = r.zones.total.time;
        ASSERT_EQ(zones.rows.size(), r.zones.names.size() + 6) << c.name;
        EXPECT_EQ(zones.rows[0].cells[1].value, total.inZone[0]) << c.name;
        EXPECT_EQ(zones.rows[0].cells[3].value, total.onlyZone[0]) << c.name;
        EXPECT_EQ(FindRow(zones, "too humid")->cells[2].value, total.Percent(total.tooHumid));

        const tables::Section& design = Section(table, kDesignSection);
        const tables::Row* cooling = FindRow(design, "cooling 0.4 %");
        ASSERT_NE(cooling, nullptr) << c.name;
        EXPECT_EQ(cooling->cells[1].value, u.Temperature(r.design->cooling[0].dryBulb)) << c.name;
        EXPECT_EQ(cooling->cells[1].unit, c.temperature) << c.name;
        const tables::Row* dew = FindRow(design, "dew point 2 %");
        ASSERT_NE(dew, nullptr) << c.name;
        EXPECT_EQ(dew->cells[3].value, u.HumidityRatio(r.design->dewPoint[2].humidityRatio));
        EXPECT_EQ(dew->cells[3].unit, c.humidityRatio) << c.name;
        const tables::Row* enthalpy = FindRow(design, "enthalpy 1 %");
        ASSERT_NE(enthalpy, nullptr) << c.name;
        EXPECT_EQ(enthalpy->cells[1].unit, c.enthalpy) << c.name;
        EXPECT_EQ(enthalpy->cells[1].quantity, tables::Quantity::Enthalpy) << c.name;
    }
}

TEST(FigureTables, LabelsInTheChosenSymbols) {
    const struct {
        const char* name;
        Units units;
        tables::Symbols symbols;
        const char* symbol;
    } cases[] = {
        {"report SI", Units::SI, tables::Symbols::Report, " °C)"},
        {"terminal SI", Units::SI, tables::Symbols::Ascii, " degC)"},
        {"report IP", Units::IP, tables::Symbols::Report, " °F)"},
        {"terminal IP", Units::IP, tables::Symbols::Ascii, " degF)"},
    };
    for (const auto& c : cases) {
        const tables::Table table = FigureTables(Result(c.units), c.symbols);
        const tables::Row* warm = FindRow(Section(table, kZonesSection), "too warm");
        ASSERT_NE(warm, nullptr) << c.name;
        EXPECT_TRUE(warm->cells[0].text.ends_with(c.symbol))
            << c.name << ": " << warm->cells[0].text;
    }
}

// Every row of the year's zones is an item the CSV writes under the same name, so the window,
// the text and the files name a figure alike.
TEST(FigureTables, RowKeysAreTheCsvItems) {
    const ClimateResult r = Result(Units::SI);
    std::set<std::string> items;
    for (const auto& row : CsvRows(ResultCsv(r))) {
        if (row.size() == 6 && row[0] == "zones" && row[1] == "year") {
            items.insert(row[2]);
        }
    }
    const tables::Table table = FigureTables(r);
    for (const tables::Row& row : Section(table, kZonesSection).rows) {
        EXPECT_TRUE(items.contains(row.key)) << row.key;
    }
}

TEST(FigureTables, CsvReadsBackToTheUnroundedFigures) {
    const ClimateResult r = Result(Units::IP);
    const tables::Table table = FigureTables(r);
    const auto rows = CsvRows(tables::TableCsv(table));
    // Each section: "# section", titles, units, then its rows in order.
    std::size_t at = 0;
    for (const tables::Section& section : table.sections) {
        while (at < rows.size() && !(rows[at].size() == 3 && rows[at][0] == "# section")) {
            ++at;
        }
        ASSERT_LT(at + 2, rows.size()) << section.key;
        EXPECT_EQ(rows[at][1], section.title);
        at += 3;
        for (const tables::Row& row : section.rows) {
            ASSERT_LT(at, rows.size()) << section.key;
            const auto& written = rows[at++];
            ASSERT_EQ(written.size(), row.cells.size()) << section.key << " " << row.key;
            for (std::size_t c = 1; c < row.cells.size(); ++c) {
                if (std::isnan(row.cells[c].value)) {
                    EXPECT_EQ(written[c], "") << row.key;
                } else {
                    EXPECT_EQ(text::ParseNumber(written[c]), row.cells[c].value)
                        << section.key << " " << row.key << " " << c;
                }
            }
        }
    }
}

} // namespace
} // namespace hygrovane::climateanalysis
