#include "chart/marked_points.h"

#include "units/name_text.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::chart {

namespace {

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool OnChart(ChartPoint at) {
    return kLowestChartDryBulb <= at.dryBulb && at.dryBulb <= kHighestChartDryBulb &&
           0 <= at.humidityRatio && at.humidityRatio <= kHighestChartHumidityRatio;
}

// The marks' colour: a dark magenta, apart from the state point's and the processes' colours.
constexpr std::uint8_t kRed = 150, kGreen = 30, kBlue = 140;

} // namespace

std::string Describe(const MarkFailure& failure) {
    switch (failure.kind) {
    case MarkFailureKind::EmptyName:
        return "A marked point needs a name.";
    case MarkFailureKind::LongName:
        return "A marked point's name may have at most 40 characters.";
    case MarkFailureKind::ControlInName:
        return "A marked point's name must be one line without tabs.";
    case MarkFailureKind::HiddenInName:
        return "A marked point's name cannot hold invisible characters or ones that turn the "
               "direction of the text.";
    case MarkFailureKind::NotText:
        return "A marked point's name must be UTF-8 text.";
    case MarkFailureKind::NameTaken:
        return "Another marked point has this name.";
    case MarkFailureKind::TooMany:
        return "The chart keeps at most 100 marked points.";
    case MarkFailureKind::NotOnChart:
        return "The point is not on the chart.";
    case MarkFailureKind::NoSuchPoint:
        return "The marked point no longer exists.";
    }
    return {};
}

Expected<std::string, MarkFailure> MarkedPoints::checkedName(const std::string& name,
                                                             std::size_t except) const {
    const std::string trimmed = Trimmed(name);
    if (trimmed.empty()) {
        return Fail(MarkFailure{MarkFailureKind::EmptyName});
    }
    // The same characters a process set's point names refuse: a line separator or a
    // right-to-left override would make one name look like another, or like none.
    const auto points = units::CodePoints(trimmed);
    if (!points) {
        return Fail(MarkFailure{MarkFailureKind::NotText});
    }
    if (std::any_of(points->begin(), points->end(), units::IsControl)) {
        return Fail(MarkFailure{MarkFailureKind::ControlInName});
    }
    if (std::any_of(points->begin(), points->end(), units::IsInvisible)) {
        return Fail(MarkFailure{MarkFailureKind::HiddenInName});
    }
    if (points->size() > kLongestMarkName) {
        return Fail(MarkFailure{MarkFailureKind::LongName});
    }
    for (std::size_t i = 0; i < points_.size(); ++i) {
        if (i != except && points_[i].name == trimmed) {
            return Fail(MarkFailure{MarkFailureKind::NameTaken});
        }
    }
    return trimmed;
}

Expected<std::size_t, MarkFailure> MarkedPoints::add(ChartPoint at, const std::string& name) {
    if (points_.size() >= kMostMarks) {
        return Fail(MarkFailure{MarkFailureKind::TooMany});
    }
    if (!OnChart(at)) {
        return Fail(MarkFailure{MarkFailureKind::NotOnChart});
    }
    std::string given = name;
    // With at most kMostMarks points one of the first kMostMarks + 1 numbers is free.
    for (std::size_t n = 1; Trimmed(given).empty() && n <= kMostMarks + 1; ++n) {
        const std::string candidate = "M" + std::to_string(n);
        if (std::none_of(points_.begin(), points_.end(),
                         [&](const MarkedPoint& p) { return p.name == candidate; })) {
            given = candidate;
        }
    }
    const auto checked = checkedName(given, points_.size());
    if (!checked) {
        return Fail(checked.error());
    }
    points_.push_back({*checked, at});
    return points_.size() - 1;
}

Expected<Done, MarkFailure> MarkedPoints::rename(std::size_t index, const std::string& name) {
    if (index >= points_.size()) {
        return Fail(MarkFailure{MarkFailureKind::NoSuchPoint});
    }
    const auto checked = checkedName(name, index);
    if (!checked) {
        return Fail(checked.error());
    }
    points_[index].name = *checked;
    return Done{};
}

Expected<Done, MarkFailure> MarkedPoints::remove(std::size_t index) {
    if (index >= points_.size()) {
        return Fail(MarkFailure{MarkFailureKind::NoSuchPoint});
    }
    points_.erase(points_.begin() + static_cast<std::ptrdiff_t>(index));
    return Done{};
}

Overlay MarkedPoints::overlay() const {
    Overlay layer;
    layer.red = kRed;
    layer.green = kGreen;
    layer.blue = kBlue;
    for (const MarkedPoint& p : points_) {
        layer.points.push_back({p.at, p.name, false});
    }
    return layer;
}

} // namespace hygrovane::chart
