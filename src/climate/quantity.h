#pragma once

// What filters, bin means and tables read of an hour: a field of the file, in the file's unit,
// or a quantity of the hour's computed state, in the core's internal unit.

#include "climate/hourly_states.h"
#include "climate/weather_data.h"

#include <optional>
#include <variant>

namespace hygrovane::climate {

enum class Computed : std::uint8_t {
    DryBulb,          // K
    HumidityRatio,    // kg/kg
    RelativeHumidity, // fraction
    DewPoint,         // K
    WetBulb,          // K
    Enthalpy,         // kJ/kg
    Pressure,         // Pa, the pressure the state was computed at
    HourOfDay,        // 0-23, the hour the record starts in
    Month,            // 1-12
};

using Quantity = std::variant<Field, Computed>;

// The value for hour `index`, or none where it is missing (a missing field, or a state the
// hour does not have). HourOfDay and Month are never missing.
std::optional<double> ValueAt(const WeatherData& data, const HourlyStates& states,
                              std::size_t index, const Quantity& quantity);

} // namespace hygrovane::climate
