// What the main window tells its neighbours: its units after the user's choices, its pressure
// input, and the outcome of each calculation with the check that stopped it.
#include "display/number_text.h"
#include "models/ambient_model.h"
#include "models/calculator/calculate.h"
#include "models/calculator/main_window_view.h"
#include "models/fake_platform.h"

#include <gtest/gtest.h>

#include <functional>

namespace hygrovane::models {
namespace {

class MainWindowViewTest : public ::testing::Test {
  protected:
    void SetUp() override { window.Form_Load(); }
    AmbientForm& form() { return window.form(); }
    MainWindowView view() const { return ViewOf(window.form()); }

    testing::FakePlatform platform;
    AmbientModel window{platform};
};

// The unit each list shows after the Metric and the British menu command: the units a user of
// each system expects, the same for every temperature and for both pressures.
TEST_F(MainWindowViewTest, EachUnitSystemShowsItsUnitForEveryQuantity) {
    struct Row {
        const char* quantity;
        std::string ShownUnits::*unit;
        const char* metric;
        const char* british;
    };
    const Row rows[] = {
        {"dry bulb", &ShownUnits::dryBulb, "C", "F"},
        {"dew point", &ShownUnits::dewPoint, "C", "F"},
        {"wet bulb", &ShownUnits::wetBulb, "C", "F"},
        {"barometric pressure", &ShownUnits::pressure, "kPa", "PSI"},
        {"partial pressure", &ShownUnits::partialPressure, "kPa", "PSI"},
        {"altitude", &ShownUnits::altitude, "m", "ft"},
        {"humidity ratio", &ShownUnits::humidityRatio, "(kg moisture)/(kg dry air)",
         "(lb moisture)/(lb dry air)"},
        {"absolute humidity", &ShownUnits::absoluteHumidity, "(kg moisture)/m^3",
         "(lb moisture)/ft^3"},
        {"gas constant", &ShownUnits::gasConstant, "kJ/kg-K", "btu/lb-R"},
        {"molecular weight", &ShownUnits::molecularWeight, "kg/kmol", "lbm/lbmol"},
        {"density", &ShownUnits::density, "kg/m^3", "lb/ft^3"},
        {"specific volume", &ShownUnits::specificVolume, "m^3/kg (dry air)", "ft^3/lb (dry air)"},
        {"enthalpy", &ShownUnits::enthalpy, "kJ/kg (dry air)", "btu/lb (dry air)"},
    };
    const struct {
        const char* command;
        std::function<void()> run;
        UnitSystem system;
        const char* Row::*expected;
    } systems[] = {
        {"at start-up", [] {}, UnitSystem::Metric, &Row::metric},
        {"British", [&] { window.menu_british_Click(); }, UnitSystem::British, &Row::british},
        {"Metric again", [&] { window.menu_metric_Click(); }, UnitSystem::Metric, &Row::metric},
    };
    for (const auto& system : systems) {
        SCOPED_TRACE(system.command);
        system.run();
        const MainWindowView shown = view();
        EXPECT_EQ(shown.unitSystem, system.system);
        for (const Row& row : rows) {
            EXPECT_EQ(shown.units.*row.unit, row.*system.expected) << row.quantity;
        }
        for (HumidityInput percent : {HumidityInput::RelativeHumidity, HumidityInput::MoleFraction,
                                      HumidityInput::MassFraction}) {
            EXPECT_EQ(shown.units.of(percent), "%");
        }
        EXPECT_EQ(shown.units.of(HumidityInput::DewPoint), shown.units.dewPoint);
        for (int percentList : {5, 8, 9}) {
            EXPECT_EQ(form().Combo(percentList).text(), "%") << "list " << percentList;
        }
    }

    // A list moved off the preset makes the system Customized, with the unit picked.
    form().Combo1.listIndex = 1;
    window.Combo1_Click();
    EXPECT_EQ(view().unitSystem, UnitSystem::Customized);
    EXPECT_EQ(view().units.dryBulb, "K");
}

TEST_F(MainWindowViewTest, PressureInputAndFormulationAreTheWindowsChoice) {
    EXPECT_EQ(view().pressureInput, PressureInput::Barometric);
    EXPECT_EQ(view().pressure, 101325);
    EXPECT_EQ(view().formulation, SatFormulation::IAPWS);
    window.Option9_Click();
    form().Text10.text = "1500";
    window.Text10_Change();
    window.menu_HW_Click();
    EXPECT_EQ(view().pressureInput, PressureInput::Altitude);
    EXPECT_EQ(view().altitude, 1500);
    EXPECT_NEAR(view().pressure, 84556, 1);
    EXPECT_EQ(view().formulation, SatFormulation::HylandWexler);
}

// Every check a calculation can stop at: the outcome names it, the window shows its error
// display, and no state is offered to the neighbours until a calculation succeeds again.
TEST_F(MainWindowViewTest, CalculateNamesTheCheckThatStoppedIt) {
    const CalculateOutcome started = Calculate(form());
    ASSERT_TRUE(started);
    EXPECT_NEAR(started->dryBulb, 298.15, 1e-4);
    EXPECT_EQ(started->input, HumidityInput::RelativeHumidity);
    EXPECT_DOUBLE_EQ(started->inputValue, 0.5);
    EXPECT_EQ(started->humidityRatio, form().state.W);
    ASSERT_TRUE(view().computed);
    EXPECT_EQ(view().computed->humidityRatio, started->humidityRatio);

    struct Row {
        const char* name;
        const char* box;
        TextBox AmbientForm::*text;
        const char* typed;
        CalculateFailure failure;
        const char* list; // the second line of List1
    };
    const Row rows[] = {
        {"dry bulb not a number", "Text1", &AmbientForm::Text1, "abc",
         CalculateFailure::DryBulbOutOfRange, "The quantity which has been indicated"},
        {"dry bulb above its Maximum", "Text1", &AmbientForm::Text1, "1000",
         CalculateFailure::DryBulbOutOfRange, "The quantity which has been indicated"},
        {"pressure below its Minimum", "Text2", &AmbientForm::Text2, "0",
         CalculateFailure::PressureOutOfRange, "The quantity which has been indicated"},
        {"relative humidity above 100 %", "Text4", &AmbientForm::Text4, "101",
         CalculateFailure::HumidityInputOutOfRange, "The quantity which has been indicated"},
        // Water boils at 100 °C a little above 101.325 kPa: saturated air would need more.
        {"saturation pressure above the ambient pressure", "Text1", &AmbientForm::Text1, "100",
         CalculateFailure::SaturationPressureTooHigh, "The partial pressure of water vapor"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string kept = (form().*row.text).text;
        (form().*row.text).text = row.typed;
        const CalculateOutcome outcome = Calculate(form());
        ASSERT_FALSE(outcome);
        EXPECT_EQ(outcome.error(), row.failure);
        EXPECT_EQ(form().Text12.text, "Error");
        ASSERT_GE(form().List1.items.size(), 2U);
        EXPECT_EQ(form().List1.items[1], row.list);
        EXPECT_FALSE(view().computed);
        (form().*row.text).text = kept;
        EXPECT_TRUE(Calculate(form())) << "the typed text put back computes again";
        EXPECT_TRUE(view().computed);
    }
}

// A window without a selected humidity input shows nothing new; the state on screen stays the
// one offered.
TEST_F(MainWindowViewTest, NoHumidityInputChangesNothingOffered) {
    const MainWindowView before = view();
    form().Option2.value = false;
    const CalculateOutcome outcome = Calculate(form());
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), CalculateFailure::NoHumidityInput);
    ASSERT_TRUE(view().computed);
    EXPECT_EQ(view().computed->humidityRatio, before.computed->humidityRatio);
    EXPECT_NE(form().Text12.text, "Error");
}

// A neighbour's reader sees the window as it stands at each call, and calculates the inputs as
// they stand now without touching the window: an input chosen since the last calculation counts,
// and a window without a chosen input offers no state, whatever its screen still shows.
TEST_F(MainWindowViewTest, TheReaderCalculatesTheInputsAsTheyStandAndLeavesTheWindow) {
    const MainWindowReader reader = window.reader();
    window.Option3_Click(); // the dew point, as the last calculation wrote it
    const std::string relativeHumidity = form().Text4.text;
    const CalculateOutcome now = reader.calculatedNow();
    ASSERT_TRUE(now);
    EXPECT_EQ(now->input, HumidityInput::DewPoint);
    EXPECT_NEAR(now->inputValue - 273.15, ReadNumber(form().Text5.text), 0.01);
    EXPECT_EQ(reader.view().computed->input, HumidityInput::RelativeHumidity) << "not recalculated";
    EXPECT_EQ(form().Text4.text, relativeHumidity);

    form().Option3.value = false;
    EXPECT_FALSE(reader.calculatedNow());
    EXPECT_TRUE(reader.view().computed);

    window.menu_british_Click();
    EXPECT_EQ(reader.view().units.dryBulb, "F") << "the same reader follows the window";
}

} // namespace
} // namespace hygrovane::models
