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

int DecimalsOf(double step) {
    constexpr int kMost = 9;
    int decimals = 0;
    for (double scaled = step; decimals < kMost; scaled *= 10, ++decimals) {
        if (std::abs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled)) {
            break;
        }
    }
    return decimals;
}

Ticks NiceTicks(double low, double high, int maxCount, double unit) {
    Ticks ticks;
    const bool fixed = unit > 0;
    if (std::isnan(unit) || !(fixed ? high >= low : high > low) || maxCount < 1 ||
        !std::isfinite(high - low) || (fixed && !std::isfinite(unit))) {
        return ticks;
    }
    // Counted from whole multiples of the step, so that the values carry no accumulated error;
    // the slack keeps an end that is a multiple but for rounding.
    const auto first = [&](double step) { return std::ceil(low / step - 1e-9); };
    const auto last = [&](double step) { return std::floor(high / step + 1e-9); };
    // Free: from the power of ten below span / maxCount; fixed: from unit itself.
    double power = fixed ? 1 : std::pow(10.0, std::floor(std::log10((high - low) / maxCount)));
    const double base = fixed ? unit : 1;
    for (;; power *= 10) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double step = base * multiple * power;
            if (last(step) - first(step) + 1 > maxCount) {
                continue;
            }
            ticks.step = step;
            ticks.decimals = DecimalsOf(step);
            for (double k = first(step); k <= last(step); ++k) {
                ticks.values.push_back(k * step);
            }
            return ticks;
        }
    }
}

namespace {

// The nearest of 1, 2 and 5 times a power of ten, on a logarithmic scale.
double Nearest125(double x) {
    const double power = std::pow(10.0, std::floor(std::log10(x)));
    const double m = x / power;
    // Geometric middles: sqrt(2), sqrt(10), sqrt(50).
    if (m < std::sqrt(2.0)) {
        return power;
    }
    if (m < std::sqrt(10.0)) {
        return 2 * power;
    }
    if (m < std::sqrt(50.0)) {
        return 5 * power;
    }
    return 10 * power;
}

} // namespace

double DensityOf(const ChartRange& range, const ChartRange& defaultRange) {
    const double ratio = std::max(
        (range.dryBulbMax - range.dryBulbMin) / (defaultRange.dryBulbMax - defaultRange.dryBulbMin),
        (range.humidityRatioMax - range.humidityRatioMin) /
            (defaultRange.humidityRatioMax - defaultRange.humidityRatioMin));
    if (!(ratio > 0) || !std::isfinite(ratio)) {
        return 1;
    }
    return Nearest125(ratio);
}

ChartRange DefaultRangeAt(const ChartRange& seaLevel, double pressure) {
    constexpr double kSeaLevel = 101325; // Pa, the standard atmosphere
    ChartRange r = seaLevel;
    if (!(pressure > 0) || !std::isfinite(pressure)) {
        return r;
    }
    // Rounded to two significant figures, so that the top is a round number in any unit the
    // sea-level one is (33 g/kg and 220 grains/lb at 750 m).
    const double factor = kSeaLevel / pressure;
    const double step = 0.1 * std::pow(10.0, std::floor(std::log10(factor)));
    r.humidityRatioMax = std::min(kHighestChartHumidityRatio,
                                  seaLevel.humidityRatioMax * std::round(factor / step) * step);
    return r;
}

} // namespace hygrovane::chart
