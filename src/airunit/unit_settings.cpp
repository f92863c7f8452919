#include "airunit/unit_settings.h"

#include "text/number_text.h"

#include <array>
#include <cmath>
#include <limits>

namespace hygrovane::airunit {

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// The core's dry-bulb range, degC: every state of the unit is one of the core's.
constexpr double kLowestTemperature = -100;
constexpr double kHighestTemperature = 100;

const char* UnitOf(UnitSetting setting, RoomHumidity roomHumidity, EconomizerKind economizer,
                   FlowUnit flow) {
    switch (setting) {
    case UnitSetting::RoomHumidity:
        return roomHumidity == RoomHumidity::RelativeHumidity ? "%" : "°C";
    case UnitSetting::CoilLeavingRelativeHumidity:
        return "%";
    case UnitSetting::Flow:
        return KeyOf(flow);
    case UnitSetting::MinOutdoorFraction:
    case UnitSetting::RecoverySensible:
    case UnitSetting::RecoveryLatent:
        return "";
    case UnitSetting::EconomizerLimit:
        return LimitUnit(economizer);
    default:
        return "°C";
    }
}

std::string WithUnit(double value, const char* unit) {
    std::string text = text::ShortestText(value);
    if (*unit != '\0') {
        text += std::string(" ") + unit;
    }
    return text;
}

// Refuses `value` outside [lowest, highest] (an end excluded where `open`).
struct Bound {
    double value;
    double lowest;
    double highest;
    bool lowOpen = false;
    bool highOpen = false;
    const char* highName = nullptr; // the setting the high end is, when it is one
};

Expected<Done, UnitFailure> CheckBound(UnitSetting setting, RoomHumidity roomHumidity,
                                       const Bound& b, const char* unit) {
    const bool low = b.lowOpen ? b.value > b.lowest : b.value >= b.lowest;
    const bool high = b.highOpen ? b.value < b.highest : b.value <= b.highest;
    if (low && high) { // false for NaN
        return Done{};
    }
    std::string rule;
    if (b.highName != nullptr && b.value >= b.lowest) {
        rule = std::string(b.highOpen ? "must lie below the " : "must not exceed the ") +
               b.highName + " (" + WithUnit(b.highest, unit) + ")";
    } else if (b.highest == kInfinity) {
        rule = std::string("must be ") + (b.lowOpen ? "above " : "at least ") +
               WithUnit(b.lowest, unit);
    } else {
        rule = "must lie between " + text::ShortestText(b.lowest) + " and " +
               WithUnit(b.highest, unit);
    }
    return Fail(
        UnitFailure{setting, b.value, b.lowest, b.highest,
                    NameOf(setting, roomHumidity) + " " + WithUnit(b.value, unit) + " " + rule});
}

} // namespace

std::string NameOf(UnitSetting setting, RoomHumidity roomHumidity) {
    switch (setting) {
    case UnitSetting::RoomDryBulb:
        return "room dry bulb";
    case UnitSetting::RoomHumidity:
        return roomHumidity == RoomHumidity::RelativeHumidity ? "room relative humidity"
                                                              : "room dew point";
    case UnitSetting::SupplyDryBulb:
        return "supply dry bulb";
    case UnitSetting::MaxDewPoint:
        return "maximum supply dew point";
    case UnitSetting::MinDewPoint:
        return "minimum supply dew point";
    case UnitSetting::Flow:
        return "flow";
    case UnitSetting::MinOutdoorFraction:
        return "minimum outdoor-air fraction";
    case UnitSetting::EconomizerLimit:
        return "economizer limit";
    case UnitSetting::RecoverySensible:
        return "sensible effectiveness";
    case UnitSetting::RecoveryLatent:
        return "latent effectiveness";
    case UnitSetting::CoilLeavingRelativeHumidity:
        return "coil leaving relative humidity";
    case UnitSetting::SteamTemperature:
        return "steam temperature";
    }
    return "setting";
}

std::string Describe(const UnitFailure& failure) {
    return failure.message;
}

