// The climate window's figures table and the user zones typed in it.
#include "climateanalysis/envelope_table.h"
#include "climateanalysis/figure_tables.h"
#include "climateanalysis/figure_units.h"
#include "climateanalysis/result_writers.h"
#include "comfort/plane.h"
#include "hygrovane/relations.h"
#include "models/climate_model.h"
#include "text/blanks.h"
#include "text/number_parse.h"
#include "text/number_text.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace hygrovane::models {

namespace {

constexpr double kZeroCelsius = kCelsiusOffset; // K
constexpr double kGrainsPerPound = 7000;

std::string Trim(const std::string& text) {
    return std::string(text::Trim(text));
}

// A number with nothing around it but blanks, read the same in every locale.
std::optional<double> Number(const std::string& text) {
    return text::ParseTypedNumber(text);
}

// A corner's humidity: a number, with a "%" after it for a relative humidity.
struct Humidity {
    double value = 0;
    bool percent = false;
};

std::optional<Humidity> HumidityNumber(const std::string& text) {
    std::string t = Trim(text);
    const bool percent = !t.empty() && t.back() == '%';
    if (percent) {
        t.pop_back();
    }
    const auto value = Number(t);
    if (!value) {
        return std::nullopt;
    }
    return Humidity{*value, percent};
}

// A table's heading row: its first column named for the window, the others with their unit
// where it is a share ("Union %"); a zone's column ("Z1 %") says which zone in its tool tip.
FigureRow Heading(const tables::Section& section, std::string first,
                  const std::vector<std::string>& zones = {}) {
    FigureRow row{{std::move(first)}, true, {}};
    row.tips.resize(section.columns.size());
    for (std::size_t c = 1; c < section.columns.size(); ++c) {
        const tables::Column& column = section.columns[c];
        const bool share = column.quantity == tables::Quantity::Share && column.title != "%";
        row.cells.push_back(column.title + (share ? " %" : ""));
        if (c >= 2 && c - 2 < zones.size()) {
            row.tips[c] = zones[c - 2] + ", only";
        }
    }
    return row;
}

// A model row as the window shows it: the report-style texts, the unrounded values for tool tips;
// a cell without a value is left out at the end of a row (a count without "only" hours).
FigureRow Shown(const tables::Row& model, std::size_t count = 0) {
    FigureRow row;
    const std::size_t n = count == 0 ? model.cells.size() : std::min(count, model.cells.size());
    row.cells.reserve(n + 1);
    row.values.reserve(n + 1);
    for (std::size_t c = 0; c < n; ++c) {
        const tables::Cell& cell = model.cells[c];
        row.cells.push_back(cell.Shown());
        row.values.push_back(cell.value);
        row.number.push_back(cell.IsNumber());
    }
    while (count == 0 && row.cells.size() > 1 && row.number.back() &&
           !std::isfinite(row.values.back())) {
        row.cells.pop_back();
        row.values.pop_back();
        row.number.pop_back();
    }
    row.key = model.key;
    return row;
}

} // namespace

