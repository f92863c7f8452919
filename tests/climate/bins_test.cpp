// Frequency bins: which band an hour falls in, at the edges and in both unit systems, and the
// counts and means over a year.
#include "climate/bins.h"
#include "climate_support.h"

#include <gtest/gtest.h>

#include <numeric>

namespace hygrovane::climate {
namespace {

using namespace testing;

struct Case {
    const char* name;
    BinAxis axis;
    BinUnits units;
    double dryBulbC;
    double humidityRatio;
    double relativeHumidity;
    long column;
    long row;
};

// 1 gr/lb = 1/7000 kg/kg; 70 degF = 21.1111 degC; 0 degF = -17.7778 degC.
const Case kCases[] = {
    {"20 C, 5 g/kg starts its bands", BinAxis::HumidityRatio, BinUnits::SI, 20.0, 0.005, 0.3, 20,
     5},
    {"just below 20 C", BinAxis::HumidityRatio, BinUnits::SI, 19.95, 0.00499, 0.3, 19, 4},
    {"below zero", BinAxis::HumidityRatio, BinUnits::SI, -0.5, 0.0021, 0.6, -1, 2},
    {"75 % starts its band", BinAxis::RelativeHumidity, BinUnits::SI, 20.0, 0.01, 0.75, 20, 15},
    {"saturated air is in the top band", BinAxis::RelativeHumidity, BinUnits::SI, 20.0, 0.0147, 1.0,
     20, 19},
    {"70 F, 70 gr/lb", BinAxis::HumidityRatio, BinUnits::IP, 21.1111111111, 70.0 / 7000, 0.5, 35,
     7},
    {"69.9 F, 69.9 gr/lb", BinAxis::HumidityRatio, BinUnits::IP, 21.05, 69.9 / 7000, 0.5, 34, 6},
    {"0 F", BinAxis::HumidityRatio, BinUnits::IP, -17.7777777778, 0.0005, 0.5, 0, 0},
    {"-1 F", BinAxis::RelativeHumidity, BinUnits::IP, -18.3333333333, 0.0005, 0.52, -1, 10},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class Bins : public ::testing::TestWithParam<Case> {};

TEST_P(Bins, PlaceAnHour) {
    const Case& c = GetParam();
    WeatherData data;
    data.hours.resize(1);
    HourlyStates states;
    // 32 bits, as the core holds dry bulbs.
    HourState s = HandState(0, c.humidityRatio, c.relativeHumidity);
    s.dryBulb = static_cast<float>(c.dryBulbC + 273.15);
    states.hours = {s};
    const std::size_t only[] = {0};
    const BinTable t =
        MakeBins(data, states, only, {.axis = c.axis, .units = c.units, .meanOf = {}});
    ASSERT_EQ(t.bins.size(), 1u);
    EXPECT_EQ(t.bins[0].column, c.column);
    EXPECT_EQ(t.bins[0].row, c.row);
    EXPECT_LE(t.bins[0].dryBulbLow, s.dryBulb + 1e-4);
    EXPECT_GT(t.bins[0].dryBulbHigh, s.dryBulb);
}

INSTANTIATE_TEST_SUITE_P(Climate, Bins, ::testing::ValuesIn(kCases));

TEST(YearBins, CountEveryHourOnceAndMissingApart) {
    const auto& data = Chicago();
    HourlyStates states = ChicagoStates();
    ASSERT_EQ(states.hours.size(), 8760u);
    for (const std::size_t i : {5u, 6u, 7u}) {
        states.hours[i].missing = MissingReason::DryBulb;
    }
    std::vector<std::size_t> all(8760);
    std::iota(all.begin(), all.end(), 0);
    for (const BinAxis axis : {BinAxis::HumidityRatio, BinAxis::RelativeHumidity}) {
        for (const BinUnits units : {BinUnits::SI, BinUnits::IP}) {
            const BinTable t = MakeBins(data, states, all,
                                        {.axis = axis, .units = units, .meanOf = Field::WindSpeed});
            std::size_t sum = 0, most = 0;
            for (const Bin& b : t.bins) {
                sum += b.hours;
                most = std::max(most, b.hours);
                EXPECT_EQ(b.meanHours, b.hours); // wind speed is never missing here
            }
            EXPECT_EQ(sum, 8757u);
            EXPECT_EQ(t.binned, 8757u);
            EXPECT_EQ(t.missing, 3u);
            EXPECT_EQ(t.mostHours, most);
        }
    }
}

TEST(YearBins, MeanOfAFieldSkipsItsMissingHours) {
    // Albedo is missing in 8040 of Chicago's hours: the means use the other 720 only.
    const auto& data = Chicago();
    std::vector<std::size_t> all(data.hours.size());
    std::iota(all.begin(), all.end(), 0);
    const BinTable t =
        MakeBins(data, ChicagoStates(), all,
                 {.axis = BinAxis::HumidityRatio, .units = BinUnits::SI, .meanOf = Field::Albedo});
    std::size_t withMean = 0;
    double weighted = 0, direct = 0;
    for (const Bin& b : t.bins) {
        withMean += b.meanHours;
        if (b.mean) {
            weighted += *b.mean * static_cast<double>(b.meanHours);
        } else {
            EXPECT_EQ(b.meanHours, 0u);
        }
    }
    for (const HourRecord& r : data.hours) {
        direct += r.Value(Field::Albedo).value_or(0);
    }
    EXPECT_EQ(withMean, 720u);
    EXPECT_NEAR(weighted, direct, 1e-9 * direct);
}

TEST(YearBins, MeanOfTheHourOfDay) {
    // Hours 08:00-09:00 only: every bin's mean hour is 8.
    const auto& data = Chicago();
    std::vector<std::size_t> eight;
    for (std::size_t i = 0; i < data.hours.size(); ++i) {
        if (data.hours[i].StartHour() == 8) {
            eight.push_back(i);
        }
    }
    const BinTable t = MakeBins(
        data, ChicagoStates(), eight,
        {.axis = BinAxis::HumidityRatio, .units = BinUnits::SI, .meanOf = Computed::HourOfDay});
    for (const Bin& b : t.bins) {
        EXPECT_EQ(b.mean, 8.0);
    }
    EXPECT_EQ(t.binned, 365u);
}

} // namespace
} // namespace hygrovane::climate
