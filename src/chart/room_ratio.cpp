#include "chart/room_ratio.h"

#include "hygrovane/moist_air.h"
#include "hygrovane/relations.h"
#include "text/number_text.h"

#include <cmath>
#include <optional>

namespace hygrovane::chart {

namespace {

using Kind = RoomRatioFailure::Kind;

// Enthalpy at one dry bulb as the straight line in W the core computes: h(T, W) = h0 + W hg.
struct EnthalpyLine {
    double T = 0; // as the core holds it
    double h0 = 0, hg = 0, Ws = 0;
    Ambient ambient;
    Saturation saturation;

    double at(double W) const { return h0 + W * hg; }
};

std::optional<EnthalpyLine> EnthalpyAt(double T, double pressure, SatFormulation formulation) {
    Conditions c;
    c.dryBulb = T;
    c.pressure = pressure;
    const Result<Ambient> ambient = AmbientOf(c);
    if (!ambient) {
        return std::nullopt;
    }
    const Result<Saturation> saturation = SaturationOf(*ambient, formulation);
    if (!saturation || !(saturation->humidityRatio > 0)) {
        return std::nullopt;
    }
    const double Ws = saturation->humidityRatio;
    const auto dry = StateOf(*ambient, *saturation, HumidityInput::HumidityRatio, 0);
    const auto wet = StateOf(*ambient, *saturation, HumidityInput::HumidityRatio, Ws);
    if (!dry || !wet) {
        return std::nullopt;
    }
    return EnthalpyLine{ambient->dryBulb, dry->enthalpy, (wet->enthalpy - dry->enthalpy) / Ws, Ws,
                        *ambient,         *saturation};
}

bool RatioWithinLimits(double shr) {
    return shr > 0 && shr <= 1; // written so that a NaN fails
}

// The point at a dry bulb without the saturation check, and the enthalpy line there.
RoomRatioResult<std::pair<ChartPoint, EnthalpyLine>>
Unchecked(double pressure, SatFormulation formulation, ChartPoint room, double shr, double T) {
    if (!RatioWithinLimits(shr)) {
        return Fail(RoomRatioFailure{Kind::RatioOutsideLimits, shr});
    }
    if (shr < kSmallestRatio) {
        return Fail(RoomRatioFailure{Kind::RatioTooSmall, shr});
    }
    const auto atRoom = EnthalpyAt(room.dryBulb, pressure, formulation);
    if (!atRoom) {
        return Fail(RoomRatioFailure{Kind::NoMoistAir, room.dryBulb});
    }
    const auto there = EnthalpyAt(T, pressure, formulation);
    if (!there) {
        return Fail(RoomRatioFailure{Kind::NoMoistAir, T});
    }
    const double W0 = room.humidityRatio;
    const double sensible = there->at(W0) - atRoom->at(W0); // h(T, W0) - h(T0, W0)
    const double W = W0 + sensible * (1 / shr - 1) / there->hg;
    return std::pair{ChartPoint{there->T, W}, *there};
}

} // namespace

std::string RoomRatioFailure::describe() const {
    switch (kind) {
    case Kind::RatioOutsideLimits:
        return "The sensible heat ratio must lie above 0 and at most 1.";
    case Kind::RatioTooSmall:
        return "The sensible heat ratio must be at least 0.001: below it the load is all but "
               "wholly latent and the room ratio line runs too steeply to compute.";
    case Kind::NoMoistAir:
        return "No moist air exists at a dry bulb of " +
               text::FixedText(value - kCelsiusOffset, 6) + " °C at this pressure.";
    case Kind::AboveSaturation:
        return "The supply air on that line would lie above the saturation curve (fog).";
    case Kind::BelowDryAir:
        return "The supply air on that line would need a negative humidity ratio.";
    }
    return {};
}

RoomRatioResult<ChartPoint> RoomRatioPointAt(double pressure, SatFormulation formulation,
                                             ChartPoint room, double shr, double dryBulb) {
    const auto found = Unchecked(pressure, formulation, room, shr, dryBulb);
    if (!found) {
        return Fail(found.error());
    }
    return found->first;
}

Polyline RoomRatioLine(double pressure, SatFormulation formulation, ChartPoint room, double shr,
                       const ChartRange& range) {
    Polyline line;
    if (!RatioWithinLimits(shr) || shr < kSmallestRatio) {
        return line;
    }
    constexpr int kSteps = 60;
    const double step = (range.dryBulbMax - range.dryBulbMin) / kSteps;
    for (int i = 0; i <= 2 * kSteps; ++i) {
        const auto found = Unchecked(pressure, formulation, room, shr, room.dryBulb - i * step);
        if (!found) {
            break;
        }
        const auto& [p, enthalpy] = *found;
        if (p.humidityRatio > enthalpy.Ws) {
            // The last piece up to the saturation curve: W - Ws changes sign between samples.
            if (!line.empty()) {
                const ChartPoint a = line.back();
                const auto aboveAt = [&](ChartPoint q) {
                    const auto e = EnthalpyAt(q.dryBulb, pressure, formulation);
                    return e ? q.humidityRatio - e->Ws : 0.0;
                };
                const double fa = aboveAt(a);
                const double fb = p.humidityRatio - enthalpy.Ws;
                const double f = fa / (fa - fb);
                line.push_back({a.dryBulb + (p.dryBulb - a.dryBulb) * f,
                                a.humidityRatio + (p.humidityRatio - a.humidityRatio) * f});
            }
            break;
        }
        line.push_back(p);
        if (p.dryBulb < range.dryBulbMin || p.humidityRatio < range.humidityRatioMin) {
            break;
        }
    }
    const auto pieces = ClipPolyline(line, range);
    return pieces.empty() ? Polyline{} : pieces.front();
}

OverlayPath RoomRatioPath(double pressure, SatFormulation formulation, ChartPoint room, double shr,
                          const ChartRange& range) {
    OverlayPath path;
    path.points = RoomRatioLine(pressure, formulation, room, shr, range);
    path.label = "SHR " + FixedText(shr, 2);
    path.dashed = true;
    return path;
}

RoomRatioResult<MoistAirState> SupplyAtDryBulb(double pressure, SatFormulation formulation,
                                               ChartPoint room, double shr, double supplyDryBulb) {
    const auto found = Unchecked(pressure, formulation, room, shr, supplyDryBulb);
    if (!found) {
        return Fail(found.error());
    }
    const auto& [p, enthalpy] = *found;
    if (p.humidityRatio > enthalpy.Ws) {
        return Fail(RoomRatioFailure{Kind::AboveSaturation, p.dryBulb});
    }
    if (p.humidityRatio < 0) {
        return Fail(RoomRatioFailure{Kind::BelowDryAir, p.dryBulb});
    }
    const Result<MoistAirState> state = StateOf(enthalpy.ambient, enthalpy.saturation,
                                                HumidityInput::HumidityRatio, p.humidityRatio);
    if (!state) {
        return Fail(RoomRatioFailure{Kind::NoMoistAir, p.dryBulb});
    }
    return *state;
}

RoomRatioResult<MoistAirState> SupplyAtDifference(double pressure, SatFormulation formulation,
                                                  ChartPoint room, double shr,
                                                  double temperatureDifference) {
    return SupplyAtDryBulb(pressure, formulation, room, shr, room.dryBulb - temperatureDifference);
}

std::optional<Protractor> ProtractorOf(double pressure, SatFormulation formulation,
                                       const ChartUnits& units) {
    constexpr double kReferenceT = 297.15; // 24 °C, the reference of ASHRAE's protractor
    constexpr double kDelta = 0.5;         // K, for the change of h with T
    const auto at = EnthalpyAt(kReferenceT, pressure, formulation);
    const auto below = EnthalpyAt(kReferenceT - kDelta, pressure, formulation);
    const auto above = EnthalpyAt(kReferenceT + kDelta, pressure, formulation);
    if (!at || !below || !above) {
        return std::nullopt;
    }
    Protractor p;
    p.reference = {at->T, at->Ws / 2}; // about 50 %: a room's air
    const double W0 = p.reference.humidityRatio;
    p.latentSlope = at->hg;
    p.sensibleSlope = (above->at(W0) - below->at(W0)) / (above->T - below->T);
    // Along (dT, dW): dh = cp dT + hg dW. For a SHR s, dh_sensible = s dh gives the direction
    // (hg s, cp (1 - s)); for a ratio q = dh / dW, dT = (q - hg) dW / cp.
    const double hg = p.latentSlope;
    const double cp = p.sensibleSlope;
    for (int tenth = 0; tenth <= 10; ++tenth) {
        const double s = tenth / 10.0;
        p.marks.push_back({hg * s, cp * (1 - s), FixedText(s, 1), false, s});
    }
    // A negative SHR: a room gaining latent heat while losing sensible heat (or an evaporative
    // process), up and to the left of 0, towards the line of constant enthalpy where it tends
    // to ±∞; the handbook's steps, closer near 0 where the rays turn fastest.
    for (const double s : {-0.1, -0.2, -0.3, -0.5, -1.0, -2.0}) {
        p.marks.push_back({hg * s, cp * (1 - s), FixedText(s, 1), false, s});
    }
    // The enthalpy unit per kg/kg (a ratio of humidity ratios has no unit of its own).
    const double factor = units.enthalpy.factor;
    const bool british = units.datum == "0 °F";
    const std::vector<double> ratios =
        british ? std::vector<double>{-2000, -1000, 0, 500, 1000, 1500, 2000, 3000, 5000}
                : std::vector<double>{-5000, -2000, 0, 1000, 2000, 3000, 4000, 5000, 10000};
    for (const double shown : ratios) {
        const double q = shown / factor;
        // dW > 0: every ratio in the upper half, to the left below hg.
        const double dT = (q - hg) / cp;
        const double dW = 1;
        p.marks.push_back({dT, dW, FixedText(shown, 0), true, shown});
    }
    p.marks.push_back({1, 0, "±∞", true, INFINITY});
    return p;
}

} // namespace hygrovane::chart
