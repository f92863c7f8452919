// The batch output in window digits equals, text for text, what the main window shows after
// typing the same inputs: the real AmbientForm and Calculate are the reference.
#include "batch_support.h"

#include "display/number_text.h"
#include "models/calculator/ambient_form.h"
#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"
#include "models/calculator/unit_presets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <sstream>

namespace hygrovane::batch {
namespace {

using testing::Cells;
using testing::Lines;

struct Typed {
    std::string dryBulb, pressure, humidity;
};

// The window with the unit system's units, the formulation and the inputs chosen.
AmbientForm Window(UnitSystem system, SatFormulation formulation, const HumidityRow& row,
                   bool altitude) {
    AmbientForm form;
    for (int n = 1; n <= kMainComboCount; ++n) {
        form.Combo(n).listIndex = PresetPosition(n, system);
    }
    // Customized: a unit of each list that neither system takes.
    for (const auto& [combo, unit] : std::map<int, std::string>{{1, "R"},
                                                                {2, "mm Hg"},
                                                                {3, "K"},
                                                                {4, "R"},
                                                                {6, "(g moisture)/(kg dry air)"},
                                                                {7, "(g moisture)/m^3"},
                                                                {10, "mile"},
                                                                {11, "mBar"},
                                                                {14, "g/cm^3"},
                                                                {15, "cm^3/g (dry air)"},
                                                                {16, "kcal/kg (dry air)"}}) {
        if (system == UnitSystem::Customized) {
            const auto& items = form.Combo(combo).items;
            form.Combo(combo).listIndex =
                static_cast<int>(std::find(items.begin(), items.end(), unit) - items.begin());
        }
    }
    form.menu_customized.checked = system == UnitSystem::Customized;
    form.menu_metric.checked = system == UnitSystem::Metric;
    form.menu_british.checked = system == UnitSystem::British;
    form.menu_IAPWS.checked = formulation == SatFormulation::IAPWS;
    form.menu_HW.checked = formulation == SatFormulation::HylandWexler;
    form.Option8.value = !altitude;
    form.Option9.value = altitude;
    for (const HumidityRow& other : kHumidityRows) {
        form.Option(other.option).value = other.option == row.option;
    }
    return form;
}

void Type(AmbientForm& form, const HumidityRow& row, bool altitude, const Typed& typed) {
    form.Text1.text = typed.dryBulb;
    form.Text(altitude ? 10 : 2).text = typed.pressure;
    form.Text(row.box).text = typed.humidity;
    Calculate(form);
}

// Humidity texts to type at one dry bulb and pressure: both captions (accepted at the rounded
// value), a value between them, and values just beyond them.
std::vector<std::string> HumidityTexts(AmbientForm& form, const HumidityRow& row, bool altitude,
                                       const Typed& ambient) {
    Type(form, row, altitude, {ambient.dryBulb, ambient.pressure, "0"});
    const std::string low = form.Labels(row.minimumLabel).caption;
    const std::string high = form.Labels(row.maximumLabel).caption;
    if (!IsNumeric(low) || !IsNumeric(high)) {
        return {"1"};
    }
    const double a = ReadNumber(low);
    const double b = ReadNumber(high);
    const double step = std::max((b - a) * 1e-4, 1e-9);
    return {low,
            high,
            RoundedText(a + (b - a) * 0.37, 4),
            RoundedText(a + (b - a) * 0.999, 6),
            RoundedText(b + step, 9),
            RoundedText(a - step, 9),
            "abc",
            ""};
}

struct Scenario {
    UnitSystem system;
    SatFormulation formulation;
    bool altitude;
};

std::string SystemName(UnitSystem system) {
    return system == UnitSystem::Metric    ? "Metric"
           : system == UnitSystem::British ? "British"
                                           : "Customized";
}

std::string Name(const Scenario& s, const HumidityRow& row) {
    return SystemName(s.system) + " " +
           (s.formulation == SatFormulation::IAPWS ? "IAPWS " : "HW ") +
           (s.altitude ? "altitude " : "pressure ") + std::string(row.caption);
}

class WindowDigits : public ::testing::TestWithParam<Scenario> {};

TEST_P(WindowDigits, EveryHumidityInputGivesTheWindowsTexts) {
    const Scenario s = GetParam();
    using Texts = std::vector<std::string>;
    const bool metric = s.system == UnitSystem::Metric;
    const bool british = s.system == UnitSystem::British;
    const Texts dryBulbs = metric    ? Texts{"-100", "-40.5", "0", "0.01", "21.3", "60", "100"}
                           : british ? Texts{"-148", "-40", "32", "70.5", "140", "212"}
                                     : Texts{"311.67", "491.67", "530.1", "671.67"};
    const Texts pressures = s.altitude ? (metric    ? Texts{"0", "1500", "-5000", "11000"}
                                          : british ? Texts{"0", "5000", "36089.239"}
                                                    : Texts{"0", "1.2", "-3.107", "6.835"})
                            : metric   ? Texts{"101.325", "85.3", "5", "1000"}
                            : british  ? Texts{"14.696", "12.1", ".7252"}
                                       : Texts{"760", "37.503", "7500.638"};
    const int pressureCombo = s.altitude ? 10 : 2;

    for (const HumidityRow& row : kHumidityRows) {
        SCOPED_TRACE(Name(s, row));
        AmbientForm form = Window(s.system, s.formulation, row, s.altitude);
        const std::string humidityUnit = row.percent ? "%" : form.Combo(row.combo).text();
        std::vector<Typed> rows;
        for (const std::string& t : dryBulbs) {
            for (const std::string& p : pressures) {
                for (const std::string& h : HumidityTexts(form, row, s.altitude, {t, p, ""})) {
                    rows.push_back({t, p, h});
                }
            }
        }
        std::string input = "T,P,H\n";
        for (const Typed& typed : rows) {
            input += typed.dryBulb + "," + typed.pressure + "," + typed.humidity + "\n";
        }
        const std::string kind = std::vector<std::string>{
            "", "w", "rh", "dp", "wb", "ah", "x", "mass", "", "", "pw"}[row.option];
        std::vector<std::string> options{"--units",
                                         british ? "british" : "metric",
                                         "--formulation",
                                         s.formulation == SatFormulation::IAPWS ? "iapws" : "hw",
                                         "--composition",
                                         "--temperature",
                                         "T:" + form.Combo1.text(),
                                         "--humidity",
                                         kind + "=H:" + humidityUnit,
                                         s.altitude ? "--altitude" : "--pressure",
                                         "P:" + form.Combo(pressureCombo).text()};
        for (const auto& [quantity, combo] : std::map<std::string, int>{{"dew-point", 3},
                                                                        {"wet-bulb", 4},
                                                                        {"humidity-ratio", 6},
                                                                        {"absolute-humidity", 7},
                                                                        {"partial-pressure", 11},
                                                                        {"pressure", 2},
                                                                        {"altitude", 10},
                                                                        {"density", 14},
                                                                        {"specific-volume", 15},
                                                                        {"enthalpy", 16}}) {
            if (s.system == UnitSystem::Customized) {
                options.push_back("--unit");
                options.push_back(quantity + "=" + form.Combo(combo).text());
            }
        }
        std::string error;
        const std::vector<std::string> out = Lines(testing::Convert(input, options, 2, &error));
        ASSERT_EQ(out.size(), rows.size() + 1) << error;
        std::map<std::string, std::size_t> column;
        const std::vector<std::string> header = Cells(out[0]);
        for (std::size_t i = 0; i < header.size(); ++i) {
            column[header[i].substr(0, header[i].find(" ["))] = i;
        }

        for (std::size_t i = 0; i < rows.size(); ++i) {
            Type(form, row, s.altitude, rows[i]);
            const std::vector<std::string> cells = Cells(out[i + 1]);
            const std::string& status = cells.back();
            const std::string what = rows[i].dryBulb + " / " + rows[i].pressure + " / \"" +
                                     rows[i].humidity + "\": " + status;
            if (form.List1.items.at(0) == "Error!") {
                ASSERT_NE(status, "ok") << what;
                if (form.List1.items.at(1) == "The partial pressure of water vapor") {
                    EXPECT_EQ(status,
                              "The partial pressure of water vapor exceeds the ambient pressure.")
                        << what;
                } else if (form.Text(row.box).background == colours::kErrorRed &&
                           IsNumeric(rows[i].humidity)) {
                    EXPECT_EQ(status, std::string(row.caption) + " out of allowable range (" +
                                          form.Labels(row.minimumLabel).caption + " to " +
                                          form.Labels(row.maximumLabel).caption + " " +
                                          humidityUnit + ")")
                        << what;
                }
                continue;
            }
            ASSERT_EQ(status, "ok") << what;
            for (const HumidityRow& other : kHumidityRows) {
                if (other.option != row.option) {
                    EXPECT_EQ(cells.at(column.at(std::string(other.caption))),
                              form.Text(other.box).text)
                        << other.caption << " at " << what;
                }
            }
            EXPECT_EQ(cells.at(column.at(s.altitude ? "Barometric Pressure"
                                                    : "Altitude above Sea Level")),
                      form.Text(s.altitude ? 2 : 10).text)
                << what;
            EXPECT_EQ(cells.at(column.at("Density")), form.Text14.text) << what;
            EXPECT_EQ(cells.at(column.at("Specific Volume")), form.Text15.text) << what;
            EXPECT_EQ(cells.at(column.at("Specific Enthalpy")), form.Text16.text) << what;
            // List1's composition lines: species, %Vol., %Wgt.
            for (std::size_t item = form.List1.items.size() - 5; item < form.List1.items.size();
                 ++item) {
                std::istringstream line(form.List1.items[item]);
                std::string species, byVolume, byMass;
                line >> species >> byVolume >> byMass;
                EXPECT_EQ(cells.at(column.at(species + " by Volume")), byVolume) << what;
                EXPECT_EQ(cells.at(column.at(species + " by Mass")), byMass) << what;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    UnitSystemsFormulationsAndPressureSources, WindowDigits,
    ::testing::Values(Scenario{UnitSystem::Metric, SatFormulation::IAPWS, false},
                      Scenario{UnitSystem::Metric, SatFormulation::HylandWexler, false},
                      Scenario{UnitSystem::British, SatFormulation::IAPWS, false},
                      Scenario{UnitSystem::British, SatFormulation::HylandWexler, false},
                      Scenario{UnitSystem::Metric, SatFormulation::IAPWS, true},
                      Scenario{UnitSystem::British, SatFormulation::HylandWexler, true},
                      Scenario{UnitSystem::Customized, SatFormulation::IAPWS, false},
                      Scenario{UnitSystem::Customized, SatFormulation::HylandWexler, true}),
    [](const auto& info) {
        const Scenario& s = info.param;
        return SystemName(s.system) +
               (s.formulation == SatFormulation::IAPWS ? "Iapws" : "HylandWexler") +
               (s.altitude ? "Altitude" : "Pressure");
    });

} // namespace
} // namespace hygrovane::batch
