#pragma once

#include "chart/chart_range.h"

namespace hygrovane::chart {

// A point and a rectangle in pixels (y grows downwards).
struct PixelPoint {
    double x = 0;
    double y = 0;
};
struct PixelRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool contains(PixelPoint p) const {
        return left <= p.x && p.x <= left + width && top <= p.y && p.y <= top + height;
    }
};

// The straight-line mapping between the chart's range and the pixel rectangle of its plot: the
// lowest dry bulb at the left, the lowest humidity ratio at the bottom. Every unit of the chart
// is a straight-line conversion, so mapping internal values is mapping shown ones.
class ChartMapping {
  public:
    ChartMapping(const ChartRange& range, const PixelRect& plot) : range_(range), plot_(plot) {}

    const PixelRect& plot() const { return plot_; }
    const ChartRange& range() const { return range_; }

    PixelPoint toPixel(ChartPoint p) const {
        return {plot_.left + (p.dryBulb - range_.dryBulbMin) /
                                 (range_.dryBulbMax - range_.dryBulbMin) * plot_.width,
                plot_.top + plot_.height -
                    (p.humidityRatio - range_.humidityRatioMin) /
                        (range_.humidityRatioMax - range_.humidityRatioMin) * plot_.height};
    }
    ChartPoint toChart(PixelPoint p) const {
        return {range_.dryBulbMin +
                    (p.x - plot_.left) / plot_.width * (range_.dryBulbMax - range_.dryBulbMin),
                range_.humidityRatioMin + (plot_.top + plot_.height - p.y) / plot_.height *
                                              (range_.humidityRatioMax - range_.humidityRatioMin)};
    }

  private:
    ChartRange range_;
    PixelRect plot_;
};

} // namespace hygrovane::chart
