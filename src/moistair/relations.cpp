#include "hygrovane/relations.h"

#include "engine/checked_math.h"
#include "engine/constants.h"
#include "engine/moist_air_relations.h"
#include "engine/saturation.h"
#include "engine/wet_bulb.h"
#include "moistair/guarded.h"

namespace hygrovane {

// One definition of each constant: the published ones are the engine's.
static_assert(kDryAirSpecificHeat == engine::kDryAirSpecificHeat);
static_assert(kLatentHeatAt0C == engine::kLatentHeatAt0C);
static_assert(kVapourSpecificHeat == engine::kVapourSpecificHeat);
static_assert(kLiquidWaterSpecificHeat == engine::kLiquidWaterSpecificHeat);
static_assert(kCelsiusOffset == engine::kCelsiusOffset);

Result<double> SaturationPressureAt(double T, SatFormulation formulation) {
    return moistair::Guarded(
        [&]() -> Result<double> { return engine::SaturationPressure(T, formulation); });
}

Result<double> SaturationTemperatureAt(double p, SatFormulation formulation) {
    return moistair::Guarded(
        [&]() -> Result<double> { return engine::SaturationTemperature(p, formulation); });
}

Result<double> SaturationHumidityRatio(double T, double P, SatFormulation formulation) {
    return moistair::Guarded([&]() -> Result<double> {
        return engine::HumidityRatioFromPartialPressure(engine::SaturationPressure(T, formulation),
                                                        P);
    });
}

Result<double> HumidityRatioFromVapourPressure(double p_w, double P) {
    return moistair::Guarded(
        [&]() -> Result<double> { return engine::HumidityRatioFromPartialPressure(p_w, P); });
}

Result<double> VapourPressureAt(double W, double P) {
    return moistair::Guarded(
        [&]() -> Result<double> { return engine::PartialPressureFromHumidityRatio(W, P); });
}

Result<double> RelativeHumidityAt(double T, double W, double P, SatFormulation formulation) {
    return moistair::Guarded([&]() -> Result<double> {
        return engine::checkedDivide(engine::PartialPressureFromHumidityRatio(W, P),
                                     engine::SaturationPressure(T, formulation));
    });
}

Result<double> EnthalpyAt(double T, double W) {
    return moistair::Guarded([&]() -> Result<double> { return engine::Enthalpy(T, W); });
}

Result<double> DryBulbFromEnthalpy(double h, double W) {
    return moistair::Guarded([&]() -> Result<double> {
        const double t =
            engine::checkedDivide(h - W * engine::kLatentHeatAt0C,
                                  engine::kDryAirSpecificHeat + W * engine::kVapourSpecificHeat);
        return t + engine::kCelsiusOffset;
    });
}

Result<double> DewPointAt(double W, double P, SatFormulation formulation) {
    return moistair::Guarded([&]() -> Result<double> {
        return engine::SaturationTemperature(engine::PartialPressureFromHumidityRatio(W, P),
                                             formulation);
    });
}

Result<double> SpecificVolumeAt(double T, double W, double P) {
    return moistair::Guarded([&]() -> Result<double> { return engine::SpecificVolume(T, W, P); });
}

Result<double> WetBulbAt(double T, double W, double P, SatFormulation formulation) {
    return moistair::Guarded(
        [&]() -> Result<double> { return engine::WetBulbFromHumidityRatio(W, T, P, formulation); });
}

} // namespace hygrovane
