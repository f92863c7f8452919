#pragma once

// The place of a weather station, checked alike for every format.

#include "hygrovane/expected.h"

#include <cstddef>
#include <string>

namespace hygrovane::climate {

// Which of a station's coordinates lies outside the EPW data dictionary's range, in their order
// there.
enum class PlaceFailureKind : std::size_t { Latitude, Longitude, TimeZone, Elevation };

struct PlaceFailure {
    PlaceFailureKind kind = PlaceFailureKind::Latitude;
    std::string message; // "the latitude 450 is outside -90 to 90"
};
// Refuses a latitude, longitude, time zone or elevation outside the dictionary's range (time zones
// reach +14 on the Line Islands).
Expected<Done, PlaceFailure> CheckPlace(double latitude, double longitude, double timeZone,
                                        double elevation);

} // namespace hygrovane::climate
