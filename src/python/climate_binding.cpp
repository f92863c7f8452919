// The weather-data library for Python: a file read once into a WeatherData held by Python, its
// header as dicts, its rows as numpy columns (file units, missing as NaN), the hourly states by
// the core (internal units) and the design conditions from the file's hours.
#include "array_args.h"
#include "bindings.h"

#include "climate/design_conditions.h"
#include "climate/hourly_states.h"
#include "climate/weather_file.h"

#include <pybind11/stl.h>

#include <cctype>
#include <cmath>
#include <limits>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using namespace climate;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

WeatherData Read(Expected<WeatherData, ReadFailure> read) {
    if (!read) {
        const std::string sentence = Describe(read.error());
        if (read.error().kind == ReadFailureKind::CannotOpen) {
            PyErr_SetString(PyExc_OSError, sentence.c_str());
            throw py::error_already_set();
        }
        throw py::value_error(sentence);
    }
    return std::move(*read);
}

// "Dry Bulb Temperature" -> "dry_bulb_temperature".
std::string SnakeCase(const char* name) {
    std::string snake;
    for (const char* c = name; *c; ++c) {
        snake += std::isalnum(static_cast<unsigned char>(*c))
                     ? static_cast<char>(std::tolower(static_cast<unsigned char>(*c)))
                     : '_';
    }
    return snake;
}

py::object Optional(const std::optional<double>& value) {
    return value ? py::object(py::float_(*value)) : py::object(py::none());
}

py::list Optionals(const std::vector<std::optional<double>>& values) {
    py::list list;
    for (const auto& v : values) {
        list.append(Optional(v));
    }
    return list;
}

py::dict LocationOf(const Location& l) {
    return py::dict(py::arg("city") = l.city, py::arg("region") = l.region,
                    py::arg("country") = l.country, py::arg("source") = l.source,
                    py::arg("wmo") = l.wmo, py::arg("latitude") = l.latitude,
                    py::arg("longitude") = l.longitude, py::arg("time_zone") = l.timeZone,
                    py::arg("elevation") = l.elevation);
}

py::dict HeaderOf(const WeatherHeader& h) {
    const DesignConditions& d = h.designConditions;
    const char* layouts[] = {"none", "handbook 2009", "handbook 2021", "other"};
    py::list cooling;
    for (std::size_t k = 0; k < 3; ++k) {
        cooling.append(
            py::dict(py::arg("dry_bulb") = Optional(d.coolingDryBulb[k]),
                     py::arg("mean_coincident_wet_bulb") = Optional(d.coolingWetBulb[k])));
    }
    py::dict design(
        py::arg("layout") = layouts[static_cast<int>(d.layout)], py::arg("source") = d.source,
        py::arg("coldest_month") = d.coldestMonth,
        py::arg("heating_99_6") = Optional(d.heating99_6),
        py::arg("heating_99") = Optional(d.heating99), py::arg("hottest_month") = d.hottestMonth,
        py::arg("hottest_month_daily_range") = Optional(d.hottestMonthDailyRange),
        py::arg("cooling") = cooling, py::arg("heating_fields") = Optionals(d.heatingFields),
        py::arg("cooling_fields") = Optionals(d.coolingFields),
        py::arg("extreme_fields") = Optionals(d.extremeFields));
    py::list periods, grounds, holidays, dataPeriods;
    for (const TypicalPeriod& p : h.typicalPeriods) {
        periods.append(py::dict(py::arg("name") = p.name, py::arg("type") = p.type,
                                py::arg("start") = p.start, py::arg("end") = p.end));
    }
    for (const GroundTemperatures& g : h.groundTemperatures) {
        grounds.append(
            py::dict(py::arg("depth") = g.depth, py::arg("conductivity") = Optional(g.conductivity),
                     py::arg("density") = Optional(g.density),
                     py::arg("specific_heat") = Optional(g.specificHeat),
                     py::arg("monthly") = Optionals({g.monthly.begin(), g.monthly.end()})));
    }
    for (const Holiday& day : h.holidays.holidays) {
        holidays.append(py::dict(py::arg("name") = day.name, py::arg("day") = day.day));
    }
    for (const DataPeriod& p : h.dataPeriods) {
        dataPeriods.append(
            py::dict(py::arg("name") = p.name, py::arg("start_weekday") = p.startWeekday,
                     py::arg("start_month") = p.startMonth, py::arg("start_day") = p.startDay,
                     py::arg("end_month") = p.endMonth, py::arg("end_day") = p.endDay,
                     py::arg("first_row") = p.firstRow, py::arg("rows") = p.rowCount));
    }
    return py::dict(
        py::arg("location") = LocationOf(h.location), py::arg("design_conditions") = design,
        py::arg("typical_periods") = periods, py::arg("ground_temperatures") = grounds,
        py::arg("leap_year_observed") = h.holidays.leapYearObserved,
        py::arg("daylight_saving_start") = h.holidays.daylightSavingStart,
        py::arg("daylight_saving_end") = h.holidays.daylightSavingEnd,
        py::arg("holidays") = holidays, py::arg("comments_1") = h.comments1,
        py::arg("comments_2") = h.comments2, py::arg("records_per_hour") = h.recordsPerHour,
        py::arg("data_periods") = dataPeriods, py::arg("notes") = h.notes);
}

