// The envelopes for Python: the named ones and the user's as tuples Python holds, each reading
// judged over flat columns, and the compliance figures of a series of readings.
#include "array_args.h"
#include "bindings.h"

#include "envelopes/catalogue.h"
#include "envelopes/compliance.h"
#include "envelopes/user_envelope.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <stdexcept>
#include <tuple>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using namespace envelopes;

// (quantity, side, value, reading) with Quantity, Side and DewReading as their integer codes.
using EdgeTuple = std::tuple<int, int, double, int>;
// (name, edition, title, edges).
using EnvelopeTuple = std::tuple<std::string, std::string, std::string, std::vector<EdgeTuple>>;
using SecondsArray = py::array_t<std::int64_t, py::array::c_style | py::array::forcecast>;

EnvelopeTuple TupleOf(const Envelope& e) {
    std::vector<EdgeTuple> edges;
    for (const Edge& edge : e.edges) {
        edges.emplace_back(static_cast<int>(edge.quantity), static_cast<int>(edge.side), edge.value,
                           static_cast<int>(edge.reading));
    }
    return {e.name, e.edition, e.title, edges};
}

// Python hands the tuple over untyped, so the compiled signature reads "envelope: tuple".
Envelope EnvelopeOf(const py::tuple& held) {
    const auto t = held.cast<EnvelopeTuple>();
    // ASHRAE 55's PMV zone and the collection classes judged on a series have no edges to
    // hold: their names with their inputs give them back.
    if (std::get<3>(t).empty()) {
        if (auto named = EnvelopeFromText(std::get<0>(t))) {
            return *named;
        }
    }
    Envelope e{std::get<0>(t), std::get<1>(t), std::get<2>(t), {}};
    for (const auto& [quantity, side, value, reading] : std::get<3>(t)) {
        if (quantity < 0 || quantity > 4 || side < 0 || side > 1 || reading < 0 || reading > 1) {
            throw std::invalid_argument("unknown code in an envelope's edge");
        }
        e.edges.push_back({static_cast<Quantity>(quantity), static_cast<Side>(side), value,
                           static_cast<DewReading>(reading)});
    }
    return e;
}

EnvelopeTuple Made(const Expected<Envelope, EnvelopeFailure>& made) {
    if (!made) {
        throw py::value_error(made.error().message);
    }
    return TupleOf(*made);
}

Limits LimitsOf(int quantity, std::optional<double> lowest, std::optional<double> highest,
                int reading) {
    if (quantity < 0 || quantity > 4 || reading < 0 || reading > 1) {
        throw std::invalid_argument("unknown quantity or dew-point reading");
    }
    return {static_cast<Quantity>(quantity), lowest, highest, static_cast<DewReading>(reading)};
}

Air AirAt(const DoubleArray& T, const DoubleArray& W, const DoubleArray& P, std::size_t i) {
    return {T.data()[i], W.data()[i], P.data()[i]};
}

std::size_t CheckedColumns(const DoubleArray& T, const DoubleArray& W, const DoubleArray& P) {
    const auto n = static_cast<std::size_t>(T.size());
    if (static_cast<std::size_t>(W.size()) != n || static_cast<std::size_t>(P.size()) != n) {
        throw std::invalid_argument("the columns differ in length");
    }
    return n;
}

py::tuple JudgeColumns(const py::tuple& envelope, const DoubleArray& dry_bulb,
                       const DoubleArray& humidity_ratio, const DoubleArray& pressure,
                       int formulation) {
    const std::size_t n = CheckedColumns(dry_bulb, humidity_ratio, pressure);
    const Judge judge(EnvelopeOf(envelope), static_cast<SatFormulation>(formulation));
    CodeArray verdicts(static_cast<py::ssize_t>(n));
    DoubleArray beyond(static_cast<py::ssize_t>(n));
    {
        py::gil_scoped_release unlocked;
        for (std::size_t i = 0; i < n; ++i) {
            const Judgement j = judge.Assess(AirAt(dry_bulb, humidity_ratio, pressure, i));
            verdicts.mutable_data()[i] = static_cast<std::int8_t>(j.verdict);
            beyond.mutable_data()[i] = j.beyond;
        }
    }
    return py::make_tuple(verdicts, beyond);
}

