#include "batch/row_cells.h"
#include "hygrovane/humidity_keys.h"

#include "display/display_texts.h"
#include "display/number_text.h"
#include "units/quantity.h"

#include <algorithm>

namespace hygrovane::batch {

namespace {

using calculation::AltitudeLimitText;
using calculation::PressureText;
using calculation::TemperatureLimitText;
using units::Quantity;

struct UnitOption {
    std::string_view quantity;
    std::string OutputUnits::*unit;
    ShownQuantity shown; // whose unit list it chooses from
};

constexpr UnitOption kUnitOptions[] = {
    {KeysOf(HumidityInput::DewPoint).key, &OutputUnits::dewPoint, ShownQuantity::DewPoint},
    {KeysOf(HumidityInput::WetBulb).key, &OutputUnits::wetBulb, ShownQuantity::WetBulb},
    {KeysOf(HumidityInput::HumidityRatio).key, &OutputUnits::humidityRatio,
     ShownQuantity::HumidityRatio},
    {KeysOf(HumidityInput::AbsoluteHumidity).key, &OutputUnits::absoluteHumidity,
     ShownQuantity::AbsoluteHumidity},
    {KeysOf(HumidityInput::PartialPressure).key, &OutputUnits::partialPressure,
     ShownQuantity::PartialPressure},
    {"pressure", &OutputUnits::pressure, ShownQuantity::Pressure},
    {"altitude", &OutputUnits::altitude, ShownQuantity::Altitude},
    {"density", &OutputUnits::density, ShownQuantity::Density},
    {"specific-volume", &OutputUnits::specificVolume, ShownQuantity::SpecificVolume},
    {"enthalpy", &OutputUnits::enthalpy, ShownQuantity::Enthalpy},
};

} // namespace

void Tally::add(const Tally& other) {
    rows += other.rows;
    computed += other.computed;
    blankLines += other.blankLines;
    for (std::size_t r = 0; r < refused.size(); ++r) {
        for (std::size_t f = 0; f < refused[r].size(); ++f) {
            refused[r][f] += other.refused[r][f];
        }
    }
}

OutputUnits PresetOutputUnits(UnitSystem system) {
    OutputUnits units;
    for (const UnitOption& option : kUnitOptions) {
        units.*option.unit = PresetUnit(option.shown, system);
    }
    return units;
}

bool SetOutputUnit(OutputUnits& units, std::string_view quantity, std::string_view unit) {
    for (const UnitOption& option : kUnitOptions) {
        if (option.quantity == quantity) {
            const auto& list = units::UnitList(UnitQuantity(option.shown));
            if (std::find(list.begin(), list.end(), unit) == list.end()) {
                return false;
            }
            units.*option.unit = unit;
            return true;
        }
    }
    return false;
}

std::vector<std::string_view> OutputUnitQuantities() {
    std::vector<std::string_view> names;
    for (const UnitOption& option : kUnitOptions) {
        names.push_back(option.quantity);
    }
    return names;
}

Expected<Plan, std::string> Plan::Make(Settings settings, TextShape shape,
                                       std::size_t headerCells) {
    Plan plan(std::move(settings), std::move(shape), headerCells);
    if (!plan.problem_.empty()) {
        return Fail(plan.problem_);
    }
    return plan;
}

Plan::Plan(Settings settings, TextShape shape, std::size_t headerCells)
    : settings_(std::move(settings)), shape_(std::move(shape)), headerCells_(headerCells) {
    const Mapping& m = settings_.mapping;
    outputDecimal_ = settings_.decimalSeparator != 0 ? settings_.decimalSeparator
                     : shape_.decimalCommaSeen       ? ','
                                                     : '.';
    if (settings_.decimalSeparator == ',' && shape_.separator == ',') {
        // Unquoted, each decimal comma would split a number into two cells.
        problem_ = "--decimal comma: the file separates its cells with commas, where a decimal "
                   "comma would split every number in two; use --decimal point or another "
                   "--separator";
        return;
    }
    if (outputDecimal_ == shape_.separator) {
        outputDecimal_ = '.';
    }

    const auto known = [](Role role, HumidityInput input, const std::string& unit) {
        const std::vector<std::string> choices = UnitChoices(role, input);
        return std::find(choices.begin(), choices.end(), unit) != choices.end();
    };
    const auto unknownUnit = [](Role role, HumidityInput input, const std::string& unit) {
        return "the unit \"" + unit + "\" is not a unit of the " +
               std::string(InputName(role, input));
    };
    const Role pressureRole =
        m.pressureInput == PressureInput::Barometric ? Role::Pressure : Role::Altitude;
    for (const auto& [role, input, source] :
         {std::tuple{Role::DryBulb, m.humidityInput, &m.dryBulb},
          std::tuple{Role::Humidity, m.humidityInput, &m.humidity},
          std::tuple{pressureRole, m.humidityInput, &m.pressure}}) {
        const std::string& unit = source->unit;
        if (unit.empty() && !source->unknownUnit.empty()) {
            problem_ = std::string(InputName(role, input)) + ": its header names the unit \"" +
                       source->unknownUnit + "\", which is not one of its units; choose its unit";
            return;
        }
        if (!known(role, input, unit)) {
            problem_ = unknownUnit(role, input, unit);
            return;
        }
    }

    const auto input = [](Role role, const std::string& unit, std::optional<std::string> low,
                          std::optional<std::string> high) {
        Input in{role,
                 HumidityInput::RelativeHumidity,
                 unit,
                 InputName(role, {}),
                 0,
                 0,
                 low.value_or("0"),
                 high.value_or("0"),
                 1};
        in.minimum = ReadNumber(in.minimumText);
        in.maximum = ReadNumber(in.maximumText);
        return in;
    };
    dryBulb_ =
        input(Role::DryBulb, m.dryBulb.unit, TemperatureLimitText(kLowestDryBulb, m.dryBulb.unit),
              TemperatureLimitText(kHighestDryBulb, m.dryBulb.unit));
    if (pressureRole == Role::Pressure) {
        pressure_ =
            input(pressureRole, m.pressure.unit, PressureText(kLowestPressure, m.pressure.unit),
                  PressureText(kHighestPressure, m.pressure.unit));
    } else {
        pressure_ = input(pressureRole, m.pressure.unit,
                          AltitudeLimitText(kLowestAltitude, m.pressure.unit),
                          AltitudeLimitText(kHighestAltitude, m.pressure.unit));
    }
    dryBulb_.scale = m.dryBulb.scale;
    pressure_.scale = m.pressure.scale;
    if (m.pressure.column < 0) {
        const double value = ReadNumber(m.pressure.value) * m.pressure.scale;
        if (!IsNumeric(m.pressure.value)) {
            problem_ =
                std::string(pressure_.name) + ": \"" + m.pressure.value + "\" is not a number";
            return;
        }
        if (!(pressure_.minimum <= value && value <= pressure_.maximum)) {
            problem_ = RangeText(pressure_.name, pressure_.minimumText, pressure_.maximumText,
                                 pressure_.unit);
            return;
        }
        constantPressure_ = units::ToInternal(pressureRole == Role::Pressure ? Quantity::Pressure
                                                                             : Quantity::Length,
                                              m.pressure.unit, value);
    }
}

std::string Plan::HeaderLines(const std::vector<std::string>& rawLines) const {
    const char sep = shape_.separator;
    const std::vector<ColumnHead> columns = ComputedColumns(settings_);
    std::string out = shape_.byteOrderMark ? "\xEF\xBB\xBF" : "";
    std::vector<std::string_view> cells;
    for (std::size_t i = 0; i < rawLines.size(); ++i) {
        SplitCells(rawLines[i], sep, cells);
        AppendPassedThrough(out, rawLines[i], cells, sep);
        const std::size_t headerLine = i - std::min(i, shape_.titleLines);
        if (i >= shape_.titleLines) {
            for (const ColumnHead& column : columns) {
                out += sep;
                if (!shape_.toa5) {
                    AppendCell(out, column.name + " [" + column.unit + "]", sep);
                } else {
                    // TOA5: names, units and an empty processing line, every cell quoted.
                    AppendCell(out,
                               headerLine == 0   ? column.name
                               : headerLine == 1 ? column.unit
                                                 : std::string(),
                               sep, true);
                }
            }
            out += sep;
            AppendCell(out, headerLine == 0 ? "status" : "", sep, shape_.toa5);
        }
        out += shape_.lineEnd;
    }
    return out;
}

std::string Plan::RefusalName(Refusal refusal, Field field) const {
    std::string name;
    switch (field) {
    case Field::DryBulb:
        name = dryBulb_.name;
        break;
    case Field::Pressure:
        name = pressure_.name;
        break;
    case Field::Humidity:
        name = InputName(Role::Humidity, settings_.mapping.humidityInput);
        break;
    case Field::None:
        break;
    }
    switch (refusal) {
    case Refusal::EmptyCell:
        return name + ": empty cell";
    case Refusal::NotNumber:
        return name + ": not a number";
    case Refusal::OutOfRange:
        return name + " out of allowable range";
    case Refusal::PressureTooLow:
        return std::string(kPressureTooLow.substr(0, kPressureTooLow.size() - 1));
    case Refusal::Fault:
        return "Arithmetic fault in the calculation";
    case Refusal::None:
        break;
    }
    return "computed";
}

} // namespace hygrovane::batch
