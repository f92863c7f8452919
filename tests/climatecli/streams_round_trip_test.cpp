// A year through the unit written by --unit-hourly and read back as logged streams, through the
// command line's own reader: the outdoor-air fraction, the exchanger's effectiveness and the
// coil's loads of the run come back to 1e-9.
#include "program_support.h"
#include "text_lines.h"

#include "hygrovane/relations.h"
#include "loggerfile/logger_series.h"
#include "streams/judgement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace hygrovane::climatecli {
namespace {

using namespace testing;
using streams::IndexOf;
using streams::StreamName;

// Chicago's year through a unit with a wheel and an enthalpy economizer, no filter.
constexpr const char* kUnit = R"({"room": {"dryBulb": 24, "relativeHumidity": 50},
 "supply": {"dryBulb": 13, "maxDewPoint": 11, "minDewPoint": 2},
 "flow": {"value": 10000, "unit": "m3/h"},
 "minOutdoorFraction": 0.2,
 "economizer": {"kind": "differential-enthalpy"},
 "recovery": {"sensible": 0.75, "latent": 0.6},
 "coilLeavingRelativeHumidity": 95, "steamTemperature": 100})";

std::vector<std::string> CellsOf(const std::string& line) {
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        cells.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) {
            return cells;
        }
        start = comma + 1;
    }
}

double NumberOr(const std::string& cell, double otherwise) {
    return cell.empty() ? otherwise : std::stod(cell);
}

double Enthalpy(double t, double W) {
    return *EnthalpyAt(t + kCelsiusOffset, W);
}

TEST(StreamsRoundTrip, TheHourlyNodesOfAYearGiveBackItsFractionEffectivenessAndCoilLoads) {
    const std::string folder = TemporaryFolder();
    WriteText(folder + "/UNIT.json", kUnit);
    const std::string hourly = folder + "/hours.csv";
    const Ran ran = RunProgram({ChicagoPath(), "--unit", folder + "/UNIT.json", "--unit-hourly",
                                hourly, "-o", folder + "/out.txt"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const std::string text = TextOf(hourly);

    // The streams as the mapping of the guide names them: the cooling coil's leaving air is the
    // unit's supply to the coil's formulas.
    const auto read = loggerfile::ReadLoggerStreams(
        text, {"outdoor", "return", "mixed", "after recovery", "off-coil"});
    ASSERT_TRUE(read.has_value()) << climate::Describe(read.error());
    streams::StreamSet set;
    const StreamName names[] = {StreamName::Outdoor, StreamName::Return, StreamName::Mixed,
                                StreamName::AfterRecovery, StreamName::Supply};
    for (std::size_t k = 0; k < 5; ++k) {
        EXPECT_EQ(read->series[k].humidityInput, HumidityInput::HumidityRatio) << k;
        set[IndexOf(names[k])] = read->series[k];
    }

    const std::vector<std::string> lines = hygrovane::testing::LinesOf(text);
    ASSERT_EQ(lines.size(), 8761u);
    std::map<std::string, std::size_t> column;
    const std::vector<std::string> header = CellsOf(lines[0]);
    for (std::size_t c = 0; c < header.size(); ++c) {
        column[header[c]] = c;
    }
    const double massFlow = std::stod(CellsOf(lines[1])[column.at("dry-air flow (kg/s)")]);

    streams::JudgementSettings settings;
    settings.massFlow = massFlow;
    settings.leastDryBulbDifference = 0.01;
    settings.leastHumidityRatioDifference = 1e-5;
    settings.leastEnthalpyDifference = 0.01;
    const streams::StreamJudgement j = streams::Judge(set, {}, settings);
    ASSERT_EQ(j.steps.size(), 8760u);

    std::size_t fractions = 0, sensible = 0, latent = 0, total = 0;
    for (std::size_t i = 0; i < j.steps.size(); ++i) {
        const std::vector<std::string> row = CellsOf(lines[i + 1]);
        ASSERT_EQ(row[column.at("status")], "on") << i;
        const auto value = [&](const char* name, double otherwise = NAN) {
            return NumberOr(row[column.at(name)], otherwise);
        };
        const streams::StepFigures& f = j.steps[i];
        // The run's flow is a volume at the room state: its mass follows each hour's pressure.
        // The loads scale with it.
        const double m = value("dry-air flow (kg/s)");
        const double scale = m / massFlow;
        if (!std::isnan(f.outdoorFraction)) {
            ++fractions;
            EXPECT_NEAR(f.outdoorFraction, value("outdoor fraction"), 1e-9) << "hour " << i;
        }
        const double k = value("wheel speed", 0);
        if (!std::isnan(f.effectivenessSensible)) {
            ++sensible;
            EXPECT_NEAR(f.effectivenessSensible, 0.75 * k, 1e-9) << "hour " << i;
        }
        if (!std::isnan(f.effectivenessLatent)) {
            ++latent;
            EXPECT_NEAR(f.effectivenessLatent, 0.6 * k, 1e-9) << "hour " << i;
        }
        if (!std::isnan(f.effectivenessTotal)) {
            ++total;
            const double hOutdoor =
                Enthalpy(value("outdoor dry bulb (°C)"), value("outdoor humidity ratio (kg/kg)"));
            const double hReturn =
                Enthalpy(value("return dry bulb (°C)"), value("return humidity ratio (kg/kg)"));
            const double recovered =
                value("recovered heating (kW)") - value("recovered cooling (kW)");
            EXPECT_NEAR(f.effectivenessTotal,
                        recovered / (m * value("outdoor fraction") * (hReturn - hOutdoor)), 1e-9)
                << "hour " << i;
        }
        // From the mixed air to the cooling coil's leaving air: the heating coil between them.
        EXPECT_NEAR(f.coilTotalKW * scale, value("cooling (kW)") - value("heating (kW)"), 1e-9)
            << i;
        EXPECT_NEAR(f.coilSensibleKW * scale,
                    value("cooling sensible (kW)") - value("heating (kW)"), 1e-9)
            << i;
        EXPECT_NEAR(f.coilLatentKW * scale, value("cooling latent (kW)"), 1e-9) << i;
        EXPECT_NEAR(f.condensateKgS * scale * 3600, value("condensate (kg/h)"), 1e-9) << i;
    }
    // Nearly every hour has each figure: only where the two ends lie closer than the least
    // differences is it left out.
    EXPECT_EQ(fractions, 8760u);
    EXPECT_EQ(sensible, 8760u);
    EXPECT_GE(latent, 8750u);
    EXPECT_GE(total, 8750u);
}

} // namespace
} // namespace hygrovane::climatecli
