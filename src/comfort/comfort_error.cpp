#include "comfort/comfort_error.h"
#include "text/number_text.h"

#include <cstdio>

namespace hygrovane::comfort {

const char* NameOf(ComfortInput input) {
    switch (input) {
    case ComfortInput::AirTemperature:
        return "air temperature";
    case ComfortInput::MeanRadiant:
        return "mean radiant temperature";
    case ComfortInput::OperativeTemperature:
        return "operative temperature";
    case ComfortInput::AirSpeed:
        return "air speed";
    case ComfortInput::RelativeHumidity:
        return "relative humidity";
    case ComfortInput::VapourPressure:
        return "water vapour pressure";
    case ComfortInput::Metabolic:
        return "metabolic rate";
    case ComfortInput::Clothing:
        return "clothing insulation";
    case ComfortInput::ExternalWork:
        return "external work";
    case ComfortInput::PrevailingMean:
        return "prevailing mean outdoor temperature";
    case ComfortInput::Pressure:
        return "pressure";
    case ComfortInput::Limit:
        return "limit";
    case ComfortInput::History:
        return "hours before";
    case ComfortInput::Radiation:
        return "radiation";
    case ComfortInput::Polygon:
        return "corners";
    case ComfortInput::Days:
        return "days";
    case ComfortInput::DryBulb:
        return "dry bulb";
    case ComfortInput::HumidityRatio:
        return "humidity ratio";
    }
    return "input";
}

const char* UnitOf(ComfortInput input) {
    switch (input) {
    case ComfortInput::AirTemperature:
    case ComfortInput::MeanRadiant:
    case ComfortInput::OperativeTemperature:
    case ComfortInput::PrevailingMean:
        return "degC";
    case ComfortInput::AirSpeed:
        return "m/s";
    case ComfortInput::RelativeHumidity:
        return "%";
    case ComfortInput::VapourPressure:
    case ComfortInput::Pressure:
        return "Pa";
    case ComfortInput::Metabolic:
    case ComfortInput::ExternalWork:
        return "met";
    case ComfortInput::Clothing:
        return "clo";
    case ComfortInput::Radiation:
        return "Wh/m2";
    case ComfortInput::DryBulb:
        return "K";
    case ComfortInput::HumidityRatio:
        return "kg/kg";
    case ComfortInput::Limit:
    case ComfortInput::History:
    case ComfortInput::Polygon:
    case ComfortInput::Days:
        return "";
    }
    return "";
}

std::string Describe(const ComfortFailure& f) {
    const char* unit = UnitOf(f.input);
    const char* gap = *unit ? " " : "";
    switch (f.kind) {
    case ComfortFailureKind::OutOfRange:
        return f.model + ": " + NameOf(f.input) + " " + text::GeneralText(f.value, 6) + gap + unit +
               " outside " + text::GeneralText(f.minimum, 6) + " to " +
               text::GeneralText(f.maximum, 6) + gap + unit;
    case ComfortFailureKind::NotANumber:
        return f.model + ": " + NameOf(f.input) + " is missing";
    case ComfortFailureKind::NoSolution:
    case ComfortFailureKind::CoreFailure:
        break;
    }
    return f.model + ": " + f.detail;
}

} // namespace hygrovane::comfort
