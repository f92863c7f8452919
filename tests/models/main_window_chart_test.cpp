#include "chart/chart.h"
#include "models/calculator/calculate.h"
#include "models/calculator/unit_presets.h"
#include "models/main_window_chart.h"

#include <gtest/gtest.h>

namespace hygrovane::models {
namespace {

using namespace chart;

// 0 °F in °C, and the dry-air enthalpy there: the British chart counts enthalpy from it.
constexpr double kZeroFahrenheit = -160.0 / 9.0;
constexpr double kBritishDatumShift = -1.006 * kZeroFahrenheit; // kJ/kg
constexpr double kBtuPerKJ = 0.42992;

AmbientForm StartedForm(UnitSystem system) {
    AmbientForm form;
    for (int n = 1; n <= kMainComboCount; ++n) {
        form.Combo(n).listIndex = PresetPosition(n, system);
    }
    form.menu_metric.checked = system == UnitSystem::Metric;
    form.menu_british.checked = system == UnitSystem::British;
    form.menu_customized.checked = system == UnitSystem::Customized;
    Calculate(form);
    return form;
}

// The same air in a Metric and a British main window: one point of the chart, and readouts that
// agree after converting their units and the enthalpy datum.
TEST(ChartFromMainWindow, MetricAndBritishChartsOfTheSameAirAgreeAfterConversion) {
    AmbientForm metricForm = StartedForm(UnitSystem::Metric);
    AmbientForm britishForm = StartedForm(UnitSystem::British);
    britishForm.Text1.text = "77";         // 25 °C
    britishForm.Text2.text = "14.6959488"; // 101.325 kPa in PSI
    Calculate(britishForm);
    const auto metricPoint = StatePointOf(metricForm);
    const auto britishPoint = StatePointOf(britishForm);
    ASSERT_TRUE(metricPoint && britishPoint);
    EXPECT_EQ(metricPoint->dryBulb, metricForm.state.T);
    EXPECT_EQ(metricPoint->humidityRatio, metricForm.state.W);
    EXPECT_NEAR(britishPoint->dryBulb, metricPoint->dryBulb, 1e-4);
    EXPECT_NEAR(britishPoint->humidityRatio, metricPoint->humidityRatio, 1e-8);

    EXPECT_EQ(TitleOf(britishForm).air, "Barometric pressure 14.696 psia");
    const Chart metric(SettingsOf(metricForm, {}));
    const Chart british(SettingsOf(britishForm, {}));
    EXPECT_EQ(metric.units(), MetricUnits());
    EXPECT_EQ(british.units(), BritishUnits());
    const auto m = metric.readoutAt(*metricPoint);
    const auto b = british.readoutAt(*metricPoint);
    ASSERT_TRUE(m && b);
    const ChartUnits& mu = metric.units();
    const ChartUnits& bu = british.units();
    const MoistAirState& s = m->state;
    EXPECT_NEAR(bu.dryBulb.shown(s.ambient.dryBulb), mu.dryBulb.shown(s.ambient.dryBulb) * 1.8 + 32,
                1e-9);
    EXPECT_NEAR(bu.humidityRatio.shown(s.humidityRatio),
                mu.humidityRatio.shown(s.humidityRatio) * 7, 1e-9);
    EXPECT_NEAR(bu.enthalpy.shown(b->state.enthalpy),
                (mu.enthalpy.shown(s.enthalpy) + kBritishDatumShift) * kBtuPerKJ, 1e-9);
    EXPECT_NEAR(bu.specificVolume.shown(s.specificVolume),
                mu.specificVolume.shown(s.specificVolume) * 16.01846, 1e-9);
    // 0 °F dry air is the British zero; 0 °C air with liquid water the Metric one.
    EXPECT_NEAR(bu.enthalpy.shown(1.006 * kZeroFahrenheit), 0, 1e-9);
    EXPECT_EQ(metric.readoutText(*m),
              "Dry bulb 25.0 °C · W 9.88 g/kg · RH 50.0 % · Wet bulb 17.9 °C · Dew point 13.9 °C "
              "· h 50.3 kJ/kg · v 0.858 m³/kg");
    EXPECT_EQ(british.readoutText(*b),
              "Dry bulb 77.0 °F · W 69.2 grains/lb · RH 50.0 % · Wet bulb 64.2 °F · Dew point "
              "57.0 °F · h 29.3 Btu/lb · v 13.75 ft³/lb");
    EXPECT_EQ(metric.pointLabel(*metricPoint), "25.0 °C, 9.88 g/kg");
}

TEST(ChartFromMainWindow, SettingsTitleAndStateFollowTheMainWindow) {
    AmbientForm form = StartedForm(UnitSystem::Metric);
    ChartTitle title = TitleOf(form);
    EXPECT_EQ(title.air, "Barometric pressure 101.325 kPa");
    EXPECT_EQ(title.formulation, "IAPWS saturation formulation");
    EXPECT_EQ(title.program, "Hygrovane 1.1.1");

    form.Option8.value = false; // the altitude typed instead
    form.Option9.value = true;
    form.Text10.text = "1500";
    form.menu_IAPWS.checked = false;
    form.menu_HW.checked = true;
    form.Combo1.listIndex = 1; // K
    form.Combo6.listIndex = 0; // kg/kg
    form.menu_metric.checked = false;
    form.menu_customized.checked = true;
    form.Text1.text = "300";
    Calculate(form);
    const ChartSettings settings = SettingsOf(form, {});
    EXPECT_EQ(settings.pressure, form.state.P);
    EXPECT_NEAR(settings.pressure, 84556, 1);
    EXPECT_EQ(settings.formulation, SatFormulation::HylandWexler);
    EXPECT_EQ(settings.units.dryBulb.symbol, "K");
    EXPECT_EQ(settings.units.humidityRatio.symbol, "kg/kg");
    EXPECT_EQ(settings.range, MetricUnits().defaultRange);
    const ChartRange chosen{280, 300, 0.001, 0.02};
    EXPECT_EQ(SettingsOf(form, chosen).range, chosen);
    title = TitleOf(form);
    EXPECT_EQ(title.air, "Altitude 1500 m, pressure " + form.Text2.text + " kPa");
    EXPECT_EQ(title.formulation, "Hyland-Wexler saturation formulation");
    ASSERT_TRUE(StatePointOf(form));
    EXPECT_EQ(StatePointOf(form)->dryBulb, 300);

    form.Text1.text = "abc"; // the window shows an error: no point
    const CalculateOutcome outcome = Calculate(form);
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.error(), CalculateFailure::DryBulbOutOfRange);
    EXPECT_EQ(form.Text12.text, "Error");
    EXPECT_FALSE(form.computed);
    EXPECT_FALSE(StatePointOf(form));
}

// Customized lists in °F and °R (the other lists Metric, kg/kg among them): the chart shows the
// window's temperature and humidity-ratio units with the British range and 10-degree wet bulbs,
// and the enthalpy datum follows the enthalpy unit, not the temperature's.
TEST(ChartFromMainWindow, CustomizedFahrenheitAndRankineChartsShowTheWindowsUnits) {
    struct Row {
        const char* name;
        int temperaturePosition; // in Combo1: C, K, F, R
        int enthalpyPosition;    // in Combo16: kJ/kg, kcal/kg, btu/lb
        const char* readout;
        const char* datum;
    };
    const Row rows[] = {
        {"F with kJ/kg", 2, 0,
         "Dry bulb 77.0 °F · W 0.00988 kg/kg · RH 50.0 % · Wet bulb 64.2 °F · Dew point 57.0 °F · "
         "h 50.3 kJ/kg · v 0.858 m³/kg",
         "0 °C"},
        {"R with btu/lb", 3, 2,
         "Dry bulb 536.7 °R · W 0.00988 kg/kg · RH 50.0 % · Wet bulb 523.9 °R · Dew point 516.6 °R "
         "· h 29.3 Btu/lb · v 0.858 m³/kg",
         "0 °F"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AmbientForm form = StartedForm(UnitSystem::Metric);
        form.menu_metric.checked = false;
        form.menu_customized.checked = true;
        form.Combo1.listIndex = row.temperaturePosition;
        form.Combo16.listIndex = row.enthalpyPosition;
        // 25 °C typed in the new unit, so that the air is the Metric start's.
        form.Text1.text = row.temperaturePosition == 2 ? "77" : "536.67";
        ASSERT_TRUE(Calculate(form));
        const MainWindowView view = ViewOf(form);
        EXPECT_EQ(view.unitSystem, UnitSystem::Customized);
        const Chart chart(SettingsOf(view, {}));
        EXPECT_EQ(chart.units().defaultRange, BritishUnits().defaultRange);
        EXPECT_EQ(chart.units().wetBulbSteps, (LineSteps{1, 10})); // every 1 °F, labels every 10
        EXPECT_EQ(chart.units().datum, row.datum);
        const auto point = StatePointOf(view);
        ASSERT_TRUE(point);
        EXPECT_NEAR(point->dryBulb, 298.15, 1e-4);
        const auto readout = chart.readoutAt(*point);
        ASSERT_TRUE(readout);
        EXPECT_EQ(chart.readoutText(*readout), row.readout);
    }
}

} // namespace
} // namespace hygrovane::models
