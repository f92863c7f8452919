#include "units/quantity.h"

#include <gtest/gtest.h>

#include <string>

namespace hygrovane::units {
namespace {

using Q = Quantity;
using Conversion = std::optional<double> (*)(Q, std::string_view, double);
constexpr Conversion To = &ToInternal;
constexpr Conversion From = &FromInternal;

struct ConversionCase {
    const char* name;
    Conversion convert;
    Q quantity;
    const char* unit;
    double value;
    double expected; // exact: the written form must be followed operation for operation
};

const ConversionCase kConversions[] = {
    {"FreezingFahrenheit", To, Q::Temperature, "F", 32, 273.15},
    {"ZeroRankine", To, Q::Temperature, "R", 0, 0},
    {"AbsoluteZeroFahrenheit", To, Q::Temperature, "F", -459.67, 0},
    {"FahrenheitFiveBeforeNine", To, Q::Temperature, "F", 1, (1 + 459.67) * 5 / 9},
    {"RankineFiveBeforeNine", To, Q::Temperature, "R", 491.67, 491.67 * 5 / 9},
    {"Celsius", To, Q::Temperature, "C", 25, 298.15},
    {"Atmosphere", To, Q::Pressure, "Atmosphere", 1, 101325},
    {"Psi", To, Q::Pressure, "PSI", 1, 6894.757},
    {"MmWaterNotConventional", To, Q::Pressure, "mm H2O", 1, 9.8638},
    {"Mile", To, Q::Length, "mile", 1, 1609.34},
    {"GramsPerKgMultiplies", To, Q::HumidityRatio, "(g moisture)/(kg dry air)", 5, 5 * 0.001},
    {"RelativeHumidityMultiplies", To, Q::RelativeHumidity, "%", 50, 50 * 0.01},
    {"MoleFractionDivides", To, Q::MoleFraction, "%", 7, 7.0 / 100},
    {"MassFractionDivides", To, Q::MassFraction, "%", 7, 7.0 / 100},
    {"PoundsPerCubicFootDivides", To, Q::AbsoluteHumidity, "(lb moisture)/ft^3", 1,
     1 / 0.062427961},
    {"BtuPerLbRankine", To, Q::SpecificGasConstant, "btu/lb-R", 1, 4186.8},
    {"KcalPerKgKelvin", To, Q::SpecificGasConstant, "kcal/kg-K", 1, 4186.8},
    {"BtuPerLbEnthalpyDivides", To, Q::SpecificEnthalpy, "btu/lb (dry air)", 1, 1 / 0.42992},
    {"KcalPerKgEnthalpyMultiplies", To, Q::SpecificEnthalpy, "kcal/kg (dry air)", 3, 3 * 4.1868},
    {"CubicFeetPerLbDivides", To, Q::SpecificVolume, "ft^3/lb (dry air)", 14, 14 / 16.01846},
    {"FreezingToFahrenheit", From, Q::Temperature, "F", 273.15, 32},
    {"FreezingToCelsius", From, Q::Temperature, "C", 273.15, 0},
    {"FahrenheitByOffsetForm", From, Q::Temperature, "F", 300, (300 - 273.15) * 1.8 + 32},
    {"RankineNineBeforeFive", From, Q::Temperature, "R", 300.1, 300.1 * 9 / 5},
    {"AtmosphereInMmHg", From, Q::Pressure, "mm Hg", 101325, 101325 / 133.322},
    {"MolecularWeightUnchangedInPounds", From, Q::MolecularWeight, "lbm/lbmol", 28.9645, 28.9645},
    {"ToGramsPerKgMultiplies", From, Q::HumidityRatio, "(g moisture)/(kg dry air)", 0.0123,
     0.0123 * 1000},
    {"PoundsPerPoundIsInternal", From, Q::HumidityRatio, "(lb moisture)/(lb dry air)", 0.0123,
     0.0123},
    {"RelativeHumidityPercent", From, Q::RelativeHumidity, "%", 0.57, 0.57 * 100},
    {"MoleFractionPercent", From, Q::MoleFraction, "%", 0.013, 0.013 * 100},
    {"KilojoulesDivide", From, Q::SpecificGasConstant, "kJ/kg-K", 287.055, 287.055 / 1000},
    {"PoundsPerCubicFootMultiplies", From, Q::AbsoluteHumidity, "(lb moisture)/ft^3", 0.0115,
     0.0115 * 0.062427961},
    {"BtuPerLbEnthalpyMultiplies", From, Q::SpecificEnthalpy, "btu/lb (dry air)", 50.3,
     50.3 * 0.42992},
    {"KcalPerKgEnthalpyDivides", From, Q::SpecificEnthalpy, "kcal/kg (dry air)", 50.3,
     50.3 / 4.1868},
    {"CubicCentimetresPerGram", From, Q::SpecificVolume, "cm^3/g (dry air)", 0.8581, 0.8581 * 1000},
    {"DensityInPoundsDivides", From, Q::Density, "lb/ft^3", 1.184, 1.184 / 16.01846},
};

class ConversionTest : public testing::TestWithParam<ConversionCase> {};

TEST_P(ConversionTest, GivesExactValue) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(c.convert(c.quantity, c.unit, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Units, ConversionTest, testing::ValuesIn(kConversions),
                         [](const auto& info) { return std::string(info.param.name); });

// Each quantity's units in list order; every one converts 1 there and back, and a pressure unit's
// factor is its value in Pa.
TEST(UnitCatalogue, ListsInOrderAndEveryUnitRoundTripsOne) {
    const std::pair<Q, const char*> lists[] = {
        {Q::Temperature, "C|K|F|R"},
        {Q::Pressure, "Pa|kPa|Bar|mBar|mm H2O|mm Hg|Atmosphere|PSI"},
        {Q::Length, "m|km|mile|ft"},
        {Q::HumidityRatio,
         "(kg moisture)/(kg dry air)|(g moisture)/(kg dry air)|(lb moisture)/(lb dry air)"},
        {Q::AbsoluteHumidity, "(kg moisture)/m^3|(g moisture)/m^3|(lb moisture)/ft^3"},
        {Q::RelativeHumidity, "%"},
        {Q::MoleFraction, "%"},
        {Q::MassFraction, "%"},
        {Q::SpecificGasConstant, "J/kg-K|kJ/kg-K|cal/kg-K|kcal/kg-K|btu/lb-R"},
        {Q::MolecularWeight, "kg/kmol|lbm/lbmol"},
        {Q::Density, "kg/m^3|g/cm^3|lb/ft^3"},
        {Q::SpecificVolume, "m^3/kg (dry air)|cm^3/g (dry air)|ft^3/lb (dry air)"},
        {Q::SpecificEnthalpy, "kJ/kg (dry air)|kcal/kg (dry air)|btu/lb (dry air)"},
    };
    for (const auto& [quantity, expected] : lists) {
        std::string joined;
        for (const std::string& unit : UnitList(quantity)) {
            joined += (joined.empty() ? "" : "|") + unit;
            const std::optional<double> internal = ToInternal(quantity, unit, 1);
            ASSERT_TRUE(internal.has_value()) << unit;
            EXPECT_NEAR(FromInternal(quantity, unit, *internal).value_or(0), 1, 1e-12) << unit;
            if (quantity == Q::Pressure) {
                EXPECT_EQ(PressureFactor(unit), internal) << unit;
            }
        }
        EXPECT_EQ(joined, expected);
    }
    for (const auto& [unit, factor] :
         {std::pair{"Pa", 1.0}, {"kPa", 1e3}, {"Bar", 1e5}, {"mBar", 1e2}}) {
        EXPECT_EQ(PressureFactor(unit), factor) << unit;
    }
}

TEST(UnitCatalogue, UnknownNamesConvertNothing) {
    const std::pair<Q, const char*> rows[] = {
        {Q::Temperature, ""},              // empty combo text
        {Q::Pressure, "bar"},              // case differs
        {Q::Temperature, "c"},             // case differs
        {Q::Pressure, "kPa "},             // trailing blank
        {Q::Density, "kPa"},               // unit of another quantity
        {Q::SpecificGasConstant, "kJ/kg"}, // kilo prefix of another unit
    };
    for (const auto& [quantity, unit] : rows) {
        EXPECT_FALSE(ToInternal(quantity, unit, 1).has_value()) << unit;
        EXPECT_FALSE(FromInternal(quantity, unit, 1).has_value()) << unit;
    }
    EXPECT_FALSE(PressureFactor("MBar").has_value());
    EXPECT_FALSE(PressureFactor("").has_value());
}

} // namespace
} // namespace hygrovane::units
