#include "chart/chart_geometry.h"

#include "hygrovane/moist_air.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace hygrovane::chart {

namespace {

// Air saturated at one dry bulb, with the ends of the two relations that are straight lines in
// the humidity ratio: the enthalpy and the specific volume of dry air and of saturated air.
struct Sample {
    Ambient ambient;
    Saturation saturation;
    double T = 0; // the dry bulb as the core holds it (32 bits), widened
    double h0 = 0, hs = 0, v0 = 0, vs = 0;

    double Ws() const { return saturation.humidityRatio; }
};

// The saturated air at a dry bulb without the lines' ends, or why the core finds none (the
// saturation pressure reaching the pressure): each caller decides what a missing sample ends.
Result<Sample> SaturatedAt(double T, double pressure, SatFormulation formulation) {
    Conditions c;
    c.dryBulb = T;
    c.pressure = pressure;
    c.formulation = formulation;
    const Result<SaturatedAir> saturated = SaturatedAirOf(c);
    if (!saturated) {
        return Fail(saturated.error());
    }
    Sample s;
    s.ambient = saturated->ambient;
    s.saturation = saturated->saturation;
    s.T = saturated->ambient.dryBulb;
    return s;
}

Result<Sample> LinesAt(double T, double pressure, SatFormulation formulation) {
    Result<Sample> sample = SaturatedAt(T, pressure, formulation);
    if (!sample) {
        return sample;
    }
    Sample& s = sample.value();
    const auto dry = StateOf(s.ambient, s.saturation, HumidityInput::HumidityRatio, 0);
    if (!dry) {
        return Fail(dry.error());
    }
    const auto wet = StateOf(s.ambient, s.saturation, HumidityInput::HumidityRatio, s.Ws());
    if (!wet) {
        return Fail(wet.error());
    }
    s.h0 = dry->enthalpy;
    s.hs = wet->enthalpy;
    s.v0 = dry->specificVolume;
    s.vs = wet->specificVolume;
    return sample;
}

// The core's humidity ratio of a state at a sample, or why it finds none.
Result<double> HumidityRatioOf(const Sample& s, HumidityInput input, double value) {
    const Result<MoistAirState> state = StateOf(s.ambient, s.saturation, input, value);
    if (!state) {
        return Fail(state.error());
    }
    return state->humidityRatio;
}

ChartPoint Between(ChartPoint a, ChartPoint b, double f) {
    return {a.dryBulb + (b.dryBulb - a.dryBulb) * f,
            a.humidityRatio + (b.humidityRatio - a.humidityRatio) * f};
}

// At most so many lines in a family and labels on them: the handbook steps at the default ranges
// (112 enthalpy lines of 0.5 Btu/lb, 110 wet-bulb lines of 1 °F) stay, and a range or a
// pressure that would give more widens the step.
constexpr int kMaxLinesPerFamily = 130;
constexpr int kMaxLabelsPerFamily = 16;

// The lines of a family between low and high, and the step of those labelled: a multiple of the
// line step, widened by 2, 5, 10, ... until few enough labels remain.
struct Values {
    Ticks lines;
    double labelStep = 0;