std::vector<FigureRow> ClimateModel::figures() const {
    std::vector<FigureRow> rows;
    if (!prepared_) {
        return rows;
    }
    using climateanalysis::FindRow;
    const climateanalysis::FigureUnits u{settings_.units};
    const tables::Table table = climateanalysis::FigureTables(result_);

    const tables::Section& zones = *table.Find(climateanalysis::kZonesSection);
    rows.push_back(Heading(zones, "Zone (filtered hours)"));
    for (const tables::Row& row : zones.rows) {
        rows.push_back(Shown(row));
    }
    const tables::Section& months = *table.Find(climateanalysis::kMonthsSection);
    if (!months.rows.empty()) {
        rows.push_back(Heading(months, "By month", result_.zones.names));
        for (const tables::Row& row : months.rows) {
            rows.push_back(Shown(row));
        }
    }

    if (!envelopeFigures_.empty()) {
        const tables::Section envelopes = climateanalysis::EnvelopeSection(envelopeFigures_);
        rows.push_back(Heading(envelopes, "Envelope (filtered hours)"));
        for (const tables::Row& row : envelopes.rows) {
            rows.push_back(Shown(row));
        }
    }

    // Design conditions: each value with its coincident one, as a state where there is one.
    const std::string T(tables::SymbolOf(climateanalysis::TemperatureUnitOf(settings_.units)));
    const std::string W(tables::SymbolOf(climateanalysis::HumidityRatioUnitOf(settings_.units)));
    rows.push_back({{"Design condition (all hours, not the filter)", "Value, " + T,
                     "Coincident, " + T, "Source"},
                    true,
                    {}});
    const comfort::PlaneAir& air = prepared_->zones.air;
    const auto fromWetBulb = [&](const std::string& name, double dryBulb,
                                 double wetBulb) -> std::optional<OutdoorPoint> {
        const auto w = comfort::HumidityRatioAtWetBulb(dryBulb, wetBulb, air);
        if (!w) {
            return std::nullopt;
        }
        return OutdoorPoint{name, dryBulb, *w, HumidityInput::WetBulb, wetBulb};
    };
    // A design row of the table: its name, value and coincident value, and where it is from.
    const auto designRow = [&](const tables::Row& row, const std::string& source,
                               std::optional<OutdoorPoint> point) {
        FigureRow shown = Shown(row, 3);
        shown.cells.push_back(source);
        shown.values.push_back(std::nan(""));
        shown.number.push_back(false);
        shown.point = std::move(point);
        shown.key.clear(); // the state's name below: mine and the published share a model key
        return shown;
    };
    // A heating dry bulb has no coincident humidity of its own: it is sent with the mean
    // humidity ratio of the hours within 0.5 K of it (both ends included), the window the
    // coincident means of the design conditions use.
    const auto heatingRow = [&](const tables::Row& model, double dryBulb, const std::string& source,
                                const std::string& pointName) {
        double sum = 0;
        double n = 0; // hours
        for (const climate::HourState& h : prepared_->states.hours) {
            if (h.ok() && std::abs(h.dryBulb - dryBulb) <= 0.5) {
                sum += h.humidityRatio * h.hours;
                n += h.hours;
            }
        }
        FigureRow row = designRow(model, source, std::nullopt);
        row.cells[2].clear();
        row.key = pointName;
        if (n > 0) {
            const double w = sum / n;
            row.cells[0] +=
                " (mean coincident " +
                tables::ReportText(tables::Quantity::HumidityRatio,
                                   climateanalysis::HumidityRatioUnitOf(settings_.units),
                                   u.HumidityRatio(w)) +
                " " + W + ")";
            row.point = OutdoorPoint{pointName, dryBulb, w, HumidityInput::HumidityRatio, w};
        }
        return row;
    };
    const std::string mine = "from this file's hours";
    const std::string published = "published in the file's header";
    // A published heating dry bulb has no humidity in the header: the one sent with it is the
    // file's own.
    const std::string publishedDry = "dry bulb published in the file's header, humidity from "
                                     "this file's hours";
    const tables::Section* design = table.Find(climateanalysis::kDesignSection);
    if (design != nullptr) {
        const climate::ComputedDesignConditions& d = *result_.design;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string p = climateanalysis::kCoolingPercents[k];
            rows.push_back(designRow(*FindRow(*design, "cooling " + p), mine,
                                     fromWetBulb("Cooling " + p, d.cooling[k].dryBulb,
                                                 d.cooling[k].meanCoincidentWetBulb)));
        }
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string p = climateanalysis::kCoolingPercents[k];
            rows.push_back(
                designRow(*FindRow(*design, "wet bulb " + p), mine,
                          fromWetBulb("Wet bulb " + p, d.wetBulb[k].meanCoincidentDryBulb,
                                      d.wetBulb[k].wetBulb)));
        }
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string p = climateanalysis::kCoolingPercents[k];
            const tables::Row& model = *FindRow(*design, "dew point " + p);
            FigureRow row =
                designRow(model, mine,
                          OutdoorPoint{"Dew point " + p, d.dewPoint[k].meanCoincidentDryBulb,
                                       d.dewPoint[k].humidityRatio, HumidityInput::DewPoint,
                                       d.dewPoint[k].dewPoint});
            row.cells[0] += " (" + model.cells[3].Shown() + " " + W + ")";
            rows.push_back(std::move(row));
        }
        for (std::size_t k = 0; k < 2; ++k) {
            const std::string p = climateanalysis::kHeatingPercents[k];
            rows.push_back(
                heatingRow(*FindRow(*design, "heating " + p), d.heating[k], mine, "Heating " + p));
        }
    } else {
        rows.push_back({{"No hour has a state", "", "", mine}, false, {}});
    }
    if (const tables::Section* p = table.Find(climateanalysis::kPublishedSection)) {
        const climate::DesignConditions& h = result_.published;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string percent = climateanalysis::kCoolingPercents[k];
            std::optional<OutdoorPoint> point;
            if (h.coolingDryBulb[k] && h.coolingWetBulb[k]) {
                point =
                    fromWetBulb("Published cooling " + percent, *h.coolingDryBulb[k] + kZeroCelsius,
                                *h.coolingWetBulb[k] + kZeroCelsius);
            }
            rows.push_back(designRow(*FindRow(*p, "cooling " + percent), published, point));
        }
        for (const auto& [percent, celsius] :
             {std::pair{"99.6 %", h.heating99_6}, std::pair{"99 %", h.heating99}}) {
            const tables::Row& model = *FindRow(*p, std::string("heating ") + percent);
            const std::string name = std::string("Published heating ") + percent;
            if (celsius) {
                rows.push_back(heatingRow(model, *celsius + kZeroCelsius, publishedDry, name));
            } else {
                FigureRow row = designRow(model, published, std::nullopt);
                row.cells[2].clear();
                row.key = name;
                rows.push_back(std::move(row));
            }
        }
    }
    // Enthalpies under a heading of their own unit, after every temperature.
    if (design != nullptr) {
        rows.push_back({{"Design enthalpy (all hours, not the filter)",
                         "Value, " + std::string(tables::SymbolOf(
                                         climateanalysis::EnthalpyUnitOf(settings_.units))),
                         "", "Source"},
                        true,
                        {}});
        for (const char* p : climateanalysis::kCoolingPercents) {
            FigureRow row =
                designRow(*FindRow(*design, std::string("enthalpy ") + p), mine, std::nullopt);
            row.cells[2].clear();
            rows.push_back(std::move(row));
        }
    }
    // What a row is, whatever its figures: a state by the name it is sent under.
    for (FigureRow& row : rows) {
        if (row.key.empty()) {
            row.key = row.point ? row.point->name : row.cells.front();
        }
    }
    return rows;
}

