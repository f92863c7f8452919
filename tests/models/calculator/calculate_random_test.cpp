// Thousands of random valid inputs in every branch: a calculation completes or ends in one of
// the two error displays, and no text shows a non-finite number.
#include "calculate_support.h"

#include "display/number_text.h"
#include "models/calculator/calculate.h"
#include "models/calculator/humidity_rows.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace hygrovane {
namespace {

using calc_test::HumidityBox;

// A value between two captions, sometimes exactly on one of them.
std::string Between(std::mt19937& random, const std::string& low, const std::string& high) {
    const int pick = std::uniform_int_distribution<int>(0, 9)(random);
    const double a = ReadNumber(low);
    const double b = ReadNumber(high);
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", std::uniform_real_distribution<double>(a, b)(random));
    const double v = ReadNumber(text);
    return pick == 0 || v < a ? low : pick == 1 || v > b ? high : text;
}

TEST(CalculateRandom, EveryBranchCompletesOrShowsAnErrorDisplay) {
    std::mt19937 random(20240611);
    int completed = 0;
    for (int run = 0; run < 4000; ++run) {
        AmbientForm form = calc_test::StartedForm();
        for (int n = 1; n <= kMainComboCount; ++n) {
            const int count = static_cast<int>(form.Combo(n).items.size());
            form.Combo(n).listIndex = std::uniform_int_distribution<int>(0, count - 1)(random);
        }
        form.menu_IAPWS.checked = run % 2 == 0;
        form.menu_HW.checked = run % 2 != 0;
        const int source = run % 4 < 2 ? 8 : 9;
        calc_test::SelectPressureSource(form, source);
        const HumidityRow& row = kHumidityRows[static_cast<std::size_t>(run / 4 % 8)];
        const int option = row.option;
        calc_test::TypeHumidity(form, option, "0");
        Calculate(form); // writes the ambient captions in the chosen units
        form.Text1.text = Between(random, form.Label5.caption, form.Label4.caption);
        const int low = source == 8 ? 7 : 9; // pressure or altitude captions
        form.Text(source == 8 ? 2 : 10).text =
            Between(random, form.Labels(low).caption, form.Labels(low - 1).caption);
        Calculate(form); // writes the humidity captions of this temperature and pressure
        const int box = HumidityBox(option);
        form.Text(box).text = form.Label10.caption == "Error"
                                  ? "0"
                                  : Between(random, form.Labels(row.minimumLabel).caption,
                                            form.Labels(row.maximumLabel).caption);
        SCOPED_TRACE("run " + std::to_string(run) + ": " + form.Text1.text + " " +
                     form.Combo1.text() + ", " + form.Text2.text + " / " + form.Text10.text +
                     ", Option" + std::to_string(option) + " " + form.Text(box).text);
        ASSERT_NO_THROW(Calculate(form));
        ASSERT_TRUE(calc_test::ShowsNoNonFiniteText(form));
        ASSERT_NE(form.Text1.background, colours::kErrorRed);
        const bool done = form.List1.background == colours::kResultOrange;
        completed += done ? 1 : 0;
        ASSERT_TRUE(done || form.List1.background == colours::kErrorRed);
        ASSERT_EQ(form.List1.items.size(), done ? 11U : 3U);
        ASSERT_EQ(form.Text12.text == "Error", !done);
        ASSERT_TRUE(!done || form.Text(box).background != colours::kErrorRed);
        ASSERT_EQ(form.List1.items[0] == "Error!", !done);
    }
    // Most random states are possible air; the rest lie above the boiling point.
    EXPECT_GT(completed, 2000);
}

} // namespace
} // namespace hygrovane
