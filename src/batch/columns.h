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
    bool unitAssumed = false; // no unit in the header: the unit system's was taken
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
    std::string unit;                                              // empty when none is named
};

// Reads "Temp, °F", "RH, %", "T_db (C)", "Dew Point", "AirTC_Avg" with TOA5 unit "Deg C"...
HeaderMeaning MeaningOf(std::string_view name, std::string_view unitLine = {});

// The window's unit name for a unit as written in a header or an option ("°C", "degF", "hPa",
// "g/kg", "%"); empty when it names no unit of the quantity.
std::string UnitName(Role role, HumidityInput humidityInput, std::string_view written);

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
