#pragma once

// A year of hours for the counting tests: dry bulb, relative humidity, station pressure and
// global horizontal radiation of chicago.epw, read from the shared data when it is beside the
// clone and from the checked-in extract (data/chicago_hours.csv) otherwise.

#include <string>
#include <vector>

namespace hygrovane::comfort::test {

struct WeatherHour {
    double dryBulb = 0;          // degC
    double relativeHumidity = 0; // %
    double pressure = 0;         // Pa
    double radiation = 0;        // global horizontal, Wh/m2 over the hour
};

// The 8760 hours, or an empty vector with a failure of the calling test.
std::vector<WeatherHour> ChicagoHours();

} // namespace hygrovane::comfort::test
