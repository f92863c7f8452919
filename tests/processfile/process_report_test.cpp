// The processes' tables as the report-style table model: the point schedule with each point's air
// flow, the process schedule with its loads in the set's units, and the CSV with its title block
// reading back to the unrounded values.
#include "processfile/process_report.h"
#include "tables/table_writers.h"
#include "text/number_parse.h"

#include <gtest/gtest.h>

#include <QDate>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace hygrovane::processfile {
namespace {

using namespace processes;

PointConditions RH(double celsius, double phi) {
    return {celsius + 273.15, HumidityInput::RelativeHumidity, phi};
}

// Outdoor air A (2000 cfm) and return air B (20000 lb/h) mixed into C, cooled by a coil to D
// (apparatus dew point 10 °C, bypass factor 0.12); winter air F (900 L/s) heated and steamed.
ProcessSet AirHandlingUnit() {
    ProcessSet set;
    set.setAmbient({PressureInput::Altitude, 0, 300, SatFormulation::HylandWexler});
    const PointId a = *set.addPoint(RH(33, 0.45), "Outdoor, air");
    const PointId b = *set.addPoint(RH(24, 0.5), "Return");
    set.addProcess({ProcessKind::Mixing,
                    {a, b},
                    {{FlowUnit::CubicFeetPerMinute, 2000}, {FlowUnit::PoundsPerHour, 20000}},
                    {}});
    set.addProcess({ProcessKind::CoilApparatusDewPoint,
                    {set.processes()[0].outlets[0]},
                    {{FlowUnit::Upstream, 0}},
                    {.apparatusDewPoint = 283.15, .bypassFactor = 0.12}});
    const PointId f = *set.addPoint({278.15, HumidityInput::HumidityRatio, 0.002}, "Winter");
    set.addProcess({ProcessKind::HeatingThenSteam,
                    {f},
                    {{FlowUnit::LitresPerSecond, 900}},
                    {.steamTemperature = 383.15, .target = RH(22, 0.4)}});
    return set;
}

const ReportUnits kSI{
    ReportSystem::SI,
    {FlowUnit::CubicMetresPerHour, HeatUnit::Kilowatt, WaterUnit::KilogramsPerHour}};
const ReportUnits kIP{
    ReportSystem::IP,
    {FlowUnit::CubicFeetPerMinute, HeatUnit::BtuPerHour, WaterUnit::PoundsPerHour}};
const ReportUnits kTons{
    ReportSystem::IP,
    {FlowUnit::CubicFeetPerMinute, HeatUnit::TonOfRefrigeration, WaterUnit::PoundsPerHour}};

std::size_t ColumnOf(const tables::Section& section, std::string_view key) {
    for (std::size_t c = 0; c < section.columns.size(); ++c) {
        if (section.columns[c].key == key) {
            return c;
        }
    }
    ADD_FAILURE() << "no column " << key;
    return 0;
}

// The report-style text of a cell, by section, row and column key.
std::string Shown(const tables::Table& table, const char* section, std::size_t row,
                  std::string_view column) {
    const tables::Section& s = *table.Find(section);
    return s.rows.at(row).cells.at(ColumnOf(s, column)).Shown();
}

TEST(ProcessReport, SchedulesInReportStylePerUnitSystem) {
    const ProcessSet set = AirHandlingUnit();
    const tables::Table si = ProcessTables(set, kSI);
    const tables::Table ip = ProcessTables(set, kIP);
    const tables::Table tons = ProcessTables(set, kTons);
    const struct {
        const char* name;
        const tables::Table& table;
        const char* section;
        std::size_t row;
        const char* column;
        const char* shown;
    } cases[] = {
        {"SI dry bulb", si, kPointsSection, 0, "dryBulb", "33.0"},
        {"IP dry bulb", ip, kPointsSection, 0, "dryBulb", "91.4"},
        {"RH whole percent", si, kPointsSection, 0, "relativeHumidity", "45"},
        {"W in g/kg to 0.01", si, kPointsSection, 4, "humidityRatio", "2.00"},
        {"W in gr/lb to 0.1", ip, kPointsSection, 4, "humidityRatio", "14.0"},
        {"flow as given in cfm", ip, kPointsSection, 0, "airFlow", "2000"},
        {"flow as given in L/s, in m³/h", si, kPointsSection, 4, "airFlow", "3240"},
        {"source of a made point", si, kPointsSection, 2, "source", "process 1"},
        {"ADP in °C", si, kProcessesSection, 1, "apparatusDewPoint", "10.0"},
        {"ADP in °F", ip, kProcessesSection, 1, "apparatusDewPoint", "50.0"},
        {"bypass factor with a leading zero", si, kProcessesSection, 1, "bypassFactor", "0.12"},
        {"mixing has no single difference", si, kProcessesSection, 0, "enthalpyDifference", "–"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Shown(c.table, c.section, c.row, c.column), c.shown) << c.name;
    }
    // Point C (the mixture) carries the two streams' dry air: its flow lies between their sum
    // at either state, and the coil's leaving air D the same dry air.
    const tables::Section& points = *si.Find(kPointsSection);
    const std::size_t flow = ColumnOf(points, "airFlow");
    EXPECT_GT(points.rows[2].cells[flow].value, points.rows[0].cells[flow].value);
    // The coil cools: its loads are negative, the same in kW, Btu/h and tons.
    const tables::Section& kw = *si.Find(kProcessesSection);
    const tables::Section& btu = *ip.Find(kProcessesSection);
    const tables::Section& ton = *tons.Find(kProcessesSection);
    const std::size_t total = ColumnOf(kw, "total");
    const double kilowatts = kw.rows[1].cells[total].value;
    EXPECT_LT(kilowatts, 0);
    EXPECT_NEAR(btu.rows[1].cells[total].value, kilowatts * 3412.14,
                0.01 * std::abs(kilowatts) * 3412.14);
    EXPECT_NEAR(ton.rows[1].cells[total].value, kilowatts / 3.51685, 0.01 * std::abs(kilowatts));
    EXPECT_EQ(ton.rows[1].cells[total].Shown().find('.'),
              ton.rows[1].cells[total].Shown().size() - 3)
        << "tons to 0.01: " << ton.rows[1].cells[total].Shown();
    EXPECT_EQ(btu.rows[1].cells[total].Shown().find('.'), std::string::npos)
        << "Btu/h whole: " << btu.rows[1].cells[total].Shown();
    const double shr = kw.rows[1].cells[ColumnOf(kw, "sensibleHeatRatio")].value;
    EXPECT_GT(shr, 0.5);
    EXPECT_LT(shr, 1.0);
}

TEST(ProcessReport, HeadersAreShortWithTheirSymbols) {
    const tables::Table si = ProcessTables(AirHandlingUnit(), kSI);
    const tables::Table ip = ProcessTables(AirHandlingUnit(), kIP);
    const std::string siText = tables::TableText(si);
    const std::string ipText = tables::TableText(ip);
    for (const char* symbol : {"°C", "g/kg", "kJ/kg", "m³/kg", "m³/h", "kW", "kg/h"}) {
        EXPECT_NE(siText.find(symbol), std::string::npos) << symbol;
    }
    for (const char* symbol : {"°F", "gr/lb", "Btu/lb", "ft³/lb", "cfm", "Btu/h", "lb/h", "psia"}) {
        EXPECT_NE(ipText.find(symbol), std::string::npos) << symbol;
    }
    // No caption wider than its widest cell or unit: every title is short.
    for (const tables::Section& section : si.sections) {
        for (const tables::Column& column : section.columns) {
            EXPECT_LE(tables::Columns(column.title), 9u) << column.title;
        }
    }
    EXPECT_TRUE(IsMainColumn(kPointsSection, "wetBulb"));
    EXPECT_FALSE(IsMainColumn(kPointsSection, "sensibleHeatRatio"));
    EXPECT_TRUE(IsMainColumn(kProcessesSection, "sensibleHeatRatio"));
    EXPECT_FALSE(IsMainColumn(kProcessesSection, "notes"));
}

// The CSV: the title block as "# key,value,unit" rows, then each section's titles, units and
// rows; every number reads back to the model's unrounded value.
TEST(ProcessReport, CsvHasTheTitleBlockAndReadsBackExactly) {
    const ProcessSet set = AirHandlingUnit();
    const std::string today = QDate::currentDate().toString(Qt::ISODate).toStdString();
    const tables::Table table = ProcessTables(set, kSI, today);
    const std::filesystem::path file = std::filesystem::temp_directory_path() /
                                       ("hygrovane-report-" + std::to_string(::getpid()) + ".csv");
    ASSERT_TRUE(ExportProcessReportCsv(set, kSI, file.string()).has_value());
    std::ostringstream read;
    read << std::ifstream(file, std::ios::binary).rdbuf();
    std::filesystem::remove(file);
    const std::string csv = read.str();
    EXPECT_EQ(csv, tables::TableCsv(table));
    EXPECT_EQ(csv.rfind("# altitude,300,m\n# pressure,", 0), 0u) << csv.substr(0, 80);
    EXPECT_NE(csv.find("\n# formulation,Hyland-Wexler,\n# units,SI,\n# date," + today + ",\n"),
              std::string::npos);
    EXPECT_NE(
        csv.find("\nPoint,DB,WB,RH,W,h,DP,v,Flow,Source\n,°C,°C,%,g/kg,kJ/kg,°C,m³/kg,m³/h,\n"),
        std::string::npos);
    // The first point's row: its name quoted, then the unrounded figures.
    const tables::Section& points = *table.Find(kPointsSection);
    const std::size_t at = csv.find("\n\"Outdoor, air\",");
    ASSERT_NE(at, std::string::npos);
    std::string line = csv.substr(at + 16, csv.find('\n', at + 1) - at - 16);
    std::vector<std::string> cells;
    for (std::size_t from = 0;;) {
        const std::size_t comma = line.find(',', from);
        cells.push_back(line.substr(from, comma - from));
        if (comma == std::string::npos) {
            break;
        }
        from = comma + 1;
    }
    ASSERT_EQ(cells.size(), points.columns.size() - 1);
    for (std::size_t c = 0; c + 1 < cells.size(); ++c) {
        EXPECT_EQ(text::ParseNumber(cells[c]), points.rows[0].cells[c + 1].value) << c;
    }
}

} // namespace
} // namespace hygrovane::processfile
