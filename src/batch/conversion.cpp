#include "batch/conversion.h"

#include "calculator/display_texts.h"
#include "calculator/humidity_rows.h"
#include "calculator/number_text.h"
#include "units/quantity.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace hygrovane::batch {

namespace {

using calculation::AbsoluteHumidityOutputText;
using calculation::AbsoluteHumidityText;
using calculation::AltitudeLimitText;
using calculation::AltitudeText;
using calculation::AmbientTemperatureText;
using calculation::DensityText;
using calculation::DewPointText;
using calculation::EnthalpyText;
using calculation::HumidityRatioText;
using calculation::PartialPressureText;
using calculation::PressureText;
using calculation::SpecificVolumeText;
using calculation::TemperatureLimitText;
using calculation::TemperatureText;
using units::Quantity;

struct UnitOption {
    std::string_view quantity;
    std::string OutputUnits::*unit;
    int combo; // the window's unit list
};

constexpr UnitOption kUnitOptions[] = {
    {"dew-point", &OutputUnits::dewPoint, 3},
    {"wet-bulb", &OutputUnits::wetBulb, 4},
    {"humidity-ratio", &OutputUnits::humidityRatio, 6},
    {"absolute-humidity", &OutputUnits::absoluteHumidity, 7},
    {"partial-pressure", &OutputUnits::partialPressure, 11},
    {"pressure", &OutputUnits::pressure, 2},
    {"altitude", &OutputUnits::altitude, 10},
    {"density", &OutputUnits::density, 14},
    {"specific-volume", &OutputUnits::specificVolume, 15},
    {"enthalpy", &OutputUnits::enthalpy, 16},
};

constexpr std::string_view kPressureTooLow =
    "The partial pressure of water vapor exceeds the ambient pressure.";

// A text of the window, with its decimal point as the file writes it.
void AppendText(std::string& out, std::string_view text, char decimal) {
    const std::size_t start = out.size();
    out += text;
    if (decimal != '.') {
        std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '.', decimal);
    }
}

void AppendNumber(std::string& out, double value, char decimal) {
    const std::size_t start = out.size();
    AppendShortest(out, value);
    if (decimal != '.') {
        std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '.', decimal);
    }
}

double Shown(Quantity quantity, const std::string& unit, double value) {
    return units::FromInternal(quantity, unit, value).value_or(value);
}

// The captions of an input's Minimum and Maximum, as the window writes them.
struct Captions {
    std::string minimum, maximum;
};

Captions HumidityCaptions(HumidityInput input, const std::string& unit, const Ambient& ambient,
                          const Saturation& s) {
    const auto text = [](const std::optional<std::string>& t) { return t.value_or("0"); };
    switch (input) {
    case HumidityInput::RelativeHumidity:
        return {"0", unit == kFractionUnit ? "1" : "100"};
    case HumidityInput::HumidityRatio:
        return {"0", text(HumidityRatioText(s.humidityRatio, unit))};
    case HumidityInput::AbsoluteHumidity:
        return {"0", text(AbsoluteHumidityText(s.absoluteHumidity, unit))};
    case HumidityInput::DewPoint:
        return {text(TemperatureText(kLowestDewPoint, unit)),
                text(AmbientTemperatureText(ambient.dryBulb, unit))};
    case HumidityInput::WetBulb:
        return {text(TemperatureText(s.dryAirWetBulb, unit)),
                text(AmbientTemperatureText(ambient.dryBulb, unit))};
    case HumidityInput::PartialPressure:
        return {"0", text(PressureText(s.pressure, unit))};
    case HumidityInput::MoleFraction:
        return {"0", RoundedText(s.moleFraction * 100, 4)};
    case HumidityInput::MassFraction:
        return {"0", RoundedText(s.massFraction * 100, 4)};
    }
    return {"0", "0"};
}

std::string RangeText(std::string_view name, const std::string& minimum, const std::string& maximum,
                      const std::string& unit) {
    std::string text(name);
    text.append(" out of allowable range (").append(minimum).append(" to ").append(maximum);
    if (unit != kFractionUnit) {
        text.append(" ").append(unit);
    }
    return text + ")";
}

