// The figures as text for a terminal.
#include "climateanalysis/figure_units.h"
#include "climateanalysis/result_writers.h"
#include "climateanalysis/writer_support.h"

#include <cmath>
#include <cstdio>

namespace hygrovane::climateanalysis {

namespace {

using detail::Fixed;

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

std::string Padded(const std::string& text, std::size_t width, bool right = false) {
    // Widths count characters: UTF-8 continuation bytes take no column.
    std::size_t columns = 0;
    for (const char c : text)
        columns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    if (columns >= width)
        return text;
    const std::string fill(width - columns, ' ');
    return right ? fill + text : text + fill;
}

std::string CountLine(const std::string& name, double hours, double percent) {
    return Padded(name, 44) + Padded(HoursText(hours), 8, true) +
           Padded(Fixed(percent, 1), 8, true) + "\n";
}

std::string Place(const climate::Location& l) {
    std::string place = l.city;
    for (const std::string* part : {&l.region, &l.country})
        if (!part->empty() && *part != "-")
            place += (place.empty() ? "" : ", ") + *part;
    return place.empty() ? std::string("(no place named)") : place;
}

} // namespace

std::string HoursText(double hours, int decimals) {
    // Sums of a minute's records land a rounding away from the whole hour they make.
    const double whole = std::round(hours);
    if (std::abs(hours - whole) < 1e-6)
        return Fixed(whole, 0);
    std::string text = Fixed(hours, decimals);
    while (text.ends_with('0'))
        text.pop_back();
    if (text.ends_with('.'))
        text.pop_back();
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
    if (!l.wmo.empty())
        text += " (WMO " + l.wmo + ")";
    if (r.located)
        text += "\n  " + Fixed(l.latitude < 0 ? -l.latitude : l.latitude, 2) +
                (l.latitude < 0 ? " S, " : " N, ") +
                Fixed(l.longitude < 0 ? -l.longitude : l.longitude, 2) +
                (l.longitude < 0 ? " W" : " E") + ", time zone " + Fixed(l.timeZone, 1) +
                " h, elevation " + Fixed(l.elevation, 0) + " m";
    if (!l.source.empty())
        text += (r.located ? ", data: " : "\n  data: ") + l.source;
    text += "\n";
    text += "Records read: " + std::to_string(r.recordsRead) +
            "; missing: " + std::to_string(r.missing);
    if (r.missing > 0)
        text += " (dry bulb " + std::to_string(r.missingDryBulb) + ", humidity " +
                std::to_string(r.missingHumidity) + ", pressure " +
                std::to_string(r.missingPressure) + ", refused by the core " +
                std::to_string(r.refused) + ")";
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
    if (HoursText(total.hours) != std::to_string(r.zones.total.hours))
        text += " (" + HoursText(total.hours) + " hours)";
    text += "\n\n";

    text += Padded("Zone", 44) + Padded("Hours", 8, true) + Padded("%", 8, true) +
            Padded("Only", 8, true) + Padded("%", 8, true) + "\n";
    for (std::size_t z = 0; z < r.zones.names.size(); ++z)
        text += Padded(r.zones.names[z], 44) + Padded(HoursText(total.inZone[z]), 8, true) +
                Padded(Fixed(total.Percent(total.inZone[z]), 1), 8, true) +
                Padded(HoursText(total.onlyZone[z]), 8, true) +
                Padded(Fixed(total.Percent(total.onlyZone[z]), 1), 8, true) + "\n";
    text += CountLine("In the union of the zones", total.inUnion, total.Percent(total.inUnion));
    const std::string split =
        Fixed(u.Temperature(r.zones.splitDryBulb), 1) + " " + u.TemperatureUnit();
    const std::string humid = Fixed(u.HumidityRatio(r.settings.outside.humidityRatioLimit), 1) +
                              " " + u.HumidityRatioUnit();
    text +=
        CountLine("Too warm (above " + split + ")", total.tooWarm, total.Percent(total.tooWarm));
    text += CountLine("Too cool (at or below " + split + ")", total.tooCool,
                      total.Percent(total.tooCool));
    text +=
        CountLine("Too humid (above " + humid + ")", total.tooHumid, total.Percent(total.tooHumid));
    text += CountLine("Missing", total.missing, total.Percent(total.missing));
    text += CountLine("Filtered hours", total.hours, total.hours > 0 ? 100.0 : 0.0);
    for (std::size_t z = 0; z < r.zoneNotes.size() && z < r.zones.names.size(); ++z)
        if (!r.zoneNotes[z].empty())
            text += "  " + r.zones.names[z] + ": " + r.zoneNotes[z] + ".\n";

    text += "\nBy month, % of each month's filtered hours";
    if (!r.zones.names.empty())
        text += " (Z1" +
                std::string(r.zones.names.size() > 1 ? "...: each zone only" : ": the zone") + ")";
    text += "\n" + Padded("Month", 6) + Padded("Hours", 8, true);
    for (std::size_t z = 0; z < r.zones.names.size(); ++z)
        text += Padded("Z" + std::to_string(z + 1), 7, true);
    text += Padded("Union", 7, true) + Padded("Warm", 7, true) + Padded("Cool", 7, true) +
            Padded("Humid", 7, true) + Padded("Missing", 8, true) + "\n";
    for (int m = 1; m <= 12; ++m) {
        const climate::ZoneHours& c = r.zones.months[m - 1].time;
        if (c.hours <= 0)
            continue;
        text += Padded(kMonths[m - 1], 6) + Padded(HoursText(c.hours), 8, true);
        for (std::size_t z = 0; z < c.onlyZone.size(); ++z)
            text += Padded(Fixed(c.Percent(c.onlyZone[z]), 1), 7, true);
        text += Padded(Fixed(c.Percent(c.inUnion), 1), 7, true) +
                Padded(Fixed(c.Percent(c.tooWarm), 1), 7, true) +
                Padded(Fixed(c.Percent(c.tooCool), 1), 7, true) +
                Padded(Fixed(c.Percent(c.tooHumid), 1), 7, true) +
                Padded(Fixed(c.Percent(c.missing), 1), 8, true) + "\n";
    }
    for (std::size_t z = 0; z < r.zones.names.size(); ++z)
        text += "  Z" + std::to_string(z + 1) + ": " + r.zones.names[z] + "\n";

    const std::string T = u.TemperatureUnit();
    text += "\nDesign conditions from this file's hours";
    if (r.design) {
        const climate::ComputedDesignConditions& d = *r.design;
        const auto t = [&](double kelvin) { return Fixed(u.Temperature(kelvin), 1); };
        text += " (" + HoursText(d.time) + " hours with a state; all hours, not the filter)\n";
        text += Padded("", 34) + Padded("0.4 %", 16, true) + Padded("1 %", 16, true) +
                Padded("2 %", 16, true) + "\n";
        std::string cooling = Padded("Cooling dry bulb / MCWB, " + T, 34);
        std::string wet = Padded("Wet bulb / MCDB, " + T, 34);
        std::string dew = Padded("Dew point / MCDB, " + T, 34);
        std::string ratio =
            Padded(std::string("Dew point's humidity ratio, ") + u.HumidityRatioUnit(), 34);
        std::string enthalpy = Padded(std::string("Enthalpy, ") + u.EnthalpyUnit(), 34);
        for (std::size_t k = 0; k < 3; ++k) {
            cooling += Padded(
                t(d.cooling[k].dryBulb) + " / " + t(d.cooling[k].meanCoincidentWetBulb), 16, true);
            wet += Padded(t(d.wetBulb[k].wetBulb) + " / " + t(d.wetBulb[k].meanCoincidentDryBulb),
                          16, true);
            dew +=
                Padded(t(d.dewPoint[k].dewPoint) + " / " + t(d.dewPoint[k].meanCoincidentDryBulb),
                       16, true);
            ratio += Padded(Fixed(u.HumidityRatio(d.dewPoint[k].humidityRatio), 1), 16, true);
            enthalpy += Padded(Fixed(u.Enthalpy(d.enthalpy[k]), 1), 16, true);
        }
        text += cooling + "\n" + wet + "\n" + dew + "\n" + ratio + "\n" + enthalpy + "\n";
        text += Padded("Heating dry bulb, " + T, 34) +
                Padded("99.6 %: " + t(d.heating[0]), 16, true) +
                Padded("99 %: " + t(d.heating[1]), 16, true) + "\n";
    } else {
        text += ": none (no hour has a state)\n";
    }
    const climate::DesignConditions& p = r.published;
    text += "\nDesign conditions published in the file's header";
    if (p.layout == climate::DesignConditions::Layout::None) {
        text += ": none\n";
    } else {
        const auto c = [&](const std::optional<double>& celsius) {
            return celsius ? Fixed(u.TemperatureFromCelsius(*celsius), 1) : std::string("-");
        };
        text += p.source.empty() ? std::string("\n") : " (" + p.source + ")\n";
        text += Padded("Cooling dry bulb / MCWB, " + T, 34);
        for (std::size_t k = 0; k < 3; ++k)
            text += Padded(c(p.coolingDryBulb[k]) + " / " + c(p.coolingWetBulb[k]), 16, true);
        text += "\n" + Padded("Heating dry bulb, " + T, 34) +
                Padded("99.6 %: " + c(p.heating99_6), 16, true) +
                Padded("99 %: " + c(p.heating99), 16, true) + "\n";
    }
    return text;
}

} // namespace hygrovane::climateanalysis
