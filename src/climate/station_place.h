#pragma once

// The place of a weather station, checked alike for every format.

#include <cstddef>
#include <optional>
#include <string>

namespace hygrovane::climate {

// Which of a station's latitude, longitude, time zone and elevation lies outside the EPW data
// dictionary's range (time zones reach +14 on the Line Islands).
struct PlaceFault {
    std::size_t which = 0; // 0 latitude, 1 longitude, 2 time zone, 3 elevation
    std::string detail;    // "the latitude 450 is outside -90 to 90"
};
std::optional<PlaceFault> CheckPlace(double latitude, double longitude, double timeZone,
                                     double elevation);

} // namespace hygrovane::climate
