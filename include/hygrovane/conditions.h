#pragma once

#include "hygrovane/sat_formulation.h"

#include <array>

namespace hygrovane {

// The eight ways of giving the humidity of moist air.
enum class HumidityInput {
    HumidityRatio,    // kg water per kg dry air
    RelativeHumidity, // fraction, 0 to 1
    DewPoint,         // K
    WetBulb,          // K
    AbsoluteHumidity, // kg water per m^3 of moist air
    PartialPressure,  // Pa, of the water vapour
    MoleFraction,     // fraction of water in the moist air
    MassFraction,     // fraction of water in the moist air
};

inline constexpr std::array<HumidityInput, 8> kHumidityInputs = {
    HumidityInput::HumidityRatio, HumidityInput::RelativeHumidity, HumidityInput::DewPoint,
    HumidityInput::WetBulb,       HumidityInput::AbsoluteHumidity, HumidityInput::PartialPressure,
    HumidityInput::MoleFraction,  HumidityInput::MassFraction};

// Whether the ambient pressure is given directly or as an altitude of the standard atmosphere.
enum class PressureInput { Barometric, Altitude };

// Everything that fixes the state of moist air, in internal units.
struct Conditions {
    double dryBulb = 298.15; // K
    PressureInput pressureInput = PressureInput::Barometric;
    double pressure = 101325; // Pa, read when pressureInput is Barometric
    double altitude = 0;      // m above sea level, read when pressureInput is Altitude
    HumidityInput humidityInput = HumidityInput::RelativeHumidity;
    double humidity = 0.5; // in the unit listed beside humidityInput
    SatFormulation formulation = SatFormulation::IAPWS;
};

// The accepted ranges of the ambient inputs, both ends included (K, Pa, m).
inline constexpr double kLowestDryBulb = 173.15;
inline constexpr double kHighestDryBulb = 373.15;
inline constexpr double kLowestPressure = 5000;
inline constexpr double kHighestPressure = 1000000;
inline constexpr double kLowestAltitude = -5000;
inline constexpr double kHighestAltitude = 11000;
// The lowest dew point that is reported; below it a dew point is "below the minimum".
inline constexpr double kLowestDewPoint = 173.15;

} // namespace hygrovane
