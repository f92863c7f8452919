#include "tables/quantity.h"

#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace hygrovane::tables {

namespace {

struct UnitRow {
    Unit unit;
    std::string_view symbol;
    std::string_view ascii;
};

constexpr std::array<UnitRow, 29> kUnits = {{
    {Unit::None, "", ""},
    {Unit::Hour, "h", "h"},
    {Unit::Percent, "%", "%"},
    {Unit::Celsius, "°C", "degC"},
    {Unit::Fahrenheit, "°F", "degF"},
    {Unit::Kelvin, "K", "K"},
    {Unit::GramPerKilogram, "g/kg", "g/kg"},
    {Unit::KilogramPerKilogram, "kg/kg", "kg/kg"},
    {Unit::GrainPerPound, "gr/lb", "gr/lb"},
    {Unit::PoundPerPound, "lb/lb", "lb/lb"},
    {Unit::KilojoulePerKilogram, "kJ/kg", "kJ/kg"},
    {Unit::BtuPerPound, "Btu/lb", "Btu/lb"},
    {Unit::CubicMetrePerKilogram, "m³/kg", "m3/kg"},
    {Unit::CubicFootPerPound, "ft³/lb", "ft3/lb"},
    {Unit::Kilowatt, "kW", "kW"},
    {Unit::Ton, "ton", "ton"},
    {Unit::BtuPerHour, "Btu/h", "Btu/h"},
    {Unit::CubicMetrePerHour, "m³/h", "m3/h"},
    {Unit::CubicFootPerMinute, "cfm", "cfm"},
    {Unit::KilogramPerHour, "kg/h", "kg/h"},
    {Unit::PoundPerHour, "lb/h", "lb/h"},
    {Unit::Kilopascal, "kPa", "kPa"},
    {Unit::PoundPerSquareInchAbsolute, "psia", "psia"},
    {Unit::Metre, "m", "m"},
    {Unit::KiloBtuPerHour, "kBtu/h", "kBtu/h"},
    {Unit::KilowattHour, "kWh", "kWh"},
    {Unit::KiloBtu, "kBtu", "kBtu"},
    {Unit::Kilogram, "kg", "kg"},
    {Unit::Pound, "lb", "lb"},
}};

const UnitRow& RowOf(Unit unit) {
    for (const UnitRow& row : kUnits) {
        if (row.unit == unit) {
            return row;
        }
    }
    return kUnits.front();
}

// Hours summed from records of a minute land a rounding away from the whole hour they make.
bool WholeHours(double hours) {
    return std::abs(hours - std::round(hours)) < 1e-6;
}

// Decimals for three significant digits, counted after rounding (99.96 kW is "100", not "100.0").
int SignificantDecimals(double value, int significant) {
    if (value == 0) {
        return significant - 1;
    }
    int decimals = significant - 1 - static_cast<int>(std::floor(std::log10(std::abs(value))));
    const double scale = std::pow(10.0, decimals);
    if (std::abs(std::round(value * scale) / scale) >= std::pow(10.0, significant - decimals)) {
        --decimals;
    }
    return std::max(decimals, 0);
}

// Decimals of a quantity in a unit, as engineers read them (a unit a quantity is not held in
// falls back to what the unit alone says).
int UnitDecimals(Unit unit) {
    switch (unit) {
    case Unit::None:
    case Unit::Percent:
    case Unit::Hour:
        return 1;
    case Unit::Celsius:
    case Unit::Fahrenheit:
    case Unit::Kelvin:
        return 1;
    case Unit::GramPerKilogram:
        return 2;
    case Unit::KilogramPerKilogram:
    case Unit::PoundPerPound:
        return 4;
    case Unit::GrainPerPound:
        return 1;
    case Unit::KilojoulePerKilogram:
        return 1;
    case Unit::BtuPerPound:
        return 2;
    case Unit::CubicMetrePerKilogram:
        return 3;
    case Unit::CubicFootPerPound:
        return 2;
    case Unit::Kilowatt:
    case Unit::Ton:
        return 2;
    case Unit::BtuPerHour:
    case Unit::CubicMetrePerHour:
    case Unit::CubicFootPerMinute:
        return 0;
    case Unit::KilogramPerHour:
    case Unit::PoundPerHour:
        return 2;
    case Unit::Kilopascal:
    case Unit::PoundPerSquareInchAbsolute:
        return 3;
    case Unit::Metre:
        return 0;
    case Unit::KiloBtuPerHour:
    case Unit::KilowattHour:
    case Unit::KiloBtu:
    case Unit::Kilogram:
    case Unit::Pound:
        return 1;
    }
    return 2;
}

} // namespace

std::string_view SymbolOf(Unit unit) {
    return RowOf(unit).symbol;
}

std::string_view AsciiSymbolOf(Unit unit) {
    return RowOf(unit).ascii;
}

std::string_view SymbolOf(Unit unit, Symbols symbols) {
    return symbols == Symbols::Ascii ? AsciiSymbolOf(unit) : SymbolOf(unit);
}

Unit UnitOfSymbol(std::string_view symbol) {
    for (const UnitRow& row : kUnits) {
        if (row.symbol == symbol || row.ascii == symbol) {
            return row.unit;
        }
    }
    return Unit::None;
}

int ReportDecimals(Quantity quantity, Unit unit, double value) {
    switch (quantity) {
    case Quantity::Text:
    case Quantity::Count:
        return 0;
    case Quantity::Hours:
        return WholeHours(value) ? 0 : 1;
    case Quantity::Share:
    case Quantity::Temperature:
        return 1;
    case Quantity::RelativeHumidity:
        // 1 % steps, 0.1 % below 10 % (where a dry winter's air sits); 9.96 % is "10".
        return std::abs(std::round(value * 10) / 10) < 10 ? 1 : 0;
    case Quantity::Ratio:
        return 2;
    case Quantity::Load:
        // 0.01 kW, or three significant digits where that is coarser (123 kW, not 123.46).
        if (unit == Unit::Kilowatt) {
            return std::min(2, SignificantDecimals(value, 3));
        }
        if (unit == Unit::KiloBtuPerHour) {
            return std::min(1, SignificantDecimals(value, 3));
        }
        return UnitDecimals(unit);
    case Quantity::Energy:
    case Quantity::Water:
        // A month's or a year's sum: whole kWh or kg, 0.1 where three significant digits need it;
        // none at all is "0", as a difference of two equal units reads.
        return value == 0 ? 0 : std::min(UnitDecimals(unit), SignificantDecimals(value, 3));
    case Quantity::HumidityRatio:
    case Quantity::Enthalpy:
    case Quantity::SpecificVolume:
    case Quantity::AirFlow:
    case Quantity::WaterFlow:
    case Quantity::Pressure:
        return UnitDecimals(unit);
    }
    return UnitDecimals(unit);
}

std::string ReportText(Quantity quantity, Unit unit, double value, ReportDigits digits) {
    if (!std::isfinite(value)) {
        return "–";
    }
    if (quantity == Quantity::Count) {
        return text::FixedTextUnsignedZero(value, 0);
    }
    const int extra = std::max(digits.extra, 0);
    if (quantity == Quantity::Hours && !WholeHours(value)) {
        // Parts of an hour to 0.1, "20" rather than "20.0" when they round to a whole hour.
        std::string hours = text::FixedTextUnsignedZero(value, 1 + extra);
        if (extra == 0 && hours.ends_with(".0")) {
            hours.resize(hours.size() - 2);
        }
        return hours;
    }
    const int decimals = ReportDecimals(quantity, unit, value) + extra;
    return text::FixedTextUnsignedZero(value, decimals);
}

} // namespace hygrovane::tables
