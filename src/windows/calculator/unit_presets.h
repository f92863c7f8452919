#pragma once

#include "units/quantity.h"

#include <string_view>

namespace hygrovane {

// The unit system of the main window; Metric and British select a preset unit in every list.
enum class UnitSystem { Metric, British, Customized };

// Number of unit lists of the main window (Combo1..Combo16). The functions below take n = 1..16
// and throw std::out_of_range for any other number (a programming error).
inline constexpr int kMainComboCount = 16;

// The quantity listed by main-window unit list ComboN (n = 1..16).
units::Quantity MainComboQuantity(int n);

// Position selected in ComboN (n = 1..16) by the Metric or British preset; -1 for Customized,
// which is no preset.
int PresetPosition(int n, UnitSystem system);

// Unit name selected in ComboN by the preset (the item at PresetPosition); empty for Customized.
std::string_view PresetUnit(int n, UnitSystem system);

} // namespace hygrovane
