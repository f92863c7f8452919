#include "chart/families.h"

namespace hygrovane::chart {

std::optional<Family> FamilyOfKey(std::string_view key) {
    for (const FamilyName& name : kFamilyNames) {
        if (name.key == key) {
            return name.family;
        }
    }
    return std::nullopt;
}

} // namespace hygrovane::chart
