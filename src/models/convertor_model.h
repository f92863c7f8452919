#pragma once

#include "models/calculator/controls.h"

#include <array>
#include <string>

namespace hygrovane::models {

// Temperature, Pressure, Length, Density, Specific Gas Const. (R), Specific Volume, Specific
// Enthalpy: the positions of Combo1 and the members of the unit arrays.
inline constexpr int kConvertorQuantities = 7;

// The controls of the unit convertor Form_unit_convertor. Combo2(k) and Combo3(k) are the "from"
// and "to" units of quantity k; each keeps its own selection while hidden.
struct ConvertorModel {
    ConvertorModel(); // the design-time state

    std::string Caption = "Unit Convertor";
    Label Label1, Label2, Label3;
    ComboBox Combo1; // the quantity
    TextBox Text1;   // the value to convert
    TextBox Text2;   // the result
    std::array<ComboBox, kConvertorQuantities> Combo2;
    std::array<ComboBox, kConvertorQuantities> Combo3;
};

// Selects the first quantity and the first unit of every list, each selection converting.
void Form_Load(ConvertorModel& form);
// Shows only the unit pair of the selected quantity, then converts.
void Combo1_Click(ConvertorModel& form);
void Combo2_Click(ConvertorModel& form, int index);
void Combo3_Click(ConvertorModel& form, int index);
// Converts as the user types; an "Error" here leaves the caret where the user is typing.
void Text1_Change(ConvertorModel& form);
// Text2 = Text1 converted from Combo2(k) to Combo3(k); a text that is not a number shows
// "Error" and hands the focus back to Text1 with its text selected.
void ConvertValue(ConvertorModel& form);

} // namespace hygrovane::models
