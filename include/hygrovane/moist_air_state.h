#pragma once

#include "hygrovane/conditions.h"

#include <optional>

namespace hygrovane {

// The smallest and largest value of a quantity, both included.
struct Range {
    double minimum = 0;
    double maximum = 0;

    friend bool operator==(const Range&, const Range&) = default;
};

// The dry bulb and the pressure as the calculation holds them.
struct Ambient {
    PressureInput pressureInput = PressureInput::Barometric;
    float dryBulb = 0;   // K, held in 32 bits
    double pressure = 0; // Pa; a 32-bit value when derived from the altitude
    double altitude = 0; // m; a 32-bit value when derived from the pressure
};

// Air saturated with water at the ambient dry bulb and pressure, and the wet bulb of dry air:
// the bounds of every humidity quantity.
struct Saturation {
    SatFormulation formulation = SatFormulation::IAPWS;
    double pressure = 0;         // saturation pressure of water at the dry bulb, Pa
    double humidityRatio = 0;    // kg water per kg dry air
    double moleFraction = 0;     // fraction
    double absoluteHumidity = 0; // kg/m^3
    double molecularWeight = 0;  // kg/kmol
    double massFraction = 0;     // fraction
    double dryAirWetBulb = 0;    // wet bulb of perfectly dry air, K
};

// Shares of the moist air's species, by volume or by mass. Argon's is held in 32 bits.
struct Composition {
    double N2 = 0;
    double O2 = 0;
    float Ar = 0;
    double CO2 = 0;
    double H2O = 0;
};

// The whole state of moist air at one set of conditions, in internal units.
struct MoistAirState {
    Ambient ambient;
    Saturation saturation;

    double humidityRatio = 0;       // kg water per kg dry air
    double relativeHumidity = 0;    // fraction (capped at 1 where it is derived from W or T_d)
    std::optional<double> dewPoint; // K; empty when it lies below kLowestDewPoint
    double wetBulb = 0;             // K
    float partialPressure = 0;      // Pa, 32-bit
    double moleFraction = 0;        // of water, fraction
    double massFraction = 0;        // of water, fraction
    float absoluteHumidity = 0;     // kg water per m^3 of moist air, 32-bit
    double molecularWeight = 0;     // kg/kmol

    double gasConstant = 0;    // J/(kg K)
    double density = 0;        // kg of moist air per m^3
    double specificVolume = 0; // m^3 per kg of dry air
    double enthalpy = 0;       // kJ per kg of dry air, from dry air and liquid water at 0 degC
    Composition byVolume;
    Composition byMass;
};

// The physically possible range of a humidity quantity at the ambient dry bulb and pressure:
// from dry air to saturated air (for the dew point, from kLowestDewPoint to the dry bulb).
Range LimitsOf(HumidityInput input, const Ambient& ambient, const Saturation& saturation);

// The state's value of a humidity quantity; no value for a dew point below the minimum.
std::optional<double> ValueOf(const MoistAirState& state, HumidityInput input);

} // namespace hygrovane
