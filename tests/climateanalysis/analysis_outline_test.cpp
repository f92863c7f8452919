// The outline an envelope is drawn with holds the hours its predicates count: a weather year's
// hours inside each named envelope's traced polygon, against the judge's count.

#include "analysis_support.h"
#include "climate/hourly_states.h"
#include "climate/weather_file.h"
#include "envelopes/catalogue.h"
#include "envelopes/outline.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace hygrovane::climateanalysis {
namespace {

// Hours this close to the outline (K along the dry bulb, g/kg along the humidity ratio) are on
// an edge, where a polygon cannot say inside or out; every other hour must agree. A file's
// whole-percent humidities put many hours exactly on a relative-humidity edge, and its tenths of
// a degree on a dry-bulb edge: both ends of an edge count as inside.
constexpr double kOnEdge = 1e-4;

double DistanceToSegment(ChartPoint p, ChartPoint a, ChartPoint b) {
    const double px = p.dryBulb, py = 1000 * p.humidityRatio;
    const double ax = a.dryBulb, ay = 1000 * a.humidityRatio;
    const double bx = b.dryBulb, by = 1000 * b.humidityRatio;
    const double dx = bx - ax, dy = by - ay;
    const double length = dx * dx + dy * dy;
    const double s =
        length > 0 ? std::clamp(((px - ax) * dx + (py - ay) * dy) / length, 0.0, 1.0) : 0.0;
    return std::hypot(px - (ax + s * dx), py - (ay + s * dy));
}

struct Box {
    double left, right, bottom, top;
};

Box BoxOf(const Polyline& polygon) {
    Box box{polygon[0].dryBulb, polygon[0].dryBulb, polygon[0].humidityRatio,
            polygon[0].humidityRatio};
    for (const ChartPoint c : polygon) {
        box = {std::min(box.left, c.dryBulb), std::max(box.right, c.dryBulb),
               std::min(box.bottom, c.humidityRatio), std::max(box.top, c.humidityRatio)};
    }
    return box;
}

// Even-odd rule; `near` when the point lies within kOnEdge of an edge.
bool InPolygon(const Polyline& polygon, const Box& box, ChartPoint p, bool& near) {
    // Outside the polygon's box, neither inside nor near: most hours, without the edges.
    if (p.dryBulb < box.left - kOnEdge || p.dryBulb > box.right + kOnEdge ||
        p.humidityRatio < box.bottom - kOnEdge / 1000 ||
        p.humidityRatio > box.top + kOnEdge / 1000) {
        return false;
    }
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const ChartPoint a = polygon[i], b = polygon[j];
        near = near || DistanceToSegment(p, a, b) < kOnEdge;
        if ((a.humidityRatio > p.humidityRatio) != (b.humidityRatio > p.humidityRatio) &&
            p.dryBulb < (b.dryBulb - a.dryBulb) * (p.humidityRatio - a.humidityRatio) /
                                (b.humidityRatio - a.humidityRatio) +
                            a.dryBulb) {
            inside = !inside;
        }
    }
    return inside;
}

constexpr envelopes::OutlineBounds kYearBounds{223.15, 333.15, 0.040};

struct YearRow {
    const char* file;
    int fewestInside; // the year must test something: hours inside the widest envelope
};

