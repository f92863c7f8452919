#pragma once

// Hours in named zones of the chart (comfort zones, strategy zones, user polygons): each zone is
// a predicate on an hour, so that any model can be counted here without this library knowing it.

#include "climate/hourly_states.h"
#include "climate/weather_data.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace hygrovane::climate {

// A zone: whether the hour with this state (and this index into WeatherData::hours, for models
// that look at the file's other fields or at earlier hours) lies in it. Called only for hours
// with a state, possibly from several threads at once: it must not change shared state.
struct ZoneTest {
    std::string name;
    std::function<bool(const HourState&, std::size_t index)> contains;
};

inline constexpr std::size_t kMostZones = 64;

// Which zones each hour lies in, computed once per zone list and state set, so that a filter
// change only counts again. Bit z of masks[i] is set when hour i lies in zone z.
struct ZoneMembership {
    std::size_t zoneCount = 0;
    std::vector<std::uint64_t> masks;
};

// The membership of every hour with a state (hours without one have mask 0). At most
// kMostZones zones are used; `threads` as in StateOptions.
ZoneMembership MembershipOf(const HourlyStates& states, std::span<const ZoneTest> zones,
                            unsigned threads = 0);

// How an hour outside every zone is classed, so that the classes add up:
// - too humid: its humidity ratio is above `humidityRatioLimit`;
// - otherwise too warm when its dry bulb is above the split dry bulb, else too cool.
// The split is `splitDryBulb` when given, else the time-weighted mean dry bulb of the counted
// hours that lie in the union of the zones, else 295.15 K (22 degC) when none does.
struct OutsideRule {
    double humidityRatioLimit = 0.012;  // kg/kg, the upper humidity limit of ASHRAE 55's zone
    std::optional<double> splitDryBulb; // K
};

// The figures of one set (the year, or one month of it) in hours: each record counts for the
// time it stands for (HourState::hours), so that a file of several records an hour gives the
// hours an hourly one gives. Percent divides by `hours`, the hours counted. inUnion + tooWarm +
// tooCool + tooHumid + missing == hours, and the onlyZone entries add up to inUnion: an hour in
// several zones counts for the first of them in list order.
struct ZoneHours {
    double hours = 0;
    double missing = 0;
    std::vector<double> inZone;   // per zone, overlaps counted in each
    std::vector<double> onlyZone; // per zone, each hour in its first zone only
    double inUnion = 0;
    double tooWarm = 0;
    double tooCool = 0;
    double tooHumid = 0;

    double Percent(double count) const { return hours <= 0 ? 0.0 : 100.0 * count / hours; }
};

// The same figures as counts of records (the hours of an hourly file), classed as ZoneHours
// classes them, with their hours in `time`: the figures shown are the hours.
struct ZoneCounts {
    std::size_t hours = 0; // records
    std::size_t missing = 0;
    std::vector<std::size_t> inZone;
    std::vector<std::size_t> onlyZone;
    std::size_t inUnion = 0;
    std::size_t tooWarm = 0;
    std::size_t tooCool = 0;
    std::size_t tooHumid = 0;
    ZoneHours time;

    // A share of the records; of the hours, time.Percent.
    double Percent(std::size_t count) const {
        return hours == 0 ? 0.0 : 100.0 * static_cast<double>(count) / static_cast<double>(hours);
    }
};

struct ZoneReport {
    std::vector<std::string> names;
    double splitDryBulb = 0; // K, the split used for too warm / too cool
    ZoneCounts total;
    std::array<ZoneCounts, 12> months; // January first
};

// The figures of the hours in `selection` (indices into data.hours, as Select gives them), with
// the membership MembershipOf gave for these states and zones.
ZoneReport ZoneReportOf(const WeatherData& data, const HourlyStates& states,
                        const ZoneMembership& membership, std::span<const ZoneTest> zones,
                        std::span<const std::size_t> selection, const OutsideRule& rule = {});

} // namespace hygrovane::climate
