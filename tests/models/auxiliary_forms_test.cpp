#include "display/number_text.h"
#include "models/convertor_model.h"
#include "models/saturation_model.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <string>

namespace hygrovane::models {
namespace {

enum Kind { kTemperatureIn = 0, kPressureIn = 1 };

// A loaded window after the user picks a kind and both units (C K F R; Pa kPa Bar mBar mm H2O,
// mm Hg, Atmosphere, PSI), then types a value.
SaturationModel afterInput(Kind kind, int temperatureUnit, int pressureUnit, const char* text) {
    SaturationModel form;
    Form_Load(form);
    form.Combo1.listIndex = kind;
    Combo1_Click(form);
    form.Combo2.listIndex = temperatureUnit;
    Combo2_Click(form);
    form.Combo3.listIndex = pressureUnit;
    Combo3_Click(form);
    form.Text1.text = text;
    Text1_Change(form);
    return form;
}

TEST(SaturationForm, OpensWithTheSaturationPressureAt100CelsiusInKilopascal) {
    SaturationModel form;
    Form_Load(form);
    EXPECT_EQ(form.Combo1.text() + " " + form.Combo2.text() + " " + form.Combo3.text(),
              "Temperature C kPa");
    EXPECT_EQ(form.Text1.text + " " + form.Text2.text + " " + form.Text3.text,
              "100 101.41797792131 101.41871682799");
    EXPECT_EQ(form.Label1.background, (Colour{165, 162, 135}));

    form.Combo1.listIndex = kPressureIn; // the text stays and is read in the pressure unit
    Combo1_Click(form);
    EXPECT_EQ(form.Text1.text, "100");
    EXPECT_EQ(form.Label4.caption, "Temperature");
    EXPECT_EQ(form.Combo3.top, kInputUnitTop);
    EXPECT_EQ(form.Combo2.top, kOutputUnitTop);
    EXPECT_NEAR(std::stod(form.Text2.text), 99.606, 0.001); // 100 kPa in C
}

struct SaturationRow {
    const char* name;
    Kind kind;
    int temperatureUnit, pressureUnit;
    const char* text;
    const char* iapws; // nullptr: any number
    const char* hylandWexler;
};

class SaturationRows : public ::testing::TestWithParam<SaturationRow> {};

TEST_P(SaturationRows, ShowsBothFormulations) {
    const SaturationRow& row = GetParam();
    const SaturationModel form =
        afterInput(row.kind, row.temperatureUnit, row.pressureUnit, row.text);
    if (row.iapws == nullptr) {
        EXPECT_TRUE(IsNumeric(form.Text2.text) && IsNumeric(form.Text3.text))
            << form.Text2.text << " " << form.Text3.text;
    } else {
        EXPECT_EQ(form.Text2.text, row.iapws);
        EXPECT_EQ(form.Text3.text, row.hylandWexler);
    }
}

const char* const kOut = "Out of Range";
const char* const kP100 = "101.41797792131"; // 100 C by IAPWS, in kPa
const char* const kP100HW = "101.41871682799";

INSTANTIATE_TEST_SUITE_P(
    Cases, SaturationRows,
    ::testing::Values(
        SaturationRow{"BoilingPointAtStandardPressure", kPressureIn, 0, 1, "101.325", "99.9743",
                      "99.97409862"},
        SaturationRow{"LowestTemperatureAccepted", kTemperatureIn, 0, 1, "-100", nullptr, nullptr},
        SaturationRow{"BelowLowestTemperature", kTemperatureIn, 0, 1, "-100.001", kOut, kOut},
        SaturationRow{"HighestTemperatureAccepted", kTemperatureIn, 0, 1, "200", nullptr, nullptr},
        SaturationRow{"AboveHighestTemperature", kTemperatureIn, 0, 1, "200.001", kOut, kOut},
        SaturationRow{"LowestPressureAccepted", kPressureIn, 0, 0, "0.0015", nullptr, nullptr},
        SaturationRow{"BelowLowestPressure", kPressureIn, 0, 0, "0.0014", kOut, kOut},
        SaturationRow{"AboveHighestPressure", kPressureIn, 0, 0, "1555000.1", kOut, kOut},
        SaturationRow{"TextNotANumber", kTemperatureIn, 0, 1, "abc", "Error", "Error"},
        SaturationRow{"EmptyText", kPressureIn, 0, 1, "", "Error", "Error"},
        // Every pressure unit shows the Pa value rounded to 8 decimals, then divided.
        SaturationRow{"InPa", kTemperatureIn, 0, 0, "100", "101417.97792131", "101418.71682799"},
        SaturationRow{"InBar", kTemperatureIn, 0, 2, "100", "1.0141797792131", "1.0141871682799"},
        SaturationRow{"InMBar", kTemperatureIn, 0, 3, "100", "1014.1797792131", "1014.1871682799"},
        SaturationRow{"InMmH2O", kTemperatureIn, 0, 4, "100", "10281.8364039528",
                      "10281.911314908"},
        SaturationRow{"InMmHg", kTemperatureIn, 0, 5, "100", "760.699493866804",
                      "760.705036137997"},
        SaturationRow{"InAtmosphere", kTemperatureIn, 0, 6, "100", "1.00091762073832",
                      "1.00092491318026"},
        SaturationRow{"InPsi", kTemperatureIn, 0, 7, "100", "14.7094347083313", "14.7095418776891"},
        SaturationRow{"FromKelvin", kTemperatureIn, 1, 1, "373.15", kP100, kP100HW},
        SaturationRow{"FromFahrenheit", kTemperatureIn, 2, 1, "212", kP100, kP100HW},
        SaturationRow{"FromRankine", kTemperatureIn, 3, 1, "671.67", kP100, kP100HW}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaturationForm, ShowsTheSaturationTemperatureInEveryTemperatureUnit) {
    // 101.325 kPa boils at 99.9743 C (IAPWS) and 99.97409862 C (Hyland-Wexler): in C, K, F, R.
    const double units[][2] = {{99.9743, 99.97409862},
                               {373.1243, 373.12409862},
                               {211.95374, 211.953377516},
                               {671.62374, 671.623377516}};
    for (int unit = 0; unit < 4; ++unit) {
        const SaturationModel form = afterInput(kPressureIn, unit, 1, "101.325");
        EXPECT_NEAR(std::stod(form.Text2.text), units[unit][0], 2e-8) << unit;
        EXPECT_NEAR(std::stod(form.Text3.text), units[unit][1], 2e-8) << unit;
    }
}

// Picking a unit or a kind of input used to skip the numeric test and compute "abc" as 0.
TEST(SaturationForm, TextThatIsNotANumberStaysAnErrorAfterEveryChange) {
    SaturationModel form = afterInput(kTemperatureIn, 0, 1, "abc");
    for (auto pick : {+[](SaturationModel& f) { f.Combo2.listIndex = 1, Combo2_Click(f); },
                      +[](SaturationModel& f) { f.Combo3.listIndex = 0, Combo3_Click(f); },
                      +[](SaturationModel& f) { f.Combo1.listIndex = 1, Combo1_Click(f); }}) {
        pick(form);
        EXPECT_EQ(form.Text2.text + " " + form.Text3.text, "Error Error");
    }
    form.Text1.text = "50";
    Text1_Change(form);
    EXPECT_NE(form.Text2.text, "Error");
}

enum Quantity { kTemperature, kPressure, kLength, kDensity, kGasConstant, kVolume, kEnthalpy };

void choose(ConvertorModel& form, int quantity, int from, int to) {
    const auto k = static_cast<std::size_t>(quantity);
    form.Combo1.listIndex = quantity;
    Combo1_Click(form);
    form.Combo2[k].listIndex = from;
    Combo2_Click(form, quantity);
    form.Combo3[k].listIndex = to;
    Combo3_Click(form, quantity);
}

// A loaded convertor after the user picks a quantity and its two units, then types a value.
ConvertorModel converted(int quantity, int from, int to, const std::string& text) {
    ConvertorModel form;
    Form_Load(form);
    choose(form, quantity, from, to);
    form.Text1.text = text;
    Text1_Change(form);
    return form;
}

struct ConvertorRow {
    const char* name;
    int quantity, from, to;
    const char* text;
    const char* shown;
};

class ConvertorRows : public ::testing::TestWithParam<ConvertorRow> {};

TEST_P(ConvertorRows, ShowsTenDecimals) {
    const ConvertorRow& row = GetParam();
    EXPECT_EQ(converted(row.quantity, row.from, row.to, row.text).Text2.text, row.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConvertorRows,
    ::testing::Values(
        ConvertorRow{"CelsiusToFahrenheit", kTemperature, 0, 2, "1", "33.8"},
        ConvertorRow{"FahrenheitToCelsius", kTemperature, 2, 0, "1", "-17.2222222222"},
        ConvertorRow{"CelsiusToRankine", kTemperature, 0, 3, "0", "491.67"},
        ConvertorRow{"NegativeAbsoluteTemperature", kTemperature, 1, 0, "-10", "-283.15"},
        ConvertorRow{"MileToKilometre", kLength, 2, 1, "1", "1.60934"},
        ConvertorRow{"AtmosphereToMmHg", kPressure, 6, 5, "1", "760.0021001785"},
        ConvertorRow{"BtuPerPoundToKilojoulePerKg", kEnthalpy, 2, 0, "1", "2.3260141422"},
        ConvertorRow{"KcalPerKgKToBtuPerLbR", kGasConstant, 3, 4, "1", "1"},
        ConvertorRow{"CubicFeetPerPoundToCm3PerGram", kVolume, 2, 1, "1", "62.4279737253"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ConvertorForm, EveryUnitPairConvertsOneAndBackToOne) {
    const ConvertorModel units;
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
        ConvertorModel form = converted(kPressure, 0, 1, text);
        EXPECT_EQ(form.Text2.text, "Error") << text;
        // While typing, the caret stays: "-" or "." must not be replaced by the next key.
        EXPECT_FALSE(form.Text1.focusRequested) << text;
        choose(form, kPressure, 0, 2);
        EXPECT_EQ(form.Text2.text, "Error") << text;
        EXPECT_TRUE(form.Text1.focusRequested) << text;
    }
}

TEST(ConvertorForm, EachQuantityKeepsItsUnitsAndTheTextCarriesOver) {
    ConvertorModel form;
    Form_Load(form);
    EXPECT_EQ(form.Combo1.text() + " " + form.Combo2[0].text() + " " + form.Combo3[0].text(),
              "Temperature C C");
    EXPECT_EQ(form.Text2.text, "1");
    EXPECT_FALSE(form.Text1.focusRequested);

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
        EXPECT_EQ(form.Combo2[k].visible, k == kTemperature) << k;
        EXPECT_EQ(form.Combo3[k].visible, k == kTemperature) << k;
    }
}

} // namespace
} // namespace hygrovane::models
