#include "climateanalysis/climate_settings.h"

#include "text/number_text.h"

#include <array>
#include <cstdio>
#include <string>
#include <utility>

namespace hygrovane::climateanalysis {

namespace {

constexpr std::array<std::pair<ComfortModel, const char*>, 6> kModels{{
    {ComfortModel::Pmv, "pmv"},
    {ComfortModel::Ashrae55, "ashrae55"},
    {ComfortModel::AdaptiveAshrae, "adaptive-ashrae"},
    {ComfortModel::AdaptiveEn, "adaptive-en"},
    {ComfortModel::Fixed, "fixed"},
    {ComfortModel::None, "none"},
}};

using comfort::Strategy;
constexpr std::array<std::pair<Strategy, const char*>, 9> kStrategies{{
    {Strategy::Comfort, "comfort"},
    {Strategy::EvaporativeCooling, "evaporative-cooling"},
    {Strategy::ElevatedAirSpeed, "air-speed"},
    {Strategy::ThermalMass, "thermal-mass"},
    {Strategy::ThermalMassNightVentilation, "night-ventilation"},
    {Strategy::InternalGains, "internal-gains"},
    {Strategy::PassiveSolarHeating, "passive-solar"},
    {Strategy::Dehumidification, "dehumidification"},
    {Strategy::Humidification, "humidification"},
}};

std::string Number(double value) {
    return text::GeneralText(value, 6);
}

std::string TwoDigits(int hour) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:00", hour);
    return text;
}

} // namespace

const char* KeyOf(ComfortModel model) {
    for (const auto& [m, key] : kModels) {
        if (m == model) {
            return key;
        }
    }
    return "";
}

std::optional<ComfortModel> ComfortModelNamed(std::string_view key) {
    for (const auto& [m, name] : kModels) {
        if (key == name) {
            return m;
        }
    }
    return std::nullopt;
}

const char* KeyOf(comfort::Strategy strategy) {
    for (const auto& [s, key] : kStrategies) {
        if (s == strategy) {
            return key;
        }
    }
    return "";
}

std::optional<comfort::Strategy> StrategyNamed(std::string_view key) {
    for (const auto& [s, name] : kStrategies) {
        if (key == name) {
            return s;
        }
    }
    return std::nullopt;
}

const std::vector<comfort::Strategy>& AllStrategies() {
    static const std::vector<comfort::Strategy> all = [] {
        std::vector<comfort::Strategy> list;
        for (const auto& entry : kStrategies) {
            list.push_back(entry.first);
        }
        return list;
    }();
    return all;
}

std::string DescribeComfort(const ComfortSettings& s) {
    const std::string radiant =
        s.radiantOffset == 0
            ? "mean radiant = air"
            : "mean radiant = air " + std::string(s.radiantOffset > 0 ? "+ " : "- ") +
                  Number(s.radiantOffset < 0 ? -s.radiantOffset : s.radiantOffset) + " K";
    const std::string person = Number(s.metabolic) + " met, " + Number(s.clothing) + " clo, ";
    const std::string air = Number(s.airSpeed) + " m/s, " + radiant;
    const std::string limit =
        s.ppd ? "PPD <= " + Number(*s.ppd) + " %" : "|PMV| <= " + Number(s.pmvLimit);
    switch (s.model) {
    case ComfortModel::Pmv:
        return "PMV by ISO 7730, " + limit + ", " + person + air;
    case ComfortModel::Ashrae55:
        return "PMV by ASHRAE 55 (cooling effect above 0.1 m/s), " + limit + ", " + person + air;
    case ComfortModel::AdaptiveAshrae:
        return "adaptive ASHRAE 55, " + std::to_string(s.ashraeAcceptability) +
               " % acceptability, " + air;
    case ComfortModel::AdaptiveEn:
        return "adaptive EN 16798-1, category " +
               std::string(s.enCategory == 1   ? "I"
                           : s.enCategory == 2 ? "II"
                                               : "III") +
               ", " + air;
    case ComfortModel::Fixed:
        return "the chart's fixed winter and summer zones";
    case ComfortModel::None:
        return "none";
    }
    return "";
}

std::string DescribeFilter(const climate::Filter& f) {
    std::string text = "months " + std::to_string(f.firstMonth) + "-" +
                       std::to_string(f.lastMonth) + ", hours " + TwoDigits(f.fromHour) + "-" +
                       TwoDigits(f.toHour);
    if (f.occupiedOnly) {
        text += ", occupied hours only";
    }
    if (!f.ranges.empty()) {
        text +=
            ", " + std::to_string(f.ranges.size()) + (f.ranges.size() == 1 ? " range" : " ranges");
    }
    return text;
}

} // namespace hygrovane::climateanalysis
