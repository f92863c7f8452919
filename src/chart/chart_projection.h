#pragma once

#include "chart/chart_range.h"

#include <optional>
#include <string_view>

namespace hygrovane::chart {

// How the chart lays its states out on the plane. The psychrometric chart puts the dry bulb
// across and the humidity ratio up; the Mollier h–x diagram the humidity ratio across and the
// enthalpy up on an axis skewed so that the 0 °C isotherm is level in the unsaturated region.
enum class Projection { Psychrometric, Mollier };

// Its name as the settings keep it ("psychrometric", "mollier") and back; none for an unknown
// name.
std::string_view ProjectionName(Projection projection);
std::optional<Projection> ProjectionNamed(std::string_view name);

// A point of the plane before it is scaled to pixels. Psychrometric: x = T (K), y = W (kg/kg).
// Mollier: x = W (kg/kg), y = h − r0·W (kJ/kg), with h the core's enthalpy (0 °C datum) and r0
// the latent heat at 0 °C (2501 kJ/kg), so that along the 0 °C isotherm y = 0 and the lines of
// constant enthalpy fall to the right with slope −r0.
struct PlanePoint {
    double x = 0;
    double y = 0;
};

PlanePoint ToPlane(Projection projection, ChartPoint p);
// The inverse of ToPlane: T from h = y + r0·W by the enthalpy's own relation,
// h = cpa·t + W·(r0 + cpv·t), t in °C.
ChartPoint FromPlane(Projection projection, PlanePoint p);

// The rectangle of the plane that holds the whole range: for the Mollier diagram the range's
// four corners bound it, since y rises with T at every W ≥ 0 and is linear in W at each T.
struct PlaneBounds {
    double xMin = 0;
    double xMax = 1;
    double yMin = 0;
    double yMax = 1;
};
PlaneBounds BoundsOf(Projection projection, const ChartRange& range);

// An isotherm of the Mollier diagram's fog region: from its saturated point (dry bulb K,
// saturated humidity ratio kg/kg) on to the range's highest humidity ratio, the water beyond
// saturation held as liquid (ice below 0 °C), so that h grows by h_w(t) = 4.186 t kJ/kg (ice:
// −333.4 + 2.09 t) per kg/kg and the line runs nearly along the enthalpy lines. Its two ends as
// chart points whose plane points (ToPlane) lie on it, cut where it leaves the range's plane;
// none where the saturated point lies outside the range's humidity ratios.
struct FogLine {
    ChartPoint from, to;
};
std::optional<FogLine> FogIsotherm(double dryBulb, double saturatedRatio, const ChartRange& range);

} // namespace hygrovane::chart
