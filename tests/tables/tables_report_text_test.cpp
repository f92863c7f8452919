// The report style: decimals per quantity and unit as engineers read them, a leading zero, no
// sign on a value that rounds to zero, the full value kept for a reader who wants more digits.
#include "tables/quantity.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace hygrovane::tables {
namespace {

struct Case {
    const char* name;
    Quantity quantity;
    Unit unit;
    double value;
    const char* shown;
};

using Q = Quantity;
using U = Unit;

const Case kCases[] = {
    // SI
    {"dry bulb 0.1 degC", Q::Temperature, U::Celsius, 23.456, "23.5"},
    {"negative dew point", Q::Temperature, U::Celsius, -12.34, "-12.3"},
    {"small negative rounds to unsigned zero", Q::Temperature, U::Celsius, -0.04, "0.0"},
    {"RH whole percent", Q::RelativeHumidity, U::Percent, 56.7, "57"},
    {"RH below 10 % to 0.1", Q::RelativeHumidity, U::Percent, 4.56, "4.6"},
    {"RH just under 10 rounds to 10 whole", Q::RelativeHumidity, U::Percent, 9.96, "10"},
    {"W g/kg 0.01", Q::HumidityRatio, U::GramPerKilogram, 14.2266, "14.23"},
    {"W kg/kg 0.0001 with leading zero", Q::HumidityRatio, U::KilogramPerKilogram, 0.0142266,
     "0.0142"},
    {"negative W difference", Q::HumidityRatio, U::KilogramPerKilogram, -0.0025794, "-0.0026"},
    {"h 0.1 kJ/kg", Q::Enthalpy, U::KilojoulePerKilogram, 56.12345, "56.1"},
    {"negative h", Q::Enthalpy, U::KilojoulePerKilogram, -5.06, "-5.1"},
    {"v 0.001 m3/kg", Q::SpecificVolume, U::CubicMetrePerKilogram, 0.86123, "0.861"},
    {"load 0.01 kW below 10", Q::Load, U::Kilowatt, 1.23456, "1.23"},
    {"load 3 significant digits", Q::Load, U::Kilowatt, 123.456, "123"},
    {"load 3 significant digits tens", Q::Load, U::Kilowatt, 45.678, "45.7"},
    {"load rounding up to 100 kW", Q::Load, U::Kilowatt, 99.96, "100"},
    {"small load stays 0.01", Q::Load, U::Kilowatt, 0.0456, "0.05"},
    {"negative load (heating)", Q::Load, U::Kilowatt, -12.345, "-12.3"},
    {"zero load", Q::Load, U::Kilowatt, 0, "0.00"},
    {"SHR 0.00", Q::Ratio, U::None, 0.697, "0.70"},
    {"bypass factor leading zero", Q::Ratio, U::None, 0.1, "0.10"},
    {"flow whole m3/h", Q::AirFlow, U::CubicMetrePerHour, 3600.4, "3600"},
    {"pressure kPa", Q::Pressure, U::Kilopascal, 101.325, "101.325"},
    {"condensate kg/h", Q::WaterFlow, U::KilogramPerHour, 12.345, "12.35"},
    {"whole hours bare", Q::Hours, U::Hour, 618, "618"},
    {"minute records' hours", Q::Hours, U::Hour, 617.9999999, "618"},
    {"half hours", Q::Hours, U::Hour, 19.5, "19.5"},
    {"parts rounding to a whole hour", Q::Hours, U::Hour, 19.96, "20"},
    {"share of hours 0.1", Q::Share, U::Percent, 7.0547, "7.1"},
    {"count whole", Q::Count, U::None, 8760, "8760"},
    // IP
    {"dry bulb 0.1 degF", Q::Temperature, U::Fahrenheit, 91.44, "91.4"},
    {"negative degF", Q::Temperature, U::Fahrenheit, -4.06, "-4.1"},
    {"W gr/lb 0.1", Q::HumidityRatio, U::GrainPerPound, 99.586, "99.6"},
    {"W lb/lb 0.0001", Q::HumidityRatio, U::PoundPerPound, 0.0142266, "0.0142"},
    {"h Btu/lb 0.01", Q::Enthalpy, U::BtuPerPound, 28.1234, "28.12"},
    {"negative h Btu/lb", Q::Enthalpy, U::BtuPerPound, -2.345, "-2.35"},
    {"v ft3/lb 0.01", Q::SpecificVolume, U::CubicFootPerPound, 13.3456, "13.35"},
    {"load tons 0.01", Q::Load, U::Ton, 12.3456, "12.35"},
    {"large load tons stays 0.01", Q::Load, U::Ton, 123.456, "123.46"},
    {"heating load in tons", Q::Load, U::Ton, -3.004, "-3.00"},
    {"load Btu/h whole", Q::Load, U::BtuPerHour, 42123.6, "42124"},
    {"flow cfm whole", Q::AirFlow, U::CubicFootPerMinute, 2118.9, "2119"},
    {"pressure psia", Q::Pressure, U::PoundPerSquareInchAbsolute, 14.69595, "14.696"},
    {"condensate lb/h", Q::WaterFlow, U::PoundPerHour, 27.216, "27.22"},
    // a month's or a year's sums
    {"energy whole kWh", Q::Energy, U::KilowattHour, 12345.67, "12346"},
    {"energy below 100 kWh to 0.1", Q::Energy, U::KilowattHour, 45.67, "45.7"},
    {"energy rounding up to 100 kWh", Q::Energy, U::KilowattHour, 99.96, "100"},
    {"no energy at all", Q::Energy, U::KilowattHour, 0, "0"},
    {"energy saved, negative", Q::Energy, U::KiloBtu, -4321.5, "-4322"},
    {"water kg", Q::Water, U::Kilogram, 1234.6, "1235"},
    {"little water lb", Q::Water, U::Pound, 3.456, "3.5"},
    {"load kBtu/h 3 significant", Q::Load, U::KiloBtuPerHour, 412.36, "412"},
    {"load kBtu/h to 0.1", Q::Load, U::KiloBtuPerHour, 12.345, "12.3"},
    // no value
    {"NaN is a dash", Q::Temperature, U::Celsius, std::numeric_limits<double>::quiet_NaN(), "–"},
    {"infinity is a dash", Q::Load, U::Kilowatt, std::numeric_limits<double>::infinity(), "–"},
};

TEST(TablesReportText, DecimalsPerQuantityAndUnit) {
    for (const Case& c : kCases) {
        EXPECT_EQ(ReportText(c.quantity, c.unit, c.value), c.shown) << c.name;
    }
}

TEST(TablesReportText, MoreDigitsWhenAsked) {
    const struct {
        const char* name;
        Quantity quantity;
        Unit unit;
        double value;
        int extra;
        const char* shown;
    } cases[] = {
        {"dry bulb two more", Q::Temperature, U::Celsius, 23.456, 2, "23.456"},
        {"kW past three digits", Q::Load, U::Kilowatt, 123.456, 1, "123.5"},
        {"negative extra ignored", Q::Ratio, U::None, 0.697, -3, "0.70"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReportText(c.quantity, c.unit, c.value, ReportDigits{c.extra}), c.shown)
            << c.name;
    }
}

TEST(TablesReportText, HeaderSymbols) {
    const struct {
        Unit unit;
        const char* symbol;
        const char* ascii;
    } cases[] = {
        {U::Celsius, "°C", "degC"},
        {U::Fahrenheit, "°F", "degF"},
        {U::GramPerKilogram, "g/kg", "g/kg"},
        {U::GrainPerPound, "gr/lb", "gr/lb"},
        {U::KilojoulePerKilogram, "kJ/kg", "kJ/kg"},
        {U::BtuPerPound, "Btu/lb", "Btu/lb"},
        {U::CubicMetrePerHour, "m³/h", "m3/h"},
        {U::CubicMetrePerKilogram, "m³/kg", "m3/kg"},
        {U::Kilowatt, "kW", "kW"},
        {U::PoundPerSquareInchAbsolute, "psia", "psia"},
        {U::None, "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SymbolOf(c.unit), c.symbol) << c.ascii;
        EXPECT_EQ(AsciiSymbolOf(c.unit), c.ascii) << c.symbol;
        // Either form reads back as the unit (a CSV header row written by another tool).
        EXPECT_EQ(UnitOfSymbol(c.symbol), c.unit) << c.symbol;
        EXPECT_EQ(UnitOfSymbol(c.ascii), c.unit) << c.ascii;
    }
    EXPECT_EQ(UnitOfSymbol("furlong"), Unit::None);
}

} // namespace
} // namespace hygrovane::tables
