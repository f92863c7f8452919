#include "chart/chart_navigation.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::chart {

namespace {

// [low, high] moved by shift, stopped where it would pass [lowest, highest].
void Shift(double& low, double& high, double shift, double lowest, double highest) {
    // A range already beyond a limit (not produced here) may still move back, never further.
    const double moved =
        std::clamp(shift, std::min(0.0, lowest - low), std::max(0.0, highest - high));
    if (!std::isfinite(moved)) {
        return;
    }
    low += moved;
    high += moved;
}

} // namespace

ChartRange Panned(const ChartMapping& atStart, PixelPoint from, PixelPoint to) {
    const ChartPoint a = atStart.toChart(from);
    const ChartPoint b = atStart.toChart(to);
    ChartRange r = atStart.range();
    // The paper follows the mouse: dragging to the right shows lower dry bulbs.
    Shift(r.dryBulbMin, r.dryBulbMax, a.dryBulb - b.dryBulb, kLowestChartDryBulb,
          kHighestChartDryBulb);
    Shift(r.humidityRatioMin, r.humidityRatioMax, a.humidityRatio - b.humidityRatio, 0,
          kHighestChartHumidityRatio);
    return r;
}

std::optional<ChartRange> BoxZoomed(const ChartMapping& mapping, PixelPoint corner,
                                    PixelPoint opposite) {
    const PixelRect& plot = mapping.plot();
    const auto cut = [](double x, double low, double high) { return std::clamp(x, low, high); };
    const double left = cut(std::min(corner.x, opposite.x), plot.left, plot.left + plot.width);
    const double right = cut(std::max(corner.x, opposite.x), plot.left, plot.left + plot.width);
    const double top = cut(std::min(corner.y, opposite.y), plot.top, plot.top + plot.height);
    const double bottom = cut(std::max(corner.y, opposite.y), plot.top, plot.top + plot.height);
    // Written so that a NaN corner fails.
    if (!(right - left >= kSmallestZoomBox && bottom - top >= kSmallestZoomBox)) {
        return std::nullopt;
    }
    const ChartPoint low = mapping.toChart({left, bottom});
    const ChartPoint high = mapping.toChart({right, top});
    ChartRange box{low.dryBulb, high.dryBulb, low.humidityRatio, high.humidityRatio};
    if (mapping.projection() != Projection::Psychrometric) {
        // The Mollier diagram's isotherms slope: the box covers the dry bulbs of all its corners.
        const ChartPoint lowRight = mapping.toChart({right, bottom});
        const ChartPoint highLeft = mapping.toChart({left, top});
        box.dryBulbMin = std::min(low.dryBulb, lowRight.dryBulb);
        box.dryBulbMax = std::max(high.dryBulb, highLeft.dryBulb);
        box.humidityRatioMin = std::max(0.0, box.humidityRatioMin);
    }
    // A factor of 1 about the centre only applies the narrowest span and the limits.
    return Zoomed(
        box,
        {(box.dryBulbMin + box.dryBulbMax) / 2, (box.humidityRatioMin + box.humidityRatioMax) / 2},
        1.0);
}

void RangeHistory::leave(const Chosen& previous) {
    if (!ranges_.empty() && ranges_.back() == previous) {
        return;
    }
    ranges_.push_back(previous);
    if (ranges_.size() > kDepth) {
        ranges_.pop_front();
    }
}

std::optional<RangeHistory::Chosen> RangeHistory::undo() {
    if (ranges_.empty()) {
        return std::nullopt;
    }
    Chosen newest = ranges_.back();
    ranges_.pop_back();
    return newest;
}

} // namespace hygrovane::chart
