// Filters on Chicago's year (it starts on a Sunday and has 365 days): months and hours of the
// day that wrap, the occupancy schedule by weekday and any quantity's range.
#include "climate/filters.h"
#include "climate_support.h"

#include <gtest/gtest.h>

namespace hygrovane::climate {
namespace {

using namespace testing;

struct Case {
    const char* name;
    Filter filter;
    std::size_t hours;
};

Filter Months(int first, int last) {
    Filter f;
    f.firstMonth = first;
    f.lastMonth = last;
    return f;
}

Filter Hours(int from, int to) {
    Filter f;
    f.fromHour = from;
    f.toHour = to;
    return f;
}

Filter Occupied(Filter f = {}) {
    f.occupiedOnly = true;
    return f;
}

Filter SaturdayMornings() {
    Filter f = Occupied();
    f.occupancy.hours = {};
    for (int h = 10; h < 14; ++h) {
        f.occupancy.hours[6].set(static_cast<std::size_t>(h));
    }
    return f;
}

Filter Ranged(Quantity q, double minimum, double maximum, Filter f = {}) {
    f.ranges.push_back({q, minimum, maximum});
    return f;
}

const Case kCases[] = {
    {"no filter", Filter{}, 8760},
    {"June to August", Months(6, 8), 92 * 24},
    {"November to February wraps", Months(11, 2), (30 + 31 + 31 + 28) * 24},
    {"December alone", Months(12, 12), 31 * 24},
    {"08:00 to 18:00", Hours(8, 18), 10 * 365},
    {"22:00 to 06:00 wraps", Hours(22, 6), 8 * 365},
    {"00:00 to 01:00 is hour 1 only", Hours(0, 1), 365},
    {"23:00 to 24:00 is hour 24 only", Hours(23, 24), 365},
    {"equal ends are the whole day", Hours(5, 5), 8760},
    // 260 weekdays in a 365-day year from a Sunday; January has 22 of them.
    {"occupied, weekdays 08-18", Occupied(), 260 * 10},
    {"occupied in January", Occupied(Months(1, 1)), 22 * 10},
    {"occupied and 12:00-13:00", Occupied(Hours(12, 13)), 260},
    {"an edited schedule: Saturdays 10-14", SaturdayMornings(), 52 * 4},
    {"a missing field's range leaves out its missing hours", Ranged(Field::Albedo, 0, 1), 720},
    {"an hour-of-day range", Ranged(Computed::HourOfDay, 0, 0), 365},
    {"a month range inside a month filter", Ranged(Computed::Month, 7, 7, Months(6, 8)), 31 * 24},
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

class Filters : public ::testing::TestWithParam<Case> {};

TEST_P(Filters, SelectTheirHours) {
    ASSERT_EQ(Chicago().hours.size(), 8760u);
    EXPECT_EQ(Select(Chicago(), ChicagoStates(), GetParam().filter).size(), GetParam().hours);
}

INSTANTIATE_TEST_SUITE_P(Climate, Filters, ::testing::ValuesIn(kCases));

// A range keeps exactly the hours inside it, ends included; the rest of the year is outside.
TEST(FilterRanges, SplitTheYear) {
    const auto& data = Chicago();
    const auto& states = ChicagoStates();
    const Filter warm = Ranged(Field::DryBulb, 20, 26);
    const Filter cold = Ranged(Field::DryBulb, -100, 19.95);
    const Filter hot = Ranged(Field::DryBulb, 26.05, 100);
    const auto w = Select(data, states, warm);
    for (const std::size_t i : w) {
        ASSERT_GE(*data.hours[i].Value(Field::DryBulb), 20);
        ASSERT_LE(*data.hours[i].Value(Field::DryBulb), 26);
    }
    EXPECT_GT(w.size(), 1000u);
    EXPECT_EQ(w.size() + Select(data, states, cold).size() + Select(data, states, hot).size(),
              8760u);
    // In kelvin on the computed dry bulb the same hours pass (32-bit dry bulbs: half a tenth).
    const auto k = Select(data, states, Ranged(Computed::DryBulb, 293.145, 299.155));
    EXPECT_EQ(k, w);
}

} // namespace
} // namespace hygrovane::climate
