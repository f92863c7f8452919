#pragma once

#include "hygrovane/expected.h"

#include <string>

namespace hygrovane::comfort {

// The inputs a comfort model can refuse.
enum class ComfortInput {
    AirTemperature,       // degC
    MeanRadiant,          // degC
    OperativeTemperature, // degC
    AirSpeed,             // m/s
    RelativeHumidity,     // %
    VapourPressure,       // Pa
    Metabolic,            // met
    Clothing,             // clo
    ExternalWork,         // met
    PrevailingMean,       // degC, outdoor
    Pressure,             // Pa
    Limit,                // a zone's PMV or PPD limit
    History,              // the hours before the one judged
    Radiation,            // Wh/m2
    Polygon,              // a user zone's corners
    Days,                 // the number of days a mean is taken over
    DryBulb,              // K, on the chart plane
    HumidityRatio,        // kg/kg, on the chart plane
};

enum class ComfortFailureKind {
    OutOfRange,  // an input outside the model's range of application (value and allowed range)
    NotANumber,  // an input is missing (NaN) or infinite
    NoSolution,  // the model found no answer (a boundary outside the searched range)
    CoreFailure, // the moist-air core refused the state (detail says why)
};

// Why a comfort model gives no answer.
struct ComfortFailure {
    ComfortFailureKind kind = ComfortFailureKind::OutOfRange;
    ComfortInput input = ComfortInput::AirTemperature;
    double value = 0;   // the offending value, in the unit listed beside ComfortInput
    double minimum = 0; // the range it broke, both ends included
    double maximum = 0;
    std::string model;  // "ISO 7730", "ASHRAE 55 PMV", "SET", ...
    std::string detail; // CoreFailure and NoSolution: what went wrong
};

template <typename T> using ComfortResult = Expected<T, ComfortFailure>;

// One sentence, e.g. "ISO 7730: air temperature 31 degC outside 10 to 30 degC".
std::string Describe(const ComfortFailure& failure);
// The input's name and unit, e.g. {"air temperature", "degC"}.
const char* NameOf(ComfortInput input);
const char* UnitOf(ComfortInput input);

} // namespace hygrovane::comfort
