// The named envelopes against values worked out apart from the library: their names, the corners
// where two of their edges cross, hand-placed readings, and every edge at three pressures.

#include "envelope_support.h"
#include "envelopes/catalogue.h"

#include "hygrovane/relations.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <set>
#include <string>

namespace hygrovane::envelopes {
namespace {

using test::AirAt;
using test::AirWithDewPoint;
using test::AirWithVapour;
using test::SaturationAt;

Judge JudgeOf(const std::string& name) {
    const auto envelope = EnvelopeNamed(name);
    EXPECT_TRUE(envelope.has_value()) << name;
    return Judge(envelope.value_or(Envelope{}));
}

TEST(EnvelopeCatalogue, HoldsExactlyTheNamesScriptsRead) {
    const std::set<std::string> expected = {"ashrae-tc99-2021-recommended-low",
                                            "ashrae-tc99-2021-recommended-high",
                                            "ashrae-tc99-2021-a1",
                                            "ashrae-tc99-2021-a2",
                                            "ashrae-tc99-2021-a3",
                                            "ashrae-tc99-2021-a4",
                                            "ashrae-tc99-2021-h1",
                                            "ashrae-tc99-2011-a1",
                                            "ashrae-tc99-2011-a2",
                                            "ashrae-tc99-2011-a3",
                                            "ashrae-tc99-2011-a4",
                                            "ashrae-tc99-2011-b",
                                            "ashrae-tc99-2011-c",
                                            "ashrae-62.1-2022-dew-point",
                                            "en16798-1-humidity-i",
                                            "en16798-1-humidity-ii",
                                            "en16798-1-humidity-iii",
                                            "ashrae-55-2020-pmv",
                                            "ashrae-55-2020-adaptive-80",
                                            "ashrae-55-2020-adaptive-90"};
    std::set<std::string> names;
    for (const Envelope& envelope : Catalogue()) {
        EXPECT_FALSE(envelope.edition.empty()) << envelope.name;
        EXPECT_TRUE(names.insert(envelope.name).second) << "named twice: " << envelope.name;
    }
    EXPECT_EQ(names, expected);
    EXPECT_FALSE(EnvelopeNamed("ashrae-tc99-a1").has_value());
    EXPECT_FALSE(EnvelopeNamed("ASHRAE-TC99-2021-A1").has_value());
}

// The dry bulb (degC) where the envelope's verdict turns along a line of constant vapour pressure,
// between lo and hi, by bisection on the predicate alone.
double Crossing(const Judge& judge, double pw, double lo, double hi, double P) {
    const bool insideAtLo = judge.Test(AirWithVapour(lo, pw, P)) == Verdict::Inside;
    EXPECT_NE(insideAtLo, judge.Test(AirWithVapour(hi, pw, P)) == Verdict::Inside) << "no crossing";
    for (int i = 0; i < 60; ++i) {
        const double mid = (lo + hi) / 2;
        ((judge.Test(AirWithVapour(mid, pw, P)) == Verdict::Inside) == insideAtLo ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

struct CornerRow {
    const char* name;
    const char* corner;
    double dewPoint; // degC, the edge the corner lies on, read as the catalogue reads it
    double lo, hi;   // degC, a dry-bulb bracket of the corner
    double expected; // degC
};

// The dry bulb where a dew-point edge meets a relative-humidity edge: p_ws(t) = p(dew) / rh,
// worked out from the IAPWS saturation pressures (IF97 region 4, the 2011 sublimation curve for
// the frost points) by hand, not by the library. The -12 degC dew point of the lower edge is a
// frost point (217.29 Pa): the corner lies at 22.43 degC; read over supercooled water (244.36 Pa)
// it would lie at 24.38 degC.
const CornerRow kCorners[] = {
    {"ashrae-tc99-2021-a1", "-12 degC frost point and 8 % RH", -12, 15, 32, 22.435},
    {"ashrae-tc99-2021-a2", "-12 degC frost point and 8 % RH", -12, 15, 35, 22.435},
    {"ashrae-tc99-2021-a3", "-12 degC frost point and 8 % RH", -12, 15, 40, 22.435},
    {"ashrae-tc99-2021-h1", "-12 degC frost point and 8 % RH", -12, 15, 25, 22.435},
    {"ashrae-tc99-2011-a4", "-12 degC frost point and 8 % RH", -12, 15, 45, 22.435},
    {"ashrae-tc99-2021-a1", "17 degC dew point and 80 % RH", 17, 15, 32, 20.568},
    {"ashrae-tc99-2021-a2", "21 degC dew point and 80 % RH", 21, 15, 35, 24.682},
    {"ashrae-tc99-2021-a3", "24 degC dew point and 85 % RH", 24, 25, 40, 26.734},
    {"ashrae-tc99-2021-a4", "24 degC dew point and 90 % RH", 24, 25, 45, 25.766},
    {"ashrae-tc99-2021-recommended-low", "15 degC dew point and 70 % RH", 15, 18, 27, 20.661},
    {"ashrae-tc99-2021-recommended-high", "15 degC dew point and 50 % RH", 15, 18, 27, 26.239},
    {"ashrae-tc99-2011-b", "28 degC dew point and 80 % RH", 28, 29, 35, 31.885},
    {"ashrae-tc99-2011-c", "28 degC dew point and 80 % RH", 28, 29, 40, 31.885},
};

TEST(EnvelopeCatalogue, CornersOfDewPointAndHumidityEdgesLieAtTheWorkedOutDryBulb) {
    for (const CornerRow& row : kCorners) {
        SCOPED_TRACE(std::string(row.name) + ": " + row.corner);
        const Judge judge = JudgeOf(row.name);
        // On the dew-point edge, a hair on its inside.
        const double limit = DewLimitPressure(row.dewPoint + kCelsiusOffset, kDataCentreDewReading,
                                              SatFormulation::IAPWS);
        const double pw = limit * (row.dewPoint < 0 ? 1 + 1e-9 : 1 - 1e-9);
        for (const double P : {60000.0, 80000.0, 101325.0}) {
            EXPECT_NEAR(Crossing(judge, pw, row.lo, row.hi, P), row.expected, 0.05) << P << " Pa";
        }
    }
}

TEST(EnvelopeCatalogue, TheLowerDataCentreEdgeReadsMinusTwelveAsAFrostPoint) {
    // 230 Pa lies between the frost point's 217.29 Pa and the dew point's 244.36 Pa over water: at
    // 20 degC (9.8 % RH) it is inside only when -12 degC is a frost point.
    EXPECT_EQ(JudgeOf("ashrae-tc99-2021-a1").Test(AirWithVapour(20, 230)), Verdict::Inside);
    EXPECT_EQ(JudgeOf("ashrae-tc99-2021-a1").Test(AirWithVapour(20, 210)), Verdict::Outside);
    EXPECT_NEAR(DewLimitPressure(261.15, DewReading::OverIce, SatFormulation::IAPWS), 217.29, 0.01);
    EXPECT_NEAR(DewLimitPressure(261.15, DewReading::OverWater, SatFormulation::IAPWS), 244.36,
                0.01);
    // Above the triple point the two readings are one.
    EXPECT_EQ(DewLimitPressure(290.15, DewReading::OverWater, SatFormulation::IAPWS),
              DewLimitPressure(290.15, DewReading::OverIce, SatFormulation::IAPWS));
}

struct PointRow {
    const char* name;
    double t, rh; // degC, %
    Verdict expected;
    const char* why;
};

const PointRow kPoints[] = {
    {"ashrae-tc99-2021-a1", 25, 15, Verdict::Inside, "2021 ends at -12 degC dew point and 8 % RH"},
    {"ashrae-tc99-2011-a1", 25, 15, Verdict::Outside, "2011 ends at 20 % RH"},
    {"ashrae-tc99-2011-a1", 25, 21, Verdict::Inside, "above 20 % RH"},
    {"ashrae-tc99-2021-a1", 30, 7.5, Verdict::Outside, "below 8 % RH above the corner"},
    {"ashrae-tc99-2021-a1", 30, 8.5, Verdict::Inside, "above 8 % RH above the corner"},
    {"ashrae-tc99-2021-a1", 33, 30, Verdict::Outside, "above 32 degC"},
    {"ashrae-tc99-2021-a2", 33, 30, Verdict::Inside, "A2 reaches 35 degC"},
    {"ashrae-tc99-2021-h1", 26, 40, Verdict::Outside, "H1 ends at 25 degC"},
    {"ashrae-tc99-2021-recommended-low", 22, 60, Verdict::Inside,
     "70 % RH at low pollutant levels"},
    {"ashrae-tc99-2021-recommended-high", 22, 60, Verdict::Outside,
     "50 % RH at high pollutant levels"},
    {"ashrae-tc99-2011-b", 30, 70, Verdict::Inside, "28 degC dew point"},
    {"ashrae-tc99-2011-b", 36, 30, Verdict::Outside, "above 35 degC"},
    {"en16798-1-humidity-i", 22, 29, Verdict::Outside, "below 30 %"},
    {"en16798-1-humidity-ii", 22, 29, Verdict::Inside, "above 25 %"},
    {"en16798-1-humidity-iii", 22, 71, Verdict::Outside, "above 70 %"},
};

TEST(EnvelopeCatalogue, HandPlacedReadings) {
    for (const PointRow& row : kPoints) {
        EXPECT_EQ(JudgeOf(row.name).Test(AirAt(row.t, row.rh)), row.expected)
            << row.name << " at " << row.t << " degC, " << row.rh << " %: " << row.why;
    }
    const Judge dewPoint = JudgeOf("ashrae-62.1-2022-dew-point");
    EXPECT_EQ(dewPoint.Test(AirWithDewPoint(30, 14.99)), Verdict::Inside);
    EXPECT_EQ(dewPoint.Test(AirWithDewPoint(30, 15.01)), Verdict::Outside);
    EXPECT_EQ(dewPoint.Test(AirWithDewPoint(16, 15.01, 60000)), Verdict::Outside);
}

TEST(EnvelopeCatalogue, ReadingsTheCoreRefusesAreNeverInside) {
    const Judge judge = JudgeOf("ashrae-tc99-2021-a4");
    EXPECT_EQ(judge.Test(AirAt(30, 101)), Verdict::Invalid);
    EXPECT_EQ(judge.Test({303.15, -0.001, 101325}), Verdict::Invalid);
    EXPECT_EQ(judge.Test({303.15, 0.01, 1000}), Verdict::Invalid);
    EXPECT_EQ(judge.Test({std::nan(""), 0.01, 101325}), Verdict::Invalid);
    EXPECT_EQ(judge.Test(AirAt(30, 100)), Verdict::Outside); // saturated air is air, outside 90 %
}

// A reading with the edge's own quantity at `value`, at dry bulb t (for a dry-bulb edge, t is
// the edge's value and `other` the relative humidity %), or none where that is not air.
std::optional<Air> OnEdge(const Edge& edge, double value, double t, double other, double P) {
    const double T = t + kCelsiusOffset;
    double pw = 0;
    switch (edge.quantity) {
    case Quantity::DryBulb:
        return AirAt(value - kCelsiusOffset, other, P);
    case Quantity::DewPoint:
        pw = DewLimitPressure(value, edge.reading, SatFormulation::IAPWS);
        break;
    case Quantity::RelativeHumidity:
        pw = value * SaturationAt(t);
        break;
    case Quantity::HumidityRatio:
        pw = value * P / (0.62198 + value);
        break;
    case Quantity::Enthalpy: {
        const double W = (value - 1.006 * t) / (2501 + 1.805 * t);
        pw = W * P / (0.62198 + W);
        break;
    }
    }
    if (!(pw > 0) || pw > SaturationAt(t) || T <= 0) {
        return std::nullopt;
    }
    return AirWithVapour(t, pw, P);
}

double StepOf(Quantity quantity) {
    switch (quantity) {
    case Quantity::RelativeHumidity:
        return 2e-4;
    case Quantity::HumidityRatio:
        return 2e-6;
    default:
        return 2e-3; // K or kJ/kg
    }
}

TEST(EnvelopeCatalogue, EveryEdgeHasAReadingJustInsideAndNoneJustOutsideAtThreePressures) {
    for (const Envelope& envelope : Catalogue()) {
        const Judge judge(envelope);
        for (const Edge& edge : envelope.edges) {
            for (const double P : {60000.0, 80000.0, 101325.0}) {
                SCOPED_TRACE(envelope.name + ", edge " +
                             std::to_string(static_cast<int>(edge.quantity)) +
                             (edge.side == Side::Lowest ? " lowest " : " highest ") +
                             std::to_string(edge.value) + ", " + std::to_string(P) + " Pa");
                const double outward =
                    (edge.side == Side::Highest ? 1 : -1) * StepOf(edge.quantity);
                bool someInside = false;
                int outsideJudged = 0;
                for (double t = -10; t <= 50; t += 0.25) {
                    const double other = 30 + t; // for a dry-bulb edge: 20 to 80 % RH
                    const auto in = OnEdge(edge, edge.value - outward, t, other, P);
                    const auto out = OnEdge(edge, edge.value + outward, t, other, P);
                    if (in && judge.Test(*in) == Verdict::Inside) {
                        someInside = true;
                    }
                    if (out && judge.Test(*out) != Verdict::Invalid) {
                        ++outsideJudged;
                        EXPECT_EQ(judge.Test(*out), Verdict::Outside) << "at " << t << " degC";
                    }
                }
                EXPECT_TRUE(someInside) << "no reading just inside the edge is inside the envelope";
                EXPECT_GT(outsideJudged, 0);
            }
        }
    }
}

} // namespace
} // namespace hygrovane::envelopes
