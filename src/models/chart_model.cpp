#include "models/chart_model.h"

#include "chart/altitude_charts.h"

namespace hygrovane::models {

namespace {

const char* const kErrorNote = "The main window shows an error: no state is marked.";

// Charts in °F or °R are offered the altitudes in feet.
bool Feet(const chart::ChartUnits& units) {
    return units.dryBulb.symbol == "°F" || units.dryBulb.symbol == "°R";
}

} // namespace

ChartModel::ChartModel(const MainWindowView& view) : chart_(SettingsOf(view, std::nullopt)) {}

ChartModel::Change ChartModel::follow(const MainWindowView& view) {
    const int computed = chart_.computations();
    const ChartTitle title = title_;
    const std::string note = note_;
    const std::optional<chart::ChartPoint> point = statePoint_;
    chart::ChartSettings settings = SettingsOf(view, chosenRange_);
    if (!chosenRange_) { // the default range follows the pressure
        settings.range = chart::DefaultRangeAt(settings.units.defaultRange, settings.pressure);
    }
    chart_.setSettings(settings);
    title_ = TitleOf(view);
    if (const auto standard = chart::AltitudeChartAt(settings.pressure, Feet(settings.units))) {
        title_.heading += " · " + standard->name + " standard chart";
    }
    statePoint_ = StatePointOf(view);
    note_ = statePoint_ ? std::string() : std::string(kErrorNote);
    if (chart_.computations() != computed || title_.air != title.air ||
        title_.formulation != title.formulation || title_.heading != title.heading) {
        return Change::Chart;
    }
    return statePoint_ != point || note_ != note ? Change::StateMark : Change::Nothing;
}

ChartTitle ChartModel::shownTitle() const {
    ChartTitle shown = title_;
    const std::string psychrometric = "Psychrometric chart";
    if (projection_ == chart::Projection::Mollier && shown.heading.starts_with(psychrometric)) {
        shown.heading.replace(0, psychrometric.size(), "Mollier h–x diagram");
    }
    return shown;
}

void ChartModel::chooseRange(const std::optional<chart::ChartRange>& range) {
    if (range != chosenRange_) {
        history_.leave(chosenRange_);
    }
    chosenRange_ = range;
}

bool ChartModel::undoRange() {
    const auto previous = history_.undo();
    if (!previous) {
        return false;
    }
    chosenRange_ = *previous;
    return true;
}

void ChartModel::startPan() {
    pan_ = Pan{chart_.range(), chosenRange_, false};
}

void ChartModel::panTo(const chart::ChartRange& moved) {
    if (!pan_) {
        return;
    }
    if (!pan_->remembered && !(moved == chart_.range())) {
        history_.leave(pan_->chosen);
        pan_->remembered = true;
    }
    chosenRange_ = moved;
}

std::optional<chart::ChartRange> ChartModel::panStart() const {
    return pan_ ? std::optional(pan_->range) : std::nullopt;
}

void ChartModel::showFamily(chart::Family family, bool shown) {
    chart::FamilySet families = chart_.families();
    families.show(family, shown);
    chart_.setFamilies(families);
}

bool ChartModel::showPercentageSaturation(bool shown) {
    if (shown == chart_.percentageSaturation()) {
        return false;
    }
    chart_.setPercentageSaturation(shown);
    return true;
}

bool ChartModel::showFogIsotherms(bool shown) {
    if (shown == fogIsotherms_) {
        return false;
    }
    fogIsotherms_ = shown;
    return true;
}

bool ChartModel::chooseProjection(chart::Projection projection) {
    if (projection == projection_) {
        return false;
    }
    projection_ = projection;
    return true;
}

Expected<Done, chart::MarkFailure> ChartModel::markPoint(chart::ChartPoint at,
                                                         const std::string& name) {
    const auto added = marks_.add(at, name);
    if (!added) {
        return Fail(added.error());
    }
    marksLayer_ = marks_.overlay();
    return Done{};
}

Expected<Done, chart::MarkFailure> ChartModel::renameMark(std::size_t index,
                                                          const std::string& name) {
    auto renamed = marks_.rename(index, name);
    if (renamed) {
        marksLayer_ = marks_.overlay();
    }
    return renamed;
}

Expected<Done, chart::MarkFailure> ChartModel::removeMark(std::size_t index) {
    auto removed = marks_.remove(index);
    if (removed) {
        marksLayer_ = marks_.overlay();
    }
    return removed;
}

chart::ChartPreferences ChartModel::preferences() const {
    chart::ChartPreferences kept;
    kept.range = chosenRange_;
    kept.families = chart_.families();
    kept.density = density_;
    kept.projection = std::string(chart::ProjectionName(projection_));
    kept.percentageSaturation = chart::kPercentageSaturation[chart_.percentageSaturation() ? 1 : 0];
    kept.fogRegion = chart::kFogRegion[fogIsotherms_ ? 0 : 1];
    kept.marks = marks_;
    return kept;
}

void ChartModel::applyPreferences(const chart::ChartPreferences& preferences) {
    chosenRange_ = preferences.range;
    chart_.setFamilies(preferences.families);
    density_ = preferences.density;
    projection_ =
        chart::ProjectionNamed(preferences.projection).value_or(chart::Projection::Psychrometric);
    chart_.setPercentageSaturation(preferences.percentageSaturation ==
                                   chart::kPercentageSaturation[1]);
    fogIsotherms_ = preferences.fogRegion != chart::kFogRegion[1];
    marks_ = preferences.marks;
    marksLayer_ = marks_.overlay();
}

void ChartModel::reset() {
    if (chosenRange_) {
        history_.leave(chosenRange_);
    }
    applyPreferences({});
    chosenRange_.reset();
}

} // namespace hygrovane::models
