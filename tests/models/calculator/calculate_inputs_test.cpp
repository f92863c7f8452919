// Validation of the inputs against their captions, the two error displays and the pressure source.
#include "calculate_support.h"

#include "display/number_text.h"
#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"

#include <cmath>
#include <cstdio>
#include <gtest/gtest.h>

namespace hygrovane {
namespace {

using namespace calc_test; // the main window driven as a user drives it

const std::vector<std::string> kErrorItems{"Error!", "The quantity which has been indicated",
                                           "by red color is out of allowable range."};

// One input box: how to select it, its box and its two captions.
struct InputRow {
    std::string name;
    int option; // humidity option, or 0 for Text1, 8 for Text2, 9 for Text10
    int box, minimumLabel, maximumLabel;
};

// The temperature, the two pressure rows and the eight humidity rows.
std::vector<InputRow> Inputs() {
    std::vector<InputRow> rows{{"temperature", 0, 1, 5, 4}};
    for (const PressureRow& r : kPressureRows) {
        rows.push_back({std::string(r.caption), r.option, r.box, r.minimumLabel, r.maximumLabel});
    }
    for (const HumidityRow& r : kHumidityRows) {
        rows.push_back({std::string(r.caption), r.option, r.box, r.minimumLabel, r.maximumLabel});
    }
    return rows;
}
const std::vector<InputRow> kInputs = Inputs();

// A started form with the row's box as the selected input (captions of this state shown).
AmbientForm FormFor(const InputRow& row) {
    AmbientForm form = StartedForm();
    if (row.option == 9) {
        SelectPressureSource(form, 9);
        form.Text10.text = "0";
    } else if (row.option != 0 && row.option != 8) {
        TypeHumidity(form, row.option, form.Text(row.box).text);
    }
    Calculate(form);
    return form;
}

std::string Beyond(const std::string& caption, double direction) {
    const double limit = ReadNumber(caption);
    char text[40];
    std::snprintf(text, sizeof text, "%.17g",
                  limit + direction * std::max(std::fabs(limit), 1.0) * 1e-9);
    return text;
}

bool Accepted(AmbientForm& form, const InputRow& row, const std::string& text) {
    form.Text(row.box).text = text;
    Calculate(form);
    return form.Text(row.box).background != colours::kErrorRed &&
           form.List1.background == colours::kResultOrange;
}

TEST(InputCheck, EveryInputAcceptsBothCaptionsAndRejectsJustBeyond) {
    for (const InputRow& row : kInputs) {
        SCOPED_TRACE(row.name);
        AmbientForm form = FormFor(row);
        const std::string minimum = form.Labels(row.minimumLabel).caption;
        const std::string maximum = form.Labels(row.maximumLabel).caption;
        // 100 C at sea level is above the boiling point; test the temperature at 1000 kPa.
        form.Text2.text = row.option == 0 ? "1000" : form.Text2.text;
        EXPECT_TRUE(Accepted(form, row, minimum)) << minimum;
        EXPECT_TRUE(Accepted(form, row, maximum)) << maximum;
        EXPECT_FALSE(Accepted(form, row, Beyond(minimum, -1)));
        EXPECT_FALSE(Accepted(form, row, Beyond(maximum, +1)));
    }
}

TEST(InputCheck, NonNumericTextsTurnTheBoxRedAndShowTheErrorDisplay) {
    for (const InputRow& row : kInputs) {
        for (const char* text : {"", "abc", "1e400", "-1e400"}) {
            SCOPED_TRACE(std::string(row.name) + " with \"" + text + "\"");
            AmbientForm form = FormFor(row);
            const std::string label12 = form.Label12.caption;
            form.Text(row.box).text = text;
            Calculate(form);
            EXPECT_EQ(form.Text(row.box).background, colours::kErrorRed);
            EXPECT_EQ(form.Text(row.box).text, text); // the user's text stays
            for (const HumidityRow& humidity : kHumidityRows) {
                const int box = humidity.box;
                if (box != row.box && !form.Option(humidity.option).value) {
                    EXPECT_EQ(form.Text(box).text, "Error") << "Text" << box;
                }
            }
            for (int n = 12; n <= 16; ++n) {
                EXPECT_EQ(form.Text(n).text, "Error") << "Text" << n;
            }
            EXPECT_EQ(form.Text10.text, row.option == 8 ? "Error" : form.Text10.text);
            EXPECT_EQ(form.Text2.text, row.option == 9 ? "Error" : form.Text2.text);
            EXPECT_EQ(form.List1.items, kErrorItems);
            EXPECT_EQ(form.List1.background, colours::kErrorRed);
            EXPECT_EQ(form.Label12.caption, label12); // unchanged or rewritten alike
        }
    }
}

TEST(InputCheck, AFailedCheckLeavesTheOutputsItDoesNotReach) {
    AmbientForm form = StartedForm();
    const double W = form.state.W;
    form.Text1.text = "101";
    Calculate(form);
    EXPECT_EQ(form.Text1.background, colours::kErrorRed);
    EXPECT_EQ(form.Text4.text, "50"); // the selected input keeps its text
    EXPECT_EQ(form.Label12.caption, ".0200857");
    EXPECT_EQ(form.Label20.caption, "3.17");
    EXPECT_EQ(form.Text10.text, "0");
    EXPECT_EQ(form.state.T, 298.15F);

    // A failed humidity input: captions and fields set before the check are new, W is not.
    form.Text1.text = "30";
    form.Text4.text = "100.0001";
    Calculate(form);
    EXPECT_EQ(form.Text4.background, colours::kErrorRed);
    EXPECT_EQ(form.Label18.caption, "30");
    EXPECT_EQ(form.state.T, 303.15F);
    EXPECT_EQ(form.state.W, W);

    // Correcting it recalculates everything.
    form.Text1.text = "25";
    form.Text4.text = "50";
    Calculate(form);
    EXPECT_EQ(form.Text1.background, colours::kPlatformWindow);
    EXPECT_EQ(form.Text3.text, ".0098833");
    EXPECT_EQ(form.List1.background, colours::kResultOrange);

    // A new temperature unit reads the same number: 25 K is below 173.15.
    SelectUnit(form, 1, "K");
    Calculate(form);
    EXPECT_EQ(form.Text1.background, colours::kErrorRed);
}

TEST(InputCheck, AnUnlistedUnitLeavesItsBoxAndTheValueAsTheyWere) {
    AmbientForm form = StartedForm();
    for (int combo : {6, 12, 14, 15, 16}) {
        form.Combo(combo).listIndex = -1;
    }
    const AmbientForm before = form;
    form.Text4.text = "60";
    Calculate(form);
    for (int box : {3, 12, 14, 15, 16}) {
        EXPECT_EQ(form.Text(box).text, before.Text(box).text) << "Text" << box;
    }
    EXPECT_EQ(form.Label12.caption, ".0200857");
    EXPECT_NE(form.Text5.text, "13.864"); // the others follow the new input
    EXPECT_NE(form.Text13.text, before.Text13.text);
    // With no temperature unit the internal temperature keeps its value.
    form.Combo1.listIndex = -1;
    form.Text1.text = "-100";
    Calculate(form);
    EXPECT_EQ(form.state.T, 298.15F);
}

TEST(PressureTooLow, ShowsTheWarningAndRecoversAtTheNextCalculation) {
    AmbientForm form = StartedForm();
    form.Text1.text = "100";
    Calculate(form);
    EXPECT_EQ(form.Text1.background, colours::kPlatformWindow);
    EXPECT_EQ(form.Label20.background, colours::kWarningYellow);
    EXPECT_EQ(form.Text2.background, colours::kWarningYellow);
    EXPECT_EQ(form.Text4.text, "50");
    for (int box : {3, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16}) {
        EXPECT_EQ(form.Text(box).text, "Error") << "Text" << box;
    }
    for (int n = 10; n <= 25; ++n) {
        EXPECT_EQ(form.Labels(n).caption, n == 20 ? "101.418" : "Error") << "Label" << n;
    }
    EXPECT_EQ(form.List1.items,
              (std::vector<std::string>{"Error!", "The partial pressure of water vapor",
                                        "exceeds the ambient pressure."}));
    EXPECT_EQ(form.List1.background, colours::kErrorRed);

    form.Text1.text = "25";
    Calculate(form);
    EXPECT_EQ(form.Label20.background, colours::kMaximumPink);
    EXPECT_EQ(form.Label10.caption, "100");
    EXPECT_EQ(form.Label12.caption, ".0200857");
    EXPECT_EQ(form.List1.background, colours::kResultOrange);
}

TEST(ArithmeticFault, EndsInTheErrorDisplayWithoutARedBox) {
    // p_ws at 100 C is 101417.98 Pa: its caption "101418" admits a p_w equal to P.
    AmbientForm form = StartedForm();
    SelectUnit(form, 2, "Pa");
    SelectUnit(form, 11, "Pa");
    form.Text1.text = "100";
    form.Text2.text = "101418";
    TypeHumidity(form, 10, "101418");
    Calculate(form);
    EXPECT_EQ(form.Label20.caption, "101418");
    EXPECT_EQ(form.Text11.background, colours::kPlatformWindow);
    EXPECT_EQ(form.List1.items, kErrorItems);
    EXPECT_EQ(form.List1.background, colours::kErrorRed);
    EXPECT_EQ(form.Text12.text, "Error");
    // A wet bulb without a unit stays 0 K, which the engine cannot evaluate.
    form = StartedForm();
    TypeHumidity(form, 4, "17.888");
    form.Combo4.listIndex = -1;
    Calculate(form);
    EXPECT_EQ(form.Text6.background, colours::kPlatformWindow);
    EXPECT_EQ(form.List1.items, kErrorItems);
}

TEST(Pressure, AnAltitudeBeyondItsLimitsIsShownOutOfRangeInSmallType) {
    AmbientForm form = StartedForm();
    form.Text2.text = "5";
    Calculate(form);
    EXPECT_EQ(form.Text10.text, "Out of Range");
    EXPECT_EQ(form.Text10.fontSize, 7);
    EXPECT_EQ(form.List1.background, colours::kResultOrange);
    EXPECT_NE(form.Text3.text, "Error");
    form.Text2.text = "101.325";
    Calculate(form);
    EXPECT_EQ(form.Text10.fontSize, 9);
    EXPECT_EQ(form.Text10.text, "0");
}

struct AltitudeRow {
    const char* altitudeUnit;
    const char* altitude;
    const char* pressureUnit;
    const char* pressure;
};

TEST(Pressure, ATypedAltitudeGivesThe32BitStandardAtmospherePressure) {
    const AltitudeRow rows[] = {
        {"km", "11", "kPa", "22.632"},   {"m", "-5000", "Bar", "1.77687"},
        {"ft", "0", "Atmosphere", "1"},  {"mile", "1", "mm Hg", "625.76"},
        {"m", "1000", "PSI", "13.0352"},
    };
    for (const AltitudeRow& row : rows) {
        SCOPED_TRACE(std::string(row.altitude) + " " + row.altitudeUnit);
        AmbientForm form = StartedForm();
        SelectPressureSource(form, 9);
        SelectUnit(form, 10, row.altitudeUnit);
        SelectUnit(form, 2, row.pressureUnit);
        form.Text10.text = row.altitude;
        Calculate(form);
        EXPECT_EQ(form.Text2.text, row.pressure);
        EXPECT_EQ(form.Text2.background, colours::kDerivedCyan);
        EXPECT_EQ(form.Text10.background, colours::kPlatformWindow);
    }
}

} // namespace
} // namespace hygrovane