Expected<Done, UnitFailure> Check(const UnitSettings& s) {
    const bool byRh = s.roomHumidityKind == RoomHumidity::RelativeHumidity;
    const std::optional<double> highestMinDewPoint = s.maxDewPoint;
    struct Row {
        UnitSetting setting;
        bool applies;
        Bound bound;
    };
    const Recovery recovery = s.recovery.value_or(Recovery{});
    const bool fixedDryBulb = s.economizer == EconomizerKind::FixedDryBulb;
    const std::array<Row, 12> rows{{
        {UnitSetting::RoomDryBulb, true, {s.roomDryBulb, kLowestTemperature, kHighestTemperature}},
        {UnitSetting::RoomHumidity, true,
         byRh ? Bound{s.roomHumidity, 0, 100}
              : Bound{s.roomHumidity, kLowestTemperature, s.roomDryBulb, false, false,
                      "room dry bulb"}},
        {UnitSetting::SupplyDryBulb, true, {s.supplyDryBulb, -10, s.roomDryBulb + 30}},
        {UnitSetting::MaxDewPoint,
         s.maxDewPoint.has_value(),
         {s.maxDewPoint.value_or(0), kLowestTemperature, s.supplyDryBulb, false, true,
          "supply dry bulb"}},
        {UnitSetting::MinDewPoint, s.minDewPoint.has_value(),
         highestMinDewPoint ? Bound{s.minDewPoint.value_or(0), kLowestTemperature,
                                    *highestMinDewPoint, false, true, "maximum supply dew point"}
                            : Bound{s.minDewPoint.value_or(0), kLowestTemperature, s.supplyDryBulb,
                                    false, true, "supply dry bulb"}},
        {UnitSetting::Flow, true, {s.flow, 0, kInfinity, true, true}},
        {UnitSetting::MinOutdoorFraction, true, {s.minOutdoorFraction, 0, 1}},
        {UnitSetting::EconomizerLimit, HasLimit(s.economizer),
         fixedDryBulb ? Bound{s.economizerLimit, kLowestTemperature, kHighestTemperature}
                      : Bound{s.economizerLimit, -100, 500}},
        {UnitSetting::RecoverySensible, s.recovery.has_value(), {recovery.sensible, 0, 1}},
        {UnitSetting::RecoveryLatent, s.recovery.has_value(), {recovery.latent, 0, 1}},
        {UnitSetting::CoilLeavingRelativeHumidity,
         true,
         {s.coilLeavingRelativeHumidity, 0, 100, true}},
        {UnitSetting::SteamTemperature, true, {s.steamTemperature, 0, 200}},
    }};
    for (const Row& row : rows) {
        if (!row.applies) {
            continue;
        }
        const char* unit = UnitOf(row.setting, s.roomHumidityKind, s.economizer, s.flowUnit);
        if (auto checked = CheckBound(row.setting, s.roomHumidityKind, row.bound, unit); !checked) {
            return checked;
        }
    }
    return Done{};
}

const char* KeyOf(FlowUnit unit) {
    switch (unit) {
    case FlowUnit::KilogramsPerSecond:
        return "kg/s";
    case FlowUnit::CubicMetresPerHour:
        return "m3/h";
    case FlowUnit::CubicMetresPerSecond:
        return "m3/s";
    case FlowUnit::CubicFeetPerMinute:
        return "cfm";
    }
    return "kg/s";
}

std::optional<FlowUnit> FlowUnitNamed(std::string_view key) {
    for (FlowUnit unit : {FlowUnit::KilogramsPerSecond, FlowUnit::CubicMetresPerHour,
                          FlowUnit::CubicMetresPerSecond, FlowUnit::CubicFeetPerMinute}) {
        if (key == KeyOf(unit)) {
            return unit;
        }
    }
    return std::nullopt;
}

const char* KeyOf(EconomizerKind kind) {
    switch (kind) {
    case EconomizerKind::None:
        return "none";
    case EconomizerKind::FixedDryBulb:
        return "fixed-dry-bulb";
    case EconomizerKind::DifferentialDryBulb:
        return "differential-dry-bulb";
    case EconomizerKind::DifferentialEnthalpy:
        return "differential-enthalpy";
    case EconomizerKind::FixedEnthalpy:
        return "fixed-enthalpy";
    }
    return "none";
}

std::optional<EconomizerKind> EconomizerKindNamed(std::string_view key) {
    for (EconomizerKind kind :
         {EconomizerKind::None, EconomizerKind::FixedDryBulb, EconomizerKind::DifferentialDryBulb,
          EconomizerKind::DifferentialEnthalpy, EconomizerKind::FixedEnthalpy}) {
        if (key == KeyOf(kind)) {
            return kind;
        }
    }
    return std::nullopt;
}

bool HasLimit(EconomizerKind kind) {
    return kind == EconomizerKind::FixedDryBulb || kind == EconomizerKind::FixedEnthalpy;
}

const char* LimitUnit(EconomizerKind kind) {
    return kind == EconomizerKind::FixedEnthalpy ? "kJ/kg" : "°C";
}

std::optional<double> CubicMetresPerSecondOf(FlowUnit unit) {
    switch (unit) {
    case FlowUnit::KilogramsPerSecond:
        return std::nullopt;
    case FlowUnit::CubicMetresPerHour:
        return 1.0 / 3600;
    case FlowUnit::CubicMetresPerSecond:
        return 1.0;
    case FlowUnit::CubicFeetPerMinute:
        return 0.3048 * 0.3048 * 0.3048 / 60; // the international foot, exactly
    }
    return std::nullopt;
}

} // namespace hygrovane::airunit
