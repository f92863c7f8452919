#include "batch/conversion.h"

#include "batch/row_cells.h"
#include "display/display_texts.h"
#include "display/input_kinds.h"
#include "display/number_text.h"
#include "units/quantity.h"

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace hygrovane::batch {

namespace {

using calculation::AltitudeText;
using calculation::HumidityLimitCaptions;
using calculation::LimitCaptions;
using calculation::PressureText;

// The captions of an input's Minimum and Maximum, as the window writes them.
struct Captions {
    std::string minimum, maximum;
};

// The window's captions of the humidity input in the row's unit; a relative humidity given as a
// fraction is judged against 0 and 1.
Captions HumidityCaptions(HumidityInput input, const std::string& unit, const Ambient& ambient,
                          const Saturation& s) {
    if (input == HumidityInput::RelativeHumidity && unit == kFractionUnit) {
        return {"0", "1"};
    }
    const LimitCaptions captions = HumidityLimitCaptions(input, unit, ambient.dryBulb, s);
    return {captions.minimum.value_or("0"), captions.maximum.value_or("0")};
}

std::string_view CellForMessage(std::string_view cell) {
    while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) {
        cell.remove_prefix(1);
    }
    while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) {
        cell.remove_suffix(1);
    }
    // At most 32 bytes, not ending inside a UTF-8 character.
    std::size_t length = std::min<std::size_t>(cell.size(), 32);
    while (length < cell.size() && length > 0 && (cell[length] & 0xC0) == 0x80) {
        --length;
    }
    return cell.substr(0, length);
}

} // namespace

// The saturation state and the humidity captions at one dry bulb and pressure, and the computed
// cells of recent rows.
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

    // A logger's readings repeat, and a row's cells depend on its three inputs alone.
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

    // P is the pressure or the altitude, by the mapping.
    const Entry& At(std::uint32_t tBits, float T, std::uint64_t pBits, double P,
                    const Settings& settings) {
        Entry& entry = entries[Slot(tBits, pBits) % kSize];
        if (entry.used && entry.dryBulbBits == tBits && entry.pressureBits == pBits) {
            return entry;
        }
        const Mapping& m = settings.mapping;
        entry = Entry{};
        entry.used = true;
        entry.dryBulbBits = tBits;
        entry.pressureBits = pBits;
        Conditions conditions;
        conditions.dryBulb = T;
        conditions.pressureInput = m.pressureInput;
        conditions.pressure = P;
        conditions.altitude = P;
        conditions.formulation = settings.formulation;
        // Only the saturation can find the pressure too low; the rest is an arithmetic fault.
        const Result<SaturatedAir> saturated = SaturatedAirOf(conditions);
        if (!saturated) {
            const bool tooLow = saturated.error().kind == FailureKind::PressureTooLow;
            entry.refusal = tooLow ? Refusal::PressureTooLow : Refusal::Fault;
            entry.fault = Describe(saturated.error());
            return entry;
        }
        entry.ambient = saturated->ambient;
        entry.saturation = saturated->saturation;
        const Ambient& a = entry.ambient;
        entry.captions = HumidityCaptions(m.humidityInput, m.humidity.unit, a, entry.saturation);
        entry.minimum = ReadNumber(entry.captions.minimum);
        entry.maximum = ReadNumber(entry.captions.maximum);
        if (m.pressureInput == PressureInput::Altitude) {
            entry.derived = PressureText(a.pressure, settings.units.pressure).value_or("");
        } else if (kLowestAltitude <= a.altitude && a.altitude <= kHighestAltitude) {
            entry.derived = AltitudeText(a.altitude, settings.units.altitude).value_or("");
        } else {
            entry.derived = "Out of Range";
        }
        return entry;
    }
};