TEST(EnvelopeOutline, HoursInsideTheDrawnOutlineAreThePredicatesCount) {
    for (const YearRow row : {YearRow{"chicago.epw", 3000}, YearRow{"boston.epw", 3000}}) {
        const auto data =
            climate::ReadWeatherFile(std::string(HYGROVANE_SHARED_DATA) + "/weather/" + row.file);
        ASSERT_TRUE(data.has_value()) << row.file;
        // One pressure for every hour (the standard one of the station's elevation), the one
        // the outline is traced at, as the window draws every hour at one.
        climate::StateOptions options;
        options.pressure = climate::PressureSource::Elevation;
        const climate::HourlyStates states = climate::ComputeStates(*data, options);
        double pressure = 0;
        for (const climate::HourState& s : states.hours) {
            if (s.ok()) {
                pressure = s.pressure;
                break;
            }
        }
        int mostInside = 0;
        for (const envelopes::Envelope& envelope : envelopes::Catalogue()) {
            const envelopes::Judge judge(envelope);
            // Bounds that hold every hour of the year, for the envelopes open at an end.
            const auto outlines = envelopes::TraceOutline(envelope, pressure, kYearBounds);
            ASSERT_FALSE(outlines.empty()) << envelope.name;
            std::vector<Box> boxes;
            for (const Polyline& outline : outlines) {
                boxes.push_back(BoxOf(outline));
            }
            int counted = 0, drawn = 0, onEdge = 0;
            for (const climate::HourState& s : states.hours) {
                if (!s.ok()) {
                    continue;
                }
                const envelopes::Air air{s.dryBulb, s.humidityRatio, s.pressure};
                bool near = false, inDrawn = false;
                for (std::size_t k = 0; k < outlines.size(); ++k) {
                    inDrawn =
                        InPolygon(outlines[k], boxes[k], {s.dryBulb, s.humidityRatio}, near) ||
                        inDrawn;
                }
                const bool inCounted = judge.Test(air) == envelopes::Verdict::Inside;
                if (near) {
                    ++onEdge;
                    continue;
                }
                counted += inCounted;
                drawn += inDrawn;
                EXPECT_EQ(inDrawn, inCounted) << row.file << " " << envelope.name << " at "
                                              << s.dryBulb << " K, " << s.humidityRatio;
            }
            EXPECT_EQ(drawn, counted) << row.file << " " << envelope.name;
            EXPECT_LT(onEdge, 800) << row.file << " " << envelope.name;
            mostInside = std::max(mostInside, counted);
            RecordProperty(std::string(row.file) + " " + envelope.name,
                           std::to_string(counted) + " inside, " + std::to_string(onEdge) +
                               " on an edge");
        }
        EXPECT_GE(mostInside, row.fewestInside) << row.file;
    }
}

TEST(EnvelopeOutline, FollowsThePressureAndStopsAtTheBounds) {
    const auto a1 = *envelopes::EnvelopeNamed("ashrae-tc99-2021-a1");
    // Higher up, the same 17 degC dew point is more water per kilogram of dry air.
    const auto sea = envelopes::TraceOutline(a1, 101325);
    const auto high = envelopes::TraceOutline(a1, 80000);
    ASSERT_EQ(sea.size(), 1u);
    ASSERT_EQ(high.size(), 1u);
    const auto topOf = [](const Polyline& p) {
        double top = 0;
        for (const ChartPoint c : p) {
            top = std::max(top, c.humidityRatio);
        }
        return top;
    };
    EXPECT_GT(topOf(high[0]), topOf(sea[0]) * 1.2);
    // The dew-point limit alone: open at both dry-bulb ends, so the bounds close it.
    const auto dew = envelopes::TraceOutline(
        *envelopes::EnvelopeNamed("ashrae-62.1-2022-dew-point"), 101325, {273.15, 313.15, 0.03});
    ASSERT_EQ(dew.size(), 1u);
    const auto [lo, hi] =
        std::minmax_element(dew[0].begin(), dew[0].end(),
                            [](ChartPoint a, ChartPoint b) { return a.dryBulb < b.dryBulb; });
    EXPECT_DOUBLE_EQ(lo->dryBulb, 273.15);
    EXPECT_DOUBLE_EQ(hi->dryBulb, 313.15);
    // An envelope wholly outside the bounds draws nothing.
    EXPECT_TRUE(envelopes::TraceOutline(a1, 101325, {223.15, 263.15, 0.03}).empty());
}

} // namespace
} // namespace hygrovane::climateanalysis