template <typename T, typename Get> py::array_t<T> ColumnBy(const WeatherData& w, Get get) {
    py::array_t<T> column(static_cast<py::ssize_t>(w.hours.size()));
    T* data = column.mutable_data();
    for (std::size_t i = 0; i < w.hours.size(); ++i) {
        data[i] = static_cast<T>(get(w.hours[i]));
    }
    return column;
}

// The rows as columns: the date and time, then every field in the file's unit (NaN where missing).
py::dict ColumnsOf(const WeatherData& w) {
    py::dict columns;
    columns["year"] = ColumnBy<std::int16_t>(w, [](const HourRecord& r) { return r.year; });
    columns["month"] = ColumnBy<std::uint8_t>(w, [](const HourRecord& r) { return r.month; });
    columns["day"] = ColumnBy<std::uint8_t>(w, [](const HourRecord& r) { return r.day; });
    columns["hour"] = ColumnBy<std::uint8_t>(w, [](const HourRecord& r) { return r.hour; });
    columns["minute"] = ColumnBy<std::uint8_t>(w, [](const HourRecord& r) { return r.minute; });
    columns["weekday"] = ColumnBy<std::uint8_t>(w, [](const HourRecord& r) { return r.weekday; });
    columns["data_period"] =
        ColumnBy<std::uint8_t>(w, [](const HourRecord& r) { return r.dataPeriod; });
    for (std::size_t f = 0; f < kFieldCount; ++f) {
        const auto field = static_cast<Field>(f);
        columns[SnakeCase(InfoOf(field).name).c_str()] = ColumnBy<double>(
            w, [field](const HourRecord& r) { return r.Value(field).value_or(kNaN); });
    }
    return columns;
}

StateOptions OptionsOf(bool dewPoint, bool elevation, int formulation, unsigned threads) {
    if (formulation < 1 || formulation > 2) {
        throw std::invalid_argument("unknown formulation code");
    }
    StateOptions o;
    o.humidity = dewPoint ? HumiditySource::DewPoint : HumiditySource::RelativeHumidity;
    o.pressure = elevation ? PressureSource::Elevation : PressureSource::Station;
    o.formulation = static_cast<SatFormulation>(formulation);
    o.threads = threads;
    return o;
}

HourlyStates StatesOf(const WeatherData& w, const StateOptions& options) {
    const py::gil_scoped_release unlocked;
    return ComputeStates(w, options);
}

// Each hour's state (internal units, NaN where missing) and why it is missing (MissingReason).
py::dict StateColumns(const WeatherData& w, bool dewPoint, bool elevation, int formulation,
                      unsigned threads) {
    const HourlyStates s = StatesOf(w, OptionsOf(dewPoint, elevation, formulation, threads));
    py::dict columns;
    py::array_t<std::uint8_t> missing(static_cast<py::ssize_t>(s.hours.size()));
    for (std::size_t i = 0; i < s.hours.size(); ++i) {
        missing.mutable_data()[i] = static_cast<std::uint8_t>(s.hours[i].missing);
    }
    columns["missing"] = missing;
    const std::pair<const char*, double HourState::*> members[] = {
        {"dry_bulb", &HourState::dryBulb},
        {"pressure", &HourState::pressure},
        {"humidity_ratio", &HourState::humidityRatio},
        {"relative_humidity", &HourState::relativeHumidity},
        {"dew_point", &HourState::dewPoint},
        {"wet_bulb", &HourState::wetBulb},
        {"enthalpy", &HourState::enthalpy},
        {"specific_volume", &HourState::specificVolume}};
    for (const auto& [name, member] : members) {
        DoubleArray column(static_cast<py::ssize_t>(s.hours.size()));
        for (std::size_t i = 0; i < s.hours.size(); ++i) {
            column.mutable_data()[i] = s.hours[i].*member;
            // The dry bulb as the file gives it, as solve() returns it, not the state's 32 bits.
            if (member == &HourState::dryBulb && !std::isnan(s.hours[i].dryBulb) &&
                i < w.hours.size()) {
                if (const std::optional<double> given = w.hours[i].Value(Field::DryBulb)) {
                    column.mutable_data()[i] = *given + 273.15;
                }
            }
        }
        columns[name] = column;
    }
    return columns;
}

