#pragma once

// Passive design strategies beside comfort, in the manner of the bioclimatic charts (Olgyay
// 1963, Givoni 1969/1992, Milne & Givoni 1979): for each strategy, the outdoor hours whose
// dry bulb and humidity (and, for some, the hours before or the sun) let it bring the indoors
// into comfort. Each is a rule of our own wording with editable parameters; the defaults follow
// those charts' usual shapes and ASHRAE 55 for air movement (the user's guide, "Thermal comfort
// models").

#include "comfort/band_zone.h"
#include "comfort/comfort_error.h"
#include "comfort/plane.h"

#include <span>
#include <string>

namespace hygrovane::comfort {

enum class Strategy {
    Comfort,                     // the still-air comfort band the others extend
    EvaporativeCooling,          // direct evaporative cooling
    ElevatedAirSpeed,            // fans or natural ventilation
    ThermalMass,                 // high thermal mass
    ThermalMassNightVentilation, // high thermal mass flushed at night
    InternalGains,               // internal heat gains
    PassiveSolarHeating,         // passive solar heating
    Dehumidification,
    Humidification,
};

struct StrategyParameters {
    // The comfort band (K, kg/kg): 20-27 degC, about the still-air summer zone of Givoni's
    // chart (1992) for buildings in developed countries; 4 g/kg below, as on that chart; 12 g/kg
    // above, ASHRAE 55-2004's upper humidity ratio. Our defaults, all editable.
    double comfortLow = 293.15;
    double comfortHigh = 300.15;
    double minHumidityRatio = 0.004;
    double maxHumidityRatio = 0.012;
    // Evaporative cooling: above the comfort band up to this dry bulb, and up to this wet bulb
    // (the bioclimatic charts bound direct evaporative cooling by a wet bulb in the low twenties
    // and a dry bulb in the low forties: water sprayed into the air moves it along its wet-bulb
    // line into the band only from below such a wet bulb).
    double evaporativeMaxDryBulb = 315.15; // 42 degC
    double evaporativeMaxWetBulb = 295.15; // 22 degC
    // Elevated air speed: the comfort band's upper edge moved up by the cooling effect of this
    // speed (ASHRAE 55-2020 Appendix D, by SET, at 1.1 met, 0.5 clo, 50 % relative humidity),
    // up to this relative humidity.
    double airSpeed = 0.8; // m/s, ASHRAE 55's limit without occupant control above 25.5 degC
    double airSpeedMaxRelativeHumidity = 0.90;
    // High thermal mass: up to this far above the comfort band, when the time-weighted mean of
    // the 24 hours before is within it (the mass settles near the daily mean, so a day whose mean
    // is comfortable stays comfortable indoors through its warm hours).
    double massRise = 6.0; // K
    // With night ventilation: up to this far above, when the coolest of the 24 hours before was
    // at or below `nightFlushMax` (cool night air flushed through the mass).
    double nightVentilationRise = 9.0; // K
    double nightFlushMax = 293.15;     // K, 20 degC
    // Internal heat gains: down to this dry bulb below the comfort band (a typical balance point
    // of an insulated building with people and equipment inside).
    double internalGainsLowest = 285.95; // 12.8 degC
    // Passive solar heating: down to this dry bulb, when the global horizontal radiation of the
    // 24 hours before sums to at least `solarMinRadiation` (a day's sun stored in the building).
    double solarLowest = 280.15;       // 7 degC
    double solarMinRadiation = 2500.0; // Wh/m2 over the 24 hours
};

// The records before the one judged, oldest first: dry bulbs (K) for thermal mass, global
// horizontal radiation (Wh/m2 per hour, a rate, so that a record of a minute holds the hour's
// figure) for passive solar heating, and the hours each record stands for (empty: an hour
// each). The rules that need them take the last records that make up 24 hours and weigh each by
// its hours; missing values (NaN) or fewer than 24 hours refuse the hour.
struct HourHistory {
    std::span<const double> dryBulbs;
    std::span<const double> radiation;
    std::span<const double> hours = {};
};

struct StrategyZone {
    Strategy strategy = Strategy::Comfort;
    std::string name;
    BandZone band; // where the strategy can work, judging the hour alone
    StrategyParameters parameters;
};

// The zone of a strategy; the elevated-air-speed zone computes its cooling effect here.
// Refused for parameters out of order (a comfort band running backwards) or not numbers.
ComfortResult<StrategyZone> StrategyZoneOf(Strategy strategy,
                                           const StrategyParameters& parameters = {});
// Whether the strategy helps in this hour: inside its band and, for thermal mass and passive
// solar heating, the history's condition. Refused (History, Radiation) when the rule needs
// hours it does not have.
ComfortResult<bool> InStrategyZone(const StrategyZone& zone, ChartPoint point,
                                   const HourHistory& history, const PlaneAir& air);
// The same for a point whose state is known (a year of hours solved once).
ComfortResult<bool> InStrategyZone(const StrategyZone& zone, const PlaneState& state,
                                   const HourHistory& history);
// The band's outline; the history-dependent strategies draw where they could work, and count the
// hours their rule accepts within it.
ComfortResult<Polygon> StrategyOutline(const StrategyZone& zone, const PlaneAir& air);
// Whether a strategy's rule looks at the hours before.
bool NeedsHistory(Strategy strategy);

} // namespace hygrovane::comfort
