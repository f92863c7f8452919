#pragma once

#include "hygrovane/moist_air.h"
#include "processes/outcome.h"

#include <optional>

namespace hygrovane::processes {

// The pressure and the formulation that every point of a set shares.
struct ProcessAmbient {
    PressureInput pressureInput = PressureInput::Barometric;
    double pressure = 101325; // Pa, read when pressureInput is Barometric
    double altitude = 0;      // m, read when pressureInput is Altitude
    SatFormulation formulation = SatFormulation::IAPWS;

    friend bool operator==(const ProcessAmbient&, const ProcessAmbient&) = default;
};

// How a point was given: its dry bulb and one humidity quantity, as in the main window.
struct PointConditions {
    double dryBulb = 298.15; // K
    HumidityInput humidityInput = HumidityInput::RelativeHumidity;
    double humidity = 0.5; // in the unit listed beside HumidityInput

    friend bool operator==(const PointConditions&, const PointConditions&) = default;
};

// The air at one point. The core holds the dry bulb in 32 bits, as the main window shows it; a
// point computed from a balance keeps its dry bulb in double here, and its enthalpy, specific
// volume and wet bulb by the core's relations at that dry bulb, so that the balances close. For
// a given point these equal the core's own values.
struct AirState {
    double dryBulb = 0;        // K
    double humidityRatio = 0;  // kg/kg
    double enthalpy = 0;       // kJ/kg dry air
    double specificVolume = 0; // m^3/kg dry air
    double wetBulb = 0;        // K
    MoistAirState core;        // relative humidity, dew point and the rest
};

// A saturated state may end this far (relative) above W_s(T) through a root search and still
// count as saturated rather than fog.
inline constexpr double kSaturationTolerance = 1e-6;

// The moist-air relations at a set's pressure and formulation, for the processes. The functions
// that return a double read the core's relations; the first of them that fails is kept
// (firstFault) and the others give NaN from then on, so that the physics reads like its
// equations and ComputeProcess reports that first failure in place of whatever followed it.
// A model keeps that one failure: use one copy per computation (ForOneComputation).
class AirModel {
  public:
    // Refuses a pressure or altitude outside the core's limits.
    static Outcome<AirModel> Of(const ProcessAmbient& ambient);

    double pressure() const { return P_; }
    SatFormulation formulation() const { return ambient_.formulation; }

    double SaturationRatio(double T) const;            // W_s(T)
    double Enthalpy(double T, double W) const;         // kJ/kg dry air
    double DryBulb(double h, double W) const;          // the T of enthalpy h at W
    double RelativeHumidity(double T, double W) const; // p_w / p_ws(T), not capped
    double DewPoint(double W) const;                   // the T where W_s(T) = W
    bool Supersaturated(double T, double W) const;     // beyond kSaturationTolerance

    // A copy with no failure kept, for one computation.
    AirModel ForOneComputation() const;
    // The first relation above that failed since this copy was made, if any.
    const std::optional<SolveFailure>& firstFault() const { return fault_; }

    // The state the core gives for conditions, as the main window computes it.
    Outcome<AirState> Given(const PointConditions& conditions) const;
    // The state at a computed dry bulb and humidity ratio; OutOfRange when the core refuses it.
    Outcome<AirState> StateAt(double T, double W) const;

  private:
    explicit AirModel(const ProcessAmbient& ambient, double P) : ambient_(ambient), P_(P) {}
    Conditions ConditionsOf(double T, HumidityInput input, double value) const;
    double Read(const Result<double>& relation) const;

    ProcessAmbient ambient_;
    double P_ = 0;
    mutable std::optional<SolveFailure> fault_;
};

} // namespace hygrovane::processes
