// The figures as CSV and JSON.
#include "climateanalysis/figure_tables.h"
#include "climateanalysis/figure_units.h"
#include "climateanalysis/result_writers.h"
#include "climateanalysis/writer_support.h"
#include "tables/table.h"

#include <functional>
#include <variant>

namespace hygrovane::climateanalysis {

namespace {

using detail::CsvField;
using detail::Fixed;
using detail::JsonString;

const char* HumidityName(const climate::StateOptions& s) {
    return s.humidity == climate::HumiditySource::DewPoint ? "dew point" : "relative humidity";
}
const char* PressureName(const climate::StateOptions& s) {
    return s.pressure == climate::PressureSource::Station ? "station" : "elevation";
}

// A design figure: its row name, the measure and the value in the figures' units.
struct DesignFigure {
    std::string item;
    std::string measure;
    double value;
    std::string unit;
};

// The design rows of the figures' table as the files list them: each row's figures one by one,
// under the measure each cell of that row holds (a published figure the header lacks is written
// empty). The published rows are the cooling and heating dry bulbs only.
std::vector<DesignFigure> DesignFigures(const tables::Section& section, bool published) {
    struct Measure {
        const char* row;
        std::size_t cell;
        const char* name;
    };
    // The order the files have always had: per level cooling, wet bulb, dew point, enthalpy.
    static constexpr Measure kCoolingMeasures[] = {
        {"cooling ", 1, "dry bulb"},
        {"cooling ", 2, "mean coincident wet bulb"},
        {"wet bulb ", 1, "wet bulb"},
        {"wet bulb ", 2, "mean coincident dry bulb"},
        {"dew point ", 1, "dew point"},
        {"dew point ", 3, "humidity ratio"},
        {"dew point ", 2, "mean coincident dry bulb"},
        {"enthalpy ", 1, "enthalpy"},
    };
    std::vector<DesignFigure> rows;
    const auto add = [&](const std::string& key, std::size_t cell, const char* measure) {
        const tables::Row* row = FindRow(section, key);
        if (row == nullptr || cell >= row->cells.size()) {
            return;
        }
        const tables::Cell& c = row->cells[cell];
        rows.push_back({key, measure, c.value, std::string(tables::AsciiSymbolOf(c.unit))});
    };
    for (const char* percent : kCoolingPercents) {
        for (const Measure& m : kCoolingMeasures) {
            if (!published || std::string_view(m.row) == "cooling ") {
                add(m.row + std::string(percent), m.cell, m.name);
            }
        }
    }
    for (const char* percent : kHeatingPercents) {
        add("heating " + std::string(percent), 1, "dry bulb");
    }
    return rows;
}

// The counts of one period, each with its measure name, as rows or as JSON members.
void ForEachCount(const climate::ZoneReport& report, const climate::ZoneHours& c,
                  const std::function<void(const std::string& item, double hours,
                                           std::optional<double> only)>& emit) {
    for (std::size_t z = 0; z < report.names.size(); ++z) {
        emit(report.names[z], c.inZone[z], c.onlyZone[z]);
    }
    emit("union", c.inUnion, std::nullopt);
    emit("too warm", c.tooWarm, std::nullopt);
    emit("too cool", c.tooCool, std::nullopt);
    emit("too humid", c.tooHumid, std::nullopt);
    emit("missing", c.missing, std::nullopt);
    emit("filtered", c.hours, std::nullopt);
}

std::string JsonNumber(double value, int decimals) {
    return Fixed(value, decimals, "null");
}

// Hours as a JSON number: whole for an hourly file, to the second's worth otherwise.
std::string JsonHours(double hours) {
    return HoursText(hours, 4);
}

// The version of the JSON's layout: 2 added "format", the settings as numbers and each month's
// "month".
constexpr int kJsonFormat = 2;

// A setting as a JSON number, to a millionth without trailing zeros (1.1, not 1.100000).
std::string JsonSetting(double value) {
    std::string text = JsonNumber(value, 6);
    if (text.find('.') == std::string::npos) {
        return text;
    }
    while (text.ends_with('0')) {
        text.pop_back();
    }
    if (text.ends_with('.')) {
        text.pop_back();
    }
    return text;
}

// A number with its unit, as the settings carry them.
std::string JsonValue(double value, const char* unit) {
    return "{\"value\": " + JsonSetting(value) + ", \"unit\": " + JsonString(unit) + "}";
}

// A filter range's quantity and the unit its limits are held in.
std::pair<std::string, const char*> QuantityOf(const climate::Quantity& q) {
    if (const auto* field = std::get_if<climate::Field>(&q)) {
        return {climate::InfoOf(*field).name, climate::InfoOf(*field).unit};
    }
    switch (std::get<climate::Computed>(q)) {
    case climate::Computed::DryBulb:
        return {"dry bulb", "K"};
    case climate::Computed::HumidityRatio:
        return {"humidity ratio", "kg/kg"};
    case climate::Computed::RelativeHumidity:
        return {"relative humidity", "fraction"};
    case climate::Computed::DewPoint:
        return {"dew point", "K"};
    case climate::Computed::WetBulb:
        return {"wet bulb", "K"};
    case climate::Computed::Enthalpy:
        return {"enthalpy", "kJ/kg"};
    case climate::Computed::Pressure:
        return {"pressure", "Pa"};
    case climate::Computed::HourOfDay:
        return {"hour of day", "h"};
    case climate::Computed::Month:
        return {"month", ""};
    }
    return {"", ""};
}

// The comfort model's and the filter's settings as numbers, beside their prose.
std::string JsonSettingValues(const ClimateSettings& s) {
    const ComfortSettings& c = s.comfort;
    std::string json = "\"metabolicRate\": " + JsonValue(c.metabolic, "met") +
                       ", \"clothing\": " + JsonValue(c.clothing, "clo") +
                       ", \"airSpeed\": " + JsonValue(c.airSpeed, "m/s") +
                       ", \"radiantOffset\": " + JsonValue(c.radiantOffset, "K") +
                       ", \"externalWork\": " + JsonValue(c.externalWork, "met") +
                       ", \"pmvLimit\": " + JsonSetting(c.pmvLimit) +
                       ", \"ppdLimit\": " + (c.ppd ? JsonValue(*c.ppd, "%") : "null") +
                       ", \"maxHumidityRatio\": " +
                       (c.maxHumidityRatio ? JsonValue(*c.maxHumidityRatio, "kg/kg") : "null") +
                       ", \"acceptability\": " + JsonValue(c.ashraeAcceptability, "%") +
                       ", \"category\": " + std::to_string(c.enCategory) +
                       ", \"prevailingMean\": " +
                       (c.prevailingMean ? JsonValue(*c.prevailingMean, "degC") : "null");
    const climate::Filter& f = s.filter;
    json += ", \"filterValues\": {\"firstMonth\": " + std::to_string(f.firstMonth) +
            ", \"lastMonth\": " + std::to_string(f.lastMonth) +
            ", \"fromHour\": " + std::to_string(f.fromHour) +
            ", \"toHour\": " + std::to_string(f.toHour) +
            ", \"occupiedOnly\": " + (f.occupiedOnly ? "true" : "false") + ", \"occupiedHours\": [";
    for (std::size_t day = 0; day < f.occupancy.hours.size(); ++day) {
        json += day == 0 ? "[" : ", [";
        bool first = true;
        for (int h = 0; h < 24; ++h) {
            if (f.occupancy.hours[day][static_cast<std::size_t>(h)]) {
                json += (first ? "" : ", ") + std::to_string(h);
                first = false;
            }
        }
        json += "]";
    }
    json += "], \"ranges\": [";
    for (std::size_t i = 0; i < f.ranges.size(); ++i) {
        const auto [name, unit] = QuantityOf(f.ranges[i].quantity);
        json += std::string(i == 0 ? "" : ", ") + "{\"quantity\": " + JsonString(name) +
                ", \"minimum\": " + JsonSetting(f.ranges[i].minimum) +
                ", \"maximum\": " + JsonSetting(f.ranges[i].maximum) +
                ", \"unit\": " + JsonString(unit) + "}";
    }
    return json + "]}";
}

std::string JsonCounts(const climate::ZoneHours& c, int month = 0) {
    const auto list = [&](const std::vector<double>& counts, bool percent) {
        std::string text = "[";
        for (std::size_t z = 0; z < counts.size(); ++z) {
            text += (z == 0 ? "" : ", ") +
                    (percent ? JsonNumber(c.Percent(counts[z]), 2) : JsonHours(counts[z]));
        }
        return text + "]";
    };
    const auto pair = [&](const char* name, double hours) {
        return std::string("\"") + name + "\": " + JsonHours(hours) + ", \"" + name +
               "Percent\": " + JsonNumber(c.Percent(hours), 2);
    };
    return std::string("{") +
           (month > 0 ? "\"month\": " + std::to_string(month) +
                            ", \"monthName\": " + JsonString(MonthAbbreviation(month)) + ", "
                      : std::string()) +
           "\"hours\": " + JsonHours(c.hours) + ", \"inZone\": " + list(c.inZone, false) +
           ", \"inZonePercent\": " + list(c.inZone, true) +
           ", \"onlyZone\": " + list(c.onlyZone, false) +
           ", \"onlyZonePercent\": " + list(c.onlyZone, true) + ", " + pair("union", c.inUnion) +
           ", " + pair("tooWarm", c.tooWarm) + ", " + pair("tooCool", c.tooCool) + ", " +
           pair("tooHumid", c.tooHumid) + ", " + pair("missing", c.missing) + "}";
}

std::string JsonDesign(const std::vector<DesignFigure>& rows) {
    std::string text = "[";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        text += std::string(i == 0 ? "" : ",") + "\n      {\"item\": " + JsonString(rows[i].item) +
                ", \"measure\": " + JsonString(rows[i].measure) +
                ", \"value\": " + JsonNumber(rows[i].value, 2) +
                ", \"unit\": " + JsonString(rows[i].unit) + "}";
    }
    return text + "]";
}

} // namespace

