#pragma once

#include "chart/chart_geometry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace hygrovane::chart {

// Marks another window draws on the chart, in chart coordinates (dry bulb K, humidity ratio
// kg/kg), so that they follow the chart's units, ranges and zoom by themselves.
struct OverlayPoint {
    ChartPoint at;
    std::string label; // written beside the mark; may be empty
    // Written below the mark rather than above it, where a line leaves it up to the right.
    bool labelBelow = false;

    friend bool operator==(const OverlayPoint&, const OverlayPoint&) = default;
};

struct OverlayPath {
    Polyline points;
    std::string label;   // written at the middle of the path; may be empty
    bool arrow = false;  // an arrowhead at the last point, for a process's direction
    bool dashed = false; // a construction line rather than a path the air takes

    friend bool operator==(const OverlayPath&, const OverlayPath&) = default;
};

struct Overlay {
    std::uint8_t red = 0, green = 0, blue = 0; // of its marks, lines and labels
    std::vector<OverlayPath> paths;            // drawn first
    std::vector<OverlayPoint> points;

    friend bool operator==(const Overlay&, const Overlay&) = default;
};

} // namespace hygrovane::chart