py::dict DesignOf(const WeatherData& w, bool dewPoint, bool elevation, int formulation,
                  unsigned threads) {
    const HourlyStates s = StatesOf(w, OptionsOf(dewPoint, elevation, formulation, threads));
    const auto d = DesignConditionsOf(s);
    if (!d) {
        throw py::value_error(
            d.error().kind == DesignFailureKind::NoHours
                ? "No hour of the file has a state."
                : "The core refused the saturated state at the design dew point.");
    }
    py::list cooling, wetBulb, dewPointRows, enthalpy, heating;
    for (std::size_t k = 0; k < 3; ++k) {
        const double p = kCoolingFractions[k];
        cooling.append(
            py::dict(py::arg("fraction") = p, py::arg("dry_bulb") = d->cooling[k].dryBulb,
                     py::arg("mean_coincident_wet_bulb") = d->cooling[k].meanCoincidentWetBulb));
        wetBulb.append(
            py::dict(py::arg("fraction") = p, py::arg("wet_bulb") = d->wetBulb[k].wetBulb,
                     py::arg("mean_coincident_dry_bulb") = d->wetBulb[k].meanCoincidentDryBulb));
        dewPointRows.append(
            py::dict(py::arg("fraction") = p, py::arg("dew_point") = d->dewPoint[k].dewPoint,
                     py::arg("humidity_ratio") = d->dewPoint[k].humidityRatio,
                     py::arg("mean_coincident_dry_bulb") = d->dewPoint[k].meanCoincidentDryBulb));
        enthalpy.append(py::dict(py::arg("fraction") = p, py::arg("enthalpy") = d->enthalpy[k]));
    }
    for (std::size_t k = 0; k < 2; ++k) {
        heating.append(py::dict(py::arg("fraction") = kHeatingFractions[k],
                                py::arg("dry_bulb") = d->heating[k]));
    }
    return py::dict(py::arg("hours") = d->time, py::arg("records") = d->hours,
                    py::arg("pressure") = d->pressure, py::arg("cooling") = cooling,
                    py::arg("wet_bulb") = wetBulb, py::arg("dew_point") = dewPointRows,
                    py::arg("enthalpy") = enthalpy, py::arg("heating") = heating);
}

} // namespace

void BindClimate(py::module_& m) {
    py::class_<WeatherData>(m, "WeatherData")
        .def_property_readonly(
            "format",
            [](const WeatherData& w) { return w.format == WeatherFormat::Epw ? "EPW" : "TMY3"; })
        .def("__len__", [](const WeatherData& w) { return w.hours.size(); })
        .def("header", [](const WeatherData& w) { return HeaderOf(w.header); })
        .def("columns", &ColumnsOf)
        .def("text_columns",
             [](const WeatherData& w) {
                 std::vector<std::string> flags, codes;
                 for (const HourRecord& r : w.hours) {
                     flags.push_back(r.sourceFlags);
                     codes.push_back(r.presentWeatherCodes);
                 }
                 return py::dict(py::arg("source_flags") = flags,
                                 py::arg("present_weather_codes") = codes);
             })
        .def("states", &StateColumns, py::arg("dew_point"), py::arg("elevation"),
             py::arg("formulation"), py::arg("threads"))
        .def("design_conditions", &DesignOf, py::arg("dew_point"), py::arg("elevation"),
             py::arg("formulation"), py::arg("threads"));
    m.def("read_weather_file", [](const std::string& path) {
        Expected<WeatherData, ReadFailure> read = [&] {
            const py::gil_scoped_release unlocked;
            return ReadWeatherFile(path);
        }();
        return Read(std::move(read));
    });
    m.def("read_weather_text", [](const std::string& text) { return Read(ReadWeather(text)); });
}

} // namespace hygrovane::python
