#include "units/quantity.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace hygrovane::units {
namespace {

using Q = Quantity;

struct ConversionCase {
    const char* name;
    Q quantity;
    const char* unit;
    double value;
    double expected; // exact: the written form must be followed operation for operation
};

class ToInternalTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ToInternalTest, GivesExactInternalValue) {
    const ConversionCase& c = GetParam();
    const std::optional<double> result = ToInternal(c.quantity, c.unit, c.value);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Units, ToInternalTest,
    testing::Values(
        ConversionCase{"FreezingFahrenheit", Q::Temperature, "F", 32, 273.15},
        ConversionCase{"ZeroRankine", Q::Temperature, "R", 0, 0},
        ConversionCase{"AbsoluteZeroFahrenheit", Q::Temperature, "F", -459.67, 0},
        ConversionCase{"FahrenheitFiveBeforeNine", Q::Temperature, "F", 1, (1 + 459.67) * 5 / 9},
        ConversionCase{"RankineFiveBeforeNine", Q::Temperature, "R", 491.67, 491.67 * 5 / 9},
        ConversionCase{"Celsius", Q::Temperature, "C", 25, 298.15},
        ConversionCase{"Atmosphere", Q::Pressure, "Atmosphere", 1, 101325},
        ConversionCase{"Psi", Q::Pressure, "PSI", 1, 6894.757},
        ConversionCase{"MmWaterNotConventional", Q::Pressure, "mm H2O", 1, 9.8638},
        ConversionCase{"Mile", Q::Length, "mile", 1, 1609.34},
        ConversionCase{"GramsPerKgMultiplies", Q::HumidityRatio, "(g moisture)/(kg dry air)", 5,
                       5 * 0.001},
        ConversionCase{"RelativeHumidityMultiplies", Q::RelativeHumidity, "%", 50, 50 * 0.01},
        ConversionCase{"MoleFractionDivides", Q::MoleFraction, "%", 7, 7.0 / 100},
        ConversionCase{"MassFractionDivides", Q::MassFraction, "%", 7, 7.0 / 100},
        ConversionCase{"PoundsPerCubicFootDivides", Q::AbsoluteHumidity, "(lb moisture)/ft^3", 1,
                       1 / 0.062427961},
        ConversionCase{"BtuPerLbRankine", Q::SpecificGasConstant, "btu/lb-R", 1, 4186.8},
        ConversionCase{"KcalPerKgKelvin", Q::SpecificGasConstant, "kcal/kg-K", 1, 4186.8},
        ConversionCase{"BtuPerLbEnthalpyDivides", Q::SpecificEnthalpy, "btu/lb (dry air)", 1,
                       1 / 0.42992},
        ConversionCase{"KcalPerKgEnthalpyMultiplies", Q::SpecificEnthalpy, "kcal/kg (dry air)", 3,
                       3 * 4.1868},
        ConversionCase{"CubicFeetPerLbDivides", Q::SpecificVolume, "ft^3/lb (dry air)", 14,
                       14 / 16.01846}),
    [](const auto& info) { return std::string(info.param.name); });

class FromInternalTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(FromInternalTest, GivesExactDisplayedValue) {
    const ConversionCase& c = GetParam();
    const std::optional<double> result = FromInternal(c.quantity, c.unit, c.value);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(*result, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Units, FromInternalTest,
    testing::Values(
        ConversionCase{"FreezingToFahrenheit", Q::Temperature, "F", 273.15, 32},
        ConversionCase{"FreezingToCelsius", Q::Temperature, "C", 273.15, 0},
        ConversionCase{"FahrenheitByOffsetForm", Q::Temperature, "F", 300,
                       (300 - 273.15) * 1.8 + 32},
        ConversionCase{"RankineNineBeforeFive", Q::Temperature, "R", 300.1, 300.1 * 9 / 5},
        ConversionCase{"AtmosphereInMmHg", Q::Pressure, "mm Hg", 101325, 101325 / 133.322},
        ConversionCase{"MolecularWeightUnchangedInPounds", Q::MolecularWeight, "lbm/lbmol", 28.9645,
                       28.9645},
        ConversionCase{"GramsPerKgMultiplies", Q::HumidityRatio, "(g moisture)/(kg dry air)",
                       0.0123, 0.0123 * 1000},
        ConversionCase{"PoundsPerPoundIsInternal", Q::HumidityRatio, "(lb moisture)/(lb dry air)",
                       0.0123, 0.0123},
        ConversionCase{"RelativeHumidityPercent", Q::RelativeHumidity, "%", 0.57, 0.57 * 100},
        ConversionCase{"MoleFractionPercent", Q::MoleFraction, "%", 0.013, 0.013 * 100},
        ConversionCase{"KilojoulesDivide", Q::SpecificGasConstant, "kJ/kg-K", 287.055,
                       287.055 / 1000},
        ConversionCase{"PoundsPerCubicFootMultiplies", Q::AbsoluteHumidity, "(lb moisture)/ft^3",
                       0.0115, 0.0115 * 0.062427961},
        ConversionCase{"BtuPerLbEnthalpyMultiplies", Q::SpecificEnthalpy, "btu/lb (dry air)", 50.3,
                       50.3 * 0.42992},
        ConversionCase{"KcalPerKgEnthalpyDivides", Q::SpecificEnthalpy, "kcal/kg (dry air)", 50.3,
                       50.3 / 4.1868},
        ConversionCase{"CubicCentimetresPerGram", Q::SpecificVolume, "cm^3/g (dry air)", 0.8581,
                       0.8581 * 1000},
        ConversionCase{"DensityInPoundsDivides", Q::Density, "lb/ft^3", 1.184, 1.184 / 16.01846}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(UnitCatalogue, EveryUnitRoundTripsOne) {
    for (Q quantity :
         {Q::Temperature, Q::Pressure, Q::Length, Q::HumidityRatio, Q::AbsoluteHumidity,
          Q::RelativeHumidity, Q::MoleFraction, Q::MassFraction, Q::SpecificGasConstant,
          Q::MolecularWeight, Q::Density, Q::SpecificVolume, Q::SpecificEnthalpy}) {
        ASSERT_FALSE(UnitList(quantity).empty()) << static_cast<int>(quantity);
        for (const std::string& unit : UnitList(quantity)) {
            const std::optional<double> internal = ToInternal(quantity, unit, 1);
            ASSERT_TRUE(internal.has_value()) << unit;
            const std::optional<double> back = FromInternal(quantity, unit, *internal);
            ASSERT_TRUE(back.has_value()) << unit;
            EXPECT_NEAR(*back, 1, 1e-12) << unit;
        }
    }
}

TEST(UnitCatalogue, ListsInOrder) {
    using List = std::vector<std::string>;
    EXPECT_EQ(UnitList(Q::Temperature), (List{"C", "K", "F", "R"}));
    EXPECT_EQ(UnitList(Q::Pressure),
              (List{"Pa", "kPa", "Bar", "mBar", "mm H2O", "mm Hg", "Atmosphere", "PSI"}));
    EXPECT_EQ(UnitList(Q::Length), (List{"m", "km", "mile", "ft"}));
    EXPECT_EQ(UnitList(Q::HumidityRatio),
              (List{"(kg moisture)/(kg dry air)", "(g moisture)/(kg dry air)",
                    "(lb moisture)/(lb dry air)"}));
    EXPECT_EQ(UnitList(Q::AbsoluteHumidity),
              (List{"(kg moisture)/m^3", "(g moisture)/m^3", "(lb moisture)/ft^3"}));
    EXPECT_EQ(UnitList(Q::RelativeHumidity), (List{"%"}));
    EXPECT_EQ(UnitList(Q::MoleFraction), (List{"%"}));
    EXPECT_EQ(UnitList(Q::MassFraction), (List{"%"}));
    EXPECT_EQ(UnitList(Q::SpecificGasConstant),
              (List{"J/kg-K", "kJ/kg-K", "cal/kg-K", "kcal/kg-K", "btu/lb-R"}));
    EXPECT_EQ(UnitList(Q::MolecularWeight), (List{"kg/kmol", "lbm/lbmol"}));
    EXPECT_EQ(UnitList(Q::Density), (List{"kg/m^3", "g/cm^3", "lb/ft^3"}));
    EXPECT_EQ(UnitList(Q::SpecificVolume),
              (List{"m^3/kg (dry air)", "cm^3/g (dry air)", "ft^3/lb (dry air)"}));
    EXPECT_EQ(UnitList(Q::SpecificEnthalpy),
              (List{"kJ/kg (dry air)", "kcal/kg (dry air)", "btu/lb (dry air)"}));
}

TEST(UnitCatalogue, UnknownNamesConvertNothing) {
    struct Row {
        const char* why;
        Q quantity;
        const char* unit;
    };
    for (const Row& row :
         {Row{"empty combo text", Q::Temperature, ""}, Row{"case differs", Q::Pressure, "bar"},
          Row{"case differs", Q::Temperature, "c"}, Row{"trailing blank", Q::Pressure, "kPa "},
          Row{"unit of another quantity", Q::Density, "kPa"},
          Row{"kilo prefix of another unit", Q::SpecificGasConstant, "kJ/kg"}}) {
        EXPECT_FALSE(ToInternal(row.quantity, row.unit, 1).has_value()) << row.why;
        EXPECT_FALSE(FromInternal(row.quantity, row.unit, 1).has_value()) << row.why;
    }
}

TEST(UnitCatalogue, PressureFactors) {
    struct Row {
        const char* unit;
        double factor;
    };
    for (const Row& row : {Row{"Pa", 1}, Row{"kPa", 1000}, Row{"Bar", 100000}, Row{"mBar", 100},
                           Row{"mm H2O", 9.8638}, Row{"mm Hg", 133.322}, Row{"Atmosphere", 101325},
                           Row{"PSI", 6894.757}}) {
        EXPECT_EQ(PressureFactor(row.unit), row.factor) << row.unit;
    }
    EXPECT_FALSE(PressureFactor("MBar").has_value());
    EXPECT_FALSE(PressureFactor("").has_value());
}

} // namespace
} // namespace hygrovane::units
