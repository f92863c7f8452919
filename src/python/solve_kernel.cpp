#include "solve_kernel.h"

#include <limits>

namespace hygrovane::python {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

using Reader = double (*)(const MoistAirState&);

struct Quantity {
    const char* name;
    Reader read;
};

// Every double of MoistAirState, named as the struct names it (in snake case); the 32-bit
// members widen exactly. A dew point below kLowestDewPoint is NaN.
constexpr Quantity kQuantities[] = {
    {"dry_bulb", [](const MoistAirState& s) -> double { return s.ambient.dryBulb; }},
    {"pressure", [](const MoistAirState& s) { return s.ambient.pressure; }},
    {"altitude", [](const MoistAirState& s) { return s.ambient.altitude; }},
    {"humidity_ratio", [](const MoistAirState& s) { return s.humidityRatio; }},
    {"relative_humidity", [](const MoistAirState& s) { return s.relativeHumidity; }},
    {"dew_point", [](const MoistAirState& s) { return s.dewPoint.value_or(kNaN); }},
    {"wet_bulb", [](const MoistAirState& s) { return s.wetBulb; }},
    {"partial_pressure", [](const MoistAirState& s) -> double { return s.partialPressure; }},
    {"mole_fraction", [](const MoistAirState& s) { return s.moleFraction; }},
    {"mass_fraction", [](const MoistAirState& s) { return s.massFraction; }},
    {"absolute_humidity", [](const MoistAirState& s) -> double { return s.absoluteHumidity; }},
    {"molecular_weight", [](const MoistAirState& s) { return s.molecularWeight; }},
    {"gas_constant", [](const MoistAirState& s) { return s.gasConstant; }},
    {"density", [](const MoistAirState& s) { return s.density; }},
    {"specific_volume", [](const MoistAirState& s) { return s.specificVolume; }},
    {"enthalpy", [](const MoistAirState& s) { return s.enthalpy; }},
    {"by_volume_n2", [](const MoistAirState& s) { return s.byVolume.N2; }},
    {"by_volume_o2", [](const MoistAirState& s) { return s.byVolume.O2; }},
    {"by_volume_ar", [](const MoistAirState& s) -> double { return s.byVolume.Ar; }},
    {"by_volume_co2", [](const MoistAirState& s) { return s.byVolume.CO2; }},
    {"by_volume_h2o", [](const MoistAirState& s) { return s.byVolume.H2O; }},
    {"by_mass_n2", [](const MoistAirState& s) { return s.byMass.N2; }},
    {"by_mass_o2", [](const MoistAirState& s) { return s.byMass.O2; }},
    {"by_mass_ar", [](const MoistAirState& s) -> double { return s.byMass.Ar; }},
    {"by_mass_co2", [](const MoistAirState& s) { return s.byMass.CO2; }},
    {"by_mass_h2o", [](const MoistAirState& s) { return s.byMass.H2O; }},
    {"saturation_pressure", [](const MoistAirState& s) { return s.saturation.pressure; }},
    {"saturation_humidity_ratio",
     [](const MoistAirState& s) { return s.saturation.humidityRatio; }},
    {"saturation_mole_fraction", [](const MoistAirState& s) { return s.saturation.moleFraction; }},
    {"saturation_absolute_humidity",
     [](const MoistAirState& s) { return s.saturation.absoluteHumidity; }},
    {"saturation_molecular_weight",
     [](const MoistAirState& s) { return s.saturation.molecularWeight; }},
    {"saturation_mass_fraction", [](const MoistAirState& s) { return s.saturation.massFraction; }},
    {"dry_air_wet_bulb", [](const MoistAirState& s) { return s.saturation.dryAirWetBulb; }},
};
constexpr std::size_t kStateQuantities = std::size(kQuantities);

constexpr const char* kInputNames[] = {"humidity_ratio", "relative_humidity", "dew_point",
                                       "wet_bulb",       "absolute_humidity", "partial_pressure",
                                       "mole_fraction",  "mass_fraction"};
static_assert(std::size(kInputNames) == kHumidityInputs.size());

void WriteFailure(const SolveOutputs& out, std::size_t i, const SolveFailure& failure,
                  FaultDetails& faults) {
    for (double* column : out.quantities) {
        column[i] = kNaN;
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
        for (const Quantity& q : kQuantities) {
            all.emplace_back(q.name);
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
        for (std::size_t q = 0; q < kStateQuantities; ++q) {
            out.quantities[q][i] = kQuantities[q].read(*state);
        }
        std::size_t column = kStateQuantities;
        for (HumidityInput input : kHumidityInputs) {
            const Range limits = LimitsOf(input, state->ambient, state->saturation);
            out.quantities[column++][i] = limits.minimum;
            out.quantities[column++][i] = limits.maximum;
        }
        out.status[i] = 0;
        out.failureValue[i] = kNaN;
        out.failureMinimum[i] = kNaN;
        out.failureMaximum[i] = kNaN;
    }
}

} // namespace hygrovane::python
