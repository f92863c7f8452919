#include "chart/chart_range.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::chart {

namespace {

// Keeps [low, high] inside [lowest, highest] and its span between narrowest and the limits' own.
void Fit(double& low, double& high, double lowest, double highest, double narrowest) {
    const double span = std::clamp(high - low, narrowest, highest - lowest);
    if (high - low != span) {
        const double centre = (low + high) / 2;
        low = centre - span / 2;
        high = centre + span / 2;
    }
    if (low < lowest) {
        high += lowest - low;
        low = lowest;
    }
    if (high > highest) {
        low -= high - highest;
        high = highest;
    }
}

// Whether a span is at least the narrowest allowed. The ends come from typed decimals in other
// units (9.8 and 9.9 g/kg are 0.0098 and 0.0099 kg/kg, 9.99999999999999E-5 apart), so a span
// short of it by a rounding passes. Written so that a NaN fails.
bool Spans(double low, double high, double narrowest) {
    return high - low >= narrowest * (1 - 1e-9);
}

} // namespace

std::optional<ChartRange> CheckedRange(const ChartRange& asked) {
    ChartRange r = asked;
    if (!Spans(r.dryBulbMin, r.dryBulbMax, kNarrowestDryBulbSpan) ||
        !Spans(r.humidityRatioMin, r.humidityRatioMax, kNarrowestHumidityRatioSpan)) {
        return std::nullopt;
    }
    r.dryBulbMin = std::max(r.dryBulbMin, kLowestChartDryBulb);
    r.dryBulbMax = std::min(r.dryBulbMax, kHighestChartDryBulb);
    r.humidityRatioMin = std::max(r.humidityRatioMin, 0.0);
    r.humidityRatioMax = std::min(r.humidityRatioMax, kHighestChartHumidityRatio);
    if (!Spans(r.dryBulbMin, r.dryBulbMax, kNarrowestDryBulbSpan) ||
        !Spans(r.humidityRatioMin, r.humidityRatioMax, kNarrowestHumidityRatioSpan)) {
        return std::nullopt;
    }
    return r;
}

ChartRange Zoomed(const ChartRange& range, ChartPoint centre, double factor) {
    // A factor from a wild wheel event (overflowed to infinity, or nothing) would leave no span.
    if (!(factor > 0 && std::isfinite(factor))) {
        return range;
    }
    ChartRange r;
    r.dryBulbMin = centre.dryBulb + (range.dryBulbMin - centre.dryBulb) * factor;
    r.dryBulbMax = centre.dryBulb + (range.dryBulbMax - centre.dryBulb) * factor;
    r.humidityRatioMin =
        centre.humidityRatio + (range.humidityRatioMin - centre.humidityRatio) * factor;
    r.humidityRatioMax =
        centre.humidityRatio + (range.humidityRatioMax - centre.humidityRatio) * factor;
    Fit(r.dryBulbMin, r.dryBulbMax, kLowestChartDryBulb, kHighestChartDryBulb,
        kNarrowestDryBulbSpan);
    Fit(r.humidityRatioMin, r.humidityRatioMax, 0, kHighestChartHumidityRatio,
        kNarrowestHumidityRatioSpan);
    return r;
}

Ticks NiceTicks(double low, double high, int maxCount) {
    Ticks ticks;
    if (!(high > low) || maxCount < 1) {
        return ticks;
    }
    // Counted from whole multiples of the step, so that the values carry no accumulated error;
    // the slack keeps an end that is a multiple but for rounding.
    const auto first = [&](double step) { return std::ceil(low / step - 1e-9); };
    const auto last = [&](double step) { return std::floor(high / step + 1e-9); };
    for (int power = static_cast<int>(std::floor(std::log10((high - low) / maxCount)));; ++power) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double step = multiple * std::pow(10.0, power);
            if (last(step) - first(step) + 1 > maxCount) {
                continue;
            }
            ticks.step = step;
            ticks.decimals = std::max(0, -power);
            for (double k = first(step); k <= last(step); ++k) {
                ticks.values.push_back(k * step);
            }
            return ticks;
        }
    }
}

} // namespace hygrovane::chart