std::string ResultCsv(const ClimateResult& r) {
    const FigureUnits u{r.settings.units};
    std::string csv = "section,period,item,measure,value,unit\n";
    const auto row = [&csv](const std::string& section, const std::string& period,
                            const std::string& item, const std::string& measure,
                            const std::string& value, const std::string& unit) {
        csv += CsvField(section) + ',' + CsvField(period) + ',' + CsvField(item) + ',' +
               CsvField(measure) + ',' + CsvField(value) + ',' + CsvField(unit) + '\n';
    };
    const climate::Location& l = r.location;
    row("location", "", "city", "", l.city, "");
    row("location", "", "region", "", l.region, "");
    row("location", "", "country", "", l.country, "");
    row("location", "", "source", "", l.source, "");
    row("location", "", "WMO", "", l.wmo, "");
    row("location", "", "latitude", "", r.located ? Fixed(l.latitude, 4) : "", "deg N");
    row("location", "", "longitude", "", r.located ? Fixed(l.longitude, 4) : "", "deg E");
    row("location", "", "time zone", "", r.located ? Fixed(l.timeZone, 2) : "", "h");
    row("location", "", "elevation", "", r.located ? Fixed(l.elevation, 1) : "", "m");
    row("settings", "", "comfort", "", DescribeComfort(r.settings.comfort), "");
    row("settings", "", "filter", "", DescribeFilter(r.settings.filter), "");
    row("settings", "", "humidity", "", HumidityName(r.settings.states), "");
    row("settings", "", "pressure", "", PressureName(r.settings.states), "");
    row("settings", "", "chart pressure", "", Fixed(u.Pressure(r.chartAir.pressure), 3),
        u.PressureUnit());
    row("records", "", "read", "count", std::to_string(r.recordsRead), "");
    row("records", "", "missing", "count", std::to_string(r.missing), "");
    row("records", "", "missing dry bulb", "count", std::to_string(r.missingDryBulb), "");
    row("records", "", "missing humidity", "count", std::to_string(r.missingHumidity), "");
    row("records", "", "missing pressure", "count", std::to_string(r.missingPressure), "");
    row("records", "", "refused", "count", std::to_string(r.refused), "");
    row("split", "", "too warm above", "dry bulb", Fixed(u.Temperature(r.zones.splitDryBulb), 2),
        u.TemperatureUnit());
    for (int m = 0; m <= 12; ++m) {
        const climate::ZoneHours& c = m == 0 ? r.zones.total.time : r.zones.months[m - 1].time;
        const std::string period = m == 0 ? "year" : MonthAbbreviation(m);
        ForEachCount(
            r.zones, c, [&](const std::string& item, double hours, std::optional<double> only) {
                row("zones", period, item, "hours", JsonHours(hours), "");
                row("zones", period, item, "percent", Fixed(c.Percent(hours), 2), "%");
                if (only) {
                    row("zones", period, item, "only hours", JsonHours(*only), "");
                    row("zones", period, item, "only percent", Fixed(c.Percent(*only), 2), "%");
                }
            });
    }
    const tables::Table figures = FigureTables(r, tables::Symbols::Ascii);
    if (const tables::Section* design = figures.Find(kDesignSection)) {
        for (const DesignFigure& f : DesignFigures(*design, false)) {
            row("design from this file's hours", "", f.item, f.measure, Fixed(f.value, 2), f.unit);
        }
    }
    if (const tables::Section* published = figures.Find(kPublishedSection)) {
        for (const DesignFigure& f : DesignFigures(*published, true)) {
            row("design published in the header", "", f.item, f.measure, Fixed(f.value, 2), f.unit);
        }
    }
    return csv;
}

