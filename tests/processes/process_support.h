#pragma once

#include "processes/compute.h"
#include "processes/flows.h"
#include "processes/process_set.h"

#include <gtest/gtest.h>

#include <vector>

namespace hygrovane::processes::testing {

// The textbook's formulation; every worked example is at sea level.
inline ProcessAmbient SeaLevel() {
    ProcessAmbient ambient;
    ambient.formulation = SatFormulation::HylandWexler;
    return ambient;
}
inline AirModel Air() {
    return *AirModel::Of(SeaLevel());
}

inline double C(double celsius) {
    return celsius + 273.15;
}
inline double F(double fahrenheit) {
    return (fahrenheit + 459.67) * 5 / 9;
}
inline PointConditions RH(double T, double phi) {
    return {T, HumidityInput::RelativeHumidity, phi};
}
inline PointConditions WR(double T, double W) {
    return {T, HumidityInput::HumidityRatio, W};
}

inline AirFlow M3s(double value) {
    return {FlowUnit::CubicMetresPerSecond, value};
}
inline AirFlow Cfm(double value) {
    return {FlowUnit::CubicFeetPerMinute, value};
}

// A process from given entering conditions and flows, computed directly.
inline Outcome<ProcessResult> Compute(ProcessKind kind, const std::vector<PointConditions>& inlets,
                                      const std::vector<AirFlow>& flows,
                                      const ProcessParameters& parameters) {
    const AirModel air = Air();
    std::vector<AirState> states;
    std::vector<double> dryAir;
    for (std::size_t i = 0; i < inlets.size(); ++i) {
        states.push_back(*air.Given(inlets[i]));
        dryAir.push_back(*DryAirFlow(flows[i], states.back(), std::nullopt));
    }
    return ComputeProcess(air, kind, parameters, states, dryAir);
}

} // namespace hygrovane::processes::testing
