#include "airunit_support.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::airunit::testing {

const climate::HourlyStates& ChicagoStates() {
    static const climate::HourlyStates states = [] {
        climate::StateOptions options;
        options.formulation = SatFormulation::HylandWexler;
        return Chicago() ? climate::ComputeStates(*Chicago(), options) : climate::HourlyStates{};
    }();
    return states;
}

UnitRun ChicagoRun(const UnitSettings& settings, unsigned threads) {
    if (!Chicago()) {
        return {};
    }
    RunOptions options;
    options.threads = threads;
    auto run = RunUnit(*Chicago(), ChicagoStates(), climate::Filter{}, settings, options);
    EXPECT_TRUE(run.has_value()) << (run ? "" : Describe(run.error()));
    return run ? std::move(run.value()) : UnitRun{};
}

UnitSettings ExampleUnit() {
    UnitSettings s;
    s.roomDryBulb = 24;
    s.roomHumidity = 50;
    s.supplyDryBulb = 13;
    s.maxDewPoint = 11;
    s.minDewPoint = 2;
    s.flow = 10000;
    s.flowUnit = FlowUnit::CubicMetresPerHour;
    s.minOutdoorFraction = 0.2;
    s.economizer = EconomizerKind::DifferentialEnthalpy;
    s.recovery = Recovery{0.75, 0.6};
    return s;
}