    bool labelled(double value) const {
        const double k = value / labelStep;
        return std::abs(k - std::round(k)) < 1e-6;
    }
    // The text of a line: with the decimals of the label step where it is labelled (10 Btu/lb
    // rather than 10.0), of the line step elsewhere.
    std::string text(double value) const {
        return FixedText(value, labelled(value) ? DecimalsOf(labelStep) : lines.decimals);
    }
};

Values ValuesOf(double low, double high, LineSteps steps, double density) {
    Values out;
    out.lines = NiceTicks(low, high, kMaxLinesPerFamily, steps.line * density);
    const double step = out.lines.step;
    if (out.lines.values.empty() || !(step > 0)) {
        out.labelStep = steps.label * density;
        return out;
    }
    // Whole multiples of the line step: 4 x 0.5 g/kg; where the ratio is not whole (labels
    // every 5 on lines widened to 2), the next of 1, 2, 5, 10, ... times the line step: the
    // tick generator's fixed step of 1 over [0, ratio) allows one value only above the ratio.
    const double ratio = steps.label * density / step;
    double multiple = std::round(ratio);
    if (multiple < 1 || std::abs(ratio - multiple) > 1e-6 * ratio) {
        multiple = NiceTicks(0, std::max(ratio, 1.0) * (1 - 2e-9), 1, 1).step;
    }
    // Widened by 2, 5, 10, ... until few enough labels remain.
    const Ticks labels = NiceTicks(low, high, kMaxLabelsPerFamily, multiple * step);
    out.labelStep = labels.step > 0 ? labels.step : multiple * step;
    return out;
}

// An axis reads in steps of 1, 2 or 5 times a power of ten: a label step of four line steps
// zoomed to 0.8 g/kg (6.4, 7.2, 8.0) becomes the nearest such step that is still a whole number
// of line steps and leaves few enough labels (1 g/kg). The handbook steps at the default ranges
// are of that kind already.
void AxisSteps(Values& values, double low, double high) {
    const double line = values.lines.step;
    const double wanted = values.labelStep;
    if (!(line > 0) || !(wanted > 0) || !(high > low)) {
        return;
    }
    double best = wanted;
    double distance = INFINITY;
    const double first = std::pow(10.0, std::floor(std::log10(wanted)) - 1);
    for (double power = first; power <= first * 1000; power *= 10) {
        for (const double m : {1.0, 2.0, 5.0}) {
            const double step = m * power;
            const double k = step / line;
            const double labels = std::floor(high / step + 1e-9) - std::ceil(low / step - 1e-9) + 1;
            const double d = std::abs(std::log(step / wanted));
            if (k >= 1 - 1e-9 && std::abs(k - std::round(k)) < 1e-6 * k &&
                labels <= kMaxLabelsPerFamily && d < distance - 1e-9) {
                best = step;
                distance = d;
            }
        }
    }
    values.labelStep = best;
}

// How much of a family's quantity a range spans at a pressure, by the textbook relations (enough to
// choose a step; the lines themselves are the core's): the dry bulb (K), the humidity ratio
// (kg/kg), h = 1.006 t + W (2501 + 1.86 t) (kJ/kg, t in °C) and
// v = 0.287042 T (1 + 1.607858 W) / P (m³/kg, P in kPa), each largest at the warm humid corner
// and smallest at the cold dry one.
struct Spans {
    double dryBulb, humidityRatio, enthalpy, volume;
};
Spans SpansOf(const ChartRange& r, double pressure) {
    const auto h = [](double T, double W) {
        const double t = T - kCelsiusOffset;
        return 1.006 * t + W * (2501 + 1.86 * t);
    };
    const auto v = [&](double T, double W) {
        return 0.287042 * T * (1 + 1.607858 * W) / (pressure / 1000);
    };
    return {r.dryBulbMax - r.dryBulbMin, r.humidityRatioMax - r.humidityRatioMin,
            h(r.dryBulbMax, r.humidityRatioMax) - h(r.dryBulbMin, r.humidityRatioMin),
            v(r.dryBulbMax, r.humidityRatioMax) - v(r.dryBulbMin, r.humidityRatioMin)};
}

// A family's handbook step is meant for the sea-level default range; a range that spans n times
// as much of the family's quantity (zoomed out, or at a low pressure where the humidity ratios
// and volumes grow) takes n times the step, rounded to 1, 2 or 5 times a power of ten, and a
// zoomed-in range a finer one.
struct Densities {
    double dryBulb, humidityRatio, enthalpy, volume, relativeHumidity;
};
Densities DensitiesOf(const ChartRange& range, double pressure, const ChartRange& seaLevel) {
    constexpr double kSeaLevel = 101325; // Pa
    const Spans now = SpansOf(range, pressure);
    const Spans then = SpansOf(seaLevel, kSeaLevel);
    const auto density = [](double a, double b) {
        // The same ratio rounded as DensityOf rounds it: a range b wide of a default 1 wide.
        return DensityOf({0, a, 0, a}, {0, b, 0, b});
    };
    return {density(now.dryBulb, then.dryBulb), density(now.humidityRatio, then.humidityRatio),
            density(now.enthalpy, then.enthalpy), density(now.volume, then.volume),
            DensityOf(range, DefaultRangeAt(seaLevel, pressure))};
}

class Builder {
  public:
    Builder(double pressure, SatFormulation formulation, const ChartUnits& units,
            const ChartRange& range)
        : P_(pressure), formulation_(formulation), units_(units), range_(range),
          density_(DensitiesOf(range, pressure, units.defaultRange)) {
        samples_.reserve(kDryBulbIntervals + 1);
        for (int i = 0; i <= kDryBulbIntervals; ++i) {
            const double T =
                range.dryBulbMin + (range.dryBulbMax - range.dryBulbMin) * i / kDryBulbIntervals;
            const Result<Sample> s = LinesAt(T, P_, formulation_);
            if (!s) {
                break; // no moist air from here on
            }
            samples_.push_back(*s);
        }
    }

