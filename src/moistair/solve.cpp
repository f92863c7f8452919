#include "hygrovane/moist_air.h"

#include <algorithm>

namespace hygrovane {

namespace {

// Refuses a value outside allowed.
Expected<Done, SolveFailure> Within(InputField field, double value, Range allowed) {
    // Written so that NaN fails too.
    if (allowed.minimum <= value && value <= allowed.maximum) {
        return Done{};
    }
    SolveFailure failure;
    failure.kind = FailureKind::OutOfRange;
    failure.field = field;
    failure.value = value;
    failure.allowed = allowed;
    return Fail(failure);
}

Expected<Done, SolveFailure> CheckAmbient(const Conditions& c) {
    if (auto inside = Within(InputField::DryBulb, c.dryBulb, {kLowestDryBulb, kHighestDryBulb});
        !inside) {
        return inside;
    }
    if (c.pressureInput == PressureInput::Barometric) {
        return Within(InputField::Pressure, c.pressure, {kLowestPressure, kHighestPressure});
    }
    return Within(InputField::Altitude, c.altitude, {kLowestAltitude, kHighestAltitude});
}

} // namespace

Result<MoistAirState> Solve(const Conditions& conditions) {
    return Solve(conditions, SolveScope{});
}

Result<MoistAirState> Solve(const Conditions& conditions, SolveScope scope) {
    // The wet bulb's lower limit is the dry air's wet bulb: a wet-bulb input needs it.
    scope.dryAirWetBulb = scope.dryAirWetBulb || conditions.humidityInput == HumidityInput::WetBulb;
    if (const auto ambient = CheckAmbient(conditions); !ambient) {
        return Fail(ambient.error());
    }
    const Result<SaturatedAir> saturated = SaturatedAirOf(conditions, scope);
    if (!saturated) {
        return Fail(saturated.error());
    }
    const Ambient& ambient = saturated->ambient;
    const Saturation& saturation = saturated->saturation;
    Range limits = LimitsOf(conditions.humidityInput, ambient, saturation);
    // The dry bulb is held in 32 bits; a dew point or wet bulb equal to the dry bulb as given
    // is saturated air all the same.
    if (conditions.humidityInput == HumidityInput::DewPoint ||
        conditions.humidityInput == HumidityInput::WetBulb) {
        limits.maximum = std::max(limits.maximum, conditions.dryBulb);
    }
    if (const auto inside = Within(InputField::Humidity, conditions.humidity, limits); !inside) {
        SolveFailure failure = inside.error();
        failure.humidityInput = conditions.humidityInput;
        return Fail(failure);
    }
    return StateOf(ambient, saturation, conditions.humidityInput, conditions.humidity);
}

} // namespace hygrovane
