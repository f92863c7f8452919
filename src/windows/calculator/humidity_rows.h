#pragma once

#include "hygrovane/conditions.h"

#include <array>
#include <string_view>

namespace hygrovane {

// The eight humidity rows of the main window, the one place where a humidity input meets its
// controls, its case-file code and its report row. In the order of the window, the case-file
// codes and the report.
struct HumidityRow {
    HumidityInput input;
    int option;                // OptionN selects it as the input
    int box;                   // TextN holds its value
    int combo;                 // ComboN holds its unit (5, 8 and 9 list only "%")
    int minimumLabel;          // LabelN, the Minimum column
    int maximumLabel;          // LabelN, the Maximum column
    std::string_view caption;  // of the option button
    std::string_view caseCode; // the line before its value in a case file
    std::string_view reportCaption;
    int reportBlanksBeforeUnit; // 0: set by the partial-pressure unit
    bool percent;               // typed and shown in "%", whatever its list says
    bool limitedBySoftware;     // its Minimum carries the report's "*"
};

inline constexpr std::array<HumidityRow, 8> kHumidityRows = {{
    {HumidityInput::RelativeHumidity, 2, 4, 5, 11, 10, "Relative Humidity", "1",
     "     Relative Humidity", 16, true, false},
    {HumidityInput::HumidityRatio, 1, 3, 6, 13, 12, "Humidity Ratio", "2", "     Humidity Ratio", 6,
     false, false},
    {HumidityInput::AbsoluteHumidity, 5, 7, 7, 15, 14, "Absolute Humidity", "3",
     "     Absolute Humidity", 6, false, false},
    {HumidityInput::DewPoint, 3, 5, 3, 17, 16, "Dew Point Temperature", "4",
     "     Dew Point Temperature", 12, false, true},
    {HumidityInput::WetBulb, 4, 6, 4, 19, 18, "Wet Bulb Temperature", "5",
     "     Wet Bulb Temperature", 13, false, false},
    {HumidityInput::PartialPressure, 10, 11, 11, 21, 20, "Partial Pressure of Water in Air", "6",
     "     Partial Pressure of Water", 0, false, false},
    {HumidityInput::MoleFraction, 6, 8, 8, 23, 22, "Water Mole Fraction in Air", "7",
     "     Water Mole Fraction", 14, true, false},
    {HumidityInput::MassFraction, 7, 9, 9, 25, 24, "Water Mass Fraction in Air", "8",
     "     Water Mass Fraction", 14, true, false},
}};

// The two pressure rows: the barometric pressure and the altitude, one typed, one derived.
struct PressureRow {
    PressureInput input;
    int option;
    int box;
    int combo;
    int minimumLabel;
    int maximumLabel;
    std::string_view caption;
    std::string_view caseCode;
};

inline constexpr std::array<PressureRow, 2> kPressureRows = {{
    {PressureInput::Barometric, 8, 2, 2, 7, 6, "Barometric Pressure", "1"},
    {PressureInput::Altitude, 9, 10, 10, 9, 8, "Altitude above Sea Level", "2"},
}};

// The row of an input.
constexpr const HumidityRow& RowOf(HumidityInput input) {
    for (const HumidityRow& row : kHumidityRows) {
        if (row.input == input) {
            return row;
        }
    }
    return kHumidityRows[0];
}
constexpr const PressureRow& RowOf(PressureInput input) {
    return kPressureRows[input == PressureInput::Barometric ? 0 : 1];
}

// The row whose option button or value box has the number; nullptr when none has.
const HumidityRow* HumidityRowOfOption(int option);
const HumidityRow* HumidityRowOfBox(int box);
const PressureRow* PressureRowOfOption(int option);
const PressureRow* PressureRowOfBox(int box);

} // namespace hygrovane
