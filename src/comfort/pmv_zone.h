#pragma once

// The comfort zone of the PMV model on the chart plane: every (dry bulb, humidity ratio) whose
// PMV lies within +-limit (or whose PPD is at most a given percentage) for one set of personal
// and air parameters. The boundaries are the dry bulbs at which PMV reaches -limit and +limit,
// solved for each relative humidity; the zone is closed along the saturation curve and, when
// given, cut at a humidity-ratio limit (ASHRAE 55-2004 drew it at 0.012 kg/kg).

#include "comfort/comfort_error.h"
#include "comfort/plane.h"

#include <optional>

namespace hygrovane::comfort {

enum class PmvModel {
    Iso7730,  // the Fanger model as ISO 7730 Annex D computes it
    Ashrae55, // the same, with ASHRAE 55's cooling effect above 0.1 m/s
};

struct PmvZoneParameters {
    PmvModel model = PmvModel::Iso7730;
    double metabolic = 1.1;    // met
    double clothing = 0.5;     // clo
    double airSpeed = 0.1;     // m/s
    double externalWork = 0;   // met
    double radiantOffset = 0;  // K: t_r = t_a + offset (0: mean radiant equal to the air)
    double pmvLimit = 0.5;     // |PMV| at most this (ISO 7730 category B, ASHRAE 55 5.3)
    std::optional<double> ppd; // when set, PPD at most this % instead of the PMV limit
    std::optional<double> maxHumidityRatio; // kg/kg; the zone is cut above it
    PlaneAir air;
};

// The hour's PMV (or PPD) judged against the zone: the point's relative humidity from the core,
// then the model with the humidity as that relative humidity (how the standards state their
// figures, so the zone agrees with the published counts). Points above saturation or the
// humidity limit are outside; the standards' ranges of application are not imposed on the hour
// (a frosty hour is simply far outside). Refused only for parameters the model cannot take.
ComfortResult<bool> InPmvZone(const PmvZoneParameters& zone, ChartPoint point);
// The same for a point whose state is known (a year of hours solved once).
ComfortResult<bool> InPmvZone(const PmvZoneParameters& zone, const PlaneState& state);

// The dry bulbs (K) where the zone's metric reaches its lower and its upper limit at a relative
// humidity (fraction 0..1).
struct ZoneEdges {
    double lower = 0; // K
    double upper = 0; // K
};
ComfortResult<ZoneEdges> PmvZoneEdges(const PmvZoneParameters& zone, double relativeHumidity);

// The zone's outline: both boundaries sampled every 0.5 % relative humidity, saturation every
// 0.05 K between them, fine enough that counting the hours of a year inside the outline gives the
// same count as InPmvZone (tested on a year of weather). Failures: parameters out of the model's
// reach, or a boundary outside 0-50 degC.
ComfortResult<Polygon> SolvePmvZone(const PmvZoneParameters& zone);

} // namespace hygrovane::comfort
