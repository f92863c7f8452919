#pragma once

#include "chart/chart.h"
#include "chart/chart_navigation.h"
#include "chart/chart_preferences.h"
#include "chart/marked_points.h"
#include "models/calculator/main_window_view.h"
#include "models/main_window_chart.h"

#include <optional>
#include <string>

namespace hygrovane::models {

// The chart window's state without Qt: the chart of the main window's settings, the range chosen
// on it with its undo history and the pan under way, the marked points, the projection, the
// overlays asked for, and what of it is remembered between runs. The window shows it and turns
// the user's gestures into its commands.
class ChartModel {
  public:
    explicit ChartModel(const MainWindowView& view);

    const chart::Chart& chart() const { return chart_; }
    const chart::ChartSettings& settings() const { return chart_.settings(); }
    const chart::ChartUnits& units() const { return chart_.units(); }
    const chart::ChartRange& range() const { return chart_.range(); }

    // What a follow of the main window changed, so that the view repaints no more than needed.
    enum class Change { Nothing, StateMark, Chart };
    // Takes the main window's pressure, formulation, units and state; the default range (none
    // chosen) follows the pressure.
    Change follow(const MainWindowView& view);
    // The heading names the projection; what follows it (the standard chart chosen) stays.
    ChartTitle shownTitle() const;
    const std::optional<chart::ChartPoint>& statePoint() const { return statePoint_; }
    // Why no state is marked; empty when one is.
    const std::string& note() const { return note_; }

    // The range chosen on the chart (none: the default of the main window's units), as the main
    // window's view of itself is followed next. The range left is kept for undoRange().
    const std::optional<chart::ChartRange>& chosenRange() const { return chosenRange_; }
    void chooseRange(const std::optional<chart::ChartRange>& range);
    // Back to the range before the last change; false when there is none to go back to.
    bool undoRange();
    bool canUndo() const { return !history_.empty(); }
    // A pan is one step of the history, taken when it first moves the chart.
    void startPan();
    void panTo(const chart::ChartRange& moved);
    // The range the pan under way started from; none when no pan is.
    std::optional<chart::ChartRange> panStart() const;

    bool comfortZones() const { return comfortZones_; }
    void showComfortZones(bool shown) { comfortZones_ = shown; }
    bool protractor() const { return protractor_; }
    void showProtractor(bool shown) { protractor_ = shown; }
    void showFamily(chart::Family family, bool shown);
    // false when it was shown so already.
    bool showPercentageSaturation(bool shown);
    // Whether the h–x diagram draws its isotherms through the fog region (else leaves it blank).
    bool fogIsotherms() const { return fogIsotherms_; }
    // false when it was so already.
    bool showFogIsotherms(bool shown);
    chart::Projection projection() const { return projection_; }
    // false when it was chosen already.
    bool chooseProjection(chart::Projection projection);

    const chart::MarkedPoints& marks() const { return marks_; }
    // The marks as drawn.
    const chart::Overlay& marksLayer() const { return marksLayer_; }
    Expected<Done, chart::MarkFailure> markPoint(chart::ChartPoint at, const std::string& name);
    Expected<Done, chart::MarkFailure> renameMark(std::size_t index, const std::string& name);
    Expected<Done, chart::MarkFailure> removeMark(std::size_t index);

    // What is remembered of the window now, and the window as remembered.
    chart::ChartPreferences preferences() const;
    void applyPreferences(const chart::ChartPreferences& preferences);
    // The defaults, with the chosen range left kept for undo.
    void reset();

  private:
    chart::Chart chart_;
    std::optional<chart::ChartRange> chosenRange_;
    ChartTitle title_;
    std::optional<chart::ChartPoint> statePoint_;
    std::string note_;
    bool comfortZones_ = false;
    bool protractor_ = false;
    chart::RangeHistory history_;
    // The last pan: the range and the choice it started from, and whether it is in the history.
    struct Pan {
        chart::ChartRange range;
        std::optional<chart::ChartRange> chosen;
        bool remembered = false;
    };
    std::optional<Pan> pan_;
    chart::MarkedPoints marks_;
    chart::Overlay marksLayer_;
    std::string density_{chart::kDensities.front()};
    chart::Projection projection_ = chart::Projection::Psychrometric;
    bool fogIsotherms_ = true;
};

} // namespace hygrovane::models
