// The eight humidity branches: values, limits and their agreement with one another.
#include "calculate_support.h"

#include "calculator/calculate.h"
#include "calculator/number_text.h"

#include <gtest/gtest.h>

namespace hygrovane {
namespace {

using calc_test::HumidityBox;
using calc_test::SelectPressureSource;
using calc_test::SelectUnit;
using calc_test::StartedForm;
using calc_test::TypeHumidity;

FormAmbient At(const char* celsius, int option, const char* value) {
    FormAmbient form = StartedForm();
    form.Text1.text = celsius;
    TypeHumidity(form, option, value);
    Calculate(form);
    return form;
}

TEST(HumidityBranches, MoleFractionOfOnePercentAt20C) {
    FormAmbient form = At("20", 6, "1");
    SelectUnit(form, 6, "(g moisture)/(kg dry air)");
    SelectUnit(form, 7, "(g moisture)/m^3");
    SelectUnit(form, 11, "Pa");
    Calculate(form);
    EXPECT_EQ(form.Text3.text, "6.2826");
    EXPECT_EQ(form.Text9.text, "0.6243");
    EXPECT_EQ(form.Text11.text, "1013");
    EXPECT_EQ(form.Text7.text, "7.489");
    EXPECT_EQ(form.Text13.text, "28.85501");
    EXPECT_FLOAT_EQ(form.state.p_w, 1013.25F);
    SelectUnit(form, 11, "kPa");
    Calculate(form);
    EXPECT_EQ(form.Text11.text, "1.013");
}

TEST(HumidityBranches, MassFractionOfFivePercent) {
    EXPECT_EQ(At("60", 7, "5").Text8.text, "7.8018");
    // At 25 C saturated air holds under 2 % water by mass.
    EXPECT_EQ(At("25", 7, "5").Text9.background, colours::kErrorRed);
}

TEST(HumidityBranches, SaturatedAirShowsOneHundredPercent) {
    const FormAmbient rh = At("25", 2, "100");
    EXPECT_EQ(rh.Text5.text, "25"); // dew point at the ambient temperature
    EXPECT_NEAR(rh.state.W, rh.state.W_s, 1e-8);
    for (int option : {3, 4}) { // dew point and wet bulb typed at the ambient temperature
        EXPECT_EQ(At("25", option, "25").Text4.text, "100") << option;
    }
    FormAmbient ratio = At("25", 1, ".0200857"); // the Maximum caption
    EXPECT_EQ(ratio.Text4.text, "100");
    EXPECT_EQ(ratio.Text3.background, colours::kPlatformWindow);
}

TEST(HumidityBranches, DryAirShowsLessThanMinimumAndTheDryWetBulb) {
    for (int option : {1, 2, 5, 6, 7, 10}) {
        SCOPED_TRACE(option);
        const FormAmbient form = At("25", option, "0");
        EXPECT_EQ(form.Text5.text, "< min");
        EXPECT_EQ(form.Text6.text, form.Label19.caption);
        for (int box : {3, 4, 7, 11}) {
            if (box != HumidityBox(option)) {
                EXPECT_EQ(form.Text(box).text, "0") << "Text" << box;
            }
        }
        for (int box : {8, 9}) {
            if (box != HumidityBox(option)) {
                EXPECT_EQ(form.Text(box).text, "0.0000") << "Text" << box;
            }
        }
    }
}

TEST(HumidityBranches, LowestDewPointIsAcceptedAndIsReportable) {
    FormAmbient form = At("25", 3, "-100");
    EXPECT_EQ(form.Text5.background, colours::kPlatformWindow);
    EXPECT_EQ(form.Text3.text, "0"); // W = 8.6E-09
    EXPECT_EQ(form.Text4.text, "0");
    // The same p_w typed as a humidity ratio meets the inclusive test, as a mole fraction
    // the strict one of the other branches; both sides of 173.15 K are reached.
    SelectUnit(form, 3, "K");
    TypeHumidity(form, 2, "0.0000001");
    Calculate(form);
    EXPECT_EQ(form.Text5.text, "< min");
}

TEST(HumidityBranches, TheThreeDecimalsOfTheDewPointAreNotRoundedTwice) {
    const std::pair<const char*, const char*> rows[] = {
        {"C", "13.864"}, {"K", "287.014"}, {"F", "56.955"}, {"R", "516.625"}};
    for (const auto& [unit, text] : rows) {
        FormAmbient form = StartedForm();
        SelectUnit(form, 3, unit);
        Calculate(form);
        EXPECT_EQ(form.Text5.text, text) << unit;
    }
}

struct OutputUnitRow {
    int combo;
    const char* unit;
    int box;
    const char* text;
};

class OutputUnits : public ::testing::TestWithParam<OutputUnitRow> {};

// 25 C, 101.325 kPa, 50 %: every output in every unit of its list.
TEST_P(OutputUnits, ConvertTheStartUpState) {
    const OutputUnitRow& row = GetParam();
    FormAmbient form = StartedForm();
    SelectUnit(form, row.combo, row.unit);
    Calculate(form);
    EXPECT_EQ(form.Text(row.box).text, row.text);
}

INSTANTIATE_TEST_SUITE_P(
    EveryUnit, OutputUnits,
    ::testing::Values(
        OutputUnitRow{4, "C", 6, "17.888"}, OutputUnitRow{4, "K", 6, "291.038"},
        OutputUnitRow{4, "F", 6, "64.199"}, OutputUnitRow{4, "R", 6, "523.869"},
        OutputUnitRow{6, "(kg moisture)/(kg dry air)", 3, ".0098833"},
        OutputUnitRow{6, "(g moisture)/(kg dry air)", 3, "9.8833"},
        OutputUnitRow{6, "(lb moisture)/(lb dry air)", 3, ".0098833"},
        OutputUnitRow{7, "(kg moisture)/m^3", 7, ".011518"},
        OutputUnitRow{7, "(g moisture)/m^3", 7, "11.518"},
        OutputUnitRow{7, "(lb moisture)/ft^3", 7, ".000719"}, OutputUnitRow{11, "Pa", 11, "1585"},
        OutputUnitRow{11, "kPa", 11, "1.585"}, OutputUnitRow{11, "Bar", 11, ".01585"},
        OutputUnitRow{11, "mBar", 11, "15.85"}, OutputUnitRow{11, "mm H2O", 11, "160.7"},
        OutputUnitRow{11, "mm Hg", 11, "11.888"}, OutputUnitRow{11, "Atmosphere", 11, ".01564"},
        OutputUnitRow{11, "PSI", 11, ".2299"}));

// Every humidity input, typed as the start-up state shows it, gives back that state.
struct RoundTrip {
    bool iapws;
    int pressureSource;
};

class EveryInput : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(EveryInput, ReproducesTheStateOfTheOtherInputs) {
    FormAmbient reference = StartedForm();
    reference.menu_IAPWS.checked = GetParam().iapws;
    reference.menu_HW.checked = !GetParam().iapws;
    SelectPressureSource(reference, GetParam().pressureSource);
    SelectUnit(reference, 11, "Pa"); // more digits than "kPa" for typing it back
    reference.Text10.text = "0";
    Calculate(reference);
    ASSERT_EQ(reference.List1.background, colours::kResultOrange);
    for (int option : {1, 3, 4, 5, 6, 7, 10}) {
        SCOPED_TRACE(option);
        FormAmbient form = reference;
        TypeHumidity(form, option, reference.Text(HumidityBox(option)).text);
        Calculate(form);
        EXPECT_EQ(form.List1.background, colours::kResultOrange);
        // Within the rounding of the typed text (whole Pa for the partial pressure).
        EXPECT_NEAR(ReadNumber(form.Text4.text), 50, 0.02);
        EXPECT_NEAR(form.state.W, reference.state.W, 4e-6);
        EXPECT_NEAR(form.state.T_wb, reference.state.T_wb, 4e-3);
        EXPECT_EQ(form.Text13.text.substr(0, 6), reference.Text13.text.substr(0, 6));
    }
}

INSTANTIATE_TEST_SUITE_P(BothFormulationsBothSources, EveryInput,
                         ::testing::Values(RoundTrip{true, 8}, RoundTrip{false, 8},
                                           RoundTrip{true, 9}, RoundTrip{false, 9}));

TEST(HumidityBranches, TypedInputsAreReadInTheirUnits) {
    struct Row {
        int option, combo;
        const char* unit;
        const char* text;
    };
    const Row rows[] = {{1, 6, "(g moisture)/(kg dry air)", "9.8833"},
                        {1, 6, "(lb moisture)/(lb dry air)", ".0098833"},
                        {3, 3, "K", "287.014"},
                        {3, 3, "F", "56.955"},
                        {3, 3, "R", "516.625"},
                        {4, 4, "K", "291.038"},
                        {4, 4, "F", "64.199"},
                        {4, 4, "R", "523.869"},
                        {5, 7, "(g moisture)/m^3", "11.518"},
                        {5, 7, "(lb moisture)/ft^3", ".000719"},
                        {10, 11, "Pa", "1585"},
                        {10, 11, "Bar", ".01585"},
                        {10, 11, "mBar", "15.85"},
                        {10, 11, "mm H2O", "160.7"},
                        {10, 11, "mm Hg", "11.888"},
                        {10, 11, "Atmosphere", ".01564"},
                        {10, 11, "PSI", ".2299"}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.unit);
        FormAmbient form = StartedForm();
        SelectUnit(form, row.combo, row.unit);
        TypeHumidity(form, row.option, row.text);
        Calculate(form);
        EXPECT_NEAR(ReadNumber(form.Text4.text), 50, 0.05);
    }
}

TEST(HumidityBranches, TypedAmbientInputsAreReadInTheirUnits) {
    const std::pair<const char*, const char*> temperatures[] = {
        {"K", "298.15"}, {"F", "77"}, {"R", "536.67"}};
    for (const auto& [unit, text] : temperatures) {
        FormAmbient form = StartedForm();
        SelectUnit(form, 1, unit);
        form.Text1.text = text;
        Calculate(form);
        EXPECT_EQ(form.Text3.text, ".0098833") << unit;
    }
    const std::pair<const char*, const char*> pressures[] = {
        {"Pa", "101325"}, {"Bar", "1.01325"},    {"mBar", "1013.25"}, {"Atmosphere", "1"},
        {"mm Hg", "760"}, {"mm H2O", "10272.4"}, {"PSI", "14.696"}};
    for (const auto& [unit, text] : pressures) {
        FormAmbient form = StartedForm();
        SelectUnit(form, 2, unit);
        form.Text2.text = text;
        Calculate(form);
        EXPECT_NEAR(ReadNumber(form.Text3.text), .0098833, 2e-7) << unit;
    }
}

TEST(HumidityBranches, HylandWexlerDiffersFromIapwsInTheLastDigits) {
    FormAmbient form = StartedForm();
    form.menu_IAPWS.checked = false;
    form.menu_HW.checked = true;
    Calculate(form);
    EXPECT_EQ(form.Label19.caption, "8.272"); // 281.42244 K
    EXPECT_EQ(form.List1.items.front(), "Sat. Formulation:  Hyland-Wexler");
}

} // namespace
} // namespace hygrovane
