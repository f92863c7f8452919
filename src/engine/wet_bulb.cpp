#include "engine/wet_bulb.h"

#include "engine/bisection.h"
#include "engine/checked_math.h"
#include "engine/saturation.h"

namespace hygrovane::engine {

namespace {

// Ratio of the molar masses of water and dry air, 18.01528 / 28.9645 kg/kmol.
constexpr double molarMassRatio = 0.62198;

// Wet-bulb equation over liquid water, temperatures in degrees Celsius.
constexpr double latentHeat0 = 2501;    // kJ/kg, heat of vaporization at 0 degC
constexpr double latentSlope = 2.381;   // kJ/kg-K, its decrease with the wet bulb
constexpr double cpDryAir = 1.006;      // kJ/kg-K, dry air
constexpr double cpVapour = 1.805;      // kJ/kg-K, water vapour
constexpr double cpLiquidWater = 4.186; // kJ/kg-K, liquid water

constexpr double celsiusOffset = 273.15; // K at 0 degC

// Wet-bulb bracket, K: from the bottom of the saturation range up to the dry bulb itself.
constexpr double bracketLo = 173.15;

bool IsKnown(SatFormulation formulation) {
    return formulation == SatFormulation::IAPWS || formulation == SatFormulation::HylandWexler;
}

} // namespace

double HumidityRatioFromWetBulb(double Twb, double T, double P, SatFormulation formulation) {
    if (!IsKnown(formulation)) {
        return 0;
    }
    // Below the formulation's switch temperature p* is over ice; the equation keeps its
    // liquid-water constants all the same.
    const double pStar = SaturationPressure(Twb, formulation);
    const double WStar = checkedDivide(pStar * molarMassRatio, P - pStar);
    const double t = T - celsiusOffset;
    const double tStar = Twb - celsiusOffset;
    const double W =
        checkedDivide((latentHeat0 - latentSlope * tStar) * WStar - cpDryAir * (t - tStar),
                      (latentHeat0 + cpVapour * t) - cpLiquidWater * tStar);
    return checkedFinite(W);
}

double WetBulbFromHumidityRatio(double W, double T, double P, SatFormulation formulation,
                                int* passes) {
    if (passes != nullptr) {
        *passes = 0;
    }
    if (!IsKnown(formulation)) {
        return 0;
    }
    // A non-finite target or bracket end would silently walk lo up to T.
    checkedFinite(W);
    checkedFinite(T);
    checkedFinite(P);
    return Bisect(
        BisectionSettings{bracketLo, T},
        [&](double Twb) { return HumidityRatioFromWetBulb(Twb, T, P, formulation) - W; }, passes);
}

} // namespace hygrovane::engine