    ChartGeometry build() {
        ChartGeometry g;
        grids(g);
        straightInW(g, Family::SpecificVolume, units_.specificVolume, units_.specificVolumeSteps,
                    density_.volume, &Sample::v0, &Sample::vs);
        straightInW(g, Family::Enthalpy, units_.enthalpy, units_.enthalpySteps, density_.enthalpy,
                    &Sample::h0, &Sample::hs);
        wetBulbs(g);
        relativeHumidities(g);
        comfortZones(g);
        return g;
    }

  private:
    void add(ChartGeometry& g, Family family, double value, std::string label, const Polyline& line,
             bool labelled = true) {
        std::vector<Polyline> pieces = ClipPolyline(line, range_);
        if (!pieces.empty()) {
            g.curves.push_back({family, value, std::move(label), std::move(pieces), labelled});
        }
    }

    // The grids' labelled lines are the axes' ticks; the others are drawn lighter.
    void grids(ChartGeometry& g) {
        const Scale& t = units_.dryBulb;
        Values dryBulbs = ValuesOf(t.shown(range_.dryBulbMin), t.shown(range_.dryBulbMax),
                                   units_.dryBulbSteps, density_.dryBulb);
        AxisSteps(dryBulbs, t.shown(range_.dryBulbMin), t.shown(range_.dryBulbMax));
        for (const double value : dryBulbs.lines.values) {
            const double T = t.internal(value);
            const bool labelled = dryBulbs.labelled(value);
            if (labelled) {
                g.dryBulbTicks.push_back({T, dryBulbs.text(value)});
            }
            const Result<Sample> s = SaturatedAt(T, P_, formulation_);
            if (s && s->Ws() > range_.humidityRatioMin) {
                add(g, Family::DryBulbGrid, value, dryBulbs.text(value),
                    {{T, range_.humidityRatioMin}, {T, std::min(s->Ws(), range_.humidityRatioMax)}},
                    labelled);
            }
        }
        const Scale& w = units_.humidityRatio;
        Values ratios = ValuesOf(w.shown(range_.humidityRatioMin), w.shown(range_.humidityRatioMax),
                                 units_.humidityRatioSteps, density_.humidityRatio);
        AxisSteps(ratios, w.shown(range_.humidityRatioMin), w.shown(range_.humidityRatioMax));
        for (const double value : ratios.lines.values) {
            const double W = w.internal(value);
            const bool labelled = ratios.labelled(value);
            if (labelled) {
                g.humidityRatioTicks.push_back({W, ratios.text(value)});
            }
            // From the saturation curve (drawn through the samples) to the right.
            for (std::size_t i = 0; i < samples_.size(); ++i) {
                if (samples_[i].Ws() < W) {
                    continue;
                }
                double start = samples_[i].T;
                if (i > 0) {
                    const Sample& a = samples_[i - 1];
                    start =
                        a.T + (samples_[i].T - a.T) * (W - a.Ws()) / (samples_[i].Ws() - a.Ws());
                }
                add(g, Family::HumidityRatioGrid, value, ratios.text(value),
                    {{start, W}, {samples_.back().T, W}}, labelled);
                break;
            }
        }
    }

