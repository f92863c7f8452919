#pragma once

#include "hygrovane/conditions.h"

#include <optional>
#include <string_view>

namespace hygrovane {

// The names of the humidity inputs in files and options: the key a process-set file and the
// batch program's --unit and --humidity options write in full, and the short one --humidity
// also takes ("rh=3"). Files depend on these words: never change one.
struct HumidityInputKey {
    HumidityInput input;
    const char* key;
    const char* shortKey;
};

inline constexpr std::array<HumidityInputKey, 8> kHumidityInputKeys{{
    {HumidityInput::HumidityRatio, "humidity-ratio", "w"},
    {HumidityInput::RelativeHumidity, "relative-humidity", "rh"},
    {HumidityInput::DewPoint, "dew-point", "dp"},
    {HumidityInput::WetBulb, "wet-bulb", "wb"},
    {HumidityInput::AbsoluteHumidity, "absolute-humidity", "ah"},
    {HumidityInput::PartialPressure, "partial-pressure", "pw"},
    {HumidityInput::MoleFraction, "mole-fraction", "x"},
    {HumidityInput::MassFraction, "mass-fraction", "mass"},
}};

constexpr const HumidityInputKey& KeysOf(HumidityInput input) {
    for (const HumidityInputKey& keys : kHumidityInputKeys) {
        if (keys.input == input) {
            return keys;
        }
    }
    return kHumidityInputKeys[1];
}

// The input named by its key or its short key.
constexpr std::optional<HumidityInput> HumidityInputNamed(std::string_view name) {
    for (const HumidityInputKey& keys : kHumidityInputKeys) {
        if (name == keys.key || name == keys.shortKey) {
            return keys.input;
        }
    }
    return std::nullopt;
}

} // namespace hygrovane
