// Envelopes the user makes, and the EN 16798-1 categories with a national annex's values.

#include "envelope_support.h"
#include "envelopes/catalogue.h"
#include "envelopes/user_envelope.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::envelopes {
namespace {

using test::AirAt;

struct RefusedRow {
    const char* why;
    Limits first, second;
    EnvelopeFailureKind fault;
};

TEST(UserEnvelope, RefusesLimitsThatMakeNoEnvelope) {
    const Limits dryBulb{Quantity::DryBulb, 293.15, 297.15};
    const RefusedRow rows[] = {
        {"one quantity twice",
         dryBulb,
         {Quantity::DryBulb, 290.0, {}},
         EnvelopeFailureKind::SameQuantity},
        {"no end given", dryBulb, {Quantity::HumidityRatio, {}, {}}, EnvelopeFailureKind::NoLimit},
        {"lowest above highest",
         dryBulb,
         {Quantity::RelativeHumidity, 0.6, 0.4},
         EnvelopeFailureKind::Reversed},
        {"not a number",
         dryBulb,
         {Quantity::Enthalpy, std::nan(""), 50.0},
         EnvelopeFailureKind::NotFinite},
        {"infinite",
         {Quantity::DryBulb, {}, INFINITY},
         {Quantity::Enthalpy, 1.0, {}},
         EnvelopeFailureKind::NotFinite},
    };
    for (const RefusedRow& row : rows) {
        const auto envelope = UserEnvelope("mine", row.first, row.second);
        ASSERT_FALSE(envelope.has_value()) << row.why;
        EXPECT_EQ(envelope.error().kind, row.fault) << row.why;
        EXPECT_FALSE(envelope.error().message.empty());
    }
}

TEST(UserEnvelope, HumidityRatioLimitsMoveWithPressureWhereRelativeHumidityOnesDoNot) {
    // 20-24 degC and at most 10 g/kg: air at 22 degC and 50 % RH holds 8.2 g/kg at sea level and
    // 12.4 g/kg at 67 kPa, so the same thermometer reading is inside at one and outside at the
    // other.
    const auto mine = UserEnvelope("gallery", {Quantity::DryBulb, 293.15, 297.15},
                                   {Quantity::HumidityRatio, {}, 0.010});
    ASSERT_TRUE(mine.has_value());
    const Judge judge(*mine);
    EXPECT_EQ(judge.Test(AirAt(22, 50)), Verdict::Inside);
    EXPECT_EQ(judge.Test(AirAt(22, 50, 67000)), Verdict::Outside);
    EXPECT_EQ(judge.Test(AirAt(19.9, 30)), Verdict::Outside);

    const auto humidity = UserEnvelope("store", {Quantity::RelativeHumidity, 0.45, 0.55},
                                       {Quantity::Enthalpy, {}, 60.0});
    ASSERT_TRUE(humidity.has_value());
    for (const double P : {60000.0, 80000.0, 101325.0}) {
        EXPECT_EQ(Judge(*humidity).Test(AirAt(20, 50, P)), Verdict::Inside) << P;
    }
}

TEST(En16798Humidity, NationalAnnexValuesReplaceAnnexBsUnderTheirOwnName) {
    const auto german = En16798Humidity(1, GermanNationalAnnex(1));
    ASSERT_TRUE(german.has_value());
    EXPECT_EQ(german->name, "en16798-1-humidity-i-national-annex");
    // Category I: Annex B humidifies to 30 %, the German annex to 40 %.
    EXPECT_EQ(Judge(*german).Test(AirAt(22, 35)), Verdict::Outside);
    EXPECT_EQ(Judge(*EnvelopeNamed("en16798-1-humidity-i")).Test(AirAt(22, 35)), Verdict::Inside);
    EXPECT_EQ(Judge(*german).Test(AirAt(22, 45)), Verdict::Inside);
    EXPECT_EQ(Judge(*german).Test(AirAt(22, 51)), Verdict::Outside);

    EXPECT_FALSE(En16798Humidity(4, {20, 70}).has_value());
    EXPECT_EQ(En16798Humidity(2, {60, 30}).error().kind, EnvelopeFailureKind::Reversed);
}

} // namespace
} // namespace hygrovane::envelopes
