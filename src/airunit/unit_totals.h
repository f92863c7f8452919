#pragma once

// The figures of a unit's run over a span of records (the year, a month): hours weighted by the
// time each record stands for, energies in kWh, water in kg, and the peak loads.

#include "airunit/unit_hour.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace hygrovane::airunit {

struct UnitTotals {
    double hoursOn = 0;
    double hoursOff = 0;
    double hoursMissing = 0;
    double economizerHours = 0;
    double fullOutdoorAirHours = 0;
    double heatingHours = 0;
    double coolingHours = 0;
    double dehumidifyingHours = 0;
    double reheatHours = 0;
    double humidifyingHours = 0;
    double heatingKWh = 0;
    double coolingKWh = 0;
    double coolingSensibleKWh = 0;
    double coolingLatentKWh = 0;
    double reheatKWh = 0;
    double humidifierKWh = 0;
    double recoveredHeatingKWh = 0;
    double recoveredCoolingKWh = 0;
    double condensateKg = 0;
    double steamKg = 0;
};

// The figures' names as files and scripts read them, in the order above. Never change one.
struct TotalField {
    const char* key;
    double UnitTotals::*member;
};
inline constexpr std::array<TotalField, 20> kTotalFields{{
    {"hoursOn", &UnitTotals::hoursOn},
    {"hoursOff", &UnitTotals::hoursOff},
    {"hoursMissing", &UnitTotals::hoursMissing},
    {"economizerHours", &UnitTotals::economizerHours},
    {"fullOutdoorAirHours", &UnitTotals::fullOutdoorAirHours},
    {"heatingHours", &UnitTotals::heatingHours},
    {"coolingHours", &UnitTotals::coolingHours},
    {"dehumidifyingHours", &UnitTotals::dehumidifyingHours},
    {"reheatHours", &UnitTotals::reheatHours},
    {"humidifyingHours", &UnitTotals::humidifyingHours},
    {"heatingKWh", &UnitTotals::heatingKWh},
    {"coolingKWh", &UnitTotals::coolingKWh},
    {"coolingSensibleKWh", &UnitTotals::coolingSensibleKWh},
    {"coolingLatentKWh", &UnitTotals::coolingLatentKWh},
    {"reheatKWh", &UnitTotals::reheatKWh},
    {"humidifierKWh", &UnitTotals::humidifierKWh},
    {"recoveredHeatingKWh", &UnitTotals::recoveredHeatingKWh},
    {"recoveredCoolingKWh", &UnitTotals::recoveredCoolingKWh},
    {"condensateKg", &UnitTotals::condensateKg},
    {"steamKg", &UnitTotals::steamKg},
}};

// The first record with the largest load; none (found false) where no record had a load above 0.
struct Peak {
    double value = 0; // kW
    bool found = false;
    std::size_t record = 0; // index in the weather data
    int month = 0;          // 1-12
    int day = 0;            // 1-31
    int hour = 0;           // 1-24, as the file writes it
};

struct UnitPeaks {
    Peak heatingKW;
    Peak coolingKW;
    Peak reheatKW;
    Peak humidifierKW;
};

struct PeakField {
    const char* key;
    Peak UnitPeaks::*peak;
    double UnitHour::*load;
};
inline constexpr std::array<PeakField, 4> kPeakFields{{
    {"heatingKW", &UnitPeaks::heatingKW, &UnitHour::heatingKW},
    {"coolingKW", &UnitPeaks::coolingKW, &UnitHour::coolingKW},
    {"reheatKW", &UnitPeaks::reheatKW, &UnitHour::reheatKW},
    {"humidifierKW", &UnitPeaks::humidifierKW, &UnitHour::humidifierKW},
}};

// Adds one record (its time, and where it is On its loads) to the totals.
void Add(UnitTotals& totals, const UnitHour& hour);
// Takes an On record's loads as the peaks where they are larger than the peaks so far.
void Add(UnitPeaks& peaks, const UnitHour& hour, std::size_t record, int month, int day,
         int clockHour);

} // namespace hygrovane::airunit
