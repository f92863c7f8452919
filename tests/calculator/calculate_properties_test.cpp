// Mixture properties, the composition table and its H2O line variants.
#include "calculate_support.h"

#include "calculator/calculate.h"

#include <gtest/gtest.h>

namespace hygrovane {
namespace {

using calc_test::SelectUnit;
using calc_test::StartedForm;
using calc_test::TypeHumidity;

std::string Line(const char* name, int blanks1, const char* mole, int blanks2, const char* mass) {
    return std::string(name) + std::string(static_cast<std::size_t>(blanks1), ' ') + mole +
           std::string(static_cast<std::size_t>(blanks2), ' ') + mass;
}

FormAmbient DryAirAt20C() {
    FormAmbient form = StartedForm();
    form.Text1.text = "20";
    form.Text2.text = "101.325";
    TypeHumidity(form, 1, "0");
    SelectUnit(form, 12, "J/kg-K");
    Calculate(form);
    return form;
}

TEST(Properties, DryAirAt20CShowsThe32BitTemperatureInTheEnthalpy) {
    const FormAmbient form = DryAirAt20C();
    EXPECT_EQ(form.state.T, 293.15F);
    EXPECT_EQ(form.Text13.text, "28.9645");
    EXPECT_EQ(form.Text12.text, "287.055");
    EXPECT_EQ(form.Text15.text, ".83063");
    EXPECT_EQ(form.Text14.text, "1.2039");
    EXPECT_EQ(form.Text16.text, "20.11999"); // not 20.12
    const std::vector<std::string> composition(form.List1.items.begin() + 6,
                                               form.List1.items.end());
    EXPECT_EQ(composition, (std::vector<std::string>{Line("N2", 20, "78.0840", 13, "75.5184"),
                                                     Line("O2", 20, "20.9476", 13, "23.1415"),
                                                     Line("Ar", 23, "0.9365", 15, "1.2916"),
                                                     Line("CO2", 19, "0.0319", 15, "0.0485"),
                                                     Line("H2O", 19, "0.0000", 15, "0.0000")}));
}

TEST(Properties, EveryUnitOfTheOutputLists) {
    struct Row {
        int combo;
        const char* unit;
        int box;
        const char* text;
    };
    // 20 C dry air: R 287.0551882, rho 1.2039086, v 0.830627, h 20.1199938.
    const Row rows[] = {{12, "J/kg-K", 12, "287.055"},
                        {12, "kJ/kg-K", 12, ".287055"},
                        {12, "cal/kg-K", 12, "68.562"},
                        {12, "kcal/kg-K", 12, ".068562"},
                        {12, "btu/lb-R", 12, ".068562"},
                        {13, "lbm/lbmol", 13, "28.9645"},
                        {14, "kg/m^3", 14, "1.2039"},
                        {14, "g/cm^3", 14, ".0012039"},
                        {14, "lb/ft^3", 14, ".07516"},
                        {15, "m^3/kg (dry air)", 15, ".83063"},
                        {15, "cm^3/g (dry air)", 15, "830.63"},
                        {15, "ft^3/lb (dry air)", 15, "13.30538"},
                        {16, "kJ/kg (dry air)", 16, "20.11999"},
                        {16, "kcal/kg (dry air)", 16, "4.80558"},
                        {16, "btu/lb (dry air)", 16, "8.64999"}};
    for (const Row& row : rows) {
        FormAmbient form = DryAirAt20C();
        SelectUnit(form, row.combo, row.unit);
        Calculate(form);
        EXPECT_EQ(form.Text(row.box).text, row.text) << row.unit;
    }
}

TEST(Properties, AnUnlistedUnitLeavesThePropertyBoxAsItWas) {
    FormAmbient form = DryAirAt20C();
    for (int combo : {12, 14, 15, 16}) {
        form.Combo(combo).listIndex = -1;
    }
    form.Text1.text = "30";
    Calculate(form);
    EXPECT_EQ(form.Text12.text, "287.055");
    EXPECT_EQ(form.Text14.text, "1.2039");
    EXPECT_EQ(form.Text15.text, ".83063");
    EXPECT_EQ(form.Text16.text, "20.11999");
    EXPECT_EQ(form.Text13.text, "28.9645"); // not consulted: dry air stays 28.9645
}

TEST(Composition, TheWaterLineChangesAtTenPercentStrictly) {
    struct Row {
        int option;
        const char* value;
        std::string line;
    };
    // x_w = 0.1 gives w_w = 0.064641; w_w = 0.1 gives x_w = 0.151566.
    const Row rows[] = {
        {6, "9.9999", Line("H2O", 19, "9.9999", 15, "6.4641")},
        {6, "10", Line("H2O", 17, "10.0000", 15, "6.4641")},
        {7, "9.9999", Line("H2O", 17, "15.1564", 15, "9.9999")},
        {7, "10", Line("H2O", 17, "15.1566", 13, "10.0000")},
    };
    for (const Row& row : rows) {
        FormAmbient form = StartedForm();
        form.Text1.text = "60";
        TypeHumidity(form, row.option, row.value);
        Calculate(form);
        EXPECT_EQ(form.List1.items.back(), row.line) << row.option << " " << row.value;
    }
}

TEST(Composition, PicturesUseTheLocaleSeparatorAndArgonIsFormedIn32Bits) {
    FormAmbient form = StartedForm();
    form.decimalSeparator = ",";
    Calculate(form);
    EXPECT_EQ(form.Text8.text, "1,5641");
    EXPECT_EQ(form.Text9.text, "0,9787");
    EXPECT_EQ(form.List1.items[8], Line("Ar", 23, "0,9219", 15, "1,2790"));
    EXPECT_EQ(form.Label22.caption, "3.1283"); // captions always use "."
    EXPECT_EQ(form.state.x_Ar, static_cast<float>((1 - form.state.x_w) * 0.009365));
}

TEST(Composition, FormulationLinesFollowTheCheckMarks) {
    FormAmbient form = StartedForm();
    form.menu_HW.checked = true; // both checked: both lines, IAPWS used
    Calculate(form);
    EXPECT_EQ(form.List1.items[0], "Sat. Formulation:  IAPWS");
    EXPECT_EQ(form.List1.items[1], "Sat. Formulation:  Hyland-Wexler");
    EXPECT_EQ(form.Label19.caption, "8.271");
    form.menu_IAPWS.checked = form.menu_HW.checked = false; // neither: Hyland-Wexler, no line
    Calculate(form);
    EXPECT_EQ(form.List1.items[0], std::string(48, '-'));
    EXPECT_EQ(form.Label19.caption, "8.272");
}

} // namespace
} // namespace hygrovane
