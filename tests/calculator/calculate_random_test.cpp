// Thousands of random valid inputs in every branch: a calculation completes or ends in one of
// the two error displays, and no text shows a non-finite number.
#include "calculate_support.h"

#include "calculator/calculate.h"
#include "calculator/number_text.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <random>

namespace hygrovane {
namespace {

using calc_test::HumidityBox;
using calc_test::SelectPressureSource;
using calc_test::ShowsNoNonFiniteText;
using calc_test::StartedForm;
using calc_test::TypeHumidity;

std::string Text(double x) {
    char text[40];
    std::snprintf(text, sizeof text, "%.9g", x);
    return text;
}

// A value between two captions, sometimes exactly on one of them.
std::string Between(std::mt19937& random, const std::string& low, const std::string& high) {
    const int pick = std::uniform_int_distribution<int>(0, 9)(random);
    if (pick == 0) {
        return low;
    }
    if (pick == 1) {
        return high;
    }
    const double a = ReadNumber(low);
    const double b = ReadNumber(high);
    const std::string text = Text(std::uniform_real_distribution<double>(a, b)(random));
    const double v = ReadNumber(text);
    return v < a ? low : v > b ? high : text;
}

const int kMinimumLabel[] = {0, 13, 11, 17, 19, 15, 23, 25, 0, 0, 21};
const int kMaximumLabel[] = {0, 12, 10, 16, 18, 14, 22, 24, 0, 0, 20};

TEST(CalculateRandom, EveryBranchCompletesOrShowsAnErrorDisplay) {
    std::mt19937 random(20240611);
    const int options[] = {1, 2, 3, 4, 5, 6, 7, 10};
    int completed = 0;
    for (int run = 0; run < 4000; ++run) {
        FormAmbient form = StartedForm();
        for (int n = 1; n <= units::kMainComboCount; ++n) {
            const int count = static_cast<int>(form.Combo(n).items.size());
            form.Combo(n).listIndex = std::uniform_int_distribution<int>(0, count - 1)(random);
        }
        const bool iapws = run % 2 == 0;
        form.menu_IAPWS.checked = iapws;
        form.menu_HW.checked = !iapws;
        const int source = run % 4 < 2 ? 8 : 9;
        SelectPressureSource(form, source);
        const int option = options[static_cast<std::size_t>(run / 4 % 8)];
        TypeHumidity(form, option, "0");
        Calculate(form); // writes the ambient captions in the chosen units
        form.Text1.text = Between(random, form.Label5.caption, form.Label4.caption);
        if (source == 8) {
            form.Text2.text = Between(random, form.Label7.caption, form.Label6.caption);
        } else {
            form.Text10.text = Between(random, form.Label9.caption, form.Label8.caption);
        }
        Calculate(form); // writes the humidity captions of this temperature and pressure
        const int box = HumidityBox(option);
        const std::string input = form.Label10.caption != "Error"
                                      ? Between(random, form.Labels(kMinimumLabel[option]).caption,
                                                form.Labels(kMaximumLabel[option]).caption)
                                      : "0";
        form.Text(box).text = input;
        SCOPED_TRACE("run " + std::to_string(run) + ": " + form.Text1.text + " " +
                     form.Combo1.text() + ", " + form.Text2.text + " / " + form.Text10.text +
                     ", Option" + std::to_string(option) + " " + input);
        ASSERT_NO_THROW(Calculate(form));
        ASSERT_TRUE(ShowsNoNonFiniteText(form));
        ASSERT_NE(form.Text1.background, colours::kErrorRed);
        if (form.List1.background == colours::kResultOrange) {
            ++completed;
            ASSERT_EQ(form.List1.items.size(), 11U);
            ASSERT_NE(form.Text(box).background, colours::kErrorRed);
            ASSERT_NE(form.Text12.text, "Error");
        } else {
            ASSERT_EQ(form.List1.background, colours::kErrorRed);
            ASSERT_EQ(form.List1.items.size(), 3U);
            ASSERT_EQ(form.List1.items[0], "Error!");
            ASSERT_EQ(form.Text12.text, "Error");
        }
    }
    // Most random states are possible air; the rest lie above the boiling point.
    EXPECT_GT(completed, 2000);
}

} // namespace
} // namespace hygrovane
