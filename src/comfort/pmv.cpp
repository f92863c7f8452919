#include "comfort/pmv.h"

#include "comfort/checks.h"
#include "comfort/set.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace hygrovane::comfort {

using detail::Bound;

double PmvFanger(double ta, double tr, double vr, double pa, double met, double clo, double work) {
    // ISO 7730:2005 Annex D, step by step; temperatures in the iteration are K/100.
    const double icl = 0.155 * clo; // m2 K/W per clo
    const double m = met * 58.15;   // W/m2 per met
    const double w = work * 58.15;  // W/m2
    const double mw = m - w;        // internal heat production, W/m2
    // Clothing area factor f_cl, ISO 7730 eq. (4).
    const double fcl = icl <= 0.078 ? 1.0 + 1.29 * icl : 1.05 + 0.645 * icl;
    const double hcf = 12.1 * std::sqrt(vr); // forced convection, W/(m2 K), eq. (3)
    // Annex D takes 273 (not 273.15) for the kelvin offset; the published values depend on it.
    const double taa = ta + 273.0;
    const double tra = tr + 273.0;
    const double tcla = taa + (35.5 - ta) / (3.5 * icl + 0.1); // first guess of t_cl, K
    const double p1 = icl * fcl;
    // 3.96e-8 W/(m2 K4) = emissivity 0.97 x sigma 5.67e-8 x effective radiating share 0.72; times
    // 1e8 for temperatures in K/100.
    const double p2 = p1 * 3.96;
    const double p3 = p1 * 100.0;
    const double p4 = p1 * taa;
    const double p5 = 308.7 - 0.028 * mw + p2 * std::pow(tra / 100.0, 4);
    double xn = tcla / 100.0;
    double xf = tcla / 50.0;
    double hc = hcf;
    int n = 0;
    while (std::abs(xn - xf) > 0.00015) { // Annex D's stop, 0.015 K
        xf = (xf + xn) / 2.0;
        const double hcn = 2.38 * std::pow(std::abs(100.0 * xf - taa), 0.25); // natural, eq. (3)
        hc = std::max(hcf, hcn);
        xn = (p5 + p4 * hc - p2 * std::pow(xf, 4)) / (100.0 + p3 * hc);
        if (++n > 150) {
            return std::numeric_limits<double>::quiet_NaN();
        }
    }
    const double tcl = 100.0 * xn - 273.0; // degC
    // The heat losses of ISO 7730 eq. (1), W/m2:
    const double hl1 = 3.05e-3 * (5733.0 - 6.99 * mw - pa);    // diffusion through skin
    const double hl2 = mw > 58.15 ? 0.42 * (mw - 58.15) : 0.0; // sweating
    const double hl3 = 1.7e-5 * m * (5867.0 - pa);             // latent respiration
    const double hl4 = 0.0014 * m * (34.0 - ta);               // dry respiration
    const double hl5 = 3.96 * fcl * (std::pow(xn, 4) - std::pow(tra / 100.0, 4)); // radiation
    const double hl6 = fcl * hc * (tcl - ta);                                     // convection
    const double ts = 0.303 * std::exp(-0.036 * m) + 0.028; // sensitivity, m2/W
    return ts * (mw - hl1 - hl2 - hl3 - hl4 - hl5 - hl6);
}

double PpdOf(double pmv) {
    // ISO 7730:2005 eq. (5), %.
    return 100.0 - 95.0 * std::exp(-0.03353 * std::pow(pmv, 4) - 0.2179 * std::pow(pmv, 2));
}

