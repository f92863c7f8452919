#include "models/year_chart.h"

#include "chart/chart_range.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::models {

namespace {

// The share of a month's slot its bars take: the rest parts one month's group from the next.
constexpr double kGroupShare = 0.8;

} // namespace

OptionBarsLayout LayoutOptionBars(const OptionBars& bars, double left, double top, double width,
                                  double height) {
    OptionBarsLayout layout;
    double lowest = 0, highest = 0;
    for (const auto& values : bars.values) {
        for (double v : values) {
            if (std::isfinite(v)) {
                lowest = std::min(lowest, v);
                highest = std::max(highest, v);
            }
        }
    }
    if (highest - lowest <= 0) {
        highest = 1; // nothing to draw: a scale still reads 0 to 1
    }
    const chart::Ticks ticks = chart::NiceTicks(lowest, highest, 6);
    const double step = ticks.step > 0 ? ticks.step : highest - lowest;
    layout.low = std::floor(lowest / step + 1e-9) * step;
    layout.high = std::ceil(highest / step - 1e-9) * step;
    layout.decimals = ticks.decimals;
    for (int i = 0; layout.low + i * step <= layout.high + step * 1e-9; ++i) {
        layout.ticks.push_back(layout.low + i * step);
    }
    layout.zero = layout.yOf(0, top, height);

    const double slot = width / 12;
    const std::size_t options = std::max<std::size_t>(bars.values.size(), 1);
    const double bar = slot * kGroupShare / static_cast<double>(options);
    for (std::size_t m = 0; m < 12; ++m) {
        const double first = left + slot * static_cast<double>(m) + slot * (1 - kGroupShare) / 2;
        layout.groupCentre[m] = left + slot * (static_cast<double>(m) + 0.5);
        for (std::size_t o = 0; o < bars.values.size(); ++o) {
            const double v = bars.values[o][m];
            if (!std::isfinite(v)) {
                continue;
            }
            const double y = layout.yOf(v, top, height);
            const double x = first + bar * static_cast<double>(o);
            layout.bars.push_back(
                {m, o, x, x + bar, std::min(y, layout.zero), std::max(y, layout.zero)});
        }
    }
    return layout;
}

} // namespace hygrovane::models
