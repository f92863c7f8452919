#include "engine/wet_bulb.h"

#include "engine/bisection.h"
#include "engine/checked_math.h"
#include "engine/constants.h"
#include "engine/saturation.h"

namespace hygrovane::engine {

namespace {

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
    const double WStar = checkedDivide(pStar * kMolecularWeightRatio, P - pStar);
    const double t = T - kCelsiusOffset;
    const double tStar = Twb - kCelsiusOffset;
    const double W = checkedDivide(
        (kLatentHeatAt0C - kLatentHeatSlope * tStar) * WStar - kDryAirSpecificHeat * (t - tStar),
        (kLatentHeatAt0C + kVapourSpecificHeat * t) - kLiquidWaterSpecificHeat * tStar);
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
        BisectionSettings{kBracketLow, T},
        [&](double Twb) { return HumidityRatioFromWetBulb(Twb, T, P, formulation) - W; }, passes);
}

} // namespace hygrovane::engine
