// The guide's walk-through: Chicago's year through the example 100 % outdoor-air unit files,
// without and with an enthalpy wheel. The figures are the guide's, as the text output rounds them.
#include "airunit/unit_run.h"
#include "climate/weather_file.h"
#include "unitfile/unit_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace hygrovane::unitfile {
namespace {

using airunit::UnitHour;
using airunit::UnitTotals;

airunit::UnitRun YearThrough(const char* file) {
    static const auto data =
        climate::ReadWeatherFile(std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw");
    static const auto states = climate::ComputeStates(*data);
    const auto unit = OpenUnit(std::string(HYGROVANE_EXAMPLES) + "/units/" + file);
    EXPECT_TRUE(unit.has_value()) << file;
    auto run = airunit::RunUnit(*data, states, {}, *unit);
    EXPECT_TRUE(run.has_value()) << file;
    return *run;
}

TEST(GuideWalkThrough, ChicagoThroughAnOutdoorAirUnitWithAndWithoutAWheel) {
    const airunit::UnitRun plain = YearThrough("outdoor-air.json");
    const airunit::UnitRun wheel = YearThrough("outdoor-air-wheel.json");
    struct Row {
        double UnitTotals::*figure;
        long withoutWheel, withWheel;
    };
    const Row rows[] = {
        {&UnitTotals::heatingKWh, 183439, 27},
        {&UnitTotals::coolingKWh, 199419, 172514},
        {&UnitTotals::coolingSensibleKWh, 111553, 103079},
        {&UnitTotals::coolingLatentKWh, 87866, 69434},
        {&UnitTotals::reheatKWh, 11742, 11786},
        {&UnitTotals::humidifierKWh, 59807, 796},
        {&UnitTotals::recoveredHeatingKWh, 0, 280082},
        {&UnitTotals::recoveredCoolingKWh, 0, 26588},
        {&UnitTotals::condensateKg, 127910, 101079},
        {&UnitTotals::steamKg, 80292, 1069},
        {&UnitTotals::heatingHours, 4931, 25},
        {&UnitTotals::humidifyingHours, 3725, 184},
        {&UnitTotals::dehumidifyingHours, 2953, 2964},
    };
    for (const Row& row : rows) {
        const auto key = std::find_if(airunit::kTotalFields.begin(), airunit::kTotalFields.end(),
                                      [&](const auto& f) { return f.member == row.figure; });
        const char* name = key != airunit::kTotalFields.end() ? key->key : "?";
        EXPECT_EQ(std::lround(plain.year.*row.figure), row.withoutWheel) << name;
        EXPECT_EQ(std::lround(wheel.year.*row.figure), row.withWheel) << name;
    }
    EXPECT_EQ(std::lround(10 * plain.peaks.coolingKW.value), 1662);
    EXPECT_EQ(std::lround(10 * wheel.peaks.coolingKW.value), 1178);
    EXPECT_EQ(wheel.peaks.coolingKW.month * 100 + wheel.peaks.coolingKW.day, 708);
    EXPECT_EQ(std::lround(10 * wheel.peaks.humidifierKW.value), 183);

    // A coil sized on the wheel's peak loses the dew point without it in 205 hours, 3224 kWh short.
    double hours = 0, shortKWh = 0;
    for (const UnitHour& h : plain.hours) {
        if (h.coolingKW > wheel.peaks.coolingKW.value) {
            hours += h.hours;
            shortKWh += (h.coolingKW - wheel.peaks.coolingKW.value) * h.hours;
        }
    }
    EXPECT_EQ(hours, 205);
    EXPECT_EQ(std::lround(shortKWh), 3224);
}

} // namespace
} // namespace hygrovane::unitfile
