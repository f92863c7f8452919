#pragma once

// The doubles of a MoistAirState by name, in the order the module's results list them. Shared
// with the test program that prints the core's answers (tests/python/core_reference.cpp), so the
// two cannot drift apart; test_state_quantities.py checks the names against physics instead.

#include "hygrovane/moist_air.h"

#include <cstddef>
#include <iterator>
#include <limits>

namespace hygrovane::python {

// Every double of MoistAirState, named as the struct names it (in snake case), in the order of
// StateValues below; the 32-bit members widen exactly. A dew point below kLowestDewPoint is NaN.
inline constexpr const char* kStateNames[] = {"dry_bulb",
                                              "pressure",
                                              "altitude",
                                              "humidity_ratio",
                                              "relative_humidity",
                                              "dew_point",
                                              "wet_bulb",
                                              "partial_pressure",
                                              "mole_fraction",
                                              "mass_fraction",
                                              "absolute_humidity",
                                              "molecular_weight",
                                              "gas_constant",
                                              "density",
                                              "specific_volume",
                                              "enthalpy",
                                              "by_volume_n2",
                                              "by_volume_o2",
                                              "by_volume_ar",
                                              "by_volume_co2",
                                              "by_volume_h2o",
                                              "by_mass_n2",
                                              "by_mass_o2",
                                              "by_mass_ar",
                                              "by_mass_co2",
                                              "by_mass_h2o",
                                              "saturation_pressure",
                                              "saturation_humidity_ratio",
                                              "saturation_mole_fraction",
                                              "saturation_absolute_humidity",
                                              "saturation_molecular_weight",
                                              "saturation_mass_fraction",
                                              "dry_air_wet_bulb"};
inline constexpr std::size_t kStateQuantities = std::size(kStateNames);

// Calls row(q) = value for every quantity q of kStateNames. Written out rather than read through
// a table of functions: the module's loop runs it a million times.
template <typename Row> void StateValues(const MoistAirState& s, Row row) {
    const double values[] = {s.ambient.dryBulb,
                             s.ambient.pressure,
                             s.ambient.altitude,
                             s.humidityRatio,
                             s.relativeHumidity,
                             s.dewPoint.value_or(std::numeric_limits<double>::quiet_NaN()),
                             s.wetBulb,
                             s.partialPressure,
                             s.moleFraction,
                             s.massFraction,
                             s.absoluteHumidity,
                             s.molecularWeight,
                             s.gasConstant,
                             s.density,
                             s.specificVolume,
                             s.enthalpy,
                             s.byVolume.N2,
                             s.byVolume.O2,
                             s.byVolume.Ar,
                             s.byVolume.CO2,
                             s.byVolume.H2O,
                             s.byMass.N2,
                             s.byMass.O2,
                             s.byMass.Ar,
                             s.byMass.CO2,
                             s.byMass.H2O,
                             s.saturation.pressure,
                             s.saturation.humidityRatio,
                             s.saturation.moleFraction,
                             s.saturation.absoluteHumidity,
                             s.saturation.molecularWeight,
                             s.saturation.massFraction,
                             s.saturation.dryAirWetBulb};
    static_assert(std::size(values) == kStateQuantities);
    for (std::size_t q = 0; q < kStateQuantities; ++q) {
        row(q) = values[q];
    }
}

} // namespace hygrovane::python
