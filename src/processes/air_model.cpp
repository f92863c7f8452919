#include "processes/air_model.h"

#include "engine/checked_math.h"
#include "engine/constants.h"
#include "engine/moist_air_relations.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"

namespace hygrovane::processes {

using namespace engine;

Outcome<AirModel> AirModel::Of(const ProcessAmbient& ambient) {
    // The core judges the pressure (or altitude) and derives the other, on dry air at 20 degC.
    Conditions probe;
    probe.dryBulb = 293.15;
    probe.pressureInput = ambient.pressureInput;
    probe.pressure = ambient.pressure;
    probe.altitude = ambient.altitude;
    probe.humidityInput = HumidityInput::HumidityRatio;
    probe.humidity = 0;
    probe.formulation = ambient.formulation;
    const Result<MoistAirState> state = Solve(probe);
    if (!state) {
        return CoreFailure(state.failure());
    }
    return AirModel(ambient, state->ambient.pressure);
}

double AirModel::SaturationRatio(double T) const {
    return HumidityRatioFromPartialPressure(SaturationPressure(T, formulation()), P_);
}

double AirModel::Enthalpy(double T, double W) const {
    return engine::Enthalpy(T, W);
}

double AirModel::DryBulb(double h, double W) const {
    // h = 1.006 t + W (2501 + 1.805 t), solved for t.
    const double t =
        checkedDivide(h - W * kLatentHeatAt0C, kDryAirSpecificHeat + W * kVapourSpecificHeat);
    return t + kCelsiusOffset;
}

double AirModel::RelativeHumidity(double T, double W) const {
    return checkedDivide(PartialPressureFromHumidityRatio(W, P_),
                         SaturationPressure(T, formulation()));
}

double AirModel::DewPoint(double W) const {
    return SaturationTemperature(PartialPressureFromHumidityRatio(W, P_), formulation());
}

bool AirModel::Supersaturated(double T, double W) const {
    return W > SaturationRatio(T) * (1 + kSaturationTolerance);
}

Conditions AirModel::ConditionsOf(double T, HumidityInput input, double value) const {
    Conditions c;
    c.dryBulb = T;
    c.pressureInput = ambient_.pressureInput;
    c.pressure = ambient_.pressure;
    c.altitude = ambient_.altitude;
    c.humidityInput = input;
    c.humidity = value;
    c.formulation = ambient_.formulation;
    return c;
}

Outcome<AirState> AirModel::Given(const PointConditions& given) const {
    const Result<MoistAirState> state =
        Solve(ConditionsOf(given.dryBulb, given.humidityInput, given.humidity));
    if (!state) {
        return CoreFailure(state.failure());
    }
    AirState air;
    air.dryBulb = state->ambient.dryBulb;
    air.humidityRatio = state->humidityRatio;
    air.enthalpy = state->enthalpy;
    air.specificVolume = state->specificVolume;
    air.wetBulb = state->wetBulb;
    air.core = *state;
    return air;
}

Outcome<AirState> AirModel::StateAt(double T, double W) const {
    return Guarded([&]() -> Outcome<AirState> {
        Conditions c = ConditionsOf(T, HumidityInput::HumidityRatio, W);
        Result<MoistAirState> state = Solve(c);
        // The core judges saturation at its 32-bit dry bulb; air saturated at the dry bulb in
        // double shows as saturated there.
        if (!state && state.failure().kind == hygrovane::FailureKind::OutOfRange &&
            state.failure().field == InputField::Humidity && W > 0 && !Supersaturated(T, W)) {
            c.humidity = state.failure().allowed.maximum;
            state = Solve(c);
        }
        if (!state) {
            return CoreFailure(state.failure());
        }
        AirState air;
        air.dryBulb = T;
        air.humidityRatio = W;
        air.enthalpy = Enthalpy(T, W);
        air.specificVolume = SpecificVolume(T, W, P_);
        air.wetBulb = WetBulbFromHumidityRatio(W, T, P_, formulation());
        air.core = *state;
        return air;
    });
}

} // namespace hygrovane::processes
