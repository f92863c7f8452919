// Mixture properties, the composition table and its lines.
#include "calculate_support.h"

#include "models/calculator/calculate.h"

#include <gtest/gtest.h>

namespace hygrovane {
namespace {

using calc_test::StartedForm;
using calc_test::TypeHumidity;

std::string Line(const char* name, int blanks1, const char* mole, int blanks2, const char* mass) {
    return std::string(name) + std::string(static_cast<std::size_t>(blanks1), ' ') + mole +
           std::string(static_cast<std::size_t>(blanks2), ' ') + mass;
}

TEST(Properties, DryAirAt20CShowsThe32BitTemperatureInTheEnthalpy) {
    const AmbientForm form = calc_test::DryAirAt20C();
    EXPECT_EQ(form.state.T, 293.15F);
    EXPECT_EQ(form.Text13.text, "28.9645");
    EXPECT_EQ(form.Text12.text, "287.055");
    EXPECT_EQ(form.Text15.text, ".83063");
    EXPECT_EQ(form.Text14.text, "1.2039");
    EXPECT_EQ(form.Text16.text, "20.11999"); // not 20.12
    EXPECT_EQ(std::vector<std::string>(form.List1.items.begin() + 6, form.List1.items.end()),
              (std::vector<std::string>{Line("N2", 20, "78.0840", 13, "75.5184"),
                                        Line("O2", 20, "20.9476", 13, "23.1415"),
                                        Line("Ar", 23, "0.9365", 15, "1.2916"),
                                        Line("CO2", 19, "0.0319", 15, "0.0485"),
                                        Line("H2O", 19, "0.0000", 15, "0.0000")}));
}

TEST(Composition, TheWaterLineWidensAtTenPercentStrictly) {
    // x_w = 0.1 gives w_w = 0.064641; w_w = 0.1 gives x_w = 0.151566.
    const std::tuple<int, const char*, std::string> rows[] = {
        {6, "9.9999", Line("H2O", 19, "9.9999", 15, "6.4641")},
        {6, "10", Line("H2O", 17, "10.0000", 15, "6.4641")},
        {7, "9.9999", Line("H2O", 17, "15.1564", 15, "9.9999")},
        {7, "10", Line("H2O", 17, "15.1566", 13, "10.0000")},
    };
    for (const auto& [option, value, line] : rows) {
        AmbientForm form = StartedForm();
        form.Text1.text = "60";
        TypeHumidity(form, option, value);
        Calculate(form);
        EXPECT_EQ(form.List1.items.back(), line) << "Option" << option << " " << value;
    }
}

TEST(Composition, TableUsesTheLocaleSeparatorAndArgonIsFormedIn32Bits) {
    AmbientForm form = StartedForm();
    form.decimalSeparator = ",";
    Calculate(form);
    EXPECT_EQ(form.Text8.text, "1.5641"); // a box the user can type into: always "."
    EXPECT_EQ(form.Text9.text, "0.9787");
    EXPECT_EQ(form.List1.items[8], Line("Ar", 23, "0,9219", 15, "1,2790"));
    EXPECT_EQ(form.Label22.caption, "3.1283"); // captions always use "."
    EXPECT_EQ(form.state.x_Ar, static_cast<float>((1 - form.state.x_w) * 0.009365));
}

TEST(Composition, FormulationLinesFollowTheCheckMarks) {
    AmbientForm form = StartedForm();
    form.menu_HW.checked = true; // both checked: both lines, IAPWS used
    Calculate(form);
    EXPECT_EQ(form.List1.items[0], "Sat. Formulation:  IAPWS");
    EXPECT_EQ(form.List1.items[1], "Sat. Formulation:  Hyland-Wexler");
    EXPECT_EQ(form.Label19.caption, "8.271");
    form.menu_IAPWS.checked = false; // Hyland-Wexler differs in the last digits: 281.42244 K
    Calculate(form);
    EXPECT_EQ(form.List1.items[0], "Sat. Formulation:  Hyland-Wexler");
    EXPECT_EQ(form.Label19.caption, "8.272");
    form.menu_HW.checked = false; // neither: Hyland-Wexler, no line
    Calculate(form);
    EXPECT_EQ(form.List1.items[0], std::string(48, '-'));
    EXPECT_EQ(form.Label19.caption, "8.272");
}

} // namespace
} // namespace hygrovane
