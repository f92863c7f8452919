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

// The Newton step on HumidityRatioFromWetBulb less W at Twb, from a saturation pressure p* and
// the slope of ln p*; unchecked, for the estimate of the search only. With W = N / D, the step
// (N / D - W) / (N / D)' is (N - W D) D / (N' D + 4.186 N), as D' = -4.186.
double NewtonStep(double Twb, double T, double P, double W, double pStar, double lnSlope) {
    const double q = 1 / (P - pStar);
    const double WStar = kMolecularWeightRatio * pStar * q;
    const double dWStar = WStar * P * q * lnSlope;
    const double t = T - kCelsiusOffset;
    const double tStar = Twb - kCelsiusOffset;
    const double A = kLatentHeatAt0C - kLatentHeatSlope * tStar;
    const double D = (kLatentHeatAt0C + kVapourSpecificHeat * t) - kLiquidWaterSpecificHeat * tStar;
    const double N = A * WStar - kDryAirSpecificHeat * (t - tStar);
    const double dN = -kLatentHeatSlope * WStar + A * dWStar + kDryAirSpecificHeat;
    return (N - W * D) * D / (dN * D + kLiquidWaterSpecificHeat * N);
}

// The wet bulb to about 1E-12 K. Newton steps first on a model whose ln p* is the
// Clausius-Clapeyron line through the fast value and slope at the dry bulb (one exponential a
// step, within some tenths of a kelvin of the root), then on the fast residual itself, which
// from there converge in two or three.
double EstimateWetBulb(double W, double T, double P, SatFormulation formulation,
                       FastSaturationMemo& memo) {
    const FastSaturation top = FastSaturationWithSlope(T, formulation, true);
    const double B = top.slope * T * T; // K
    double x = T;
    for (int k = 0; k < 40; ++k) {
        const double pStar = top.p * std::exp(B * (1 / T - 1 / x));
        const double step = NewtonStep(x, T, P, W, pStar, B / (x * x));
        if (!std::isfinite(step) || x - step < kBracketLow) {
            x = T;
            break;
        }
        x -= step;
        if (std::fabs(step) < 1e-2) {
            break;
        }
    }
    for (int k = 0; k < 20; ++k) {
        const FastSaturation f = FastSaturationNear(x, memo, formulation, true);
        const double step = NewtonStep(x, T, P, W, f.p, f.slope);
        x -= step;
        // The error after a step is about its square times 1E-2 / K.
        if (!(std::fabs(step) > 1e-5)) {
            break;
        }
    }
    return x;
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
    FastSaturationMemo memo; // the estimate's last evaluation serves the signs next to it
    const auto estimate = [&] { return EstimateWetBulb(W, T, P, formulation, memo); };
    // The fast residual's sign, where it is sure: p* within about 1E-14 of SaturationPressure,
    // W* magnifying that by P / (P - p*), the rest the same operations as the residual's.
    const auto quickSign = [&](double Twb) {
        const double pStar = FastSaturationNear(Twb, memo, formulation, true).p;
        const double q = 1 / (P - pStar);
        const double WStar = pStar * kMolecularWeightRatio * q;
        const double t = T - kCelsiusOffset;
        const double tStar = Twb - kCelsiusOffset;
        const double gain = (kLatentHeatAt0C - kLatentHeatSlope * tStar) * WStar;
        const double loss = kDryAirSpecificHeat * (t - tStar);
        // Positive for every temperature of the bracket; the residual is (gain - loss) / D - W.
        const double D =
            (kLatentHeatAt0C + kVapourSpecificHeat * t) - kLiquidWaterSpecificHeat * tStar;
        const double r = (gain - loss) - W * D;
        const double bound = bisection_detail::kSure * (std::fabs(gain) * (1 + std::fabs(P * q)) +
                                                        std::fabs(loss) + std::fabs(D * W));
        return !(D > 0) ? 0 : r > bound ? 1 : r < -bound ? -1 : 0;
    };
    return BisectIncreasing(BisectionSettings{kBracketLow, T}, residual, passes, estimate,
                            quickSign);
}

} // namespace hygrovane::engine
