#pragma once

// What a climate analysis is asked: the comfort model and its parameters, the passive strategies,
// the user's zones, the filter, how each hour's state is computed and the units of the figures.

#include "climate/bins.h"
#include "climate/filters.h"
#include "climate/hourly_states.h"
#include "climate/zones.h"
#include "comfort/strategies.h"
#include "comfort/zones.h"

#include <optional>
#include <string_view>
#include <vector>

namespace hygrovane::climateanalysis {

enum class ComfortModel {
    Pmv,            // PMV by ISO 7730
    Ashrae55,       // PMV by ASHRAE 55, with its cooling effect above 0.1 m/s
    AdaptiveAshrae, // ASHRAE 55 section 5.4
    AdaptiveEn,     // EN 16798-1 Annex B
    Fixed,          // the chart's winter and summer zones
    None,           // strategies and user zones only
};

enum class Units { SI, IP };

struct ComfortSettings {
    ComfortModel model = ComfortModel::Pmv;
    double metabolic = 1.1;                 // met
    double clothing = 0.5;                  // clo
    double airSpeed = 0.1;                  // m/s
    double radiantOffset = 0;               // K: mean radiant = air temperature + offset
    double externalWork = 0;                // met
    double pmvLimit = 0.5;                  // |PMV| at most this ...
    std::optional<double> ppd;              // ... or PPD at most this %
    std::optional<double> maxHumidityRatio; // kg/kg; every comfort zone is cut above it
    int ashraeAcceptability = 80;           // 80 or 90 %
    int enCategory = 2;                     // I, II or III
    // degC: one prevailing mean outdoor temperature for every day instead of the data's own.
    std::optional<double> prevailingMean;
};

struct ClimateSettings {
    ComfortSettings comfort;
    std::vector<comfort::Strategy> strategies; // in the order the figures list them
    comfort::StrategyParameters strategyParameters;
    std::vector<comfort::UserZone> userZones;
    climate::Filter filter;
    climate::StateOptions states; // humidity rh|dew point, pressure station|elevation, formulation
    climate::OutsideRule outside;
    climate::BinAxis binAxis = climate::BinAxis::HumidityRatio;
    Units units = Units::SI; // of the figures written and of the bins
};

// Names as the command line and the files write them: "pmv", "ashrae55", "adaptive-ashrae",
// "adaptive-en", "fixed", "none".
const char* KeyOf(ComfortModel model);
std::optional<ComfortModel> ComfortModelNamed(std::string_view key);
// "comfort", "evaporative-cooling", "air-speed", "thermal-mass", "night-ventilation",
// "internal-gains", "passive-solar", "dehumidification", "humidification".
const char* KeyOf(comfort::Strategy strategy);
std::optional<comfort::Strategy> StrategyNamed(std::string_view key);
// Every strategy, in the order above.
const std::vector<comfort::Strategy>& AllStrategies();

// One line on the comfort model and its parameters, e.g.
// "PMV by ISO 7730, |PMV| <= 0.5, 1.1 met, 0.5 clo, 0.1 m/s, mean radiant = air".
std::string DescribeComfort(const ComfortSettings& settings);
// "months 11-2, hours 22:00-06:00, occupied hours only, 1 range".
std::string DescribeFilter(const climate::Filter& filter);

} // namespace hygrovane::climateanalysis
