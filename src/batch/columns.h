#pragma once

#include "batch/text_shape.h"
#include "hygrovane/conditions.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::batch {

// The input quantities a column can hold.
enum class Role { DryBulb, Humidity, Pressure, Altitude };

// A relative humidity written as a fraction (0 to 1) rather than in "%"; no unit of the window.
inline constexpr std::string_view kFractionUnit = "fraction";

// One input quantity: a column (from 0) or, for the pressure and the altitude, one typed value
// for the whole file; and its unit, a name of the window's unit lists (or kFractionUnit).
struct Source {
    int column = -1;
    std::string value; // typed text of a value for the whole file, when column < 0
    std::string unit;
    // A unit the window has no name for, read by a factor into unit ("inHg": kPa times 3.386389).
    double scale = 1;
    std::string written;      // the unit as written, when scale is not 1
    bool unitAssumed = false; // no unit in the header: DefaultUnit was taken
    // The header names a unit that is not known: unit stays empty until the user gives one.
    std::string unknownUnit;
};

// Which columns hold the inputs and in which units.
struct Mapping {
    Source dryBulb;
    HumidityInput humidityInput = HumidityInput::RelativeHumidity;
    Source humidity;
    PressureInput pressureInput = PressureInput::Barometric;
    Source pressure; // the pressure or the altitude, by pressureInput
};

// The quantity and unit a header names, as far as they are recognised.
struct HeaderMeaning {
    std::optional<Role> role;
    HumidityInput humidityInput = HumidityInput::RelativeHumidity; // when role is Humidity
    std::string unit;        // empty when none is named or the one named is not known
    std::string unknownUnit; // a bracketed or comma-separated text that names no known unit
};

// Reads "Temp, °F", "RH, %", "T_db (C)", "Dew Point", "AirTC_Avg" with TOA5 unit "Deg C"...
HeaderMeaning MeaningOf(std::string_view name, std::string_view unitLine = {});

// A unit as written in a header or an option ("°C", "degF", "hPa", "g/kg", "%", "inHg"): the
// window's unit name, and the factor that brings a value written in it to that unit.
struct UnitRead {
    std::string name;
    double scale = 1;
    std::string written; // as written, when scale is not 1
};
// No value when it names no unit of the quantity.
std::optional<UnitRead> ReadUnit(Role role, HumidityInput humidityInput, std::string_view written);

// A value in a unit of the window's lists (or kFractionUnit) in the core's units (K, Pa, m, a
// fraction for the percentages...); none when the unit is not one of the quantity's.
std::optional<double> InCoreUnits(Role role, HumidityInput humidityInput, std::string_view unit,
                                  double value);
// A number read from a source's column in the core's units: its unit's factor (inHg to kPa, torr
// to Pa), then its unit. Every reader of logger columns takes a cell's value through this.
std::optional<double> SourceValue(const Source& source, Role role, HumidityInput humidityInput,
                                  double written);

// A source's unit as the notes name it: "kPa", or "inHg (read as kPa times 3.386389)".
std::string UnitNote(const Source& source);

// The unit of a column whose header names none, however the column was chosen (found in the
// header, named by an option or in the window): "%" for a relative humidity and the fractions,
// else the unit system's unit (metric: C, kPa, m, g/kg...; british: F, PSI, ft...).
std::string DefaultUnit(Role role, HumidityInput humidityInput, bool british);

// The unit a header (and its TOA5 units line) names for a quantity; unknown holds a text meant as
// a unit that is not one of the quantity's.
struct HeaderUnit {
    std::optional<UnitRead> unit;
    std::string unknown;
};
HeaderUnit FindHeaderUnit(std::string_view name, std::string_view unitLine, Role role,
                          HumidityInput humidityInput);

// Takes the unit a header names into a source, or DefaultUnit when it names none; a unit that is
// not known leaves the unit empty and the text in unknownUnit.
void TakeHeaderUnit(Source& source, std::string_view name, std::string_view unitLine, Role role,
                    HumidityInput humidityInput, bool british);

// How a missing or unknown unit is reported ("the header "Temp (mC)" names the unit "mC", which
// is not one of its units"); empty when the source has a unit.
std::string UnitProblem(const Source& source, std::string_view header);

// The unit lists of each input quantity (for the dialog), the window's names.
std::vector<std::string> UnitChoices(Role role, HumidityInput humidityInput);

// The columns found in a header, and notes on what was assumed. The unit of a column without
// one is the unit system's (metric: "C", "kPa", "m").
struct Detection {
    Mapping mapping;
    std::vector<std::string> notes;
    std::string problem; // no dry bulb or no humidity column; empty when both were found
};
Detection DetectColumns(const FileHead& head, bool british);

// The name of an input, as the window captions it: "Ambient Temperature", "Relative Humidity"...
std::string_view InputName(Role role, HumidityInput humidityInput);

} // namespace hygrovane::batch
