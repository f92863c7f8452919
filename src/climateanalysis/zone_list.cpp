#include "climateanalysis/zone_list.h"

#include "climate/calendar.h"
#include "climateanalysis/prevailing_mean.h"
#include "comfort/adaptive.h"
#include "comfort/strategies.h"
#include "comfort/zones.h"
#include "hygrovane/relations.h"
#include "text/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <span>

namespace hygrovane::climateanalysis {

namespace {

using comfort::PlaneState;
using comfort::Polygon;

// The chart's fixed comfort zones, as src/chart/chart_geometry.cpp draws them: winter 21-23 degC
// at 40-50 %, summer 23-25 degC at 45-60 % relative humidity.
struct FixedZone {
    const char* name;
    double low, high;                 // degC
    double relativeLow, relativeHigh; // fraction
};
constexpr FixedZone kFixedZones[] = {{"Winter comfort", 21, 23, 0.40, 0.50},
                                     {"Summer comfort", 23, 25, 0.45, 0.60}};

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Hours of history the strategies look at (comfort/strategies.h).
constexpr std::size_t kHistoryHours = 24;

AnalysisFailure ZoneFailure(const std::string& zone, const comfort::ComfortFailure& failure) {
    return {AnalysisFailure::Kind::Zone, zone, comfort::Describe(failure)};
}

// A polygon test with a bounding box first: most hours of a year lie far from a comfort zone.
climate::ZoneTest PolygonTest(std::string name, Polygon polygon, const comfort::PlaneAir& air) {
    double xLow = kInfinity, xHigh = -kInfinity, yLow = kInfinity, yHigh = -kInfinity;
    for (const ChartPoint& p : polygon) {
        xLow = std::min(xLow, p.dryBulb);
        xHigh = std::max(xHigh, p.dryBulb);
        yLow = std::min(yLow, p.humidityRatio);
        yHigh = std::max(yHigh, p.humidityRatio);
    }
    auto shared = std::make_shared<const Polygon>(std::move(polygon));
    return {std::move(name), [=](const climate::HourState& s, std::size_t) {
                const ChartPoint p = ChartPointOf(s, air);
                if (p.dryBulb < xLow || p.dryBulb > xHigh || p.humidityRatio < yLow ||
                    p.humidityRatio > yHigh) {
                    return false;
                }
                return comfort::Contains(*shared, p);
            }};
}

std::vector<Polygon> OutlineOf(comfort::ComfortResult<Polygon> outline) {
    if (!outline || outline->empty()) {
        return {};
    }
    return {std::move(outline.value())};
}

std::string Degrees(double celsius) {
    return text::FixedText(celsius, 1) + " degC";
}

Expected<AnalysisZone, AnalysisFailure> PmvZoneOf(const ClimateSettings& settings,
                                                  const comfort::PlaneAir& air) {
    const comfort::PmvZoneParameters parameters = PmvParametersOf(settings.comfort, air);
    const std::string name = settings.comfort.model == ComfortModel::Pmv
                                 ? "PMV comfort (ISO 7730)"
                                 : "PMV comfort (ASHRAE 55)";
    auto outline = comfort::SolvePmvZone(parameters);
    if (!outline) {
        return Fail(ZoneFailure(name, outline.error()));
    }
    AnalysisZone zone{name, {*outline}, PolygonTest(name, *outline, air), {}};
    return zone;
}

Expected<AnalysisZone, AnalysisFailure> AdaptiveZoneOf(const ClimateSettings& settings,
                                                       const climate::WeatherData& data,
                                                       const comfort::PlaneAir& air) {
    const ComfortSettings& c = settings.comfort;
    comfort::AdaptiveZoneParameters parameters;
    const bool ashrae = c.model == ComfortModel::AdaptiveAshrae;
    std::string name;
    if (ashrae) {
        parameters.model = c.ashraeAcceptability == 90
                               ? comfort::AdaptiveZoneModel::Ashrae55Acceptability90
                               : comfort::AdaptiveZoneModel::Ashrae55Acceptability80;
        name = "Adaptive comfort (ASHRAE 55, " + std::to_string(c.ashraeAcceptability) + " %)";
    } else {
        static constexpr comfort::AdaptiveZoneModel kCategories[] = {
            comfort::AdaptiveZoneModel::En16798CategoryI,
            comfort::AdaptiveZoneModel::En16798CategoryII,
            comfort::AdaptiveZoneModel::En16798CategoryIII};
        const int category = std::clamp(c.enCategory, 1, 3);
        parameters.model = kCategories[category - 1];
        name = std::string("Adaptive comfort (EN 16798-1, category ") +
               (category == 1   ? "I"
                : category == 2 ? "II"
                                : "III") +
               ")";
    }
    parameters.airSpeed = c.airSpeed;
    parameters.radiantOffset = c.radiantOffset;
    parameters.maxHumidityRatio = c.maxHumidityRatio;
    parameters.air = air;
    // The model's range of prevailing means (ASHRAE 55 5.4.1, EN 16798-1 Annex B).
    const double lowest = 10;
    const double highest = ashrae ? 33.5 : 30;

    auto means = std::make_shared<std::vector<double>>();
    std::string note;
    if (c.prevailingMean) {
        means->assign(data.hours.size(), *c.prevailingMean);
        note = "prevailing mean outdoor temperature " + Degrees(*c.prevailingMean) + ", as given";
    } else {
        PrevailingMeans computed = PrevailingMeansOf(data);
        *means = std::move(computed.byRecord);
        note = "prevailing mean outdoor temperature of each day: the running mean of the daily "
               "mean dry bulbs before it, alpha 0.8 (EN 16798-1 Annex B)";
        if (computed.wrapped) {
            note += ", the year's last days as January's history";
        }
    }
    std::size_t outside = 0;
    double sum = 0;
    std::size_t count = 0;
    for (const double t : *means) {
        if (std::isnan(t) || t < lowest || t > highest) {
            ++outside;
        } else {
            sum += t;
            ++count;
        }
    }
    if (outside > 0) {
        note += "; " + std::to_string(outside) + " records on days outside the model's " +
                Degrees(lowest) + " to " + Degrees(highest) + " count outside the zone";
    }
    // The outline is drawn for one prevailing mean: the given one, or the mean of the days the
    // model applies to (each hour is judged at its own day's value).
    std::vector<Polygon> outlines;
    if (count > 0) {
        parameters.prevailingMean =
            c.prevailingMean ? *c.prevailingMean : sum / static_cast<double>(count);
        outlines = OutlineOf(comfort::SolveAdaptiveZone(parameters));
        if (!c.prevailingMean) {
            note += "; drawn for the mean of the days within the range, " +
                    Degrees(parameters.prevailingMean);
        }
    }
    climate::ZoneTest test{name, [parameters, means, lowest, highest,
                                  air](const climate::HourState& s, std::size_t index) {
                               const double t = (*means)[index];
                               if (std::isnan(t) || t < lowest || t > highest) {
                                   return false;
                               }
                               comfort::AdaptiveZoneParameters p = parameters;
                               p.prevailingMean = t;
                               const auto in = comfort::InAdaptiveZone(p, PlaneStateOf(s, air));
                               return in.has_value() && *in;
                           }};
    return AnalysisZone{name, std::move(outlines), std::move(test), std::move(note)};
}

std::vector<AnalysisZone> FixedZones(const comfort::PlaneAir& air) {
    std::vector<AnalysisZone> zones;
    for (const FixedZone& f : kFixedZones) {
        const comfort::BandZone band = comfort::DryBulbHumidityZone(
            f.low + kCelsiusOffset, f.high + kCelsiusOffset, f.relativeLow, f.relativeHigh);
        climate::ZoneTest test{f.name, [band, air](const climate::HourState& s, std::size_t) {
                                   const auto in = comfort::InBandZone(band, PlaneStateOf(s, air));
                                   return in.has_value() && *in;
                               }};
        zones.push_back(
            {f.name, OutlineOf(comfort::BandZoneOutline(band, air)), std::move(test), {}});
    }
    return zones;
}

// Minutes since 1970-01-01 00:00 to the start of a record's minute.
long long MinutesOf(const climate::HourRecord& r) {
    const long long days = climate::DaysFromCivil(r.year, r.month, r.day);
    return (days * 24 + r.StartHour()) * 60 + r.minute;
}

// The dry bulbs (K), global horizontal radiation (Wh/m2 per hour) and hours of every record, NaN
// where missing, and for each record the records of the 24 clock hours before the hour it lies
// in: records first[i] to last[i] (exclusive). The history never crosses a data period; a gap in
// a logger's readings leaves those hours short, and the rule then refuses the record.
struct History {
    std::vector<double> dryBulbs;
    std::vector<double> radiation;
    std::vector<double> hours;
    std::vector<std::size_t> first;
    std::vector<std::size_t> last;
};

std::shared_ptr<const History> HistoryOf(const climate::WeatherData& data) {
    auto history = std::make_shared<History>();
    const std::size_t n = data.hours.size();
    history->dryBulbs.resize(n);
    history->radiation.resize(n);
    history->hours.resize(n);
    history->first.assign(n, 0);
    history->last.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        const climate::HourRecord& r = data.hours[i];
        const auto t = r.Value(climate::Field::DryBulb);
        const auto g = r.Value(climate::Field::GlobalHorizontal);
        history->dryBulbs[i] = t ? *t + kCelsiusOffset : kNaN;
        history->radiation[i] = g ? *g : kNaN;
        history->hours[i] = climate::RecordHours(data, i);
    }
    if (!data.recordHours.empty()) {
        // Readings at any interval, in increasing time: by their clock times.
        std::vector<long long> minutes(n);
        for (std::size_t i = 0; i < n; ++i) {
            minutes[i] = MinutesOf(data.hours[i]);
        }
        for (std::size_t i = 0; i < n; ++i) {
            const long long hourStart = minutes[i] - data.hours[i].minute;
            const auto from = std::lower_bound(minutes.begin(), minutes.end(), hourStart - 24 * 60);
            const auto to = std::lower_bound(minutes.begin(), minutes.end(), hourStart);
            history->first[i] = static_cast<std::size_t>(from - minutes.begin());
            history->last[i] = static_cast<std::size_t>(to - minutes.begin());
        }
        return history;
    }
    // A weather file's records follow each other evenly through each data period.
    const std::size_t perHour = static_cast<std::size_t>(std::max(data.header.recordsPerHour, 1));
    for (std::size_t i = 0; i < n; ++i) {
        const climate::HourRecord& r = data.hours[i];
        const std::size_t start = r.dataPeriod < data.header.dataPeriods.size()
                                      ? data.header.dataPeriods[r.dataPeriod].firstRow
                                      : 0;
        const std::size_t hourStart = start + (i - start) / perHour * perHour;
        if (hourStart >= start + kHistoryHours * perHour) {
            history->first[i] = hourStart - kHistoryHours * perHour;
            history->last[i] = hourStart;
        }
    }
    return history;
}

} // namespace

