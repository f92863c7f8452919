#pragma once

#include "display/shown_quantities.h"
#include "hygrovane/conditions.h"

#include <array>
#include <string_view>

namespace hygrovane {

// The eight humidity inputs as the program names and shows them, in the order of the main
// window: the quantity whose unit list they are typed in and the caption that names them.
struct HumidityKind {
    HumidityInput input;
    ShownQuantity shown;
    std::string_view caption;
    bool percent; // typed and shown in "%", whatever its unit list says
};

inline constexpr std::array<HumidityKind, 8> kHumidityKinds = {{
    {HumidityInput::RelativeHumidity, ShownQuantity::RelativeHumidity, "Relative Humidity", true},
    {HumidityInput::HumidityRatio, ShownQuantity::HumidityRatio, "Humidity Ratio", false},
    {HumidityInput::AbsoluteHumidity, ShownQuantity::AbsoluteHumidity, "Absolute Humidity", false},
    {HumidityInput::DewPoint, ShownQuantity::DewPoint, "Dew Point Temperature", false},
    {HumidityInput::WetBulb, ShownQuantity::WetBulb, "Wet Bulb Temperature", false},
    {HumidityInput::PartialPressure, ShownQuantity::PartialPressure,
     "Partial Pressure of Water in Air", false},
    {HumidityInput::MoleFraction, ShownQuantity::MoleFraction, "Water Mole Fraction in Air", true},
    {HumidityInput::MassFraction, ShownQuantity::MassFraction, "Water Mass Fraction in Air", true},
}};

// The two pressure inputs: the barometric pressure and the altitude, one typed, one derived.
struct PressureKind {
    PressureInput input;
    ShownQuantity shown;
    std::string_view caption;
};

inline constexpr std::array<PressureKind, 2> kPressureKinds = {{
    {PressureInput::Barometric, ShownQuantity::Pressure, "Barometric Pressure"},
    {PressureInput::Altitude, ShownQuantity::Altitude, "Altitude above Sea Level"},
}};

constexpr const HumidityKind& KindOf(HumidityInput input) {
    for (const HumidityKind& kind : kHumidityKinds) {
        if (kind.input == input) {
            return kind;
        }
    }
    return kHumidityKinds[0];
}
constexpr const PressureKind& KindOf(PressureInput input) {
    return kPressureKinds[input == PressureInput::Barometric ? 0 : 1];
}

} // namespace hygrovane
