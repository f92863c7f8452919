// Logged air streams for Python: the columns of each stream (seconds, dry bulb, humidity in the
// core's unit of its kind, pressure) aligned and judged by the streams library, each step's
// figures as numpy columns and the summary as a dict with snake_case keys: the C++ numbers, bit
// for bit those hygrovane-climate --stream writes.
#include "array_args.h"
#include "bindings.h"

#include "streams/judgement.h"

#include <pybind11/stl.h>

#include <optional>
#include <stdexcept>
#include <tuple>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using streams::kFaultCount;
using streams::kStreamCount;
using streams::StepFigures;

// (seconds, dry bulb degC, humidity, pressure Pa, HumidityInput code)
using StreamColumns = std::tuple<DoubleArray, DoubleArray, DoubleArray, DoubleArray, int>;

streams::StreamSeries SeriesOf(const StreamColumns& columns, const char* name) {
    const auto& [seconds, dryBulb, humidity, pressure, kind] = columns;
    const std::size_t n = static_cast<std::size_t>(seconds.size());
    if (kind < 0 || kind > static_cast<int>(HumidityInput::MassFraction)) {
        throw std::invalid_argument(std::string("unknown humidity kind of ") + name);
    }
    streams::StreamSeries s;
    s.humidityInput = static_cast<HumidityInput>(kind);
    s.seconds.assign(seconds.data(), seconds.data() + n);
    for (std::size_t i = 1; i < n; ++i) {
        if (!(s.seconds[i] > s.seconds[i - 1])) {
            throw std::invalid_argument(std::string(name) + ": the times must increase");
        }
    }
    const Column t = ColumnOf(dryBulb, n, "dry_bulb");
    const Column h = ColumnOf(humidity, n, "humidity");
    const Column p = ColumnOf(pressure, n, "pressure");
    s.dryBulb.resize(n);
    s.humidity.resize(n);
    s.pressure.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        s.dryBulb[i] = t[i];
        s.humidity[i] = h[i];
        s.pressure[i] = p[i];
    }
    return s;
}

template <typename Get>
py::array_t<double> StepColumn(const std::vector<StepFigures>& steps, Get get) {
    py::array_t<double> column(static_cast<py::ssize_t>(steps.size()));
    for (std::size_t i = 0; i < steps.size(); ++i) {
        column.mutable_data()[i] = get(steps[i]);
    }
    return column;
}

// "fractionsDisagree" -> "fractions_disagree", "relativeHumidityAbove100" ->
// "relative_humidity_above100".
std::string Snake(const char* key) {
    std::string snake;
    for (const char* c = key; *c; ++c) {
        const auto u = static_cast<unsigned char>(*c);
        if (std::isupper(u) && c != key) {
            snake += '_';
        }
        snake += static_cast<char>(std::tolower(u));
    }
    return snake;
}

