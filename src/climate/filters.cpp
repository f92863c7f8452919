#include "climate/filters.h"

#include <algorithm>

namespace hygrovane::climate {

namespace {

// Whether v lies in first..last of a cycle, inclusive; first > last wraps.
bool InWrapped(int v, int first, int last) {
    return first <= last ? v >= first && v <= last : v >= first || v <= last;
}

} // namespace

std::array<std::bitset<24>, 7> OccupancySchedule::Weekdays(int from, int to) {
    std::array<std::bitset<24>, 7> week{};
    for (int day = 1; day <= 5; ++day) {
        for (int h = std::max(from, 0); h < std::min(to, 24); ++h) {
            week[day].set(h);
        }
    }
    return week;
}

bool Passes(const WeatherData& data, const HourlyStates& states, std::size_t index,
            const Filter& filter) {
    const HourRecord& r = data.hours[index];
    if (!InWrapped(r.month, filter.firstMonth, filter.lastMonth)) {
        return false;
    }
    const int start = r.StartHour();
    if (filter.fromHour != filter.toHour) {
        const bool in = filter.fromHour < filter.toHour
                            ? start >= filter.fromHour && start < filter.toHour
                            : start >= filter.fromHour || start < filter.toHour;
        if (!in) {
            return false;
        }
    }
    if (filter.occupiedOnly && !filter.occupancy.Occupied(r.weekday, start)) {
        return false;
    }
    for (const QuantityRange& range : filter.ranges) {
        const auto value = ValueAt(data, states, index, range.quantity);
        if (!value || *value < range.minimum || *value > range.maximum) {
            return false;
        }
    }
    return true;
}

std::vector<std::size_t> Select(const WeatherData& data, const HourlyStates& states,
                                const Filter& filter) {
    std::vector<std::size_t> selected;
    selected.reserve(data.hours.size());
    for (std::size_t i = 0; i < data.hours.size(); ++i) {
        if (Passes(data, states, i, filter)) {
            selected.push_back(i);
        }
    }
    return selected;
}

} // namespace hygrovane::climate
