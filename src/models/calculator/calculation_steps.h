#pragma once

#include "hygrovane/moist_air.h"
#include "models/calculator/ambient_form.h"
#include "models/calculator/humidity_rows.h"

#include <optional>

namespace hygrovane::calculation {

// The value of a box when its text is numeric and lies between the numbers of the two captions,
// both ends included; the limits are compared in the display unit and precision of the captions.
std::optional<double> InputCheck(const TextBox& box, const Label& minimum, const Label& maximum);

// "Error" in the box of every humidity option that is not selected.
void MarkUnselectedHumidityBoxes(AmbientForm& form);
// The common end of a rejected input and of every arithmetic fault.
void ErrorDisplay(AmbientForm& form);
// The saturation pressure reaches the ambient pressure.
void ShowPressureTooLow(AmbientForm& form);

// Range captions of temperature, pressure and altitude; fixed captions; Label20 back to pink.
void WriteAmbientRangeCaptions(AmbientForm& form);
void WriteFixedCaptions(AmbientForm& form);

// The typed ambient inputs checked against their captions, in internal units; the failed check
// when the calculation ended (the error display is already shown).
Expected<Conditions, CalculateFailure> ReadAmbientInputs(AmbientForm& form);
// The derived altitude or pressure into its box.
void ShowAmbient(AmbientForm& form, const Ambient& ambient);
// The saturation pressure, the Maximum of the partial pressure.
void ShowSaturationPressure(AmbientForm& form, double p_ws);
// It and the other Minimum and Maximum captions of the humidity rows.
void ShowSaturation(AmbientForm& form, const Saturation& saturation);

// The common start of a humidity row as the input: the other seven boxes cyan, the input box
// checked against its captions. On failure the input is marked, ErrorDisplay shown and no value
// returned; otherwise the typed value in the row's internal unit.
std::optional<double> ReadHumidityInput(AmbientForm& form, const HumidityRow& row);
// Every humidity box but the input's, from the state.
void ShowHumidityOutputs(AmbientForm& form, const HumidityRow& input, const MoistAirState& state);
// Properties of the mixture, composition and List1.
void ShowProperties(AmbientForm& form, const MoistAirState& state);

} // namespace hygrovane::calculation