    // Enthalpy and specific volume: straight in W at each dry bulb, so each line's humidity
    // ratio follows from the values of dry and of saturated air there. A line starts where it
    // meets the saturation curve (the crossing of the two chords) and ends below the range.
    void straightInW(ChartGeometry& g, Family family, const Scale& scale, LineSteps steps,
                     double density, double Sample::*dry, double Sample::*wet) {
        if (samples_.empty()) {
            return;
        }
        const Sample& first = samples_.front();
        const auto shownAt = [&](const Sample& s, double W) {
            return scale.shown(s.*dry + (s.*wet - s.*dry) * W / s.Ws());
        };
        double high = shownAt(first, range_.humidityRatioMin);
        double low = high;
        for (const Sample& s : samples_) {
            for (const double W :
                 {range_.humidityRatioMin, std::min(s.Ws(), range_.humidityRatioMax)}) {
                high = std::max(high, shownAt(s, W));
                low = std::min(low, shownAt(s, W));
            }
        }
        const Values values = ValuesOf(low, high, steps, density);
        for (const double value : values.lines.values) {
            const double target = scale.internal(value);
            Polyline line;
            ChartPoint previous;
            double previousAbove = 0; // W - W_s of the previous sample
            for (std::size_t i = 0; i < samples_.size(); ++i) {
                const Sample& s = samples_[i];
                const ChartPoint p{s.T, s.Ws() * (target - s.*dry) / (s.*wet - s.*dry)};
                const double above = p.humidityRatio - s.Ws();
                if (above > 0) {
                    if (!line.empty()) {
                        break;
                    }
                    previous = p;
                    previousAbove = above;
                    continue;
                }
                if (line.empty() && i > 0) {
                    line.push_back(Between(previous, p, previousAbove / (previousAbove - above)));
                }
                line.push_back(p);
                if (p.humidityRatio < range_.humidityRatioMin) {
                    break;
                }
            }
            add(g, family, value, values.text(value), line, values.labelled(value));
        }
    }

    // From the saturation curve at T = T_wb to the right, by the core with the wet bulb as input.
    void wetBulbs(ChartGeometry& g) {
        if (samples_.empty()) {
            return;
        }
        const Scale& t = units_.dryBulb;
        const Values values =
            ValuesOf(t.shown(samples_.front().saturation.dryAirWetBulb), t.shown(samples_.back().T),
                     units_.wetBulbSteps, density_.dryBulb);
        for (const double value : values.lines.values) {
            const double Twb = t.internal(value);
            Polyline line;
            if (Twb >= range_.dryBulbMin) {
                const Result<Sample> start = SaturatedAt(Twb, P_, formulation_);
                if (!start) {
                    continue;
                }
                line.push_back({start->T, start->Ws()});
                if (range_.contains(line.back())) {
                    constexpr double kDelta = 0.05; // K, either side, for the slope
                    const Result<Sample> below = SaturatedAt(Twb - kDelta, P_, formulation_);
                    const Result<Sample> above = SaturatedAt(Twb + kDelta, P_, formulation_);
                    const double slope =
                        below && above ? (above->Ws() - below->Ws()) / (above->T - below->T) : 0;
                    g.saturationScale.push_back({line.back(), slope, values.labelled(value)});
                }
            }
            for (const Sample& s : samples_) {
                if (s.T <= Twb) {
                    continue;
                }
                const Result<double> W = HumidityRatioOf(s, HumidityInput::WetBulb, Twb);
                if (!W) {
                    break;
                }
                line.push_back({s.T, *W});
                if (*W < range_.humidityRatioMin) {
                    break;
                }
            }
            add(g, Family::WetBulb, value, values.text(value), line, values.labelled(value));
        }
    }

