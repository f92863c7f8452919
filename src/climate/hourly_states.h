#pragma once

// Every hour's moist-air state, computed by the core from the file's dry bulb and one of its two
// humidities, at the station pressure or at the standard pressure of the station's elevation.

#include "climate/weather_data.h"
#include "hygrovane/sat_formulation.h"

#include <cstdint>
#include <vector>

namespace hygrovane::climate {

// The file's relative humidity and dew point disagree slightly; the state is computed from the
// one chosen, and each hour says which.
enum class HumiditySource : std::uint8_t { RelativeHumidity, DewPoint };
enum class PressureSource : std::uint8_t {
    Station,  // the row's station pressure
    Elevation // the standard atmosphere at the LOCATION elevation, the same every hour
};

struct StateOptions {
    HumiditySource humidity = HumiditySource::RelativeHumidity;
    PressureSource pressure = PressureSource::Station;
    SatFormulation formulation = SatFormulation::IAPWS;
    unsigned threads = 0; // 0: as many as the machine has; results do not depend on it
};

// Why an hour has no state.
enum class MissingReason : std::uint8_t {
    None,
    DryBulb,  // the dry bulb is missing
    Humidity, // the chosen humidity is missing
    Pressure, // the station pressure is missing
    Refused,  // the core refused the inputs (out of its ranges, dew point above the dry bulb...)
};

// One hour's state in the core's internal units. Where `missing` is not None, every number is
// NaN: a missing hour never counts as zero.
struct HourState {
    MissingReason missing = MissingReason::None;
    HumiditySource humidityUsed = HumiditySource::RelativeHumidity;
    double dryBulb = 0;          // K
    double pressure = 0;         // Pa
    double humidityRatio = 0;    // kg/kg dry air
    double relativeHumidity = 0; // fraction
    double dewPoint = 0;         // K; NaN below the core's lowest dew point
    double wetBulb = 0;          // K
    double enthalpy = 0;         // kJ/kg dry air
    double specificVolume = 0;   // m3/kg dry air
    // The time the record stands for (RecordHours), missing or not: what every figure counts.
    double hours = 1;

    bool ok() const { return missing == MissingReason::None; }
};

// The counts below are of records; the figures over time add up HourState::hours.
struct HourlyStates {
    StateOptions options;
    std::vector<HourState> hours; // one per WeatherData::hours, in the same order
    std::size_t computed = 0;
    std::size_t missingDryBulb = 0;
    std::size_t missingHumidity = 0;
    std::size_t missingPressure = 0;
    std::size_t refused = 0;

    std::size_t Missing() const { return hours.size() - computed; }
};

// The state of every record. Pure: the same data and options give the same states, whatever
// the number of threads.
HourlyStates ComputeStates(const WeatherData& data, const StateOptions& options = {});

// The state of one record (what ComputeStates does for each).
HourState StateOf(const HourRecord& record, const StateOptions& options, double elevation);

} // namespace hygrovane::climate
