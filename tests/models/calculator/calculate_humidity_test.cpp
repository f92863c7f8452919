// Every unit of every list, the humidity branches and their agreement with one another.
#include "calculate_support.h"

#include "display/number_text.h"
#include "models/calculator/calculate.h"

#include <gtest/gtest.h>

namespace hygrovane {
namespace {

using namespace calc_test; // the main window driven as a user drives it

// What unit list ComboN governs: its box, the humidity option typed there (0: none) and its
// Minimum and Maximum captions (0: none).
struct List {
    int box = 0, option = 0, minimumLabel = 0, maximumLabel = 0;
};
constexpr List kLists[17] = {{},
                             {1, 0, 5, 4},
                             {2, 0, 7, 6},
                             {5, 3, 17, 16},
                             {6, 4, 19, 18},
                             {4, 2, 11, 10},
                             {3, 1, 13, 12},
                             {7, 5, 15, 14},
                             {8, 6, 23, 22},
                             {9, 7, 25, 24},
                             {10, 0, 9, 8},
                             {11, 10, 21, 20},
                             {12},
                             {13},
                             {14},
                             {15},
                             {16}};

// The box's text in the unit: the air of start-up (typed for Text1 and Text2), at 100 kPa for the
// derived altitude, dry air at 20 C for the properties; its captions when it has them.
struct UnitRow {
    int combo;
    const char* unit;
    const char* text;
    const char* minimum = nullptr;
    const char* maximum = nullptr;
};

const UnitRow kUnits[] = {
    {1, "C", "25", "-100", "100"},
    {1, "K", "298.15", "173.15", "373.15"},
    {1, "F", "77", "-148", "212"},
    {1, "R", "536.67", "311.67", "671.67"},
    {2, "Pa", "101325", "5000", "1000000"},
    {2, "kPa", "101.325", "5", "1000"},
    {2, "Bar", "1.01325", ".05", "10"},
    {2, "mBar", "1013.25", "50", "10000"},
    {2, "mm H2O", "10272.4", "506.9", "101380.8"},
    {2, "mm Hg", "760", "37.503", "7500.638"},
    {2, "Atmosphere", "1", ".04935", "9.86923"},
    {2, "PSI", "14.696", ".7252", "145.0377"},
    {10, "m", "110.884", "-5000", "11000"},
    {10, "km", ".110884", "-5", "11"},
    {10, "mile", ".0689", "-3.107", "6.835"},
    {10, "ft", "363.793", "-16404.199", "36089.239"},
    {3, "C", "13.864", "-100", "25"},
    {3, "K", "287.014", "173.15", "298.15"},
    {3, "F", "56.955", "-148", "77"},
    {3, "R", "516.625", "311.67", "536.67"},
    {4, "C", "17.888", "8.271", "25"},
    {4, "K", "291.038", "281.421", "298.15"},
    {4, "F", "64.199", "46.888", "77"},
    {4, "R", "523.869", "506.558", "536.67"},
    {5, "%", "50", "0", "100"},
    {6, "(kg moisture)/(kg dry air)", ".0098833", "0", ".0200857"},
    {6, "(g moisture)/(kg dry air)", "9.8833", "0", "20.0857"},
    {6, "(lb moisture)/(lb dry air)", ".0098833", "0", ".0200857"},
    {7, "(kg moisture)/m^3", ".011518", "0", ".023036"},
    {7, "(g moisture)/m^3", "11.518", "0", "23.036"},
    {7, "(lb moisture)/ft^3", ".000719", "0", ".001438"},
    {8, "%", "1.5641", "0", "3.1283"},
    {9, "%", "0.9787", "0", "1.969"},
    {11, "Pa", "1585", "0", "3170"},
    {11, "kPa", "1.585", "0", "3.17"},
    {11, "Bar", ".01585", "0", ".0317"},
    {11, "mBar", "15.85", "0", "31.7"},
    {11, "mm H2O", "160.7", "0", "321.4"},
    {11, "mm Hg", "11.888", "0", "23.775"},
    {11, "Atmosphere", ".01564", "0", ".03128"},
    {11, "PSI", ".2299", "0", ".4597"},
    // 20 C dry air: R 287.0551882, rho 1.2039086, v 0.830627, h 20.1199938.
    {12, "J/kg-K", "287.055"},
    {12, "kJ/kg-K", ".287055"},
    {12, "cal/kg-K", "68.562"},
    {12, "kcal/kg-K", ".068562"},
    {12, "btu/lb-R", ".068562"},
    {13, "kg/kmol", "28.9645"},
    {13, "lbm/lbmol", "28.9645"},
    {14, "kg/m^3", "1.2039"},
    {14, "g/cm^3", ".0012039"},
    {14, "lb/ft^3", ".07516"},
    {15, "m^3/kg (dry air)", ".83063"},
    {15, "cm^3/g (dry air)", "830.63"},
    {15, "ft^3/lb (dry air)", "13.30538"},
    {16, "kJ/kg (dry air)", "20.11999"},
    {16, "kcal/kg (dry air)", "4.80558"},
    {16, "btu/lb (dry air)", "8.64999"},
};

void PrintTo(const UnitRow& row, std::ostream* os) {
    *os << "Combo" << row.combo << " " << row.unit;
}

class EveryUnit : public ::testing::TestWithParam<UnitRow> {};

TEST_P(EveryUnit, ShowsTheAirAndItsLimitsAndReadsTheTextBack) {
    const UnitRow& row = GetParam();
    const List& list = kLists[row.combo];
    AmbientForm form = row.combo >= 12 ? calc_test::DryAirAt20C() : StartedForm();
    form.Text2.text = row.combo == 10 ? "100" : form.Text2.text;
    SelectUnit(form, row.combo, row.unit);
    if (row.combo <= 2) { // an input box is read in the new unit, not converted
        form.Text(list.box).text = row.text;
    }
    Calculate(form);
    EXPECT_EQ(form.Text(list.box).text, row.text);
    if (row.minimum != nullptr) {
        EXPECT_EQ(form.Labels(list.minimumLabel).caption, row.minimum);
        EXPECT_EQ(form.Labels(list.maximumLabel).caption, row.maximum);
    }
    if (row.combo <= 2) {
        EXPECT_NEAR(ReadNumber(form.Text3.text), .0098833, 2e-7);
    } else if (row.combo == 10) { // the shown altitude typed back gives the pressure again
        SelectPressureSource(form, 9);
        Calculate(form);
        EXPECT_NEAR(ReadNumber(form.Text2.text), 100, 0.002);
    } else if (list.option != 0) { // the shown humidity typed back gives the same air
        TypeHumidity(form, list.option, row.text);
        Calculate(form);
        EXPECT_NEAR(ReadNumber(form.Text4.text), 50, 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryList, EveryUnit, ::testing::ValuesIn(kUnits), [](const auto& info) {
    return "Combo" + std::to_string(info.param.combo) + "_" + calc_test::TestName(info.param.unit);
});

TEST(HumidityBranches, MoleFractionOfOnePercentAt20C) {
    AmbientForm form = StartedForm();
    form.Text1.text = "20";
    TypeHumidity(form, 6, "1");
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

// One humidity input typed at a temperature, and one box it fills (nullptr: the input is rejected).
struct BranchRow {
    const char* name;
    const char* celsius;
    int option;
    const char* value;
    int box;
    const char* text;
};

const BranchRow kBranches[] = {
    {"MassFractionAt60C", "60", 7, "5", 8, "7.8018"},
    {"MassFractionAboveSaturation", "25", 7, "5", 9, nullptr}, // under 2 % at 25 C
    {"SaturatedDewPointIsAmbient", "25", 2, "100", 5, "25"},
    {"DewPointAtAmbientIsSaturated", "25", 3, "25", 4, "100"},
    {"WetBulbAtAmbientIsSaturated", "25", 4, "25", 4, "100"},
    {"RatioAtMaximumCaptionIsSaturated", "25", 1, ".0200857", 4, "100"},
    {"LowestDewPointIsAccepted", "25", 3, "-100", 3, "0"}, // W = 8.6E-09
    {"LowestDewPointRelativeHumidity", "25", 3, "-100", 4, "0"},
    {"JustBelowLowestDewPoint", "25", 2, "0.0000001", 5, "< min"},
    {"DryRatio", "25", 1, "0", 5, "< min"},
    {"DryRelativeHumidity", "25", 2, "0", 5, "< min"},
    {"DryAbsoluteHumidity", "25", 5, "0", 5, "< min"},
    {"DryMoleFraction", "25", 6, "0", 5, "< min"},
    {"DryMassFraction", "25", 7, "0", 5, "< min"},
    {"DryPartialPressure", "25", 10, "0", 5, "< min"},
};

class Branches : public ::testing::TestWithParam<BranchRow> {};

TEST_P(Branches, FillTheBox) {
    const BranchRow& row = GetParam();
    AmbientForm form = StartedForm();
    form.Text1.text = row.celsius;
    TypeHumidity(form, row.option, row.value);
    Calculate(form);
    const int input = HumidityBox(row.option);
    if (row.text == nullptr) {
        EXPECT_EQ(form.Text(input).background, colours::kErrorRed);
        return;
    }
    EXPECT_EQ(form.Text(input).background, colours::kPlatformWindow);
    EXPECT_EQ(form.Text(row.box).text, row.text);
    if (std::string(row.value) == "0") { // dry air: the dry wet bulb, every other amount 0
        EXPECT_EQ(form.Text6.text, form.Label19.caption);
        for (int box : {3, 4, 7, 8, 9, 11}) {
            const char* zero = box == 8 || box == 9 ? "0.0000" : "0";
            EXPECT_EQ(form.Text(box).text, box == input ? "0" : zero) << "Text" << box;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Humidity, Branches, ::testing::ValuesIn(kBranches),
                         [](const auto& info) { return std::string(info.param.name); });

// Every humidity input, typed as the start-up state shows it, gives back that state.
struct RoundTrip {
    bool iapws;
    int pressureSource;
};

class EveryInput : public ::testing::TestWithParam<RoundTrip> {};

TEST_P(EveryInput, ReproducesTheStateOfTheOtherInputs) {
    AmbientForm reference = StartedForm();
    reference.menu_IAPWS.checked = GetParam().iapws;
    reference.menu_HW.checked = !GetParam().iapws;
    SelectPressureSource(reference, GetParam().pressureSource);
    SelectUnit(reference, 11, "Pa"); // more digits than "kPa" for typing it back
    reference.Text10.text = "0";
    Calculate(reference);
    ASSERT_EQ(reference.List1.background, colours::kResultOrange);
    for (int option : {1, 3, 4, 5, 6, 7, 10}) {
        SCOPED_TRACE(option);
        AmbientForm form = reference;
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
                                           RoundTrip{true, 9}, RoundTrip{false, 9}),
                         [](const auto& info) {
                             return std::string(info.param.iapws ? "IAPWS" : "HylandWexler") +
                                    (info.param.pressureSource == 8 ? "_Pressure" : "_Altitude");
                         });

} // namespace
} // namespace hygrovane
