#include "envelopes/collections.h"

#include "envelopes/compliance.h"

#include "hygrovane/relations.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <numeric>

namespace hygrovane::envelopes {

namespace {

constexpr const char* kHandbook =
    "ASHRAE Handbook - HVAC Applications (2015), ch. 23 Museums, Galleries, Archives, and "
    "Libraries, Table 2";

struct Class {
    const char* suffix;
    const char* title;
    CollectionRule rule;
    std::vector<Edge> edges;
};

Edge HumidityEdge(Side side, double percent) {
    return {Quantity::RelativeHumidity, side, percent / 100, DewReading::OverIce};
}

const std::vector<Class>& Classes() {
    constexpr std::optional<double> kNone;
    static const std::vector<Class> classes = {
        {"aa",
         "Class AA: +-5 %RH, +-2 K; RH set point fixed, temperature +-5 K by season",
         {5.0, 2.0, 0.0, 0.0, 5.0, 5.0, kNone, kNone, kNone, 24},
         {}},
        {"a",
         "Class A (As): +-5 %RH, +-2 K; +-10 %RH, +5/-10 K by season",
         {5.0, 2.0, 10.0, 10.0, 5.0, 10.0, kNone, kNone, kNone, 24},
         {}},
        {"a1",
         "Class A (A1): +-10 %RH, +-2 K; RH set point fixed, +5/-10 K by season",
         {10.0, 2.0, 0.0, 0.0, 5.0, 10.0, kNone, kNone, kNone, 24},
         {}},
        {"b",
         "Class B: +-10 %RH, +-5 K; +-10 %RH, +10 K (at most 30 degC) and any lower by season",
         {10.0, 5.0, 10.0, 10.0, 10.0, kNone, 30.0, kNone, kNone, 24},
         {}},
        {"c",
         "Class C: 25-75 %RH all year, at most 30 degC",
         {},
         {HumidityEdge(Side::Lowest, 25),
          HumidityEdge(Side::Highest, 75),
          {Quantity::DryBulb, Side::Highest, 30 + kCelsiusOffset, DewReading::OverIce}}},
        {"d", "Class D: below 75 %RH", {}, {HumidityEdge(Side::Highest, 75)}},
    };
    return classes;
}

constexpr std::string_view kPrefix = "ashrae-collections-";

bool ReadNumber(std::string_view text, double& into) {
    double number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) {
        return false;
    }
    into = number;
    return true;
}

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// How far beyond a limit (0 within it), for a value and its allowed interval.
double Over(double value, double lowest, double highest) {
    return std::max({0.0, lowest - value, value - highest});
}

} // namespace

std::vector<std::string> CollectionNames() {
    std::vector<std::string> names;
    for (const Class& c : Classes()) {
        names.push_back(std::string(kPrefix) + c.suffix);
    }
    return names;
}

std::optional<Expected<Envelope, std::string>> CollectionEnvelopeNamed(std::string_view text) {
    const std::size_t colon = text.find(':');
    const std::string_view base = text.substr(0, colon);
    if (base.substr(0, kPrefix.size()) != kPrefix) {
        return std::nullopt;
    }
    const auto found = std::find_if(Classes().begin(), Classes().end(), [&](const Class& c) {
        return base.substr(kPrefix.size()) == c.suffix;
    });
    if (found == Classes().end()) {
        return std::nullopt;
    }
    const bool series = found->edges.empty();
    Envelope envelope{std::string(text), kHandbook, found->title, found->edges};
    CollectionRule rule = found->rule;
    std::string_view rest = colon == std::string_view::npos ? "" : text.substr(colon + 1);
    while (!rest.empty()) {
        const std::size_t next = rest.find(':');
        const std::string_view part = rest.substr(0, next);
        const std::size_t equals = part.find('=');
        const std::string_view key = part.substr(0, equals);
        double value = 0;
        const bool number =
            equals != std::string_view::npos && ReadNumber(part.substr(equals + 1), value);
        if (!series || !number || !(key == "rh" || key == "t" || (key == "window" && value > 0))) {
            return Fail(std::string(base) + ": cannot read \"" + std::string(part) + "\" (" +
                        (series ? "rh=, t= or window= hours" : "this class takes no inputs") + ")");
        }
        if (key == "rh") {
            rule.humiditySetPoint = value;
        } else if (key == "t") {
            rule.temperatureSetPoint = value;
        } else {
            rule.windowHours = value;
        }
        rest = next == std::string_view::npos ? "" : rest.substr(next + 1);
    }
    if (series) {
        envelope.collection = rule;
    }
    return Expected<Envelope, std::string>(std::move(envelope));
}

