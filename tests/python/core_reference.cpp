// The core's own answers, for the Python tests to compare the module with bit for bit. Reads
// one request per line and prints one answer per line, numbers as C hex floats (%a):
//   solve T humidity input pressureInput pressure formulation
//     -> ok <the state's doubles in the order below> | fail <Describe's sentence>
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

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

using namespace hygrovane;

namespace {

double Number(std::istream& in) {
    std::string text;
    in >> text;
    return std::strtod(text.c_str(), nullptr);
}

HumidityInput Input(std::istream& in) {
    return kHumidityInputs[static_cast<std::size_t>(Number(in))];
}

void Print(const std::vector<double>& values) {
    std::printf("ok");
    for (double v : values) {
        std::printf(" %a", v);
    }
    std::printf("\n");
}

void Solve(std::istream& in) {
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
        std::printf("fail %s\n", Describe(r.failure()).c_str());
        return;
    }
    const MoistAirState& s = *r;
    Print({s.ambient.dryBulb,
           s.ambient.pressure,
           s.ambient.altitude,
           s.humidityRatio,
           s.relativeHumidity,
           s.dewPoint.value_or(NAN),
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
           s.saturation.dryAirWetBulb});
}

void Process(std::istream& in) {
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
    const auto fail = [](const ProcessFailure& f) { std::printf("fail %s\n", f.message.c_str()); };
    const Outcome<PointId> first = set.addPoint(a);
    if (!first) {
        return fail(first.failure());
    }
    ProcessDefinition d{kind, {*first}, {{unit, flowA}}, p};
    if (InfoOf(kind).inlets == 2) {
        const Outcome<PointId> second = set.addPoint(b);
        if (!second) {
            return fail(second.failure());
        }
        d.inlets.push_back(*second);
        d.flows.push_back({unit, flowB});
    }
    const Outcome<std::size_t> added = set.addProcess(d);
    if (!added) {
        return fail(added.failure());
    }
    const ProcessResult& r = *set.processes()[*added].result;
    const AirState& out = r.outlets.back();
    Print({out.dryBulb, out.humidityRatio, out.enthalpy, out.specificVolume, out.wetBulb,
           r.loads.sensible, r.loads.latent, r.loads.total, r.loads.water});
}

} // namespace

int main() {
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command;
        in >> command;
        if (command == "solve") {
            Solve(in);
        } else if (command == "process") {
            Process(in);
        } else {
            std::printf("fail unknown command\n");
        }
    }
    return 0;
}
