#include "airunit/unit_hour.h"

#include "hygrovane/conditions.h"
#include "hygrovane/relations.h"

#include <algorithm>
#include <cmath>

namespace hygrovane::airunit {

namespace {

constexpr double kKelvin = kCelsiusOffset;

// Stops at the first failed relation: the caller's Result carries the core's reason.
struct Failed {
    SolveFailure failure;
};

double Take(const Result<double>& r) {
    if (!r) {
        throw Failed{r.error()};
    }
    return *r;
}

double Enthalpy(double t, double W) {
    return Take(EnthalpyAt(t + kKelvin, W));
}
double DryBulb(double h, double W) {
    return Take(DryBulbFromEnthalpy(h, W)) - kKelvin;
}
double HumidityRatio(double p_w, double P) {
    return Take(HumidityRatioFromVapourPressure(p_w, P));
}

AirNode Node(double t, double W) {
    return {t, W, Enthalpy(t, W)};
}

// The mixture of `outdoor` (its dry-air share f) with the return air, by dry-air mass: W and h
// mix linearly. At f = 1 or 0 it is that air itself, not a round trip through h.
AirNode Mixture(const AirNode& outdoor, const AirNode& room, double f) {
    if (f == 1) {
        return outdoor;
    }
    if (f == 0) {
        return room;
    }
    const double W = f * outdoor.humidityRatio + (1 - f) * room.humidityRatio;
    const double h = f * outdoor.enthalpy + (1 - f) * room.enthalpy;
    return {DryBulb(h, W), W, h};
}

// The fraction in [f_min, 1] whose mixture of O and R lies closest to t_s. The mixture's dry bulb
// less t_s has the sign of g(f) = h_m - W_m (2501 + 1.805 t_s) - 1.006 t_s, linear in f, and the
// dry bulb is monotonic in f: the root of g, kept within [f_min, 1], is the closest fraction.
double EconomizerFraction(const AirNode& o, const AirNode& r, double ts, double fMin) {
    const double c = kLatentHeatAt0C + kVapourSpecificHeat * ts;
    const double g0 = r.enthalpy - r.humidityRatio * c - kDryAirSpecificHeat * ts;
    const double g1 = o.enthalpy - o.humidityRatio * c - kDryAirSpecificHeat * ts;
    if (g0 == g1) {
        return fMin; // every fraction gives the same: the smallest
    }
    const double f = g0 / (g0 - g1);
    return std::isnan(f) ? fMin : std::clamp(f, fMin, 1.0);
}

bool EconomizerAllowed(const UnitSettings& s, const AirNode& o, const AirNode& r) {
    switch (s.economizer) {
    case EconomizerKind::None:
        return false;
    case EconomizerKind::FixedDryBulb:
        return o.dryBulb <= s.economizerLimit;
    case EconomizerKind::DifferentialDryBulb:
        return o.dryBulb < r.dryBulb;
    case EconomizerKind::DifferentialEnthalpy:
        return o.enthalpy < r.enthalpy;
    case EconomizerKind::FixedEnthalpy:
        return o.enthalpy <= s.economizerLimit;
    }
    return false;
}

// The outdoor air after the exchanger at wheel speed k.
AirNode Recovered(const Recovery& e, const AirNode& o, const AirNode& r, double k) {
    return Node(o.dryBulb + k * e.sensible * (r.dryBulb - o.dryBulb),
                o.humidityRatio + k * e.latent * (r.humidityRatio - o.humidityRatio));
}

// The largest k in [0, 1] whose mixture does not exceed t_s, to the last bit of k.
double SlowedWheel(const Recovery& e, const AirNode& o, const AirNode& r, double f, double ts) {
    const auto fits = [&](double k) { return Mixture(Recovered(e, o, r, k), r, f).dryBulb <= ts; };
    if (fits(1)) {
        return 1;
    }
    if (!fits(0)) {
        return 0;
    }
    double lo = 0, hi = 1; // fits(lo), !fits(hi)
    for (;;) {
        const double mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi) {
            return lo;
        }
        (fits(mid) ? lo : hi) = mid;
    }
}

// Heats (or leaves) the air to t_s at its humidity ratio; returns the load in kW.
double HeatTo(AirNode& air, double ts, double massFlow) {
    if (!(air.dryBulb < ts - kDryBulbDeadBand)) {
        return 0;
    }
    const AirNode heated = Node(ts, air.humidityRatio);
    const double load = massFlow * (heated.enthalpy - air.enthalpy);
    air = heated;
    return load;
}

void CoolingCoil(const PreparedUnit& unit, double P, UnitHour& h) {
    const double ts = unit.settings.supplyDryBulb;
    const AirNode in = h.heated;
    const double Wmax =
        std::isnan(unit.maxVapourPressure) ? INFINITY : HumidityRatio(unit.maxVapourPressure, P);
    AirNode out = in;
    if (in.humidityRatio > Wmax + kHumidityRatioDeadBand) {
        h.dehumidifying = true;
        // A cooling coil does not warm the air it dries: never above the entering dry bulb.
        out = Node(std::min(unit.dehumidifiedDryBulb, in.dryBulb), Wmax);
    } else if (in.dryBulb > ts + kDryBulbDeadBand) {
        const double Wc = HumidityRatio(unit.coilVapourPressure, P);
        out = Node(ts, in.humidityRatio > Wc + kHumidityRatioDeadBand ? Wc : in.humidityRatio);
    }
    const double m = h.massFlow;
    const double removed = in.humidityRatio - out.humidityRatio;
    h.coolingKW =
        m * ((in.enthalpy - out.enthalpy) - removed * kLiquidWaterSpecificHeat * out.dryBulb);
    h.condensateKgS = m * removed;
    h.coolingSensibleKW = m * (kDryAirSpecificHeat + kVapourSpecificHeat * in.humidityRatio) *
                          (in.dryBulb - out.dryBulb);
    h.coolingLatentKW = h.coolingKW - h.coolingSensibleKW;
    h.offCoil = out;
}

void Humidifier(const PreparedUnit& unit, double P, UnitHour& h) {
    AirNode air = h.reheated;
    h.steamKgS = 0;
    h.humidifierKW = 0;
    if (!std::isnan(unit.minVapourPressure)) {
        const double Wmin = HumidityRatio(unit.minVapourPressure, P);
        if (air.humidityRatio < Wmin - kHumidityRatioDeadBand) {
            const double added = Wmin - air.humidityRatio;
            const double steamEnthalpy =
                kLatentHeatAt0C + kVapourSpecificHeat * unit.settings.steamTemperature;
            const double hOut = air.enthalpy + added * steamEnthalpy;
            air = {DryBulb(hOut, Wmin), Wmin, hOut};
            h.steamKgS = h.massFlow * added;
            h.humidifierKW = h.steamKgS * steamEnthalpy;
        }
    }
    h.supply = air;
}

// 3. Mixing; 4. heating coil; 5. cooling coil; 6. reheat; 7. humidifier: from the air after the
// exchanger to the supply.
void Downstream(const PreparedUnit& unit, UnitHour& h) {
    const double ts = unit.settings.supplyDryBulb;
    h.mixed = Mixture(h.recovered, h.room, h.outdoorFraction);
    h.heated = h.mixed;
    h.heatingKW = HeatTo(h.heated, ts, h.massFlow);
    CoolingCoil(unit, h.pressure, h);
    h.reheated = h.offCoil;
    h.reheatKW = HeatTo(h.reheated, ts, h.massFlow);
    Humidifier(unit, h.pressure, h);
}

double Purchased(const UnitHour& h) {
    return h.heatingKW + h.coolingKW + h.reheatKW + h.humidifierKW;
}

UnitHour Run(const PreparedUnit& unit, const OutdoorAir& air) {
    const UnitSettings& s = unit.settings;
    const double P = air.pressure;
    const double ts = s.supplyDryBulb;
    UnitHour h;
    h.status = HourStatus::On;
    h.pressure = P;
    h.room = Node(s.roomDryBulb, HumidityRatio(unit.roomVapourPressure, P));
    h.outdoor = Node(air.dryBulb, air.humidityRatio);
    if (const auto perSecond = CubicMetresPerSecondOf(s.flowUnit)) {
        const double v = Take(SpecificVolumeAt(s.roomDryBulb + kKelvin, h.room.humidityRatio, P));
        h.massFlow = s.flow * *perSecond / v;
    } else {
        h.massFlow = s.flow;
    }
    const double m = h.massFlow;
    const AirNode& o = h.outdoor;
    const AirNode& r = h.room;

    // 1. Economizer.
    const bool allowed = EconomizerAllowed(s, o, r);
    double f = s.minOutdoorFraction;
    if (allowed) {
        f = o.dryBulb >= ts ? 1 : EconomizerFraction(o, r, ts, s.minOutdoorFraction);
    }
    h.outdoorFraction = f;
    h.economizer = allowed && f > s.minOutdoorFraction;

    // 2. Heat recovery. For heating the exchanger must also warm the air (t_o < t_r): with a
    // supply set above the room it would otherwise cool air that needs heating. For cooling it
    // runs where the hour then buys less energy: a wheel in warm air drier than the room hands
    // the air the room's moisture, which may take the coil past the maximum dew point and into
    // reheat (where it saves, it may add enthalpy: the moisture then passes to the supply).
    h.recovered = o;
    h.recoveredKW = 0;
    if (s.recovery && !h.economizer) {
        if (o.dryBulb < ts && o.dryBulb < r.dryBulb) {
            h.recovery = RecoveryMode::Heating;
            h.wheelSpeed = SlowedWheel(*s.recovery, o, r, f, ts);
            h.recovered = Recovered(*s.recovery, o, r, h.wheelSpeed);
            h.recoveredKW = m * f * (h.recovered.enthalpy - o.enthalpy);
        } else if (o.dryBulb > r.dryBulb) {
            UnitHour cooled = h;
            cooled.recovery = RecoveryMode::Cooling;
            cooled.wheelSpeed = 1;
            cooled.recovered = Recovered(*s.recovery, o, r, 1);
            cooled.recoveredKW = m * f * (o.enthalpy - cooled.recovered.enthalpy);
            Downstream(unit, h);
            Downstream(unit, cooled);
            if (Purchased(cooled) < Purchased(h)) {
                h = cooled;
            }
            return h;
        }
    }
    Downstream(unit, h);
    return h;
}

// The dry bulb in [td, t_s] where the vapour pressure pw is phi of saturation; t_s where even
// there it is less.
Result<double> DehumidifiedDryBulb(double pw, double phi, double td, double ts,
                                   SatFormulation formulation) {
    const auto below = [&](double t) -> Result<bool> {
        const auto pws = SaturationPressureAt(t + kKelvin, formulation);
        if (!pws) {
            return Fail(pws.error());
        }
        return phi * *pws <= pw;
    };
    const auto atSupply = below(ts);
    if (!atSupply) {
        return Fail(atSupply.error());
    }
    if (*atSupply) {
        return ts;
    }
    double lo = td, hi = ts; // below(lo), !below(hi)
    for (;;) {
        const double mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi) {
            return lo;
        }
        const auto b = below(mid);
        if (!b) {
            return Fail(b.error());
        }
        (*b ? lo : hi) = mid;
    }
}

} // namespace

