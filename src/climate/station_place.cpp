#include "climate/station_place.h"
#include "text/number_text.h"

#include <charconv>

namespace hygrovane::climate {

namespace {

// The shortest text that reads back as the value, free of the locale.
std::string ShortNumber(double value) {
    return text::ShortestText(value);
}

} // namespace

Expected<Done, PlaceFailure> CheckPlace(double latitude, double longitude, double timeZone,
                                        double elevation) {
    struct Range {
        const char* name;
        double value, lowest, highest;
        const char* text;
    };
    const Range ranges[4] = {{"latitude", latitude, -90, 90, "-90 to 90"},
                             {"longitude", longitude, -180, 180, "-180 to 180"},
                             {"time zone", timeZone, -12, 14, "-12 to +14"},
                             {"elevation", elevation, -1000, 9999.9, "-1000 to 9999.9 m"}};
    for (std::size_t k = 0; k < 4; ++k) {
        const Range& r = ranges[k];
        // The elevation's 9999.9 is the dictionary's missing code, not a height.
        const bool above = k == 3 ? r.value >= r.highest : r.value > r.highest;
        if (r.value < r.lowest || above) {
            return Fail(PlaceFailure{static_cast<PlaceFailureKind>(k),
                                     std::string("the ") + r.name + " " + ShortNumber(r.value) +
                                         " is outside " + r.text});
        }
    }
    return Done{};
}

} // namespace hygrovane::climate
