#pragma once

#include "display/input_kinds.h"
#include "models/calculator/unit_presets.h"

#include <array>
#include <string_view>

namespace hygrovane {

// The eight humidity rows of the main window, the one place where a humidity input meets its
// controls, its case-file code and its report row. In the order of the window, the case-file
// codes and the report. The input, its caption and its unit list's quantity come from the
// domain's HumidityKind.
struct HumidityRow : HumidityKind {
    int option;                // OptionN selects it as the input
    int box;                   // TextN holds its value
    int combo;                 // ComboN holds its unit (5, 8 and 9 list only "%")
    int minimumLabel;          // LabelN, the Minimum column
    int maximumLabel;          // LabelN, the Maximum column
    std::string_view caseCode; // the line before its value in a case file
    std::string_view reportCaption;
    int reportBlanksBeforeUnit; // 0: set by the partial-pressure unit
    bool limitedBySoftware;     // its Minimum carries the report's "*"
};

namespace detail {
constexpr HumidityRow MakeRow(HumidityInput input, int option, int box, int minimumLabel,
                              int maximumLabel, std::string_view caseCode,
                              std::string_view reportCaption, int reportBlanksBeforeUnit,
                              bool limitedBySoftware) {
    const HumidityKind& kind = KindOf(input);
    return {kind,         option,   box,           ComboOf(kind.shown),    minimumLabel,
            maximumLabel, caseCode, reportCaption, reportBlanksBeforeUnit, limitedBySoftware};
}
} // namespace detail

inline constexpr std::array<HumidityRow, 8> kHumidityRows = {{
    detail::MakeRow(HumidityInput::RelativeHumidity, 2, 4, 11, 10, "1", "     Relative Humidity",
                    16, false),
    detail::MakeRow(HumidityInput::HumidityRatio, 1, 3, 13, 12, "2", "     Humidity Ratio", 6,
                    false),
    detail::MakeRow(HumidityInput::AbsoluteHumidity, 5, 7, 15, 14, "3", "     Absolute Humidity", 6,
                    false),
    detail::MakeRow(HumidityInput::DewPoint, 3, 5, 17, 16, "4", "     Dew Point Temperature", 12,
                    true),
    detail::MakeRow(HumidityInput::WetBulb, 4, 6, 19, 18, "5", "     Wet Bulb Temperature", 13,
                    false),
    detail::MakeRow(HumidityInput::PartialPressure, 10, 11, 21, 20, "6",
                    "     Partial Pressure of Water", 0, false),
    detail::MakeRow(HumidityInput::MoleFraction, 6, 8, 23, 22, "7", "     Water Mole Fraction", 14,
                    false),
    detail::MakeRow(HumidityInput::MassFraction, 7, 9, 25, 24, "8", "     Water Mass Fraction", 14,
                    false),
}};

// The two pressure rows: the barometric pressure and the altitude, one typed, one derived.
struct PressureRow : PressureKind {
    int option;
    int box;
    int combo;
    int minimumLabel;
    int maximumLabel;
    std::string_view caseCode;
};

inline constexpr std::array<PressureRow, 2> kPressureRows = {{
    {KindOf(PressureInput::Barometric), 8, 2, ComboOf(ShownQuantity::Pressure), 7, 6, "1"},
    {KindOf(PressureInput::Altitude), 9, 10, ComboOf(ShownQuantity::Altitude), 9, 8, "2"},
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
