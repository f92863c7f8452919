// Zone figures: per zone, only-zone (in list order) and union hours, the hours outside classed
// as too warm, too cool or too humid, and missing hours, for the year and by month; the figures
// add up, and a filter change only counts again.
#include "climate/filters.h"
#include "climate/zones.h"
#include "climate_support.h"

#include <gtest/gtest.h>

#include <numeric>

namespace hygrovane::climate {
namespace {

using namespace testing;

ZoneTest Band(const char* name, double lowC, double highC, double maxW) {
    return {name, [=](const HourState& s, std::size_t) {
                return s.dryBulb >= lowC + 273.15 && s.dryBulb <= highC + 273.15 &&
                       s.humidityRatio <= maxW;
            }};
}

const std::vector<ZoneTest> kZones = {
    Band("comfort", 20, 26, 0.012), Band("warm", 24, 30, 0.012), // overlaps comfort at 24-26 degC
    Band("cool", 12, 21, 0.012),                                 // overlaps comfort at 20-21 degC
};

std::vector<std::size_t> All(std::size_t n) {
    std::vector<std::size_t> all(n);
    std::iota(all.begin(), all.end(), 0);
    return all;
}

void ExpectAddsUp(const ZoneCounts& c, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_EQ(std::accumulate(c.onlyZone.begin(), c.onlyZone.end(), std::size_t{0}), c.inUnion);
    EXPECT_EQ(c.inUnion + c.tooWarm + c.tooCool + c.tooHumid + c.missing, c.hours);
    double percent =
        c.Percent(c.tooWarm) + c.Percent(c.tooCool) + c.Percent(c.tooHumid) + c.Percent(c.missing);
    for (const std::size_t only : c.onlyZone) {
        percent += c.Percent(only);
    }
    if (c.hours > 0) {
        EXPECT_NEAR(percent, 100.0, 1e-9);
    }
    for (std::size_t z = 0; z < c.inZone.size(); ++z) {
        EXPECT_LE(c.onlyZone[z], c.inZone[z]);
        EXPECT_LE(c.inZone[z], c.inUnion);
    }
}

TEST(ZoneFigures, AddUpOverTheYearAndEachMonth) {
    const auto& data = Chicago();
    HourlyStates states = ChicagoStates();
    ASSERT_EQ(states.hours.size(), 8760u);
    for (const std::size_t i : {100u, 4000u, 4001u}) { // two missing in June
        states.hours[i].missing = MissingReason::Humidity;
    }
    const ZoneMembership m = MembershipOf(states, kZones);
    const ZoneReport r = ZoneReportOf(data, states, m, kZones, All(8760));
    EXPECT_EQ(r.names, (std::vector<std::string>{"comfort", "warm", "cool"}));
    EXPECT_EQ(r.total.hours, 8760u);
    EXPECT_EQ(r.total.missing, 3u);
    EXPECT_EQ(r.months[5].missing, 2u);
    ExpectAddsUp(r.total, "year");
    ZoneCounts sum;
    sum.inZone.assign(3, 0);
    sum.onlyZone.assign(3, 0);
    for (std::size_t month = 0; month < 12; ++month) {
        ExpectAddsUp(r.months[month], "month " + std::to_string(month + 1));
        const ZoneCounts& c = r.months[month];
        sum.hours += c.hours;
        sum.inUnion += c.inUnion;
        sum.tooWarm += c.tooWarm;
        sum.tooHumid += c.tooHumid;
        for (std::size_t z = 0; z < 3; ++z) {
            sum.inZone[z] += c.inZone[z];
        }
    }
    EXPECT_EQ(sum.hours, r.total.hours);
    EXPECT_EQ(sum.inUnion, r.total.inUnion);
    EXPECT_EQ(sum.tooWarm, r.total.tooWarm);
    EXPECT_EQ(sum.tooHumid, r.total.tooHumid);
    EXPECT_EQ(sum.inZone, r.total.inZone);
    // Each zone's own count is its predicate's count over the hours with a state.
    for (std::size_t z = 0; z < 3; ++z) {
        std::size_t direct = 0;
        for (std::size_t i = 0; i < 8760; ++i) {
            direct += states.hours[i].ok() && kZones[z].contains(states.hours[i], i);
        }
        EXPECT_EQ(r.total.inZone[z], direct) << kZones[z].name;
    }
    // The overlaps are real, so only-zone figures are below the zones' own for the later zones.
    EXPECT_EQ(r.total.onlyZone[0], r.total.inZone[0]);
    EXPECT_LT(r.total.onlyZone[1], r.total.inZone[1]);
    EXPECT_LT(r.total.onlyZone[2], r.total.inZone[2]);
    EXPECT_GT(r.total.tooHumid, 0u);
    EXPECT_GT(r.total.tooWarm, 0u);
    EXPECT_GT(r.total.tooCool, 3000u); // Chicago
}

TEST(ZoneFigures, ListOrderDecidesOnlyZoneNotTheUnion) {
    const auto& data = Chicago();
    const auto& states = ChicagoStates();
    const std::vector<ZoneTest> reversed(kZones.rbegin(), kZones.rend());
    const ZoneReport a =
        ZoneReportOf(data, states, MembershipOf(states, kZones), kZones, All(8760));
    const ZoneReport b =
        ZoneReportOf(data, states, MembershipOf(states, reversed), reversed, All(8760));
    EXPECT_EQ(a.total.inUnion, b.total.inUnion);
    EXPECT_EQ(a.total.inZone[0], b.total.inZone[2]);
    EXPECT_NE(a.total.onlyZone[0], b.total.onlyZone[2]);
    EXPECT_EQ(b.total.onlyZone[0], b.total.inZone[0]);
}

TEST(ZoneFigures, FilteredHoursAreTheBase) {
    const auto& data = Chicago();
    const auto& states = ChicagoStates();
    const ZoneMembership m = MembershipOf(states, kZones, 3);
    Filter summer;
    summer.firstMonth = 6;
    summer.lastMonth = 8;
    summer.occupiedOnly = true;
    const auto selection = Select(data, states, summer);
    const ZoneReport r = ZoneReportOf(data, states, m, kZones, selection);
    EXPECT_EQ(r.total.hours, selection.size());
    ExpectAddsUp(r.total, "summer");
    EXPECT_EQ(r.months[0].hours, 0u);
    EXPECT_EQ(r.months[0].Percent(0), 0.0);
    EXPECT_EQ(r.months[6].hours, 21u * 10); // July from a Saturday: 21 weekdays
    // Membership is the same for any thread count.
    EXPECT_EQ(MembershipOf(states, kZones, 1).masks, m.masks);
}

struct Outside {
    const char* name;
    double dryBulbC;
    double humidityRatio;
    const char* expected; // "warm", "cool", "humid" or "in"
};

const Outside kOutside[] = {
    {"in the zone", 23, 0.008, "in"},
    {"hot and dry enough", 30, 0.010, "warm"},
    {"cold", 10, 0.004, "cool"},
    {"hot and humid is too humid", 30, 0.015, "humid"},
    {"mild but humid", 23, 0.0125, "humid"},
    {"at the humidity limit is not humid", 18, 0.012, "cool"},
    {"at the split is cool", 22, 0.001, "cool"}, // dry air outside the zone
};

void PrintTo(const Outside& o, std::ostream* out) {
    *out << o.name;
}

class OutsideHours : public ::testing::TestWithParam<Outside> {};

TEST_P(OutsideHours, AreClassed) {
    const Outside& o = GetParam();
    WeatherData data;
    data.hours.resize(1);
    HourlyStates states;
    states.hours = {HandState(o.dryBulbC, o.humidityRatio)};
    const std::vector<ZoneTest> zone = {{"box", [](const HourState& s, std::size_t) {
                                             return s.dryBulb > 293.15 && s.dryBulb < 299.15 &&
                                                    s.humidityRatio > 0.004 &&
                                                    s.humidityRatio < 0.012;
                                         }}};
    const std::size_t only[] = {0};
    const ZoneReport r = ZoneReportOf(data, states, MembershipOf(states, zone), zone, only,
                                      {.humidityRatioLimit = 0.012, .splitDryBulb = 295.15});
    const ZoneCounts& c = r.total;
    const std::string got = c.inUnion ? "in" : c.tooWarm ? "warm" : c.tooCool ? "cool" : "humid";
    EXPECT_EQ(got, o.expected);
    EXPECT_EQ(c.inUnion + c.tooWarm + c.tooCool + c.tooHumid, 1u);
}

INSTANTIATE_TEST_SUITE_P(Climate, OutsideHours, ::testing::ValuesIn(kOutside));

TEST(ZoneFigures, SplitIsTheUnionsMeanDryBulbUnlessGiven) {
    WeatherData data;
    data.hours.resize(3);
    HourlyStates states;
    states.hours = {HandState(20, 0.005), HandState(24, 0.005), HandState(21, 0.005)};
    const std::vector<ZoneTest> zone = {
        {"first two", [](const HourState&, std::size_t i) { return i < 2; }}};
    const std::size_t all[] = {0, 1, 2};
    const ZoneReport r = ZoneReportOf(data, states, MembershipOf(states, zone), zone, all);
    EXPECT_NEAR(r.splitDryBulb, 295.15, 1e-9);
    EXPECT_EQ(r.total.tooCool, 1u); // 21 degC is below the union's mean, 22 degC
    const ZoneReport none = ZoneReportOf(data, states, MembershipOf(states, {}), {}, all);
    EXPECT_EQ(none.splitDryBulb, 295.15); // no union: 22 degC
    EXPECT_EQ(none.total.tooCool, 2u);
    EXPECT_EQ(none.total.tooWarm, 1u);
}

} // namespace
} // namespace hygrovane::climate
