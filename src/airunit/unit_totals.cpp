#include "airunit/unit_totals.h"

namespace hygrovane::airunit {

namespace {

constexpr double kSecondsPerHour = 3600;

} // namespace

void Add(UnitTotals& t, const UnitHour& h) {
    const double d = h.hours;
    if (h.status == HourStatus::Off) {
        t.hoursOff += d;
        return;
    }
    if (h.status == HourStatus::Missing) {
        t.hoursMissing += d;
        return;
    }
    t.hoursOn += d;
    const auto count = [d](double& hours, bool runs) {
        if (runs) {
            hours += d;
        }
    };
    count(t.economizerHours, h.economizer);
    count(t.fullOutdoorAirHours, h.outdoorFraction == 1);
    count(t.heatingHours, h.heatingKW > kRunningLoad);
    count(t.coolingHours, h.coolingKW > kRunningLoad);
    count(t.dehumidifyingHours, h.dehumidifying && h.coolingKW > kRunningLoad);
    count(t.reheatHours, h.reheatKW > kRunningLoad);
    count(t.humidifyingHours, h.humidifierKW > kRunningLoad);
    t.heatingKWh += h.heatingKW * d;
    t.coolingKWh += h.coolingKW * d;
    t.coolingSensibleKWh += h.coolingSensibleKW * d;
    t.coolingLatentKWh += h.coolingLatentKW * d;
    t.reheatKWh += h.reheatKW * d;
    t.humidifierKWh += h.humidifierKW * d;
    if (h.recovery == RecoveryMode::Heating) {
        t.recoveredHeatingKWh += h.recoveredKW * d;
    } else if (h.recovery == RecoveryMode::Cooling) {
        t.recoveredCoolingKWh += h.recoveredKW * d;
    }
    t.condensateKg += h.condensateKgS * kSecondsPerHour * d;
    t.steamKg += h.steamKgS * kSecondsPerHour * d;
}

void Add(UnitPeaks& peaks, const UnitHour& h, std::size_t record, int month, int day,
         int clockHour) {
    if (h.status != HourStatus::On) {
        return;
    }
    for (const PeakField& field : kPeakFields) {
        Peak& peak = peaks.*field.peak;
        const double load = h.*field.load;
        if (load > peak.value) { // strictly: the first record of the largest load stays
            peak = {load, true, record, month, day, clockHour};
        }
    }
}

} // namespace hygrovane::airunit
