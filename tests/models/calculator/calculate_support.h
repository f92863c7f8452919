#pragma once

#include "models/calculator/ambient_form.h"
#include "models/calculator/unit_presets.h"

#include <string>
#include <string_view>

namespace hygrovane::calc_test {

// The main window after start-up: the preset of each unit list selected, one Calculate run.
AmbientForm StartedForm(UnitSystem system = UnitSystem::Metric);

// Dry air at 20 C and 101.325 kPa, R in J/kg-K: properties known to many digits.
AmbientForm DryAirAt20C();

// Selects the item named unit in ComboN (fails the test when there is no such item).
void SelectUnit(AmbientForm& form, int combo, std::string_view unit);

// Makes OptionN the one selected humidity input (n = 1..7 or 10) and types text into its box.
void TypeHumidity(AmbientForm& form, int option, std::string text);

// The value box of humidity OptionN.
int HumidityBox(int option);

// Chooses the pressure source: Option8 (typed pressure) or Option9 (typed altitude).
void SelectPressureSource(AmbientForm& form, int option);

// Every number shown in a box, caption or list item is finite ("nan"/"inf" never appear).
bool ShowsNoNonFiniteText(const AmbientForm& form);

// Test names from a row's text: letters and digits kept, anything else becomes "_".
std::string TestName(std::string_view text);

} // namespace hygrovane::calc_test
