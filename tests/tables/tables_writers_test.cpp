// A table's text, CSV and JSON forms: the text in report style with numbers right-aligned under
// short titles and units; the CSV with its title block and full-precision numbers that read back
// to the unrounded values (tests/locale runs them under a comma-decimal locale).
#include "tables/table_writers.h"
#include "text/number_parse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

namespace hygrovane::tables {
namespace {

// A point schedule in SI with awkward values: negatives, a sixteenth digit, a missing one.
Table Points() {
    Table table;
    table.title = "Summer AHU";
    table.titleBlock = {{"pressure", NumberCell(101.325, Quantity::Pressure, Unit::Kilopascal)},
                        {"formulation", TextCell("Hyland-Wexler")}};
    Section points{"Points",
                   "points",
                   {{"Point", Quantity::Text, Unit::None, "name"},
                    {"DB", Quantity::Temperature, Unit::Celsius, "dryBulb"},
                    {"RH", Quantity::RelativeHumidity, Unit::Percent, "rh"},
                    {"W", Quantity::HumidityRatio, Unit::GramPerKilogram, "w"},
                    {"Flow", Quantity::AirFlow, Unit::CubicMetrePerHour, "flow"}}};
    points.AddRow("Outdoor", {33.0, 48.43210987654321, 15.876543210123456, 3600});
    points.AddRow("Winter, \"design\"", {-12.345678901234567, 85.0, 1.1e-3, 1800.25});
    points.AddRow("No flow", {24, 50, 9.3});
    table.sections.push_back(points);
    return table;
}

// The cells of a CSV line (quotes as RFC 4180 writes them).
std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> cells{""};
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            cells.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            cells.emplace_back();
        } else {
            cells.back() += c;
        }
    }
    return cells;
}

std::vector<std::vector<std::string>> CsvRows(const std::string& csv) {
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) {
        rows.push_back(Split(line));
    }
    return rows;
}

TEST(TablesWriters, TextIsReportStyleRightAligned) {
    const std::string text = TableText(Points());
    EXPECT_EQ(text, "Summer AHU\n"
                    "pressure: 101.325 kPa\n"
                    "formulation: Hyland-Wexler\n"
                    "\n"
                    "Points\n"
                    "Point                DB  RH      W  Flow\n"
                    "                     °C   %   g/kg  m³/h\n"
                    "Outdoor            33.0  48  15.88  3600\n"
                    "Winter, \"design\"  -12.3  85   0.00  1800\n"
                    "No flow            24.0  50   9.30     –\n");
}

TEST(TablesWriters, CsvTitleBlockUnitsRowAndFullPrecision) {
    const Table table = Points();
    const auto rows = CsvRows(TableCsv(table));
    ASSERT_EQ(rows.size(), 9u);
    EXPECT_EQ(rows[0], (std::vector<std::string>{"# pressure", "101.325", "kPa"}));
    EXPECT_EQ(rows[1], (std::vector<std::string>{"# formulation", "Hyland-Wexler", ""}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{""}));
    EXPECT_EQ(rows[3], (std::vector<std::string>{"# section", "Points", ""}));
    EXPECT_EQ(rows[4], (std::vector<std::string>{"Point", "DB", "RH", "W", "Flow"}));
    EXPECT_EQ(rows[5], (std::vector<std::string>{"", "°C", "%", "g/kg", "m³/h"}));
    // A name a spreadsheet would run as a formula is kept as text; a number's text stays one.
    Table formula = Points();
    formula.sections[0].rows[2].cells[0].text = "=cmd()";
    formula.sections[0].rows[1].cells[0].text = "-1.5";
    const std::string written = TableCsv(formula);
    EXPECT_NE(written.find("\n'=cmd(),24,"), std::string::npos) << written;
    EXPECT_NE(written.find("\n-1.5,-12.345678901234567,"), std::string::npos) << written;
    // Every number reads back to the very double the table holds, and a missing one is empty.
    const Section& points = table.sections[0];
    for (std::size_t r = 0; r < points.rows.size(); ++r) {
        const auto& written = rows[6 + r];
        ASSERT_EQ(written.size(), points.columns.size()) << r;
        EXPECT_EQ(written[0], points.rows[r].cells[0].text);
        for (std::size_t c = 1; c < written.size(); ++c) {
            const Cell& cell = points.rows[r].cells[c];
            if (std::isnan(cell.value)) {
                EXPECT_EQ(written[c], "") << r << "," << c;
                continue;
            }
            const auto read = text::ParseNumber(written[c]);
            ASSERT_TRUE(read) << written[c];
            EXPECT_EQ(*read, cell.value) << r << "," << c;
        }
    }
}

TEST(TablesWriters, JsonFullPrecisionAndNullForNoValue) {
    const std::string json = TableJson(Points());
    for (const char* part :
         {"{\"key\": \"pressure\", \"value\": 101.325, \"unit\": \"kPa\"}",
          "[\"Outdoor\", 33, 48.43210987654321, 15.876543210123456, 3600]",
          "[\"Winter, \\\"design\\\"\", -12.345678901234567, 85, 0.0011, 1800.25]",
          "[\"No flow\", 24, 50, 9.3, null]",
          "\"quantity\": \"relativeHumidity\", \"unit\": \"%\""}) {
        EXPECT_NE(json.find(part), std::string::npos) << part << "\n" << json;
    }
    Table missing = Points();
    missing.sections[0].rows[0].cells[1].value = std::nan("");
    EXPECT_NE(TableJson(missing).find("[\"Outdoor\", null,"), std::string::npos);
}

} // namespace
} // namespace hygrovane::tables
