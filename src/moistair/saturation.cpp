#include "engine/saturation.h"
#include "engine/moist_air_relations.h"
#include "engine/wet_bulb.h"
#include "hygrovane/moist_air.h"
#include "moistair/guarded.h"

#include <limits>

namespace hygrovane {

Result<Saturation> SaturationOf(const Ambient& ambient, SatFormulation formulation) {
    return SaturationOf(ambient, formulation, SolveScope{});
}

Result<Saturation> SaturationOf(const Ambient& ambient, SatFormulation formulation,
                                SolveScope scope) {
    return moistair::Guarded([&]() -> Result<Saturation> {
        using namespace engine;
        const double T = ambient.dryBulb;
        const double P = ambient.pressure;
        Saturation s;
        s.formulation = formulation;
        s.pressure = SaturationPressure(T, formulation);
        if (s.pressure >= P) {
            SolveFailure failure;
            failure.kind = FailureKind::PressureTooLow;
            failure.field = InputField::Pressure;
            failure.value = s.pressure;
            failure.allowed = {0, P};
            return Fail(failure);
        }
        s.humidityRatio = HumidityRatioFromPartialPressure(s.pressure, P);
        s.moleFraction = MoleFractionFromPartialPressure(s.pressure, P);
        s.absoluteHumidity = AbsoluteHumidity(s.moleFraction, P, T);
        s.molecularWeight = MolecularWeight(s.moleFraction);
        s.massFraction = MassFractionFromMoleFraction(s.moleFraction, s.molecularWeight);
        s.dryAirWetBulb = scope.dryAirWetBulb ? WetBulbFromHumidityRatio(0, T, P, formulation)
                                              : std::numeric_limits<double>::quiet_NaN();
        return s;
    });
}

Range LimitsOf(HumidityInput input, const Ambient& ambient, const Saturation& saturation) {
    switch (input) {
    case HumidityInput::HumidityRatio:
        return {0, saturation.humidityRatio};
    case HumidityInput::RelativeHumidity:
        return {0, 1};
    case HumidityInput::DewPoint:
        return {kLowestDewPoint, ambient.dryBulb};
    case HumidityInput::WetBulb:
        return {saturation.dryAirWetBulb, ambient.dryBulb};
    case HumidityInput::AbsoluteHumidity:
        return {0, saturation.absoluteHumidity};
    case HumidityInput::PartialPressure:
        return {0, saturation.pressure};
    case HumidityInput::MoleFraction:
        return {0, saturation.moleFraction};
    case HumidityInput::MassFraction:
        return {0, saturation.massFraction};
    }
    return {};
}

Result<SaturatedAir> SaturatedAirOf(const Conditions& conditions) {
    return SaturatedAirOf(conditions, SolveScope{});
}

Result<SaturatedAir> SaturatedAirOf(const Conditions& conditions, SolveScope scope) {
    const Result<Ambient> ambient = AmbientOf(conditions);
    if (!ambient) {
        return Fail(ambient.error());
    }
    const Result<Saturation> saturation = SaturationOf(*ambient, conditions.formulation, scope);
    if (!saturation) {
        return Fail(saturation.error());
    }
    return SaturatedAir{*ambient, *saturation};
}

} // namespace hygrovane