    // Every 10 % with 2 and 5 % (the dry corner of a handbook chart); every 5 % zoomed in to half
    // the span or closer, every 10 % alone zoomed out to twice or wider.
    void relativeHumidities(ChartGeometry& g) {
        std::vector<int> percents;
        if (density_.relativeHumidity <= 1) {
            percents = {2, 5};
        }
        const int step = density_.relativeHumidity <= 0.5 ? 5 : 10;
        for (int percent = 10; percent <= 100; percent += step) {
            percents.push_back(percent);
        }
        for (const int percent : percents) {
            Polyline line;
            for (const Sample& s : samples_) {
                const Result<double> W =
                    percent == 100
                        ? Result<double>(s.Ws())
                        : HumidityRatioOf(s, HumidityInput::RelativeHumidity, percent / 100.0);
                if (!W) {
                    break;
                }
                line.push_back({s.T, *W});
                if (*W > range_.humidityRatioMax) {
                    break; // it only rises from here
                }
            }
            add(g, percent == 100 ? Family::Saturation : Family::RelativeHumidity, percent,
                std::to_string(percent) + " %", line);
        }
    }

    void comfortZones(ChartGeometry& g) {
        struct Bounds {
            const char* name;
            double fromCelsius, toCelsius, fromPhi, toPhi;
        };
        static constexpr std::array<Bounds, 2> kZones{
            {{"Winter comfort", 21, 23, 0.40, 0.50}, {"Summer comfort", 23, 25, 0.45, 0.60}}};
        constexpr int kSteps = 8;
        for (const Bounds& zone : kZones) {
            Polyline outline;
            for (const double phi : {zone.fromPhi, zone.toPhi}) {
                for (int k = 0; k <= kSteps; ++k) {
                    // Left to right along the lower curve, back along the upper one.
                    const int along = phi == zone.fromPhi ? k : kSteps - k;
                    const double celsius =
                        zone.fromCelsius + (zone.toCelsius - zone.fromCelsius) * along / kSteps;
                    // A corner without moist air is left out of the outline.
                    const Result<Sample> s =
                        SaturatedAt(celsius + kCelsiusOffset, P_, formulation_);
                    if (!s) {
                        continue;
                    }
                    const Result<double> W =
                        HumidityRatioOf(*s, HumidityInput::RelativeHumidity, phi);
                    if (W) {
                        outline.push_back({s->T, *W});
                    }
                }
            }
            g.comfortZones.push_back({zone.name, ClipPolygon(outline, range_)});
        }
    }

    double P_;
    SatFormulation formulation_;
    const ChartUnits& units_;
    const ChartRange& range_;
    Densities density_;
    std::vector<Sample> samples_;
};

// Qt's drawing code can return with the upper halves of the vector registers in use (AVX); until
// they are cleared every SSE instruction of the core's numerics carries a false dependency on
// them, and on the Xeons we build on the curves took five times as long after a repaint. The
// registers are caller-saved, so clearing them here disturbs no caller.
void ClearUpperVectorRegisters() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) {
        asm volatile("vzeroupper");
    }
#endif
}

} // namespace

const Curve* ChartGeometry::find(Family family, double value) const {
    for (const Curve& curve : curves) {
        if (curve.family == family && std::abs(curve.value - value) < 1e-9) {
            return &curve;
        }
    }
    return nullptr;
}

