#pragma once

// Where the grouped bar chart of the units' monthly totals puts its bars and its scale, computed
// without Qt so that the screen, the PDF and the tests share one geometry.

#include "models/year_model.h"

#include <array>
#include <cstddef>
#include <vector>

namespace hygrovane::models {

struct BarBox {
    std::size_t month = 0; // 0 = January
    std::size_t option = 0;
    double left = 0, right = 0, top = 0, bottom = 0;
};

struct OptionBarsLayout {
    // The scale: from low to high (zero always on it), ticks at 1, 2 or 5 times a power of ten.
    double low = 0;
    double high = 1;
    std::vector<double> ticks;
    int decimals = 0;
    // One bar per unit and month, month by month; bars of no value (NaN) are left out.
    std::vector<BarBox> bars;
    std::array<double, 12> groupCentre{}; // where each month's label goes
    double zero = 0;                      // the baseline's y

    double yOf(double value, double top, double height) const {
        return top + height * (high - value) / (high - low);
    }
};

// The bars in the plot area (left, top, width, height; y grows downwards): each month a slot
// of width / 12 whose middle 80 % holds one bar per unit side by side, in the units' order.
OptionBarsLayout LayoutOptionBars(const OptionBars& bars, double left, double top, double width,
                                  double height);

} // namespace hygrovane::models
