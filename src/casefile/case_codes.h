#pragma once

#include "models/calculator/humidity_rows.h"

#include <array>
#include <string_view>

namespace hygrovane::casefile {

// The main window's controls that case files and reports hold, by number: the one place in this
// folder where the numbers are named. The humidity and pressure rows (kHumidityRows,
// kPressureRows) give their options, boxes, lists, captions and codes.

// The unit lists stored in a case file, in file order; the single-item "%" lists are not.
inline constexpr std::array kStoredCombos = {1, 2, 3, 4, 6, 7, 10, 11, 12, 13, 14, 15, 16};

// The dry bulb: its box and its list (Text1, Combo1).
inline constexpr int kDryBulbBox = 1;
inline constexpr int kDryBulbCombo = 1;

// The caption "Unit (Metric)" above the lists (Label27).
inline constexpr int kUnitSystemLabel = 27;

// The "Other Properties" of a report: each a box and its unit list of the same number.
struct PropertyRow {
    std::string_view caption; // padded to the unit column by the blanks that follow it
    int blanks;
    int number; // TextN and ComboN (Text12..Text16)
};

inline constexpr std::array<PropertyRow, 5> kPropertyRows = {{
    {"     Specific Gas Const. (R)", 6, 12},
    {"     Molecular Weight", 13, 13},
    {"     Actual Density", 15, 14},
    {"     Specific Volume", 14, 15},
    {"     Specific Enthalpy", 12, 16},
}};

// The humidity rows' codes (kHumidityRows, in the order the writer tests them) and the pressure
// rows' codes select the input; the line after a code holds its value.

} // namespace hygrovane::casefile
