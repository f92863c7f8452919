#include "calculator/number_text.h"
#include "forms/saturation/form_saturation.h"

#include <gtest/gtest.h>

#include <string>

namespace hygrovane::forms {
namespace {

enum Kind { kTemperature = 0, kPressure = 1 };

// A loaded window after the user picks a kind and both units (C K F R; Pa kPa Bar mBar mm H2O,
// mm Hg, Atmosphere, PSI), then types a value.
FormSaturation afterInput(Kind kind, int temperatureUnit, int pressureUnit, const char* text) {
    FormSaturation form;
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
    FormSaturation form;
    Form_Load(form);
    EXPECT_EQ(form.Combo1.text() + " " + form.Combo2.text() + " " + form.Combo3.text(),
              "Temperature C kPa");
    EXPECT_EQ(form.Text1.text, "100");
    EXPECT_EQ(form.Text2.text, "101.41797792131");
    EXPECT_EQ(form.Text3.text, "101.41871682799");
    EXPECT_EQ(form.Label1.background, (Colour{165, 162, 135}));

    form.Combo1.listIndex = kPressure; // the text stays and is read in the pressure unit
    Combo1_Click(form);
    EXPECT_EQ(form.Text1.text, "100");
    EXPECT_EQ(form.Label4.caption, "Temperature");
    EXPECT_EQ(form.Combo3.top, kInputUnitTop);
    EXPECT_EQ(form.Combo2.top, kOutputUnitTop);
    EXPECT_NEAR(std::stod(form.Text2.text), 99.606, 0.001); // 100 kPa in C
}

struct Row {
    const char* name;
    Kind kind;
    int temperatureUnit, pressureUnit;
    const char* text;
    const char* iapws; // nullptr: any number
    const char* hylandWexler;
};

class SaturationRows : public ::testing::TestWithParam<Row> {};

TEST_P(SaturationRows, ShowsBothFormulations) {
    const Row& row = GetParam();
    const FormSaturation form =
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
        Row{"BoilingPointAtStandardPressure", kPressure, 0, 1, "101.325", "99.9743", "99.97409862"},
        Row{"LowestTemperatureAccepted", kTemperature, 0, 1, "-100", nullptr, nullptr},
        Row{"BelowLowestTemperature", kTemperature, 0, 1, "-100.001", kOut, kOut},
        Row{"HighestTemperatureAccepted", kTemperature, 0, 1, "200", nullptr, nullptr},
        Row{"AboveHighestTemperature", kTemperature, 0, 1, "200.001", kOut, kOut},
        Row{"LowestPressureAccepted", kPressure, 0, 0, "0.0015", nullptr, nullptr},
        Row{"BelowLowestPressure", kPressure, 0, 0, "0.0014", kOut, kOut},
        Row{"AboveHighestPressure", kPressure, 0, 0, "1555000.1", kOut, kOut},
        Row{"TextNotANumber", kTemperature, 0, 1, "abc", "Error", "Error"},
        Row{"EmptyText", kPressure, 0, 1, "", "Error", "Error"},
        // Every pressure unit shows the Pa value rounded to 8 decimals, then divided.
        Row{"InPa", kTemperature, 0, 0, "100", "101417.97792131", "101418.71682799"},
        Row{"InBar", kTemperature, 0, 2, "100", "1.0141797792131", "1.0141871682799"},
        Row{"InMBar", kTemperature, 0, 3, "100", "1014.1797792131", "1014.1871682799"},
        Row{"InMmH2O", kTemperature, 0, 4, "100", "10281.8364039528", "10281.911314908"},
        Row{"InMmHg", kTemperature, 0, 5, "100", "760.699493866804", "760.705036137997"},
        Row{"InAtmosphere", kTemperature, 0, 6, "100", "1.00091762073832", "1.00092491318026"},
        Row{"InPsi", kTemperature, 0, 7, "100", "14.7094347083313", "14.7095418776891"},
        Row{"FromKelvin", kTemperature, 1, 1, "373.15", kP100, kP100HW},
        Row{"FromFahrenheit", kTemperature, 2, 1, "212", kP100, kP100HW},
        Row{"FromRankine", kTemperature, 3, 1, "671.67", kP100, kP100HW}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaturationForm, ShowsTheSaturationTemperatureInEveryTemperatureUnit) {
    // 101.325 kPa boils at 99.9743 C (IAPWS) and 99.97409862 C (Hyland-Wexler).
    const double units[][2] = {{99.9743, 99.97409862},
                               {373.1243, 373.12409862},
                               {211.95374, 211.953377516},
                               {671.62374, 671.623377516}};
    for (int unit = 0; unit < 4; ++unit) {
        const FormSaturation form = afterInput(kPressure, unit, 1, "101.325");
        EXPECT_NEAR(std::stod(form.Text2.text), units[unit][0], 2e-8) << unit;
        EXPECT_NEAR(std::stod(form.Text3.text), units[unit][1], 2e-8) << unit;
    }
}

// Picking a unit or a kind of input used to skip the numeric test and compute "abc" as 0.
TEST(SaturationForm, TextThatIsNotANumberStaysAnErrorAfterEveryChange) {
    FormSaturation form = afterInput(kTemperature, 0, 1, "abc");
    for (auto pick : {+[](FormSaturation& f) { f.Combo2.listIndex = 1, Combo2_Click(f); },
                      +[](FormSaturation& f) { f.Combo3.listIndex = 0, Combo3_Click(f); },
                      +[](FormSaturation& f) { f.Combo1.listIndex = 1, Combo1_Click(f); }}) {
        pick(form);
        EXPECT_EQ(form.Text2.text + " " + form.Text3.text, "Error Error");
    }
    form.Text1.text = "50";
    Text1_Change(form);
    EXPECT_NE(form.Text2.text, "Error");
}

} // namespace
} // namespace hygrovane::forms
