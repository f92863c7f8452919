// The air-handling unit for Python: a weather file's records through a unit given as the text
// of UNIT.json (the one reader of the command line), the hourly nodes and loads as numpy columns
// and the year's and months' figures and peaks as dicts with snake_case keys: the C++ run's
// numbers, bit for bit.
#include "array_args.h"
#include "bindings.h"

#include "airunit/unit_run.h"
#include "climate/hourly_states.h"
#include "unitfile/unit_file.h"

#include <pybind11/stl.h>

#include <cctype>

namespace py = pybind11;

namespace hygrovane::python {

namespace {

using airunit::UnitHour;

// "coolingSensibleKWh" -> "cooling_sensible_kwh": an underscore before a capital after a small
// letter.
std::string Snake(const char* key) {
    std::string snake;
    for (const char* c = key; *c; ++c) {
        const auto u = static_cast<unsigned char>(*c);
        if (std::isupper(u) && c != key && std::islower(static_cast<unsigned char>(c[-1]))) {
            snake += '_';
        }
        snake += static_cast<char>(std::tolower(u));
    }
    return snake;
}

py::dict TotalsOf(const airunit::UnitTotals& totals) {
    py::dict dict;
    for (const airunit::TotalField& field : airunit::kTotalFields) {
        dict[Snake(field.key).c_str()] = totals.*field.member;
    }
    return dict;
}

py::dict PeaksOf(const airunit::UnitPeaks& peaks) {
    py::dict dict;
    for (const airunit::PeakField& field : airunit::kPeakFields) {
        const airunit::Peak& peak = peaks.*field.peak;
        const auto when = [&](int value) {
            return peak.found ? py::object(py::int_(value)) : py::object(py::none());
        };
        dict[Snake(field.key).c_str()] =
            py::dict(py::arg("value") = peak.value, py::arg("month") = when(peak.month),
                     py::arg("day") = when(peak.day), py::arg("hour") = when(peak.hour));
    }
    return dict;
}

template <typename T, typename Get>
py::array_t<T> HourColumn(const std::vector<UnitHour>& hours, Get get) {
    py::array_t<T> column(static_cast<py::ssize_t>(hours.size()));
    T* data = column.mutable_data();
    for (std::size_t i = 0; i < hours.size(); ++i) {
        data[i] = static_cast<T>(get(hours[i]));
    }
    return column;
}

py::dict HourlyOf(const climate::WeatherData& w, const std::vector<UnitHour>& hours) {
    py::dict columns;
    const auto record = [&](auto member) {
        py::array_t<std::uint8_t> column(static_cast<py::ssize_t>(hours.size()));
        for (std::size_t i = 0; i < hours.size(); ++i) {
            column.mutable_data()[i] = w.hours[i].*member;
        }
        return column;
    };
    columns["month"] = record(&climate::HourRecord::month);
    columns["day"] = record(&climate::HourRecord::day);
    columns["hour"] = record(&climate::HourRecord::hour);
    columns["minute"] = record(&climate::HourRecord::minute);
    columns["status"] = HourColumn<std::uint8_t>(
        hours, [](const UnitHour& h) { return static_cast<std::uint8_t>(h.status); });
    columns["recovery"] = HourColumn<std::uint8_t>(
        hours, [](const UnitHour& h) { return static_cast<std::uint8_t>(h.recovery); });
    columns["economizer"] = HourColumn<bool>(hours, [](const UnitHour& h) { return h.economizer; });
    columns["dehumidifying"] =
        HourColumn<bool>(hours, [](const UnitHour& h) { return h.dehumidifying; });
    const std::pair<const char*, double UnitHour::*> numbers[] = {
        {"hours", &UnitHour::hours},
        {"pressure", &UnitHour::pressure},
        {"mass_flow", &UnitHour::massFlow},
        {"outdoor_fraction", &UnitHour::outdoorFraction},
        {"wheel_speed", &UnitHour::wheelSpeed},
        {"heating_kw", &UnitHour::heatingKW},
        {"cooling_kw", &UnitHour::coolingKW},
        {"cooling_sensible_kw", &UnitHour::coolingSensibleKW},
        {"cooling_latent_kw", &UnitHour::coolingLatentKW},
        {"reheat_kw", &UnitHour::reheatKW},
        {"humidifier_kw", &UnitHour::humidifierKW},
        {"recovered_kw", &UnitHour::recoveredKW},
        {"condensate_kg_per_s", &UnitHour::condensateKgS},
        {"steam_kg_per_s", &UnitHour::steamKgS},
    };
    for (const auto& [name, member] : numbers) {
        columns[name] = HourColumn<double>(hours, [m = member](const UnitHour& h) { return h.*m; });
    }
    const std::pair<const char*, airunit::AirNode UnitHour::*> nodes[] = {
        {"room", &UnitHour::room},           {"outdoor", &UnitHour::outdoor},
        {"recovered", &UnitHour::recovered}, {"mixed", &UnitHour::mixed},
        {"heated", &UnitHour::heated},       {"off_coil", &UnitHour::offCoil},
        {"reheated", &UnitHour::reheated},   {"supply", &UnitHour::supply},
    };
    for (const auto& [name, node] : nodes) {
        const std::string prefix = name;
        columns[(prefix + "_dry_bulb").c_str()] =
            HourColumn<double>(hours, [n = node](const UnitHour& h) { return (h.*n).dryBulb; });
        columns[(prefix + "_humidity_ratio").c_str()] = HourColumn<double>(
            hours, [n = node](const UnitHour& h) { return (h.*n).humidityRatio; });
        columns[(prefix + "_enthalpy").c_str()] =
            HourColumn<double>(hours, [n = node](const UnitHour& h) { return (h.*n).enthalpy; });
    }
    return columns;
}

py::dict RunUnit(const climate::WeatherData& w, const std::string& unitJson, bool dewPoint,
                 bool elevation, int formulation, unsigned threads, int firstMonth, int lastMonth,
                 int fromHour, int toHour) {
    const auto settings = unitfile::ReadUnitText(unitJson);
    if (!settings) {
        throw py::value_error(settings.error().message);
    }
    if (formulation < 1 || formulation > 2) {
        throw std::invalid_argument("unknown formulation code");
    }
    if (firstMonth < 1 || firstMonth > 12 || lastMonth < 1 || lastMonth > 12) {
        throw py::value_error("months run from 1 to 12");
    }
    if (fromHour < 0 || fromHour > 24 || toHour < 0 || toHour > 24) {
        throw py::value_error("hours run from 0 to 24");
    }
    climate::StateOptions options;
    options.humidity =
        dewPoint ? climate::HumiditySource::DewPoint : climate::HumiditySource::RelativeHumidity;
    options.pressure =
        elevation ? climate::PressureSource::Elevation : climate::PressureSource::Station;
    options.formulation = static_cast<SatFormulation>(formulation);
    options.threads = threads;
    climate::Filter filter;
    filter.firstMonth = firstMonth;
    filter.lastMonth = lastMonth;
    filter.fromHour = fromHour;
    filter.toHour = toHour;
    auto run = [&] {
        const py::gil_scoped_release unlocked;
        const climate::HourlyStates states = climate::ComputeStates(w, options);
        airunit::RunOptions runOptions;
        runOptions.threads = threads;
        return airunit::RunUnit(w, states, filter, *settings, runOptions);
    }();
    if (!run) {
        throw py::value_error(airunit::Describe(run.error()));
    }
    py::list months, monthPeaks;
    for (std::size_t m = 0; m < 12; ++m) {
        months.append(TotalsOf(run->months[m]));
        monthPeaks.append(PeaksOf(run->monthPeaks[m]));
    }
    return py::dict(py::arg("settings") = unitfile::SettingsJson(run->settings),
                    py::arg("hourly") = HourlyOf(w, run->hours),
                    py::arg("year") = TotalsOf(run->year), py::arg("months") = months,
                    py::arg("peaks") = PeaksOf(run->peaks), py::arg("month_peaks") = monthPeaks);
}

} // namespace

void BindUnit(py::module_& m) {
    m.def("run_unit", &RunUnit, py::arg("weather"), py::arg("unit_json"), py::arg("dew_point"),
          py::arg("elevation"), py::arg("formulation"), py::arg("threads"), py::arg("first_month"),
          py::arg("last_month"), py::arg("from_hour"), py::arg("to_hour"));
}

} // namespace hygrovane::python
