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

// Evenly spaced values between low and high (both included), at most maxCount of them, the
// step and the decimals that write every value of it. The one tick generator of the chart, for
// its axes and for its families of lines:
// - free (unit 0): the step is 1, 2 or 5 times a power of ten, the finest that fits;
// - fixed step (unit > 0): the step is unit, widened to 2, 5, 10, 20, 50, ... times unit only
//   when unit itself would give more than maxCount values.
struct Ticks {
    std::vector<double> values;
    double step = 0;
    int decimals = 0;
};
Ticks NiceTicks(double low, double high, int maxCount, double unit = 0);

// The decimals that write every multiple of a step exactly: 2 for 0.25 (15.25, 15.75), 1 for
// 2.5 and for 0.5, 0 for 5.
int DecimalsOf(double step);

// How much finer (below 1) or coarser (above 1) than at its default the range shows the chart:
// the ratio of the spans, the larger of the two axes, rounded to 1, 2 or 5 times a power of ten
// (geometrically: 0.75 is 1, 0.6 is 0.5). The families' steps are their handbook steps times it,
// so zooming in densifies and zooming out thins.
double DensityOf(const ChartRange& range, const ChartRange& defaultRange);

// The default range at a pressure (Pa): the dry bulbs of the sea-level default, and humidity
// ratios up to the sea-level top times 101325 / P (a saturated humidity ratio grows about so),
// the factor rounded to two significant figures and the top kept within the limits. At sea
// level it is the default itself; at 1500 m (84.556 kPa) 0 to 36 g/kg, at 5 kPa 0 to
// 0.5 kg/kg, at 1000 kPa 0 to 3 g/kg.
ChartRange DefaultRangeAt(const ChartRange& seaLevel, double pressure);

} // namespace hygrovane::chart
