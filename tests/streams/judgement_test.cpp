// The streams' figures against hand-computed values, and a logged week whose one faulty sensor
// must be flagged at its hours and nowhere else.
#include "hygrovane/relations.h"
#include "streams/judgement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace hygrovane::streams {
namespace {

// A stream of humidity ratios at 101325 Pa.
StreamSeries Series(const std::vector<double>& seconds, const std::vector<double>& t,
                    const std::vector<double>& W) {
    StreamSeries s;
    s.seconds = seconds;
    s.dryBulb = t;
    s.humidity = W;
    s.pressure.assign(seconds.size(), 101325);
    return s;
}

StreamSeries One(double t, double W) {
    return Series({0}, {t}, {W});
}

double Enthalpy(double t, double W) {
    return *EnthalpyAt(t + kCelsiusOffset, W);
}

// The air mixed from two by dry-air mass (f of the first), through the core's relations.
std::pair<double, double> Mixed(double f, double t1, double W1, double t2, double W2) {
    const double W = f * W1 + (1 - f) * W2;
    const double h = f * Enthalpy(t1, W1) + (1 - f) * Enthalpy(t2, W2);
    return {*DryBulbFromEnthalpy(h, W) - kCelsiusOffset, W};
}

TEST(StreamJudgement, FractionAndEffectivenessOfOneStepByHand) {
    // Outdoor 0 degC 3 g/kg, return 20 degC 8 g/kg; the exchanger gives 0.7 sensible and 0.6
    // latent: 14 degC 6 g/kg; a quarter of that air in the mixture.
    StreamSet set;
    set[IndexOf(StreamName::Outdoor)] = One(0, 0.003);
    set[IndexOf(StreamName::Return)] = One(20, 0.008);
    set[IndexOf(StreamName::AfterRecovery)] = One(14, 0.006);
    const auto [tm, Wm] = Mixed(0.25, 14, 0.006, 20, 0.008);
    set[IndexOf(StreamName::Mixed)] = One(tm, Wm);
    const StreamJudgement j = Judge(set, {}, {});
    ASSERT_EQ(j.steps.size(), 1u);
    const StepFigures& f = j.steps[0];
    EXPECT_NEAR(f.fractionOnHumidityRatio, 0.25, 1e-12);
    EXPECT_NEAR(f.fractionOnEnthalpy, 0.25, 1e-12);
    EXPECT_NEAR(f.effectivenessSensible, 0.7, 1e-12);
    EXPECT_NEAR(f.effectivenessLatent, 0.6, 1e-12);
    // h: 7.503, 40.4168 and 29.24162 kJ/kg.
    EXPECT_NEAR(f.effectivenessTotal, (29.24162 - 7.503) / (40.4168 - 7.503), 1e-12);
    for (const bool fault : f.faults) {
        EXPECT_FALSE(fault);
    }
    EXPECT_TRUE(std::isnan(f.coilTotalKW)); // no flow given
    EXPECT_DOUBLE_EQ(j.summary.outdoorFractionMean, f.outdoorFraction);
}

TEST(StreamJudgement, CoilLoadsAndCondensateByHand) {
    // 2 kg/s from 30 degC 12 g/kg to 13 degC 9 g/kg: h 60.8418 and 35.798185 kJ/kg.
    StreamSet set;
    set[IndexOf(StreamName::Outdoor)] = One(30, 0.012);
    set[IndexOf(StreamName::Supply)] = One(13, 0.009);
    JudgementSettings s;
    s.massFlow = 2;
    const StreamJudgement j = Judge(set, {}, s);
    const StepFigures& f = j.steps[0];
    EXPECT_NEAR(f.coilTotalKW, 2 * ((60.8418 - 35.798185) - 0.003 * 4.186 * 13), 1e-9);
    EXPECT_NEAR(f.coilSensibleKW, 2 * (1.006 + 1.805 * 0.012) * 17, 1e-9);
    EXPECT_NEAR(f.coilLatentKW, f.coilTotalKW - f.coilSensibleKW, 1e-12);
    EXPECT_NEAR(f.condensateKgS, 0.006, 1e-15);
    EXPECT_NEAR(j.summary.condensateKg, 0.006 * 3600 * 1, 1e-9); // a lone step stands for an hour
}

TEST(StreamJudgement, FractionsAreLeftOutWhereTheEndsLieTooClose) {
    struct Row {
        const char* name;
        double tReturn, WReturn;
        bool onW, onH;
    };
    // Outdoor 10 degC 6 g/kg (h 25.2 kJ/kg).
    for (const Row& row : {Row{"both apart", 24, 0.009, true, true},
                           Row{"humidity ratios within 0.5 g/kg", 24, 0.0062, false, true},
                           Row{"enthalpies within 1 kJ/kg", 10.4, 0.0058, false, false},
                           Row{"enthalpy alike, humidity apart", 12.9, 0.0049, true, false}}) {
        StreamSet set;
        set[IndexOf(StreamName::Outdoor)] = One(10, 0.006);
        set[IndexOf(StreamName::Return)] = One(row.tReturn, row.WReturn);
        const auto [tm, Wm] = Mixed(0.4, 10, 0.006, row.tReturn, row.WReturn);
        set[IndexOf(StreamName::Mixed)] = One(tm, Wm);
        const StepFigures f = Judge(set, {}, {}).steps[0];
        EXPECT_EQ(!std::isnan(f.fractionOnHumidityRatio), row.onW) << row.name;
        EXPECT_EQ(!std::isnan(f.fractionOnEnthalpy), row.onH) << row.name;
        if (row.onW || row.onH) {
            EXPECT_NEAR(f.outdoorFraction, 0.4, 1e-9) << row.name;
        } else {
            EXPECT_TRUE(std::isnan(f.outdoorFraction)) << row.name;
        }
    }
}

TEST(StreamJudgement, EachFaultOnItsOwnStep) {
    struct Row {
        const char* name;
        double tMixed;  // degC; the mixture at f = 0.3 is about 15.9
        double tSupply; // degC
        double WSupply; // kg/kg
        bool heats;
        FaultKind expected; // the one fault flagged
    };
    const auto [tm, Wm] = Mixed(0.3, 2, 0.004, 22, 0.008);
    for (const Row& row : {
             Row{"mixed 15 K too warm", tm + 15, 16, Wm, true, FaultKind::MixedOutsideRange},
             Row{"supply 1.5 K above mixed, no heating", tm, tm + 1.5, Wm, false,
                 FaultKind::SupplyWarmerThanSource},
             Row{"supply above saturation", tm, 5, 0.0075, true,
                 FaultKind::RelativeHumidityAbove100},
         }) {
        StreamSet set;
        set[IndexOf(StreamName::Outdoor)] = One(2, 0.004);
        set[IndexOf(StreamName::Return)] = One(22, 0.008);
        set[IndexOf(StreamName::Mixed)] = One(row.tMixed, Wm);
        set[IndexOf(StreamName::Supply)] = One(row.tSupply, row.WSupply);
        JudgementSettings s;
        s.heats = row.heats;
        const StepFigures f = Judge(set, {}, s).steps[0];
        EXPECT_TRUE(f.faults[static_cast<std::size_t>(row.expected)]) << row.name;
        const std::size_t others =
            static_cast<std::size_t>(std::count(f.faults.begin(), f.faults.end(), true));
        // A mixed air too warm is also off the line and its two fractions disagree.
        EXPECT_EQ(others, row.expected == FaultKind::MixedOutsideRange ? 3u : 1u) << row.name;
    }
}

TEST(StreamJudgement, NoHeatingAboveTheLockoutOnly) {
    for (const double outdoor : {4.0, 6.0}) {
        StreamSet set;
        set[IndexOf(StreamName::Outdoor)] = One(outdoor, 0.004);
        set[IndexOf(StreamName::Supply)] = One(outdoor + 3, 0.004);
        JudgementSettings s;
        s.heatingLockout = 5;
        const StepFigures f = Judge(set, {}, s).steps[0];
        EXPECT_EQ(f.faults[static_cast<std::size_t>(FaultKind::SupplyWarmerThanSource)],
                  outdoor > 5)
            << outdoor;
    }
}

// A week of hourly readings of an AHU at a fixed outdoor-air fraction of 0.3, the mixed-air
// sensor reading 12 K warm on day 3 from 10:00 to 15:00 (six readings).
TEST(StreamJudgement, AWeekWithOneFaultyMixedSensorIsFlaggedAtItsHoursOnly) {
    const std::size_t n = 7 * 24;
    std::vector<double> seconds(n), to(n), Wo(n), tr(n), Wr(n), tm(n), Wm(n), ts(n), Ws(n);
    const auto faulty = [](std::size_t i) { return i >= 2 * 24 + 10 && i < 2 * 24 + 16; };
    for (std::size_t i = 0; i < n; ++i) {
        const double day = 2 * M_PI * static_cast<double>(i) / 24;
        seconds[i] = 3600.0 * static_cast<double>(i);
        to[i] = 5 + 5 * std::sin(day);
        Wo[i] = 0.003 + 0.0005 * std::cos(day);
        tr[i] = 22 + 0.5 * std::sin(day / 3);
        Wr[i] = 0.008 + 0.0002 * std::cos(day / 5);
        std::tie(tm[i], Wm[i]) = Mixed(0.3, to[i], Wo[i], tr[i], Wr[i]);
        ts[i] = 16 + std::sin(day);
        Ws[i] = Wm[i];
        if (faulty(i)) {
            tm[i] += 12;
        }
    }
    StreamSet set;
    set[IndexOf(StreamName::Outdoor)] = Series(seconds, to, Wo);
    set[IndexOf(StreamName::Return)] = Series(seconds, tr, Wr);
    set[IndexOf(StreamName::Mixed)] = Series(seconds, tm, Wm);
    set[IndexOf(StreamName::Supply)] = Series(seconds, ts, Ws);
    const StreamJudgement j = Judge(set, {}, {});
    ASSERT_EQ(j.steps.size(), n);
    for (std::size_t k = 0; k < kFaultCount; ++k) {
        const FaultKind fault = static_cast<FaultKind>(k);
        const bool byMixedSensor = fault == FaultKind::MixedOutsideRange ||
                                   fault == FaultKind::FractionsDisagree ||
                                   fault == FaultKind::OffMixingLine;
        for (std::size_t i = 0; i < n; ++i) {
            EXPECT_EQ(j.steps[i].faults[k], byMixedSensor && faulty(i))
                << KeyOf(fault) << " at hour " << i;
        }
        EXPECT_DOUBLE_EQ(j.summary.faultHours[k], byMixedSensor ? 6.0 : 0.0) << KeyOf(fault);
    }
    EXPECT_DOUBLE_EQ(j.summary.hours, 168);
    const auto& periods =
        j.summary.faultPeriods[static_cast<std::size_t>(FaultKind::MixedOutsideRange)];
    ASSERT_EQ(periods.size(), 1u);
    EXPECT_DOUBLE_EQ(periods[0].start, 58 * 3600.0);
    EXPECT_DOUBLE_EQ(periods[0].end, 63 * 3600.0);
    EXPECT_DOUBLE_EQ(periods[0].hours, 6);
    // The fraction of the good hours is the mixture's; the faulty hours stay out of the mean.
    EXPECT_NEAR(j.summary.outdoorFractionMean, 0.3, 1e-9);
    EXPECT_DOUBLE_EQ(j.summary.outdoorFractionHours, 162);
    for (std::size_t i = 0; i < n; ++i) {
        if (!faulty(i)) {
            EXPECT_NEAR(j.steps[i].outdoorFraction, 0.3, 1e-9) << i;
        }
    }
}

} // namespace
} // namespace hygrovane::streams
