#pragma once

#include "hygrovane/sat_formulation.h"

#include <array>
#include <optional>
#include <string_view>

namespace hygrovane {

// The names of the saturation formulations, beside the humidity keys (humidity_keys.h): the key
// the command lines take in full and short ("--formulation hw"), and the name a process-set file
// writes. Files and scripts depend on these words: never change one.
struct SatFormulationKey {
    SatFormulation formulation;
    const char* key;
    const char* shortKey;
    const char* fileName;
};

inline constexpr std::array<SatFormulationKey, 2> kSatFormulationKeys{{
    {SatFormulation::IAPWS, "iapws", "iapws", "IAPWS"},
    {SatFormulation::HylandWexler, "hyland-wexler", "hw", "Hyland-Wexler"},
}};

constexpr const SatFormulationKey& KeysOf(SatFormulation formulation) {
    for (const SatFormulationKey& keys : kSatFormulationKeys) {
        if (keys.formulation == formulation) {
            return keys;
        }
    }
    return kSatFormulationKeys[0];
}

// The formulation named by its key or its short key, as a command line spells it (lower case).
constexpr std::optional<SatFormulation> SatFormulationNamed(std::string_view name) {
    for (const SatFormulationKey& keys : kSatFormulationKeys) {
        if (name == keys.key || name == keys.shortKey) {
            return keys.formulation;
        }
    }
    return std::nullopt;
}

} // namespace hygrovane
