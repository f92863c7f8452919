#include "climate/hourly_states.h"

#include "climate/parallel.h"
#include "hygrovane/moist_air.h"
#include "hygrovane/relations.h"

#include <limits>

namespace hygrovane::climate {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kZeroCelsius = kCelsiusOffset; // K

HourState Missing(MissingReason reason, HumiditySource source) {
    HourState s{reason, source, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, kNaN, 1};
    return s;
}

} // namespace

HourState StateOf(const HourRecord& record, const StateOptions& options, double elevation) {
    const HumiditySource source = options.humidity;
    const auto dryBulb = record.Value(Field::DryBulb);
    if (!dryBulb) {
        return Missing(MissingReason::DryBulb, source);
    }
    const auto humidity = record.Value(
        source == HumiditySource::RelativeHumidity ? Field::RelativeHumidity : Field::DewPoint);
    if (!humidity) {
        return Missing(MissingReason::Humidity, source);
    }
    Conditions c;
    c.dryBulb = *dryBulb + kZeroCelsius;
    c.formulation = options.formulation;
    if (options.pressure == PressureSource::Station) {
        const auto pressure = record.Value(Field::StationPressure);
        if (!pressure) {
            return Missing(MissingReason::Pressure, source);
        }
        c.pressureInput = PressureInput::Barometric;
        c.pressure = *pressure;
    } else {
        c.pressureInput = PressureInput::Altitude;
        c.altitude = elevation;
    }
    if (source == HumiditySource::RelativeHumidity) {
        c.humidityInput = HumidityInput::RelativeHumidity;
        c.humidity = *humidity / 100; // % to fraction
    } else {
        c.humidityInput = HumidityInput::DewPoint;
        c.humidity = *humidity + kZeroCelsius;
    }
    const auto state = Solve(c);
    if (!state) {
        return Missing(MissingReason::Refused, source);
    }
    HourState s;
    s.humidityUsed = source;
    s.dryBulb = state->ambient.dryBulb;
    s.pressure = state->ambient.pressure;
    s.humidityRatio = state->humidityRatio;
    s.relativeHumidity = state->relativeHumidity;
    s.dewPoint = state->dewPoint ? *state->dewPoint : kNaN;
    s.wetBulb = state->wetBulb;
    s.enthalpy = state->enthalpy;
    s.specificVolume = state->specificVolume;
    return s;
}

HourlyStates ComputeStates(const WeatherData& data, const StateOptions& options) {
    HourlyStates result;
    result.options = options;
    result.hours.resize(data.hours.size());
    const double elevation = data.header.location.elevation;
    // Each hour is written by exactly one thread from its own record: the order of work does
    // not change a digit.
    ForChunks(data.hours.size(), options.threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            result.hours[i] = StateOf(data.hours[i], options, elevation);
            result.hours[i].hours = RecordHours(data, i);
        }
    });
    for (const HourState& s : result.hours) {
        switch (s.missing) {
        case MissingReason::None:
            ++result.computed;
            break;
        case MissingReason::DryBulb:
            ++result.missingDryBulb;
            break;
        case MissingReason::Humidity:
            ++result.missingHumidity;
            break;
        case MissingReason::Pressure:
            ++result.missingPressure;
            break;
        case MissingReason::Refused:
            ++result.refused;
            break;
        }
    }
    return result;
}

} // namespace hygrovane::climate
