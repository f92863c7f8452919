#include "climate/quantity.h"

#include <cmath>

namespace hygrovane::climate {

std::optional<double> ValueAt(const WeatherData& data, const HourlyStates& states,
                              std::size_t index, const Quantity& quantity) {
    const HourRecord& record = data.hours[index];
    if (const Field* field = std::get_if<Field>(&quantity)) {
        return record.Value(*field);
    }
    const Computed computed = std::get<Computed>(quantity);
    if (computed == Computed::HourOfDay) {
        return record.StartHour();
    }
    if (computed == Computed::Month) {
        return record.month;
    }
    const HourState& s = states.hours[index];
    if (!s.ok()) {
        return std::nullopt;
    }
    double value = 0;
    switch (computed) {
    case Computed::DryBulb:
        value = s.dryBulb;
        break;
    case Computed::HumidityRatio:
        value = s.humidityRatio;
        break;
    case Computed::RelativeHumidity:
        value = s.relativeHumidity;
        break;
    case Computed::DewPoint:
        value = s.dewPoint;
        break;
    case Computed::WetBulb:
        value = s.wetBulb;
        break;
    case Computed::Enthalpy:
        value = s.enthalpy;
        break;
    case Computed::Pressure:
        value = s.pressure;
        break;
    default:
        break;
    }
    if (std::isnan(value)) {
        return std::nullopt;
    }
    return value;
}

} // namespace hygrovane::climate
