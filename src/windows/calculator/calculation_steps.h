#pragma once

#include "hygrovane/moist_air.h"
#include "windows/calculator/form_ambient.h"
#include "windows/calculator/humidity_rows.h"

#include <optional>

namespace hygrovane::calculation {

// The value of a box when its text is numeric and lies between the numbers of the two captions,
// both ends included; the limits are compared in the display unit and precision of the captions.
std::optional<double> InputCheck(const TextBox& box, const Label& minimum, const Label& maximum);

// "Error" in the box of every humidity option that is not selected.
void MarkUnselectedHumidityBoxes(FormAmbient& form);
// The common end of a rejected input and of every arithmetic fault.
void ErrorDisplay(FormAmbient& form);
// The saturation pressure reaches the ambient pressure.
void ShowPressureTooLow(FormAmbient& form);

// Range captions of temperature, pressure and altitude; fixed captions; Label20 back to pink.
void WriteAmbientRangeCaptions(FormAmbient& form);
void WriteFixedCaptions(FormAmbient& form);

// The typed ambient inputs checked against their captions, in internal units; the failed check
// when the calculation ended (the error display is already shown).
Expected<Conditions, CalculateFailure> ReadAmbientInputs(FormAmbient& form);
// The derived altitude or pressure into its box.
void ShowAmbient(FormAmbient& form, const Ambient& ambient);
// The saturation pressure, the Maximum of the partial pressure.
void ShowSaturationPressure(FormAmbient& form, double p_ws);
// It and the other Minimum and Maximum captions of the humidity rows.
void ShowSaturation(FormAmbient& form, const Saturation& saturation);

// The common start of a humidity row as the input: the other seven boxes cyan, the input box
// checked against its captions. On failure the input is marked, ErrorDisplay shown and no value
// returned; otherwise the typed value in the row's internal unit.
std::optional<double> ReadHumidityInput(FormAmbient& form, const HumidityRow& row);
// Every humidity box but the input's, from the state.
void ShowHumidityOutputs(FormAmbient& form, const HumidityRow& input, const MoistAirState& state);
// Properties of the mixture, composition and List1.
void ShowProperties(FormAmbient& form, const MoistAirState& state);

} // namespace hygrovane::calculation
