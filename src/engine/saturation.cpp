#include "engine/saturation.h"

#include "engine/bisection.h"
#include "engine/checked_math.h"
#include "engine/constants.h"

namespace hygrovane::engine {

namespace {

// IAPWS-IF97 region 4 (saturation line) coefficients n1..n10; dimensionless, with T in K and
// p in MPa.
constexpr double n1 = 1167.0521452767;
constexpr double n2 = -724213.16703206;
constexpr double n3 = -17.073846940092;
constexpr double n4 = 12020.82470247;
constexpr double n5 = -3232555.0322333;
constexpr double n6 = 14.91510861353;
constexpr double n7 = -4823.2657361591;
constexpr double n8 = 405113.40542057;
constexpr double n9 = -0.23855557567849;
constexpr double n10 = 650.17534844798;

// Triple point of water (IAPWS 2011 release on the melting and sublimation curves of ice Ih).
constexpr double tripleT = 273.16;  // K
constexpr double tripleP = 611.657; // Pa
// ln(611.657), ln Pa, for the fast form of the sublimation pressure.
constexpr double kLnTripleP = 6.416171667880966;

// IAPWS 2011 sublimation pressure of ice Ih: coefficients a1..a3 and exponents b1..b3,
// dimensionless, on theta = T / 273.16 K.
constexpr double a1 = -21.2144006;
constexpr double a2 = 27.3203819;
constexpr double a3 = -6.1059813;
constexpr double b1 = 0.00333333333;
constexpr double b2 = 1.20666667;
constexpr double b3 = 1.70333333;

// Hyland & Wexler (1983), ln(p / Pa) with T in K; C1..C7 over ice, C8..C13 over liquid water.
constexpr double C1 = -5674.5359;      // K
constexpr double C2 = 6.3925247;       // -
constexpr double C3 = -0.009677843;    // 1/K
constexpr double C4 = 6.2215701E-07;   // 1/K^2
constexpr double C5 = 2.0747825E-09;   // 1/K^3
constexpr double C6 = -9.484024E-13;   // 1/K^4
constexpr double C7 = 4.1635019;       // - (factor of ln T)
constexpr double C8 = -5800.2206;      // K
constexpr double C9 = 1.3914993;       // -
constexpr double C10 = -0.048640239;   // 1/K
constexpr double C11 = 4.1764768E-05;  // 1/K^2
constexpr double C12 = -1.4452093E-08; // 1/K^3
constexpr double C13 = 6.5459673;      // - (factor of ln T)

// Hyland & Wexler switch from ice to liquid water.
constexpr double iceMeltT = 273.15; // K

double IapwsSaturationPressure(double T) {
    if (T > tripleT) {
        // Region 4 saturation-pressure equation.
        const double theta = T + checkedDivide(n9, T - n10);
        const double X = checkedPow(theta, 2) + n1 * theta + n2;
        const double Y = n3 * checkedPow(theta, 2) + n4 * theta + n5;
        const double Z = n6 * checkedPow(theta, 2) + n7 * theta + n8;
        const double root = checkedSqrt(checkedPow(Y, 2) - 4 * X * Z);
        return checkedFinite(checkedPow(checkedDivide(2 * Z, -Y + root), 4) * 1000000);
    }
    // Sublimation of ice Ih, the triple point itself included.
    const double theta = T / tripleT;
    double S = 0;
    S = S + a1 * checkedPow(theta, b1);
    S = S + a2 * checkedPow(theta, b2);
    S = S + a3 * checkedPow(theta, b3);
    return checkedFinite(checkedExp(checkedDivide(S, theta)) * tripleP);
}

double HylandWexlerSaturationPressure(double T) {
    double L = 0;
    if (T < iceMeltT) {
        L = checkedDivide(C1, T) + C2 + C3 * T + C4 * checkedPow(T, 2) + C5 * checkedPow(T, 3) +
            C6 * checkedPow(T, 4) + C7 * checkedLog(T);
    } else {
        L = checkedDivide(C8, T) + C9 + C10 * T + C11 * checkedPow(T, 2) + C12 * checkedPow(T, 3) +
            C13 * checkedLog(T);
    }
    return checkedExp(L);
}

// Region 4 backward equation, for pressures above the triple point.
double IapwsSaturationTemperature(double p) {
    const double beta = checkedPow(p / 1000000, 0.25);
    const double E = checkedPow(beta, 2) + n3 * beta + n6;
    const double F = n1 * checkedPow(beta, 2) + n4 * beta + n7;
    const double G = n2 * checkedPow(beta, 2) + n5 * beta + n8;
    const double D = checkedDivide(2 * G, -F - checkedSqrt(checkedPow(F, 2) - 4 * E * G));
    const double T = ((n10 + D) - checkedSqrt(checkedPow(n10 + D, 2) - 4 * (n9 + n10 * D))) * 0.5;
    return checkedFinite(T);
}

// The Clausius-Clapeyron form ln p = A - B / T through the saturation pressures at 173.15 K and
// at the triple point (over ice) and at the triple point and 373.15 K (over water): a first
// guess of the saturation temperature, within a few kelvin.
constexpr double kIceA = 28.90, kIceB = 6142;
constexpr double kWaterA = 25.49, kWaterB = 5210;

// A saturation temperature to about 1E-12 K: Newton steps on the fast ln p from the
// Clausius-Clapeyron guess, a few hundredths of a kelvin off, converge in two or three. The
// search confirms the estimate with SaturationPressure itself.
double EstimateSaturationTemperature(double p, SatFormulation formulation,
                                     FastSaturationMemo& memo) {
    if (!(p > 0)) {
        return std::nan("");
    }
    const double lnP = std::log(p);
    const bool ice = p < tripleP;
    double T = (ice ? kIceB : kWaterB) / ((ice ? kIceA : kWaterA) - lnP);
    for (int k = 0; k < 8 && std::isfinite(T) && T > 0; ++k) {
        const FastSaturation f = FastSaturationNear(T, memo, formulation, false);
        const double step = (f.lnP - lnP) / f.slope;
        T -= step;
        // The error after a step is about its square times 1E-2 / K.
        if (!(std::fabs(step) > 1e-5)) {
            break;
        }
    }
    return T;
}

double SaturationBisection(double p, SatFormulation formulation, double hi, int* passes) {
    const auto residual = [&](double T) { return SaturationPressure(T, formulation) - p; };
    // FastLogSaturationPressure lies within about 1E-14 of ln SaturationPressure (the rounding of
    // its largest terms), so where it is kSure from ln p the sign of the residual is known. Next
    // to the root it is kCertain times the slope of ln p, about 1E-10, away.
    const double lnP = std::log(p);
    FastSaturationMemo memo;
    const auto quickSign = [&](double T) {
        const double d = FastSaturationNear(T, memo, formulation, false).lnP - lnP;
        return d > bisection_detail::kSure ? 1 : d < -bisection_detail::kSure ? -1 : 0;
    };
    return BisectIncreasing(
        BisectionSettings{kBracketLow, hi}, residual, passes,
        [&] { return EstimateSaturationTemperature(p, formulation, memo); }, quickSign);
}

} // namespace

double SaturationPressure(double T, SatFormulation formulation) {
    switch (formulation) {
    case SatFormulation::IAPWS:
        return IapwsSaturationPressure(T);
    case SatFormulation::HylandWexler:
        return HylandWexlerSaturationPressure(T);
    }
    return 0;
}

namespace {

// exp(y) for |y| < 2E-3, by its series: the first term left out is below 1E-19.
double SmallExp(double y) {
    return 1 + y * (1 + y * (0.5 + y * (1.0 / 6 + y * (1.0 / 24 + y * (1.0 / 120)))));
}

} // namespace

FastSaturation FastSaturationWithSlope(double T, SatFormulation formulation, bool wantP) {
    FastSaturation f{};
    if (formulation == SatFormulation::HylandWexler) {
        // The polynomial with its powers by multiplication.
        const bool ice = T < iceMeltT;
        const double T2 = T * T;
        const double C = ice ? C1 : C8;
        const double c = ice ? C7 : C13;
        const double poly = ice ? C2 + T * (C3 + T * C4) + T2 * T * (C5 + T * C6)
                                : C9 + T * (C10 + T * C11) + T2 * T * C12;
        const double dPoly = ice ? C3 + T * (2 * C4) + T2 * (3 * C5 + T * (4 * C6))
                                 : C10 + T * (2 * C11) + T2 * (3 * C12);
        const double invT = 1 / T;
        f.lnP = C * invT + poly + c * std::log(T);
        f.slope = (c - C * invT) * invT + dPoly;
        f.p = wantP ? std::exp(f.lnP) : 0;
        return f;
    }
    if (T > tripleT) {
        // Region 4 and its derivative through theta, X, Y, Z and the root.
        const double r = 1 / (T - n10);
        const double theta = T + n9 * r;
        const double dTheta = 1 - n9 * r * r;
        const double X = theta * theta + n1 * theta + n2;
        const double Y = n3 * theta * theta + n4 * theta + n5;
        const double Z = n6 * theta * theta + n7 * theta + n8;
        const double dX = 2 * theta + n1;
        const double dY = 2 * n3 * theta + n4;
        const double dZ = 2 * n6 * theta + n7;
        const double root = std::sqrt(Y * Y - 4 * X * Z);
        const double invDen = 1 / (-Y + root);
        const double invZ = 1 / Z;
        const double dRoot = (Y * dY - 2 * (dX * Z + X * dZ)) / root;
        const double q = 2 * Z * invDen;
        f.p = (q * q) * (q * q) * 1000000;
        f.lnP = wantP ? 0 : std::log(f.p);
        f.slope = 4 * (dZ * invZ - (-dY + dRoot) * invDen) * dTheta;
        return f;
    }
    // The three powers of theta from one logarithm; d(S / theta)/d theta = (S' theta - S) /
    // theta^2.
    // theta^b1 and theta^(b3 - b2 - 1/2) are exponentials of arguments below 2E-3 in size, whose
    // series to the fifth power are exact to rounding; theta^b3 = theta^b2 sqrt(theta) times the
    // latter.
    const double theta = T * (1 / tripleT);
    const double invTheta = 1 / theta;
    const double lnTheta = std::log(theta);
    const double e1 = SmallExp(b1 * lnTheta);
    const double e2 = std::exp(b2 * lnTheta);
    const double e3 = e2 * std::sqrt(theta) * SmallExp((b3 - b2 - 0.5) * lnTheta);
    const double S = a1 * e1 + a2 * e2 + a3 * e3;
    const double thetaDS = a1 * b1 * e1 + a2 * b2 * e2 + a3 * b3 * e3;
    f.lnP = S * invTheta + kLnTripleP;
    f.slope = (thetaDS - S) * invTheta * invTheta * (1 / tripleT);
    f.p = wantP ? std::exp(f.lnP) : 0;
    return f;
}

FastSaturation FastSaturationNear(double T, FastSaturationMemo& memo, SatFormulation formulation,
                                  bool wantP) {
    const double step = T - memo.T;
    const bool sameSide = formulation == SatFormulation::IAPWS
                              ? (T > tripleT) == (memo.T > tripleT)
                              : (T < iceMeltT) == (memo.T < iceMeltT);
    if (memo.T > 0 && std::fabs(step) <= 1e-7 && sameSide && std::isfinite(memo.at.slope)) {
        const double d = memo.at.slope * step;
        FastSaturation f = memo.at;
        f.lnP = memo.at.lnP + d;
        f.p = memo.at.p * (1 + d * (1 + d * 0.5));
        return f;
    }
    memo.T = T;
    memo.at = FastSaturationWithSlope(T, formulation, wantP);
    return memo.at;
}

double FastLogSaturationPressure(double T, SatFormulation formulation) {
    return FastSaturationWithSlope(T, formulation, false).lnP;
}

double FastSaturationPressure(double T, SatFormulation formulation) {
    return FastSaturationWithSlope(T, formulation, true).p;
}

double SaturationTemperature(double p, SatFormulation formulation, int* passes) {
    if (passes != nullptr) {
        *passes = 0;
    }
    switch (formulation) {
    case SatFormulation::IAPWS:
        if (checkedFinite(p) <= tripleP) {
            // Only pressures up to the triple point get here.
            return SaturationBisection(p, formulation, kIapwsBracketHigh, passes);
        }
        return IapwsSaturationTemperature(p);
    case SatFormulation::HylandWexler:
        return SaturationBisection(checkedFinite(p), formulation, kHylandWexlerBracketHigh, passes);
    }
    return 0;
}

} // namespace hygrovane::engine
