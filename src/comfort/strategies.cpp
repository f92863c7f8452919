#include "comfort/strategies.h"

#include "comfort/checks.h"
#include "comfort/set.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::comfort {

namespace {

constexpr double kZeroCelsius = kCelsiusOffset; // K
constexpr std::size_t kDay = 24;                // hours of history the rules look at

ComfortResult<Done> CheckParameters(const StrategyParameters& p) {
    const double inf = 1e300;
    const detail::Bound bounds[] = {
        {ComfortInput::DryBulb, p.comfortLow, 200, 400},
        {ComfortInput::DryBulb, p.comfortHigh, p.comfortLow, 400},
        {ComfortInput::HumidityRatio, p.minHumidityRatio, 0, 1},
        {ComfortInput::HumidityRatio, p.maxHumidityRatio, p.minHumidityRatio, 1},
        {ComfortInput::DryBulb, p.evaporativeMaxDryBulb, p.comfortHigh, 400},
        {ComfortInput::DryBulb, p.evaporativeMaxWetBulb, 200, 400},
        {ComfortInput::AirSpeed, p.airSpeed, 0, 5},
        {ComfortInput::RelativeHumidity, 100 * p.airSpeedMaxRelativeHumidity, 0, 100},
        {ComfortInput::Limit, p.massRise, 0, 30},
        {ComfortInput::Limit, p.nightVentilationRise, 0, 30},
        {ComfortInput::DryBulb, p.nightFlushMax, 200, 400},
        {ComfortInput::DryBulb, p.internalGainsLowest, 200, p.comfortLow},
        {ComfortInput::DryBulb, p.solarLowest, 200, p.comfortLow},
        {ComfortInput::Radiation, p.solarMinRadiation, 0, inf}};
    return detail::CheckBounds("design strategy", bounds);
}

const char* NameOf(Strategy s) {
    switch (s) {
    case Strategy::Comfort:
        return "Comfort";
    case Strategy::EvaporativeCooling:
        return "Evaporative cooling";
    case Strategy::ElevatedAirSpeed:
        return "Elevated air speed";
    case Strategy::ThermalMass:
        return "Thermal mass";
    case Strategy::ThermalMassNightVentilation:
        return "Thermal mass with night ventilation";
    case Strategy::InternalGains:
        return "Internal heat gains";
    case Strategy::PassiveSolarHeating:
        return "Passive solar heating";
    case Strategy::Dehumidification:
        return "Dehumidification";
    case Strategy::Humidification:
        return "Humidification";
    }
    return "";
}

// The values of a history's last 24 hours and the hours each stands for.
struct Day {
    std::span<const double> values;
    std::span<const double> hours; // empty: an hour each
    double Hours(std::size_t i) const { return hours.empty() ? 1.0 : hours[i]; }
};

// The last records of a history that make up 24 hours, or a failure naming what is missing.
ComfortResult<Day> LastDay(std::span<const double> values, std::span<const double> hours,
                           ComfortInput input) {
    // Sums of many short records land a rounding away from a whole day.
    constexpr double kAllowance = 1e-6; // h
    std::size_t count = 0;
    double covered = 0;
    if (hours.empty()) {
        count = std::min(values.size(), kDay);
        covered = static_cast<double>(count);
    } else {
        const std::size_t n = std::min(values.size(), hours.size());
        while (count < n && covered < static_cast<double>(kDay) - kAllowance) {
            covered += hours[n - 1 - count++];
        }
        values = values.first(n);
        hours = hours.first(n).last(count);
    }
    if (covered < static_cast<double>(kDay) - kAllowance) {
        return Fail(ComfortFailure{ComfortFailureKind::OutOfRange,
                                   input,
                                   covered,
                                   static_cast<double>(kDay),
                                   1e300,
                                   "design strategy",
                                   {}});
    }
    const std::span<const double> day = values.last(count);
    if (std::any_of(day.begin(), day.end(), [](double v) { return !std::isfinite(v); })) {
        return Fail(
            ComfortFailure{ComfortFailureKind::NotANumber, input, 0, 0, 0, "design strategy", {}});
    }
    return Day{day, hours};
}

} // namespace

bool NeedsHistory(Strategy s) {
    return s == Strategy::ThermalMass || s == Strategy::ThermalMassNightVentilation ||
           s == Strategy::PassiveSolarHeating;
}

