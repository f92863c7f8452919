#include "display/shown_quantities.h"

namespace hygrovane {

namespace {

constexpr bool InOrderOfTheEnumeration() {
    for (std::size_t i = 0; i < kShownUnitPresets.size(); ++i) {
        if (static_cast<std::size_t>(kShownUnitPresets[i].shown) != i) {
            return false;
        }
    }
    return true;
}
// PresetOf indexes the table by the enumeration.
static_assert(InOrderOfTheEnumeration());

} // namespace

std::string_view PresetUnit(ShownQuantity shown, UnitSystem system) {
    const int position = PresetPosition(shown, system);
    if (position < 0) {
        return {};
    }
    return units::UnitList(UnitQuantity(shown)).at(static_cast<std::size_t>(position));
}

} // namespace hygrovane
