#include "solve_kernel.h"

#include <algorithm>
#include <limits>

namespace hygrovane::python {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Every double of MoistAirState, named as the struct names it (in snake case), in the order of
// StateValues below; the 32-bit members widen exactly. A dew point below kLowestDewPoint is NaN.
constexpr const char* kStateNames[] = {"dry_bulb",
                                       "pressure",
                                       "altitude",
                                       "humidity_ratio",
                                       "relative_humidity",
                                       "dew_point",
                                       "wet_bulb",
                                       "partial_pressure",
                                       "mole_fraction",
                                       "mass_fraction",
                                       "absolute_humidity",
                                       "molecular_weight",
                                       "gas_constant",
                                       "density",
                                       "specific_volume",
                                       "enthalpy",
                                       "by_volume_n2",
                                       "by_volume_o2",
                                       "by_volume_ar",
                                       "by_volume_co2",
                                       "by_volume_h2o",
                                       "by_mass_n2",
                                       "by_mass_o2",
                                       "by_mass_ar",
                                       "by_mass_co2",
                                       "by_mass_h2o",
                                       "saturation_pressure",
                                       "saturation_humidity_ratio",
                                       "saturation_mole_fraction",
                                       "saturation_absolute_humidity",
                                       "saturation_molecular_weight",
                                       "saturation_mass_fraction",
                                       "dry_air_wet_bulb"};
constexpr std::size_t kStateQuantities = std::size(kStateNames);

// Written out rather than read through a table of functions: the loop runs a million times.
std::array<double, kStateQuantities> StateValues(const MoistAirState& s) {
    return {s.ambient.dryBulb,
            s.ambient.pressure,
            s.ambient.altitude,
            s.humidityRatio,
            s.relativeHumidity,
            s.dewPoint.value_or(kNaN),
            s.wetBulb,
            s.partialPressure,
            s.moleFraction,
            s.massFraction,
            s.absoluteHumidity,
            s.molecularWeight,
            s.gasConstant,
            s.density,
            s.specificVolume,
            s.enthalpy,
            s.byVolume.N2,
            s.byVolume.O2,
            s.byVolume.Ar,
            s.byVolume.CO2,
            s.byVolume.H2O,
            s.byMass.N2,
            s.byMass.O2,
            s.byMass.Ar,
            s.byMass.CO2,
            s.byMass.H2O,
            s.saturation.pressure,
            s.saturation.humidityRatio,
            s.saturation.moleFraction,
            s.saturation.absoluteHumidity,
            s.saturation.molecularWeight,
            s.saturation.massFraction,
            s.saturation.dryAirWetBulb};
}

constexpr const char* kInputNames[] = {"humidity_ratio", "relative_humidity", "dew_point",
                                       "wet_bulb",       "absolute_humidity", "partial_pressure",
                                       "mole_fraction",  "mass_fraction"};
static_assert(std::size(kInputNames) == kHumidityInputs.size());
constexpr std::size_t kAllQuantities = kStateQuantities + 2 * std::size(kInputNames);

void WriteFailure(const SolveOutputs& out, std::size_t i, const SolveFailure& failure,
                  FaultDetails& faults) {
    for (double* column : out.quantities) {
        if (column) {
            column[i] = kNaN;
        }
    }
    const Status status = StatusOf(failure);
    out.status[i] = static_cast<std::uint8_t>(status);
    const bool ranged = status != Status::ArithmeticFault;
    out.failureValue[i] = ranged ? failure.value : kNaN;
    out.failureMinimum[i] = ranged ? failure.allowed.minimum : kNaN;
    out.failureMaximum[i] = ranged ? failure.allowed.maximum : kNaN;
    if (!ranged) {
        faults.add(i, failure.detail);
    }
}

} // namespace

Status StatusOf(const SolveFailure& failure) {
    switch (failure.kind) {
    case FailureKind::PressureTooLow:
        return Status::PressureTooLow;
    case FailureKind::ArithmeticFault:
        return Status::ArithmeticFault;
    case FailureKind::OutOfRange:
        break;
    }
    switch (failure.field) {
    case InputField::DryBulb:
        return Status::DryBulbOutOfRange;
    case InputField::Pressure:
        return Status::PressureOutOfRange;
    case InputField::Altitude:
        return Status::AltitudeOutOfRange;
    case InputField::Humidity:
        break;
    }
    return Status::HumidityOutOfRange;
}

SolveFailure FailureOf(Status status, HumidityInput input, double value, Range allowed,
                       std::string detail) {
    SolveFailure failure;
    failure.kind = FailureKind::OutOfRange;
    failure.humidityInput = input;
    failure.value = value;
    failure.allowed = allowed;
    switch (status) {
    case Status::Ok:
    case Status::ArithmeticFault:
        failure.kind = FailureKind::ArithmeticFault;
        failure.detail = std::move(detail);
        break;
    case Status::DryBulbOutOfRange:
        failure.field = InputField::DryBulb;
        break;
    case Status::PressureOutOfRange:
        failure.field = InputField::Pressure;
        break;
    case Status::AltitudeOutOfRange:
        failure.field = InputField::Altitude;
        break;
    case Status::HumidityOutOfRange:
        failure.field = InputField::Humidity;
        break;
    case Status::PressureTooLow:
        failure.kind = FailureKind::PressureTooLow;
        break;
    }
    return failure;
}

void FaultDetails::add(std::size_t index, std::string detail) {
    const std::lock_guard lock(mutex_);
    details_.emplace_back(index, std::move(detail));
}

std::vector<std::pair<std::size_t, std::string>> FaultDetails::take() {
    const std::lock_guard lock(mutex_);
    return std::move(details_);
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

Conditions ConditionsAt(const SolveInputs& in, std::size_t i) {
    Conditions c;
    c.dryBulb = in.dryBulb[i];
    c.humidity = in.humidity[i];
    c.humidityInput = kHumidityInputs[static_cast<std::size_t>(in.humidityInput[i])];
    if (in.pressureInput[i] == 1) {
        c.pressureInput = PressureInput::Altitude;
        c.altitude = in.pressure[i];
    } else {
        c.pressure = in.pressure[i];
    }
    c.formulation = static_cast<SatFormulation>(in.formulation[i]);
    return c;
}

void SolveSlice(const SolveInputs& in, const SolveOutputs& out, std::size_t begin, std::size_t end,
                FaultDetails& faults) {
    for (std::size_t i = begin; i < end; ++i) {
        const Result<MoistAirState> state = Solve(ConditionsAt(in, i));
        if (!state) {
            WriteFailure(out, i, state.failure(), faults);
            continue;
        }
        std::array<double, kAllQuantities> values;
        const std::array<double, kStateQuantities> stateValues = StateValues(*state);
        std::copy(stateValues.begin(), stateValues.end(), values.begin());
        std::size_t column = kStateQuantities;
        for (HumidityInput input : kHumidityInputs) {
            const Range limits = LimitsOf(input, state->ambient, state->saturation);
            values[column++] = limits.minimum;
            values[column++] = limits.maximum;
        }
        for (std::size_t q = 0; q < kAllQuantities; ++q) {
            if (double* target = out.quantities[q]) {
                target[i] = values[q];
            }
        }
        out.status[i] = 0;
        out.failureValue[i] = kNaN;
        out.failureMinimum[i] = kNaN;
        out.failureMaximum[i] = kNaN;
    }
}

} // namespace hygrovane::python
