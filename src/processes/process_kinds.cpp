#include "processes/process_kinds.h"

#include <algorithm>

namespace hygrovane::processes {

namespace {

using P = Parameter;
using K = ProcessKind;

constexpr Parameter kLeavingDryBulb[] = {P::LeavingDryBulb};
constexpr Parameter kHeatRate[] = {P::HeatRate};
constexpr Parameter kAdpCoil[] = {P::ApparatusDewPoint, P::BypassFactor};
constexpr Parameter kDryBulbCoil[] = {P::LeavingDryBulb, P::BypassFactor};
constexpr Parameter kTarget[] = {P::Target};
constexpr Parameter kRelativeHumidity[] = {P::RelativeHumidity};
constexpr Parameter kEffectiveness[] = {P::Effectiveness};
constexpr Parameter kSteamToW[] = {P::HumidityRatio, P::SteamTemperature};
constexpr Parameter kSteamToRh[] = {P::RelativeHumidity, P::SteamTemperature};
constexpr Parameter kTargetSteam[] = {P::Target, P::SteamTemperature};
constexpr Parameter kTargetBypass[] = {P::Target, P::BypassFactor};

const std::array<KindInfo, 14> kKinds = {{
    {K::SensibleToDryBulb, "sensible-to-dry-bulb", "Sensible heating or cooling to a dry bulb", 1,
     1, kLeavingDryBulb},
    {K::SensibleByHeatRate, "sensible-by-heat-rate", "Sensible heating or cooling by a heat rate",
     1, 1, kHeatRate},
    {K::CoilApparatusDewPoint, "coil-apparatus-dew-point",
     "Cooling coil: apparatus dew point and bypass factor", 1, 1, kAdpCoil},
    {K::CoilLeavingDryBulb, "coil-leaving-dry-bulb",
     "Cooling coil: leaving dry bulb and bypass factor", 1, 1, kDryBulbCoil},
    {K::CoilLeavingState, "coil-leaving-state", "Cooling coil to a leaving state", 1, 1, kTarget},
    {K::Mixing, "mixing", "Adiabatic mixing of two streams", 2, 1, {}},
    {K::EvaporativeToRelativeHumidity, "evaporative-to-relative-humidity",
     "Evaporative humidification to a relative humidity", 1, 1, kRelativeHumidity},
    {K::EvaporativeToDryBulb, "evaporative-to-dry-bulb", "Evaporative humidification to a dry bulb",
     1, 1, kLeavingDryBulb},
    {K::EvaporativeByEffectiveness, "evaporative-by-effectiveness",
     "Evaporative humidification by a saturation effectiveness", 1, 1, kEffectiveness},
    {K::SteamToHumidityRatio, "steam-to-humidity-ratio", "Steam humidification to a humidity ratio",
     1, 1, kSteamToW},
    {K::SteamToRelativeHumidity, "steam-to-relative-humidity",
     "Steam humidification to a relative humidity", 1, 1, kSteamToRh},
    {K::HeatingThenEvaporative, "heating-then-evaporative",
     "Heating, then evaporative humidification, to a state", 1, 2, kTarget},
    {K::HeatingThenSteam, "heating-then-steam", "Heating, then steam humidification, to a state", 1,
     2, kTargetSteam},
    {K::CoolingThenReheat, "cooling-then-reheat", "Cooling coil, then reheat, to a state", 1, 2,
     kTargetBypass},
}};

constexpr std::array<ParameterInfo, 9> kParameters = {{
    {P::LeavingDryBulb, "leavingDryBulb", "Leaving dry bulb"},
    {P::HeatRate, "heatRate", "Heat rate (positive heats)"},
    {P::ApparatusDewPoint, "apparatusDewPoint", "Apparatus dew point"},
    {P::BypassFactor, "bypassFactor", "Bypass factor"},
    {P::RelativeHumidity, "relativeHumidity", "Leaving relative humidity"},
    {P::HumidityRatio, "humidityRatio", "Leaving humidity ratio"},
    {P::Effectiveness, "effectiveness", "Saturation effectiveness"},
    {P::SteamTemperature, "steamTemperature", "Steam temperature"},
    {P::Target, "target", "Leaving state"},
}};

} // namespace

const std::array<KindInfo, 14>& Kinds() {
    return kKinds;
}

const KindInfo& InfoOf(ProcessKind kind) {
    return *std::find_if(kKinds.begin(), kKinds.end(),
                         [&](const KindInfo& info) { return info.kind == kind; });
}

std::optional<ProcessKind> KindWithKey(std::string_view key) {
    for (const KindInfo& info : kKinds) {
        if (info.key == key) {
            return info.kind;
        }
    }
    return std::nullopt;
}

const ParameterInfo& InfoOf(Parameter parameter) {
    return *std::find_if(kParameters.begin(), kParameters.end(),
                         [&](const ParameterInfo& info) { return info.parameter == parameter; });
}

std::vector<std::string_view> StageNamesOf(ProcessKind kind) {
    switch (kind) {
    case ProcessKind::HeatingThenEvaporative:
    case ProcessKind::HeatingThenSteam:
        return {"heater", "humidifier"};
    case ProcessKind::CoolingThenReheat:
        return {"coil", "reheat"};
    default:
        return {};
    }
}

bool AddsWater(ProcessKind kind, std::size_t stage) {
    return stage == 1 &&
           (kind == ProcessKind::HeatingThenEvaporative || kind == ProcessKind::HeatingThenSteam);
}

} // namespace hygrovane::processes
