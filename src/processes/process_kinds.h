#pragma once

#include "processes/air_model.h"

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace hygrovane::processes {

enum class ProcessKind {
    SensibleToDryBulb,             // heating or cooling at constant W to a dry bulb
    SensibleByHeatRate,            // the same by a heat rate at the process's air flow
    CoilApparatusDewPoint,         // cooling coil: apparatus dew point and bypass factor
    CoilLeavingDryBulb,            // cooling coil: leaving dry bulb and bypass factor
    CoilLeavingState,              // cooling coil to a required leaving state
    Mixing,                        // adiabatic mixing of two streams
    EvaporativeToRelativeHumidity, // along the wet-bulb line
    EvaporativeToDryBulb,
    EvaporativeByEffectiveness,
    SteamToHumidityRatio,
    SteamToRelativeHumidity,
    HeatingThenEvaporative, // to a target state
    HeatingThenSteam,       // to a target state
    CoolingThenReheat,      // coil with a bypass factor, then reheat, to a target state
};

// The parameters a process kind reads.
enum class Parameter {
    LeavingDryBulb,
    HeatRate,
    ApparatusDewPoint,
    BypassFactor,
    RelativeHumidity,
    HumidityRatio,
    Effectiveness,
    SteamTemperature,
    Target, // a dry bulb and one humidity quantity
};

struct ProcessParameters {
    double leavingDryBulb = 0;        // K
    double heatRate = 0;              // W, positive heats the air
    double apparatusDewPoint = 0;     // K
    double bypassFactor = 0;          // fraction of the air that bypasses the coil
    double relativeHumidity = 0;      // fraction
    double humidityRatio = 0;         // kg/kg
    double effectiveness = 0;         // saturation effectiveness, fraction
    double steamTemperature = 373.15; // K
    PointConditions target{};

    friend bool operator==(const ProcessParameters&, const ProcessParameters&) = default;
};

struct KindInfo {
    ProcessKind kind;
    std::string_view key;     // in process-set files
    std::string_view caption; // in the windows
    int inlets;               // 2 for mixing, otherwise 1
    int outlets;              // 2 for a chain (its intermediate point first), otherwise 1
    std::span<const Parameter> parameters;
};

const std::array<KindInfo, 14>& Kinds();
const KindInfo& InfoOf(ProcessKind kind);
std::optional<ProcessKind> KindWithKey(std::string_view key);

struct ParameterInfo {
    Parameter parameter;
    std::string_view key;     // in process-set files
    std::string_view caption; // in the windows
};

const ParameterInfo& InfoOf(Parameter parameter);

// What each stage of a chained process is, in the order the air passes them ("coil", "reheat";
// "heater", "humidifier"); empty for a process of one stage.
std::vector<std::string_view> StageNamesOf(ProcessKind kind);
// Whether a chain's stage adds water (a humidifier) rather than heat.
bool AddsWater(ProcessKind kind, std::size_t stage);

} // namespace hygrovane::processes