std::string_view CellForMessage(std::string_view cell) {
    while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) {
        cell.remove_prefix(1);
    }
    while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) {
        cell.remove_suffix(1);
    }
    return cell.substr(0, 32);
}

struct ColumnHead {
    std::string name;
    std::string unit;
};

std::vector<ColumnHead> ComputedColumns(const Settings& settings) {
    const OutputUnits& u = settings.units;
    const bool altitudeGiven = settings.mapping.pressureInput == PressureInput::Altitude;
    std::vector<ColumnHead> columns{
        {"Relative Humidity", "%"},
        {"Humidity Ratio", u.humidityRatio},
        {"Absolute Humidity", u.absoluteHumidity},
        {"Dew Point Temperature", u.dewPoint},
        {"Wet Bulb Temperature", u.wetBulb},
        {"Partial Pressure of Water in Air", u.partialPressure},
        {"Water Mole Fraction in Air", "%"},
        {"Water Mass Fraction in Air", "%"},
        altitudeGiven ? ColumnHead{"Barometric Pressure", u.pressure}
                      : ColumnHead{"Altitude above Sea Level", u.altitude},
        {"Density", u.density},
        {"Specific Volume", u.specificVolume},
        {"Specific Enthalpy", u.enthalpy},
    };
    if (settings.composition) {
        for (const char* basis : {"by Volume", "by Mass"}) {
            for (const char* species : {"N2", "O2", "Ar", "CO2", "H2O"}) {
                columns.push_back({std::string(species) + " " + basis, "%"});
            }
        }
    }
    return columns;
}

std::size_t ComputedCount(const Settings& settings) {
    return kOutputCount + (settings.composition ? 10 : 0);
}

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

void AppendShortest(std::string& out, double value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
}

OutputUnits PresetOutputUnits(UnitSystem system) {
    OutputUnits units;
    for (const UnitOption& option : kUnitOptions) {
        units.*option.unit = PresetUnit(option.combo, system);
    }
    return units;
}