ChartGeometry ComputeGeometry(double pressure, SatFormulation formulation, const ChartUnits& units,
                              const ChartRange& range) {
    ClearUpperVectorRegisters();
    return Builder(pressure, formulation, units, range).build();
}

namespace {

// A point found on an edge, put exactly on it (the interpolation may miss it by a rounding).
ChartPoint OnRange(ChartPoint p, const ChartRange& r) {
    return {std::clamp(p.dryBulb, r.dryBulbMin, r.dryBulbMax),
            std::clamp(p.humidityRatio, r.humidityRatioMin, r.humidityRatioMax)};
}

} // namespace

std::vector<Polyline> ClipPolyline(const Polyline& line, const ChartRange& r) {
    std::vector<Polyline> pieces;
    bool open = false;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        const ChartPoint a = line[i];
        const ChartPoint b = line[i + 1];
        const double dx = b.dryBulb - a.dryBulb;
        const double dy = b.humidityRatio - a.humidityRatio;
        double t0 = 0;
        double t1 = 1;
        // Liang-Barsky: each side of the range cuts the parameter interval of the segment.
        const std::array<std::pair<double, double>, 4> sides{{
            {-dx, a.dryBulb - r.dryBulbMin},
            {dx, r.dryBulbMax - a.dryBulb},
            {-dy, a.humidityRatio - r.humidityRatioMin},
            {dy, r.humidityRatioMax - a.humidityRatio},
        }};
        bool visible = true;
        for (const auto& [p, q] : sides) {
            if (p == 0) {
                visible = visible && q >= 0;
            } else if (p < 0) {
                t0 = std::max(t0, q / p);
            } else {
                t1 = std::min(t1, q / p);
            }
        }
        if (!visible || t0 > t1) {
            open = false;
            continue;
        }
        if (!open || t0 > 0) {
            pieces.push_back({OnRange(Between(a, b, t0), r)});
        }
        pieces.back().push_back(OnRange(Between(a, b, t1), r));
        open = t1 == 1;
    }
    return pieces;
}

Polyline ClipPolygon(const Polyline& polygon, const ChartRange& r) {
    using Inside = std::function<bool(ChartPoint)>;
    using Cross = std::function<double(ChartPoint, ChartPoint)>; // the fraction where it crosses
    const auto along = [](double from, double to, double at) { return (at - from) / (to - from); };
    const std::array<std::pair<Inside, Cross>, 4> edges{{
        {[&](ChartPoint p) { return p.dryBulb >= r.dryBulbMin; },
         [&](ChartPoint a, ChartPoint b) { return along(a.dryBulb, b.dryBulb, r.dryBulbMin); }},
        {[&](ChartPoint p) { return p.dryBulb <= r.dryBulbMax; },
         [&](ChartPoint a, ChartPoint b) { return along(a.dryBulb, b.dryBulb, r.dryBulbMax); }},
        {[&](ChartPoint p) { return p.humidityRatio >= r.humidityRatioMin; },
         [&](ChartPoint a, ChartPoint b) {
             return along(a.humidityRatio, b.humidityRatio, r.humidityRatioMin);
         }},
        {[&](ChartPoint p) { return p.humidityRatio <= r.humidityRatioMax; },
         [&](ChartPoint a, ChartPoint b) {
             return along(a.humidityRatio, b.humidityRatio, r.humidityRatioMax);
         }},
    }};
    Polyline out = polygon;
    for (const auto& [inside, cross] : edges) {
        const Polyline in = std::move(out);
        out.clear();
        for (std::size_t i = 0; i < in.size(); ++i) {
            const ChartPoint a = in[(i + in.size() - 1) % in.size()];
            const ChartPoint b = in[i];
            if (inside(b) != inside(a)) {
                out.push_back(Between(a, b, cross(a, b)));
            }
            if (inside(b)) {
                out.push_back(b);
            }
        }
    }
    for (ChartPoint& p : out) {
        p = OnRange(p, r);
    }
    return out;
}

} // namespace hygrovane::chart