namespace {

// Why a row is refused, and the status that says so.
struct Verdict {
    Refusal refusal = Refusal::None;
    Field field = Field::None;
    std::string status;
};

// A cell judged as the window judges a typed text against its two captions: its number, or no
// value and the verdict.
std::optional<double> Judge(std::string_view cell, bool decimalComma, std::string_view name,
                            const std::string& unit, double low, double high,
                            const std::string& lowText, const std::string& highText, Field field,
                            Verdict& verdict, double scale = 1) {
    CellNumber number = ReadCellNumber(cell, decimalComma);
    if (scale != 1) {
        number.value *= scale; // a unit the window has no name for, to one it has
    }
    if (number.status == CellNumber::Status::Number && low <= number.value &&
        number.value <= high) {
        return number.value;
    }
    verdict.field = field;
    if (number.status == CellNumber::Status::Empty) {
        verdict.refusal = Refusal::EmptyCell;
        verdict.status = std::string(name) + ": empty cell";
    } else if (number.status == CellNumber::Status::NotNumber) {
        verdict.refusal = Refusal::NotNumber;
        verdict.status =
            std::string(name) + ": not a number (" + std::string(CellForMessage(cell)) + ")";
    } else {
        verdict.refusal = Refusal::OutOfRange;
        verdict.status = RangeText(name, lowText, highText, unit);
    }
    return std::nullopt;
}

std::optional<double> Judge(std::string_view cell, bool decimalComma, const Plan::Input& input,
                            Field field, Verdict& verdict) {
    return Judge(cell, decimalComma, input.name, input.unit, input.minimum, input.maximum,
                 input.minimumText, input.maximumText, field, verdict, input.scale);
}

template <typename T> auto Bits(T value) {
    std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t> bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

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
    AppendPassedThrough(out, line, cells_, sep);
    for (std::size_t i = cells_.size(); i < plan_.headerCells(); ++i) {
        out += sep;
    }
    const auto cell = [this](int column) {
        return column >= 0 && static_cast<std::size_t>(column) < cells_.size()
                   ? cells_[static_cast<std::size_t>(column)]
                   : std::string_view{};
    };

    // The window's order: the dry bulb, the pressure, the saturation state, the humidity.
    Verdict verdict;
    const std::size_t cellsStart = out.size();
    const auto refused = [&] {
        for (std::size_t i = 0; i < ComputedCount(settings); ++i) {
            out += sep;
        }
        out += sep;
        AppendCell(out, verdict.status, sep);
        out += shape.lineEnd;
        ++tally.refused[static_cast<std::size_t>(verdict.refusal)]
                       [static_cast<std::size_t>(verdict.field)];
    };
    const Plan::Input& dry = plan_.dryBulb();
    const auto t = Judge(cell(m.dryBulb.column), shape.decimalComma, dry, Field::DryBulb, verdict);
    if (!t) {
        return refused();
    }
    const float T =
        static_cast<float>(InCoreUnits(Role::DryBulb, m.humidityInput, dry.unit, *t).value_or(0));
    std::optional<double> P = plan_.constantPressure();
    if (!P) {
        const Plan::Input& given = plan_.pressure();
        const auto p =
            Judge(cell(m.pressure.column), shape.decimalComma, given, Field::Pressure, verdict);
        if (!p) {
            return refused();
        }
        P = InCoreUnits(m.pressureInput == PressureInput::Barometric ? Role::Pressure
                                                                     : Role::Altitude,
                        m.humidityInput, given.unit, *p);
    }
    const std::uint32_t tBits = Bits(T);
    const std::uint64_t pBits = Bits(*P);
    const Cache::Entry& entry = cache_->At(tBits, T, pBits, *P, settings);
    if (entry.refusal == Refusal::PressureTooLow) {
        verdict = {Refusal::PressureTooLow, Field::None, std::string(kPressureTooLow)};
        return refused();
    }
    if (entry.refusal == Refusal::Fault) {
        verdict = {Refusal::Fault, Field::None, "The calculation failed. " + entry.fault};
        return refused();
    }
    const auto h = Judge(cell(m.humidity.column), shape.decimalComma,
                         InputName(Role::Humidity, m.humidityInput), m.humidity.unit, entry.minimum,
                         entry.maximum, entry.captions.minimum, entry.captions.maximum,
                         Field::Humidity, verdict, m.humidity.scale);
    if (!h) {
        return refused();
    }
    const double value =
        InCoreUnits(Role::Humidity, m.humidityInput, m.humidity.unit, *h).value_or(0);

    const std::uint64_t hBits = Bits(value);
    Cache::Row& memo = cache_->rows[Cache::Slot(tBits, pBits, hBits) % Cache::kRows];
    if (memo.used && memo.dryBulbBits == tBits && memo.pressureBits == pBits &&
        memo.humidityBits == hBits) {
        out += memo.cells;
        ++tally.computed;
        return;
    }
    const Result<MoistAirState> state =
        StateOf(entry.ambient, entry.saturation, m.humidityInput, value);
    if (!state) {
        verdict = {Refusal::Fault, Field::None,
                   "The calculation failed. " + Describe(state.error())};
        return refused();
    }
    if (settings.digits == Digits::Window) {
        AppendWindowCells(out, plan_, *state, entry.derived);
    } else {
        AppendFullCells(out, plan_, *state);
    }
    out += sep;
    out += "ok";
    out += shape.lineEnd;
    ++tally.computed;
    memo.used = true;
    memo.dryBulbBits = tBits;
    memo.pressureBits = pBits;
    memo.humidityBits = hBits;
    memo.cells.assign(out, cellsStart);
}

} // namespace hygrovane::batch
