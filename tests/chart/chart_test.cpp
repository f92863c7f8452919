// The chart's geometry against the core: every line lies where the core puts its state, the
// mapping and the readout agree with the core at a pixel, and Metric and British charts of the
// same air agree after conversion.
#include "chart/chart.h"
#include "chart/chart_mapping.h"
#include "hygrovane/moist_air.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace hygrovane::chart {
namespace {

// The core's state at a point, without the check of the humidity ratio against saturation:
// where a line meets the saturation curve it may lie a hair above it.
MoistAirState CoreState(ChartPoint p, double pressure, SatFormulation formulation) {
    Conditions c;
    c.dryBulb = p.dryBulb;
    c.pressure = pressure;
    const Result<Ambient> ambient = AmbientOf(c);
    const Result<Saturation> saturation = SaturationOf(*ambient, formulation);
    const Result<MoistAirState> state =
        StateOf(*ambient, *saturation, HumidityInput::HumidityRatio, p.humidityRatio);
    EXPECT_TRUE(state.has_value()) << p.dryBulb << " K " << p.humidityRatio;
    return state.has_value() ? *state : MoistAirState{};
}

double CoreSaturationRatio(double T, double pressure, SatFormulation formulation) {
    Conditions c;
    c.dryBulb = T;
    c.pressure = pressure;
    const Result<Saturation> s = SaturationOf(*AmbientOf(c), formulation);
    return s.has_value() ? s->humidityRatio : std::nan("");
}

// Every point of a curve but those the range's edges cut (they lie between two samples).
void ForEachSample(const Curve& curve, const ChartRange& r,
                   const std::function<void(ChartPoint)>& f) {
    for (const Polyline& piece : curve.pieces) {
        for (const ChartPoint p : piece) {
            const bool onEdge = p.dryBulb == r.dryBulbMin || p.dryBulb == r.dryBulbMax ||
                                p.humidityRatio == r.humidityRatioMin ||
                                p.humidityRatio == r.humidityRatioMax;
            if (!onEdge) {
                f(p);
            }
        }
    }
}

struct ChartRow {
    const char* name;
    double pressure;
    SatFormulation formulation;
    ChartUnits units;
    std::optional<ChartRange> range;
};

const ChartRow kCharts[] = {
    {"Metric IAPWS sea level", 101325, SatFormulation::IAPWS, MetricUnits(), {}},
    {"British Hyland-Wexler", 101325, SatFormulation::HylandWexler, BritishUnits(), {}},
    {"Metric IAPWS 1500 m", 84556, SatFormulation::IAPWS, MetricUnits(), {}},
    {"below freezing, over ice", 101325, SatFormulation::HylandWexler, MetricUnits(),
     ChartRange{213.15, 273.15, 0, 0.004}},
    {"Metric at 5 kPa, its default range", 5000, SatFormulation::IAPWS, MetricUnits(),
     DefaultRangeAt(MetricUnits().defaultRange, 5000)},
    {"British at 5 kPa, its default range", 5000, SatFormulation::HylandWexler, BritishUnits(),
     DefaultRangeAt(BritishUnits().defaultRange, 5000)},
    {"Metric at 1000 kPa, its default range", 1000000, SatFormulation::HylandWexler, MetricUnits(),
     DefaultRangeAt(MetricUnits().defaultRange, 1000000)},
    {"British at 1000 kPa, its default range", 1000000, SatFormulation::IAPWS, BritishUnits(),
     DefaultRangeAt(BritishUnits().defaultRange, 1000000)},
    {"Customized K and kg/kg, zoomed", 95000, SatFormulation::IAPWS,
     *CustomizedUnits("K", "(kg moisture)/(kg dry air)", "cm^3/g (dry air)", "kcal/kg (dry air)"),
     ChartRange{290, 300, 0.005, 0.012}},
};

Chart ModelOf(const ChartRow& row) {
    return Chart(
        {row.pressure, row.formulation, row.units, row.range.value_or(row.units.defaultRange)});
}

TEST(ChartGeometry, EveryLineLiesWhereTheCorePutsItsState) {
    for (const ChartRow& row : kCharts) {
        SCOPED_TRACE(row.name);
        const Chart model = ModelOf(row);
        const ChartRange& r = model.range();
        const ChartUnits& u = model.units();
        const auto state = [&](ChartPoint p) {
            return CoreState(p, row.pressure, row.formulation);
        };
        int checked = 0;
        for (const Curve& curve : model.geometry().curves) {
            SCOPED_TRACE(curve.label);
            ForEachSample(curve, r, [&](ChartPoint p) {
                ++checked;
                EXPECT_TRUE(r.contains(p)) << p.dryBulb << " " << p.humidityRatio;
                const double Ws = CoreSaturationRatio(p.dryBulb, row.pressure, row.formulation);
                switch (curve.family) {
                case Family::Saturation:
                    EXPECT_DOUBLE_EQ(p.humidityRatio, Ws);
                    break;
                case Family::RelativeHumidity: {
                    Conditions c;
                    c.dryBulb = p.dryBulb;
                    c.pressure = row.pressure;
                    c.humidity = curve.value / 100;
                    c.formulation = row.formulation;
                    EXPECT_DOUBLE_EQ(p.humidityRatio, Solve(c)->humidityRatio);
                    break;
                }
                case Family::WetBulb:
                    EXPECT_NEAR(u.dryBulb.shown(state(p).wetBulb), curve.value, 2e-3);
                    break;
                case Family::Enthalpy:
                    EXPECT_NEAR(u.enthalpy.shown(state(p).enthalpy), curve.value, 2e-3);
                    break;
                case Family::SpecificVolume:
                    EXPECT_NEAR(u.specificVolume.shown(state(p).specificVolume), curve.value,
                                1e-5 * curve.value);
                    break;
                case Family::DryBulbGrid:
                    EXPECT_NEAR(u.dryBulb.shown(p.dryBulb), curve.value, 1e-9);
                    break;
                case Family::HumidityRatioGrid:
                    EXPECT_NEAR(u.humidityRatio.shown(p.humidityRatio), curve.value, 1e-9);
                    break;
                case Family::PercentageSaturation: // off here; chart_projection_test has it
                    ADD_FAILURE() << "percentage saturation drawn unasked";
                    break;
                }
                // Nothing is drawn above saturation; the chords of the saturation curve may
                // pass a hair above the sampled points.
                EXPECT_LE(p.humidityRatio, Ws * (1 + 1e-3)) << p.dryBulb;
            });
        }
        EXPECT_GT(checked, 500);
        // The lines that end on the saturation curve start there, each family at its values.
        for (const Family family : {Family::WetBulb, Family::Enthalpy, Family::SpecificVolume}) {
            int onSaturation = 0;
            for (const Curve& curve : model.geometry().curves) {
                const ChartPoint start = curve.pieces.front().front();
                if (curve.family == family && start.dryBulb > r.dryBulbMin + 1e-3 &&
                    start.humidityRatio < r.humidityRatioMax) {
                    ++onSaturation;
                    EXPECT_NEAR(start.humidityRatio,
                                CoreSaturationRatio(start.dryBulb, row.pressure, row.formulation),
                                2e-3 * r.humidityRatioMax)
                        << curve.label;
                }
            }
            EXPECT_GE(onSaturation, row.range ? 0 : 2) << static_cast<int>(family);
        }
    }
}

TEST(ChartGeometry, FamiliesAreSpacedAsEngineersExpectAndAxesAreLabelled) {
    const struct {
        ChartUnits units;
        Family family;
        std::vector<std::string> labels;
    } rows[] = {
        {MetricUnits(), Family::WetBulb, {"-10", "-5", "0", "5", "10", "15", "20", "25", "30"}},
        {BritishUnits(), Family::WetBulb, {"20", "30", "40", "50", "60", "70", "80", "90"}},
        {MetricUnits(), Family::Enthalpy, {"0", "10", "20", "30", "40", "50", "60", "70", "80"}},
        {BritishUnits(), Family::Enthalpy, {"10", "15", "20", "25", "30", "35", "40", "45"}},
        {MetricUnits(), Family::SpecificVolume, {"0.80", "0.85", "0.90", "0.95"}},
        {BritishUnits(), Family::SpecificVolume, {"12.5", "13.0", "13.5", "14.0", "14.5"}},
        {MetricUnits(), Family::RelativeHumidity, {"10 %", "20 %", "50 %", "90 %"}},
    };
    for (const auto& row : rows) {
        const Chart model({101325, SatFormulation::IAPWS, row.units, row.units.defaultRange});
        std::vector<std::string> labels;
        for (const Curve& curve : model.geometry().curves) {
            if (curve.family == row.family) {
                labels.push_back(curve.label);
            }
        }
        for (const std::string& label : row.labels) {
            EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end())
                << label << " " << row.units.dryBulb.symbol;
        }
    }
    const auto axis = [](const std::vector<Tick>& ticks) {
        std::string text;
        for (const Tick& tick : ticks) {
            text += tick.label + " ";
        }
        return text;
    };
    const Chart metric;
    EXPECT_EQ(axis(metric.geometry().dryBulbTicks), "-10 -5 0 5 10 15 20 25 30 35 40 45 50 ");
    EXPECT_EQ(axis(metric.geometry().humidityRatioTicks),
              "0 2 4 6 8 10 12 14 16 18 20 22 24 26 28 30 ");
    const Chart british(
        {101325, SatFormulation::IAPWS, BritishUnits(), BritishUnits().defaultRange});
    EXPECT_EQ(axis(british.geometry().dryBulbTicks), "20 30 40 50 60 70 80 90 100 110 120 ");
    EXPECT_EQ(axis(british.geometry().humidityRatioTicks),
              "0 20 40 60 80 100 120 140 160 180 200 ");
    EXPECT_EQ(metric.familyCaption(Family::Enthalpy), "Enthalpy, kJ/kg (datum 0 °C)");
    EXPECT_EQ(british.familyCaption(Family::Enthalpy), "Enthalpy, Btu/lb (datum 0 °F)");
}

