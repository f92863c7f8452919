#include "hygrovane/moist_air.h"

#include <algorithm>

namespace hygrovane {

namespace {

std::optional<SolveFailure> OutsideOf(InputField field, double value, Range allowed) {
    // Written so that NaN fails too.
    if (allowed.minimum <= value && value <= allowed.maximum) {
        return std::nullopt;
    }
    SolveFailure failure;
    failure.kind = FailureKind::OutOfRange;
    failure.field = field;
    failure.value = value;
    failure.allowed = allowed;
    return failure;
}

std::optional<SolveFailure> AmbientOutOfRange(const Conditions& c) {
    if (auto failure =
            OutsideOf(InputField::DryBulb, c.dryBulb, {kLowestDryBulb, kHighestDryBulb})) {
        return failure;
    }
    if (c.pressureInput == PressureInput::Barometric) {
        return OutsideOf(InputField::Pressure, c.pressure, {kLowestPressure, kHighestPressure});
    }
    return OutsideOf(InputField::Altitude, c.altitude, {kLowestAltitude, kHighestAltitude});
}

} // namespace

Result<MoistAirState> Solve(const Conditions& conditions) {
    if (auto failure = AmbientOutOfRange(conditions)) {
        return Fail(*failure);
    }
    const Result<SaturatedAir> saturated = SaturatedAirOf(conditions);
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
    if (auto failure = OutsideOf(InputField::Humidity, conditions.humidity, limits)) {
        failure->humidityInput = conditions.humidityInput;
        return Fail(*failure);
    }
    return StateOf(ambient, saturation, conditions.humidityInput, conditions.humidity);
}

} // namespace hygrovane