Expected<PreparedUnit, UnitFailure> Prepare(const UnitSettings& settings,
                                            SatFormulation formulation) {
    if (auto checked = Check(settings); !checked) {
        return Fail(checked.error());
    }
    PreparedUnit unit;
    unit.settings = settings;
    unit.formulation = formulation;
    const auto refused = [&](UnitSetting setting, double value) {
        return Fail(UnitFailure{setting, value, value, value,
                                NameOf(setting, settings.roomHumidityKind) +
                                    ": the moist-air core has no saturation pressure there"});
    };
    const auto pws = [&](double t) { return SaturationPressureAt(t + kKelvin, formulation); };
    const bool byRh = settings.roomHumidityKind == RoomHumidity::RelativeHumidity;
    const auto room = pws(byRh ? settings.roomDryBulb : settings.roomHumidity);
    if (!room) {
        return refused(UnitSetting::RoomHumidity, settings.roomHumidity);
    }
    unit.roomVapourPressure = byRh ? settings.roomHumidity / 100 * *room : *room;
    const auto coil = pws(settings.supplyDryBulb);
    if (!coil) {
        return refused(UnitSetting::SupplyDryBulb, settings.supplyDryBulb);
    }
    unit.coilVapourPressure = settings.coilLeavingRelativeHumidity / 100 * *coil;
    if (settings.maxDewPoint) {
        const auto atMax = pws(*settings.maxDewPoint);
        if (!atMax) {
            return refused(UnitSetting::MaxDewPoint, *settings.maxDewPoint);
        }
        unit.maxVapourPressure = *atMax;
        // W_max's vapour pressure is p_ws(td_max) at every pressure: where it is phi_c of
        // saturation is one dry bulb, found to the last bit (the core's inverse stops at 1E-6 K).
        const auto dryBulb =
            DehumidifiedDryBulb(*atMax, settings.coilLeavingRelativeHumidity / 100,
                                *settings.maxDewPoint, settings.supplyDryBulb, formulation);
        if (!dryBulb) {
            return refused(UnitSetting::CoilLeavingRelativeHumidity,
                           settings.coilLeavingRelativeHumidity);
        }
        unit.dehumidifiedDryBulb = *dryBulb;
    }
    if (settings.minDewPoint) {
        const auto atMin = pws(*settings.minDewPoint);
        if (!atMin) {
            return refused(UnitSetting::MinDewPoint, *settings.minDewPoint);
        }
        unit.minVapourPressure = *atMin;
    }
    return unit;
}

Result<UnitHour> RunHour(const PreparedUnit& unit, const OutdoorAir& outdoor) {
    try {
        return Run(unit, outdoor);
    } catch (const Failed& failed) {
        return Fail(failed.failure);
    }
}

} // namespace hygrovane::airunit
