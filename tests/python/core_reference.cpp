// The core's own answers, for the Python tests to compare the module with bit for bit. Reads
// one request per line and prints one answer per line, numbers as C hex floats (%a):
//   solve T humidity input pressureInput pressure formulation
//     -> ok <the state's doubles, ordered as state_quantities.h> | fail <Describe's sentence>
//   process kind flowUnit pressureInput pressure formulation T input humidity flow
//           T2 input2 humidity2 flow2 leavingDryBulb heatRate apparatusDewPoint bypassFactor
//           relativeHumidity humidityRatio effectiveness steamTemperature
//           targetT targetInput targetHumidity
//     -> ok <leaving T, W, h, v, wet bulb; loads sensible, latent, total, water> | fail <message>
// Inputs are numbers of the core's enums; pressureInput 0 barometric, 1 altitude.
#include "hygrovane/moist_air.h"
#include "processes/compute.h"
#include "processes/flows.h"
#include "processes/process_set.h"
#include "reference_support.h"
#include "state_quantities.h"

#include <cstddef>
#include <string>
#include <vector>

using namespace hygrovane;
using namespace hygrovane::reference;

namespace {

HumidityInput Input(std::istream& in) {
    return kHumidityInputs[static_cast<std::size_t>(Number(in))];
}

void AnswerSolve(std::istream& in) {
    Conditions c;
    c.dryBulb = Number(in);
    c.humidity = Number(in);
    c.humidityInput = Input(in);
    const bool altitude = Number(in) == 1;
    const double ambient = Number(in);
    c.pressureInput = altitude ? PressureInput::Altitude : PressureInput::Barometric;
    (altitude ? c.altitude : c.pressure) = ambient;
    c.formulation = static_cast<SatFormulation>(static_cast<int>(Number(in)));
    const Result<MoistAirState> r = hygrovane::Solve(c);
    if (!r) {
        return PrintFailure(Describe(r.error()));
    }
    // The module's own list of quantities: its order is what the tests compare, and
    // test_state_quantities.py checks each name's value against physics.
    std::vector<double> values(python::kStateQuantities);
    python::StateValues(*r, [&](std::size_t q) -> double& { return values[q]; });
    Print(values);
}

void AnswerProcess(std::istream& in) {
    using namespace processes;
    std::string key, unitName;
    in >> key >> unitName;
    ProcessAmbient ambient;
    const bool altitude = Number(in) == 1;
    const double value = Number(in);
    ambient.pressureInput = altitude ? PressureInput::Altitude : PressureInput::Barometric;
    (altitude ? ambient.altitude : ambient.pressure) = value;
    ambient.formulation = static_cast<SatFormulation>(static_cast<int>(Number(in)));
    const ProcessKind kind = *KindWithKey(key);
    const FlowUnit unit = *FlowUnitNamed(unitName);
    PointConditions a, b;
    a.dryBulb = Number(in);
    a.humidityInput = Input(in);
    a.humidity = Number(in);
    const double flowA = Number(in);
    b.dryBulb = Number(in);
    b.humidityInput = Input(in);
    b.humidity = Number(in);
    const double flowB = Number(in);
    ProcessParameters p;
    p.leavingDryBulb = Number(in);
    p.heatRate = Number(in);
    p.apparatusDewPoint = Number(in);
    p.bypassFactor = Number(in);
    p.relativeHumidity = Number(in);
    p.humidityRatio = Number(in);
    p.effectiveness = Number(in);
    p.steamTemperature = Number(in);
    p.target.dryBulb = Number(in);
    p.target.humidityInput = Input(in);
    p.target.humidity = Number(in);

    // A set as the processes window builds it: the points, then the process.
    ProcessSet set;
    set.setAmbient(ambient);
    const auto fail = [](const ProcessFailure& f) { PrintFailure(f.message); };
    const Outcome<PointId> first = set.addPoint(a);
    if (!first) {
        return fail(first.error());
    }
    ProcessDefinition d{kind, {*first}, {{unit, flowA}}, p};
    if (InfoOf(kind).inlets == 2) {
        const Outcome<PointId> second = set.addPoint(b);
        if (!second) {
            return fail(second.error());
        }
        d.inlets.push_back(*second);
        d.flows.push_back({unit, flowB});
    }
    const Outcome<std::size_t> added = set.addProcess(d);
    if (!added) {
        return fail(added.error());
    }
    const ProcessResult& r = *set.processes()[*added].result;
    const AirState& out = r.outlets.back();
    Print({out.dryBulb, out.humidityRatio, out.enthalpy, out.specificVolume, out.wetBulb,
           r.loads.sensible, r.loads.latent, r.loads.total, r.loads.water});
}

} // namespace

int main() {
    return Serve({{"solve", AnswerSolve}, {"process", AnswerProcess}});
}