double PmvMagnitudeAtPpd(double ppd) {
    if (!(ppd > 5.0 && ppd < 100.0)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // PPD rises monotonically with |PMV|; bisection to the last bit that matters.
    double low = 0;
    double high = 10;
    for (int i = 0; i < 200 && high - low > 1e-15; ++i) {
        const double mid = (low + high) / 2;
        (PpdOf(mid) < ppd ? low : high) = mid;
    }
    return low;
}

namespace {

ComfortResult<Done> CheckWork(const char* model, const ThermalInputs& in) {
    const Bound bounds[] = {{ComfortInput::ExternalWork, in.externalWork, 0, in.metabolic}};
    return detail::CheckBounds(model, bounds);
}

ComfortResult<Done> CheckFinite(const char* model, const ThermalInputs& in) {
    constexpr double inf = std::numeric_limits<double>::infinity();
    const ComfortInput humidity = in.humidity.kind == Humidity::Kind::RelativeHumidity
                                      ? ComfortInput::RelativeHumidity
                                      : ComfortInput::VapourPressure;
    // What the heat balance can take at all, whatever the standard's range: the Antoine form
    // breaks down at -235 degC, and a relative humidity above 100 % is no air.
    const double humidityMax = humidity == ComfortInput::RelativeHumidity ? 100 : inf;
    const Bound bounds[] = {{ComfortInput::AirTemperature, in.airTemperature, -100, 200},
                            {ComfortInput::MeanRadiant, in.meanRadiant, -100, 200},
                            {ComfortInput::AirSpeed, in.airSpeed, 0, inf},
                            {humidity, in.humidity.value, 0, humidityMax},
                            {ComfortInput::Metabolic, in.metabolic, 1e-6, inf},
                            {ComfortInput::Clothing, in.clothing, 0, inf}};
    if (auto checked = detail::CheckBounds(model, bounds); !checked) {
        return checked;
    }
    return CheckWork(model, in);
}

} // namespace

ComfortResult<PmvPpd> PmvIso7730(const ThermalInputs& in, Applicability applicability) {
    constexpr const char* kModel = "ISO 7730";
    if (const auto checked = CheckFinite(kModel, in); !checked) {
        return Fail(checked.error());
    }
    const double pa = VapourPressureOf(in.humidity, in.airTemperature);
    if (applicability == Applicability::Checked) {
        // ISO 7730:2005 clause 4.
        const Bound bounds[] = {{ComfortInput::AirTemperature, in.airTemperature, 10, 30},
                                {ComfortInput::MeanRadiant, in.meanRadiant, 10, 40},
                                {ComfortInput::AirSpeed, in.airSpeed, 0, 1},
                                {ComfortInput::VapourPressure, pa, 0, 2700},
                                {ComfortInput::Metabolic, in.metabolic, 0.8, 4},
                                {ComfortInput::Clothing, in.clothing, 0, 2}};
        if (const auto checked = detail::CheckBounds(kModel, bounds); !checked) {
            return Fail(checked.error());
        }
    }
    const double pmv = PmvFanger(in.airTemperature, in.meanRadiant, in.airSpeed, pa, in.metabolic,
                                 in.clothing, in.externalWork);
    if (std::isnan(pmv)) {
        return Fail(detail::NoSolution(kModel, ComfortInput::Clothing, in.clothing,
                                       "the clothing surface temperature did not converge"));
    }
    return PmvPpd{pmv, PpdOf(pmv)};
}

ComfortResult<Ashrae55Pmv> PmvAshrae55(const ThermalInputs& in, Ashrae55Options options) {
    constexpr const char* kModel = "ASHRAE 55 PMV";
    if (const auto checked = CheckFinite(kModel, in); !checked) {
        return Fail(checked.error());
    }
    if (options.applicability == Applicability::Checked) {
        // ASHRAE 55-2020 Normative Appendix B (the computer model's range of application).
        const Bound bounds[] = {{ComfortInput::AirTemperature, in.airTemperature, 10, 40},
                                {ComfortInput::MeanRadiant, in.meanRadiant, 10, 40},
                                {ComfortInput::AirSpeed, in.airSpeed, 0, 2},
                                {ComfortInput::Metabolic, in.metabolic, 1, 4},
                                {ComfortInput::Clothing, in.clothing, 0, 1.5}};
        if (const auto checked = detail::CheckBounds(kModel, bounds); !checked) {
            return Fail(checked.error());
        }
    }
    if (!options.occupantControl && in.metabolic < 1.3 && in.clothing < 0.7) {
        // ASHRAE 55-2020 5.3.3.3; the operative temperature as the mean of t_a and t_r (its
        // Appendix A, for speeds below 0.2 m/s, which is what the limit protects).
        const double to = (in.airTemperature + in.meanRadiant) / 2.0;
        const double limit = to < 23.0    ? 0.2
                             : to <= 25.5 ? 50.49 - 4.4047 * to + 0.096425 * to * to
                                          : 0.8;
        const Bound bounds[] = {{ComfortInput::AirSpeed, in.airSpeed, 0, limit}};
        if (const auto checked =
                detail::CheckBounds("ASHRAE 55 PMV without occupant control", bounds);
            !checked) {
            return Fail(checked.error());
        }
    }
    double ce = 0;
    ThermalInputs still = in;
    if (in.airSpeed > kStillAirSpeed) {
        const ComfortResult<double> effect = CoolingEffectNear(in, options.coolingEffectHint);
        if (!effect) {
            return Fail(effect.error());
        }
        ce = *effect;
        if (ce > 0) {
            still.airTemperature -= ce;
            still.meanRadiant -= ce;
            still.airSpeed = kStillAirSpeed;
        }
    }
    const double pa = VapourPressureOf(still.humidity, still.airTemperature);
    const double pmv = PmvFanger(still.airTemperature, still.meanRadiant, still.airSpeed, pa,
                                 still.metabolic, still.clothing, still.externalWork);
    if (std::isnan(pmv)) {
        return Fail(detail::NoSolution(kModel, ComfortInput::Clothing, in.clothing,
                                       "the clothing surface temperature did not converge"));
    }
    return Ashrae55Pmv{pmv, PpdOf(pmv), ce};
}

} // namespace hygrovane::comfort