bool SetOutputUnit(OutputUnits& units, std::string_view quantity, std::string_view unit) {
    for (const UnitOption& option : kUnitOptions) {
        if (option.quantity == quantity) {
            const auto& list = units::UnitList(MainComboQuantity(option.combo));
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

Plan::Plan(Settings settings, TextShape shape, std::size_t headerCells)
    : settings_(std::move(settings)), shape_(std::move(shape)), headerCells_(headerCells) {
    const Mapping& m = settings_.mapping;
    outputDecimal_ = settings_.decimalSeparator != 0 ? settings_.decimalSeparator
                     : shape_.decimalCommaSeen       ? ','
                                                     : '.';
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
    for (const auto& [role, input, unit] :
         {std::tuple{Role::DryBulb, m.humidityInput, m.dryBulb.unit},
          std::tuple{Role::Humidity, m.humidityInput, m.humidity.unit},
          std::tuple{pressureRole, m.humidityInput, m.pressure.unit}}) {
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
                 high.value_or("0")};
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
    if (m.pressure.column < 0) {
        const double value = ReadNumber(m.pressure.value);
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
    for (std::size_t i = 0; i < rawLines.size(); ++i) {
        out += rawLines[i];
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

// The saturation state and the humidity captions at one dry bulb and pressure.
struct RowConverter::Cache {
    struct Entry {
        bool used = false;
        std::uint32_t dryBulbBits = 0;
        std::uint64_t pressureBits = 0;
        Refusal refusal = Refusal::None; // PressureTooLow or Fault, or None
        std::string fault;
        Ambient ambient;
        Saturation saturation;
        Captions captions;
        double minimum = 0, maximum = 0;
        std::string derived; // the derived altitude or pressure as the window shows it
    };
    static constexpr std::size_t kSize = 1024;
    std::vector<Entry> entries = std::vector<Entry>(kSize);

    // The computed cells of recent rows: a logger's readings repeat, and a row's cells depend on
    // its three inputs alone.
    struct Row {
        bool used = false;
        std::uint32_t dryBulbBits = 0;
        std::uint64_t pressureBits = 0;
        std::uint64_t humidityBits = 0;
        std::string cells;
    };
    static constexpr std::size_t kRows = 4096;
    std::vector<Row> rows = std::vector<Row>(kRows);

    static std::size_t Slot(std::uint32_t t, std::uint64_t p, std::uint64_t h = 0) {
        const std::uint64_t mixed =
            (t * 0x9E3779B97F4A7C15ULL) ^ (p * 0xC2B2AE3D27D4EB4FULL) ^ (h * 0x165667B19E3779F9ULL);
        return static_cast<std::size_t>(mixed >> 40);
    }
};

RowConverter::RowConverter(const Plan& plan) : plan_(plan), cache_(std::make_unique<Cache>()) {}
RowConverter::~RowConverter() = default;

void RowConverter::Convert(std::string_view line, std::string& out, Tally& tally) {
    const TextShape& shape = plan_.shape();
    const Settings& settings = plan_.settings();
    const Mapping& m = settings.mapping;
    const char sep = shape.separator;
    if (line.empty()) {
        ++tally.blankLines;
        out += shape.lineEnd;
        return;
    }
    ++tally.rows;
    SplitCells(line, sep, cells_);
    out += line;
    for (std::size_t i = cells_.size(); i < plan_.headerCells(); ++i) {
        out += sep;
    }
    const auto cell = [this](int column) {
        return column >= 0 && static_cast<std::size_t>(column) < cells_.size()
                   ? cells_[static_cast<std::size_t>(column)]
                   : std::string_view{};
    };

    std::string status;
    Refusal refusal = Refusal::None;
    Field field = Field::None;
    const auto refuse = [&](Refusal why, Field which, std::string text) {
        refusal = why;
        field = which;
        status = std::move(text);
    };
    // A cell judged as the window judges a typed text against its two captions.
    const auto judge = [&](std::string_view text, const Plan::Input& input, double low, double high,
                           const std::string& lowText, const std::string& highText,
                           Field which) -> std::optional<double> {
        const CellNumber number = ReadCellNumber(text, shape.decimalComma);
        if (number.status == CellNumber::Status::Empty) {
            refuse(Refusal::EmptyCell, which, std::string(input.name) + ": empty cell");
        } else if (number.status == CellNumber::Status::NotNumber) {
            refuse(Refusal::NotNumber, which,
                   std::string(input.name) + ": not a number (" +
                       std::string(CellForMessage(text)) + ")");
        } else if (!(low <= number.value && number.value <= high)) {
            refuse(Refusal::OutOfRange, which,
                   RangeText(input.name, lowText, highText, input.unit));
        } else {
            return number.value;
        }
        return std::nullopt;
    };

    const Plan::Input& dry = plan_.dryBulb();
    const Plan::Input& pressureInput = plan_.pressure();
    const MoistAirState* state = nullptr;
    Result<MoistAirState> result{SolveFailure{}};
    Cache::Entry* entry = nullptr;
    Cache::Row* memoRow = nullptr;
    if (const auto t = judge(cell(m.dryBulb.column), dry, dry.minimum, dry.maximum, dry.minimumText,
                             dry.maximumText, Field::DryBulb)) {
        const float T =
            static_cast<float>(units::ToInternal(Quantity::Temperature, dry.unit, *t).value_or(0));
        std::optional<double> P = plan_.constantPressure();
        if (!P) {
            if (const auto p = judge(cell(m.pressure.column), pressureInput, pressureInput.minimum,
                                     pressureInput.maximum, pressureInput.minimumText,
                                     pressureInput.maximumText, Field::Pressure)) {
                P = units::ToInternal(m.pressureInput == PressureInput::Barometric
                                          ? Quantity::Pressure
                                          : Quantity::Length,
                                      pressureInput.unit, *p);
            }
        }
        if (P) {
            std::uint32_t tBits = 0;
            std::uint64_t pBits = 0;
            std::memcpy(&tBits, &T, sizeof tBits);
            std::memcpy(&pBits, &*P, sizeof pBits);
            entry = &cache_->entries[Cache::Slot(tBits, pBits) % Cache::kSize];
            if (!entry->used || entry->dryBulbBits != tBits || entry->pressureBits != pBits) {
                *entry = Cache::Entry{};
                entry->used = true;
                entry->dryBulbBits = tBits;
                entry->pressureBits = pBits;
                Conditions conditions;
                conditions.dryBulb = T;
                conditions.pressureInput = m.pressureInput;
                conditions.pressure = *P;
                conditions.altitude = *P;
                conditions.formulation = settings.formulation;
                const Result<Ambient> ambient = AmbientOf(conditions);
                if (!ambient) {
                    entry->refusal = Refusal::Fault;
                    entry->fault = Describe(ambient.failure());
                } else {
                    entry->ambient = *ambient;
                    const Result<Saturation> saturation =
                        SaturationOf(*ambient, settings.formulation);
                    if (!saturation) {
                        const bool tooLow =
                            saturation.failure().kind == FailureKind::PressureTooLow;
                        entry->refusal = tooLow ? Refusal::PressureTooLow : Refusal::Fault;
                        entry->fault = Describe(saturation.failure());
                    } else {
                        entry->saturation = *saturation;
                        entry->captions = HumidityCaptions(m.humidityInput, m.humidity.unit,
                                                           *ambient, *saturation);
                        entry->minimum = ReadNumber(entry->captions.minimum);
                        entry->maximum = ReadNumber(entry->captions.maximum);
                        const Ambient& a = *ambient;
                        if (m.pressureInput == PressureInput::Altitude) {
                            entry->derived =
                                PressureText(a.pressure, settings.units.pressure).value_or("");
                        } else if (kLowestAltitude <= a.altitude &&
                                   a.altitude <= kHighestAltitude) {
                            entry->derived =
                                AltitudeText(a.altitude, settings.units.altitude).value_or("");
                        } else {
                            entry->derived = "Out of Range";
                        }
                    }
                }
            }
            if (entry->refusal == Refusal::PressureTooLow) {
                refuse(Refusal::PressureTooLow, Field::None, std::string(kPressureTooLow));
            } else if (entry->refusal == Refusal::Fault) {
                refuse(Refusal::Fault, Field::None, "The calculation failed. " + entry->fault);
            } else {
                Plan::Input humidity{Role::Humidity,
                                     m.humidityInput,
                                     m.humidity.unit,
                                     InputName(Role::Humidity, m.humidityInput),
                                     0,
                                     0,
                                     {},
                                     {}};
                if (const auto h =
                        judge(cell(m.humidity.column), humidity, entry->minimum, entry->maximum,
                              entry->captions.minimum, entry->captions.maximum, Field::Humidity)) {
                    const HumidityRow& row = RowOf(m.humidityInput);
                    double value = *h;
                    if (m.humidity.unit != kFractionUnit) {
                        value = units::ToInternal(MainComboQuantity(row.combo),
                                                  row.percent ? "%" : m.humidity.unit, *h)
                                    .value_or(0);
                    }
                    std::uint64_t hBits = 0;
                    std::memcpy(&hBits, &value, sizeof hBits);
                    Cache::Row& memo =
                        cache_->rows[Cache::Slot(tBits, pBits, hBits) % Cache::kRows];
                    if (memo.used && memo.dryBulbBits == tBits && memo.pressureBits == pBits &&
                        memo.humidityBits == hBits) {
                        out += memo.cells;
                        ++tally.computed;
                        return;
                    }
                    memoRow = &memo;
                    memo.used = false;
                    memo.dryBulbBits = tBits;
                    memo.pressureBits = pBits;
                    memo.humidityBits = hBits;
                    result = StateOf(entry->ambient, entry->saturation, m.humidityInput, value);
                    if (result) {
                        state = &*result;
                    } else {
                        refuse(Refusal::Fault, Field::None,
                               "The calculation failed. " + Describe(result.failure()));
                    }
                }
            }
        }
    }

    if (state == nullptr) {
        for (std::size_t i = 0; i < ComputedCount(settings); ++i) {
            out += sep;
        }
        out += sep;
        AppendCell(out, status, sep);
        out += shape.lineEnd;
        ++tally.refused[static_cast<std::size_t>(refusal)][static_cast<std::size_t>(field)];
        return;
    }

    const std::size_t cellsStart = out.size();
    const MoistAirState& s = *state;
    const OutputUnits& u = settings.units;
    const char decimal = plan_.outputDecimal();
    const std::string separator(1, decimal);
    if (settings.digits == Digits::Window) {
        const auto text = [&](const std::optional<std::string>& t) {
            out += sep;
            AppendText(out, t.value_or(""), decimal);
        };
        text(RoundedText(s.relativeHumidity * 100, 3));
        text(HumidityRatioText(s.humidityRatio, u.humidityRatio));
        text(AbsoluteHumidityOutputText(s.absoluteHumidity, u.absoluteHumidity));
        text(s.dewPoint ? DewPointText(*s.dewPoint, u.dewPoint) : "< min");
        text(TemperatureText(s.wetBulb, u.wetBulb));
        text(PartialPressureText(s.partialPressure, u.partialPressure));
        text(PictureText(s.moleFraction * 100, "#0.0000", separator));
        text(PictureText(s.massFraction * 100, "#0.0000", separator));
        text(entry->derived);
        text(DensityText(s.density, u.density));
        text(SpecificVolumeText(s.specificVolume, u.specificVolume));
        text(EnthalpyText(s.enthalpy, u.enthalpy));
        if (settings.composition) {
            const Composition& x = s.byVolume;
            const Composition& w = s.byMass;
            const bool moleWide = x.H2O >= 0.1;
            const bool massWide = moleWide && w.H2O >= 0.1;
            text(PictureText(x.N2 * 100, "00.0000", separator));
            text(PictureText(x.O2 * 100, "00.0000", separator));
            text(PictureText(100.0F * x.Ar, "0.0000", separator));
            text(PictureText(x.CO2 * 100, "0.0000", separator));
            text(PictureText(x.H2O * 100, moleWide ? "##.0000" : "0.0000", separator));
            text(PictureText(w.N2 * 100, "00.0000", separator));
            text(PictureText(w.O2 * 100, "00.0000", separator));
            text(PictureText(100.0F * w.Ar, "0.0000", separator));
            text(PictureText(w.CO2 * 100, "0.0000", separator));
            text(PictureText(w.H2O * 100, massWide ? "##.0000" : "#0.0000", separator));
        }
    } else {
        const auto number = [&](double value) {
            out += sep;
            AppendNumber(out, value, decimal);
        };
        number(s.relativeHumidity * 100);
        number(Shown(Quantity::HumidityRatio, u.humidityRatio, s.humidityRatio));
        number(Shown(Quantity::AbsoluteHumidity, u.absoluteHumidity, s.absoluteHumidity));
        if (s.dewPoint) {
            number(Shown(Quantity::Temperature, u.dewPoint, *s.dewPoint));
        } else {
            out += sep;
        }
        number(Shown(Quantity::Temperature, u.wetBulb, s.wetBulb));
        number(Shown(Quantity::Pressure, u.partialPressure, s.partialPressure));
        number(s.moleFraction * 100);
        number(s.massFraction * 100);
        if (m.pressureInput == PressureInput::Altitude) {
            number(Shown(Quantity::Pressure, u.pressure, s.ambient.pressure));
        } else {
            number(Shown(Quantity::Length, u.altitude, s.ambient.altitude));
        }
        number(Shown(Quantity::Density, u.density, s.density));
        number(Shown(Quantity::SpecificVolume, u.specificVolume, s.specificVolume));
        number(Shown(Quantity::SpecificEnthalpy, u.enthalpy, s.enthalpy));
        if (settings.composition) {
            for (const Composition* c : {&s.byVolume, &s.byMass}) {
                number(c->N2 * 100);
                number(c->O2 * 100);
                number(static_cast<double>(c->Ar) * 100);
                number(c->CO2 * 100);
                number(c->H2O * 100);
            }
        }
    }
    out += sep;
    out += "ok";
    out += shape.lineEnd;
    ++tally.computed;
    if (memoRow != nullptr) {
        memoRow->cells.assign(out, cellsStart);
        memoRow->used = true;
    }
}

} // namespace hygrovane::batch
