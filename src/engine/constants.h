#pragma once

// The constants of the moist-air relations, each named once with its unit and source. The values
// are exactly the decimals the relations use; the shown digits depend on them.

namespace hygrovane::engine {

// Ratio of the molecular weights of water and dry air, dimensionless. A constant of its own (not
// computed as 18.01528 / 28.9645), as in the ASHRAE Handbook of Fundamentals, chapter 1.
inline constexpr double kMolecularWeightRatio = 0.62198;
// Molecular weight of water, kg/kmol (ASHRAE Handbook of Fundamentals, chapter 1).
inline constexpr double kWaterMolecularWeight = 18.01528;
// Molecular weight of dry air, kg/kmol (ASHRAE Handbook of Fundamentals, chapter 1).
inline constexpr double kDryAirMolecularWeight = 28.9645;
// Their difference, kg/kmol, written as the mass-fraction relation uses it.
inline constexpr double kMolecularWeightDifference = 10.94922;
// Universal gas constant, J/(kmol K) (ASHRAE Handbook of Fundamentals, chapter 1).
inline constexpr double kUniversalGasConstant = 8314.41;

// Specific volume of moist air, v = 287.1 T (1 + 1.6078 W) / P: the gas constant of dry air,
// J/(kg K), rounded (not 8314.41 / 28.9645), and the ratio of the molecular weights of dry air
// and water, dimensionless.
inline constexpr double kDryAirGasConstant = 287.1;
inline constexpr double kDryAirToWaterRatio = 1.6078;

// Specific enthalpy of moist air, h = 1.006 t + W (2501 + 1.805 t), t in degC, kJ/kg dry air,
// from dry air and liquid water at 0 degC (ASHRAE Handbook of Fundamentals, chapter 1).
inline constexpr double kDryAirSpecificHeat = 1.006;      // kJ/(kg K)
inline constexpr double kLatentHeatAt0C = 2501.0;         // kJ/kg, evaporation of water at 0 degC
inline constexpr double kVapourSpecificHeat = 1.805;      // kJ/(kg K)
inline constexpr double kLiquidWaterSpecificHeat = 4.186; // kJ/(kg K), wet-bulb equation
inline constexpr double kLatentHeatSlope = 2.381;         // kJ/(kg K), wet-bulb equation
// Offset of the Celsius scale, K.
inline constexpr double kCelsiusOffset = 273.15;

// Composition of dry air by volume and by mass (fractions; each column sums to exactly 1).
inline constexpr double kDryAirMoleN2 = 0.78084;
inline constexpr double kDryAirMoleO2 = 0.209476;
inline constexpr double kDryAirMoleAr = 0.009365;
inline constexpr double kDryAirMoleCO2 = 0.000319;
inline constexpr double kDryAirMassN2 = 0.755184;
inline constexpr double kDryAirMassO2 = 0.231415;
inline constexpr double kDryAirMassAr = 0.012916;
inline constexpr double kDryAirMassCO2 = 0.000485;

// Brackets of the bisections, K: the lowest temperature of the saturation range for both
// searches; the triple point of water for the IAPWS sublimation branch (IAPWS 2011); the top of
// the Hyland-Wexler range. The wet bulb's upper end is the dry bulb itself.
inline constexpr double kBracketLow = 173.15;
inline constexpr double kIapwsBracketHigh = 273.16;
inline constexpr double kHylandWexlerBracketHigh = 473.15;
// Bracket width at which both searches stop, K.
inline constexpr double kBisectionTolerance = 0.000001;

} // namespace hygrovane::engine
