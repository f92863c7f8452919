// The comfort library over numpy columns: PMV/PPD (ISO 7730, ASHRAE 55), SET, the cooling effect,
// the adaptive models and the operative temperature per element, and the running means of a
// series. In the library's units: degC, m/s, % or Pa, met, clo, Pa.
#include "bindings.h"
#include "elementwise.h"

#include "comfort/adaptive.h"
#include "comfort/pmv.h"
#include "comfort/running_mean.h"
#include "comfort/set.h"

#include <span>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using namespace comfort;

// The status of a refused element: ComfortFailureKind + 1 (0 is a result).
Unexpected<ElementFailure> FailureOf(const ComfortFailure& failure) {
    return Fail(ElementFailure{static_cast<std::uint8_t>(static_cast<int>(failure.kind) + 1),
                               Describe(failure)});
}

// Inputs a[0..6]: t_a, t_r (degC), v (m/s), humidity (% or Pa), M (met), I_cl (clo), W (met).
ThermalInputs ThermalAt(const double* a, bool vapourPressure) {
    ThermalInputs t;
    t.airTemperature = a[0];
    t.meanRadiant = a[1];
    t.airSpeed = a[2];
    t.humidity = vapourPressure ? Humidity::Pressure(a[3]) : Humidity::Relative(a[3]);
    t.metabolic = a[4];
    t.clothing = a[5];
    t.externalWork = a[6];
    return t;
}

struct ComfortOptions {
    bool vapourPressure = false;
    bool checked = true;
    bool occupantControl = true;
    bool forCoolingEffect = false;
};

using Failure = Expected<Done, ElementFailure>;

py::dict ComfortColumns(const std::string& model, std::size_t n,
                        const std::vector<DoubleArray>& inputs, const ComfortOptions& o,
                        unsigned threads) {
    const Applicability applicability =
        o.checked ? Applicability::Checked : Applicability::Unchecked;
    if (model == "pmv_iso7730") {
        return ElementwiseColumns(
            n, inputs, 7, {"pmv", "ppd"}, threads, [&](const double* a, double* r) -> Failure {
                const auto v = PmvIso7730(ThermalAt(a, o.vapourPressure), applicability);
                if (!v) {
                    return FailureOf(v.error());
                }
                r[0] = v->pmv;
                r[1] = v->ppd;
                return Done{};
            });
    }
    if (model == "pmv_ashrae55") {
        Ashrae55Options options;
        options.applicability = applicability;
        options.occupantControl = o.occupantControl;
        return ElementwiseColumns(n, inputs, 7, {"pmv", "ppd", "cooling_effect"}, threads,
                                  [&](const double* a, double* r) -> Failure {
                                      const auto v =
                                          PmvAshrae55(ThermalAt(a, o.vapourPressure), options);
                                      if (!v) {
                                          return FailureOf(v.error());
                                      }
                                      r[0] = v->pmv;
                                      r[1] = v->ppd;
                                      r[2] = v->coolingEffect;
                                      return Done{};
                                  });
    }
    if (model == "set") { // a[7]: pressure, Pa
        return ElementwiseColumns(
            n, inputs, 8, {"set"}, threads, [&](const double* a, double* r) -> Failure {
                const auto v = StandardEffectiveTemperature(ThermalAt(a, o.vapourPressure),
                                                            {a[7], o.forCoolingEffect});
                if (!v) {
                    return FailureOf(v.error());
                }
                r[0] = *v;
                return Done{};
            });
    }
    if (model == "cooling_effect") { // a[7]: pressure, Pa
        return ElementwiseColumns(
            n, inputs, 8, {"cooling_effect"}, threads, [&](const double* a, double* r) -> Failure {
                const auto v = CoolingEffect(ThermalAt(a, o.vapourPressure), a[7]);
                if (!v) {
                    return FailureOf(v.error());
                }
                r[0] = *v;
                return Done{};
            });
    }
    if (model == "adaptive_ashrae55") { // t_a, t_r, v, prevailing mean
        return ElementwiseColumns(n, inputs, 4,
                                  {"comfort", "lower_80", "upper_80", "lower_90", "upper_90",
                                   "allowance", "operative", "acceptable_80", "acceptable_90"},
                                  threads, [](const double* a, double* r) -> Failure {
                                      const auto v = AdaptiveAshrae55Of(a[0], a[1], a[2], a[3]);
                                      if (!v) {
                                          return FailureOf(v.error());
                                      }
                                      const double values[] = {v->comfort,
                                                               v->lower80,
                                                               v->upper80,
                                                               v->lower90,
                                                               v->upper90,
                                                               v->allowance,
                                                               v->operative,
                                                               v->acceptable80 ? 1.0 : 0.0,
                                                               v->acceptable90 ? 1.0 : 0.0};
                                      std::copy(std::begin(values), std::end(values), r);
                                      return Done{};
                                  });
    }
    if (model == "adaptive_en16798") { // t_a, t_r, v, running mean
        return ElementwiseColumns(n, inputs, 4,
                                  {"comfort", "upper_i", "upper_ii", "upper_iii", "lower_i",
                                   "lower_ii", "lower_iii", "allowance", "operative",
                                   "acceptable_i", "acceptable_ii", "acceptable_iii"},
                                  threads, [](const double* a, double* r) -> Failure {
                                      const auto v = AdaptiveEn16798Of(a[0], a[1], a[2], a[3]);
                                      if (!v) {
                                          return FailureOf(v.error());
                                      }
                                      const double values[] = {v->comfort,
                                                               v->upper[0],
                                                               v->upper[1],
                                                               v->upper[2],
                                                               v->lower[0],
                                                               v->lower[1],
                                                               v->lower[2],
                                                               v->allowance,
                                                               v->operative,
                                                               v->acceptable[0] ? 1.0 : 0.0,
                                                               v->acceptable[1] ? 1.0 : 0.0,
                                                               v->acceptable[2] ? 1.0 : 0.0};
                                      std::copy(std::begin(values), std::end(values), r);
                                      return Done{};
                                  });
    }
    if (model == "operative") { // t_a, t_r, v
        return ElementwiseColumns(n, inputs, 3, {"operative"}, threads,
                                  [](const double* a, double* r) -> Failure {
                                      r[0] = OperativeTemperature(a[0], a[1], a[2]);
                                      return Done{};
                                  });
    }
    throw std::invalid_argument("unknown comfort model: " + model);
}

