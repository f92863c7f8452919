#include "forms/convertor/form_unit_convertor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>

namespace hygrovane::forms {
namespace {

enum Quantity { kTemperature, kPressure, kLength, kDensity, kGasConstant, kVolume, kEnthalpy };

void choose(FormUnitConvertor& form, int quantity, int from, int to) {
    const auto k = static_cast<std::size_t>(quantity);
    form.Combo1.listIndex = quantity;
    Combo1_Click(form);
    form.Combo2[k].listIndex = from;
    Combo2_Click(form, quantity);
    form.Combo3[k].listIndex = to;
    Combo3_Click(form, quantity);
}

// A loaded convertor after the user picks a quantity and its two units, then types a value.
FormUnitConvertor converted(int quantity, int from, int to, const std::string& text) {
    FormUnitConvertor form;
    Form_Load(form);
    choose(form, quantity, from, to);
    form.Text1.text = text;
    Text1_Change(form);
    return form;
}

struct Row {
    const char* name;
    int quantity, from, to;
    const char* text;
    const char* shown;
};

class ConvertorRows : public ::testing::TestWithParam<Row> {};

TEST_P(ConvertorRows, ShowsTenDecimals) {
    const Row& row = GetParam();
    EXPECT_EQ(converted(row.quantity, row.from, row.to, row.text).Text2.text, row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertorRows,
    ::testing::Values(Row{"CelsiusToFahrenheit", kTemperature, 0, 2, "1", "33.8"},
                      Row{"FahrenheitToCelsius", kTemperature, 2, 0, "1", "-17.2222222222"},
                      Row{"CelsiusToRankine", kTemperature, 0, 3, "0", "491.67"},
                      Row{"NegativeAbsoluteTemperature", kTemperature, 1, 0, "-10", "-283.15"},
                      Row{"MileToKilometre", kLength, 2, 1, "1", "1.60934"},
                      Row{"AtmosphereToMmHg", kPressure, 6, 5, "1", "760.0021001785"},
                      Row{"BtuPerPoundToKilojoulePerKg", kEnthalpy, 2, 0, "1", "2.3260141422"},
                      Row{"KcalPerKgKToBtuPerLbR", kGasConstant, 3, 4, "1", "1"},
                      Row{"CubicFeetPerPoundToCm3PerGram", kVolume, 2, 1, "1", "62.4279737253"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvertorForm, EveryUnitPairConvertsOneAndBackToOne) {
    const FormUnitConvertor units;
    for (int k = 0; k < kConvertorQuantities; ++k) {
        const int count = static_cast<int>(units.Combo2[static_cast<std::size_t>(k)].items.size());
        for (int from = 0; from < count; ++from) {
            for (int to = 0; to < count; ++to) {
                const std::string there = converted(k, from, to, "1").Text2.text;
                const std::string back = converted(k, to, from, there).Text2.text;
                // The shown value carries 10 decimals, so a small one comes back less exactly.
                const double r = std::abs(std::stod(there));
                EXPECT_NEAR(std::stod(back), 1.0, 1e-10 + 1e-10 / r)
                    << "quantity " << k << ": " << from << " -> " << to << " shows " << there;
            }
        }
    }
}

TEST(ConvertorForm, TextThatIsNotANumberShowsErrorAndSelectsTheInputOnTheNextPick) {
    for (const std::string text : {"", "abc", "1,5", "1e"}) {
        FormUnitConvertor form = converted(kPressure, 0, 1, text);
        EXPECT_EQ(form.Text2.text, "Error") << text;
        // While typing, the caret stays: "-" or "." must not be replaced by the next key.
        EXPECT_TRUE(form.focusRequest.empty()) << text;
        choose(form, kPressure, 0, 2);
        EXPECT_EQ(form.Text2.text, "Error") << text;
        EXPECT_EQ(form.focusRequest, "Text1") << text;
        EXPECT_EQ(form.Text1.selectionStart, 0) << text;
        EXPECT_EQ(form.Text1.selectionLength, static_cast<int>(text.size())) << text;
    }
}

TEST(ConvertorForm, EachQuantityKeepsItsUnitsAndTheTextCarriesOver) {
    FormUnitConvertor form;
    Form_Load(form);
    EXPECT_EQ(form.Combo1.text() + " " + form.Combo2[0].text() + " " + form.Combo3[0].text(),
              "Temperature C C");
    EXPECT_EQ(form.Text2.text, "1");
    EXPECT_TRUE(form.focusRequest.empty());

    form = converted(kTemperature, 2, 1, "2"); // F to K
    EXPECT_EQ(form.Text2.text, "256.4833333333");
    choose(form, kPressure, 0, 0);
    EXPECT_EQ(form.Text2.text, "2"); // Pa to Pa: the text is read with the new quantity
    choose(form, kPressure, 0, 1);
    EXPECT_EQ(form.Text2.text, ".002");

    form.Combo1.listIndex = kTemperature;
    Combo1_Click(form);
    EXPECT_EQ(form.Combo2[kTemperature].text() + " " + form.Combo3[kTemperature].text(), "F K");
    EXPECT_EQ(form.Text2.text, "256.4833333333");
    for (std::size_t k = 0; k < kConvertorQuantities; ++k) {
        EXPECT_EQ(form.Combo2[k].visible && form.Combo3[k].visible, k == kTemperature) << k;
    }
}

} // namespace
} // namespace hygrovane::forms
