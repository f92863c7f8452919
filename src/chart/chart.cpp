#include "chart/chart.h"

#include "hygrovane/moist_air.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::chart {

Chart::Chart(const ChartSettings& settings) : settings_(settings) {
    compute();
}

void Chart::setSettings(const ChartSettings& settings) {
    if (settings == settings_) {
        return;
    }
    settings_ = settings;
    compute();
}

void Chart::setFamilies(const FamilySet& families) {
    if (families == families_) {
        return;
    }
    families_ = families;
    compute();
}

void Chart::setPercentageSaturation(bool shown) {
    if (shown == percentageSaturation_) {
        return;
    }
    percentageSaturation_ = shown;
    compute();
}

void Chart::compute() {
    geometry_ = ComputeGeometry(settings_.pressure, settings_.formulation, settings_.units,
                                settings_.range);
    if (percentageSaturation_) {
        AddPercentageSaturation(geometry_);
    }
    std::erase_if(geometry_.curves,
                  [this](const Curve& curve) { return families_.hides(curve.family); });
    protractor_ = ProtractorOf(settings_.pressure, settings_.formulation, settings_.units);
    ++computations_;
}

namespace {

Result<SaturatedAir> SaturatedAt(const ChartSettings& settings, double T) {
    Conditions conditions;
    conditions.dryBulb = T;
    conditions.pressure = settings.pressure;
    conditions.formulation = settings.formulation;
    return SaturatedAirOf(conditions);
}

} // namespace

void Chart::AddPercentageSaturation(ChartGeometry& g) const {
    const ChartRange& r = settings_.range;
    // The saturated humidity ratio by the core at as many dry bulbs as the other curves use.
    constexpr int kIntervals = 120;
    std::vector<ChartPoint> saturated;
    for (int i = 0; i <= kIntervals; ++i) {
        const double T = r.dryBulbMin + (r.dryBulbMax - r.dryBulbMin) * i / kIntervals;
        const auto s = SaturatedAt(settings_, T);
        if (!s || !std::isfinite(s->saturation.humidityRatio)) {
            break; // no moist air from here on
        }
        saturated.push_back({T, s->saturation.humidityRatio});
    }
    for (int percent = 10; percent < 100; percent += 10) {
        Polyline line;
        for (const ChartPoint& s : saturated) {
            // mu = W / W_s, so W = mu W_s.
            line.push_back({s.dryBulb, percent / 100.0 * s.humidityRatio});
            if (line.back().humidityRatio > r.humidityRatioMax) {
                break; // it only rises from here
            }
        }
        std::vector<Polyline> pieces = ClipPolyline(line, r);
        if (!pieces.empty()) {
            g.curves.push_back({Family::PercentageSaturation, double(percent),
                                "μ " + std::to_string(percent) + " %", std::move(pieces), true});
        }
    }
}

std::optional<Readout> Chart::readoutAt(ChartPoint at) const {
    if (!settings_.range.contains(at)) {
        return std::nullopt;
    }
    const auto s = SaturatedAt(settings_, at.dryBulb);
    if (!s || at.humidityRatio > s->saturation.humidityRatio) {
        return std::nullopt;
    }
    const Result<MoistAirState> state =
        StateOf(s->ambient, s->saturation, HumidityInput::HumidityRatio, at.humidityRatio);
    if (!state) {
        return std::nullopt;
    }
    return Readout{at, *state};
}

std::optional<ChartPoint> Chart::pickAt(ChartPoint at) const {
    const auto s = SaturatedAt(settings_, at.dryBulb);
    if (!s) {
        return std::nullopt;
    }
    return ChartPoint{at.dryBulb, std::clamp(at.humidityRatio, 0.0, s->saturation.humidityRatio)};
}

namespace {

std::string Shown(const Scale& scale, double internal) {
    return FixedText(scale.shown(internal), scale.decimals) + " " + scale.symbol;
}

} // namespace

std::string Chart::readoutText(const Readout& r) const {
    const ChartUnits& u = settings_.units;
    const MoistAirState& s = r.state;
    return "Dry bulb " + Shown(u.dryBulb, s.ambient.dryBulb) + " · W " +
           Shown(u.humidityRatio, s.humidityRatio) + " · RH " +
           FixedText(s.relativeHumidity * 100, 1) + " % · Wet bulb " + Shown(u.dryBulb, s.wetBulb) +
           " · Dew point " + (s.dewPoint ? Shown(u.dryBulb, *s.dewPoint) : std::string("—")) +
           " · h " + Shown(u.enthalpy, s.enthalpy) + " · v " +
           Shown(u.specificVolume, s.specificVolume);
}

std::string Chart::pointLabel(ChartPoint at) const {
    const ChartUnits& u = settings_.units;
    return Shown(u.dryBulb, at.dryBulb) + ", " + Shown(u.humidityRatio, at.humidityRatio);
}

std::string Chart::familyCaption(Family family) const {
    const ChartUnits& u = settings_.units;
    switch (family) {
    case Family::DryBulbGrid:
        return "Dry-bulb temperature, " + u.dryBulb.symbol;
    case Family::HumidityRatioGrid:
        return "Humidity ratio, " + u.humidityRatio.symbol;
    case Family::SpecificVolume:
        return "Specific volume, " + u.specificVolume.symbol;
    case Family::Enthalpy:
        return "Enthalpy, " + u.enthalpy.symbol + " (datum " + u.datum + ")";
    case Family::WetBulb:
        return "Wet bulb, " + u.dryBulb.symbol;
    case Family::RelativeHumidity:
        return "Relative humidity, %";
    case Family::PercentageSaturation:
        return "Percentage saturation, %";
    case Family::Saturation:
        break;
    }
    return "Saturation";
}

} // namespace hygrovane::chart
