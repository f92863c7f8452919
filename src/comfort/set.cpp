#include "comfort/set.h"

#include "comfort/checks.h"
#include "comfort/root_finding.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::comfort {

namespace {

using detail::Bound;

constexpr const char* kModel = "SET";
constexpr double kPascalPerMmHg = 133.322368; // Pa per mmHg (torr)

// Saturation pressure of water, mmHg, as the two-node model writes it (ASHRAE 55 Appendix D);
// t in degC.
double SaturationMmHg(double t) {
    return std::exp(18.6686 - 4030.183 / (t + 235.0));
}

double VapourMmHg(const Humidity& h, double ta) {
    return h.kind == Humidity::Kind::RelativeHumidity ? h.value / 100.0 * SaturationMmHg(ta)
                                                      : h.value / kPascalPerMmHg;
}

constexpr double kMetFactor = 58.2; // W/m2 per met, as the two-node code takes it
constexpr double kClo = 0.25;       // clothing area factor per clo of the standard clothing

// The body after the exposure: what the standard environment is matched against.
struct ExposedBody {
    double tSkin; // degC
    double qSkin; // total heat loss from the skin, W/m2
    double w;     // skin wettedness
    double hR;    // linear radiation coefficient at the end, W/(m2 K)
};

// The two-node model's minutes in the environment (ASHRAE 55-2020 Appendix D); none when the
// clothing-temperature iteration runs away.
std::optional<ExposedBody> Expose(const ThermalInputs& in, const SetOptions& options) {
    const double ta = in.airTemperature;
    const double tr = in.meanRadiant;
    const double met = in.metabolic;
    const double clo = in.clothing;
    const double wme = in.externalWork;
    const double vaporPressure = VapourMmHg(in.humidity, ta); // mmHg
    const double airSpeed = std::max(in.airSpeed, 0.1);       // the model's floor, m/s

    // Constants of ASHRAE 55-2020 Appendix D.
    constexpr double bodySurface = 1.8258; // m2
    constexpr double bodyWeight = 70.0;    // kg
    constexpr double sbc = 5.6697e-8;      // Stefan-Boltzmann constant, W/(m2 K4)
    constexpr double cSw = 170.0;          // driving coefficient of regulatory sweating, g/(m2 h K)
    constexpr double cDil = 120.0;         // of vasodilation, L/(m2 h K)
    constexpr double cStr = 0.5;           // of vasoconstriction, 1/K
    constexpr double tSkinNeutral = 33.7;  // degC
    constexpr double tCoreNeutral = 36.8;  // degC
    constexpr double skinBloodFlowNeutral = 6.3; // L/(m2 h)
    constexpr double maxSkinBloodFlow = 90.0;    // L/(m2 h)
    constexpr double maxSweating = 500.0;        // g/(m2 h)

    double alfa = 0.1; // skin share of the body mass
    const double tBodyNeutral = alfa * tSkinNeutral + (1 - alfa) * tCoreNeutral;
    double tSkin = tSkinNeutral;
    double tCore = tCoreNeutral;
    double mBl = skinBloodFlowNeutral;
    double eSkin = 0.1 * met; // total evaporative loss from the skin, W/m2
    double qSensible = 0;
    double w = 0; // skin wettedness

    const double atm = options.pressure / 101325.0; // atmospheres
    const double rClo = 0.155 * clo;                // m2 K/W
    const double faCl = 1.0 + 0.15 * clo;           // clothing area factor
    const double lr = 2.2 / atm;                    // Lewis ratio, K/mmHg
    const double rm = (met - wme) * kMetFactor;     // W/m2
    double m = met * kMetFactor;                    // W/m2
    const double iCl = clo > 0 ? 0.45 : 1.0;        // vapour permeation efficiency
    // Critical skin wettedness, clothed or naked.
    const double wMax =
        clo > 0 ? 0.59 * std::pow(airSpeed, -0.08) : 0.38 * std::pow(airSpeed, -0.29);

    // Convection, W/(m2 K): natural, forced, and (not for the cooling effect) from activity.
    double hCc = 3.0 * std::pow(atm, 0.53);
    const double hFc = 8.600001 * std::pow(airSpeed * atm, 0.53);
    hCc = std::max(hCc, hFc);
    if (!options.forCoolingEffect && met > 0.85) {
        hCc = std::max(hCc, 5.66 * std::pow(met - 0.85, 0.39));
    }
    double hR = 4.7; // linear radiation, W/(m2 K), first guess
    double hT = hR + hCc;
    double rA = 1.0 / (faCl * hT);
    double tOp = (hR * tr + hCc * ta) / hT;

    // Respiration, W/m2.
    const double qRes = 0.0023 * m * (44.0 - vaporPressure);
    const double cRes = 0.0014 * m * (34.0 - ta);

    for (int minute = 0; minute < options.minutes; ++minute) {
        double tCl = (rA * tSkin + rClo * tOp) / (rA + rClo);
        for (int n = 0;; ++n) {
            // 0.73: the radiating share A_r/A_D of a standing body (ASHRAE Handbook Fundamentals
            // 2017 ch. 9; 0.70 seated), which the published SET rows use; 0.95: emissivity.
            const double mean = (tCl + tr) / 2.0 + kCelsiusOffset; // K
            hR = 4.0 * 0.95 * sbc * (mean * mean * mean) * 0.73;
            hT = hR + hCc;
            rA = 1.0 / (faCl * hT);
            tOp = (hR * tr + hCc * ta) / hT;
            const double next = (rA * tSkin + rClo * tOp) / (rA + rClo);
            const bool converged = std::abs(next - tCl) <= 0.01;
            tCl = next;
            if (converged) {
                break;
            }
            if (n > 150 || !std::isfinite(tCl)) {
                return std::nullopt;
            }
        }
        qSensible = (tSkin - tOp) / (rA + rClo);
        // Core to skin: tissue conductance 5.28 W/(m2 K), blood 1.163 Wh/(L K).
        const double hfCs = (tCore - tSkin) * (5.28 + 1.163 * mBl);
        const double sCore = m - hfCs - qRes - cRes - wme;
        const double sSkin = hfCs - qSensible - eSkin;
        const double tcSk = 0.97 * alfa * bodyWeight; // heat capacity, Wh/K (0.97 Wh/(kg K))
        const double tcCr = 0.97 * (1 - alfa) * bodyWeight;
        tSkin += sSkin * bodySurface / (tcSk * 60.0); // per minute
        tCore += sCore * bodySurface / (tcCr * 60.0);
        const double tBody = alfa * tSkin + (1 - alfa) * tCore;
        const double skSig = tSkin - tSkinNeutral;
        const double warmSk = std::max(skSig, 0.0);
        const double coldSk = std::max(-skSig, 0.0);
        const double cRegSig = tCore - tCoreNeutral;
        const double warmC = std::max(cRegSig, 0.0);
        const double coldC = std::max(-cRegSig, 0.0);
        const double warmB = std::max(tBody - tBodyNeutral, 0.0);
        mBl = std::clamp((skinBloodFlowNeutral + cDil * warmC) / (1 + cStr * coldSk), 0.5,
                         maxSkinBloodFlow);
        double mRsw = std::min(cSw * warmB * std::exp(warmSk / 10.7), maxSweating);
        double eRsw = 0.68 * mRsw; // W/m2, 0.68 Wh/g latent heat
        const double rEa = 1.0 / (lr * faCl * hCc);
        const double rEcl = rClo / (lr * iCl);
        const double eMax = (SaturationMmHg(tSkin) - vaporPressure) / (rEa + rEcl);
        double pRsw = eRsw / eMax;
        w = 0.06 + 0.94 * pRsw;
        double eDiff = w * eMax - eRsw;
        if (w > wMax) {
            w = wMax;
            pRsw = wMax / 0.94;
            eRsw = pRsw * eMax;
            eDiff = 0.06 * (1.0 - pRsw) * eMax;
        }
        if (eMax < 0) {
            eDiff = 0;
            eRsw = 0;
            w = wMax;
        }
        eSkin = eRsw + eDiff;
        mRsw = eRsw / 0.68;
        m = rm + 19.4 * coldSk * coldC; // shivering, W/m2
        alfa = 0.0417737 + 0.7451833 / (mBl + 0.585417);
    }

    return ExposedBody{tSkin, qSensible + eSkin, w, hR};
}

// SET: the temperature of the standard environment (50 % RH, still air, standard clothing for
// the activity) in which the body loses the same heat from its skin; NaN when Newton's method
// does not settle.
double StandardEnvironmentTemperature(const ExposedBody& body, const ThermalInputs& in,
                                      const SetOptions& options) {
    const double met = in.metabolic;
    const double wme = in.externalWork;
    const double atm = options.pressure / 101325.0; // atmospheres
    const double lr = 2.2 / atm;                    // Lewis ratio, K/mmHg
    const double tSkin = body.tSkin;
    const double qSkin = body.qSkin;
    const double w = body.w;
    const double hR = body.hR;
    const double pSSk = SaturationMmHg(tSkin);

    double hCS = 3.0 * std::pow(atm, 0.53);
    if (!options.forCoolingEffect && met > 0.85) {
        hCS = std::max(hCS, 5.66 * std::pow(met - 0.85, 0.39));
    }
    hCS = std::max(hCS, 3.0);
    const double hTS = hCS + hR;
    const double rCloS = 1.52 / ((met - wme / kMetFactor) + 0.6944) - 0.1835; // clo
    const double rClS = 0.155 * rCloS;
    const double faClS = 1.0 + kClo * rCloS;
    const double fClS = 1.0 / (1.0 + 0.155 * faClS * hTS * rCloS);
    constexpr double iMS = 0.45;
    const double iClS = iMS * hCS / hTS * (1 - fClS) / (hCS / hTS - fClS * iMS);
    const double rAS = 1.0 / (faClS * hTS);
    const double rEaS = 1.0 / (lr * faClS * hCS);
    const double rEclS = rClS / (lr * iClS);
    const double hDS = 1.0 / (rAS + rClS);
    const double hES = 1.0 / (rEaS + rEclS);

    // SET: the standard environment's temperature with the same skin heat loss; Newton with a
    // numerical derivative from Appendix D's start (rounded to 0.01 K as there).
    const auto err = [&](double set) {
        return qSkin - hDS * (tSkin - set) - w * hES * (pSSk - 0.5 * SaturationMmHg(set));
    };
    constexpr double delta = 0.0001;
    double set = std::round((tSkin - qSkin / hDS) * 100.0) / 100.0;
    for (int n = 0; n < 100; ++n) {
        const double e1 = err(set);
        const double next = set - delta * e1 / (err(set + delta) - e1);
        const double dx = next - set;
        set = next;
        if (std::abs(dx) <= 1e-6) {
            return set;
        }
    }
    return std::numeric_limits<double>::quiet_NaN();
}

// The two-node model; NaN when the clothing-temperature iteration runs away.
double TwoNode(const ThermalInputs& in, const SetOptions& options) {
    const std::optional<ExposedBody> body = Expose(in, options);
    return body ? StandardEnvironmentTemperature(*body, in, options)
                : std::numeric_limits<double>::quiet_NaN();
}

ComfortResult<Done> CheckMeaningful(const ThermalInputs& in, double pressure) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const ComfortInput humidity = in.humidity.kind == Humidity::Kind::RelativeHumidity
                                      ? ComfortInput::RelativeHumidity
                                      : ComfortInput::VapourPressure;
    const Bound bounds[] = {{ComfortInput::AirTemperature, in.airTemperature, -50, 100},
                            {ComfortInput::MeanRadiant, in.meanRadiant, -50, 150},
                            {ComfortInput::AirSpeed, in.airSpeed, 0, inf},
                            {humidity, in.humidity.value, 0, inf},
                            {ComfortInput::Metabolic, in.metabolic, 0.1, inf},
                            {ComfortInput::Clothing, in.clothing, 0, inf},
                            {ComfortInput::ExternalWork, in.externalWork, 0, in.metabolic},
                            {ComfortInput::Pressure, pressure, 30000, 120000}};
    return detail::CheckBounds(kModel, bounds);
}

} // namespace

