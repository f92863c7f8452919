#include "solve_kernel.h"

#include "parallel.h"
#include "state_quantities.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <emmintrin.h>
#include <limits>
#include <memory>

namespace hygrovane::python {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The failure each Status stands for, one table for both directions. The field tells inputs apart
// where the kind is OutOfRange; elsewhere it is SolveFailure's default.
struct StatusMeaning {
    Status status;
    FailureKind kind;
    InputField field;
};
constexpr StatusMeaning kArithmeticFault{Status::ArithmeticFault, FailureKind::ArithmeticFault,
                                         InputField::Humidity};
constexpr StatusMeaning kStatusMeanings[] = {
    {Status::DryBulbOutOfRange, FailureKind::OutOfRange, InputField::DryBulb},
    {Status::PressureOutOfRange, FailureKind::OutOfRange, InputField::Pressure},
    {Status::AltitudeOutOfRange, FailureKind::OutOfRange, InputField::Altitude},
    {Status::HumidityOutOfRange, FailureKind::OutOfRange, InputField::Humidity},
    {Status::PressureTooLow, FailureKind::PressureTooLow, InputField::Humidity},
    kArithmeticFault};

constexpr const char* kInputNames[] = {"humidity_ratio", "relative_humidity", "dew_point",
                                       "wet_bulb",       "absolute_humidity", "partial_pressure",
                                       "mole_fraction",  "mass_fraction"};
static_assert(std::size(kInputNames) == kHumidityInputs.size());
constexpr std::size_t kAllQuantities = kStateQuantities + 2 * std::size(kInputNames);
constexpr std::size_t kDryBulbColumn = 0;
static_assert(std::string_view(kStateNames[kDryBulbColumn]) == "dry_bulb");

// Elements solved per block. A block's results are gathered in a buffer that stays in the
// first-level cache (53 x 64 values, 27 KB) and then written out column by column, whole cache
// lines at a time, rather than as 53 scattered stores per element into 53 streams of fresh memory.
// A multiple of 64 so that threads' slices (parallel.h) start on a cache line of every column.
constexpr std::size_t kBlock = kSliceGranule;

struct Block {
    alignas(64) double values[kAllQuantities][kBlock];
    alignas(64) std::uint8_t status[kBlock];
};

void GatherFailure(Block& b, std::size_t j, std::size_t i, const SolveFailure& failure,
                   FailureRecords& failures) {
    for (auto& column : b.values) {
        column[j] = kNaN;
    }
    const Status status = StatusOf(failure);
    b.status[j] = static_cast<std::uint8_t>(status);
    if (status == Status::ArithmeticFault) {
        failures.records.push_back({i, kNaN, kNaN, kNaN});
        failures.details.emplace_back(i, failure.detail);
    } else {
        failures.records.push_back(
            {i, failure.value, failure.allowed.minimum, failure.allowed.maximum});
    }
}

// Which humidity inputs' limits the caller asked for: each costs a saturation calculation or a
// wet-bulb search per state, most of a narrow call's time, so an unasked one is not computed.
struct LimitsWanted {
    bool any = false;
    bool input[std::size(kInputNames)] = {};
};

LimitsWanted LimitsAsked(const SolveOutputs& out) {
    LimitsWanted wanted;
    for (std::size_t i = 0; i < std::size(kInputNames); ++i) {
        const std::size_t q = kStateQuantities + 2 * i;
        wanted.input[i] = out.quantities[q] != nullptr || out.quantities[q + 1] != nullptr;
        wanted.any = wanted.any || wanted.input[i];
    }
    return wanted;
}

// The dry air's wet bulb is a wet-bulb search per state: solved only when its column or the wet
// bulb's limits are asked.
constexpr std::size_t kDryAirWetBulbColumn = kStateQuantities - 1;
static_assert(std::string_view(kStateNames[kDryAirWetBulbColumn]) == "dry_air_wet_bulb");
constexpr std::size_t kWetBulbInput = 3;
static_assert(std::string_view(kInputNames[kWetBulbInput]) == "wet_bulb");

SolveScope ScopeAsked(const SolveOutputs& out, const LimitsWanted& limitsWanted) {
    return {.dryAirWetBulb = out.quantities[kDryAirWetBulbColumn] != nullptr ||
                             limitsWanted.input[kWetBulbInput]};
}

void Gather(Block& b, std::size_t j, const MoistAirState& state, double dryBulb,
            const LimitsWanted& limitsWanted) {
    StateValues(state, [&](std::size_t q) -> double& { return b.values[q][j]; });
    // The dry bulb as given: the state holds it in 32 bits, which is no figure the caller wrote.
    b.values[kDryBulbColumn][j] = dryBulb;
    b.status[j] = 0;
    if (!limitsWanted.any) {
        return;
    }
    for (std::size_t i = 0; i < kHumidityInputs.size(); ++i) {
        if (limitsWanted.input[i]) {
            const Range limits = LimitsOf(kHumidityInputs[i], state.ambient, state.saturation);
            b.values[kStateQuantities + 2 * i][j] = limits.minimum;
            b.values[kStateQuantities + 2 * i + 1][j] = limits.maximum;
        }
    }
}

template <typename T> void Put(T* target, const T* source, std::size_t count) {
    if (target) {
        std::memcpy(target, source, count * sizeof(T));
    }
}

// A whole block of a column with non-temporal stores: the lines go to memory without first being
// read into the cache (the results are not read again soon, and fresh pages hold nothing).
void Put(double* target, const double (&source)[kBlock], std::size_t count) {
    if (!target) {
        return;
    }
    if (count != kBlock || reinterpret_cast<std::uintptr_t>(target) % 16 != 0) {
        std::memcpy(target, source, count * sizeof(double));
        return;
    }
    for (std::size_t j = 0; j < kBlock; j += 2) {
        _mm_stream_pd(target + j, _mm_load_pd(source + j));
    }
}

} // namespace

