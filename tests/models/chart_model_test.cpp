// The chart window's state without a window: the range history as the user's gestures leave it,
// a pan as one step, reset and the remembered preferences.
#include "models/calculator/calculate.h"
#include "models/calculator/unit_presets.h"
#include "models/chart_model.h"

#include <gtest/gtest.h>

namespace hygrovane::models {
namespace {

using chart::ChartRange;

MainWindowView StartedView() {
    static AmbientForm form = [] {
        AmbientForm f;
        for (int n = 1; n <= kMainComboCount; ++n) {
            f.Combo(n).listIndex = PresetPosition(n, UnitSystem::Metric);
        }
        f.menu_metric.checked = true;
        Calculate(f);
        return f;
    }();
    return ViewOf(form);
}

// Kelvin and kg/kg, as the chart keeps them.
const ChartRange kNear{283.15, 303.15, 0.002, 0.015};
const ChartRange kFar{273.15, 313.15, 0.0, 0.025};
const ChartRange kPanned{285.15, 305.15, 0.003, 0.016};

enum class Step { Choose, ChooseDefault, Pan, Undo, Reset };
struct Gesture {
    const char* name;
    std::vector<Step> steps;
    std::optional<ChartRange> chosenAfter;
    std::size_t undosLeft; // how many undos succeed after the steps
};

TEST(ChartModelHistory, EachGestureLeavesOneStepToUndo) {
    const std::vector<Gesture> gestures{
        {"one choice", {Step::Choose}, kNear, 1},
        {"choosing the same range twice is one step", {Step::Choose, Step::Choose}, kNear, 1},
        {"back to the default is a step", {Step::Choose, Step::ChooseDefault}, std::nullopt, 2},
        {"a pan is one step however far it moves", {Step::Pan}, kPanned, 1},
        {"undo goes back", {Step::Choose, Step::Undo}, std::nullopt, 0},
        {"undo with nothing left changes nothing", {Step::Undo}, std::nullopt, 0},
        {"reset keeps the range left for undo", {Step::Choose, Step::Reset}, std::nullopt, 2},
    };
    for (const Gesture& g : gestures) {
        SCOPED_TRACE(g.name);
        ChartModel model(StartedView());
        model.follow(StartedView());
        for (Step step : g.steps) {
            switch (step) {
            case Step::Choose:
                model.chooseRange(kNear);
                break;
            case Step::ChooseDefault:
                model.chooseRange(std::nullopt);
                break;
            case Step::Pan:
                model.startPan();
                model.panTo(ChartRange{284.15, 304.15, 0.0025, 0.0155});
                model.follow(StartedView());
                model.panTo(kPanned);
                break;
            case Step::Undo:
                model.undoRange();
                break;
            case Step::Reset:
                model.reset();
                break;
            }
            model.follow(StartedView());
        }
        EXPECT_EQ(model.chosenRange(), g.chosenAfter);
        std::size_t undone = 0;
        while (model.undoRange()) {
            ++undone;
        }
        EXPECT_EQ(undone, g.undosLeft);
    }
}

TEST(ChartModelHistory, APanThatNeverMovesLeavesNothingToUndo) {
    ChartModel model(StartedView());
    model.follow(StartedView());
    const ChartRange shown = model.range();
    model.startPan();
    model.panTo(shown);
    EXPECT_EQ(model.chosenRange(), shown);
    EXPECT_FALSE(model.undoRange());
}

TEST(ChartModelFollow, ADefaultRangeFollowsTheMainWindowAndAChosenOneStays) {
    ChartModel model(StartedView());
    EXPECT_EQ(model.follow(StartedView()), ChartModel::Change::Chart) << "the title is new";
    EXPECT_EQ(model.follow(StartedView()), ChartModel::Change::Nothing);
    model.chooseRange(kFar);
    EXPECT_EQ(model.follow(StartedView()), ChartModel::Change::Chart);
    EXPECT_EQ(model.range(), kFar);
    EXPECT_TRUE(model.statePoint().has_value());
    EXPECT_TRUE(model.note().empty());
}

TEST(ChartModelPreferences, WhatIsRememberedComesBackAsItWas) {
    ChartModel model(StartedView());
    model.chooseRange(kNear);
    model.showFamily(chart::Family::WetBulb, false);
    ASSERT_TRUE(model.chooseProjection(chart::Projection::Mollier));
    EXPECT_FALSE(model.chooseProjection(chart::Projection::Mollier)) << "already chosen";
    ASSERT_TRUE(model.showPercentageSaturation(true));
    ASSERT_TRUE(model.markPoint({293.15, 0.008}, "Room").has_value());
    EXPECT_EQ(model.marksLayer().points.size(), 1u);
    EXPECT_EQ(model.shownTitle().heading.rfind("Mollier h–x diagram", 0), 0u);

    ChartModel again(StartedView());
    again.applyPreferences(model.preferences());
    EXPECT_EQ(again.preferences(), model.preferences());
    EXPECT_EQ(again.marksLayer().points.size(), 1u);

    again.reset();
    EXPECT_EQ(again.preferences(), ChartModel(StartedView()).preferences());
    EXPECT_TRUE(again.marksLayer().points.empty());
}

} // namespace
} // namespace hygrovane::models
