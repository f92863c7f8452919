#pragma once

#include "calculator/form_ambient.h"
#include "engine/sat_formulation.h"

#include <array>
#include <optional>

namespace hygrovane::calculation {

using engine::SatFormulation;

// Constants of the moist-air relations, exactly as the formulas use them.
inline constexpr double kMolecularWeightRatio = 0.62198; // a constant of its own
inline constexpr double kWaterMolecularWeight = 18.01528;
inline constexpr double kDryAirMolecularWeight = 28.9645;
inline constexpr double kMolecularWeightDifference = 10.94922;
inline constexpr double kUniversalGasConstant = 8314.41;
inline constexpr double kLowestTemperature = 173.15; // also the lowest reportable dew point

// A humidity option and its value box, in the order the options are tested.
struct HumidityRow {
    int option;
    int box;
};
inline constexpr std::array<HumidityRow, 8> kHumidityRows{
    {{1, 3}, {2, 4}, {3, 5}, {4, 6}, {5, 7}, {6, 8}, {7, 9}, {10, 11}}};

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

// Each returns false when the calculation ended (an error display is already shown).
bool ReadTemperature(FormAmbient& form);
bool ReadPressure(FormAmbient& form);
bool SaturationLimits(FormAmbient& form, SatFormulation formulation);

// The common start of a humidity branch: the other seven boxes cyan, the input box checked
// against its captions. On failure the input is marked and ErrorDisplay shown (no value).
std::optional<double> CheckHumidityInput(FormAmbient& form, int box, int minimumLabel,
                                         int maximumLabel);

// Shown outputs shared by the humidity branches. The dew point is reportable when p_w reaches
// (inclusive) or exceeds (strict) the saturation pressure at the lowest temperature.
void ShowDewPoint(FormAmbient& form, SatFormulation formulation, bool inclusive);
void ShowWetBulb(FormAmbient& form);

// Humidity ratio, relative humidity, dew point and wet bulb, followed by their output stage.
bool HumidityFirstGroup(FormAmbient& form, SatFormulation formulation);
// Absolute humidity, partial pressure, mole fraction and mass fraction.
bool HumidityOtherBranches(FormAmbient& form, SatFormulation formulation);

// Properties of the mixture, composition and List1.
void OtherProperties(FormAmbient& form);

} // namespace hygrovane::calculation