std::vector<climate::ZoneTest> ZoneList::Tests() const {
    std::vector<climate::ZoneTest> tests;
    tests.reserve(zones.size());
    for (const AnalysisZone& zone : zones) {
        tests.push_back(zone.test);
    }
    return tests;
}

std::string Describe(const AnalysisFailure& failure) {
    switch (failure.kind) {
    case AnalysisFailure::Kind::Zone:
        return failure.zone + ": " + failure.detail;
    case AnalysisFailure::Kind::TooManyZones:
        return "more than " + std::to_string(climate::kMostZones) + " zones";
    }
    return failure.detail;
}

comfort::PlaneAir ChartAirOf(const climate::HourlyStates& states) {
    double sum = 0;
    std::size_t count = 0;
    for (const climate::HourState& s : states.hours) {
        if (s.ok()) {
            sum += s.pressure;
            ++count;
        }
    }
    return {count > 0 ? sum / static_cast<double>(count) : 101325.0, states.options.formulation};
}

comfort::PmvZoneParameters PmvParametersOf(const ComfortSettings& c, const comfort::PlaneAir& air) {
    comfort::PmvZoneParameters p;
    p.model = c.model == ComfortModel::Ashrae55 ? comfort::PmvModel::Ashrae55
                                                : comfort::PmvModel::Iso7730;
    p.metabolic = c.metabolic;
    p.clothing = c.clothing;
    p.airSpeed = c.airSpeed;
    p.externalWork = c.externalWork;
    p.radiantOffset = c.radiantOffset;
    p.pmvLimit = c.pmvLimit;
    p.ppd = c.ppd;
    p.maxHumidityRatio = c.maxHumidityRatio;
    p.air = air;
    return p;
}

