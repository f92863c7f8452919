#pragma once

// The published comfort rows as the models' inputs, in SI units whatever the row's units.

#include "comfort/thermal_inputs.h"
#include "json_support.h"

namespace hygrovane::comfort::test {

// Whether the row is given in inch-pound units (degF, ft/s).
bool IsInchPound(const Json& row);
// A temperature of the row in degC, and a temperature difference in K.
double Celsius(const Json& row, double value);
double Kelvins(const Json& row, double difference);
// The row's inputs of case i: tdb, tr, rh, air speed under `speedKey` ("vr" or "v"), met, clo.
ThermalInputs InputsOf(const Json& row, std::size_t i, const char* speedKey);
// A number of the row's inputs or outputs; fails the test when missing.
double Number(const Json& row, const char* part, const char* key, std::size_t i);

} // namespace hygrovane::comfort::test
