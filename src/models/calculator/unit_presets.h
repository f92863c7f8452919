#pragma once

#include "display/shown_quantities.h"

#include <array>
#include <string_view>

namespace hygrovane {

// Number of unit lists of the main window (Combo1..Combo16).
inline constexpr int kMainComboCount = 16;

// The quantity whose units ComboN lists, at position N - 1: the one place where a unit list's
// number meets the quantity it shows.
inline constexpr std::array<ShownQuantity, kMainComboCount> kMainCombos = {
    ShownQuantity::DryBulb,          ShownQuantity::Pressure,         ShownQuantity::DewPoint,
    ShownQuantity::WetBulb,          ShownQuantity::RelativeHumidity, ShownQuantity::HumidityRatio,
    ShownQuantity::AbsoluteHumidity, ShownQuantity::MoleFraction,     ShownQuantity::MassFraction,
    ShownQuantity::Altitude,         ShownQuantity::PartialPressure,  ShownQuantity::GasConstant,
    ShownQuantity::MolecularWeight,  ShownQuantity::Density,          ShownQuantity::SpecificVolume,
    ShownQuantity::Enthalpy,
};

// The number of the unit list that shows a quantity.
constexpr int ComboOf(ShownQuantity shown) {
    for (int n = 1; n <= kMainComboCount; ++n) {
        if (kMainCombos[static_cast<std::size_t>(n - 1)] == shown) {
            return n;
        }
    }
    return 0;
}

// The functions below take n = 1..16 and throw std::out_of_range for any other number (a
// programming error).

// The quantity shown by main-window unit list ComboN.
ShownQuantity ComboQuantity(int n);

// The kind of unit listed by ComboN.
units::Quantity MainComboQuantity(int n);

// Position selected in ComboN by the Metric or British preset; -1 for Customized, which is no
// preset.
int PresetPosition(int n, UnitSystem system);

// Unit name selected in ComboN by the preset (the item at PresetPosition); empty for Customized.
std::string_view PresetUnit(int n, UnitSystem system);

} // namespace hygrovane
