#include "climateanalysis/figure_tables.h"

#include "climateanalysis/figure_units.h"
#include "climateanalysis/result_writers.h"
#include "text/number_text.h"

#include <limits>

namespace hygrovane::climateanalysis {

namespace {

using tables::Column;
using tables::NumberCell;
using tables::Quantity;
using tables::Section;
using tables::TextCell;
using tables::Unit;

constexpr double kNone = std::numeric_limits<double>::quiet_NaN();

Section Zones(const ClimateResult& r, tables::Symbols symbols) {
    const FigureUnits u{r.settings.units};
    const climate::ZoneHours& total = r.zones.total.time;
    Section section{"",
                    kZonesSection,
                    {{"Zone", Quantity::Text, Unit::None, "item"},
                     {"Hours", Quantity::Hours, Unit::Hour, "hours"},
                     {"%", Quantity::Share, Unit::Percent, "percent"},
                     {"Only", Quantity::Hours, Unit::Hour, "only hours"},
                     {"%", Quantity::Share, Unit::Percent, "only percent"}}};
    const auto add = [&](const std::string& name, double hours, double only, std::string key) {
        section.AddRow(
            name,
            {hours, total.Percent(hours), only, std::isnan(only) ? kNone : total.Percent(only)},
            std::move(key));
    };
    for (std::size_t z = 0; z < r.zones.names.size(); ++z) {
        add(r.zones.names[z], total.inZone[z], total.onlyZone[z], r.zones.names[z]);
    }
    const std::string T(SymbolOf(TemperatureUnitOf(r.settings.units), symbols));
    const std::string W(SymbolOf(HumidityRatioUnitOf(r.settings.units), symbols));
    const std::string split =
        text::FixedTextUnsignedZero(u.Temperature(r.zones.splitDryBulb), 1) + " " + T;
    const std::string humid =
        text::FixedTextUnsignedZero(u.HumidityRatio(r.settings.outside.humidityRatioLimit), 1) +
        " " + W;
    add("In the union of the zones", total.inUnion, kNone, "union");
    add("Too warm (above " + split + ")", total.tooWarm, kNone, "too warm");
    add("Too cool (at or below " + split + ")", total.tooCool, kNone, "too cool");
    add("Too humid (above " + humid + ")", total.tooHumid, kNone, "too humid");
    add("Missing", total.missing, kNone, "missing");
    add("Filtered hours", total.hours, kNone, "filtered");
    for (std::size_t z = 0; z < r.zoneNotes.size() && z < r.zones.names.size(); ++z) {
        if (!r.zoneNotes[z].empty()) {
            section.notes.push_back(r.zones.names[z] + ": " + r.zoneNotes[z] + ".");
        }
    }
    return section;
}

Section Months(const ClimateResult& r) {
    Section section{"By month, % of each month's filtered hours",
                    kMonthsSection,
                    {{"Month", Quantity::Text, Unit::None, "period"},
                     {"Hours", Quantity::Hours, Unit::Hour, "hours"}}};
    for (std::size_t z = 0; z < r.zones.names.size(); ++z) {
        section.columns.push_back(
            {"Z" + std::to_string(z + 1), Quantity::Share, Unit::Percent, r.zones.names[z]});
    }
    for (const auto& [title, key] : {std::pair{"Union", "union"},
                                     {"Warm", "too warm"},
                                     {"Cool", "too cool"},
                                     {"Humid", "too humid"},
                                     {"Missing", "missing"}}) {
        section.columns.push_back({title, Quantity::Share, Unit::Percent, key});
    }
    for (int m = 1; m <= 12; ++m) {
        const climate::ZoneHours& c = r.zones.months[static_cast<std::size_t>(m - 1)].time;
        if (c.hours <= 0) {
            continue;
        }
        std::vector<double> values{c.hours};
        for (const double only : c.onlyZone) {
            values.push_back(c.Percent(only));
        }
        for (const double n : {c.inUnion, c.tooWarm, c.tooCool, c.tooHumid, c.missing}) {
            values.push_back(c.Percent(n));
        }
        section.AddRow(MonthAbbreviation(m), values, MonthAbbreviation(m));
    }
    for (std::size_t z = 0; z < r.zones.names.size(); ++z) {
        section.notes.push_back("Z" + std::to_string(z + 1) + ": " + r.zones.names[z]);
    }
    return section;
}

// A design section: a condition, its value and the coincident one; the dew point's humidity
// ratio and the enthalpies in cells of their own units.
Section DesignColumns(std::string title, const char* key, Units units) {
    const Unit T = TemperatureUnitOf(units);
    return Section{std::move(title),
                   key,
                   {{"Design condition", Quantity::Text, Unit::None, "item"},
                    {"Value", Quantity::Temperature, T, "value"},
                    {"Coincident", Quantity::Temperature, T, "coincident"},
                    {"W", Quantity::HumidityRatio, HumidityRatioUnitOf(units), "humidity ratio"}}};
}

Section Computed(const ClimateResult& r) {
    const FigureUnits u{r.settings.units};
    const climate::ComputedDesignConditions& d = *r.design;
    Section section =
        DesignColumns("Design conditions from this file's hours (" + HoursText(d.time) +
                          " hours with a state; all hours, not the filter)",
                      kDesignSection, r.settings.units);
    const auto t = [&](double kelvin) { return u.Temperature(kelvin); };
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string p = kCoolingPercents[k];
        section.AddRow("Cooling " + p + " dry bulb / mean coincident wet bulb",
                       {t(d.cooling[k].dryBulb), t(d.cooling[k].meanCoincidentWetBulb)},
                       "cooling " + p);
        section.AddRow("Wet bulb " + p + " / mean coincident dry bulb",
                       {t(d.wetBulb[k].wetBulb), t(d.wetBulb[k].meanCoincidentDryBulb)},
                       "wet bulb " + p);
        section.AddRow("Dew point " + p + " / mean coincident dry bulb",
                       {t(d.dewPoint[k].dewPoint), t(d.dewPoint[k].meanCoincidentDryBulb),
                        u.HumidityRatio(d.dewPoint[k].humidityRatio)},
                       "dew point " + p);
    }
    for (std::size_t k = 0; k < 2; ++k) {
        const std::string p = kHeatingPercents[k];
        section.AddRow("Heating " + p + " dry bulb", {t(d.heating[k])}, "heating " + p);
    }
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string p = kCoolingPercents[k];
        tables::Row& row = section.AddRow("Enthalpy " + p, {}, "enthalpy " + p);
        row.cells[1] = NumberCell(u.Enthalpy(d.enthalpy[k]), Quantity::Enthalpy,
                                  EnthalpyUnitOf(r.settings.units));
    }
    return section;
}

