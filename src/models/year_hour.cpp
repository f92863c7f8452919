#include "hygrovane/relations.h"
#include "models/year_model.h"

namespace hygrovane::models {

namespace {

using namespace processes;

// The nodes differ where a component changed the air; a node equal to the one before it is the
// same point and gets no process.
bool Same(const airunit::AirNode& a, const airunit::AirNode& b) {
    return a.dryBulb == b.dryBulb && a.humidityRatio == b.humidityRatio;
}

PointConditions Given(const airunit::AirNode& node) {
    return {node.dryBulb + kCelsiusOffset, HumidityInput::HumidityRatio, node.humidityRatio};
}

struct Chain {
    SetRecords records;
    std::string prefix;
    std::string current; // the point the air is at
    bool made = false;   // whether a process made it (its flow passes on)
    double massFlow = 0;

    std::string name(const char* node) const { return prefix + " " + node; }
    void given(const char* node, const airunit::AirNode& air) {
        records.points.push_back({name(node), Given(air)});
    }
    AirFlow flow() const {
        return made ? AirFlow{FlowUnit::Upstream, 0}
                    : AirFlow{FlowUnit::KilogramsPerSecond, massFlow};
    }
    void process(ProcessKind kind, ProcessParameters parameters, const char* node) {
        ProcessRecord p;
        p.kind = kind;
        p.inlets = {current};
        p.flows = {flow()};
        p.parameters = parameters;
        p.outlets = {name(node)};
        records.points.push_back({name(node), std::nullopt});
        records.processes.push_back(std::move(p));
        current = name(node);
        made = true;
    }
    void sensible(double dryBulb, const char* node) {
        ProcessParameters p;
        p.leavingDryBulb = dryBulb + kCelsiusOffset;
        process(ProcessKind::SensibleToDryBulb, p, node);
    }
};

} // namespace

SetRecords HourRecords(const airunit::UnitHour& h, const airunit::UnitSettings& settings,
                       const std::string& prefix) {
    Chain c{{}, prefix, {}, false, h.massFlow};
    const double f = h.outdoorFraction;
    // The outdoor air and what the exchanger made of it (no process kind holds an exchanger: the
    // air after it is given).
    if (f > 0) {
        c.given("outdoor", h.outdoor);
        c.current = c.name("outdoor");
        if (!Same(h.recovered, h.outdoor)) {
            c.given("recovered", h.recovered);
            c.current = c.name("recovered");
        }
    }
    if (f < 1) {
        c.given("return", h.room);
        if (f > 0) {
            ProcessRecord mix;
            mix.kind = ProcessKind::Mixing;
            mix.inlets = {c.current, c.name("return")};
            mix.flows = {{FlowUnit::KilogramsPerSecond, h.massFlow * f},
                         {FlowUnit::KilogramsPerSecond, h.massFlow * (1 - f)}};
            mix.outlets = {c.name("mixed")};
            c.records.points.push_back({c.name("mixed"), std::nullopt});
            c.records.processes.push_back(std::move(mix));
            c.current = c.name("mixed");
            c.made = true;
        } else {
            c.current = c.name("return");
        }
    }
    if (!Same(h.heated, h.mixed)) {
        c.sensible(h.heated.dryBulb, "heated");
    }
    if (!Same(h.offCoil, h.heated)) {
        if (h.offCoil.humidityRatio == h.heated.humidityRatio) {
            c.sensible(h.offCoil.dryBulb, "off-coil");
        } else {
            ProcessParameters p;
            p.target = Given(h.offCoil);
            c.process(ProcessKind::CoilLeavingState, p, "off-coil");
        }
    }
    if (!Same(h.reheated, h.offCoil)) {
        c.sensible(h.reheated.dryBulb, "reheated");
    }
    if (!Same(h.supply, h.reheated)) {
        ProcessParameters p;
        p.humidityRatio = h.supply.humidityRatio;
        p.steamTemperature = settings.steamTemperature + kCelsiusOffset;
        c.process(ProcessKind::SteamToHumidityRatio, p, "supply");
    }
    return c.records;
}

} // namespace hygrovane::models
