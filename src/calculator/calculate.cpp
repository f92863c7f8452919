#include "calculator/calculate.h"

#include "calculator/calculation_steps.h"
#include "engine/arithmetic_error.h"

namespace hygrovane {

void Calculate(FormAmbient& form) {
    using namespace calculation;
    form.CaseModified = true;
    const SatFormulation formulation =
        form.menu_IAPWS.checked ? SatFormulation::IAPWS : SatFormulation::HylandWexler;
    WriteAmbientRangeCaptions(form);
    WriteFixedCaptions(form);
    try {
        if (!ReadTemperature(form) || !ReadPressure(form) || !SaturationLimits(form, formulation) ||
            !HumidityFirstGroup(form, formulation) || !HumidityOtherBranches(form, formulation)) {
            return;
        }
        OtherProperties(form);
    } catch (const engine::ArithmeticError&) {
        // The engine's faults and those met in the relations end alike.
        ErrorDisplay(form);
    }
}

} // namespace hygrovane
