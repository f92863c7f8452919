#include "chart/chart_geometry.h"

#include "hygrovane/moist_air.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

namespace hygrovane::chart {

namespace {

// Air saturated at one dry bulb, with the ends of the two relations that are straight lines in
// the humidity ratio: the enthalpy and the specific volume of dry air and of saturated air.
struct Sample {
    bool ok = false;
    Ambient ambient;
    Saturation saturation;
    double T = 0; // the dry bulb as the core holds it (32 bits), widened
    double h0 = 0, hs = 0, v0 = 0, vs = 0;

    double Ws() const { return saturation.humidityRatio; }
};

Sample SaturatedAt(double T, double pressure, SatFormulation formulation) {
    Sample s;
    Conditions c;
    c.dryBulb = T;
    c.pressure = pressure;
    c.formulation = formulation;
    const Result<SaturatedAir> saturated = SaturatedAirOf(c);
    if (!saturated) {
        return s;
    }
    s.ok = true;
    s.ambient = saturated->ambient;
    s.saturation = saturated->saturation;
    s.T = saturated->ambient.dryBulb;
    return s;
}

Sample LinesAt(double T, double pressure, SatFormulation formulation) {
    Sample s = SaturatedAt(T, pressure, formulation);
    if (!s.ok) {
        return s;
    }
    const auto dry = StateOf(s.ambient, s.saturation, HumidityInput::HumidityRatio, 0);
    const auto wet = StateOf(s.ambient, s.saturation, HumidityInput::HumidityRatio, s.Ws());
    if (!dry || !wet) {
        s.ok = false;
        return s;
    }
    s.h0 = dry->enthalpy;
    s.hs = wet->enthalpy;
    s.v0 = dry->specificVolume;
    s.vs = wet->specificVolume;
    return s;
}

// The core's humidity ratio of a state at a sample, or NaN when it finds none.
double HumidityRatioOf(const Sample& s, HumidityInput input, double value) {
    const Result<MoistAirState> state = StateOf(s.ambient, s.saturation, input, value);
    return state ? state->humidityRatio : std::nan("");
}

ChartPoint Between(ChartPoint a, ChartPoint b, double f) {
    return {a.dryBulb + (b.dryBulb - a.dryBulb) * f,
            a.humidityRatio + (b.humidityRatio - a.humidityRatio) * f};
}

// The decimals that write every multiple of a step exactly: 2 for 0.25 (15.25, 15.75), 1 for
// 2.5 and for 0.5.
int DecimalsOf(double step) {
    constexpr int kMost = 9;
    int decimals = 0;
    for (double scaled = step; decimals < kMost; scaled *= 10, ++decimals) {
        if (std::abs(scaled - std::round(scaled)) <= 1e-9 * std::max(1.0, scaled)) {
            break;
        }
    }
    return decimals;
}

// Multiples of step (widened by 2, 5, 10, 20, ... when there would be more than maxCount)
// between low and high, and the decimals that write them.
struct Values {
    std::vector<double> values;
    int decimals = 0;
};
Values LineValues(double low, double high, double step, int maxCount) {
    Values out;
    if (!(high >= low)) {
        return out;
    }
    for (double power = 1;; power *= 10) {
        for (const double multiple : {1.0, 2.0, 5.0}) {
            const double s = step * multiple * power;
            const double first = std::ceil(low / s - 1e-9);
            const double last = std::floor(high / s + 1e-9);
            if (last - first + 1 <= maxCount) {
                for (double k = first; k <= last; ++k) {
                    out.values.push_back(k * s);
                }
                out.decimals = DecimalsOf(s);
                return out;
            }
        }
    }
}

constexpr int kMaxLinesPerFamily = 30;

class Builder {
  public:
    Builder(double pressure, SatFormulation formulation, const ChartUnits& units,
            const ChartRange& range)
        : P_(pressure), formulation_(formulation), units_(units), range_(range) {
        samples_.reserve(kDryBulbIntervals + 1);
        for (int i = 0; i <= kDryBulbIntervals; ++i) {
            const double T =
                range.dryBulbMin + (range.dryBulbMax - range.dryBulbMin) * i / kDryBulbIntervals;
            samples_.push_back(LinesAt(T, P_, formulation_));
            if (!samples_.back().ok) {
                samples_.pop_back(); // no moist air from here on
                break;
            }
        }
    }

