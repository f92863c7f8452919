#pragma once

#include "chart/chart_projection.h"
#include "chart/chart_range.h"

#include <cmath>

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
// is a straight-line conversion, so mapping internal values is mapping shown ones. The Mollier
// projection scales its plane (chart_projection.h) to the plot instead, the plane's bounds of
// the range filling it.
class ChartMapping {
  public:
    ChartMapping(const ChartRange& range, const PixelRect& plot,
                 Projection projection = Projection::Psychrometric)
        : range_(range), plot_(plot), projection_(projection),
          bounds_(BoundsOf(projection, range)) {}

    const PixelRect& plot() const { return plot_; }
    const ChartRange& range() const { return range_; }
    Projection projection() const { return projection_; }

    PixelPoint toPixel(ChartPoint p) const {
        if (projection_ != Projection::Psychrometric) {
            const PlanePoint q = ToPlane(projection_, p);
            return {plot_.left + (q.x - bounds_.xMin) / (bounds_.xMax - bounds_.xMin) * plot_.width,
                    plot_.top + plot_.height -
                        (q.y - bounds_.yMin) / (bounds_.yMax - bounds_.yMin) * plot_.height};
        }
        return {plot_.left + (p.dryBulb - range_.dryBulbMin) /
                                 (range_.dryBulbMax - range_.dryBulbMin) * plot_.width,
                plot_.top + plot_.height -
                    (p.humidityRatio - range_.humidityRatioMin) /
                        (range_.humidityRatioMax - range_.humidityRatioMin) * plot_.height};
    }
    ChartPoint toChart(PixelPoint p) const {
        if (projection_ != Projection::Psychrometric) {
            return FromPlane(
                projection_,
                {bounds_.xMin + (p.x - plot_.left) / plot_.width * (bounds_.xMax - bounds_.xMin),
                 bounds_.yMin + (plot_.top + plot_.height - p.y) / plot_.height *
                                    (bounds_.yMax - bounds_.yMin)});
        }
        return {range_.dryBulbMin +
                    (p.x - plot_.left) / plot_.width * (range_.dryBulbMax - range_.dryBulbMin),
                range_.humidityRatioMin + (plot_.top + plot_.height - p.y) / plot_.height *
                                              (range_.humidityRatioMax - range_.humidityRatioMin)};
    }

  private:
    ChartRange range_;
    PixelRect plot_;
    Projection projection_;
    PlaneBounds bounds_;
};

// Where an axis tick goes. Psychrometric: the dry bulb along the bottom, the humidity ratio on
// the right. Mollier: the humidity ratio along the bottom, and the dry bulb on the left where
// its isotherm starts at the lowest humidity ratio (x = 0 on a full diagram), as the Mollier
// convention reads it (possibly beyond the plot's top or bottom).
inline PixelPoint DryBulbTickAt(const ChartMapping& mapping, double dryBulb) {
    const ChartRange& r = mapping.range();
    const PixelRect& plot = mapping.plot();
    if (mapping.projection() == Projection::Psychrometric) {
        return {mapping.toPixel({dryBulb, r.humidityRatioMin}).x, plot.top + plot.height};
    }
    return {plot.left, mapping.toPixel({dryBulb, r.humidityRatioMin}).y};
}
inline PixelPoint HumidityRatioTickAt(const ChartMapping& mapping, double humidityRatio) {
    const ChartRange& r = mapping.range();
    const PixelRect& plot = mapping.plot();
    if (mapping.projection() == Projection::Psychrometric) {
        return {plot.left + plot.width, mapping.toPixel({r.dryBulbMin, humidityRatio}).y};
    }
    return {mapping.toPixel({r.dryBulbMin, humidityRatio}).x, plot.top + plot.height};
}

// The pixel step along a chart direction (dT in K, dW in kg/kg) at a point, scaled to a small
// step of the chart; x to the right, y downwards. Straight in the psychrometric projection;
// in the Mollier one the tangent at the point.
inline PixelPoint PixelDirection(const ChartMapping& mapping, ChartPoint at, double dT, double dW) {
    // A step of a millionth of the range keeps the tangent to about 1e-6.
    const ChartRange& r = mapping.range();
    const double n = std::hypot(dT / (r.dryBulbMax - r.dryBulbMin),
                                dW / (r.humidityRatioMax - r.humidityRatioMin));
    if (!(n > 0)) {
        return {0, 0};
    }
    const double scale = 1e-6 / n;
    const PixelPoint a = mapping.toPixel(at);
    const PixelPoint b = mapping.toPixel({at.dryBulb + dT * scale, at.humidityRatio + dW * scale});
    return {(b.x - a.x) / scale, (b.y - a.y) / scale};
}
// The upward slope in pixels (rise over run) of a line of chart slope dW/dT through a point.
inline double PixelSlope(const ChartMapping& mapping, ChartPoint at, double slope) {
    const PixelPoint d = PixelDirection(mapping, at, 1, slope);
    return -d.y / d.x;
}

} // namespace hygrovane::chart