ComfortResult<double> StandardEffectiveTemperature(const ThermalInputs& in, SetOptions options) {
    if (const auto checked = CheckMeaningful(in, options.pressure); !checked) {
        return Fail(checked.error());
    }
    const double set = TwoNode(in, options);
    if (std::isnan(set)) {
        return Fail(detail::NoSolution(kModel, ComfortInput::AirTemperature, in.airTemperature,
                                       "the two-node model did not converge"));
    }
    return set;
}

ComfortResult<double> CoolingEffect(const ThermalInputs& in, double pressure) {
    return CoolingEffectNear(in, std::numeric_limits<double>::quiet_NaN(), pressure);
}

ComfortResult<double> CoolingEffectNear(const ThermalInputs& in, double hint, double pressure) {
    if (const auto checked = CheckMeaningful(in, pressure); !checked) {
        ComfortFailure failure = checked.error();
        failure.model = "cooling effect";
        return Fail(failure);
    }
    if (in.airSpeed <= kStillAirSpeed) {
        return 0.0;
    }
    const SetOptions options{pressure, true};
    const double target = TwoNode(in, options);
    // g(x) = SET(t_a - x, t_r - x, still air) - SET(inputs): positive at x = 0 (still air feels
    // warmer than moving air) and falling as x grows.
    const auto g = [&](double x) {
        ThermalInputs still = in;
        still.airTemperature -= x;
        still.meanRadiant -= x;
        still.airSpeed = kStillAirSpeed;
        return TwoNode(still, options) - target;
    };
    constexpr double kLow = 0;   // K: the standard code's search interval
    constexpr double kHigh = 40; // K
    // Near the hint: g is smooth and falls by about 1 K per K, so a bracket of +-0.001 K (then
    // +-0.02 K) around a close neighbour's answer holds the root; the tighter it is, the sooner
    // the search stops.
    for (const double near : {0.001, 0.02}) { // K
        if (!std::isfinite(hint) || hint - near <= kLow || hint + near >= kHigh) {
            break;
        }
        const double a = hint - near;
        const double b = hint + near;
        const double ga = g(a);
        if (ga <= 0) {
            continue;
        }
        const double gb = g(b);
        if (gb < 0) {
            const double ce = detail::FindRootFrom(g, a, ga, b, gb, 1e-7);
            if (!std::isnan(ce)) {
                return ce;
            }
        }
    }
    // No root in 0 to 40 K means no cooling effect, as the standard's code returns.
    const double ce = detail::FindRoot(g, kLow, kHigh, 1e-7);
    return std::isnan(ce) ? 0.0 : ce;
}

} // namespace hygrovane::comfort