py::dict Judged(const std::array<std::optional<StreamColumns>, kStreamCount>& columns,
                int alignment, double tolerance, int frozenReadings, double fractionTolerance,
                std::optional<double> flow, bool heats, std::optional<double> lockout,
                int formulation) {
    streams::StreamSet set;
    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (columns[k]) {
            set[k] = SeriesOf(*columns[k], streams::KeyOf(static_cast<streams::StreamName>(k)));
        }
    }
    streams::AlignmentSettings a;
    a.how = alignment == 0 ? streams::Alignment::Nearest : streams::Alignment::Linear;
    a.toleranceSeconds = tolerance;
    a.frozenReadings = frozenReadings;
    a.formulation = static_cast<SatFormulation>(formulation);
    streams::JudgementSettings j;
    j.fractionTolerance = fractionTolerance;
    j.massFlow = flow;
    j.heats = heats;
    j.heatingLockout = lockout;
    streams::StreamJudgement judged;
    {
        py::gil_scoped_release release;
        judged = streams::Judge(set, a, j);
    }
    const auto& steps = judged.steps;
    py::dict step;
    step["seconds"] = py::array_t<double>(static_cast<py::ssize_t>(judged.aligned.seconds.size()),
                                          judged.aligned.seconds.data());
    step["hours"] = py::array_t<double>(static_cast<py::ssize_t>(judged.aligned.hours.size()),
                                        judged.aligned.hours.data());
    step["outdoor_fraction"] = StepColumn(steps, [](auto& f) { return f.outdoorFraction; });
    step["fraction_on_humidity_ratio"] =
        StepColumn(steps, [](auto& f) { return f.fractionOnHumidityRatio; });
    step["fraction_on_enthalpy"] = StepColumn(steps, [](auto& f) { return f.fractionOnEnthalpy; });
    step["effectiveness_sensible"] =
        StepColumn(steps, [](auto& f) { return f.effectivenessSensible; });
    step["effectiveness_latent"] = StepColumn(steps, [](auto& f) { return f.effectivenessLatent; });
    step["effectiveness_total"] = StepColumn(steps, [](auto& f) { return f.effectivenessTotal; });
    step["coil_sensible_kw"] = StepColumn(steps, [](auto& f) { return f.coilSensibleKW; });
    step["coil_latent_kw"] = StepColumn(steps, [](auto& f) { return f.coilLatentKW; });
    step["coil_total_kw"] = StepColumn(steps, [](auto& f) { return f.coilTotalKW; });
    step["condensate_kg_s"] = StepColumn(steps, [](auto& f) { return f.condensateKgS; });
    const streams::StreamSummary& s = judged.summary;
    py::dict summary, faultHours, faultSteps, faultPeriods, gapHours;
    for (std::size_t k = 0; k < kFaultCount; ++k) {
        const std::string key = Snake(streams::KeyOf(static_cast<streams::FaultKind>(k)));
        py::array_t<bool> flags(static_cast<py::ssize_t>(steps.size()));
        for (std::size_t i = 0; i < steps.size(); ++i) {
            flags.mutable_data()[i] = steps[i].faults[k];
        }
        step[key.c_str()] = flags;
        faultHours[key.c_str()] = s.faultHours[k];
        faultSteps[key.c_str()] = s.faultSteps[k];
        py::list periods;
        for (const streams::FaultPeriod& p : s.faultPeriods[k]) {
            periods.append(py::make_tuple(p.start, p.end, p.hours));
        }
        faultPeriods[key.c_str()] = periods;
    }
    for (std::size_t k = 0; k < kStreamCount; ++k) {
        if (judged.aligned.logged[k]) {
            gapHours[Snake(streams::KeyOf(static_cast<streams::StreamName>(k))).c_str()] =
                s.gapHours[k];
        }
    }
    summary["steps"] = s.steps;
    summary["hours"] = s.hours;
    summary["gap_hours"] = gapHours;
    summary["outdoor_fraction_mean"] = s.outdoorFractionMean;
    summary["outdoor_fraction_hours"] = s.outdoorFractionHours;
    summary["outdoor_fraction_on_humidity_ratio_mean"] = s.fractionOnHumidityRatioMean;
    summary["outdoor_fraction_on_enthalpy_mean"] = s.fractionOnEnthalpyMean;
    summary["effectiveness_sensible_mean"] = s.effectivenessSensibleMean;
    summary["effectiveness_latent_mean"] = s.effectivenessLatentMean;
    summary["effectiveness_total_mean"] = s.effectivenessTotalMean;
    summary["effectiveness_hours"] = s.effectivenessHours;
    summary["coil_sensible_kwh"] = s.coilSensibleKWh;
    summary["coil_latent_kwh"] = s.coilLatentKWh;
    summary["coil_total_kwh"] = s.coilTotalKWh;
    summary["condensate_kg"] = s.condensateKg;
    summary["fault_hours"] = faultHours;
    summary["fault_steps"] = faultSteps;
    summary["fault_periods"] = faultPeriods;
    return py::dict(py::arg("summary") = summary, py::arg("steps") = step);
}

} // namespace

void BindStreams(py::module_& m) {
    m.def("streams", &Judged, py::arg("columns"), py::arg("alignment"), py::arg("tolerance"),
          py::arg("frozen_readings"), py::arg("fraction_tolerance"), py::arg("flow"),
          py::arg("heats"), py::arg("heating_lockout"), py::arg("formulation"));
}

} // namespace hygrovane::python
