#pragma once

#include "chart/overlay.h"
#include "hygrovane/expected.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::chart {

// A state kept on the chart under a name of the user's.
struct MarkedPoint {
    std::string name;
    ChartPoint at;

    friend bool operator==(const MarkedPoint&, const MarkedPoint&) = default;
};

// Why a marked point was not added, renamed or removed.
enum class MarkFailureKind {
    EmptyName,     // nothing but spaces
    LongName,      // more than kLongestMarkName characters
    ControlInName, // a line break, a tab or another control character or line separator
    HiddenInName,  // a character that shows nothing or turns the text's direction
    NotText,       // not valid UTF-8
    NameTaken,     // another point has the name
    TooMany,       // kMostMarks points are kept already
    NotOnChart,    // the point is not a number or beyond the chart's limits
    NoSuchPoint,   // the index names no point
};

struct MarkFailure {
    MarkFailureKind kind = MarkFailureKind::NoSuchPoint;

    friend bool operator==(const MarkFailure&, const MarkFailure&) = default;
};

// The sentence a window shows for a failure.
std::string Describe(const MarkFailure& failure);

// The marked points of a chart, in the order they were added. Every command either does what
// it says or changes nothing.
class MarkedPoints {
  public:
    static constexpr std::size_t kMostMarks = 100;
    static constexpr std::size_t kLongestMarkName = 40; // characters

    // Adds a point; an empty name gets the first free of "M1", "M2", ... The index it got.
    Expected<std::size_t, MarkFailure> add(ChartPoint at, const std::string& name = {});
    Expected<Done, MarkFailure> rename(std::size_t index, const std::string& name);
    Expected<Done, MarkFailure> remove(std::size_t index);
    void clear() { points_.clear(); }

    const std::vector<MarkedPoint>& all() const { return points_; }
    // The point within reach pixels of a pixel, the nearest first; none when none is.
    // (Pixels come from the caller's mapping, so this stays free of any view.)
    template <typename ToPixel>
    std::optional<std::size_t> near(double x, double y, double reach, ToPixel toPixel) const;

    // The points as a layer of the chart: a mark with the name beside each.
    Overlay overlay() const;

    friend bool operator==(const MarkedPoints&, const MarkedPoints&) = default;

  private:
    // The name trimmed, or why it cannot be one; except names no point (for a rename).
    Expected<std::string, MarkFailure> checkedName(const std::string& name,
                                                   std::size_t except) const;

    std::vector<MarkedPoint> points_;
};

template <typename ToPixel>
std::optional<std::size_t> MarkedPoints::near(double x, double y, double reach,
                                              ToPixel toPixel) const {
    std::optional<std::size_t> nearest;
    double best = reach * reach;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        const auto p = toPixel(points_[i].at);
        const double d = (p.x - x) * (p.x - x) + (p.y - y) * (p.y - y);
        if (d <= best) {
            best = d;
            nearest = i;
        }
    }
    return nearest;
}

} // namespace hygrovane::chart
