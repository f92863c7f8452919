#pragma once

#include "chart/chart_geometry.h"
#include "chart/overlay.h"
#include "hygrovane/expected.h"
#include "hygrovane/moist_air_state.h"
#include "hygrovane/sat_formulation.h"

#include <string>
#include <vector>

namespace hygrovane::chart {

// Room ratio lines and the sensible-heat-ratio protractor, by the core.
//
// The sensible heat ratio of the change from a room state (T0, W0) to a state (T, W) is the
// part of the enthalpy change at the room's humidity ratio (ASHRAE's convention):
//     SHR = [h(T, W0) - h(T0, W0)] / [h(T, W) - h(T0, W0)].
// At a dry bulb h is a straight line in W, h(T, W) = h(T, 0) + W h_g(T) with
// h_g(T) = [h(T, W_s) - h(T, 0)] / W_s, so the room ratio line of a SHR holds at each dry bulb
//     W = W0 + [h(T, W0) - h(T0, W0)] (1 / SHR - 1) / h_g(T).

// Why there is no supply state on the line.
struct RoomRatioFailure {
    enum class Kind {
        RatioOutsideLimits, // a SHR not above 0 and at most 1, or not a number
        RatioTooSmall,      // a SHR above 0 but below kSmallestRatio
        NoMoistAir,         // the core finds no moist air at a dry bulb (or the room's)
        AboveSaturation,    // the supply would be fog: above the saturation curve
        BelowDryAir,        // the supply would need a negative humidity ratio
    };
    Kind kind = Kind::NoMoistAir;
    double value = 0; // the SHR, or the dry bulb (K) where it failed

    // One sentence for a message box.
    std::string describe() const;
};

// The smallest SHR a line is drawn for. Below it the load is all but wholly latent: the line
// runs straight up, its humidity ratios grow as 1 / SHR, and at the smallest doubles (5E-324)
// 1 / SHR is no number at all.
inline constexpr double kSmallestRatio = 0.001;

template <typename T> using RoomRatioResult = Expected<T, RoomRatioFailure>;

// The point of the room ratio line of shr through room at a dry bulb (K).
RoomRatioResult<ChartPoint> RoomRatioPointAt(double pressure, SatFormulation formulation,
                                             ChartPoint room, double shr, double dryBulb);

// The line from room towards lower dry bulbs (where supply air for cooling lies), sampled every
// kelvin-sized step, to where it leaves the range or meets the saturation curve; cut to the
// range. Empty when the ratio is outside its limits or the room is not moist air.
Polyline RoomRatioLine(double pressure, SatFormulation formulation, ChartPoint room, double shr,
                       const ChartRange& range);

// The room ratio line as a path another window draws on the chart through its overlay: dashed
// (a construction line), labelled "SHR 0.75" at its middle; no points when there is no line.
OverlayPath RoomRatioPath(double pressure, SatFormulation formulation, ChartPoint room, double shr,
                          const ChartRange& range);

// The supply-air state on the room ratio line at a supply dry bulb (K), or at a temperature
// difference below the room's (K): what the processes window asks for a room load.
RoomRatioResult<MoistAirState> SupplyAtDryBulb(double pressure, SatFormulation formulation,
                                               ChartPoint room, double shr, double supplyDryBulb);
RoomRatioResult<MoistAirState> SupplyAtDifference(double pressure, SatFormulation formulation,
                                                  ChartPoint room, double shr,
                                                  double temperatureDifference);

// One mark of the protractor: a direction on the chart (dry bulb K, humidity ratio kg/kg, any
// length) and its text. The inner scale is the SHR; the outer one the ratio of the enthalpy
// change to the humidity-ratio change, Δh/ΔW, in the chart's enthalpy unit per mass unit of
// water per mass unit of dry air (kJ/kg per kg/kg, Btu/lb per lb/lb).
struct ProtractorMark {
    double dryBulb = 0;
    double humidityRatio = 0;
    std::string text;
    bool outer = false; // Δh/ΔW rather than SHR
    double value = 0;   // the SHR, or Δh/ΔW in shown units
};

// The directions of both scales at a reference state (24 °C and 50 %, at the pressure): SHR
// 0, 0.1, ..., 1 up and to the right, -0.1 to -2 up and to the left; Δh/ΔW from -5000 to 10 000
// kJ/kg (-2000 to 5000 Btu/lb) over the upper half. The change of h with T and with W there is the
// core's.
struct Protractor {
    ChartPoint reference;
    double latentSlope = 0;   // h_g, kJ/kg per kg/kg
    double sensibleSlope = 0; // ∂h/∂T at the reference's W, kJ/(kg K)
    std::vector<ProtractorMark> marks;
};
// None when the core finds no moist air at the reference (a pressure below its saturation).
std::optional<Protractor> ProtractorOf(double pressure, SatFormulation formulation,
                                       const ChartUnits& units);

} // namespace hygrovane::chart
