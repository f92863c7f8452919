#pragma once

// An envelope's outline on the chart of one pressure, traced from its edges: the same predicates
// that judge the readings, so that the hours drawn inside the outline are the hours counted
// inside (to within the tracing's step, a few 1e-8 kg/kg on a curved edge).

#include "envelopes/envelope.h"
#include "hygrovane/chart_point.h"

#include <vector>

namespace hygrovane::envelopes {

// Where an envelope without an edge of its own stops on the chart.
struct OutlineBounds {
    double lowestDryBulb = 263.15;       // K
    double highestDryBulb = 323.15;      // K
    double highestHumidityRatio = 0.030; // kg/kg; saturation cuts the outline below it anyway
};

// Closed polygons (the last corner joins the first) of (dry bulb K, humidity ratio kg/kg), one
// per stretch of dry bulbs where the envelope holds air below saturation; none for an envelope
// that holds none inside the bounds. The humidity edges are followed in steps of 0.05 K, each
// corner where one edge takes over from another solved to 1e-9 K. A PMV zone's outline is the
// comfort library's (SolvePmvZone), whatever the bounds; a collection class judged on its series
// has none.
std::vector<Polyline> TraceOutline(const Envelope& envelope, double pressure,
                                   const OutlineBounds& bounds = {},
                                   SatFormulation formulation = SatFormulation::IAPWS);

} // namespace hygrovane::envelopes
