// Every text on the chart with the processes window's marks on it: line labels, the processes'
// labels (SHR, loads), the points' names, the state's label and the protractor's scale, placed
// by one placer so that none stands on another or leaves the plot.
#include "chart/chart.h"
#include "comfort/pmv_zone.h"
#include "comfort/strategies.h"
#include "models/process_overlay.h"
#include "qt_app.h"
#include "views/chart/chart_painter.h"
#include "views/chart/climate_painter.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <random>
#include <string>

namespace hygrovane::views {
namespace {

using processes::FlowUnit;
using processes::ProcessKind;

std::string Describe(const QRectF& box) {
    return std::to_string(box.left()) + "," + std::to_string(box.top()) + " to " +
           std::to_string(box.right()) + "," + std::to_string(box.bottom());
}

processes::PointConditions At(double celsius, double relativeHumidity) {
    return {273.15 + celsius, HumidityInput::RelativeHumidity, relativeHumidity};
}

// The guide's summer unit: outdoor and return air mixed 2000 : 6000 m³/h, a coil to a 10 °C
// apparatus dew point with a bypass factor of 0.1, reheat to 16 °C; the room's SHR 0.75 line.
chart::Overlay GuideUnit(double pressure) {
    processes::ProcessSet set;
    set.setAmbient({PressureInput::Barometric, pressure, 0, SatFormulation::IAPWS});
    const auto outdoor = set.addPoint(At(33, 0.45), "Outdoor");
    const auto room = set.addPoint(At(24, 0.50), "Return");
    if (outdoor && room) {
        processes::ProcessDefinition mixing{ProcessKind::Mixing, {*outdoor, *room}, {}, {}};
        mixing.flows = {{FlowUnit::CubicMetresPerHour, 2000}, {FlowUnit::CubicMetresPerHour, 6000}};
        if (const auto mixed = set.addProcess(mixing)) {
            processes::ProcessDefinition coil{ProcessKind::CoilApparatusDewPoint,
                                              {set.processes().back().outlets.front()},
                                              {{FlowUnit::Upstream, 0}},
                                              {}};
            coil.parameters.apparatusDewPoint = 283.15;
            coil.parameters.bypassFactor = 0.1;
            if (set.addProcess(coil)) {
                processes::ProcessDefinition reheat{ProcessKind::SensibleToDryBulb,
                                                    {set.processes().back().outlets.front()},
                                                    {{FlowUnit::Upstream, 0}},
                                                    {}};
                reheat.parameters.leavingDryBulb = 289.15;
                (void)set.addProcess(reheat);
            }
        }
    }
    chart::Overlay overlay = models::ProcessOverlay(set);
    if (room) {
        models::AddRoomRatioLines(overlay, set, {{*room, 0.75}});
    }
    return overlay;
}

// A random set inside a range: points anywhere from dry to near saturation, long and short
// names, mixings and heatings between them, and room ratio lines of any SHR.
chart::Overlay RandomSet(std::mt19937& random, double pressure, const chart::ChartRange& range) {
    processes::ProcessSet set;
    set.setAmbient({PressureInput::Barometric, pressure, 0, SatFormulation::IAPWS});
    std::uniform_real_distribution<double> dryBulb(range.dryBulbMin, range.dryBulbMax);
    std::uniform_real_distribution<double> humidity(0.05, 0.95);
    std::uniform_int_distribution<int> count(2, 6);
    const char* names[] = {"Outdoor", "Return", "Room supply", "ADP / 10",
                           "Supply",  "P",      "Mixed air",   "Off coil"};
    std::vector<processes::PointId> points;
    const int n = count(random);
    for (int i = 0; i < n; ++i) {
        const auto id =
            set.addPoint({dryBulb(random), HumidityInput::RelativeHumidity, humidity(random)},
                         std::string(names[i]) + (i % 2 == 0 ? "" : " " + std::to_string(i)));
        if (id) {
            points.push_back(*id);
        }
    }
    std::vector<models::RoomRatioLineOf> lines;
    for (std::size_t i = 0; i + 1 < points.size(); i += 2) {
        processes::ProcessDefinition mixing{
            ProcessKind::Mixing, {points[i], points[i + 1]}, {}, {}};
        mixing.flows = {{FlowUnit::CubicMetresPerHour, 1000.0 + 500 * static_cast<double>(i)},
                        {FlowUnit::CubicMetresPerHour, 3000}};
        (void)set.addProcess(mixing);
        processes::ProcessDefinition heating{ProcessKind::SensibleToDryBulb, {points[i]}, {}, {}};
        heating.flows = {{FlowUnit::CubicMetresPerHour, 2000}};
        heating.parameters.leavingDryBulb = dryBulb(random);
        (void)set.addProcess(heating);
        lines.push_back({points[i + 1], 0.5 + 0.05 * static_cast<double>(i)});
    }
    chart::Overlay overlay = models::ProcessOverlay(set);
    models::AddRoomRatioLines(overlay, set, lines);
    return overlay;
}

// A climate overlay's zones at a pressure, as the climate window gives them: the PMV comfort
// zone and the strategies' zones, overlapping one another, each named with its share of hours,
// and the colour legend of the hours.
chart::Overlay ClimateZones(double pressure) {
    chart::Overlay overlay;
    overlay.scale.title = "Hours per bin";
    overlay.scale.legend = true;
    const comfort::PlaneAir air{pressure, SatFormulation::IAPWS};
    const auto add = [&](const std::string& name,
                         const comfort::ComfortResult<comfort::Polygon>& outline) {
        if (!outline || outline->size() < 3) {
            return;
        }
        chart::OverlayZone zone;
        zone.name = name;
        zone.share = std::to_string(10 + 7 * overlay.zones.size()) + ".5 %";
        zone.colour = {200, 30, 40};
        for (const ChartPoint p : *outline) {
            zone.outline.push_back(p);
        }
        overlay.zones.push_back(std::move(zone));
    };
    comfort::PmvZoneParameters pmv;
    pmv.air = air;
    add("PMV comfort (ISO 7730)", comfort::SolvePmvZone(pmv));
    for (const auto strategy :
         {comfort::Strategy::EvaporativeCooling, comfort::Strategy::ElevatedAirSpeed,
          comfort::Strategy::ThermalMass, comfort::Strategy::InternalGains,
          comfort::Strategy::Dehumidification, comfort::Strategy::Humidification}) {
        if (const auto zone = comfort::StrategyZoneOf(strategy)) {
            add(zone->name, comfort::StrategyOutline(*zone, air));
        }
    }
    return overlay;
}

// Whether a label's box is where the chart allows it: inside the plot, or an enthalpy label
// wholly above it; the rounding of the text's metrics allowed for.
bool Allowed(const QRectF& box, const ChartLayout& layout, bool enthalpy) {
    if (enthalpy && box.bottom() <= layout.plot.top() + 0.5) {
        return layout.target.contains(box);
    }
    return layout.plot.adjusted(-0.5, -0.5, 0.5, 0.5).contains(box);
}

// The guide's unit and twenty random sets, SI and IP, at 5, 80, 101.325 and 1000 kPa, on the
// psychrometric chart and the h-x diagram, at a window's size, full HD and an A4 page, every
// third set under a climate overlay's comfort zones: every process label, point name and zone
// name on the plot is written once, reads back as its overlay's text and stands inside the
// plot; no two texts of the chart touch (line labels, the overlays' labels, the zones' names,
// the state's label, the protractor's labels and caption).
TEST(ChartLabels, ProcessLabelsAndPointNamesStandApartFromEveryOtherText) {
    testing::qtApp();
    std::mt19937 random(28);
    int scenes = 0;
    int unplaced = 0;
    std::size_t overlayLabels = 0;
    std::size_t zoneLabels = 0;
    for (const double pressure : {5000.0, 80000.0, 101325.0, 1000000.0}) {
        const chart::Overlay zones = ClimateZones(pressure);
        for (const bool british : {false, true}) {
            const chart::ChartUnits units = british ? chart::BritishUnits() : chart::MetricUnits();
            const chart::ChartRange range = chart::DefaultRangeAt(units.defaultRange, pressure);
            const chart::Chart model({pressure, SatFormulation::IAPWS, units, range});
            std::vector<chart::Overlay> sets{GuideUnit(pressure)};
            for (int i = 0; i < 20; ++i) {
                sets.push_back(RandomSet(random, pressure, range));
            }
            for (std::size_t s = 0; s < sets.size(); ++s) {
                for (const auto projection :
                     {chart::Projection::Psychrometric, chart::Projection::Mollier}) {
                    for (const QSize size :
                         {QSize(1000, 650), QSize(1920, 1080), QSize(3508, 2480)}) {
                        const std::string name =
                            std::to_string(pressure / 1000) + " kPa " + (british ? "IP" : "SI") +
                            (projection == chart::Projection::Mollier ? " h-x" : " T-W") + " set " +
                            std::to_string(s) + " at " + std::to_string(size.width());
                        SCOPED_TRACE(name);
                        ChartScene scene;
                        scene.model = &model;
                        scene.projection = projection;
                        scene.protractor = s % 2 == 0;
                        scene.overlays = {&sets[s]};
                        const bool climate = s % 3 == 0;
                        if (climate) {
                            scene.overlays.push_back(&zones);
                        }
                        const chart::Overlay& overlay = sets[s];
                        if (!overlay.points.empty()) {
                            scene.statePoint = overlay.points.front().at;
                        }
                        const ChartLayout layout =
                            LayoutChart(QRectF(QPointF(0, 0), QSizeF(size)), projection);
                        ++scenes;
                        struct Text {
                            std::string text;
                            QRectF box;
                            bool enthalpy;
                        };
                        std::vector<Text> texts;
                        const std::vector<CurveLabel> curves = CurveLabels(layout, scene);
                        for (const CurveLabel& label : curves) {
                            texts.push_back({label.text.toStdString(), label.box,
                                             label.curve->family == chart::Family::Enthalpy});
                        }
                        std::vector<std::string> wanted;
                        for (const chart::OverlayPoint& point : overlay.points) {
                            if (!point.label.empty()) {
                                wanted.push_back(point.label);
                            }
                        }
                        for (const chart::OverlayPath& path : overlay.paths) {
                            if (!path.label.empty() && path.points.size() >= 2) {
                                wanted.push_back(path.label);
                            }
                        }
                        std::vector<std::string> written;
                        for (const PlacedText& label : OverlayLabels(layout, scene, curves)) {
                            written.push_back(label.text.toStdString());
                            unplaced += label.placed ? 0 : 1;
                            EXPECT_TRUE(label.placed) << label.text.toStdString();
                            texts.push_back({label.text.toStdString(), label.box, false});
                        }
                        overlayLabels += written.size();
                        std::sort(wanted.begin(), wanted.end());
                        std::sort(written.begin(), written.end());
                        EXPECT_EQ(written, wanted);
                        // Every zone with a part on the plot is named, its share below its name.
                        std::vector<std::string> zonesWanted;
                        const chart::ChartMapping mapping = MappingOf(layout, range);
                        for (const chart::OverlayZone& zone : zones.zones) {
                            QPolygonF outline;
                            for (const chart::ChartPoint p : zone.outline) {
                                const chart::PixelPoint q = mapping.toPixel(p);
                                outline.append(QPointF(q.x, q.y));
                            }
                            if (climate && outline.boundingRect().intersects(layout.plot)) {
                                zonesWanted.push_back(zone.name + "\n" + zone.share);
                            }
                        }
                        std::vector<std::string> zonesWritten;
                        for (const PlacedText& label : ZoneLabels(layout, scene)) {
                            zonesWritten.push_back(label.text.toStdString());
                            unplaced += label.placed ? 0 : 1;
                            EXPECT_TRUE(label.placed) << label.text.toStdString();
                            EXPECT_FALSE(label.box.intersects(LegendBox(layout, zones.scale)))
                                << label.text.toStdString() << " on the legend";
                            texts.push_back({label.text.toStdString(), label.box, false});
                        }
                        zoneLabels += zonesWritten.size();
                        std::sort(zonesWanted.begin(), zonesWanted.end());
                        std::sort(zonesWritten.begin(), zonesWritten.end());
                        EXPECT_EQ(zonesWritten, zonesWanted);
                        for (const PlacedText& label : ProtractorLabels(layout, scene)) {
                            texts.push_back({label.text.toStdString(), label.box, false});
                        }
                        if (const auto box = StateLabelBox(layout, scene)) {
                            texts.push_back({"state", *box, false});
                        }
                        for (std::size_t i = 0; i < texts.size(); ++i) {
                            EXPECT_TRUE(Allowed(texts[i].box, layout, texts[i].enthalpy))
                                << texts[i].text << " at " << Describe(texts[i].box);
                            for (std::size_t j = 0; j < i; ++j) {
                                EXPECT_FALSE(texts[i].box.intersects(texts[j].box))
                                    << texts[i].text << " on " << texts[j].text << " at "
                                    << Describe(texts[i].box);
                            }
                        }
                        if (HasFailure()) {
                            return; // one scene's failures tell enough
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(scenes, 4 * 2 * 21 * 2 * 3);
    EXPECT_EQ(unplaced, 0);
    EXPECT_GT(overlayLabels, 5000U) << "the sets have states and processes to name";
    EXPECT_GT(zoneLabels, 1000U) << "the zones lie on the chart to be named";
}

// The protractor writes every SHR from -2.0 to 1.0 and every Δh/ΔW, apart along its arc, at
// each size and on both diagrams, each reading back its mark's value; the labels of 0.5 to 1.0
// crowd near the baseline and are the ones used every day; the negative ones stand up and to
// the left of 0.0 on the psychrometric chart, where a room gaining latent heat and losing
// sensible heat points.
TEST(ChartLabels, TheProtractorShowsEveryLabelApartAlongItsArc) {
    testing::qtApp();
    for (const bool british : {false, true}) {
        const chart::ChartUnits units = british ? chart::BritishUnits() : chart::MetricUnits();
        const chart::Chart model({101325, SatFormulation::IAPWS, units, units.defaultRange});
        ASSERT_TRUE(model.protractor());
        for (const auto projection :
             {chart::Projection::Psychrometric, chart::Projection::Mollier}) {
            for (const QSize size : {QSize(1000, 650), QSize(1920, 1080), QSize(3508, 2480)}) {
                SCOPED_TRACE(std::string(british ? "IP" : "SI") +
                             (projection == chart::Projection::Mollier ? " h-x at " : " T-W at ") +
                             std::to_string(size.width()));
                ChartScene scene;
                scene.model = &model;
                scene.projection = projection;
                scene.protractor = true;
                const ChartLayout layout =
                    LayoutChart(QRectF(QPointF(0, 0), QSizeF(size)), projection);
                const std::vector<PlacedText> labels = ProtractorLabels(layout, scene);
                std::vector<std::string> texts;
                for (const PlacedText& label : labels) {
                    texts.push_back(label.text.toStdString());
                    EXPECT_TRUE(layout.plot.contains(label.box))
                        << label.text.toStdString() << " at " << Describe(label.box);
                }
                for (const char* shr : {"0.5", "0.6", "0.7", "0.8", "0.9", "1.0", "0.0", "-0.1",
                                        "-0.2", "-0.3", "-0.5", "-1.0", "-2.0"}) {
                    EXPECT_EQ(std::count(texts.begin(), texts.end(), shr), 1) << shr;
                }
                const auto at = [&](const std::string& text) {
                    return std::find_if(labels.begin(), labels.end(), [&](const PlacedText& l) {
                        return l.text.toStdString() == text;
                    });
                };
                for (const chart::ProtractorMark& mark : model.protractor()->marks) {
                    const auto label = at(mark.text);
                    ASSERT_NE(label, labels.end()) << mark.text;
                    double value = 0;
                    const std::string& t = mark.text;
                    const auto read = std::from_chars(t.data(), t.data() + t.size(), value);
                    if (std::isfinite(mark.value)) {
                        EXPECT_EQ(read.ptr, t.data() + t.size()) << t;
                        EXPECT_NEAR(value, mark.value, 1e-9) << t;
                    }
                    if (!mark.outer && mark.value < 0 &&
                        projection == chart::Projection::Psychrometric) {
                        const QPointF zero = at("0.0")->anchor;
                        EXPECT_LT(label->anchor.x(), zero.x()) << t << ": left of 0.0";
                        EXPECT_LT(label->box.center().x(), at("0.0")->box.center().x()) << t;
                    }
                }
                EXPECT_EQ(labels.size(), model.protractor()->marks.size() + 2)
                    << "every mark and the caption's two lines";
                for (std::size_t i = 0; i < labels.size(); ++i) {
                    for (std::size_t j = 0; j < i; ++j) {
                        EXPECT_FALSE(labels[i].box.intersects(labels[j].box))
                            << labels[i].text.toStdString() << " on "
                            << labels[j].text.toStdString();
                    }
                }
            }
        }
    }
}

// On an A4 page at 150 dpi the minor grid between the labelled lines still reads: along the
// 21 °C line, low on the chart where few other lines cross it, the pixels are visibly grey.
TEST(ChartPrint, TheMinorGridReadsOnAPageAt150Dpi) {
    testing::qtApp();
    const chart::Chart model;
    ChartScene scene;
    scene.model = &model;
    QImage page(1754, 1240, QImage::Format_RGB32);
    QPainter painter(&page);
    PaintChart(painter, QRectF(page.rect()), scene);
    painter.end();
    const ChartLayout layout = LayoutChart(QRectF(page.rect()));
    const chart::ChartMapping mapping = MappingOf(layout, model.range());
    const chart::PixelPoint low = mapping.toPixel({294.15, 0.0005});
    const chart::PixelPoint high = mapping.toPixel({294.15, 0.004});
    int rows = 0;
    int grey = 0;
    for (int y = static_cast<int>(high.y); y <= static_cast<int>(low.y); ++y) {
        ++rows;
        int darkest = 255;
        for (int dx = -1; dx <= 1; ++dx) {
            darkest = std::min(darkest, qGray(page.pixel(static_cast<int>(low.x) + dx, y)));
        }
        grey += darkest <= 225 ? 1 : 0;
    }
    ASSERT_GT(rows, 50);
    EXPECT_GT(grey, rows * 9 / 10) << grey << " of " << rows << " rows";
}

} // namespace
} // namespace hygrovane::views
