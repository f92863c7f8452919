// The adaptive models of ASHRAE 55 and EN 16798-1 against the published validation rows
// (data/ts_adaptive_ashrae.json, data/ts_adaptive_en.json, MIT), and the running means that feed
// them.
#include "comfort/adaptive.h"
#include "comfort/running_mean.h"
#include "table_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>

namespace hygrovane::comfort {
namespace {

using test::Json;

// The row's value of a key in degC (the inch-pound rows give degF), or NaN for null.
double OutputCelsius(const Json& row, const char* key, std::size_t i) {
    const Json* v = test::Field(row, "outputs", key, i);
    return !v || v->isNull() ? NAN : test::Celsius(row, v->number);
}

struct Speeds {
    double ta, tr, v, prevailing;
};

Speeds SpeedsOf(const Json& row, std::size_t i) {
    const double v = test::Number(row, "inputs", "v", i);
    return {test::Celsius(row, test::Number(row, "inputs", "tdb", i)),
            test::Celsius(row, test::Number(row, "inputs", "tr", i)),
            test::IsInchPound(row) ? v * 0.3048 : v,
            test::Celsius(row, test::Number(row, "inputs", "t_running_mean", i))};
}

// One case of a published table: without a comfort temperature the model must refuse its
// prevailing mean; otherwise check(row, case, result, comfort degC, tolerance K).
template <typename Model, typename Check>
void CheckCase(const Json& row, std::size_t i, double tolerance, Model model, Check check) {
    SCOPED_TRACE(test::RowText(row, i));
    const Speeds s = SpeedsOf(row, i);
    const auto r = model(s.ta, s.tr, s.v, s.prevailing);
    const double comfort = OutputCelsius(row, "tmp_cmf", i);
    if (std::isnan(comfort)) {
        ASSERT_FALSE(r.has_value());
        EXPECT_EQ(r.error().input, ComfortInput::PrevailingMean);
        return;
    }
    ASSERT_TRUE(r.has_value()) << Describe(r.error());
    check(row, i, *r, comfort, tolerance);
}

// Every case of a published table through CheckCase; returns the cases seen.
template <typename Model, typename Check>
int CheckEveryCase(const char* tableName, Model model, Check check) {
    const Json table = test::LoadTable(tableName);
    const double tolerance = table.find("tolerance")->find("tmp_cmf")->number;
    int checked = 0;
    for (const Json& row : table.find("data")->items) {
        for (std::size_t i = 0; i < test::CasesOf(row); ++i) {
            ++checked;
            CheckCase(row, i, tolerance, model, check);
        }
    }
    return checked;
}

TEST(AdaptiveAshrae55Table, EveryPublishedRowWithinTheTableTolerance) {
    const int checked = CheckEveryCase(
        "ts_adaptive_ashrae.json", AdaptiveAshrae55Of,
        [](const Json& row, std::size_t i, const auto& r, double comfort, double tolerance) {
            const double limitTolerance = test::Kelvins(row, tolerance);
            EXPECT_NEAR(r.comfort, comfort, limitTolerance);
            const std::pair<const char*, double> limits[] = {{"tmp_cmf_80_low", r.lower80},
                                                             {"tmp_cmf_80_up", r.upper80},
                                                             {"tmp_cmf_90_low", r.lower90},
                                                             {"tmp_cmf_90_up", r.upper90}};
            for (const auto& [key, value] : limits) {
                if (const Json* expected = test::Field(row, "outputs", key, i)) {
                    EXPECT_NEAR(value, test::Celsius(row, expected->number), limitTolerance) << key;
                }
            }
            if (const Json* a = test::Field(row, "outputs", "acceptability_80", i)) {
                EXPECT_EQ(r.acceptable80, a->boolean);
            }
            if (const Json* a = test::Field(row, "outputs", "acceptability_90", i)) {
                EXPECT_EQ(r.acceptable90, a->boolean);
            }
        });
    EXPECT_EQ(checked, 13);
}

TEST(AdaptiveEn16798Table, EveryPublishedRowWithinTheTableTolerance) {
    const int checked = CheckEveryCase(
        "ts_adaptive_en.json", AdaptiveEn16798Of,
        [](const Json& row, std::size_t i, const auto& r, double comfort, double tolerance) {
            EXPECT_NEAR(r.comfort, comfort, tolerance);
            const char* names[] = {"i", "ii", "iii"};
            for (int c = 0; c < 3; ++c) {
                const std::string cat = std::string("_cat_") + names[c];
                SCOPED_TRACE("category " + std::string(names[c]));
                EXPECT_NEAR(r.upper[c], OutputCelsius(row, ("tmp_cmf" + cat + "_up").c_str(), i),
                            tolerance);
                EXPECT_NEAR(r.lower[c], OutputCelsius(row, ("tmp_cmf" + cat + "_low").c_str(), i),
                            tolerance);
                EXPECT_EQ(r.acceptable[c],
                          test::Field(row, "outputs", ("acceptability" + cat).c_str(), i)->boolean);
            }
        });
    EXPECT_EQ(checked, 6);
}

TEST(AdaptiveModels, ElevatedAirSpeedWidensOnlyTheUpperLimitAboveTwentyFive) {
    struct Row {
        const char* name;
        double to, v, allowance;
    };
    const Row rows[] = {{"still air", 28, 0.3, 0},
                        {"0.6 m/s", 28, 0.6, 1.2},
                        {"0.9 m/s", 28, 0.9, 1.8},
                        {"1.2 m/s", 28, 1.5, 2.2},
                        {"fast but cool", 24, 1.5, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto a = AdaptiveAshrae55Of(row.to, row.to, row.v, 25);
        EXPECT_DOUBLE_EQ(a->upper80 - a->comfort, 3.5 + row.allowance);
        EXPECT_DOUBLE_EQ(a->comfort - a->lower80, 3.5);
        const auto e = AdaptiveEn16798Of(row.to, row.to, row.v, 25);
        EXPECT_DOUBLE_EQ(e->upper[0] - e->comfort, 2 + row.allowance);
    }
}

TEST(AdaptiveModels, PrevailingMeanRangeIncludesItsEnds) {
    struct Row {
        const char* name;
        double prevailing;
        bool ashrae, en;
    };
    const Row rows[] = {
        {"below both", 9.99, false, false},      {"lower end", 10, true, true},
        {"EN upper end", 30, true, true},        {"above EN", 30.01, true, false},
        {"ASHRAE upper end", 33.5, true, false}, {"above both", 33.51, false, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto a = AdaptiveAshrae55Of(25, 25, 0.1, row.prevailing);
        const auto e = AdaptiveEn16798Of(25, 25, 0.1, row.prevailing);
        EXPECT_EQ(a.has_value(), row.ashrae);
        EXPECT_EQ(e.has_value(), row.en);
        if (!a.has_value()) {
            EXPECT_EQ(a.error().input, ComfortInput::PrevailingMean);
            EXPECT_EQ(a.error().value, row.prevailing);
        }
    }
    EXPECT_EQ(Describe(AdaptiveEn16798Of(25, 25, 0.1, 31).error()),
              "EN 16798-1 adaptive: prevailing mean outdoor temperature 31 degC outside 10 to "
              "30 degC");
    EXPECT_EQ(AdaptiveAshrae55Of(NAN, 25, 0.1, 20).error().kind, ComfortFailureKind::NotANumber);
}

TEST(RunningMean, DailyMeansLeaveOutPartialAndMissingDays) {
    std::vector<double> hours(24 * 3 + 5);
    std::iota(hours.begin(), hours.end(), 0.0);
    hours[30] = NAN;
    const std::vector<double> days = DailyMeans(hours);
    ASSERT_EQ(days.size(), 3u);
    EXPECT_DOUBLE_EQ(days[0], 11.5);
    EXPECT_TRUE(std::isnan(days[1]));
    EXPECT_DOUBLE_EQ(days[2], 59.5);
}

TEST(RunningMean, ExponentialFollowsTheRecurrence) {
    const std::vector<double> daily = {10, 20, 30, NAN, 40};
    const std::vector<double> rm = *ExponentialRunningMean(daily, 0.8);
    EXPECT_TRUE(std::isnan(rm[0])); // nothing before the first day
    EXPECT_DOUBLE_EQ(rm[1], 10);
    EXPECT_DOUBLE_EQ(rm[2], 0.2 * 20 + 0.8 * 10);
    EXPECT_DOUBLE_EQ(rm[3], 0.2 * 30 + 0.8 * rm[2]);
    EXPECT_DOUBLE_EQ(rm[4], rm[3]); // the missing day carries the mean on
    // A steady climate's running mean is that temperature, whatever alpha.
    const std::vector<double> steady(40, 18.0);
    EXPECT_NEAR((*ExponentialRunningMean(steady, 0.6, true))[0], 18, 1e-12);
    EXPECT_EQ(ExponentialRunningMean(steady, 0.95).error().maximum, 0.9);
}

TEST(RunningMean, SimplePrevailingMeanNeedsSevenToThirtyDaysBefore) {
    std::vector<double> daily(40);
    std::iota(daily.begin(), daily.end(), 0.0);
    EXPECT_DOUBLE_EQ(*PrevailingMeanSimple(daily, 7, 7), 3.0);
    EXPECT_DOUBLE_EQ(*PrevailingMeanSimple(daily, 39, 30), (9 + 38) / 2.0);
    EXPECT_EQ(PrevailingMeanSimple(daily, 6, 7).error().input, ComfortInput::History);
    EXPECT_EQ(PrevailingMeanSimple(daily, 20, 6).error().input, ComfortInput::Days);
    EXPECT_EQ(PrevailingMeanSimple(daily, 20, 31).error().input, ComfortInput::Days);
    daily[15] = NAN;
    EXPECT_EQ(PrevailingMeanSimple(daily, 20, 7).error().kind, ComfortFailureKind::NotANumber);
    const std::vector<double> wrapped = *PrevailingMeansSimple(daily, 7, true);
    EXPECT_DOUBLE_EQ(wrapped[0], (33 + 39) / 2.0); // the year's last week
    EXPECT_TRUE(std::isnan((*PrevailingMeansSimple(daily, 7, false))[3]));
    EXPECT_EQ(PrevailingMeansSimple(daily, 31).error().input, ComfortInput::Days);
}

} // namespace
} // namespace hygrovane::comfort