std::string ResultJson(const ClimateResult& r) {
    const FigureUnits u{r.settings.units};
    const climate::Location& l = r.location;
    std::string json = "{\n";
    json += "  \"format\": " + std::to_string(kJsonFormat) + ",\n";
    json += "  \"source\": " + JsonString(r.source) + ",\n";
    json += "  \"location\": {\"city\": " + JsonString(l.city) +
            ", \"region\": " + JsonString(l.region) + ", \"country\": " + JsonString(l.country) +
            ", \"source\": " + JsonString(l.source) + ", \"wmo\": " + JsonString(l.wmo) +
            ", \"latitude\": " + (r.located ? JsonNumber(l.latitude, 4) : "null") +
            ", \"longitude\": " + (r.located ? JsonNumber(l.longitude, 4) : "null") +
            ", \"timeZone\": " + (r.located ? JsonNumber(l.timeZone, 2) : "null") +
            ", \"elevation\": " + (r.located ? JsonNumber(l.elevation, 1) : "null") + "},\n";
    json += "  \"units\": {\"temperature\": " + JsonString(u.TemperatureUnit()) +
            ", \"humidityRatio\": " + JsonString(u.HumidityRatioUnit()) +
            ", \"enthalpy\": " + JsonString(u.EnthalpyUnit()) +
            ", \"pressure\": " + JsonString(u.PressureUnit()) + "},\n";
    json += "  \"settings\": {\"comfort\": " + JsonString(DescribeComfort(r.settings.comfort)) +
            ", \"comfortModel\": " + JsonString(KeyOf(r.settings.comfort.model)) +
            ", \"filter\": " + JsonString(DescribeFilter(r.settings.filter)) +
            ", \"humidity\": " + JsonString(HumidityName(r.settings.states)) +
            ", \"pressure\": " + JsonString(PressureName(r.settings.states)) +
            ", \"chartPressure\": " + JsonNumber(u.Pressure(r.chartAir.pressure), 3) + ", " +
            JsonSettingValues(r.settings) + "},\n";
    json += "  \"records\": {\"read\": " + std::to_string(r.recordsRead) +
            ", \"missing\": " + std::to_string(r.missing) +
            ", \"missingDryBulb\": " + std::to_string(r.missingDryBulb) +
            ", \"missingHumidity\": " + std::to_string(r.missingHumidity) +
            ", \"missingPressure\": " + std::to_string(r.missingPressure) +
            ", \"refused\": " + std::to_string(r.refused) + "},\n";
    json += "  \"zones\": {\n    \"names\": [";
    for (std::size_t z = 0; z < r.zones.names.size(); ++z) {
        json += (z == 0 ? "" : ", ") + JsonString(r.zones.names[z]);
    }
    json += "],\n    \"notes\": [";
    for (std::size_t z = 0; z < r.zoneNotes.size(); ++z) {
        json += (z == 0 ? "" : ", ") + JsonString(r.zoneNotes[z]);
    }
    json += "],\n    \"tooWarmAbove\": " + JsonNumber(u.Temperature(r.zones.splitDryBulb), 2) +
            ",\n    \"tooHumidAbove\": " +
            JsonNumber(u.HumidityRatio(r.settings.outside.humidityRatioLimit), 2) +
            ",\n    \"year\": " + JsonCounts(r.zones.total.time) + ",\n    \"months\": [";
    for (int m = 1; m <= 12; ++m) {
        json +=
            std::string(m == 1 ? "" : ",") + "\n      " + JsonCounts(r.zones.months[m - 1].time, m);
    }
    json += "]\n  },\n";
    json += "  \"designFromThisFilesHours\": ";
    const tables::Table figures = FigureTables(r, tables::Symbols::Ascii);
    const tables::Section* design = figures.Find(kDesignSection);
    json += design ? "{\"hours\": " + JsonHours(r.design->time) +
                         ", \"figures\": " + JsonDesign(DesignFigures(*design, false)) + "}"
                   : std::string("null");
    json += ",\n  \"designPublishedInTheHeader\": ";
    const tables::Section* published = figures.Find(kPublishedSection);
    json += published ? "{\"source\": " + JsonString(r.published.source) +
                            ", \"figures\": " + JsonDesign(DesignFigures(*published, true)) + "}"
                      : std::string("null");
    json += "\n}\n";
    return json;
}

} // namespace hygrovane::climateanalysis