std::span<const double> SpanOf(const DoubleArray& values) {
    return {values.data(), static_cast<std::size_t>(values.size())};
}

DoubleArray ArrayOf(const std::vector<double>& values) {
    DoubleArray array(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

DoubleArray Refused(const ComfortFailure& failure) {
    throw py::value_error(Describe(failure));
}

} // namespace

void BindComfort(py::module_& m) {
    py::class_<ComfortOptions>(m, "ComfortOptions")
        .def(py::init<>())
        .def_readwrite("vapour_pressure", &ComfortOptions::vapourPressure)
        .def_readwrite("checked", &ComfortOptions::checked)
        .def_readwrite("occupant_control", &ComfortOptions::occupantControl)
        .def_readwrite("for_cooling_effect", &ComfortOptions::forCoolingEffect);
    m.def("comfort_columns", &ComfortColumns, py::arg("model"), py::arg("n"), py::arg("inputs"),
          py::arg("options"), py::arg("threads"));
    m.def("daily_means",
          [](const DoubleArray& hourly) { return ArrayOf(DailyMeans(SpanOf(hourly))); });
    m.def("exponential_running_mean", [](const DoubleArray& daily, double alpha, bool wrap) {
        const auto means = ExponentialRunningMean(SpanOf(daily), alpha, wrap);
        return means ? ArrayOf(*means) : Refused(means.error());
    });
    m.def("prevailing_means_simple", [](const DoubleArray& daily, int days, bool wrap) {
        const auto means = PrevailingMeansSimple(SpanOf(daily), days, wrap);
        return means ? ArrayOf(*means) : Refused(means.error());
    });
}

} // namespace hygrovane::python
