#include "hygrovane/relations.h"
#include "processes/process_result.h"

namespace hygrovane::processes {

namespace {

std::optional<double> Ratio(double sensible, double total) {
    if (total == 0) {
        return std::nullopt;
    }
    return sensible / total;
}

} // namespace

Stage MakeStage(const AirState& entering, const AirState& leaving, double dryAirFlow,
                double waterEnthalpy) {
    Loads l;
    l.dryAirFlow = dryAirFlow;
    l.enthalpyDifference = leaving.enthalpy - entering.enthalpy;
    l.humidityRatioDifference = leaving.humidityRatio - entering.humidityRatio;
    l.total = dryAirFlow * l.enthalpyDifference;
    const double moistSpecificHeat =
        kDryAirSpecificHeat + kVapourSpecificHeat * entering.humidityRatio;
    l.sensible = dryAirFlow * moistSpecificHeat * (leaving.dryBulb - entering.dryBulb);
    l.latent = l.total - l.sensible;
    l.sensibleHeatRatio = Ratio(l.sensible, l.total);
    l.water = dryAirFlow * l.humidityRatioDifference;
    l.waterEnthalpy = waterEnthalpy;
    l.equipmentHeat = l.total - l.water * waterEnthalpy;
    return {entering, leaving, l};
}

Loads SeriesLoads(const std::vector<Stage>& stages) {
    Loads sum;
    double waterEnergy = 0;
    for (const Stage& stage : stages) {
        const Loads& l = stage.loads;
        sum.dryAirFlow = l.dryAirFlow;
        sum.sensible += l.sensible;
        sum.latent += l.latent;
        sum.total += l.total;
        sum.water += l.water;
        waterEnergy += l.water * l.waterEnthalpy;
        sum.equipmentHeat += l.equipmentHeat;
        sum.enthalpyDifference += l.enthalpyDifference;
        sum.humidityRatioDifference += l.humidityRatioDifference;
    }
    sum.sensibleHeatRatio = Ratio(sum.sensible, sum.total);
    sum.waterEnthalpy = sum.water != 0 ? waterEnergy / sum.water : 0;
    return sum;
}

} // namespace hygrovane::processes
