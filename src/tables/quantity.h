#pragma once

// What a table's number measures and the unit it is held in, and the report-style text of such a
// number: decimals chosen per quantity and unit as a design engineer reads them, a leading zero,
// a decimal point in every locale.

#include <string>
#include <string_view>

namespace hygrovane::tables {

enum class Quantity {
    Text,        // no number: a name, a note
    Count,       // records, points: whole
    Hours,       // time: whole hours bare, parts of an hour to 0.1
    Share,       // a percentage of the hours: 0.1 %
    Temperature, // dry bulb, wet bulb, dew point, ADP
    RelativeHumidity,
    HumidityRatio, // W, a difference of W
    Enthalpy,
    SpecificVolume,
    Load,      // total, sensible, latent heat
    Ratio,     // sensible heat ratio, bypass factor, efficiency
    AirFlow,   // a volume flow of air
    WaterFlow, // condensate, steam
    Pressure,
    Energy, // a load over time: a month's or a year's heating, cooling
    Water,  // a month's or a year's condensate, steam
};

enum class Unit {
    None,
    Hour,
    Percent,
    Celsius,
    Fahrenheit,
    Kelvin,
    GramPerKilogram,
    KilogramPerKilogram,
    GrainPerPound,
    PoundPerPound,
    KilojoulePerKilogram,
    BtuPerPound,
    CubicMetrePerKilogram,
    CubicFootPerPound,
    Kilowatt,
    Ton, // of refrigeration
    BtuPerHour,
    CubicMetrePerHour,
    CubicFootPerMinute,
    KilogramPerHour,
    PoundPerHour,
    Kilopascal,
    PoundPerSquareInchAbsolute,
    Metre,
    KiloBtuPerHour,
    KilowattHour,
    KiloBtu,
    Kilogram,
    Pound,
};

// The symbol a header shows: "°C", "g/kg", "m³/h", "psia"; "" for None.
std::string_view SymbolOf(Unit unit);
// The same in ASCII for a reader that wants it: "degC", "m3/h".
std::string_view AsciiSymbolOf(Unit unit);
// Which of the two a text uses: the report's symbols, or ASCII for a terminal and the files
// that have always written "degC".
enum class Symbols { Report, Ascii };
std::string_view SymbolOf(Unit unit, Symbols symbols);

// The unit of a symbol (either form), for a reader of the tables' CSV; None when unknown.
Unit UnitOfSymbol(std::string_view symbol);

// Digits beyond the report style's, for a reader who wants more (0: the report style).
struct ReportDigits {
    int extra = 0;
};

// The value as a report shows it: "21.3", "0.0143", "-2.50", "1234" (no grouping). A negative
// that rounds to zero is written without its sign; NaN and infinities as "–".
std::string ReportText(Quantity quantity, Unit unit, double value, ReportDigits digits = {});

// The decimals ReportText writes for the value (loads to 3 significant digits depend on it).
int ReportDecimals(Quantity quantity, Unit unit, double value);

} // namespace hygrovane::tables
