#include "chart/marked_points.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::chart {

namespace {

// The number of characters of UTF-8 text: every byte but a continuation byte starts one.
std::size_t Characters(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

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
    if (std::any_of(trimmed.begin(), trimmed.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; })) {
        return MarkFault::ControlInName;
    }
    if (Characters(trimmed) > kLongestMarkName) {
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
