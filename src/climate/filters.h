#pragma once

// Choosing hours: months, hours of the day (both may wrap around the year's or the day's end),
// ranges of any quantity and an occupancy schedule by weekday and hour.

#include "climate/hourly_states.h"
#include "climate/quantity.h"
#include "climate/weather_data.h"

#include <array>
#include <bitset>
#include <vector>

namespace hygrovane::climate {

// Which hours of each weekday are occupied: hours[weekday][h] covers h:00 to h+1:00, weekday 0
// is Sunday. The default is Monday to Friday, 08:00 to 18:00.
struct OccupancySchedule {
    std::array<std::bitset<24>, 7> hours = Weekdays(8, 18);

    // Monday to Friday from `from` to `to` o'clock (0-24, from < to).
    static std::array<std::bitset<24>, 7> Weekdays(int from, int to);
    bool Occupied(int weekday, int startHour) const { return hours[weekday][startHour]; }
};

// A quantity's range, both ends included. An hour where the quantity is missing is left out.
struct QuantityRange {
    Quantity quantity = Computed::DryBulb;
    double minimum = 0;
    double maximum = 0;
};

struct Filter {
    // Months first..last, 1-12; first > last wraps over the new year (11..2: Nov-Feb).
    int firstMonth = 1;
    int lastMonth = 12;
    // Clock hours from..to, 0-24: a record is in when the hour it covers starts at or after
    // `from` and before `to`; from > to wraps over midnight (22..6: 22:00-06:00); from == to
    // is the whole day.
    int fromHour = 0;
    int toHour = 24;
    std::vector<QuantityRange> ranges;
    bool occupiedOnly = false;
    OccupancySchedule occupancy;
};

// Whether hour `index` passes the filter. Missing states pass unless a range needs them: their
// hours are counted as missing by the statistics.
bool Passes(const WeatherData& data, const HourlyStates& states, std::size_t index,
            const Filter& filter);

// The indices of the hours that pass, in file order.
std::vector<std::size_t> Select(const WeatherData& data, const HourlyStates& states,
                                const Filter& filter);

} // namespace hygrovane::climate
