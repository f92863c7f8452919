#include "processes/air_model.h"

#include "hygrovane/relations.h"

#include <limits>

namespace hygrovane::processes {

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
        return Fail(CoreFailure(state.error()));
    }
    return AirModel(ambient, state->ambient.pressure);
}

double AirModel::Read(const Result<double>& relation) const {
    if (relation) {
        return *relation;
    }
    if (!fault_) {
        fault_ = relation.error();
    }
    return std::numeric_limits<double>::quiet_NaN();
}

AirModel AirModel::ForOneComputation() const {
    AirModel copy = *this;
    copy.fault_.reset();
    return copy;
}

double AirModel::SaturationRatio(double T) const {
    return Read(SaturationHumidityRatio(T, P_, formulation()));
}

double AirModel::Enthalpy(double T, double W) const {
    return Read(EnthalpyAt(T, W));
}

double AirModel::DryBulb(double h, double W) const {
    return Read(DryBulbFromEnthalpy(h, W));
}

double AirModel::RelativeHumidity(double T, double W) const {
    return Read(RelativeHumidityAt(T, W, P_, formulation()));
}

double AirModel::DewPoint(double W) const {
    return Read(DewPointAt(W, P_, formulation()));
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
        return Fail(CoreFailure(state.error()));
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
    Conditions c = ConditionsOf(T, HumidityInput::HumidityRatio, W);
    Result<MoistAirState> state = Solve(c);
    // The core judges saturation at its 32-bit dry bulb; air saturated at the dry bulb in double
    // shows as saturated there.
    if (!state && state.error().kind == hygrovane::FailureKind::OutOfRange &&
        state.error().field == InputField::Humidity && W > 0) {
        const Result<double> Ws = SaturationHumidityRatio(T, P_, formulation());
        if (!Ws) {
            return Fail(CoreFailure(Ws.error()));
        }
        if (!(W > *Ws * (1 + kSaturationTolerance))) {
            c.humidity = state.error().allowed.maximum;
            state = Solve(c);
        }
    }
    if (!state) {
        return Fail(CoreFailure(state.error()));
    }
    const Result<double> h = EnthalpyAt(T, W);
    if (!h) {
        return Fail(CoreFailure(h.error()));
    }
    const Result<double> v = SpecificVolumeAt(T, W, P_);
    if (!v) {
        return Fail(CoreFailure(v.error()));
    }
    const Result<double> wetBulb = WetBulbAt(T, W, P_, formulation());
    if (!wetBulb) {
        return Fail(CoreFailure(wetBulb.error()));
    }
    AirState air;
    air.dryBulb = T;
    air.humidityRatio = W;
    air.enthalpy = *h;
    air.specificVolume = *v;
    air.wetBulb = *wetBulb;
    air.core = *state;
    return air;
}

} // namespace hygrovane::processes