ChartPoint ChartPointOf(const climate::HourState& s, const comfort::PlaneAir& air) {
    if (s.pressure == air.pressure) {
        return {s.dryBulb, s.humidityRatio};
    }
    // p_w = p W / (0.621945 + W) and back, W = 0.621945 p_w / (p - p_w) (ASHRAE Fundamentals
    // 2017 ch. 1 eq. 20; 0.621945 the ratio of the molar masses of water and dry air).
    constexpr double kRatio = 0.621945;
    const double vapour = s.pressure * s.humidityRatio / (kRatio + s.humidityRatio);
    return {s.dryBulb, kRatio * vapour / (air.pressure - vapour)};
}

comfort::PlaneState PlaneStateOf(const climate::HourState& s, const comfort::PlaneAir& air) {
    return PlaneState(ChartPointOf(s, air), s.relativeHumidity, s.wetBulb);
}

Expected<ZoneList, AnalysisFailure> BuildZones(const ClimateSettings& settings,
                                               const climate::WeatherData& data,
                                               const climate::HourlyStates& states) {
    ZoneList list;
    list.air = ChartAirOf(states);
    switch (settings.comfort.model) {
    case ComfortModel::Pmv:
    case ComfortModel::Ashrae55: {
        auto zone = PmvZoneOf(settings, list.air);
        if (!zone) {
            return Fail(zone.error());
        }
        list.zones.push_back(std::move(zone.value()));
        break;
    }
    case ComfortModel::AdaptiveAshrae:
    case ComfortModel::AdaptiveEn: {
        auto zone = AdaptiveZoneOf(settings, data, list.air);
        if (!zone) {
            return Fail(zone.error());
        }
        list.zones.push_back(std::move(zone.value()));
        break;
    }
    case ComfortModel::Fixed:
        for (AnalysisZone& zone : FixedZones(list.air)) {
            list.zones.push_back(std::move(zone));
        }
        break;
    case ComfortModel::None:
        break;
    }

    std::shared_ptr<const History> history;
    for (const comfort::Strategy strategy : settings.strategies) {
        auto zone = comfort::StrategyZoneOf(strategy, settings.strategyParameters);
        if (!zone) {
            return Fail(ZoneFailure(KeyOf(strategy), zone.error()));
        }
        const bool needsHistory = comfort::NeedsHistory(strategy);
        if (needsHistory && !history) {
            history = HistoryOf(data);
        }
        auto shared = std::make_shared<const comfort::StrategyZone>(*zone);
        climate::ZoneTest test{
            zone->name, [shared, history, needsHistory, air = list.air](const climate::HourState& s,
                                                                        std::size_t i) {
                comfort::HourHistory before;
                if (needsHistory) {
                    const std::size_t from = history->first[i];
                    const std::size_t count = history->last[i] - from;
                    before.dryBulbs = std::span(history->dryBulbs).subspan(from, count);
                    before.radiation = std::span(history->radiation).subspan(from, count);
                    before.hours = std::span(history->hours).subspan(from, count);
                }
                const auto in = comfort::InStrategyZone(*shared, PlaneStateOf(s, air), before);
                return in.has_value() && *in;
            }};
        std::string note;
        if (needsHistory) {
            note = "judged on the 24 hours before the hour each record lies in; records in the "
                   "first 24 hours of each data period (or after a gap in the readings) have no "
                   "such day and count outside";
        }
        list.zones.push_back({zone->name, OutlineOf(comfort::StrategyOutline(*zone, list.air)),
                              std::move(test), std::move(note)});
    }

    for (const comfort::UserZone& user : settings.userZones) {
        if (const auto checked = comfort::CheckUserZone(user); !checked) {
            return Fail(ZoneFailure(user.name, checked.error()));
        }
        auto shared = std::make_shared<const comfort::UserZone>(user);
        climate::ZoneTest test{
            user.name, [shared, air = list.air](const climate::HourState& s, std::size_t) {
                const auto in = comfort::InUserZone(*shared, PlaneStateOf(s, air));
                return in.has_value() && *in;
            }};
        list.zones.push_back(
            {user.name, OutlineOf(comfort::UserZoneOutline(user, list.air)), std::move(test), {}});
    }
    if (list.zones.size() > climate::kMostZones) {
        return Fail(AnalysisFailure{AnalysisFailure::Kind::TooManyZones, {}, {}});
    }
    return list;
}

} // namespace hygrovane::climateanalysis
