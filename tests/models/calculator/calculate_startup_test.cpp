// The whole window after start-up, every box, caption and list item.
#include "calculate_support.h"

#include "models/calculator/calculate.h"

#include <array>
#include <gtest/gtest.h>

namespace hygrovane {
namespace {

using calc_test::StartedForm;

void ExpectTexts(const AmbientForm& form, const std::array<std::string, 16>& texts,
                 const std::array<std::string, 22>& labels) {
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(form.Text(n).text, texts[static_cast<std::size_t>(n - 1)]) << "Text" << n;
    }
    for (int n = 4; n <= 25; ++n) {
        EXPECT_EQ(form.Labels(n).caption, labels[static_cast<std::size_t>(n - 4)]) << "Label" << n;
    }
    EXPECT_EQ(form.List1.background, colours::kResultOrange);
}

TEST(CalculateStartUp, MetricFillsEveryBoxCaptionAndTheList) {
    const AmbientForm form = StartedForm();
    // 25 C, 50 %: W about 0.00988, dew point 13.86 C, wet bulb 17.89 C, p_ws 3.17 kPa.
    ExpectTexts(form,
                {"25", "101.325", ".0098833", "50", "13.864", "17.888", ".011518", "1.5641",
                 "0.9787", "0", "1.585", ".288763", "28.79324", "1.1767", ".85822", "50.31405"},
                {"100",      "-100", "1000",    "5", "11000", "-5000", "100", "0",
                 ".0200857", "0",    ".023036", "0", "25",    "-100",  "25",  "8.271",
                 "3.17",     "0",    "3.1283",  "0", "1.969", "0"});
    const std::string rule(48, '-');
    EXPECT_EQ(form.List1.items,
              (std::vector<std::string>{"Sat. Formulation:  IAPWS", rule, "Air Composition", rule,
                                        "Species              %Vol.              %Wgt.", rule,
                                        "N2                    76.8627             74.7793",
                                        "O2                    20.6199             22.9150",
                                        "Ar                       0.9219               1.2790",
                                        "CO2                   0.0314               0.0480",
                                        "H2O                   1.5641               0.9787"}));
    EXPECT_TRUE(form.CaseModified);
    for (int box : {1, 2, 4}) {
        EXPECT_EQ(form.Text(box).background, colours::kPlatformWindow) << "Text" << box;
    }
    EXPECT_EQ(form.Text10.background, colours::kDerivedCyan);
    EXPECT_EQ(form.Text3.background, colours::kDerivedCyan);
    EXPECT_EQ(form.Label20.background, colours::kMaximumPink);
    EXPECT_EQ(form.Text10.fontSize, 9);
    EXPECT_EQ(form.state.T, 298.15F);
    EXPECT_EQ(form.state.P, 101325);
}

TEST(CalculateStartUp, BritishReadsTheDesignTimeTextsThenShowsTheSameAirInBritishUnits) {
    AmbientForm form = StartedForm(UnitSystem::British);
    // 101.325 PSI lies far below sea level: the altitude is out of range, the rest computed.
    EXPECT_EQ(form.Text10.text, "Out of Range");
    EXPECT_EQ(form.Text10.fontSize, 7);
    EXPECT_EQ(form.Text3.text, ".0001966");
    EXPECT_EQ(form.List1.background, colours::kResultOrange);

    form.Text1.text = "77";
    form.Text2.text = "14.696";
    Calculate(form);
    // 13.864 C = 56.955 F, 17.888 C = 64.199 F, 50.314 kJ/kg x 0.42992 = 21.631 btu/lb.
    ExpectTexts(form,
                {"77", "14.696", ".0098832", "50", "56.955", "64.199", ".000719", "1.5641",
                 "0.9786", "-.095", ".2299", ".06897", "28.79324", ".07346", "13.7473", "21.63098"},
                {"212",    "-148", "145.0377", ".7252",  "36089.239", "-16404.199",
                 "100",    "0",    ".0200856", "0",      ".001438",   "0",
                 "77",     "-148", "77",       "46.888", ".4597",     "0",
                 "3.1283", "0",    "1.969",    "0"});
    EXPECT_EQ(form.List1.items.back(), "H2O                   1.5641               0.9786");
}

} // namespace
} // namespace hygrovane
