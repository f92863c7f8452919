// The figures as text for a terminal.
#include "climateanalysis/figure_tables.h"
#include "climateanalysis/figure_units.h"
#include "climateanalysis/result_writers.h"
#include "climateanalysis/writer_support.h"
#include "tables/table_writers.h"

#include <cmath>
#include <cstdio>
#include <functional>

namespace hygrovane::climateanalysis {

namespace {

using detail::Fixed;
using tables::Padded;

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// A cell as the text writes it: the report style ("-" for no value), or to one decimal.
std::string Shown(const tables::Cell& cell) {
    return std::isfinite(cell.value) ? cell.Shown() : std::string("-");
}

using CellsText = std::function<std::string(const tables::Row*)>;

// "32.1 / 22.4": a design value and its coincident one.
CellsText Pair(std::size_t value, std::size_t coincident) {
    return [=](const tables::Row* row) {
        return row ? Shown(row->cells[value]) + " / " + Shown(row->cells[coincident])
                   : std::string();
    };
}

// A humidity ratio or enthalpy as the terminal has always shown it, to one decimal.
CellsText OneDecimal(std::size_t cell) {
    return [=](const tables::Row* row) {
        return row ? Fixed(row->cells[cell].value, 1) : std::string();
    };
}

// A line of the design table: one column per cooling percentile.
std::string DesignLine(const tables::Section& section, const std::string& name,
                       const std::string& key, const CellsText& cells) {
    std::string line = Padded(name, 34);
    for (const char* percent : kCoolingPercents) {
        line += Padded(cells(FindRow(section, key + percent)), 16, true);
    }
    return line + "\n";
}

std::string HeatingLine(const tables::Section& section, const std::string& T) {
    std::string line = Padded("Heating dry bulb, " + T, 34);
    for (const char* percent : kHeatingPercents) {
        const tables::Row* row = FindRow(section, std::string("heating ") + percent);
        line += Padded(std::string(percent) + ": " + (row ? Shown(row->cells[1]) : ""), 16, true);
    }
    return line + "\n";
}

// The zones over the filtered hours: a zone's own hours beside its hours in any zone.
std::string ZonesText(const tables::Section& zones) {
    std::string text = Padded(zones.columns[0].title, 44);
    for (std::size_t c = 1; c < zones.columns.size(); ++c) {
        text += Padded(zones.columns[c].title, 8, true);
    }
    text += "\n";
    for (const tables::Row& row : zones.rows) {
        text += Padded(row.cells[0].text, 44);
        for (std::size_t c = 1; c < row.cells.size(); ++c) {
            if (std::isfinite(row.cells[c].value)) {
                text += Padded(row.cells[c].Shown(), 8, true);
            }
        }
        text += "\n";
    }
    for (const std::string& note : zones.notes) {
        text += "  " + note + "\n";
    }
    return text;
}

std::string MonthsText(const tables::Section& months, std::size_t zoneCount) {
    std::string text = "\n" + months.title;
    if (zoneCount > 0) {
        text += std::string(" (Z1") + (zoneCount > 1 ? "...: each zone only" : ": the zone") + ")";
    }
    const std::size_t last = months.columns.size() - 1;
    const auto width = [&](std::size_t c) -> std::size_t {
        return c == 0 ? 6 : c == 1 || c == last ? 8 : 7;
    };
    text += "\n";
    for (std::size_t c = 0; c <= last; ++c) {
        text += Padded(months.columns[c].title, width(c), c > 0);
    }
    text += "\n";
    for (const tables::Row& row : months.rows) {
        for (std::size_t c = 0; c <= last; ++c) {
            text += Padded(row.cells[c].Shown(), width(c), c > 0);
        }
        text += "\n";
    }
    for (const std::string& note : months.notes) {
        text += "  " + note + "\n";
    }
    return text;
}

std::string Place(const climate::Location& l) {
    std::string place = l.city;
    for (const std::string* part : {&l.region, &l.country}) {
        if (!part->empty() && *part != "-") {
            place += (place.empty() ? "" : ", ") + *part;
        }
    }
    return place.empty() ? std::string("(no place named)") : place;
}

} // namespace

std::string HoursText(double hours, int decimals) {
    // Sums of a minute's records land a rounding away from the whole hour they make.
    const double whole = std::round(hours);
    if (std::abs(hours - whole) < 1e-6) {
        return Fixed(whole, 0);
    }
    std::string text = Fixed(hours, decimals);
    while (text.ends_with('0')) {
        text.pop_back();
    }
    if (text.ends_with('.')) {
        text.pop_back();
    }
    return text;
}

const char* MonthAbbreviation(int month) {
    return month >= 1 && month <= 12 ? kMonths[month - 1] : "";
}

std::string ResultText(const ClimateResult& r) {
    const FigureUnits u{r.settings.units};
    const climate::ZoneHours& total = r.zones.total.time;
    const climate::Location& l = r.location;
    std::string text;
    text += Place(l);
    if (!l.wmo.empty()) {
        text += " (WMO " + l.wmo + ")";
    }
    if (r.located) {
        text += "\n  " + Fixed(l.latitude < 0 ? -l.latitude : l.latitude, 2) +
                (l.latitude < 0 ? " S, " : " N, ") +
                Fixed(l.longitude < 0 ? -l.longitude : l.longitude, 2) +
                (l.longitude < 0 ? " W" : " E") + ", time zone " + Fixed(l.timeZone, 1) +
                " h, elevation " + Fixed(l.elevation, 0) + " m";
    }
    if (!l.source.empty()) {
        text += (r.located ? ", data: " : "\n  data: ") + l.source;
    }
    text += "\n";
    text += "Records read: " + std::to_string(r.recordsRead) +
            "; missing: " + std::to_string(r.missing);
    if (r.missing > 0) {
        text += " (dry bulb " + std::to_string(r.missingDryBulb) + ", humidity " +
                std::to_string(r.missingHumidity) + ", pressure " +
                std::to_string(r.missingPressure) + ", refused by the core " +
                std::to_string(r.refused) + ")";
    }
    text += "\n";
    const climate::StateOptions& s = r.settings.states;
    text += std::string("States: from the dry bulb and the ") +
            (s.humidity == climate::HumiditySource::DewPoint ? "dew point" : "relative humidity") +
            (s.pressure == climate::PressureSource::Station
                 ? ", at the station pressure"
                 : ", at the standard pressure of the elevation") +
            "; chart at " + Fixed(u.Pressure(r.chartAir.pressure), 3) + " " + u.PressureUnit() +
            "\n";
    text += "Comfort: " + DescribeComfort(r.settings.comfort) + "\n";
    text += "Filter: " + DescribeFilter(r.settings.filter) + "; " +
            std::to_string(r.zones.total.hours) + " records";
    if (HoursText(total.hours) != std::to_string(r.zones.total.hours)) {
        text += " (" + HoursText(total.hours) + " hours)";
    }
    text += "\n\n";

    const tables::Table figures = FigureTables(r, tables::Symbols::Ascii);
    text += ZonesText(*figures.Find(kZonesSection));
    text += MonthsText(*figures.Find(kMonthsSection), r.zones.names.size());

    const std::string T = u.TemperatureUnit();
    text += "\nDesign conditions from this file's hours";
    if (const tables::Section* d = figures.Find(kDesignSection)) {
        text +=
            " (" + HoursText(r.design->time) + " hours with a state; all hours, not the filter)\n";
        text += Padded("", 34) + Padded("0.4 %", 16, true) + Padded("1 %", 16, true) +
                Padded("2 %", 16, true) + "\n";
        text += DesignLine(*d, "Cooling dry bulb / MCWB, " + T, "cooling ", Pair(1, 2)) +
                DesignLine(*d, "Wet bulb / MCDB, " + T, "wet bulb ", Pair(1, 2)) +
                DesignLine(*d, "Dew point / MCDB, " + T, "dew point ", Pair(1, 2)) +
                DesignLine(*d, std::string("Dew point's humidity ratio, ") + u.HumidityRatioUnit(),
                           "dew point ", OneDecimal(3)) +
                DesignLine(*d, std::string("Enthalpy, ") + u.EnthalpyUnit(), "enthalpy ",
                           OneDecimal(1));
        text += HeatingLine(*d, T);
    } else {
        text += ": none (no hour has a state)\n";
    }
    text += "\nDesign conditions published in the file's header";
    if (const tables::Section* p = figures.Find(kPublishedSection)) {
        const std::string& source = r.published.source;
        text += source.empty() ? std::string("\n") : " (" + source + ")\n";
        text += Padded("Cooling dry bulb / MCWB, " + T, 34);
        for (const char* percent : kCoolingPercents) {
            text += Padded(Pair(1, 2)(FindRow(*p, std::string("cooling ") + percent)), 16, true);
        }
        text += "\n" + HeatingLine(*p, T);
    } else {
        text += ": none\n";
    }
    return text;
}

} // namespace hygrovane::climateanalysis
