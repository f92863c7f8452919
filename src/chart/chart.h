#pragma once

#include "chart/chart_geometry.h"
#include "chart/chart_range.h"
#include "chart/chart_units.h"
#include "chart/families.h"
#include "chart/room_ratio.h"
#include "hygrovane/moist_air_state.h"
#include "hygrovane/sat_formulation.h"

#include <optional>
#include <string>

namespace hygrovane::chart {

// What the curves depend on.
struct ChartSettings {
    double pressure = 101325; // Pa
    SatFormulation formulation = SatFormulation::IAPWS;
    ChartUnits units = MetricUnits();
    ChartRange range = MetricUnits().defaultRange;

    friend bool operator==(const ChartSettings&, const ChartSettings&) = default;
};

// The state of the air at a point of the chart, by the core.
struct Readout {
    ChartPoint at;
    MoistAirState state;
};

// The chart of one set of settings: its curves, computed once and kept until the settings
// change, the states at its points and the texts about them.
class Chart {
  public:
    explicit Chart(const ChartSettings& settings = {});

    const ChartSettings& settings() const { return settings_; }
    const ChartUnits& units() const { return settings_.units; }
    const ChartRange& range() const { return settings_.range; }
    // The curves are computed again only when the settings differ from the present ones.
    void setSettings(const ChartSettings& settings);
    // The families drawn; the lines of the others are left out of the geometry.
    const FamilySet& families() const { return families_; }
    void setFamilies(const FamilySet& families);
    const ChartGeometry& geometry() const { return geometry_; }
    // The lines of percentage saturation, μ = W / W_s at the dry bulb, every 10 %; off unless
    // asked for (the British practice beside the relative humidity).
    bool percentageSaturation() const { return percentageSaturation_; }
    void setPercentageSaturation(bool shown);
    // The sensible-heat-ratio protractor of the settings; none where the core finds no moist air
    // at its reference.
    const std::optional<Protractor>& protractor() const { return protractor_; }
    // How often the curves were computed, so that a view can tell when to redraw them.
    int computations() const { return computations_; }

    // The state at a point inside the range and at or below saturation; none elsewhere.
    std::optional<Readout> readoutAt(ChartPoint at) const;
    // The state a pick at a point sets: above saturation the saturated state at its dry bulb;
    // none where no moist air exists at its dry bulb.
    std::optional<ChartPoint> pickAt(ChartPoint at) const;
    // "Dry bulb 25.0 °C · W 9.88 g/kg · RH 50.0 % · ..." in the chart's units.
    std::string readoutText(const Readout& readout) const;
    // The short label of a marked state: "25.0 °C, 9.88 g/kg".
    std::string pointLabel(ChartPoint at) const;
    // "Enthalpy kJ/kg (0 °C datum)", ... for the legend, by family.
    std::string familyCaption(Family family) const;

  private:
    void compute();
    void AddPercentageSaturation(ChartGeometry& g) const;

    ChartSettings settings_;
    FamilySet families_;
    bool percentageSaturation_ = false;
    ChartGeometry geometry_;
    std::optional<Protractor> protractor_;
    int computations_ = 0;
};

} // namespace hygrovane::chart