std::vector<Judgement> JudgeCollection(const Judge& judge, std::span<const Sample> samples) {
    const std::size_t n = samples.size();
    std::vector<Judgement> judged(n);
    std::vector<double> temperature(n, std::nan("")), humidity(n, std::nan(""));
    std::vector<double> hours(n, 0);
    for (std::size_t i = 0; i < n; ++i) {
        judged[i] = samples[i].air ? judge.Assess(*samples[i].air) : Judgement{};
        hours[i] =
            static_cast<double>(std::max<std::int64_t>(samples[i].end - samples[i].start, 0)) /
            3600;
        if (judged[i].verdict == Verdict::Invalid) {
            continue;
        }
        const Air& air = *samples[i].air;
        const auto saturation = SaturationPressureAt(air.dryBulb, judge.formulation());
        temperature[i] = air.dryBulb - kCelsiusOffset;
        humidity[i] = saturation ? 100 * VapourPressureOf(air) / *saturation : std::nan("");
    }
    const auto& rule = judge.envelope().collection;
    if (!rule) {
        return judged;
    }

    // The year's set points: as chosen, else the time-weighted averages of the valid readings.
    const auto average = [&](const std::vector<double>& values) {
        double sum = 0, weight = 0;
        for (std::size_t i = 0; i < n; ++i) {
            if (std::isfinite(values[i])) {
                sum += values[i] * hours[i];
                weight += hours[i];
            }
        }
        return weight > 0 ? sum / weight : std::nan("");
    };
    const double setT = rule->temperatureSetPoint.value_or(average(temperature));
    const double setRh = rule->humiditySetPoint.value_or(average(humidity));

    // The set point in use at each reading: the time-weighted mean of the valid readings that
    // end within the window up to its end, in time order whatever the samples' order.
    std::vector<std::size_t> order(n);
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return samples[a].end < samples[b].end; });
    const auto window = static_cast<std::int64_t>(std::llround(rule->windowHours * 3600));
    double sumT = 0, sumRh = 0, weight = 0;
    std::size_t first = 0;
    const auto add = [&](std::size_t i, double sign) {
        if (std::isfinite(temperature[i]) && std::isfinite(humidity[i])) {
            sumT += sign * temperature[i] * hours[i];
            sumRh += sign * humidity[i] * hours[i];
            weight += sign * hours[i];
        }
    };
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t i = order[k];
        add(i, 1);
        while (samples[order[first]].end <= samples[i].end - window) {
            add(order[first++], -1);
        }
        Judgement& j = judged[i];
        if (j.verdict != Verdict::Inside || !std::isfinite(temperature[i]) || !(weight > 0)) {
            continue;
        }
        const double inUseT = sumT / weight, inUseRh = sumRh / weight;
        const auto limit = [](const std::optional<double>& v) { return v.value_or(kInfinity); };
        double kelvin = 0, percent = 0;
        if (rule->temperatureFluctuation) {
            kelvin = Over(temperature[i], inUseT - *rule->temperatureFluctuation,
                          inUseT + *rule->temperatureFluctuation);
        }
        if (rule->humidityFluctuation) {
            percent = Over(humidity[i], inUseRh - *rule->humidityFluctuation,
                           inUseRh + *rule->humidityFluctuation);
        }
        const double highestT =
            std::min(setT + limit(rule->temperatureUp), limit(rule->temperatureCeiling));
        kelvin = std::max(kelvin, Over(inUseT, setT - limit(rule->temperatureDown), highestT));
        percent = std::max(percent, Over(inUseRh, setRh - limit(rule->humidityDown),
                                         setRh + limit(rule->humidityUp)));
        // A reading on a limit is inside: the last digits of a mean are no excursion.
        constexpr double kOnLimit = 1e-9;
        if (kelvin > kOnLimit || percent > kOnLimit) {
            j.verdict = Verdict::Outside;
            j.beyond = kelvin;
            j.percentBeyond = percent;
        }
    }
    return judged;
}

} // namespace hygrovane::envelopes
