#pragma once

// One record through the unit: economizer, heat recovery, mixing, heating coil, cooling coil,
// reheat, steam humidifier, supply, in that order, at the record's own pressure. Temperatures in
// degC, humidity ratios in kg/kg dry air, enthalpies in kJ/kg dry air, loads in kW.

#include "airunit/unit_settings.h"
#include "hygrovane/sat_formulation.h"
#include "hygrovane/solve_result.h"

#include <cstdint>
#include <limits>

namespace hygrovane::airunit {

inline constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// A coil or humidifier acts only on air beyond its set point by more than these, so that the
// rounding left in a mixture brought to the set point starts nothing.
inline constexpr double kDryBulbDeadBand = 1e-6;       // K
inline constexpr double kHumidityRatioDeadBand = 1e-9; // kg/kg
// A component runs in a record where its load exceeds 1 W.
inline constexpr double kRunningLoad = 0.001; // kW

struct AirNode {
    double dryBulb = kNaN;       // degC
    double humidityRatio = kNaN; // kg/kg dry air
    double enthalpy = kNaN;      // kJ/kg dry air
};

enum class HourStatus : std::uint8_t {
    Off,     // outside the filter: no load
    On,      // run through the unit
    Missing, // kept by the filter but without a state
};

enum class RecoveryMode : std::uint8_t { Off, Heating, Cooling };

// The unit in one record. Outside On, every number is NaN and every flag false.
struct UnitHour {
    HourStatus status = HourStatus::Off;
    double hours = 1;              // the time the record stands for
    double pressure = kNaN;        // Pa
    double massFlow = kNaN;        // kg/s of dry air
    double outdoorFraction = kNaN; // f, of the dry air
    double wheelSpeed = kNaN;      // k; NaN while the recovery is off
    bool economizer = false;       // allowed and f > f_min
    RecoveryMode recovery = RecoveryMode::Off;
    bool dehumidifying = false; // the coil held the maximum supply dew point
    AirNode room;
    AirNode outdoor;
    AirNode recovered; // outdoor air after the exchanger (the outdoor air when it is off)
    AirNode mixed;
    AirNode heated;   // after the heating coil
    AirNode offCoil;  // after the cooling coil
    AirNode reheated; // after the reheat coil
    AirNode supply;   // after the humidifier
    double heatingKW = kNaN;
    double coolingKW = kNaN;
    double coolingSensibleKW = kNaN;
    double coolingLatentKW = kNaN;
    double reheatKW = kNaN;
    double humidifierKW = kNaN;
    double recoveredKW = kNaN;   // m f (h' - h_o) heating, m f (h_o - h') cooling, 0 off
    double condensateKgS = kNaN; // kg/s
    double steamKgS = kNaN;      // kg/s
};

// The settings' values that do not change from record to record: vapour pressures of the room,
// the dew-point limits and the coil's leaving air, and the coil's dehumidifying dry bulb.
struct PreparedUnit {
    UnitSettings settings;
    SatFormulation formulation = SatFormulation::IAPWS;
    double roomVapourPressure = 0;     // Pa
    double coilVapourPressure = 0;     // Pa: phi_c at t_s
    double maxVapourPressure = kNaN;   // Pa: at td_max; NaN without it
    double minVapourPressure = kNaN;   // Pa: at td_min; NaN without it
    double dehumidifiedDryBulb = kNaN; // degC: where W_max has phi_c, at most t_s
};

// The settings prepared, after Check; the core's failure where a saturation pressure fails.
Expected<PreparedUnit, UnitFailure> Prepare(const UnitSettings& settings,
                                            SatFormulation formulation);

// The outdoor air of a record: its dry bulb as the file gives it, its humidity ratio and its
// pressure.
struct OutdoorAir {
    double dryBulb = 0;       // degC
    double humidityRatio = 0; // kg/kg
    double pressure = 101325; // Pa
};

// The record run through the prepared unit (status On), or the core's failure.
Result<UnitHour> RunHour(const PreparedUnit& unit, const OutdoorAir& outdoor);

} // namespace hygrovane::airunit
