#pragma once

#include "models/calculator/controls.h"

#include <string>

namespace hygrovane::models {

// The controls of the saturation window Form_saturation. The window keeps nothing else: every
// result is recomputed from these.
struct SaturationModel {
    SaturationModel(); // the design-time state

    std::string Caption = "Saturation Condition of Water";
    Label Label1, Label2, Label3, Label4, Label5, Label6, Label7;
    ComboBox Combo1; // kind of input: "Temperature" or "Pressure"
    ComboBox Combo2; // temperature unit
    ComboBox Combo3; // pressure unit
    TextBox Text1;   // the input value
    TextBox Text2;   // result by IAPWS
    TextBox Text3;   // result by Hyland-Wexler
};

// Where the input unit and the output unit sit (twips); the two lists trade places.
inline constexpr int kInputUnitTop = 480;
inline constexpr int kOutputUnitTop = 2040;

// Selects the initial kind and units (each selection recomputes) and colours Label1.
void Form_Load(SaturationModel& form);
// Moves the unit lists for the kind of input, then recomputes.
void Combo1_Click(SaturationModel& form);
void Combo2_Click(SaturationModel& form);
void Combo3_Click(SaturationModel& form);
void Text1_Change(SaturationModel& form);
// Recomputes Text2 and Text3 from Text1 and the lists; a text that is not a number shows "Error".
void UpdateSaturation(SaturationModel& form);

} // namespace hygrovane::models
