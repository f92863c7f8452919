#include "unitfile/unit_results.h"

#include "climateanalysis/result_writers.h"
#include "climateanalysis/writer_support.h"
#include "text/number_text.h"
#include "unitfile/unit_file.h"

#include <cmath>

namespace hygrovane::unitfile {

namespace {

using airunit::HourStatus;
using airunit::Peak;
using airunit::TotalField;
using airunit::UnitHour;
using airunit::UnitRun;
using airunit::UnitSettings;
using airunit::UnitTotals;
using climateanalysis::HoursText;
using climateanalysis::MonthAbbreviation;
using climateanalysis::detail::CsvField;
using climateanalysis::detail::Fixed;

constexpr double kBtuPerKWh = 3412.14163312794 / 1000; // kBtu per kWh (IT Btu)
constexpr double kPoundsPerKg = 1 / 0.45359237;

std::string Exact(double x) {
    return std::isfinite(x) ? text::ShortestText(x) : "null";
}

// What a figure counts, from its key.
enum class Measure { Hours, Energy, Water };
Measure MeasureOf(const TotalField& field) {
    const std::string key = field.key;
    if (key.ends_with("KWh")) {
        return Measure::Energy;
    }
    if (key.ends_with("Kg")) {
        return Measure::Water;
    }
    return Measure::Hours;
}

double Shown(double value, Measure m, FigureSystem system) {
    if (system == FigureSystem::SI || m == Measure::Hours) {
        return value;
    }
    return value * (m == Measure::Energy ? kBtuPerKWh : kPoundsPerKg);
}

const char* UnitOf(Measure m, FigureSystem system) {
    switch (m) {
    case Measure::Hours:
        return "h";
    case Measure::Energy:
        return system == FigureSystem::SI ? "kWh" : "kBtu";
    case Measure::Water:
        return system == FigureSystem::SI ? "kg" : "lb";
    }
    return "";
}

const char* LoadUnit(FigureSystem system) {
    return system == FigureSystem::SI ? "kW" : "kBtu/h";
}

std::string FigureText(double value, Measure m, FigureSystem system) {
    return m == Measure::Hours ? HoursText(value) : Fixed(Shown(value, m, system), 0);
}

std::string Padded(const std::string& text, std::size_t width, bool right = false) {
    // The widths count characters: "°" is two bytes but one column.
    std::size_t columns = 0;
    for (const char c : text) {
        columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    if (columns >= width) {
        return right ? " " + text : text + " ";
    }
    const std::string pad(width - columns, ' ');
    return right ? pad + text : text + pad;
}

std::string TotalsJson(const UnitTotals& totals) {
    std::string json = "{";
    bool first = true;
    for (const TotalField& field : airunit::kTotalFields) {
        json +=
            (first ? "\"" : ", \"") + std::string(field.key) + "\": " + Exact(totals.*field.member);
        first = false;
    }
    return json + "}";
}

std::string PeakJson(const Peak& peak) {
    if (!peak.found) {
        return "{\"value\": 0, \"month\": null, \"day\": null, \"hour\": null}";
    }
    return "{\"value\": " + Exact(peak.value) + ", \"month\": " + std::to_string(peak.month) +
           ", \"day\": " + std::to_string(peak.day) + ", \"hour\": " + std::to_string(peak.hour) +
           "}";
}

std::string PeakWhen(const Peak& peak) {
    if (!peak.found) {
        return "none";
    }
    return std::to_string(peak.day) + " " + MonthAbbreviation(peak.month) + ", hour " +
           std::to_string(peak.hour);
}

const char* PeakName(const airunit::PeakField& field) {
    const std::string key = field.key;
    return key == "heatingKW"   ? "heating"
           : key == "coolingKW" ? "cooling"
           : key == "reheatKW"  ? "reheat"
                                : "humidifier";
}

std::string UnitName(std::size_t index, std::size_t count) {
    return count == 1 ? std::string("unit") : "unit " + std::to_string(index + 1);
}

std::string OneUnitText(const UnitRun& run, const std::string& name, FigureSystem system) {
    std::string text = "\nAir-handling " + name + ": " + DescribeUnit(run.settings) + "\n";
    text += Padded("", 26) + Padded("unit", 6) + Padded("year", 9, true);
    for (int m = 1; m <= 12; ++m) {
        text += Padded(MonthAbbreviation(m), 8, true);
    }
    text += "\n";
    for (const TotalField& field : airunit::kTotalFields) {
        const Measure m = MeasureOf(field);
        text += Padded(field.key, 26) + Padded(UnitOf(m, system), 6) +
                Padded(FigureText(run.year.*field.member, m, system), 9, true);
        for (const UnitTotals& month : run.months) {
            text += Padded(FigureText(month.*field.member, m, system), 8, true);
        }
        text += "\n";
    }
    text += "Peaks:\n";
    for (const airunit::PeakField& field : airunit::kPeakFields) {
        const Peak& peak = run.peaks.*field.peak;
        const double value = system == FigureSystem::SI ? peak.value : peak.value * kBtuPerKWh;
        text += "  " + Padded(PeakName(field), 12) + Padded(Fixed(value, 1), 10, true) + " " +
                LoadUnit(system) + "  " + PeakWhen(peak) + "\n";
    }
    return text;
}

} // namespace

std::string DescribeUnit(const UnitSettings& s) {
    const auto n = [](double x) { return text::ShortestText(x); };
    std::string d = "room " + n(s.roomDryBulb) + " °C " +
                    (s.roomHumidityKind == airunit::RoomHumidity::RelativeHumidity
                         ? n(s.roomHumidity) + " %"
                         : "dew point " + n(s.roomHumidity) + " °C") +
                    ", supply " + n(s.supplyDryBulb) + " °C";
    if (s.maxDewPoint) {
        d += ", dew point at most " + n(*s.maxDewPoint) + " °C";
    }
    if (s.minDewPoint) {
        d += ", at least " + n(*s.minDewPoint) + " °C";
    }
    d += ", " + n(s.flow) + " " + airunit::KeyOf(s.flowUnit) + ", outdoor air at least " +
         n(s.minOutdoorFraction * 100) + " %, economizer " + airunit::KeyOf(s.economizer);
    if (airunit::HasLimit(s.economizer)) {
        d += " " + n(s.economizerLimit) + " " + airunit::LimitUnit(s.economizer);
    }
    if (s.recovery) {
        d += ", recovery " + n(s.recovery->sensible) + " sensible " + n(s.recovery->latent) +
             " latent";
    } else {
        d += ", no recovery";
    }
    return d;
}

std::string UnitJson(const UnitRun& run, const std::string& indent) {
    std::string json = "{\n" + indent + "  \"settings\": " + SettingsJson(run.settings) + ",\n";
    json += indent + "  \"year\": " + TotalsJson(run.year) + ",\n";
    json += indent + "  \"months\": [";
    for (std::size_t m = 0; m < run.months.size(); ++m) {
        json += (m == 0 ? "\n" : ",\n") + indent + "    " + TotalsJson(run.months[m]);
    }
    json += "\n" + indent + "  ],\n" + indent + "  \"peaks\": {";
    bool first = true;
    for (const airunit::PeakField& field : airunit::kPeakFields) {
        json += (first ? "\"" : ", \"") + std::string(field.key) +
                "\": " + PeakJson(run.peaks.*field.peak);
        first = false;
    }
    return json + "}\n" + indent + "}";
}

std::string UnitsText(const std::vector<UnitRun>& runs, FigureSystem system) {
    std::string text;
    for (std::size_t u = 0; u < runs.size(); ++u) {
        text += OneUnitText(runs[u], UnitName(u, runs.size()), system);
    }
    if (runs.size() < 2) {
        return text;
    }
    text += "\nThe units' years side by side (each unit's value, then its difference to unit 1):\n";
    text += Padded("", 26) + Padded("unit", 6);
    for (std::size_t u = 0; u < runs.size(); ++u) {
        text += Padded("unit " + std::to_string(u + 1), u == 0 ? 10 : 20, true);
    }
    text += "\n";
    for (const TotalField& field : airunit::kTotalFields) {
        const Measure m = MeasureOf(field);
        const double first = runs.front().year.*field.member;
        text += Padded(field.key, 26) + Padded(UnitOf(m, system), 6) +
                Padded(FigureText(first, m, system), 10, true);
        for (std::size_t u = 1; u < runs.size(); ++u) {
            const double value = runs[u].year.*field.member;
            const std::string difference = FigureText(value - first, m, system);
            text +=
                Padded(FigureText(value, m, system), 10, true) +
                Padded("(" + (value - first > 0 ? "+" + difference : difference) + ")", 10, true);
        }
        text += "\n";
    }
    return text;
}

std::string UnitsCsvRows(const std::vector<UnitRun>& runs, FigureSystem system) {
    std::string csv;
    const auto row = [&csv](const std::string& section, const std::string& period,
                            const std::string& item, const std::string& measure,
                            const std::string& value, const std::string& unit) {
        csv += CsvField(section) + ',' + CsvField(period) + ',' + CsvField(item) + ',' +
               CsvField(measure) + ',' + CsvField(value) + ',' + CsvField(unit) + '\n';
    };
    for (std::size_t u = 0; u < runs.size(); ++u) {
        const UnitRun& run = runs[u];
        const std::string section = UnitName(u, runs.size());
        row(section, "", "settings", "", DescribeUnit(run.settings), "");
        const auto totals = [&](const std::string& period, const UnitTotals& t) {
            for (const TotalField& field : airunit::kTotalFields) {
                const Measure m = MeasureOf(field);
                row(section, period, field.key, m == Measure::Hours ? "hours" : "sum",
                    Exact(Shown(t.*field.member, m, system)), UnitOf(m, system));
            }
        };
        totals("year", run.year);
        for (int m = 1; m <= 12; ++m) {
            totals(MonthAbbreviation(m), run.months[static_cast<std::size_t>(m - 1)]);
        }
        for (const airunit::PeakField& field : airunit::kPeakFields) {
            const Peak& peak = run.peaks.*field.peak;
            const double value = system == FigureSystem::SI ? peak.value : peak.value * kBtuPerKWh;
            row(section, "year", field.key, "peak", Exact(value), LoadUnit(system));
            row(section, "year", field.key, "month", peak.found ? std::to_string(peak.month) : "",
                "");
            row(section, "year", field.key, "day", peak.found ? std::to_string(peak.day) : "", "");
            row(section, "year", field.key, "hour", peak.found ? std::to_string(peak.hour) : "",
                "");
        }
    }
    return csv;
}

std::string HourlyCsv(const climate::WeatherData& data, const std::vector<UnitRun>& runs) {
    struct NodeColumn {
        const char* name;
        airunit::AirNode UnitHour::*node;
    };
    static constexpr NodeColumn kNodes[] = {
        {"outdoor", &UnitHour::outdoor},  {"after recovery", &UnitHour::recovered},
        {"mixed", &UnitHour::mixed},      {"after heating coil", &UnitHour::heated},
        {"off-coil", &UnitHour::offCoil}, {"after reheat", &UnitHour::reheated},
        {"supply", &UnitHour::supply},
    };
    struct LoadColumn {
        const char* header;
        double UnitHour::*load;
        double scale;
    };
    static constexpr LoadColumn kLoads[] = {
        {"heating (kW)", &UnitHour::heatingKW, 1},
        {"cooling (kW)", &UnitHour::coolingKW, 1},
        {"cooling sensible (kW)", &UnitHour::coolingSensibleKW, 1},
        {"cooling latent (kW)", &UnitHour::coolingLatentKW, 1},
        {"reheat (kW)", &UnitHour::reheatKW, 1},
        {"humidifier (kW)", &UnitHour::humidifierKW, 1},
        {"condensate (kg/h)", &UnitHour::condensateKgS, 3600},
        {"steam (kg/h)", &UnitHour::steamKgS, 3600},
    };
    const bool several = runs.size() > 1;
    std::string csv = several ? "unit," : "";
    csv += "month,day,hour,minute,status,pressure (Pa),dry-air flow (kg/s),outdoor fraction,"
           "wheel speed,economizer,recovery";
    for (const NodeColumn& node : kNodes) {
        csv += std::string(",") + node.name + " dry bulb (°C)," + node.name +
               " humidity ratio (kg/kg)";
    }
    for (const LoadColumn& load : kLoads) {
        csv += std::string(",") + load.header;
    }
    // The return air last, so that the columns before keep their places.
    csv += ",recovered heating (kW),recovered cooling (kW),return dry bulb (°C),return humidity "
           "ratio (kg/kg)\n";
    for (std::size_t u = 0; u < runs.size(); ++u) {
        const UnitRun& run = runs[u];
        for (std::size_t i = 0; i < run.hours.size() && i < data.hours.size(); ++i) {
            const UnitHour& h = run.hours[i];
            const climate::HourRecord& r = data.hours[i];
            if (several) {
                csv += std::to_string(u + 1) + ",";
            }
            csv += std::to_string(r.month) + "," + std::to_string(r.day) + "," +
                   std::to_string(r.hour) + "," + std::to_string(r.minute) + ",";
            if (h.status != HourStatus::On) {
                csv += h.status == HourStatus::Off ? "off" : "missing";
                csv += std::string(4 + 2 * std::size(kNodes) + std::size(kLoads) + 4, ',') + "\n";
                continue;
            }
            const bool recovering = h.recovery != airunit::RecoveryMode::Off;
            csv += "on," + Exact(h.pressure) + "," + Exact(h.massFlow) + "," +
                   Exact(h.outdoorFraction) + "," + (recovering ? Exact(h.wheelSpeed) : "") + "," +
                   (h.economizer ? "1" : "0") + "," +
                   (h.recovery == airunit::RecoveryMode::Heating   ? "heating"
                    : h.recovery == airunit::RecoveryMode::Cooling ? "cooling"
                                                                   : "off");
            for (const NodeColumn& node : kNodes) {
                csv +=
                    "," + Exact((h.*node.node).dryBulb) + "," + Exact((h.*node.node).humidityRatio);
            }
            for (const LoadColumn& load : kLoads) {
                csv += "," + Exact(h.*load.load * load.scale);
            }
            const bool heating = h.recovery == airunit::RecoveryMode::Heating;
            csv += "," + Exact(heating ? h.recoveredKW : 0) + "," +
                   Exact(recovering && !heating ? h.recoveredKW : 0) + "," + Exact(h.room.dryBulb) +
                   "," + Exact(h.room.humidityRatio) + "\n";
        }
    }
    return csv;
}

} // namespace hygrovane::unitfile
