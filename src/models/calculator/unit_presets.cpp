#include "models/calculator/unit_presets.h"

#include <stdexcept>

namespace hygrovane {

ShownQuantity ComboQuantity(int n) {
    if (n < 1 || n > kMainComboCount) {
        throw std::out_of_range("unit list number out of range");
    }
    return kMainCombos[static_cast<std::size_t>(n - 1)];
}

units::Quantity MainComboQuantity(int n) {
    return UnitQuantity(ComboQuantity(n));
}

int PresetPosition(int n, UnitSystem system) {
    return PresetPosition(ComboQuantity(n), system);
}

std::string_view PresetUnit(int n, UnitSystem system) {
    return PresetUnit(ComboQuantity(n), system);
}

} // namespace hygrovane
