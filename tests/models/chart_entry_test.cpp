// A state picked on the chart reaches the main window as typed input.
#include "display/number_text.h"
#include "models/ambient_model.h"
#include "models/fake_platform.h"

#include <gtest/gtest.h>

namespace hygrovane::models {
namespace {

TEST(ChartEntry, APickedStateIsTypedIntoTheDryBulbAndHumidityRatioBoxes) {
    const struct {
        const char* name;
        UnitSystem system; // Customized: K and g/kg
        double dryBulb, humidityRatio;
        const char* text1;
        const char* text3;
    } rows[] = {
        {"Metric", UnitSystem::Metric, 303.15, 0.012, "30", ".012"},
        {"British", UnitSystem::British, 303.15, 0.0123456, "86", ".01235"},
        {"K and g/kg", UnitSystem::Customized, 290.04, 0.00512, "290", "5.12"},
        // Rounding would carry these past the dry bulb's limit and past saturation.
        {"hottest", UnitSystem::Customized, 373.15, 0.001, "373.1", "1"},
        {"above saturation", UnitSystem::Customized, 298.15, 0.0201597, "298.2", "20.14"},
    };
    for (const auto& row : rows) {
        testing::FakePlatform platform;
        AmbientModel window(platform);
        window.Form_Load();
        if (row.system == UnitSystem::British) {
            window.menu_british_Click();
            window.form().Text2.text = "14.696"; // the pressure retyped in PSI
            window.Text_Change(2);
        } else if (row.system == UnitSystem::Customized) {
            window.form().Combo1.listIndex = 1; // K
            window.Combo1_Click();
            window.form().Combo6.listIndex = 1; // g/kg
            window.Combo6_Click();
        }
        AmbientForm& form = window.form();
        const std::string relativeHumidity = form.Text4.text;
        form.CaseModified = false;
        window.enterChartState(row.dryBulb, row.humidityRatio);
        EXPECT_TRUE(form.Option1.value && !form.Option2.value) << row.name;
        EXPECT_FALSE(form.Text3.locked) << row.name;
        EXPECT_EQ(form.Text1.text, row.text1) << row.name;
        EXPECT_EQ(form.Text3.text, row.text3) << row.name;
        EXPECT_TRUE(form.CaseModified) << row.name;
        EXPECT_NE(form.Text12.text, "Error") << row.name;
        EXPECT_NE(form.Text4.text, relativeHumidity) << row.name << ": recalculated";
        EXPECT_LE(ReadNumber(form.Text3.text), ReadNumber(form.Label12.caption)) << row.name;
    }
}

TEST(ChartEntry, AConditionIsTypedAsTheQuantitiesItNames) {
    // The design condition's own humidity input is chosen and typed, so that the window computes
    // it at its own pressure; the dry bulb as a picked state's.
    const struct {
        const char* name;
        HumidityInput input;
        double value;
        int option, box;
        const char* typed;
    } rows[] = {
        {"wet bulb", HumidityInput::WetBulb, 273.15 + 23.974, 4, 6, "23.97"},
        {"dew point", HumidityInput::DewPoint, 273.15 + 20.2049, 3, 5, "20.2"},
        {"relative humidity", HumidityInput::RelativeHumidity, 0.4567, 2, 4, "45.7"},
        {"humidity ratio", HumidityInput::HumidityRatio, 0.012, 1, 3, ".012"},
    };
    for (const auto& row : rows) {
        testing::FakePlatform platform;
        AmbientModel window(platform);
        window.Form_Load();
        AmbientForm& form = window.form();
        form.Text2.text = "85"; // kPa, far from the sea-level hours
        window.Text_Change(2);
        window.enterState(273.15 + 32.2, row.input, row.value);
        EXPECT_TRUE(form.Option(row.option).value) << row.name;
        EXPECT_EQ(form.Text1.text, "32.2") << row.name;
        EXPECT_EQ(form.Text(row.box).text, row.typed) << row.name;
        EXPECT_EQ(form.Text2.text, "85") << row.name << ": the pressure stays";
        EXPECT_NE(form.Text12.text, "Error") << row.name;
    }
}

// A standard altitude chart chosen on the chart: the altitude becomes the pressure input, typed
// in the window's altitude unit, whole where it is whole, and the window recalculates.
TEST(ChartEntry, AnAltitudeIsTypedInTheAltitudeUnit) {
    const struct {
        const char* name;
        UnitSystem system;
        bool altitudeAlreadyTyped;
        double metres;
        const char* text10;
        double altitude; // m, as the window computes it from the typed text
    } rows[] = {
        {"whole metres", UnitSystem::Metric, false, 1500, "1500", 1500},
        {"to a hundredth of a metre", UnitSystem::Metric, false, 750.456, "750.46", 750.46},
        {"the altitude already the input", UnitSystem::Metric, true, 2250, "2250", 2250},
        {"whole feet", UnitSystem::British, false, 1524, "5000", 1524},
        {"to a hundredth of a foot", UnitSystem::British, false, 1500, "4921.26", 1500.00005},
    };
    for (const auto& row : rows) {
        testing::FakePlatform platform;
        AmbientModel window(platform);
        window.Form_Load();
        if (row.system == UnitSystem::British) {
            window.menu_british_Click();
        }
        if (row.altitudeAlreadyTyped) {
            window.Option9_Click();
        }
        AmbientForm& form = window.form();
        const std::string pressure = form.Text2.text;
        window.enterAltitude(row.metres);
        EXPECT_TRUE(form.Option9.value && !form.Option8.value) << row.name;
        EXPECT_FALSE(form.Text10.locked) << row.name;
        EXPECT_TRUE(form.Text2.locked) << row.name;
        EXPECT_EQ(form.Text10.text, row.text10) << row.name;
        const MainWindowView view = window.reader().view();
        EXPECT_EQ(view.pressureInput, PressureInput::Altitude) << row.name;
        EXPECT_NEAR(view.altitude, row.altitude, 1e-4) << row.name;
        EXPECT_NE(form.Text2.text, pressure) << row.name << ": recalculated";
        EXPECT_TRUE(view.computed) << row.name;
    }
}

} // namespace
} // namespace hygrovane::models
