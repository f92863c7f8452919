#include "climate/zones.h"

#include "climate/parallel.h"

#include <algorithm>
#include <bit>

namespace hygrovane::climate {

ZoneMembership MembershipOf(const HourlyStates& states, std::span<const ZoneTest> zones,
                            unsigned threads) {
    ZoneMembership m;
    m.zoneCount = std::min(zones.size(), kMostZones);
    m.masks.assign(states.hours.size(), 0);
    ForChunks(states.hours.size(), threads, [&](std::size_t begin, std::size_t end) {
        for (std::size_t i = begin; i < end; ++i) {
            const HourState& s = states.hours[i];
            if (!s.ok()) {
                continue;
            }
            std::uint64_t mask = 0;
            for (std::size_t z = 0; z < m.zoneCount; ++z) {
                if (zones[z].contains && zones[z].contains(s, i)) {
                    mask |= std::uint64_t{1} << z;
                }
            }
            m.masks[i] = mask;
        }
    });
    return m;
}

ZoneReport ZoneReportOf(const WeatherData& data, const HourlyStates& states,
                        const ZoneMembership& membership, std::span<const ZoneTest> zones,
                        std::span<const std::size_t> selection, const OutsideRule& rule) {
    const std::size_t n = std::min(membership.zoneCount, zones.size());
    ZoneReport report;
    for (std::size_t z = 0; z < n; ++z) {
        report.names.push_back(zones[z].name);
    }
    const auto reset = [n](ZoneCounts& c) {
        c.inZone.assign(n, 0);
        c.onlyZone.assign(n, 0);
        c.time.inZone.assign(n, 0);
        c.time.onlyZone.assign(n, 0);
    };
    reset(report.total);
    for (ZoneCounts& c : report.months) {
        reset(c);
    }

    // The split between too warm and too cool, from the union's hours unless given.
    double sum = 0;
    double time = 0;
    for (const std::size_t i : selection) {
        if (states.hours[i].ok() && membership.masks[i] != 0) {
            sum += states.hours[i].dryBulb * states.hours[i].hours;
            time += states.hours[i].hours;
        }
    }
    report.splitDryBulb = rule.splitDryBulb ? *rule.splitDryBulb : time > 0 ? sum / time : 295.15;

    for (const std::size_t i : selection) {
        const HourState& s = states.hours[i];
        const int month = data.hours[i].month;
        const double h = s.hours;
        for (ZoneCounts* c : {&report.total, &report.months[month - 1]}) {
            ZoneHours& t = c->time;
            ++c->hours;
            t.hours += h;
            if (!s.ok()) {
                ++c->missing;
                t.missing += h;
                continue;
            }
            const std::uint64_t mask = membership.masks[i];
            if (mask != 0) {
                const auto first = static_cast<std::size_t>(std::countr_zero(mask));
                ++c->inUnion;
                t.inUnion += h;
                ++c->onlyZone[first];
                t.onlyZone[first] += h;
                for (std::size_t z = 0; z < n; ++z) {
                    if (mask >> z & 1) {
                        ++c->inZone[z];
                        t.inZone[z] += h;
                    }
                }
            } else if (s.humidityRatio > rule.humidityRatioLimit) {
                ++c->tooHumid;
                t.tooHumid += h;
            } else if (s.dryBulb > report.splitDryBulb) {
                ++c->tooWarm;
                t.tooWarm += h;
            } else {
                ++c->tooCool;
                t.tooCool += h;
            }
        }
    }
    return report;
}

} // namespace hygrovane::climate
