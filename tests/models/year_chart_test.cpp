// The grouped bars of the units' monthly totals: a group a month, a bar a unit in the units'
// order inside its month's slot, the scale at 1-2-5 steps holding every bar and zero.
#include "models/year_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace hygrovane::models {
namespace {

OptionBars Bars(std::size_t options, double (*value)(std::size_t month, std::size_t option)) {
    OptionBars bars{"Cooling (kWh)", {}, {}};
    for (std::size_t o = 0; o < options; ++o) {
        bars.options.push_back("Unit " + std::to_string(o + 1));
        std::array<double, 12> values{};
        for (std::size_t m = 0; m < 12; ++m) {
            values[m] = value(m, o);
        }
        bars.values.push_back(values);
    }
    return bars;
}

TEST(YearChart, OneGroupAMonthOneBarAUnit) {
    struct Case {
        const char* name;
        std::size_t options;
        double (*value)(std::size_t, std::size_t);
        double low, high; // the scale expected
    };
    const Case cases[] = {
        {"one unit", 1, [](std::size_t m, std::size_t) { return 100.0 * double(m); }, 0, 1200},
        {"six units", 6, [](std::size_t m, std::size_t o) { return 3.0 + double(m + o); }, 0, 20},
        {"negative latent months", 3,
         [](std::size_t m, std::size_t o) { return double(m) - 4 + 0.5 * double(o); }, -5, 10},
        {"all zero", 2, [](std::size_t, std::size_t) { return 0.0; }, 0, 1},
    };
    const double left = 40, top = 10, width = 600, height = 300;
    for (const Case& c : cases) {
        const OptionBars bars = Bars(c.options, c.value);
        const OptionBarsLayout layout = LayoutOptionBars(bars, left, top, width, height);
        EXPECT_EQ(layout.low, c.low) << c.name;
        EXPECT_EQ(layout.high, c.high) << c.name;
        ASSERT_GE(layout.ticks.size(), 2U) << c.name;
        const double step = layout.ticks[1] - layout.ticks[0];
        const double mantissa = step / std::pow(10, std::floor(std::log10(step)));
        EXPECT_TRUE(std::abs(mantissa - 1) < 1e-9 || std::abs(mantissa - 2) < 1e-9 ||
                    std::abs(mantissa - 5) < 1e-9)
            << c.name << " step " << step;
        ASSERT_EQ(layout.bars.size(), 12 * c.options) << c.name;
        for (std::size_t i = 0; i < layout.bars.size(); ++i) {
            const BarBox& bar = layout.bars[i];
            EXPECT_EQ(bar.month, i / c.options) << c.name;
            EXPECT_EQ(bar.option, i % c.options) << c.name;
            // Inside its month's slot, right of the bar before it, from zero to its value.
            const double slot = width / 12;
            EXPECT_GE(bar.left, left + slot * double(bar.month)) << c.name;
            EXPECT_LE(bar.right, left + slot * double(bar.month + 1)) << c.name;
            if (bar.option > 0) {
                EXPECT_LE(layout.bars[i - 1].right, bar.left + 1e-9) << c.name;
            }
            const double v = bars.values[bar.option][bar.month];
            EXPECT_NEAR(bar.bottom - bar.top, height * std::abs(v) / (c.high - c.low), 1e-9)
                << c.name;
            EXPECT_NEAR(v >= 0 ? bar.bottom : bar.top, layout.zero, 1e-9) << c.name;
            EXPECT_GE(bar.top, top - 1e-9) << c.name;
            EXPECT_LE(bar.bottom, top + height + 1e-9) << c.name;
        }
    }
    // A unit refused: its bars are left out, the others keep their places.
    OptionBars refused = Bars(2, [](std::size_t, std::size_t) { return 5.0; });
    refused.values[0].fill(std::numeric_limits<double>::quiet_NaN());
    const OptionBarsLayout layout = LayoutOptionBars(refused, 0, 0, 120, 100);
    ASSERT_EQ(layout.bars.size(), 12U);
    EXPECT_EQ(layout.bars[0].option, 1U);
    EXPECT_NEAR(layout.bars[0].left, 0.1 * 10 + 0.4 * 10, 1e-9);
}

} // namespace
} // namespace hygrovane::models
