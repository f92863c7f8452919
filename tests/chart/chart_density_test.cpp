// The chart's density: one tick generator for axes and families, handbook steps at the default
// ranges in SI and IP, steps that follow a zoom and the pressure, default ranges that keep the
// curve and the point on the chart from 5 kPa to 1000 kPa, and the standard altitude charts.
#include "chart/altitude_charts.h"
#include "chart/chart.h"
#include "hygrovane/moist_air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace hygrovane::chart {
namespace {

TEST(NiceTicks, FreeAndFixedStepModes) {
    const struct {
        const char* name;
        double low, high;
        int count;
        double unit;
        std::vector<double> values;
        int decimals;
    } rows[] = {
        {"free: the finest 1-2-5 step",
         -10,
         50,
         13,
         0,
         {-10, -5, 0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50},
         0},
        {"free: a decimal step", 0.3, 1.05, 5, 0, {0.4, 0.6, 0.8, 1.0}, 1},
        {"fixed: the unit itself", 0, 2, 10, 0.5, {0, 0.5, 1, 1.5, 2}, 1},
        {"fixed: widened to twice the unit", 0, 4, 5, 0.5, {0, 1, 2, 3, 4}, 0},
        {"fixed: widened to 5 x 0.05 keeps two decimals",
         15,
         16,
         5,
         0.05,
         {15, 15.25, 15.5, 15.75, 16},
         2},
        {"fixed: a single value where low equals high", 2, 2, 3, 1, {2}, 0},
        {"fixed: negative values counted from zero", -3.2, -1.1, 10, 1, {-3, -2}, 0},
    };
    for (const auto& row : rows) {
        const Ticks t = NiceTicks(row.low, row.high, row.count, row.unit);
        ASSERT_EQ(t.values.size(), row.values.size()) << row.name;
        for (std::size_t i = 0; i < t.values.size(); ++i) {
            EXPECT_NEAR(t.values[i], row.values[i], 1e-12) << row.name;
        }
        EXPECT_EQ(t.decimals, row.decimals) << row.name;
    }
    // Nothing to tick, rather than a hang or a crash.
    EXPECT_TRUE(NiceTicks(1, 0, 5).values.empty());
    EXPECT_TRUE(NiceTicks(0, INFINITY, 5).values.empty());
    EXPECT_TRUE(NiceTicks(0, 1, 5, NAN).values.empty());
    EXPECT_TRUE(NiceTicks(0, 1, 0, 0.1).values.empty());
}

// The spacing of each family: every step between neighbouring lines, and of labelled lines.
struct Spacing {
    double line = 0, label = 0;
    int lines = 0;
};
std::map<Family, Spacing> SpacingOf(const Chart& model) {
    std::map<Family, std::vector<const Curve*>> byFamily;
    for (const Curve& curve : model.geometry().curves) {
        byFamily[curve.family].push_back(&curve);
    }
    std::map<Family, Spacing> out;
    for (const auto& [family, curves] : byFamily) {
        Spacing& s = out[family];
        s.lines = static_cast<int>(curves.size());
        s.line = s.label = INFINITY;
        const Curve* lastLabelled = nullptr;
        for (std::size_t i = 0; i < curves.size(); ++i) {
            if (i > 0) {
                s.line = std::min(s.line, curves[i]->value - curves[i - 1]->value);
            }
            if (curves[i]->labelled) {
                if (lastLabelled != nullptr) {
                    s.label = std::min(s.label, curves[i]->value - lastLabelled->value);
                }
                lastLabelled = curves[i];
            }
        }
    }
    return out;
}

TEST(ChartDensity, HandbookStepsAtTheDefaultRangesFinerZoomedInCoarserZoomedOut) {
    const ChartRange si = MetricUnits().defaultRange;
    const ChartRange ip = BritishUnits().defaultRange;
    const ChartRange siHalf{283.15, 313.15, 0.005, 0.020};
    const ChartRange siDouble{243.15, 363.15, 0, 0.060};
    const struct {
        const char* name;
        ChartUnits units;
        ChartRange range;
        Family family;
        double line, label;
    } rows[] = {
        {"SI dry-bulb grid", MetricUnits(), si, Family::DryBulbGrid, 1, 5},
        {"SI humidity-ratio grid", MetricUnits(), si, Family::HumidityRatioGrid, 0.5, 2},
        {"SI wet bulb", MetricUnits(), si, Family::WetBulb, 1, 5},
        {"SI enthalpy", MetricUnits(), si, Family::Enthalpy, 2, 10},
        {"SI volume", MetricUnits(), si, Family::SpecificVolume, 0.01, 0.05},
        {"IP dry-bulb grid", BritishUnits(), ip, Family::DryBulbGrid, 1, 10},
        {"IP humidity-ratio grid", BritishUnits(), ip, Family::HumidityRatioGrid, 5, 20},
        {"IP wet bulb", BritishUnits(), ip, Family::WetBulb, 1, 10},
        {"IP enthalpy", BritishUnits(), ip, Family::Enthalpy, 0.5, 5},
        {"IP volume", BritishUnits(), ip, Family::SpecificVolume, 0.5, 0.5},
        {"SI zoomed in to half: dry bulb (an axis steps by 1-2-5)", MetricUnits(), siHalf,
         Family::DryBulbGrid, 0.5, 2},
        {"SI zoomed in to half: wet bulb", MetricUnits(), siHalf, Family::WetBulb, 0.5, 2.5},
        {"SI zoomed in to half: humidity ratio", MetricUnits(), siHalf, Family::HumidityRatioGrid,
         0.25, 1},
        {"SI zoomed out to twice: dry bulb", MetricUnits(), siDouble, Family::DryBulbGrid, 2, 10},
        {"SI zoomed out to twice: enthalpy", MetricUnits(), siDouble, Family::Enthalpy, 4, 20},
    };
    for (const auto& row : rows) {
        const Chart model({101325, SatFormulation::IAPWS, row.units, row.range});
        const Spacing s = SpacingOf(model).at(row.family);
        EXPECT_NEAR(s.line, row.line, 1e-9 * row.line) << row.name << ": " << s.lines << " lines";
        EXPECT_NEAR(s.label, row.label, 1e-9 * row.label) << row.name;
    }
    // Relative humidity: 2, 5 and every 10 %.
    const Chart metric;
    std::vector<double> percents;
    for (const Curve& curve : metric.geometry().curves) {
        if (curve.family == Family::RelativeHumidity) {
            percents.push_back(curve.value);
            EXPECT_TRUE(curve.labelled) << curve.label;
        }
    }
    EXPECT_EQ(percents, (std::vector<double>{2, 5, 10, 20, 30, 40, 50, 60, 70, 80, 90}));
    // The saturation-temperature scale: a mark every wet-bulb step on the curve, the labelled
    // ones where the labelled wet-bulb lines start.
    int labelledMarks = 0;
    for (const ScaleMark& mark : metric.geometry().saturationScale) {
        const double celsius = mark.at.dryBulb - 273.15;
        EXPECT_NEAR(celsius, std::round(celsius), 1e-4);
        EXPECT_EQ(mark.labelled, std::lround(celsius) % 5 == 0) << celsius;
        EXPECT_GT(mark.slope, 0);
        labelledMarks += mark.labelled ? 1 : 0;
    }
    EXPECT_GE(labelledMarks, 8); // -5 (or -10) to 30 °C: the curve leaves the top at 32 °C
}

// Whatever the zoom and the pressure, the axes step by 1, 2 or 5 times a power of ten (not
// 6.4, 7.2, 8.0 g/kg), each label a line of the grid.
TEST(ChartDensity, ZoomedAxesStepByOneTwoOrFive) {
    const auto oneTwoFive = [](double step) {
        const double m = step / std::pow(10.0, std::floor(std::log10(step) + 1e-9));
        return std::abs(m - 1) < 1e-6 || std::abs(m - 2) < 1e-6 || std::abs(m - 5) < 1e-6;
    };
    for (const double pressure : {5000.0, 80000.0, 101325.0, 1000000.0}) {
        for (const ChartUnits& units : {MetricUnits(), BritishUnits()}) {
            const ChartRange full = DefaultRangeAt(units.defaultRange, pressure);
            for (const double zoom : {1.0, 0.8, 0.6, 0.45, 0.3, 0.2, 0.12, 0.07, 0.03}) {
                SCOPED_TRACE(std::to_string(pressure) + " Pa, " + units.dryBulb.symbol + ", zoom " +
                             std::to_string(zoom));
                const double T = (full.dryBulbMin + full.dryBulbMax) / 2;
                const double W =
                    full.humidityRatioMin + 0.3 * (full.humidityRatioMax - full.humidityRatioMin);
                const double dT = zoom * (full.dryBulbMax - full.dryBulbMin) / 2;
                const double dW = zoom * (full.humidityRatioMax - full.humidityRatioMin) / 2;
                const Chart model({pressure,
                                   SatFormulation::IAPWS,
                                   units,
                                   {T - dT, T + dT, std::max(0.0, W - dW), W + dW}});
                for (const auto* ticks :
                     {&model.geometry().dryBulbTicks, &model.geometry().humidityRatioTicks}) {
                    ASSERT_GE(ticks->size(), 2U);
                    const double step = std::stod((*ticks)[1].label) - std::stod((*ticks)[0].label);
                    EXPECT_TRUE(oneTwoFive(step))
                        << (*ticks)[0].label << ", " << (*ticks)[1].label << ", ...";
                }
            }
        }
    }
}

// The default range follows the pressure: the saturation curve and a room's state stay on the
// chart and take more than its bottom quarter, from 5 kPa to 1000 kPa, SI and IP.
TEST(ChartDensity, DefaultRangesFollowThePressure) {
    const struct {
        double pressure;
        double factor; // of the sea-level top: 101325 / P to two figures
    } rows[] = {{5000, 20},  {20000, 5.1},   {80000, 1.3},  {84556, 1.2},
                {101325, 1}, {200000, 0.51}, {1000000, 0.1}};
    for (const auto& row : rows) {
        for (const ChartUnits& units : {MetricUnits(), BritishUnits()}) {
            SCOPED_TRACE(std::to_string(row.pressure) + " Pa, " + units.dryBulb.symbol);
            const ChartRange r = DefaultRangeAt(units.defaultRange, row.pressure);
            EXPECT_NEAR(r.humidityRatioMax,
                        std::min(0.5, units.defaultRange.humidityRatioMax * row.factor), 1e-12);
            EXPECT_EQ(r.dryBulbMin, units.defaultRange.dryBulbMin);
            // A room at 25 °C (77 °F) and 50 %: on the chart, above its bottom quarter.
            Conditions c;
            c.dryBulb = units.dryBulb.symbol == "°F" ? (77 + 459.67) / 1.8 : 298.15;
            c.pressure = row.pressure;
            const auto room = Solve(c);
            ASSERT_TRUE(room.has_value());
            EXPECT_TRUE(r.contains({room->ambient.dryBulb, room->humidityRatio}));
            EXPECT_GT(room->humidityRatio, r.humidityRatioMax / 4);
            // The saturation curve crosses the plot: saturated air at its coldest dry bulb lies
            // below the top and above the bottom quarter's tenth.
            Conditions cold = c;
            cold.dryBulb = r.dryBulbMin + 10;
            cold.humidity = 1;
            const auto saturated = Solve(cold);
            ASSERT_TRUE(saturated.has_value());
            EXPECT_LT(saturated->humidityRatio, r.humidityRatioMax);
        }
    }
    EXPECT_EQ(DefaultRangeAt(MetricUnits().defaultRange, 101325), MetricUnits().defaultRange);
    EXPECT_EQ(DefaultRangeAt(BritishUnits().defaultRange, 101325), BritishUnits().defaultRange);
    EXPECT_EQ(DefaultRangeAt(MetricUnits().defaultRange, NAN), MetricUnits().defaultRange);
}

TEST(AltitudeCharts, StandardChartsAndTheChartAPressureIsFor) {
    const auto metres = AltitudeCharts(false);
    const auto feet = AltitudeCharts(true);
    ASSERT_EQ(metres.size(), 4U);
    ASSERT_EQ(feet.size(), 4U);
    const struct {
        AltitudeChart chart;
        const char* name;
        double altitude, pressure; // m, Pa (the standard atmosphere, ASHRAE's table)
    } rows[] = {
        {metres[0], "Sea level", 0, 101325}, {metres[1], "750 m", 750, 92634},
        {metres[2], "1500 m", 1500, 84556},  {metres[3], "2250 m", 2250, 77058},
        {feet[0], "Sea level", 0, 101325},   {feet[1], "2500 ft", 762, 92492},
        {feet[2], "5000 ft", 1524, 84307},   {feet[3], "7500 ft", 2286, 76707},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.chart.name, row.name);
        EXPECT_NEAR(row.chart.altitude, row.altitude, 1e-9) << row.name;
        ASSERT_TRUE(row.chart.pressure) << row.name;
        EXPECT_NEAR(*row.chart.pressure, row.pressure, 40) << row.name;
        const auto found =
            AltitudeChartAt(*row.chart.pressure, row.name[row.name[0] == 'S' ? 0 : 5] == 'f');
        ASSERT_TRUE(found) << row.name;
        EXPECT_EQ(found->name, row.name);
    }
    // A pressure typed to three decimals of a kPa is the chart's; a few pascals off is not.
    ASSERT_TRUE(AltitudeChartAt(84556, false));
    EXPECT_EQ(AltitudeChartAt(84556, false)->name, "1500 m");
    EXPECT_FALSE(AltitudeChartAt(84556 + 5, false));
    EXPECT_EQ(AltitudeChartAt(101325, true)->name, "Sea level");
    // A feet chart is found on a metric chart too, and the other way round.
    EXPECT_EQ(AltitudeChartAt(*feet[2].pressure, false)->name, "5000 ft");
    EXPECT_EQ(AltitudeChartAt(*metres[2].pressure, true)->name, "1500 m");
    EXPECT_FALSE(AltitudeChartAt(90000, false));
}

} // namespace
} // namespace hygrovane::chart