Section Published(const ClimateResult& r) {
    const FigureUnits u{r.settings.units};
    const climate::DesignConditions& p = r.published;
    Section section = DesignColumns("Design conditions published in the file's header" +
                                        (p.source.empty() ? std::string() : " (" + p.source + ")"),
                                    kPublishedSection, r.settings.units);
    const auto c = [&](const std::optional<double>& celsius) {
        return celsius ? u.TemperatureFromCelsius(*celsius) : kNone;
    };
    for (std::size_t k = 0; k < 3; ++k) {
        const std::string percent = kCoolingPercents[k];
        section.AddRow("Cooling " + percent + " dry bulb / mean coincident wet bulb",
                       {c(p.coolingDryBulb[k]), c(p.coolingWetBulb[k])}, "cooling " + percent);
    }
    section.AddRow("Heating 99.6 % dry bulb", {c(p.heating99_6)}, "heating 99.6 %");
    section.AddRow("Heating 99 % dry bulb", {c(p.heating99)}, "heating 99 %");
    return section;
}

} // namespace

tables::Unit TemperatureUnitOf(Units units) {
    return units == Units::SI ? Unit::Celsius : Unit::Fahrenheit;
}
tables::Unit HumidityRatioUnitOf(Units units) {
    return units == Units::SI ? Unit::GramPerKilogram : Unit::GrainPerPound;
}
tables::Unit EnthalpyUnitOf(Units units) {
    return units == Units::SI ? Unit::KilojoulePerKilogram : Unit::BtuPerPound;
}

const tables::Row* FindRow(const tables::Section& section, std::string_view key) {
    for (const tables::Row& row : section.rows) {
        if (row.key == key) {
            return &row;
        }
    }
    return nullptr;
}

tables::Table FigureTables(const ClimateResult& r, tables::Symbols symbols) {
    tables::Table table;
    table.title = "Climate figures";
    table.sections.push_back(Zones(r, symbols));
    table.sections.push_back(Months(r));
    if (r.design) {
        table.sections.push_back(Computed(r));
    }
    if (r.published.layout != climate::DesignConditions::Layout::None) {
        table.sections.push_back(Published(r));
    }
    return table;
}

} // namespace hygrovane::climateanalysis
