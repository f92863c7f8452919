#pragma once

#include "chart/chart_mapping.h"
#include "chart/chart_range.h"

#include <cstddef>
#include <deque>
#include <optional>

namespace hygrovane::chart {

// The range moved as a drag from one pixel to another moves the paper under the mouse, in the
// mapping the drag started with; the span is kept and a side that would pass a limit stops
// there (the other side with it).
ChartRange Panned(const ChartMapping& atStart, PixelPoint from, PixelPoint to);

// A box drawn smaller than this on either side, in pixels, is taken for a click, not a zoom.
inline constexpr double kSmallestZoomBox = 5;

// The range of a box drawn between two corners on the plot (in any order; the part outside the
// plot is cut off), widened about its centre to the narrowest span allowed; none for a box
// smaller than kSmallestZoomBox or not on the plot.
std::optional<ChartRange> BoxZoomed(const ChartMapping& mapping, PixelPoint corner,
                                    PixelPoint opposite);

// The ranges chosen before the present one, newest last, for undo. A range is "none" where the
// chart followed the default of its units.
class RangeHistory {
  public:
    using Chosen = std::optional<ChartRange>;
    // Enough to step back through a few wheel turns; the oldest is forgotten first.
    static constexpr std::size_t kDepth = 50;

    // Remembers the range left behind, unless it equals the newest remembered one.
    void leave(const Chosen& previous);
    // The newest remembered range, forgotten; none when nothing is left to undo.
    std::optional<Chosen> undo();
    bool empty() const { return ranges_.empty(); }
    std::size_t size() const { return ranges_.size(); }
    void clear() { ranges_.clear(); }

  private:
    std::deque<Chosen> ranges_;
};

} // namespace hygrovane::chart
