#pragma once

#include "hygrovane/chart_point.h"

#include <optional>
#include <vector>

namespace hygrovane::chart {

using hygrovane::ChartPoint;

// The dry bulbs and humidity ratios the chart spans, in internal units, both ends included.
struct ChartRange {
    double dryBulbMin = 263.15;
    double dryBulbMax = 323.15;
    double humidityRatioMin = 0;
    double humidityRatioMax = 0.030;

    bool contains(ChartPoint p) const {
        return dryBulbMin <= p.dryBulb && p.dryBulb <= dryBulbMax &&
               humidityRatioMin <= p.humidityRatio && p.humidityRatio <= humidityRatioMax;
    }
    friend bool operator==(const ChartRange&, const ChartRange&) = default;
};

// What a range may span: the dry bulbs the core accepts, humidity ratios from dry air to 0.5,
// and at least 1 K and 0.1 g/kg.
inline constexpr double kLowestChartDryBulb = 173.15;
inline constexpr double kHighestChartDryBulb = 373.15;
inline constexpr double kHighestChartHumidityRatio = 0.5;
inline constexpr double kNarrowestDryBulbSpan = 1;
inline constexpr double kNarrowestHumidityRatioSpan = 0.0001;

// The range as asked when it is within the limits; none when an end is not a number, the ends
// are not in order or the span is narrower than allowed. Ends beyond the limits are pulled in.
std::optional<ChartRange> CheckedRange(const ChartRange& asked);

// The range scaled by factor about a point (below 1 zooms in), kept within the limits: a side
// that would pass a limit is shifted back, and a span that would pass the narrowest or widest
// allowed stops there.
ChartRange Zoomed(const ChartRange& range, ChartPoint centre, double factor);

// Evenly spaced values of 1, 2 or 5 times a power of ten between low and high (both included),
// at most maxCount of them, and the decimals that write the step.
struct Ticks {
    std::vector<double> values;
    double step = 0;
    int decimals = 0;
};
Ticks NiceTicks(double low, double high, int maxCount);

} // namespace hygrovane::chart
