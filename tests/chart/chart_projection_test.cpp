// The Mollier h–x diagram as a second projection of the same chart: every point placed through
// it reads back to the same dry bulb and humidity ratio, the enthalpy read off its skewed axis
// is the core's, its 0 °C isotherm is level, the axes' ticks read back to their values, and
// the psychrometric projection is the straight-line mapping it always was.
#include "chart/chart.h"
#include "chart/chart_mapping.h"
#include "chart/chart_navigation.h"
#include "chart/chart_projection.h"
#include "chart/overlay.h"
#include "engine/constants.h"
#include "engine/moist_air_relations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace hygrovane::chart {
namespace {

const PixelRect kPlot{40, 25, 800, 600};
constexpr Projection kBoth[] = {Projection::Psychrometric, Projection::Mollier};

void ExpectRelative(double actual, double expected, double tolerance, const char* what) {
    EXPECT_LE(std::abs(actual - expected), tolerance * std::max(1.0, std::abs(expected)))
        << what << ": " << actual << " vs " << expected;
}

TEST(Projection, NamesReadBack) {
    for (const Projection p : kBoth) {
        EXPECT_EQ(ProjectionNamed(ProjectionName(p)), p);
    }
    EXPECT_EQ(ProjectionName(Projection::Mollier), "mollier");
    EXPECT_FALSE(ProjectionNamed("mercator"));
    EXPECT_FALSE(ProjectionNamed(""));
}

// The points a chart places: the range's corners, sub-zero air, a state, a process's ends and
// a zone's corner, on ranges from the default to a hot humid and a cold one.
struct PointRow {
    const char* name;
    ChartRange range;
    ChartPoint at;
};
const ChartRange kDefault{263.15, 323.15, 0, 0.030};
const PointRow kPoints[] = {
    {"lower left corner", kDefault, {263.15, 0}},
    {"upper right corner", kDefault, {323.15, 0.030}},
    {"lower right corner", kDefault, {323.15, 0}},
    {"upper left corner (above saturation)", kDefault, {263.15, 0.030}},
    {"state 25 °C 10 g/kg", kDefault, {298.15, 0.010}},
    {"frost -5 °C 1 g/kg", kDefault, {268.15, 0.001}},
    {"exactly 0 °C", kDefault, {273.15, 0.004}},
    {"hot humid range", {303.15, 373.15, 0.02, 0.5}, {350.15, 0.3}},
    {"cold narrow range", {233.15, 234.15, 0, 0.0001}, {233.65, 0.00005}},
};

TEST(Projection, ForwardThenInverseReturnsThePoint) {
    for (const PointRow& row : kPoints) {
        for (const Projection p : kBoth) {
            SCOPED_TRACE(std::string(row.name) + " in " + std::string(ProjectionName(p)));
            const ChartPoint plane = FromPlane(p, ToPlane(p, row.at));
            ExpectRelative(plane.dryBulb, row.at.dryBulb, 1e-9, "T through the plane");
            ExpectRelative(plane.humidityRatio, row.at.humidityRatio, 1e-9, "W through the plane");
            const ChartMapping mapping(row.range, kPlot, p);
            const ChartPoint back = mapping.toChart(mapping.toPixel(row.at));
            ExpectRelative(back.dryBulb, row.at.dryBulb, 1e-9, "T through the pixels");
            ExpectRelative(back.humidityRatio, row.at.humidityRatio, 1e-9, "W through the pixels");
        }
    }
}

TEST(Projection, TheSkewedAxisReadsTheCoresEnthalpy) {
    const Chart model;
    for (const PointRow& row : kPoints) {
        if (!row.range.contains(row.at) || !(row.range == kDefault)) {
            continue;
        }
        const auto readout = model.readoutAt(row.at);
        if (!readout) {
            continue; // above saturation: the core has no state there
        }
        SCOPED_TRACE(row.name);
        // h = y + r0 W, r0 = 2501 kJ/kg: the core's relation at the point...
        const PlanePoint q = ToPlane(Projection::Mollier, row.at);
        ExpectRelative(q.y + engine::kLatentHeatAt0C * q.x,
                       engine::Enthalpy(row.at.dryBulb, row.at.humidityRatio), 1e-12,
                       "h on the axis");
        // ...and the core's state's own, at the dry bulb it keeps (a 32-bit value, within
        // 1e-5 K of the point's).
        const PlanePoint kept = ToPlane(
            Projection::Mollier, {double(readout->state.ambient.dryBulb), row.at.humidityRatio});
        ExpectRelative(kept.y + engine::kLatentHeatAt0C * kept.x, readout->state.enthalpy, 1e-12,
                       "h of the core's state");
        // And the state read back at the plotted pixel is the core's state at the point.
        const ChartMapping mapping(model.range(), kPlot, Projection::Mollier);
        const auto there = model.readoutAt(mapping.toChart(mapping.toPixel(row.at)));
        ASSERT_TRUE(there);
        ExpectRelative(there->state.enthalpy, readout->state.enthalpy, 1e-9, "h at the pixel");
        ExpectRelative(there->state.relativeHumidity, readout->state.relativeHumidity, 1e-9,
                       "RH at the pixel");
    }
}

TEST(Projection, MollierIsDrawnTheEuropeanWay) {
    const ChartMapping m(kDefault, kPlot, Projection::Mollier);
    const auto y = [&](double t, double W) { return m.toPixel({t + 273.15, W}).y; };
    const auto x = [&](double t, double W) { return m.toPixel({t + 273.15, W}).x; };
    // The humidity ratio across, whatever the dry bulb.
    EXPECT_DOUBLE_EQ(x(-10, 0), kPlot.left);
    EXPECT_DOUBLE_EQ(x(50, 0.030), kPlot.left + kPlot.width);
    EXPECT_DOUBLE_EQ(x(0, 0.015), x(40, 0.015));
    // The 0 °C isotherm level; warmer isotherms rising to the right a little (pixels: upwards
    // is a smaller y), colder ones falling.
    EXPECT_NEAR(y(0, 0), y(0, 0.030), 1e-9);
    EXPECT_LT(y(30, 0.030), y(30, 0));
    EXPECT_LT(y(30, 0) - y(30, 0.030), 0.1 * (y(0, 0) - y(30, 0)));
    EXPECT_GT(y(-10, 0.030), y(-10, 0));
    // Warmer is higher.
    EXPECT_LT(y(20, 0.01), y(10, 0.01));
    // A line of constant enthalpy falls to the right: 50 kJ/kg at W 5 and 15 g/kg.
    const double h = 50;
    const auto tAt = [&](double W) { return (h - 2501 * W) / (1.006 + 1.805 * W); };
    EXPECT_GT(y(tAt(0.015), 0.015), y(tAt(0.005), 0.005));
    // The whole range fills the plot's height: its coldest and warmest corners on the edges.
    EXPECT_NEAR(y(-10, 0.030), kPlot.top + kPlot.height, 1e-9);
    EXPECT_NEAR(y(50, 0.030), kPlot.top, 1e-9);
}

TEST(Projection, PsychrometricIsTheStraightLineMapping) {
    const ChartMapping m(kDefault, kPlot);
    EXPECT_EQ(m.projection(), Projection::Psychrometric);
    // 800 px over 60 K, 600 px over 30 g/kg.
    const PixelPoint p = m.toPixel({293.15, 0.015});
    EXPECT_DOUBLE_EQ(p.x, 40 + 30 * 800.0 / 60);
    EXPECT_DOUBLE_EQ(p.y, 25 + 300);
}

TEST(Projection, AxisTicksReadBack) {
    for (const Projection p : kBoth) {
        SCOPED_TRACE(std::string(ProjectionName(p)));
        const ChartMapping m(kDefault, kPlot, p);
        for (double t = -10; t <= 50; t += 5) {
            const PixelPoint at = DryBulbTickAt(m, t + 273.15);
            ExpectRelative(m.toChart(at).dryBulb, t + 273.15, 1e-9, "dry-bulb tick");
            // On the bottom (psychrometric) or the left edge, at x = 0 (Mollier).
            if (p == Projection::Psychrometric) {
                EXPECT_DOUBLE_EQ(at.y, kPlot.top + kPlot.height);
            } else {
                EXPECT_DOUBLE_EQ(at.x, kPlot.left);
                ExpectRelative(m.toChart(at).humidityRatio + 1, 1, 1e-9, "at x = 0");
            }
        }
        for (double W = 0; W <= 0.030; W += 0.005) {
            const PixelPoint at = HumidityRatioTickAt(m, W);
            EXPECT_NEAR(m.toChart(at).humidityRatio, W, 1e-12) << "humidity-ratio tick " << W;
        }
    }
}

// A process line and a comfort zone land where they lie on the psychrometric projection: the
// same T, W and so the same h, read back from their pixels in either projection.
TEST(Projection, ProcessesAndZonesLandOnTheSameStates) {
    const Chart model;
    std::vector<std::pair<std::string, ChartPoint>> points;
    const std::vector<ChartPoint> process{{308.15, 0.012}, {286.15, 0.0085}, {295.15, 0.0085}};
    for (const ChartPoint& p : process) {
        points.emplace_back("process", p);
    }
    ASSERT_FALSE(model.geometry().comfortZones.empty());
    for (const ChartPoint& p : model.geometry().comfortZones.front().outline) {
        points.emplace_back("winter zone", p);
    }
    for (const auto& [name, at] : points) {
        SCOPED_TRACE(name);
        const ChartMapping m(model.range(), kPlot, Projection::Mollier);
        const ChartPoint back = m.toChart(m.toPixel(at));
        ExpectRelative(back.dryBulb, at.dryBulb, 1e-9, "T");
        ExpectRelative(back.humidityRatio, at.humidityRatio, 1e-9, "W");
        const auto core = model.readoutAt(at);
        const auto shown = model.readoutAt(back);
        ASSERT_EQ(core.has_value(), shown.has_value());
        if (core) {
            ExpectRelative(shown->state.enthalpy, core->state.enthalpy, 1e-9, "h");
        }
    }
}

TEST(Projection, DirectionsFollowTheProjection) {
    const ChartMapping psy(kDefault, kPlot);
    const PixelPoint d = PixelDirection(psy, {298.15, 0.01}, 1, 0);
    EXPECT_NEAR(d.y, 0, 1e-6);
    EXPECT_GT(d.x, 0);
    // Mollier: sensible heating goes up (the isotherms are nearly level), and adding water at
    // constant enthalpy goes right and down.
    const ChartMapping mol(kDefault, kPlot, Projection::Mollier);
    const PixelPoint heat = PixelDirection(mol, {298.15, 0.01}, 1, 0);
    EXPECT_NEAR(heat.x, 0, 1e-6);
    EXPECT_LT(heat.y, 0);
    EXPECT_EQ(PixelDirection(mol, {298.15, 0.01}, 0, 0).x, 0);
}

// Percentage saturation μ = W / W_s at the dry bulb: off unless asked, then every 10 % from
// 10 to 90, each point μ times the core's saturated humidity ratio, and below the relative
// humidity of the same number (μ < φ in unsaturated air, since W_s grows faster than p_s).
TEST(PercentageSaturation, LinesAreMuTimesTheSaturatedRatio) {
    Chart model;
    const auto count = [&] {
        return std::count_if(
            model.geometry().curves.begin(), model.geometry().curves.end(),
            [](const Curve& c) { return c.family == Family::PercentageSaturation; });
    };
    EXPECT_EQ(count(), 0) << "off by default";
    const int before = model.computations();
    model.setPercentageSaturation(true);
    EXPECT_EQ(model.computations(), before + 1);
    EXPECT_EQ(count(), 9);
    for (const Curve& curve : model.geometry().curves) {
        if (curve.family != Family::PercentageSaturation) {
            continue;
        }
        SCOPED_TRACE(curve.label);
        const double mu = curve.value / 100;
        for (const ChartPoint& p : curve.pieces.front()) {
            const auto at = model.readoutAt(p);
            ASSERT_TRUE(at) << p.dryBulb;
            // W / W_s, W_s from the core's state at the point: its degree of saturation.
            const auto saturated = model.pickAt({p.dryBulb, 1.0}); // above saturation: W_s
            ASSERT_TRUE(saturated);
            EXPECT_NEAR(p.humidityRatio / saturated->humidityRatio, mu, 1e-9 + 1e-3 * mu);
            // phi = mu / (1 - (1 - mu) p_s / P), p_s / P at most 0.12 at 50 °C.
            EXPECT_LT(at->state.relativeHumidity, mu + 0.04);
            EXPECT_GT(at->state.relativeHumidity, mu - 1e-9);
        }
    }
    model.setPercentageSaturation(false);
    EXPECT_EQ(count(), 0);
}

// A box drawn on the Mollier diagram zooms to a range holding every state at its corners,
// though its isotherms slope.
TEST(Projection, ABoxOnTheMollierDiagramHoldsItsCorners) {
    const ChartMapping m(kDefault, kPlot, Projection::Mollier);
    const PixelPoint corner{200, 150};
    const PixelPoint opposite{600, 500};
    const auto box = BoxZoomed(m, corner, opposite);
    ASSERT_TRUE(box);
    for (const PixelPoint p :
         {corner, opposite, PixelPoint{corner.x, opposite.y}, PixelPoint{opposite.x, corner.y}}) {
        const ChartPoint at = m.toChart(p);
        EXPECT_LE(box->dryBulbMin, at.dryBulb + 1e-9) << p.x << "," << p.y;
        EXPECT_GE(box->dryBulbMax, at.dryBulb - 1e-9) << p.x << "," << p.y;
        EXPECT_LE(box->humidityRatioMin, at.humidityRatio + 1e-12);
        EXPECT_GE(box->humidityRatioMax, at.humidityRatio - 1e-12);
    }
}

// The fog region's isotherms: from the saturated point on, the enthalpy grows by the
// condensate's (liquid above 0 °C, ice below) per kg/kg of water, down to where they leave the
// range; none from a saturated point above the range.
TEST(Projection, FogIsothermsCarryTheCondensatesEnthalpy) {
    const struct {
        const char* name;
        double celsius, saturated, perRatio; // kJ/kg of condensate
    } rows[] = {
        {"20 °C, liquid", 20, 0.0147, 4.186 * 20},
        {"5 °C, liquid", 5, 0.0054, 4.186 * 5},
        {"-5 °C, ice", -5, 0.0025, -333.4 - 2.09 * 5},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto fog = FogIsotherm(row.celsius + 273.15, row.saturated, kDefault);
        ASSERT_TRUE(fog);
        const PlanePoint a = ToPlane(Projection::Mollier, fog->from);
        const PlanePoint b = ToPlane(Projection::Mollier, fog->to);
        EXPECT_NEAR(a.x, row.saturated, 1e-15);
        EXPECT_NEAR(fog->from.dryBulb, row.celsius + 273.15, 1e-9);
        ASSERT_GT(b.x, a.x);
        const double h = (b.y - a.y) / (b.x - a.x) + 2501; // y = h - r0 W
        EXPECT_NEAR(h, row.perRatio, 1e-6);
        const PlaneBounds bounds = BoundsOf(Projection::Mollier, kDefault);
        EXPECT_LE(b.x, kDefault.humidityRatioMax + 1e-15);
        EXPECT_GE(b.y, bounds.yMin - 1e-9);
    }
    EXPECT_FALSE(FogIsotherm(320, kDefault.humidityRatioMax + 0.001, kDefault))
        << "above the range";
}

} // namespace
} // namespace hygrovane::chart