ComfortResult<StrategyZone> StrategyZoneOf(Strategy s, const StrategyParameters& p) {
    if (const auto checked = CheckParameters(p); !checked) {
        return Fail(checked.error());
    }
    StrategyZone z{s, NameOf(s), {}, p};
    const HumidityBound dry = HumidityBound::Ratio(p.minHumidityRatio);
    const HumidityBound humid = HumidityBound::Ratio(p.maxHumidityRatio);
    switch (s) {
    case Strategy::Comfort:
        z.band = {p.comfortLow, p.comfortHigh, dry, humid};
        break;
    case Strategy::EvaporativeCooling:
        // Warmer than comfort, and a wet bulb low enough for spraying water to cool the air
        // into the band along its wet-bulb line.
        z.band = {p.comfortHigh,
                  p.evaporativeMaxDryBulb,
                  {},
                  HumidityBound::WetBulbOf(p.evaporativeMaxWetBulb)};
        break;
    case Strategy::ElevatedAirSpeed: {
        const ThermalInputs reference{p.comfortHigh - kZeroCelsius,
                                      p.comfortHigh - kZeroCelsius,
                                      p.airSpeed,
                                      Humidity::Relative(50),
                                      1.1,
                                      0.5,
                                      0};
        const ComfortResult<double> ce = CoolingEffect(reference);
        if (!ce) {
            return Fail(ce.error());
        }
        z.band = {p.comfortHigh,
                  p.comfortHigh + *ce,
                  {},
                  HumidityBound::Relative(p.airSpeedMaxRelativeHumidity)};
        break;
    }
    case Strategy::ThermalMass:
        z.band = {p.comfortHigh, p.comfortHigh + p.massRise, {}, humid};
        break;
    case Strategy::ThermalMassNightVentilation:
        z.band = {p.comfortHigh, p.comfortHigh + p.nightVentilationRise, {}, humid};
        break;
    case Strategy::InternalGains:
        z.band = {p.internalGainsLowest, p.comfortLow, {}, humid};
        break;
    case Strategy::PassiveSolarHeating:
        z.band = {p.solarLowest, p.comfortLow, {}, humid};
        break;
    case Strategy::Dehumidification:
        z.band = {p.comfortLow, p.comfortHigh, humid, {}};
        break;
    case Strategy::Humidification:
        z.band = {p.comfortLow, p.comfortHigh, {}, dry};
        break;
    }
    return z;
}

namespace {

// The history's condition of a strategy that needs one, for an hour inside its band: over the
// 24 hours before, each record weighed by the hours it stands for.
ComfortResult<bool> HistoryAllows(const StrategyZone& z, const HourHistory& history) {
    const StrategyParameters& p = z.parameters;
    if (z.strategy == Strategy::PassiveSolarHeating) {
        const auto day = LastDay(history.radiation, history.hours, ComfortInput::Radiation);
        if (!day) {
            return Fail(day.error());
        }
        double sum = 0;
        for (std::size_t i = 0; i < day->values.size(); ++i) {
            sum += day->values[i] * day->Hours(i);
        }
        return sum >= p.solarMinRadiation;
    }
    const auto day = LastDay(history.dryBulbs, history.hours, ComfortInput::History);
    if (!day) {
        return Fail(day.error());
    }
    if (z.strategy == Strategy::ThermalMass) {
        double sum = 0;
        double hours = 0;
        for (std::size_t i = 0; i < day->values.size(); ++i) {
            sum += day->values[i] * day->Hours(i);
            hours += day->Hours(i);
        }
        return sum / hours <= p.comfortHigh;
    }
    return *std::min_element(day->values.begin(), day->values.end()) <= p.nightFlushMax;
}

} // namespace

ComfortResult<bool> InStrategyZone(const StrategyZone& z, const PlaneState& state,
                                   const HourHistory& history) {
    const ComfortResult<bool> inBand = InBandZone(z.band, state);
    if (!inBand || !*inBand || !NeedsHistory(z.strategy)) {
        return inBand;
    }
    return HistoryAllows(z, history);
}

ComfortResult<bool> InStrategyZone(const StrategyZone& z, ChartPoint point,
                                   const HourHistory& history, const PlaneAir& air) {
    const ComfortResult<bool> inBand = InBandZone(z.band, point, air);
    if (!inBand || !*inBand || !NeedsHistory(z.strategy)) {
        return inBand;
    }
    return HistoryAllows(z, history);
}

ComfortResult<Polygon> StrategyOutline(const StrategyZone& z, const PlaneAir& air) {
    return BandZoneOutline(z.band, air);
}

} // namespace hygrovane::comfort
