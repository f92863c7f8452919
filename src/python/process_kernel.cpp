#include "process_kernel.h"

#include <cmath>
#include <limits>
#include <optional>

namespace hygrovane::python {

namespace {

using namespace processes;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

const std::vector<std::string> kColumns = {
    "dry_bulb", "humidity_ratio", "enthalpy", "specific_volume", "wet_bulb", "relative_humidity",
    "dew_point",
    // a chain's intermediate point; NaN for one stage
    "intermediate_dry_bulb", "intermediate_humidity_ratio", "intermediate_enthalpy",
    // the loads of the whole process
    "dry_air_flow", "sensible", "latent", "total", "sensible_heat_ratio", "water", "water_enthalpy",
    "equipment_heat", "enthalpy_difference", "humidity_ratio_difference",
    // a coil's
    "apparatus_dew_point", "bypass_factor"};

ProcessAmbient AmbientAt(const ProcessInputs& in, std::size_t i) {
    ProcessAmbient ambient;
    SetAmbientAt(ambient, in.pressure, in.pressureInput, in.formulation, i);
    return ambient;
}

ProcessParameters ParametersAt(const ProcessInputs& in, std::size_t i) {
    ProcessParameters p;
    p.leavingDryBulb = in.leavingDryBulb[i];
    p.heatRate = in.heatRate[i];
    p.apparatusDewPoint = in.apparatusDewPoint[i];
    p.bypassFactor = in.bypassFactor[i];
    p.relativeHumidity = in.relativeHumidity[i];
    p.humidityRatio = in.humidityRatio[i];
    p.effectiveness = in.effectiveness[i];
    p.steamTemperature = in.steamTemperature[i];
    p.target = {in.targetDryBulb[i], kHumidityInputs[static_cast<std::size_t>(in.targetInput[i])],
                in.targetHumidity[i]};
    return p;
}

// An entering stream's state and dry-air flow.
struct Stream {
    AirState state;
    double flow = 0;
};

Outcome<Stream> StreamAt(const AirModel& air, FlowUnit unit, double T, HumidityInput input,
                         double humidity, double flow) {
    Outcome<AirState> state = air.Given({T, input, humidity});
    if (!state) {
        return Fail(state.error());
    }
    const Outcome<double> dryAirFlow = DryAirFlow({unit, flow}, *state, std::nullopt);
    if (!dryAirFlow) {
        return Fail(dryAirFlow.error());
    }
    return Stream{*state, *dryAirFlow};
}

Outcome<ProcessResult> ProcessAt(const ProcessInputs& in, std::size_t i, const AirModel& air) {
    std::vector<AirState> inlets;
    std::vector<double> flows;
    const Outcome<Stream> first = StreamAt(
        air, in.flowUnit, in.dryBulb[i],
        kHumidityInputs[static_cast<std::size_t>(in.humidityInput[i])], in.humidity[i], in.flow[i]);
    if (!first) {
        return Fail(first.error());
    }
    inlets.push_back(first->state);
    flows.push_back(first->flow);
    if (InfoOf(in.kind).inlets == 2) {
        const Outcome<Stream> second =
            StreamAt(air, in.flowUnit, in.dryBulb2[i],
                     kHumidityInputs[static_cast<std::size_t>(in.humidityInput2[i])],
                     in.humidity2[i], in.flow2[i]);
        if (!second) {
            return Fail(second.error());
        }
        inlets.push_back(second->state);
        flows.push_back(second->flow);
    }
    return ComputeProcess(air, in.kind, ParametersAt(in, i), inlets, flows);
}

static_assert(static_cast<int>(processes::FailureKind::NoInput) + 1 < kOverflowStatus);

// A flow or heat rate near the largest double computes, but its loads overflow to infinity.
bool LoadsOverflow(const Loads& loads) {
    for (const double load : {loads.dryAirFlow, loads.sensible, loads.latent, loads.total,
                              loads.water, loads.equipmentHeat}) {
        if (std::isinf(load)) {
            return true;
        }
    }
    return false;
}

void Write(const ProcessOutputs& out, std::size_t i, const ProcessResult& r) {
    const AirState& leaving = r.outlets.back();
    const bool chain = r.outlets.size() > 1;
    const Loads& loads = r.loads;
    const double values[] = {
        leaving.dryBulb,
        leaving.humidityRatio,
        leaving.enthalpy,
        leaving.specificVolume,
        leaving.wetBulb,
        leaving.core.relativeHumidity,
        leaving.core.dewPoint.value_or(kNaN),
        chain ? r.outlets.front().dryBulb : kNaN,
        chain ? r.outlets.front().humidityRatio : kNaN,
        chain ? r.outlets.front().enthalpy : kNaN,
        loads.dryAirFlow,
        loads.sensible,
        loads.latent,
        loads.total,
        loads.sensibleHeatRatio.value_or(kNaN),
        loads.water,
        loads.waterEnthalpy,
        loads.equipmentHeat,
        loads.enthalpyDifference,
        loads.humidityRatioDifference,
        r.apparatusDewPoint ? r.apparatusDewPoint->dryBulb : kNaN,
        r.bypassFactor.value_or(kNaN),
    };
    static_assert(std::size(values) == 22);
    for (std::size_t c = 0; c < std::size(values); ++c) {
        out.columns[c][i] = values[c];
    }
    out.status[i] = 0;
}

void WriteFailure(const ProcessOutputs& out, std::size_t i, const ProcessFailure& failure,
                  Messages& messages) {
    for (double* column : out.columns) {
        column[i] = kNaN;
    }
    out.status[i] = static_cast<std::uint8_t>(static_cast<int>(failure.kind) + 1);
    messages.emplace_back(i, failure.message);
}

} // namespace

const std::vector<std::string>& ProcessColumnNames() {
    return kColumns;
}

void ProcessSlice(const ProcessInputs& in, const ProcessOutputs& out, std::size_t begin,
                  std::size_t end, Messages& messages) {
    // Most calls share one pressure: the air model is made again only when it changes.
    std::optional<ProcessAmbient> lastAmbient;
    std::optional<Outcome<AirModel>> air;
    for (std::size_t i = begin; i < end; ++i) {
        const ProcessAmbient ambient = AmbientAt(in, i);
        if (!lastAmbient || !(*lastAmbient == ambient)) {
            air = AirModel::Of(ambient);
            lastAmbient = ambient;
        }
        if (!*air) {
            WriteFailure(out, i, air->error(), messages);
            continue;
        }
        const Outcome<ProcessResult> result = ProcessAt(in, i, air->value());
        if (result && LoadsOverflow(result->loads)) {
            for (double* column : out.columns) {
                column[i] = kNaN;
            }
            out.status[i] = kOverflowStatus;
            messages.emplace_back(i, "The process's loads overflow: the air flow or the heat "
                                     "rate is too large to give a finite load.");
        } else if (result) {
            Write(out, i, *result);
        } else {
            WriteFailure(out, i, result.error(), messages);
        }
    }
}

} // namespace hygrovane::python