    ChartGeometry build() {
        ChartGeometry g;
        grids(g);
        straightInW(g, Family::SpecificVolume, units_.specificVolume, units_.specificVolumeStep,
                    &Sample::v0, &Sample::vs);
        straightInW(g, Family::Enthalpy, units_.enthalpy, units_.enthalpyStep, &Sample::h0,
                    &Sample::hs);
        wetBulbs(g);
        relativeHumidities(g);
        comfortZones(g);
        return g;
    }

  private:
    void add(ChartGeometry& g, Family family, double value, std::string label,
             const Polyline& line) {
        std::vector<Polyline> pieces = ClipPolyline(line, range_);
        if (!pieces.empty()) {
            g.curves.push_back({family, value, std::move(label), std::move(pieces)});
        }
    }

    void grids(ChartGeometry& g) {
        const Scale& t = units_.dryBulb;
        const Ticks dryBulbs =
            NiceTicks(t.shown(range_.dryBulbMin), t.shown(range_.dryBulbMax), 13);
        for (const double value : dryBulbs.values) {
            const double T = t.internal(value);
            g.dryBulbTicks.push_back({T, FixedText(value, dryBulbs.decimals)});
            const Sample s = SaturatedAt(T, P_, formulation_);
            if (s.ok && s.Ws() > range_.humidityRatioMin) {
                add(g, Family::DryBulbGrid, value, g.dryBulbTicks.back().label,
                    {{T, range_.humidityRatioMin}, {T, std::min(s.Ws(), range_.humidityRatioMax)}});
            }
        }
        const Scale& w = units_.humidityRatio;
        const Ticks ratios =
            NiceTicks(w.shown(range_.humidityRatioMin), w.shown(range_.humidityRatioMax), 16);
        for (const double value : ratios.values) {
            const double W = w.internal(value);
            g.humidityRatioTicks.push_back({W, FixedText(value, ratios.decimals)});
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
                add(g, Family::HumidityRatioGrid, value, g.humidityRatioTicks.back().label,
                    {{start, W}, {samples_.back().T, W}});
                break;
            }
        }
    }

    // Enthalpy and specific volume: straight in W at each dry bulb, so each line's humidity
    // ratio follows from the values of dry and of saturated air there. A line starts where it
    // meets the saturation curve (the crossing of the two chords) and ends below the range.
    void straightInW(ChartGeometry& g, Family family, const Scale& scale, double step,
                     double Sample::*dry, double Sample::*wet) {
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
        const Values values = LineValues(low, high, step, kMaxLinesPerFamily);
        for (const double value : values.values) {
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
            add(g, family, value, FixedText(value, values.decimals), line);
        }
    }

    // From the saturation curve at T = T_wb to the right, by the core with the wet bulb as input.
    void wetBulbs(ChartGeometry& g) {
        if (samples_.empty()) {
            return;
        }
        const Scale& t = units_.dryBulb;
        const Values values =
            LineValues(t.shown(samples_.front().saturation.dryAirWetBulb),
                       t.shown(samples_.back().T), units_.wetBulbStep, kMaxLinesPerFamily);
        for (const double value : values.values) {
            const double Twb = t.internal(value);
            Polyline line;
            if (Twb >= range_.dryBulbMin) {
                const Sample start = SaturatedAt(Twb, P_, formulation_);
                if (!start.ok) {
                    continue;
                }
                line.push_back({start.T, start.Ws()});
            }
            for (const Sample& s : samples_) {
                if (s.T <= Twb) {
                    continue;
                }
                const double W = HumidityRatioOf(s, HumidityInput::WetBulb, Twb);
                if (std::isnan(W)) {
                    break;
                }
                line.push_back({s.T, W});
                if (W < range_.humidityRatioMin) {
                    break;
                }
            }
            add(g, Family::WetBulb, value, FixedText(value, values.decimals), line);
        }
    }

    void relativeHumidities(ChartGeometry& g) {
        for (int percent = 10; percent <= 100; percent += 10) {
            Polyline line;
            for (const Sample& s : samples_) {
                const double W =
                    percent == 100
                        ? s.Ws()
                        : HumidityRatioOf(s, HumidityInput::RelativeHumidity, percent / 100.0);
                if (std::isnan(W)) {
                    break;
                }
                line.push_back({s.T, W});
                if (W > range_.humidityRatioMax) {
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
                    const Sample s = SaturatedAt(celsius + 273.15, P_, formulation_);
                    const double W = s.ok ? HumidityRatioOf(s, HumidityInput::RelativeHumidity, phi)
                                          : std::nan("");
                    if (!std::isnan(W)) {
                        outline.push_back({s.T, W});
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
