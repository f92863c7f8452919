// The comfort and weather libraries' own answers, for the Python tests to compare the module with
// bit for bit. One request per line, one answer per line, numbers as C hex floats (%a):
//   pmv iso|ashrae checked vapour t_a t_r v humidity met clo work -> ok pmv ppd [ce] | fail ...
//   set vapour t_a t_r v humidity met clo work pressure forCoolingEffect -> ok set | fail ...
//   ce vapour t_a t_r v humidity met clo work pressure -> ok ce | fail ...
//   adaptive ashrae|en t_a t_r v mean -> ok <every number, flags 1/0> | fail ...
//   design path dewPoint elevation -> ok <cooling T, wet bulb; wet bulb, T; dew point, W, T;
//                                       enthalpy (each at 3 fractions); heating T (2)> | fail ...
#include "climate/design_conditions.h"
#include "climate/weather_file.h"
#include "comfort/adaptive.h"
#include "comfort/pmv.h"
#include "comfort/set.h"
#include "reference_support.h"

#include <string>
#include <vector>

using namespace hygrovane;
using namespace hygrovane::comfort;
using namespace hygrovane::reference;

namespace {

template <typename T, typename Values> void Answer(const ComfortResult<T>& result, Values values) {
    if (!result) {
        return PrintFailure(Describe(result.error()));
    }
    Print(values(*result));
}

ThermalInputs Thermal(std::istream& in) {
    const bool vapour = Number(in) == 1;
    ThermalInputs t;
    t.airTemperature = Number(in);
    t.meanRadiant = Number(in);
    t.airSpeed = Number(in);
    const double humidity = Number(in);
    t.humidity = vapour ? Humidity::Pressure(humidity) : Humidity::Relative(humidity);
    t.metabolic = Number(in);
    t.clothing = Number(in);
    t.externalWork = Number(in);
    return t;
}

void Pmv(std::istream& in) {
    std::string standard;
    in >> standard;
    const auto applicability = Number(in) == 1 ? Applicability::Checked : Applicability::Unchecked;
    const ThermalInputs t = Thermal(in);
    if (standard == "iso") {
        Answer(PmvIso7730(t, applicability), [](const PmvPpd& r) {
            return std::vector<double>{r.pmv, r.ppd};
        });
    } else {
        Ashrae55Options options;
        options.applicability = applicability;
        Answer(PmvAshrae55(t, options), [](const Ashrae55Pmv& r) {
            return std::vector<double>{r.pmv, r.ppd, r.coolingEffect};
        });
    }
}

void Adaptive(std::istream& in) {
    std::string model;
    in >> model;
    const double ta = Number(in), tr = Number(in), v = Number(in), mean = Number(in);
    if (model == "ashrae") {
        Answer(AdaptiveAshrae55Of(ta, tr, v, mean), [](const AdaptiveAshrae55& r) {
            return std::vector<double>{r.comfort,
                                       r.lower80,
                                       r.upper80,
                                       r.lower90,
                                       r.upper90,
                                       r.allowance,
                                       r.operative,
                                       double(r.acceptable80),
                                       double(r.acceptable90)};
        });
    } else {
        Answer(AdaptiveEn16798Of(ta, tr, v, mean), [](const AdaptiveEn16798& r) {
            return std::vector<double>{r.comfort,
                                       r.upper[0],
                                       r.upper[1],
                                       r.upper[2],
                                       r.lower[0],
                                       r.lower[1],
                                       r.lower[2],
                                       r.allowance,
                                       r.operative,
                                       double(r.acceptable[0]),
                                       double(r.acceptable[1]),
                                       double(r.acceptable[2])};
        });
    }
}

void Design(std::istream& in) {
    std::string path;
    in >> path;
    climate::StateOptions options;
    options.humidity = Number(in) == 1 ? climate::HumiditySource::DewPoint
                                       : climate::HumiditySource::RelativeHumidity;
    options.pressure =
        Number(in) == 1 ? climate::PressureSource::Elevation : climate::PressureSource::Station;
    const auto data = climate::ReadWeatherFile(path);
    if (!data) {
        return PrintFailure(climate::Describe(data.error()));
    }
    const auto d = climate::DesignConditionsOf(climate::ComputeStates(*data, options));
    if (!d) {
        return PrintFailure("no design conditions");
    }
    std::vector<double> v;
    for (const auto& c : d->cooling) {
        v.insert(v.end(), {c.dryBulb, c.meanCoincidentWetBulb});
    }
    for (const auto& w : d->wetBulb) {
        v.insert(v.end(), {w.wetBulb, w.meanCoincidentDryBulb});
    }
    for (const auto& p : d->dewPoint) {
        v.insert(v.end(), {p.dewPoint, p.humidityRatio, p.meanCoincidentDryBulb});
    }
    v.insert(v.end(), d->enthalpy.begin(), d->enthalpy.end());
    v.insert(v.end(), d->heating.begin(), d->heating.end());
    Print(v);
}

void Set(std::istream& in) {
    const ThermalInputs t = Thermal(in);
    const double pressure = Number(in);
    const bool forCoolingEffect = Number(in) == 1;
    Answer(StandardEffectiveTemperature(t, {pressure, forCoolingEffect}),
           [](double r) { return std::vector<double>{r}; });
}

void Ce(std::istream& in) {
    const ThermalInputs t = Thermal(in);
    Answer(CoolingEffect(t, Number(in)), [](double r) { return std::vector<double>{r}; });
}

} // namespace

int main() {
    return Serve(
        {{"pmv", Pmv}, {"set", Set}, {"ce", Ce}, {"adaptive", Adaptive}, {"design", Design}});
}
