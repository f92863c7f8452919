#pragma once

// The settings of an air-handling unit, in the units a designer types them (degC, %, kJ/kg, the
// flow in its own unit), and the check that refuses a setting out of its range by name.

#include "hygrovane/expected.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace hygrovane::airunit {

// How the room's (return air's) humidity is given.
enum class RoomHumidity : std::uint8_t { RelativeHumidity, DewPoint };

enum class FlowUnit : std::uint8_t {
    KilogramsPerSecond,   // of dry air
    CubicMetresPerHour,   // at the room state
    CubicMetresPerSecond, // at the room state
    CubicFeetPerMinute,   // at the room state
};

// The economizer's high-limit kinds (ASHRAE 90.1): when outdoor air may replace return air.
enum class EconomizerKind : std::uint8_t {
    None,
    FixedDryBulb,         // t_o <= limit (degC)
    DifferentialDryBulb,  // t_o < t_r
    DifferentialEnthalpy, // h_o < h_r
    FixedEnthalpy,        // h_o <= limit (kJ/kg dry air)
};

// Balanced flows through a plate (latent 0) or a wheel; effectiveness as AHRI 1060 defines it.
struct Recovery {
    double sensible = 0; // 0-1
    double latent = 0;   // 0-1

    friend bool operator==(const Recovery&, const Recovery&) = default;
};

struct UnitSettings {
    double roomDryBulb = 24; // degC
    RoomHumidity roomHumidityKind = RoomHumidity::RelativeHumidity;
    double roomHumidity = 50;          // % relative humidity, or degC dew point
    double supplyDryBulb = 13;         // degC
    std::optional<double> maxDewPoint; // degC
    std::optional<double> minDewPoint; // degC
    double flow = 1;                   // in flowUnit
    FlowUnit flowUnit = FlowUnit::KilogramsPerSecond;
    double minOutdoorFraction = 0.2; // of the dry air, 0-1
    EconomizerKind economizer = EconomizerKind::None;
    double economizerLimit = 0; // degC (fixed dry bulb) or kJ/kg (fixed enthalpy); else unused
    std::optional<Recovery> recovery;
    double coilLeavingRelativeHumidity = 95; // %
    double steamTemperature = 100;           // degC

    friend bool operator==(const UnitSettings&, const UnitSettings&) = default;
};

// The settings, each named for the refusal that concerns it.
enum class UnitSetting : std::uint8_t {
    RoomDryBulb,
    RoomHumidity,
    SupplyDryBulb,
    MaxDewPoint,
    MinDewPoint,
    Flow,
    MinOutdoorFraction,
    EconomizerLimit,
    RecoverySensible,
    RecoveryLatent,
    CoilLeavingRelativeHumidity,
    SteamTemperature,
};

// Why settings were refused: which setting, its value and the range it must lie in.
struct UnitFailure {
    UnitSetting kind = UnitSetting::RoomDryBulb;
    double value = 0;
    double lowest = 0;   // the range the value must lie in, in the setting's unit
    double highest = 0;  // (an open end is said in the message)
    std::string message; // "supply dry bulb 60 °C must lie between -10 and 54 °C"
};

// "supply dry bulb", "room relative humidity", ... in words.
std::string NameOf(UnitSetting setting, RoomHumidity roomHumidity = RoomHumidity::RelativeHumidity);
// The failure's one sentence, naming the setting.
std::string Describe(const UnitFailure& failure);

// Every setting in its range, or the first that is not (in the order of UnitSetting).
Expected<Done, UnitFailure> Check(const UnitSettings& settings);

// The names files and options use: "kg/s", "m3/h", "m3/s", "cfm"; "none", "fixed-dry-bulb",
// "differential-dry-bulb", "differential-enthalpy", "fixed-enthalpy". Files depend on them.
const char* KeyOf(FlowUnit unit);
std::optional<FlowUnit> FlowUnitNamed(std::string_view key);
const char* KeyOf(EconomizerKind kind);
std::optional<EconomizerKind> EconomizerKindNamed(std::string_view key);
// Whether the kind has a limit, and its unit ("°C", "kJ/kg").
bool HasLimit(EconomizerKind kind);
const char* LimitUnit(EconomizerKind kind);

// m^3/s of one flow unit; none for the mass flow.
std::optional<double> CubicMetresPerSecondOf(FlowUnit unit);

} // namespace hygrovane::airunit
