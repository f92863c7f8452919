#pragma once

// UNIT.json: an air-handling unit's settings in the units a designer types them (degC, %, kJ/kg,
// the flow's unit named), with a "format" version key:
//
//   {"format": 1,
//    "room": {"dryBulb": 24, "relativeHumidity": 50},
//    "supply": {"dryBulb": 13, "maxDewPoint": 11, "minDewPoint": 2},
//    "flow": {"value": 10000, "unit": "m3/h"},
//    "minOutdoorFraction": 0.2,
//    "economizer": {"kind": "differential-enthalpy"},
//    "recovery": {"sensible": 0.75, "latent": 0.6},
//    "coilLeavingRelativeHumidity": 95, "steamTemperature": 100}
//
// An unknown key, a missing required key, a value of the wrong type or out of its range is
// refused with a sentence naming the key; nothing of a refused file is kept.

#include "airunit/unit_settings.h"
#include "fileio/file_io.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace hygrovane::unitfile {

// The format version this program writes; it reads this one and every older one. A file without
// the key is read as version 1.
inline constexpr int kUnitFileVersion = 1;
// A unit's settings take a few hundred bytes; anything this large is not one.
inline constexpr std::size_t kLargestUnitFile = 64 * 1024;

// Why a text holds no unit: the key concerned ("supply.dryBulb"; empty where the text as a whole
// is wrong) and a sentence naming it.
struct UnitTextFailure {
    std::string key;
    std::string message;
};

// The settings as one JSON object on one line, keys in the order above: what the file holds and
// what `hygrovane-climate --format json` writes as a unit's "settings".
std::string SettingsJson(const airunit::UnitSettings& settings);
// The file's text: the same object, a top-level key a line.
std::string UnitText(const airunit::UnitSettings& settings);

// The settings a text holds, checked by airunit::Check, or the first problem.
Expected<airunit::UnitSettings, UnitTextFailure> ReadUnitText(std::string_view text);

// The key of a setting in the file.
std::string KeyOf(airunit::UnitSetting setting, airunit::RoomHumidity roomHumidity);

// Writes the settings through QSaveFile; settings that would not open again as they are (refused
// by Check) are refused before anything is written.
Expected<Done, fileio::FileFailure> SaveUnit(const airunit::UnitSettings& settings,
                                             const std::string& path);
// The settings a file holds, or a sentence naming the file and the key that is wrong.
Expected<airunit::UnitSettings, fileio::FileFailure> OpenUnit(const std::string& path);

} // namespace hygrovane::unitfile
