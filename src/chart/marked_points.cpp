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

std::string MarkFaultText(MarkFault fault) {
    switch (fault) {
    case MarkFault::EmptyName:
        return "A marked point needs a name.";
    case MarkFault::LongName:
        return "A marked point's name may have at most 40 characters.";
    case MarkFault::ControlInName:
        return "A marked point's name must be one line without tabs.";
    case MarkFault::HiddenInName:
        return "A marked point's name cannot hold invisible characters or ones that turn the "
               "direction of the text.";
    case MarkFault::NotText:
        return "A marked point's name must be UTF-8 text.";
    case MarkFault::NameTaken:
        return "Another marked point has this name.";
    case MarkFault::TooMany:
        return "The chart keeps at most 100 marked points.";
    case MarkFault::NotOnChart:
        return "The point is not on the chart.";
    case MarkFault::NoSuchPoint:
        return "The marked point no longer exists.";
    }
    return {};
}

Expected<std::string, MarkFault> MarkedPoints::checkedName(const std::string& name,
                                                           std::size_t except) const {
    const std::string trimmed = Trimmed(name);
    if (trimmed.empty()) {
        return MarkFault::EmptyName;
    }
    // The same characters a process set's point names refuse: a line separator or a
    // right-to-left override would make one name look like another, or like none.
    const auto points = units::CodePoints(trimmed);
    if (!points) {
        return MarkFault::NotText;
    }
    if (std::any_of(points->begin(), points->end(), units::IsControl)) {
        return MarkFault::ControlInName;
    }
    if (std::any_of(points->begin(), points->end(), units::IsInvisible)) {
        return MarkFault::HiddenInName;
    }
    if (points->size() > kLongestMarkName) {
        return MarkFault::LongName;
    }
    for (std::size_t i = 0; i < points_.size(); ++i) {
        if (i != except && points_[i].name == trimmed) {
            return MarkFault::NameTaken;
        }
    }
    return trimmed;
}

Expected<std::size_t, MarkFault> MarkedPoints::add(ChartPoint at, const std::string& name) {
    if (points_.size() >= kMostMarks) {
        return MarkFault::TooMany;
    }
    if (!OnChart(at)) {
        return MarkFault::NotOnChart;
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
        return checked.failure();
    }
    points_.push_back({*checked, at});
    return points_.size() - 1;
}

Expected<Done, MarkFault> MarkedPoints::rename(std::size_t index, const std::string& name) {
    if (index >= points_.size()) {
        return MarkFault::NoSuchPoint;
    }
    const auto checked = checkedName(name, index);
    if (!checked) {
        return checked.failure();
    }
    points_[index].name = *checked;
    return Done{};
}

Expected<Done, MarkFault> MarkedPoints::remove(std::size_t index) {
    if (index >= points_.size()) {
        return MarkFault::NoSuchPoint;
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
