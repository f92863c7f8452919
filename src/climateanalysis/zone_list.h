#pragma once

// The zones of an analysis, each with its outline on the chart plane and the per-hour test that
// counts the same hours: the comfort model's zone(s), the passive strategies and the user's zones.

#include "climate/hourly_states.h"
#include "climate/weather_data.h"
#include "climate/zones.h"
#include "climateanalysis/climate_settings.h"
#include "comfort/plane.h"
#include "comfort/pmv_zone.h"
#include "hygrovane/expected.h"

#include <string>
#include <vector>

namespace hygrovane::climateanalysis {

struct AnalysisZone {
    std::string name;
    // In (K, kg/kg) at the chart's air; one polygon (none when the zone is empty on the chart).
    std::vector<comfort::Polygon> outlines;
    climate::ZoneTest test;
    std::string note; // how the zone was made, where that needs saying (the adaptive mean)
};

struct ZoneList {
    comfort::PlaneAir air; // the chart's pressure and formulation
    std::vector<AnalysisZone> zones;

    std::vector<climate::ZoneTest> Tests() const;
};

struct AnalysisFailure {
    enum class Kind {
        Zone,         // a zone could not be made from its parameters (detail says why)
        TooManyZones, // more than climate::kMostZones
    };
    Kind kind = Kind::Zone;
    std::string zone; // the zone's name, for Zone
    std::string detail;
};
// "PMV comfort (ISO 7730): ISO 7730: metabolic rate 9 met outside 0.8 to 4 met" and the like.
std::string Describe(const AnalysisFailure& failure);

// The chart the zones are drawn on: the mean pressure of the hours with a state (the station's
// pressure over the year, or the elevation's standard pressure when every hour uses it).
comfort::PlaneAir ChartAirOf(const climate::HourlyStates& states);

// The PMV zone's parameters for the settings (ISO 7730 or ASHRAE 55).
comfort::PmvZoneParameters PmvParametersOf(const ComfortSettings& settings,
                                           const comfort::PlaneAir& air);

// An hour on the chart drawn at `air`: its dry bulb and the humidity ratio its water vapour
// pressure has at the chart's pressure, so that its relative humidity and dew point read right
// against the chart's curves whatever its station pressure (identical when the hour was computed
// at the chart's pressure). Every zone judges this point, with the hour's own relative humidity
// and wet bulb.
ChartPoint ChartPointOf(const climate::HourState& state, const comfort::PlaneAir& air);
comfort::PlaneState PlaneStateOf(const climate::HourState& state, const comfort::PlaneAir& air);

// The zones in list order: the comfort model's, the strategies in the settings' order, then the
// user zones. The PMV zones are counted by their outline, which is solved fine enough to hold the
// same hours as the model (tested on a year); the other zones by their rules. Each adaptive hour
// is judged at its own day's prevailing mean outdoor temperature (prevailing_mean.h).
Expected<ZoneList, AnalysisFailure> BuildZones(const ClimateSettings& settings,
                                               const climate::WeatherData& data,
                                               const climate::HourlyStates& states);

} // namespace hygrovane::climateanalysis