namespace ashrae {

double SaturationPressure(double t) {
    const double T = t + 273.15;
    if (t < 0) {
        return std::exp(-5.6745359e3 / T + 6.3925247 - 9.677843e-3 * T + 6.2215701e-7 * T * T +
                        2.0747825e-9 * T * T * T - 9.484024e-13 * T * T * T * T +
                        4.1635019 * std::log(T));
    }
    return std::exp(-5.8002206e3 / T + 1.3914993 - 4.8640239e-2 * T + 4.1764768e-5 * T * T -
                    1.4452093e-8 * T * T * T + 6.5459673 * std::log(T));
}

double HumidityRatio(double pw, double P) {
    return 0.62198 * pw / (P - pw);
}

double Enthalpy(double t, double W) {
    return 1.006 * t + W * (2501 + 1.805 * t);
}

double DryBulb(double h, double W) {
    return (h - 2501 * W) / (1.006 + 1.805 * W);
}

double DryBulbAtRelativeHumidity(double pw, double phi) {
    double lo = -100, hi = 200;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (SaturationPressure(mid) * phi < pw ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

double SpecificVolume(double t, double W, double P) {
    return 287.1 * (t + 273.15) * (1 + 1.6078 * W) / P;
}

} // namespace ashrae

} // namespace hygrovane::airunit::testing

namespace hygrovane::airunit::testing {

namespace {

struct Air {
    double t, W, h;
};
Air At(double t, double W) {
    return {t, W, ashrae::Enthalpy(t, W)};
}
Air Mix(const Air& o, const Air& r, double f) {
    if (f == 1) {
        return o;
    }
    const double W = f * o.W + (1 - f) * r.W;
    const double h = f * o.h + (1 - f) * r.h;
    return {ashrae::DryBulb(h, W), W, h};
}

// The largest x in [0, 1] where pred holds, pred true at 0 and false at 1.
template <typename Pred> double LargestWhere(Pred pred) {
    double lo = 0, hi = 1;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (pred(mid) ? lo : hi) = mid;
    }
    return lo;
}

} // namespace

namespace {

// Steps 3 to 7 from the outdoor air after the exchanger.
void Downstream(const UnitSettings& s, const Air& r, double P, const Air& o2, ReferenceHour& out) {
    const double ts = s.supplyDryBulb, m = out.massFlow;
    out.heatingKW = out.coolingKW = out.sensibleKW = out.reheatKW = out.humidifierKW = 0;
    out.condensateKgS = out.steamKgS = 0;
    out.dehumidifying = false;
    Air air = Mix(o2, r, out.f);
    out.tMixed = air.t;
    out.WMixed = air.W;
    if (air.t < ts - 1e-6) {
        out.heatingKW = m * (ashrae::Enthalpy(ts, air.W) - air.h);
        air = At(ts, air.W);
    }
    const double Wmax = s.maxDewPoint
                            ? ashrae::HumidityRatio(ashrae::SaturationPressure(*s.maxDewPoint), P)
                            : INFINITY;
    const double phiC = s.coilLeavingRelativeHumidity / 100;
    Air off = air;
    if (air.W > Wmax + 1e-9) {
        out.dehumidifying = true;
        const double pw = Wmax * P / (Wmax + 0.62198);
        off = At(std::min({ashrae::DryBulbAtRelativeHumidity(pw, phiC), ts, air.t}), Wmax);
    } else if (air.t > ts + 1e-6) {
        const double Wc = ashrae::HumidityRatio(phiC * ashrae::SaturationPressure(ts), P);
        off = At(ts, air.W > Wc + 1e-9 ? Wc : air.W);
    }
    out.coolingKW = m * ((air.h - off.h) - (air.W - off.W) * 4.186 * off.t);
    out.sensibleKW = m * (1.006 + 1.805 * air.W) * (air.t - off.t);
    out.condensateKgS = m * (air.W - off.W);
    out.tOffCoil = off.t;
    out.WOffCoil = off.W;
    air = off;
    if (air.t < ts - 1e-6) {
        out.reheatKW = m * (ashrae::Enthalpy(ts, air.W) - air.h);
        air = At(ts, air.W);
    }
    if (s.minDewPoint) {
        const double Wmin = ashrae::HumidityRatio(ashrae::SaturationPressure(*s.minDewPoint), P);
        if (air.W < Wmin - 1e-9) {
            const double hs = 2501 + 1.805 * s.steamTemperature;
            out.steamKgS = m * (Wmin - air.W);
            out.humidifierKW = out.steamKgS * hs;
            const double h = air.h + (Wmin - air.W) * hs;
            air = {ashrae::DryBulb(h, Wmin), Wmin, h};
        }
    }
    out.tSupply = air.t;
    out.WSupply = air.W;
}

double Bought(const ReferenceHour& x) {
    return x.heatingKW + x.coolingKW + x.reheatKW + x.humidifierKW;
}

} // namespace

ReferenceHour Reference(const UnitSettings& s, double to, double Wo, double P) {
    ReferenceHour out;
    const double tr = s.roomDryBulb, ts = s.supplyDryBulb;
    const double pwr = s.roomHumidityKind == RoomHumidity::RelativeHumidity
                           ? s.roomHumidity / 100 * ashrae::SaturationPressure(tr)
                           : ashrae::SaturationPressure(s.roomHumidity);
    const Air r = At(tr, ashrae::HumidityRatio(pwr, P));
    const Air o = At(to, Wo);
    double m = s.flow;
    if (s.flowUnit != FlowUnit::KilogramsPerSecond) {
        const double perSecond = s.flowUnit == FlowUnit::CubicMetresPerHour ? 1.0 / 3600
                                 : s.flowUnit == FlowUnit::CubicMetresPerSecond
                                     ? 1.0
                                     : 0.028316846592 / 60;
        m = s.flow * perSecond / ashrae::SpecificVolume(tr, r.W, P);
    }
    out.massFlow = m;
    bool allowed = false;
    switch (s.economizer) {
    case EconomizerKind::None:
        break;
    case EconomizerKind::FixedDryBulb:
        allowed = to <= s.economizerLimit;
        break;
    case EconomizerKind::DifferentialDryBulb:
        allowed = to < tr;
        break;
    case EconomizerKind::DifferentialEnthalpy:
        allowed = o.h < r.h;
        break;
    case EconomizerKind::FixedEnthalpy:
        allowed = o.h <= s.economizerLimit;
        break;
    }
    double f = s.minOutdoorFraction;
    if (allowed && to >= ts) {
        f = 1;
    } else if (allowed) {
        // Closest to t_s over [f_min, 1]: where the mixture crosses t_s, else the nearer end.
        const double fMin = s.minOutdoorFraction;
        const auto above = [&](double x) { return Mix(o, r, fMin + x * (1 - fMin)).t > ts; };
        const double atMin = Mix(o, r, fMin).t, atOne = to;
        if ((atMin > ts) != (atOne > ts)) {
            f = fMin + LargestWhere(above) * (1 - fMin);
        } else {
            f = std::abs(atOne - ts) < std::abs(atMin - ts) ? 1 : fMin;
        }
    }
    out.f = f;
    out.economizer = allowed && f > s.minOutdoorFraction;
    if (!s.recovery || out.economizer) {
        Downstream(s, r, P, o, out);
        return out;
    }
    const Recovery e = *s.recovery;
    const auto recovered = [&](double k) {
        return At(to + k * e.sensible * (tr - to), Wo + k * e.latent * (r.W - Wo));
    };
    if (to < ts && to < tr) {
        const auto fits = [&](double k) { return Mix(recovered(k), r, f).t <= ts; };
        out.k = fits(1) ? 1 : !fits(0) ? 0 : LargestWhere(fits);
        const Air o2 = recovered(out.k);
        out.recoveredKW = m * f * (o2.h - o.h);
        Downstream(s, r, P, o2, out);
        return out;
    }
    Downstream(s, r, P, o, out);
    if (to > tr) {
        // For cooling the exchanger runs where the hour then buys less energy.
        ReferenceHour with = out;
        with.k = 1;
        with.recoveredKW = m * f * (o.h - recovered(1).h);
        Downstream(s, r, P, recovered(1), with);
        if (Bought(with) < Bought(out)) {
            return with;
        }
    }
    return out;
}

} // namespace hygrovane::airunit::testing
