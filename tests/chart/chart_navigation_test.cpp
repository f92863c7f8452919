// Moving around the chart without a window: a pan follows the mouse and stops at the limits
// with its span kept, a box zooms to what it covers but never narrower than allowed, the undo
// history steps back through the ranges left, and hidden families leave the geometry.
#include "chart/chart.h"
#include "chart/chart_navigation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace hygrovane::chart {
namespace {

// A 600 x 300 plot at (100, 50): 10 px per K and 10 px per g/kg at the default range.
const PixelRect kPlot{100, 50, 600, 300};
const ChartRange kDefault{263.15, 323.15, 0, 0.030};

void ExpectRange(const ChartRange& r, const ChartRange& expected) {
    EXPECT_NEAR(r.dryBulbMin, expected.dryBulbMin, 1e-9);
    EXPECT_NEAR(r.dryBulbMax, expected.dryBulbMax, 1e-9);
    EXPECT_NEAR(r.humidityRatioMin, expected.humidityRatioMin, 1e-12);
    EXPECT_NEAR(r.humidityRatioMax, expected.humidityRatioMax, 1e-12);
}

TEST(Panned, TheChartFollowsTheMouseAndStopsAtTheLimits) {
    const struct {
        const char* name;
        ChartRange start;
        PixelPoint from, to;
        ChartRange expected;
    } rows[] = {
        {"no movement", kDefault, {400, 200}, {400, 200}, kDefault},
        // Dragging right by 50 px brings 5 K of lower dry bulbs into view.
        {"right shows lower dry bulbs",
         kDefault,
         {400, 200},
         {450, 200},
         {258.15, 318.15, 0, 0.030}},
        {"up shows lower humidity ratios",
         {263.15, 323.15, 0.010, 0.040},
         {400, 200},
         {400, 170},
         {263.15, 323.15, 0.007, 0.037}},
        {"down shows higher humidity ratios",
         kDefault,
         {400, 200},
         {400, 300},
         {263.15, 323.15, 0.010, 0.040}},
        // The humidity ratio cannot go below dry air: the pan stops there, span kept.
        {"up stops at dry air", kDefault, {400, 200}, {400, 100}, kDefault},
        {"up stops part way",
         {263.15, 323.15, 0.002, 0.032},
         {400, 200},
         {400, 150},
         {263.15, 323.15, 0, 0.030}},
        // Only the blocked axis stops; the other still follows.
        {"diagonal into a limit",
         {263.15, 323.15, 0.002, 0.032},
         {400, 200},
         {350, 100},
         {268.15, 328.15, 0, 0.030}},
        {"right stops at the lowest dry bulb",
         {178.15, 238.15, 0, 0.030},
         {400, 200},
         {600, 200},
         {173.15, 233.15, 0, 0.030}},
        {"left stops at the highest dry bulb",
         {303.15, 363.15, 0, 0.030},
         {400, 200},
         {100, 200},
         {313.15, 373.15, 0, 0.030}},
        {"a mouse far outside is a pan to the limit",
         {303.15, 363.15, 0, 0.030},
         {400, 200},
         {-1e9, 200},
         {313.15, 373.15, 0, 0.030}},
        {"a NaN pixel leaves the range",
         kDefault,
         {400, 200},
         {std::numeric_limits<double>::quiet_NaN(), 200},
         kDefault},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const ChartRange r = Panned(ChartMapping(row.start, kPlot), row.from, row.to);
        ExpectRange(r, row.expected);
        EXPECT_NEAR(r.dryBulbMax - r.dryBulbMin, row.start.dryBulbMax - row.start.dryBulbMin, 1e-9)
            << "span kept";
    }
}

TEST(BoxZoomed, TheBoxBecomesTheRangeWithinTheNarrowestSpanAndThePlot) {
    const struct {
        const char* name;
        PixelPoint corner, opposite;
        std::optional<ChartRange> expected;
    } rows[] = {
        // x 200..400 is 0..20 °C; y 150..250 is 20..10 g/kg.
        {"drawn down and right", {200, 150}, {400, 250}, ChartRange{273.15, 293.15, 0.010, 0.020}},
        {"drawn up and left", {400, 250}, {200, 150}, ChartRange{273.15, 293.15, 0.010, 0.020}},
        {"cut at the plot's edges", {0, 0}, {400, 250}, ChartRange{263.15, 293.15, 0.010, 0.030}},
        {"the whole plot", {100, 50}, {700, 350}, kDefault},
        // 6 px across is 0.6 K: widened about its centre to 1 K.
        {"narrower than 1 K", {400, 150}, {406, 250}, ChartRange{292.95, 293.95, 0.010, 0.020}},
        // 6 px high is 0.6 g/kg: kept.
        {"taller than 0.1 g/kg", {200, 200}, {400, 206}, ChartRange{273.15, 293.15, 0.0144, 0.015}},
        {"a click with Ctrl", {400, 200}, {402, 201}, std::nullopt},
        {"a line, not a box", {200, 200}, {400, 200}, std::nullopt},
        {"outside the plot", {710, 10}, {800, 40}, std::nullopt},
        {"a NaN corner", {std::numeric_limits<double>::quiet_NaN(), 200}, {400, 250}, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto r = BoxZoomed(ChartMapping(kDefault, kPlot), row.corner, row.opposite);
        ASSERT_EQ(r.has_value(), row.expected.has_value());
        if (r) {
            ExpectRange(*r, *row.expected);
        }
    }
}

// At a deep zoom a box of a few pixels spans less than 0.1 g/kg: widened to exactly that.
TEST(BoxZoomed, AtADeepZoomTheNarrowestHumiditySpanIsKept) {
    const ChartRange deep{293.15, 295.15, 0.0100, 0.0103};
    // 50 px high is 0.05 g/kg here.
    const auto r = BoxZoomed(ChartMapping(deep, kPlot), {200, 100}, {500, 150});
    ASSERT_TRUE(r);
    EXPECT_NEAR(r->humidityRatioMax - r->humidityRatioMin, kNarrowestHumidityRatioSpan, 1e-15);
    EXPECT_GE(r->dryBulbMax - r->dryBulbMin, kNarrowestDryBulbSpan - 1e-12);
    EXPECT_TRUE(CheckedRange(*r)) << "a range the fields would take";
}

TEST(RangeHistory, StepsBackThroughTheRangesLeftNewestFirst) {
    RangeHistory history;
    EXPECT_FALSE(history.undo()) << "nothing to undo at first";
    const ChartRange a{273.15, 303.15, 0, 0.02};
    const ChartRange b{283.15, 293.15, 0.005, 0.01};
    history.leave(std::nullopt); // the default range, left for a
    history.leave(a);
    history.leave(a); // a second step from the same range is one step
    history.leave(b);
    EXPECT_EQ(history.size(), 3U);
    const std::optional<RangeHistory::Chosen> expected[] = {b, a, std::nullopt};
    for (const auto& range : expected) {
        const auto undone = history.undo();
        ASSERT_TRUE(undone);
        EXPECT_EQ(*undone, range);
    }
    EXPECT_FALSE(history.undo());
}

TEST(RangeHistory, KeepsTheNewestStepsUpToItsDepth) {
    RangeHistory history;
    for (std::size_t n = 0; n < RangeHistory::kDepth + 10; ++n) {
        history.leave(ChartRange{273.15, 283.15 + static_cast<double>(n), 0, 0.01});
    }
    EXPECT_EQ(history.size(), RangeHistory::kDepth);
    EXPECT_EQ((*history.undo())->dryBulbMax, 283.15 + RangeHistory::kDepth + 9);
    std::optional<RangeHistory::Chosen> oldest;
    while (const auto step = history.undo()) {
        oldest = step;
    }
    EXPECT_EQ((**oldest).dryBulbMax, 283.15 + 10) << "the first ten forgotten";
}

TEST(ChartModelFamilies, AHiddenFamilyLeavesTheGeometryAndComesBack) {
    Chart model;
    const auto count = [&](Family family) {
        return std::count_if(model.geometry().curves.begin(), model.geometry().curves.end(),
                             [&](const Curve& c) { return c.family == family; });
    };
    const auto all = model.geometry().curves.size();
    const long wetBulbs = count(Family::WetBulb);
    ASSERT_GT(wetBulbs, 0);
    FamilySet families;
    families.show(Family::WetBulb, false);
    families.show(Family::Saturation, false);
    const int before = model.computations();
    model.setFamilies(families);
    EXPECT_GT(model.computations(), before) << "a view knows to redraw";
    EXPECT_EQ(count(Family::WetBulb), 0);
    EXPECT_EQ(count(Family::Saturation), 0);
    EXPECT_GT(count(Family::Enthalpy), 0);
    // A change of settings keeps the families hidden.
    ChartSettings settings = model.settings();
    settings.pressure = 80000;
    model.setSettings(settings);
    EXPECT_EQ(count(Family::WetBulb), 0);
    model.setSettings(ChartSettings{});
    model.setFamilies(FamilySet{});
    EXPECT_EQ(model.geometry().curves.size(), all);
    EXPECT_EQ(count(Family::WetBulb), wetBulbs);
}

} // namespace
} // namespace hygrovane::chart
