#pragma once

#include "chart/chart_range.h"
#include "chart/chart_units.h"
#include "hygrovane/sat_formulation.h"

#include <string>
#include <vector>

namespace hygrovane::chart {

// The families of lines, in the order they are drawn.
enum class Family {
    DryBulbGrid,       // vertical, from the bottom up to saturation
    HumidityRatioGrid, // horizontal, from saturation to the right
    SpecificVolume,
    Enthalpy,
    WetBulb,
    RelativeHumidity,
    Saturation,
    PercentageSaturation, // W / W_s at the dry bulb (British practice); drawn only when asked
};

// A polyline in chart coordinates, inside the range.
using Polyline = std::vector<ChartPoint>;

// One line of the chart: its value in shown units (relative humidity in %), the text of its
// value, the pieces of it that lie inside the range (usually one; none when it misses), and
// whether it is one of the family's labelled lines (drawn stronger; the minor steps between
// them are drawn thinner and lighter and carry no label).
struct Curve {
    Family family = Family::Saturation;
    double value = 0;
    std::string label;
    std::vector<Polyline> pieces;
    bool labelled = true;
};

// A filled region bounded by two dry-bulb lines and two relative-humidity curves, clipped to
// the range (empty when it lies outside).
struct Zone {
    std::string name;
    Polyline outline;
};

// A value on an axis: where it lies (internal units) and its text.
struct Tick {
    double at = 0;
    std::string label;
};

// A mark of the saturation-temperature (dew-point) scale along the saturation curve: the
// saturated state at a wet-bulb line's value, where that line starts.
struct ScaleMark {
    ChartPoint at;
    double slope = 0;      // of the saturation curve there, dW_s/dT (kg/kg per K)
    bool labelled = false; // a labelled wet-bulb line starts here; its label is the scale's
};

// Everything drawn from the core for one pressure, formulation, set of units and range.
struct ChartGeometry {
    std::vector<Curve> curves;            // in drawing order
    std::vector<Tick> dryBulbTicks;       // the labelled lines of the grid
    std::vector<Tick> humidityRatioTicks; // likewise
    std::vector<Zone> comfortZones;       // winter, summer
    std::vector<ScaleMark> saturationScale;

    // The curve of a family with the value; nullptr when the chart has none.
    const Curve* find(Family family, double value) const;
};

// Samples across the dry-bulb range for the curves; wet-bulb, enthalpy and volume lines use the
// same dry bulbs.
inline constexpr int kDryBulbIntervals = 120;

// Computes every line by the core at the pressure (Pa) and formulation. Dry bulbs at which the
// core finds no moist air (the saturation pressure reaching the pressure) end the curves there.
ChartGeometry ComputeGeometry(double pressure, SatFormulation formulation, const ChartUnits& units,
                              const ChartRange& range);

// The pieces of a polyline inside the range (Liang-Barsky on each segment).
std::vector<Polyline> ClipPolyline(const Polyline& line, const ChartRange& range);
// A closed polygon cut to the range (Sutherland-Hodgman); empty when nothing of it is inside.
Polyline ClipPolygon(const Polyline& polygon, const ChartRange& range);

} // namespace hygrovane::chart