Status StatusOf(const SolveFailure& failure) {
    for (const StatusMeaning& m : kStatusMeanings) {
        if (m.kind == failure.kind &&
            (failure.kind != FailureKind::OutOfRange || m.field == failure.field)) {
            return m.status;
        }
    }
    return Status::ArithmeticFault; // not reached: every kind and field has its row
}

SolveFailure FailureOf(Status status, HumidityInput input, double value, Range allowed,
                       std::string detail) {
    const StatusMeaning* m =
        std::find_if(std::begin(kStatusMeanings), std::end(kStatusMeanings),
                     [&](const StatusMeaning& row) { return row.status == status; });
    if (m == std::end(kStatusMeanings)) {
        m = &kArithmeticFault; // Status::Ok: no failure to tell, so none is made up
    }
    SolveFailure failure;
    failure.kind = m->kind;
    failure.field = m->field;
    failure.humidityInput = input;
    failure.value = value;
    failure.allowed = allowed;
    if (m->kind == FailureKind::ArithmeticFault) {
        failure.detail = std::move(detail);
    }
    return failure;
}

const std::vector<std::string>& QuantityNames() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> all;
        for (const char* name : kStateNames) {
            all.emplace_back(name);
        }
        for (const char* input : kInputNames) {
            all.push_back(std::string(input) + "_minimum");
            all.push_back(std::string(input) + "_maximum");
        }
        return all;
    }();
    return names;
}

const std::vector<std::string>& HumidityInputNames() {
    static const std::vector<std::string> names(std::begin(kInputNames), std::end(kInputNames));
    return names;
}

Conditions ConditionsAt(const SolveInputs& in, std::size_t i) {
    Conditions c;
    c.dryBulb = in.dryBulb[i];
    c.humidity = in.humidity[i];
    c.humidityInput = kHumidityInputs[static_cast<std::size_t>(in.humidityInput[i])];
    SetAmbientAt(c, in.pressure, in.pressureInput, in.formulation, i);
    return c;
}

void SolveSlice(const SolveInputs& in, const SolveOutputs& out, std::size_t begin, std::size_t end,
                FailureRecords& failures) {
    const auto block = std::make_unique<Block>();
    Block& b = *block;
    const LimitsWanted limitsWanted = LimitsAsked(out);
    const SolveScope scope = ScopeAsked(out, limitsWanted);
    for (std::size_t start = begin; start < end; start += kBlock) {
        const std::size_t count = std::min(kBlock, end - start);
        for (std::size_t j = 0; j < count; ++j) {
            const Result<MoistAirState> state = Solve(ConditionsAt(in, start + j), scope);
            if (state) {
                Gather(b, j, *state, in.dryBulb[start + j], limitsWanted);
            } else {
                GatherFailure(b, j, start + j, state.error(), failures);
            }
        }
        for (std::size_t q = 0; q < kAllQuantities; ++q) {
            Put(out.quantities[q] ? out.quantities[q] + start : nullptr, b.values[q], count);
        }
        Put(out.status + start, b.status, count);
    }
    _mm_sfence(); // the non-temporal stores are visible before the slice is reported done
}

} // namespace hygrovane::python