py::dict ComplianceOf(const py::tuple& envelope, const SecondsArray& start, const SecondsArray& end,
                      const CodeArray& month, const CodeArray& hour, const DoubleArray& dry_bulb,
                      const DoubleArray& humidity_ratio, const DoubleArray& pressure,
                      int formulation) {
    const std::size_t n = CheckedColumns(dry_bulb, humidity_ratio, pressure);
    if (static_cast<std::size_t>(start.size()) != n || static_cast<std::size_t>(end.size()) != n ||
        static_cast<std::size_t>(month.size()) != n || static_cast<std::size_t>(hour.size()) != n) {
        throw std::invalid_argument("the times differ in length from the readings");
    }
    const Judge judge(EnvelopeOf(envelope), static_cast<SatFormulation>(formulation));
    Compliance c;
    {
        py::gil_scoped_release unlocked;
        std::vector<Sample> samples(n);
        for (std::size_t i = 0; i < n; ++i) {
            const Air air = AirAt(dry_bulb, humidity_ratio, pressure, i);
            samples[i] = {start.data()[i], end.data()[i], month.data()[i], std::nullopt,
                          hour.data()[i]};
            if (std::isfinite(air.dryBulb) && std::isfinite(air.humidityRatio) &&
                std::isfinite(air.pressure)) {
                samples[i].air = air;
            }
        }
        c = Assess(judge, samples);
    }
    const auto periods = [](const auto& parts) {
        py::list list;
        for (const PeriodCompliance& m : parts) {
            list.append(py::dict(py::arg("hours") = m.hours,
                                 py::arg("hours_inside") = m.hoursInside,
                                 py::arg("percent_inside") = m.PercentInside()));
        }
        return list;
    };
    py::object worst = py::none();
    if (c.worst) {
        worst = py::dict(py::arg("start") = c.worst->start, py::arg("end") = c.worst->end,
                         py::arg("hours") = c.worst->hours,
                         py::arg("degree_hours") = c.worst->degreeHours,
                         py::arg("gram_hours") = c.worst->gramHours,
                         py::arg("percent_hours") = c.worst->percentHours);
    }
    return py::dict(
        py::arg("hours") = c.hours, py::arg("hours_inside") = c.hoursInside,
        py::arg("percent_inside") = c.PercentInside(), py::arg("hours_outside") = c.hoursOutside,
        py::arg("hours_missing") = c.hoursMissing,
        py::arg("excursions") = py::dict(
            py::arg("count") = c.excursionCount, py::arg("longest_hours") = c.longestHours,
            py::arg("total_hours") = c.excursionHours, py::arg("degree_hours") = c.degreeHours,
            py::arg("gram_hours") = c.gramHours, py::arg("percent_hours") = c.percentHours),
        py::arg("worst") = worst, py::arg("months") = periods(c.months),
        py::arg("hours_of_day") = periods(c.hoursOfDay));
}

} // namespace

void BindEnvelopes(py::module_& m) {
    m.def("envelope_catalogue", [] {
        std::vector<EnvelopeTuple> all;
        for (const Envelope& e : Catalogue()) {
            all.push_back(TupleOf(e));
        }
        return all;
    });
    m.def(
        "envelope_from_text",
        [](const std::string& text) {
            auto made = EnvelopeFromText(text);
            if (!made) {
                throw py::value_error(made.error());
            }
            return TupleOf(*made);
        },
        py::arg("text"));
    m.def(
        "user_envelope",
        [](const std::string& name, int first_quantity, std::optional<double> first_lowest,
           std::optional<double> first_highest, int first_reading, int second_quantity,
           std::optional<double> second_lowest, std::optional<double> second_highest,
           int second_reading) {
            return Made(UserEnvelope(
                name, LimitsOf(first_quantity, first_lowest, first_highest, first_reading),
                LimitsOf(second_quantity, second_lowest, second_highest, second_reading)));
        },
        py::arg("name"), py::arg("first_quantity"), py::arg("first_lowest"),
        py::arg("first_highest"), py::arg("first_reading"), py::arg("second_quantity"),
        py::arg("second_lowest"), py::arg("second_highest"), py::arg("second_reading"));
    m.def(
        "en16798_humidity",
        [](int category, double humidification, double dehumidification) {
            return Made(En16798Humidity(category, {humidification, dehumidification}));
        },
        py::arg("category"), py::arg("humidification"), py::arg("dehumidification"));
    m.def("envelope_judge", &JudgeColumns, py::arg("envelope"), py::arg("dry_bulb"),
          py::arg("humidity_ratio"), py::arg("pressure"), py::arg("formulation"));
    m.def("envelope_compliance", &ComplianceOf, py::arg("envelope"), py::arg("start"),
          py::arg("end"), py::arg("month"), py::arg("hour"), py::arg("dry_bulb"),
          py::arg("humidity_ratio"), py::arg("pressure"), py::arg("formulation"));
}

} // namespace hygrovane::python
