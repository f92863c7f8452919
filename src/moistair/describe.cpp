#include "hygrovane/solve_result.h"

#include <cstdio>
#include <string>

namespace hygrovane {

namespace {

const char* FieldName(const SolveFailure& failure) {
    switch (failure.field) {
    case InputField::DryBulb:
        return "dry bulb (K)";
    case InputField::Pressure:
        return "pressure (Pa)";
    case InputField::Altitude:
        return "altitude (m)";
    case InputField::Humidity:
        break;
    }
    switch (failure.humidityInput) {
    case HumidityInput::HumidityRatio:
        return "humidity ratio (kg/kg)";
    case HumidityInput::RelativeHumidity:
        return "relative humidity (fraction)";
    case HumidityInput::DewPoint:
        return "dew point (K)";
    case HumidityInput::WetBulb:
        return "wet bulb (K)";
    case HumidityInput::AbsoluteHumidity:
        return "absolute humidity (kg/m^3)";
    case HumidityInput::PartialPressure:
        return "partial pressure of water (Pa)";
    case HumidityInput::MoleFraction:
        return "water mole fraction";
    case HumidityInput::MassFraction:
        return "water mass fraction";
    }
    return "input";
}

std::string Number(double x) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", x);
    return text;
}

} // namespace

std::string Describe(const SolveFailure& failure) {
    switch (failure.kind) {
    case FailureKind::OutOfRange:
        return std::string("The ") + FieldName(failure) + " " + Number(failure.value) +
               " lies outside its limits " + Number(failure.allowed.minimum) + " to " +
               Number(failure.allowed.maximum) + ".";
    case FailureKind::PressureTooLow:
        return "The saturation pressure of water, " + Number(failure.value) +
               " Pa, reaches the ambient pressure of " + Number(failure.allowed.maximum) + " Pa.";
    case FailureKind::ArithmeticFault:
        break;
    }
    return "Arithmetic fault: " + failure.detail + ".";
}

} // namespace hygrovane
