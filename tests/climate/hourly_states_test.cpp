// Each hour's state from the file's inputs: which humidity and pressure are used, missing inputs
// marked and counted (never zero), and the same states whatever the number of threads.
#include "climate/epw_reader.h"
#include "climate/hourly_states.h"
#include "climate_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

namespace hygrovane::climate {
namespace {

using namespace testing;
constexpr double kMissing = std::numeric_limits<double>::quiet_NaN();

HourRecord Record(double dryBulb, double dewPoint, double rh, double pressure) {
    HourRecord r;
    r.values.fill(kMissing);
    r.values[static_cast<std::size_t>(Field::DryBulb)] = dryBulb;
    r.values[static_cast<std::size_t>(Field::DewPoint)] = dewPoint;
    r.values[static_cast<std::size_t>(Field::RelativeHumidity)] = rh;
    r.values[static_cast<std::size_t>(Field::StationPressure)] = pressure;
    return r;
}

struct Case {
    const char* name;
    HourRecord record;
    HumiditySource humidity;
    PressureSource pressure;
    MissingReason expected;
};

const Case kCases[] = {
    {"all inputs, RH", Record(-12.2, -16.1, 73, 99500), HumiditySource::RelativeHumidity,
     PressureSource::Station, MissingReason::None},
    {"all inputs, dew point", Record(-12.2, -16.1, 73, 99500), HumiditySource::DewPoint,
     PressureSource::Station, MissingReason::None},
    {"dry bulb missing", Record(kMissing, -16.1, 73, 99500), HumiditySource::RelativeHumidity,
     PressureSource::Station, MissingReason::DryBulb},
    {"RH missing, RH chosen", Record(20, 9.3, kMissing, 99500), HumiditySource::RelativeHumidity,
     PressureSource::Station, MissingReason::Humidity},
    {"RH missing, dew point chosen", Record(20, 9.3, kMissing, 99500), HumiditySource::DewPoint,
     PressureSource::Station, MissingReason::None},
    {"dew point missing, dew point chosen", Record(20, kMissing, 50, 99500),
     HumiditySource::DewPoint, PressureSource::Station, MissingReason::Humidity},
    {"pressure missing at the station", Record(20, 9.3, 50, kMissing),
     HumiditySource::RelativeHumidity, PressureSource::Station, MissingReason::Pressure},
    {"pressure missing, elevation chosen", Record(20, 9.3, 50, kMissing),
     HumiditySource::RelativeHumidity, PressureSource::Elevation, MissingReason::None},
    {"RH 110 % is refused by the core", Record(20, 9.3, 110, 99500),
     HumiditySource::RelativeHumidity, PressureSource::Station, MissingReason::Refused},
    {"dew point above the dry bulb is refused", Record(20, 22, 50, 99500), HumiditySource::DewPoint,
     PressureSource::Station, MissingReason::Refused},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class States : public ::testing::TestWithParam<Case> {};

TEST_P(States, MarkWhatIsMissing) {
    const Case& c = GetParam();
    const StateOptions options{.humidity = c.humidity, .pressure = c.pressure};
    const HourState s = StateOf(c.record, options, 201);
    EXPECT_EQ(s.missing, c.expected);
    EXPECT_EQ(s.humidityUsed, c.humidity);
    if (c.expected != MissingReason::None) {
        for (double v : {s.dryBulb, s.pressure, s.humidityRatio, s.relativeHumidity, s.wetBulb,
                         s.enthalpy, s.specificVolume}) {
            EXPECT_TRUE(std::isnan(v)) << "a missing hour must not hold a number";
        }
        return;
    }
    // The state agrees with the humidity not chosen, as closely as a file's two humidities agree
    // (Chicago's first hour: -16.1 degC given, -15.64 degC from its 73 %).
    const double dryBulb = *c.record.Value(Field::DryBulb);
    EXPECT_NEAR(s.dryBulb - 273.15, dryBulb, 2e-5); // held in 32 bits
    if (const auto dew = c.record.Value(Field::DewPoint);
        dew && c.humidity != HumiditySource::DewPoint) {
        EXPECT_NEAR(s.dewPoint - 273.15, *dew, 0.6);
    }
    if (const auto rh = c.record.Value(Field::RelativeHumidity);
        rh && c.humidity != HumiditySource::RelativeHumidity) {
        EXPECT_NEAR(s.relativeHumidity * 100, *rh, 4.0);
    }
    if (c.pressure == PressureSource::Station) {
        EXPECT_EQ(s.pressure, *c.record.Value(Field::StationPressure));
    } else { // the standard atmosphere at 201 m: 101325 (1 - 2.25577e-5 z)^5.2559 = 98933.7 Pa
        EXPECT_NEAR(s.pressure, 98933.7, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Climate, States, ::testing::ValuesIn(kCases));

TEST(ChicagoStates, EveryHourComputedFromEitherHumidity) {
    ASSERT_EQ(Chicago().hours.size(), 8760u);
    for (const HumiditySource source :
         {HumiditySource::RelativeHumidity, HumiditySource::DewPoint}) {
        const HourlyStates states = ComputeStates(Chicago(), {.humidity = source});
        EXPECT_EQ(states.computed, 8760u);
        EXPECT_EQ(states.Missing(), 0u);
        EXPECT_EQ(states.hours[4000].humidityUsed, source);
    }
}

TEST(ChicagoStates, MissingInputsAreCountedByReason) {
    WeatherData data = Chicago();
    ASSERT_EQ(data.hours.size(), 8760u);
    const auto blank = [&](std::size_t i, Field f) {
        data.hours[i].values[static_cast<std::size_t>(f)] = kMissing;
    };
    blank(10, Field::DryBulb);
    blank(11, Field::DryBulb);
    blank(11, Field::RelativeHumidity); // counted once, for its dry bulb
    blank(12, Field::RelativeHumidity);
    blank(13, Field::StationPressure);
    data.hours[14].values[static_cast<std::size_t>(Field::RelativeHumidity)] = 105;
    const HourlyStates states = ComputeStates(data);
    EXPECT_EQ(states.missingDryBulb, 2u);
    EXPECT_EQ(states.missingHumidity, 1u);
    EXPECT_EQ(states.missingPressure, 1u);
    EXPECT_EQ(states.refused, 1u);
    EXPECT_EQ(states.Missing(), 5u);
    EXPECT_EQ(states.computed, 8755u);
}

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

TEST(ChicagoStates, ThreadCountChangesNoDigit) {
    const HourlyStates one = ComputeStates(Chicago(), {.threads = 1});
    for (const unsigned threads : {2u, 3u, 8u}) {
        const HourlyStates many = ComputeStates(Chicago(), {.threads = threads});
        ASSERT_EQ(many.hours.size(), one.hours.size());
        std::size_t differing = 0;
        for (std::size_t i = 0; i < one.hours.size(); ++i) {
            const HourState& a = one.hours[i];
            const HourState& b = many.hours[i];
            differing +=
                !(SameBits(a.dryBulb, b.dryBulb) && SameBits(a.humidityRatio, b.humidityRatio) &&
                  SameBits(a.wetBulb, b.wetBulb) && SameBits(a.enthalpy, b.enthalpy) &&
                  SameBits(a.dewPoint, b.dewPoint));
        }
        EXPECT_EQ(differing, 0u) << threads << " threads";
    }
}

} // namespace
} // namespace hygrovane::climate