// Where a family's step is widened to x2.5 or x5 of a decimal step, its labels carry the decimals
// of the wider step: every label reads back as the value of its line.
TEST(ChartGeometry, LabelsOfWidenedStepsCarryTheDecimalsTheirValuesNeed) {
    const struct {
        const char* name;
        double pressure;
        ChartUnits units;
        Family family;
        std::vector<std::string> some; // among the labels
    } rows[] = {
        {"volume at 20 kPa, labels every 0.25 m3/kg",
         20000,
         MetricUnits(),
         Family::SpecificVolume,
         {"4.00", "4.25", "4.50", "4.75"}},
        {"volume at 20 kPa, labels every 2.5 ft3/lb",
         20000,
         BritishUnits(),
         Family::SpecificVolume,
         {"62.5", "65.0", "67.5"}},
        {"volume at 50 kPa, labels every 0.1 m3/kg",
         50000,
         MetricUnits(),
         Family::SpecificVolume,
         {"1.6", "1.7"}},
        {"volume at 5 kPa, whole m3/kg", 5000, MetricUnits(), Family::SpecificVolume, {"16", "17"}},
        {"volume at sea level, 0.5 ft3/lb as before",
         101325,
         BritishUnits(),
         Family::SpecificVolume,
         {"12.5", "13.0"}},
        {"enthalpy at 5 kPa", 5000, MetricUnits(), Family::Enthalpy, {"-10", "0", "10"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Chart model({row.pressure, SatFormulation::IAPWS, row.units, row.units.defaultRange});
        std::vector<std::string> labels;
        for (const Curve& curve : model.geometry().curves) {
            if (curve.family == row.family) {
                labels.push_back(curve.label);
                EXPECT_NEAR(std::stod(curve.label), curve.value, 1e-9 * std::abs(curve.value))
                    << curve.label;
            }
        }
        EXPECT_GE(labels.size(), 2U);
        for (const std::string& label : row.some) {
            EXPECT_NE(std::find(labels.begin(), labels.end(), label), labels.end()) << label;
        }
    }
}

TEST(ChartGeometry, ComfortZonesAreBoundedByTheirDryBulbsAndRelativeHumidities) {
    const Chart model;
    const auto& zones = model.geometry().comfortZones;
    ASSERT_EQ(zones.size(), 2U);
    const struct {
        double fromC, toC, fromPhi, toPhi;
    } bounds[] = {{21, 23, 0.40, 0.50}, {23, 25, 0.45, 0.60}};
    for (std::size_t z = 0; z < zones.size(); ++z) {
        ASSERT_FALSE(zones[z].outline.empty()) << zones[z].name;
        for (const ChartPoint p : zones[z].outline) {
            const double celsius = p.dryBulb - 273.15;
            EXPECT_GE(celsius, bounds[z].fromC - 1e-4);
            EXPECT_LE(celsius, bounds[z].toC + 1e-4);
            const double phi = CoreState(p, 101325, SatFormulation::IAPWS).relativeHumidity;
            EXPECT_TRUE(std::abs(phi - bounds[z].fromPhi) < 1e-6 ||
                        std::abs(phi - bounds[z].toPhi) < 1e-6)
                << zones[z].name << " " << phi;
        }
    }
    // Zoomed away from them, they are cut away.
    const Chart elsewhere(
        {101325, SatFormulation::IAPWS, MetricUnits(), {263.15, 283.15, 0, 0.005}});
    for (const Zone& zone : elsewhere.geometry().comfortZones) {
        EXPECT_TRUE(zone.outline.empty()) << zone.name;
    }
}

// Near the lowest pressure water boils at about 33 °C: no moist air exists beyond, and every
// curve stops there instead of failing.
TEST(ChartGeometry, CurvesEndWhereTheSaturationPressureReachesThePressure) {
    const Chart model({5000, SatFormulation::IAPWS, MetricUnits(), {263.15, 323.15, 0, 0.5}});
    double boiling = 0;
    for (const Curve& curve : model.geometry().curves) {
        for (const Polyline& piece : curve.pieces) {
            for (const ChartPoint p : piece) {
                boiling = std::max(boiling, p.dryBulb);
            }
        }
    }
    EXPECT_GT(boiling, 273.15 + 32);
    EXPECT_LT(boiling, 273.15 + 33);
    EXPECT_FALSE(model.readoutAt({273.15 + 40, 0.001}));
}

TEST(Chart, CurvesAreComputedAgainOnlyWhenTheirSettingsChange) {
    Chart model;
    ChartSettings settings = model.settings();
    int expected = model.computations();
    const std::pair<const char*, std::function<void(ChartSettings&)>> changes[] = {
        {"nothing", [](ChartSettings&) {}},
        {"pressure", [](ChartSettings& s) { s.pressure = 90000; }},
        {"same pressure", [](ChartSettings& s) { s.pressure = 90000; }},
        {"formulation", [](ChartSettings& s) { s.formulation = SatFormulation::HylandWexler; }},
        {"units", [](ChartSettings& s) { s.units = BritishUnits(); }},
        {"range", [](ChartSettings& s) { s.range.dryBulbMax -= 5; }},
    };
    for (const auto& [name, change] : changes) {
        const ChartSettings before = settings;
        change(settings);
        expected += settings == before ? 0 : 1;
        model.setSettings(settings);
        EXPECT_EQ(model.computations(), expected) << name;
    }
}

// The readout at a pixel is the core's state at the chart coordinates of that pixel.
TEST(Chart, ReadoutAtAPixelIsTheCoresStateThere) {
    for (const ChartRow& row : kCharts) {
        SCOPED_TRACE(row.name);
        const Chart model = ModelOf(row);
        const ChartMapping mapping(model.range(), {40, 25, 800, 600});
        int shown = 0;
        for (double x = 40; x <= 840; x += 37) {
            for (double y = 25; y <= 625; y += 29) {
                const ChartPoint at = mapping.toChart({x, y});
                const auto readout = model.readoutAt(at);
                const double Ws = CoreSaturationRatio(at.dryBulb, row.pressure, row.formulation);
                ASSERT_EQ(readout.has_value(), at.humidityRatio <= Ws) << x << "," << y;
                if (!readout) {
                    continue;
                }
                ++shown;
                const MoistAirState core = CoreState(at, row.pressure, row.formulation);
                const MoistAirState& s = readout->state;
                EXPECT_EQ(s.ambient.dryBulb, core.ambient.dryBulb);
                EXPECT_EQ(s.humidityRatio, core.humidityRatio);
                EXPECT_EQ(s.relativeHumidity, core.relativeHumidity);
                EXPECT_EQ(s.wetBulb, core.wetBulb);
                EXPECT_EQ(s.dewPoint, core.dewPoint);
                EXPECT_EQ(s.enthalpy, core.enthalpy);
                EXPECT_EQ(s.specificVolume, core.specificVolume);
                const PixelPoint back = mapping.toPixel(at);
                EXPECT_NEAR(back.x, x, 1e-9);
                EXPECT_NEAR(back.y, y, 1e-9);
            }
        }
        EXPECT_GT(shown, 50);
        EXPECT_FALSE(model.readoutAt(mapping.toChart({39, 300}))) << "left of the plot";
    }
}

TEST(Chart, APickAboveSaturationTakesTheSaturatedStateAndNoneWhereNoMoistAirExists) {
    const Chart model;
    const double Ws = CoreSaturationRatio(298.15, 101325, SatFormulation::IAPWS);
    EXPECT_EQ(model.pickAt({298.15, 0.025}), (ChartPoint{298.15, Ws}));
    EXPECT_EQ(model.pickAt({298.15, 0.005}), (ChartPoint{298.15, 0.005}));
    const Chart thin({5000, SatFormulation::IAPWS, MetricUnits(), MetricUnits().defaultRange});
    EXPECT_FALSE(thin.pickAt({273.15 + 40, 0.01}));
}

TEST(ChartRange, RangesAreCheckedZoomedAndTicked) {
    const ChartRange metric = MetricUnits().defaultRange;
    const struct {
        const char* name;
        ChartRange asked;
        std::optional<ChartRange> checked;
    } checks[] = {
        {"as asked", metric, metric},
        {"ends swapped", {323.15, 263.15, 0, 0.03}, std::nullopt},
        {"not a number", {std::nan(""), 300, 0, 0.03}, std::nullopt},
        {"narrower than 1 K", {300, 300.5, 0, 0.03}, std::nullopt},
        {"exactly 0.1 g/kg, typed as 9.8 and 9.9",
         {300, 310, 9.8 / 1000, 9.9 / 1000},
         ChartRange{300, 310, 9.8 / 1000, 9.9 / 1000}},
        {"exactly 1 K, typed as 20.1 and 21.1 °C",
         {20.1 + 273.15, 21.1 + 273.15, 0, 0.03},
         ChartRange{20.1 + 273.15, 21.1 + 273.15, 0, 0.03}},
        {"short of 0.1 g/kg by more than a rounding", {300, 310, 0.0098, 0.0098999}, std::nullopt},
        {"ends pulled in", {100, 400, -1, 2}, ChartRange{173.15, 373.15, 0, 0.5}},
    };
    for (const auto& row : checks) {
        EXPECT_EQ(CheckedRange(row.asked), row.checked) << row.name;
    }

    const struct {
        const char* name;
        ChartPoint centre;
        double factor;
        ChartRange expected;
    } zooms[] = {
        {"in about the middle", {293.15, 0.015}, 0.5, {278.15, 308.15, 0.0075, 0.0225}},
        {"out at the bottom edge", {263.15, 0}, 2, {253.15, 373.15, 0, 0.06}},
        {"in to the narrowest", {293.15, 0.015}, 1e-6, {292.65, 293.65, 0.01495, 0.01505}},
        {"out to the widest", {300, 0.01}, 1e3, {173.15, 373.15, 0, 0.5}},
        {"an infinite factor changes nothing", {300, 0.01}, INFINITY, metric},
        {"a factor of 0 changes nothing", {300, 0.01}, 0, metric},
        {"a factor that is not a number changes nothing", {300, 0.01}, NAN, metric},
    };
    for (const auto& row : zooms) {
        const ChartRange z = Zoomed(metric, row.centre, row.factor);
        EXPECT_NEAR(z.dryBulbMin, row.expected.dryBulbMin, 1e-9) << row.name;
        EXPECT_NEAR(z.dryBulbMax, row.expected.dryBulbMax, 1e-9) << row.name;
        EXPECT_NEAR(z.humidityRatioMin, row.expected.humidityRatioMin, 1e-12) << row.name;
        EXPECT_NEAR(z.humidityRatioMax, row.expected.humidityRatioMax, 1e-12) << row.name;
    }

    const struct {
        double low, high;
        int count;
        std::vector<double> values;
        int decimals;
    } ticks[] = {
        {-10, 50, 13, {-10, -5, 0, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50}, 0},
        {0, 0.03, 4, {0, 0.01, 0.02, 0.03}, 2},
        {0.3, 1.05, 5, {0.4, 0.6, 0.8, 1.0}, 1},
    };
    for (const auto& row : ticks) {
        const Ticks t = NiceTicks(row.low, row.high, row.count);
        ASSERT_EQ(t.values.size(), row.values.size()) << row.low << " to " << row.high;
        for (std::size_t i = 0; i < t.values.size(); ++i) {
            EXPECT_NEAR(t.values[i], row.values[i], 1e-12);
        }
        EXPECT_EQ(t.decimals, row.decimals);
    }
    EXPECT_EQ(FixedText(-0.04, 1), "0.0");
    EXPECT_EQ(FixedText(-0.06, 1), "-0.1");
    EXPECT_FALSE(CustomizedUnits("C", "(g moisture)/(kg dry air)", "m^3/kg (dry air)", "J"));
}

TEST(ChartClipping, LinesAndRegionsAreCutAtTheRangesEdges) {
    const ChartRange box{0, 10, 0, 10};
    // In, out over the top, back in, out at the right.
    const auto pieces = ClipPolyline({{-5, 5}, {5, 5}, {5, 15}, {7, 5}, {15, 5}}, box);
    ASSERT_EQ(pieces.size(), 2U);
    EXPECT_EQ(pieces[0], (Polyline{{0, 5}, {5, 5}, {5, 10}}));
    EXPECT_EQ(pieces[1], (Polyline{{6, 10}, {7, 5}, {10, 5}}));
    EXPECT_TRUE(ClipPolyline({{11, 0}, {20, 5}}, box).empty());

    const Polyline square = ClipPolygon({{5, 5}, {15, 5}, {15, 15}, {5, 15}}, box);
    ASSERT_EQ(square.size(), 4U);
    for (const ChartPoint corner : Polyline{{5, 5}, {10, 5}, {10, 10}, {5, 10}}) {
        EXPECT_NE(std::find(square.begin(), square.end(), corner), square.end());
    }
    EXPECT_TRUE(ClipPolygon({{20, 20}, {30, 20}, {30, 30}}, box).empty());
}

} // namespace
} // namespace hygrovane::chart
