#pragma once

#include "calculator/humidity_rows.h"

#include <array>

namespace hygrovane::casefile {

// The unit lists stored in a case file, in file order; the single-item "%" lists are not.
inline constexpr std::array kStoredCombos = {1, 2, 3, 4, 6, 7, 10, 11, 12, 13, 14, 15, 16};

// The humidity rows' codes (kHumidityRows, in the order the writer tests them) and the pressure
// rows' codes select the input; the line after a code holds its value.

} // namespace hygrovane::casefile
