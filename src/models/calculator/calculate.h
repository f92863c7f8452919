#pragma once

#include "models/calculator/ambient_form.h"

namespace hygrovane {

// The one recalculation of the main window: reads every input control of the form, writes every
// output, caption and List1, and updates form.state and form.computed. Never throws: every
// failure but NoHumidityInput ends in one of the two error displays, and the outcome names it.
CalculateOutcome Calculate(AmbientForm& form);

} // namespace hygrovane
