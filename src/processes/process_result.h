#pragma once

#include "hygrovane/chart_point.h"
#include "processes/air_model.h"

#include <optional>
#include <vector>

namespace hygrovane::processes {

using hygrovane::ChartPoint;
using hygrovane::Polyline;

// What the air gains (negative: loses) in one stage of a process, at its dry-air flow.
// total = dryAirFlow (h2 - h1) = sensible + latent, with
// sensible = dryAirFlow (1.006 + 1.805 W1) (t2 - t1) and latent the rest,
// = dryAirFlow (2501 + 1.805 t2) (W2 - W1);
// equipmentHeat = total - water x waterEnthalpy, the heat of a heater (negative: of a coil).
struct Loads {
    double dryAirFlow = 0;                   // kg/s
    double sensible = 0;                     // kW
    double latent = 0;                       // kW
    double total = 0;                        // kW
    std::optional<double> sensibleHeatRatio; // sensible / total; none when total is 0
    double water = 0;                        // kg/s added; negative when removed
    double waterEnthalpy = 0;                // kJ/kg of the water added or removed
    double equipmentHeat = 0;                // kW
    double enthalpyDifference = 0;           // h2 - h1, kJ/kg dry air
    double humidityRatioDifference = 0;      // W2 - W1, kg/kg
};

struct Stage {
    AirState entering;
    AirState leaving;
    Loads loads;
};

// The stage's loads; the water added or removed has the enthalpy waterEnthalpy (kJ/kg).
Stage MakeStage(const AirState& entering, const AirState& leaving, double dryAirFlow,
                double waterEnthalpy);
// The loads of stages in series (one dry-air flow through all of them).
Loads SeriesLoads(const std::vector<Stage>& stages);

struct ProcessResult {
    std::vector<AirState> outlets; // a chain's intermediate state first
    // One per stage in series; for mixing one per stream, each into the mixture (so the two
    // totals and water flows cancel: the balances).
    std::vector<Stage> stages;
    Loads loads; // mixing: adiabatic, every heat and water flow 0, at the mixed dry-air flow
    // The real path of the air, drawn solid: straight where it is straight on the T-W plane,
    // sampled where it bows. Mixing: from each stream to the mixture.
    std::vector<Polyline> paths;
    // A coil: from its leaving state on to the apparatus dew point, drawn dashed.
    Polyline guide;
    std::optional<AirState> apparatusDewPoint;
    std::optional<double> bypassFactor;
};

} // namespace hygrovane::processes