Expected<std::vector<comfort::UserZone>, UserZoneFailure>
ParseUserZones(const std::string& text, climateanalysis::Units units) {
    const bool si = units == climateanalysis::Units::SI;
    std::vector<comfort::UserZone> zones;
    std::istringstream lines(text);
    std::string line;
    for (std::size_t number = 1; std::getline(lines, line); ++number) {
        if (Trim(line).empty()) {
            continue;
        }
        const std::string where = "Zone line " + std::to_string(number) + ": ";
        const auto colon = line.find(':');
        if (colon == std::string::npos || Trim(line.substr(0, colon)).empty()) {
            return Fail(UserZoneFailure{
                UserZoneFailureKind::NoName,
                where + "write a name, a colon, then the corners (\"Name: t, W; t, W; t, W\")."});
        }
        comfort::UserZone zone;
        zone.name = Trim(line.substr(0, colon));
        std::istringstream corners(line.substr(colon + 1));
        std::string corner;
        std::optional<bool> relative;
        while (std::getline(corners, corner, ';')) {
            if (Trim(corner).empty()) {
                continue;
            }
            const auto comma = corner.find(',');
            const auto t =
                comma == std::string::npos ? std::nullopt : Number(corner.substr(0, comma));
            const auto y = comma == std::string::npos ? std::nullopt
                                                      : HumidityNumber(corner.substr(comma + 1));
            if (!t || !y) {
                return Fail(UserZoneFailure{UserZoneFailureKind::NotACorner,
                                            where + "\"" + Trim(corner) +
                                                "\" is not a dry bulb and a humidity."});
            }
            const bool percent = y->percent;
            if (relative && *relative != percent) {
                return Fail(UserZoneFailure{
                    UserZoneFailureKind::MixedHumidity,
                    where + "give every corner's humidity the same way (all in % or none)."});
            }
            relative = percent;
            const double kelvin = si ? *t + kZeroCelsius : (*t - 32) * 5.0 / 9.0 + kZeroCelsius;
            const double humidity = percent ? y->value / 100
                                    : si    ? y->value / 1000
                                            : y->value / kGrainsPerPound;
            zone.points.emplace_back(kelvin, humidity);
        }
        zone.corners = relative.value_or(false) ? comfort::UserZone::Corners::RelativeHumidity
                                                : comfort::UserZone::Corners::HumidityRatio;
        if (const auto checked = comfort::CheckUserZone(zone); !checked) {
            return Fail(UserZoneFailure{UserZoneFailureKind::ZoneRefused,
                                        where + comfort::Describe(checked.error())});
        }
        zones.push_back(std::move(zone));
    }
    return zones;
}

} // namespace hygrovane::models
