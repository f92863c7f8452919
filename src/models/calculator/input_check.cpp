#include "models/calculator/calculation_steps.h"

#include "display/number_text.h"

namespace hygrovane::calculation {

std::optional<double> InputCheck(const TextBox& box, const Label& minimum, const Label& maximum) {
    const double low = ReadNumber(minimum.caption);
    const double high = ReadNumber(maximum.caption);
    const double value = ReadNumber(box.text);
    if (IsNumeric(box.text) && low <= value && value <= high) {
        return value;
    }
    return std::nullopt;
}

} // namespace hygrovane::calculation
