// The key of marks told apart by colour (a unit's nodes): below the climate legend's place, inside
// the plot, and every point's and path's label kept clear of it.
#include "chart/chart.h"
#include "qt_app.h"
#include "views/chart/chart_painter.h"
#include "views/chart/climate_painter.h"

#include <gtest/gtest.h>

namespace hygrovane::views {
namespace {

TEST(ChartKey, StandsBelowTheLegendAndLabelsKeepClearOfIt) {
    testing::qtApp();
    const chart::ChartUnits units = chart::MetricUnits();
    const chart::ChartRange range = chart::DefaultRangeAt(units.defaultRange, 101325);
    const chart::Chart model({101325, SatFormulation::IAPWS, units, range});
    chart::Overlay legend;
    legend.scale.title = "Hours per bin";
    legend.scale.legend = true;
    chart::Overlay marks;
    marks.keyTitle = "Unit 1, 8760 h";
    for (const char* name : {"outdoor", "after recovery", "mixed", "off-coil", "supply"}) {
        marks.key.push_back({name, {10, 20, 30}});
    }
    EXPECT_FALSE(KeyBox(LayoutChart(QRectF(0, 0, 1000, 650)), legend).has_value());
    for (const QSize size : {QSize(1000, 650), QSize(3508, 2480)}) {
        SCOPED_TRACE(size.width());
        const ChartLayout layout = LayoutChart(QRectF(QPointF(0, 0), QSizeF(size)));
        const auto key = KeyBox(layout, marks);
        ASSERT_TRUE(key.has_value());
        EXPECT_TRUE(layout.plot.contains(*key));
        EXPECT_FALSE(key->intersects(LegendBox(layout, legend.scale)));
        // Points with long names, and a path, right where the key stands.
        chart::Overlay crowded = marks;
        const chart::ChartMapping mapping = MappingOf(layout, range);
        for (int i = 0; i < 6; ++i) {
            const QPointF at = key->topLeft() + QPointF(key->width() * (0.2 + 0.12 * i),
                                                        key->height() * (0.1 + 0.15 * i));
            crowded.points.push_back({mapping.toChart({at.x(), at.y()}),
                                      "a point named at length " + std::to_string(i)});
        }
        crowded.paths.push_back(
            {{crowded.points.front().at, crowded.points.back().at}, "cooling 91.2 kW", true});
        ChartScene scene;
        scene.model = &model;
        scene.overlays = {&legend, &crowded};
        const auto labels = OverlayLabels(layout, scene, CurveLabels(layout, scene));
        ASSERT_EQ(labels.size(), 7U);
        for (const PlacedText& label : labels) {
            EXPECT_FALSE(label.box.intersects(*key)) << label.text.toStdString();
        }
    }
}

} // namespace
} // namespace hygrovane::views
