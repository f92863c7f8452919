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

// HumidityRatioFromWetBulb on FastSaturationPressure, unchecked: within a few units in the last
// place of it, for the estimate of the search only.
double FastHumidityRatioFromWetBulb(double Twb, double T, double P, SatFormulation formulation) {
    const double pStar = FastSaturationPressure(Twb, formulation);
    const double WStar = pStar * kMolecularWeightRatio / (P - pStar);
    const double t = T - kCelsiusOffset;
    const double tStar = Twb - kCelsiusOffset;
    return ((kLatentHeatAt0C - kLatentHeatSlope * tStar) * WStar -
            kDryAirSpecificHeat * (t - tStar)) /
           ((kLatentHeatAt0C + kVapourSpecificHeat * t) - kLiquidWaterSpecificHeat * tStar);
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
    const auto residual = [&](double Twb) {
        return HumidityRatioFromWetBulb(Twb, T, P, formulation) - W;
    };
    // Secant steps down from the dry bulb, where the residual is the saturation humidity ratio
    // less W; the residual is smooth and convex, so they converge in a handful. They step on the
    // fast form of the residual; the search confirms the estimate with the residual itself.
    const auto fast = [&](double Twb) {
        return FastHumidityRatioFromWetBulb(Twb, T, P, formulation) - W;
    };
    const auto estimate = [&] {
        double x0 = T, f0 = fast(x0);
        double x1 = T - 1, f1 = fast(x1);
        for (int k = 0; k < 12 && f1 != f0; ++k) {
            const double x2 = x1 - f1 * (x1 - x0) / (f1 - f0);
            if (!std::isfinite(x2) || x2 < kBracketLow || std::fabs(x2 - x1) < 1e-11) {
                return x2;
            }
            x0 = x1, f0 = f1, x1 = x2, f1 = fast(x1);
        }
        return x1;
    };
    return BisectIncreasing(BisectionSettings{kBracketLow, T}, residual, passes, estimate);
}

} // namespace hygrovane::engine
