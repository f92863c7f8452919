#pragma once

#include <vector>

namespace hygrovane {

// A point of the T-W plane the psychrometric chart is drawn on, in internal units: dry bulb in
// K, humidity ratio in kg/kg. The chart, the processes' paths and the overlays share it.
struct ChartPoint {
    double dryBulb = 0;
    double humidityRatio = 0;

    friend bool operator==(const ChartPoint&, const ChartPoint&) = default;
};

// A line on that plane, point after point.
using Polyline = std::vector<ChartPoint>;

} // namespace hygrovane
