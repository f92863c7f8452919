// The climate window's figures table and the user zones typed in it.
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

std::string Fixed(double value, int decimals) {
    if (std::isnan(value)) {
        return "–";
    }
    return text::FixedText(value, decimals);
}

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

} // namespace

std::vector<FigureRow> ClimateModel::figures() const {
    std::vector<FigureRow> rows;
    if (!prepared_) {
        return rows;
    }
    const climateanalysis::FigureUnits u{settings_.units};
    const climate::ZoneHours& total = result_.zones.total.time;
    const auto count = [&](const climate::ZoneHours& c, double n) {
        return std::vector<std::string>{climateanalysis::HoursText(n), Fixed(c.Percent(n), 1)};
    };
    rows.push_back({{"Zone (filtered hours)", "Hours", "%", "Only this zone", "%"}, true, {}});
    for (std::size_t z = 0; z < result_.zones.names.size(); ++z) {
        FigureRow row{{result_.zones.names[z]}, false, {}};
        for (const auto& cell : count(total, total.inZone[z])) {
            row.cells.push_back(cell);
        }
        for (const auto& cell : count(total, total.onlyZone[z])) {
            row.cells.push_back(cell);
        }
        rows.push_back(std::move(row));
    }
    const std::string T = u.TemperatureUnit();
    const std::string split = Fixed(u.Temperature(result_.zones.splitDryBulb), 1) + " " + T;
    const std::string humid = Fixed(u.HumidityRatio(settings_.outside.humidityRatioLimit), 1) +
                              " " + u.HumidityRatioUnit();
    const std::pair<std::string, double> others[] = {
        {"In the union of the zones", total.inUnion},
        {"Too warm (above " + split + ")", total.tooWarm},
        {"Too cool (at or below " + split + ")", total.tooCool},
        {"Too humid (above " + humid + ")", total.tooHumid},
        {"Missing", total.missing},
        {"Filtered hours", total.hours}};
    for (const auto& [name, n] : others) {
        FigureRow row{{name}, false, {}};
        for (const auto& cell : count(total, n)) {
            row.cells.push_back(cell);
        }
        rows.push_back(std::move(row));
    }

    rows.push_back(
        {{"By month", "Hours", "Union %", "Too warm %", "Too cool %", "Too humid %", "Missing %"},
         true,
         {}});
    for (int m = 1; m <= 12; ++m) {
        const climate::ZoneHours& c = result_.zones.months[static_cast<std::size_t>(m - 1)].time;
        if (c.hours <= 0) {
            continue;
        }
        rows.push_back({{climateanalysis::MonthAbbreviation(m), climateanalysis::HoursText(c.hours),
                         Fixed(c.Percent(c.inUnion), 1), Fixed(c.Percent(c.tooWarm), 1),
                         Fixed(c.Percent(c.tooCool), 1), Fixed(c.Percent(c.tooHumid), 1),
                         Fixed(c.Percent(c.missing), 1)},
                        false,
                        {}});
    }

    // Design conditions: each value with its coincident one, as a state where there is one.
    rows.push_back({{"Design condition (all hours, not the filter)", "Value, " + T,
                     "Coincident, " + T, "Source"},
                    true,
                    {}});
    const comfort::PlaneAir& air = prepared_->zones.air;
    const auto t = [&](double kelvin) { return Fixed(u.Temperature(kelvin), 1); };
    const auto fromWetBulb = [&](const std::string& name, double dryBulb,
                                 double wetBulb) -> std::optional<OutdoorPoint> {
        const auto w = comfort::HumidityRatioAtWetBulb(dryBulb, wetBulb, air);
        if (!w) {
            return std::nullopt;
        }
        return OutdoorPoint{name, dryBulb, *w, HumidityInput::WetBulb, wetBulb};
    };
    // A heating dry bulb has no coincident humidity of its own: it is sent with the mean
    // humidity ratio of the hours within 0.5 K of it (both ends included), the window the
    // coincident means of the design conditions use.
    const auto heatingRow = [&](const std::string& name, double dryBulb, const std::string& source,
                                const std::string& pointName) {
        double sum = 0;
        double n = 0; // hours
        for (const climate::HourState& h : prepared_->states.hours) {
            if (h.ok() && std::abs(h.dryBulb - dryBulb) <= 0.5) {
                sum += h.humidityRatio * h.hours;
                n += h.hours;
            }
        }
        FigureRow row{{name + " dry bulb", t(dryBulb), "", source}, false, {}, pointName};
        if (n > 0) {
            const double w = sum / n;
            row.cells[0] += " (mean coincident " + Fixed(u.HumidityRatio(w), 1) + " " +
                            u.HumidityRatioUnit() + ")";
            row.point = OutdoorPoint{pointName, dryBulb, w, HumidityInput::HumidityRatio, w};
        }
        return row;
    };
    static const char* const kCooling[] = {"0.4 %", "1 %", "2 %"};
    const std::string mine = "from this file's hours";
    const std::string published = "published in the file's header";
    // A published heating dry bulb has no humidity in the header: the one sent with it is the
    // file's own.
    const std::string publishedDry = "dry bulb published in the file's header, humidity from "
                                     "this file's hours";
    if (result_.design) {
        const climate::ComputedDesignConditions& d = *result_.design;
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string p = kCooling[k];
            rows.push_back({{"Cooling " + p + " dry bulb / mean coincident wet bulb",
                             t(d.cooling[k].dryBulb), t(d.cooling[k].meanCoincidentWetBulb), mine},
                            false,
                            fromWetBulb("Cooling " + p, d.cooling[k].dryBulb,
                                        d.cooling[k].meanCoincidentWetBulb)});
        }
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string p = kCooling[k];
            rows.push_back({{"Wet bulb " + p + " / mean coincident dry bulb",
                             t(d.wetBulb[k].wetBulb), t(d.wetBulb[k].meanCoincidentDryBulb), mine},
                            false,
                            fromWetBulb("Wet bulb " + p, d.wetBulb[k].meanCoincidentDryBulb,
                                        d.wetBulb[k].wetBulb)});
        }
        for (std::size_t k = 0; k < 3; ++k) {
            const std::string p = kCooling[k];
            rows.push_back(
                {{"Dew point " + p + " / mean coincident dry bulb (" +
                      Fixed(u.HumidityRatio(d.dewPoint[k].humidityRatio), 1) + " " +
                      u.HumidityRatioUnit() + ")",
                  t(d.dewPoint[k].dewPoint), t(d.dewPoint[k].meanCoincidentDryBulb), mine},
                 false,
                 OutdoorPoint{"Dew point " + p, d.dewPoint[k].meanCoincidentDryBulb,
                              d.dewPoint[k].humidityRatio, HumidityInput::DewPoint,
                              d.dewPoint[k].dewPoint}});
        }
        static const char* const kHeating[] = {"99.6 %", "99 %"};
        for (std::size_t k = 0; k < 2; ++k) {
            const std::string name = std::string("Heating ") + kHeating[k];
            rows.push_back(heatingRow(name, d.heating[k], mine, name));
        }
    } else {
        rows.push_back({{"No hour has a state", "", "", mine}, false, {}});
    }
    const climate::DesignConditions& h = result_.published;
    if (h.layout != climate::DesignConditions::Layout::None) {
        const auto c = [&](const std::optional<double>& celsius) {
            return celsius ? Fixed(u.TemperatureFromCelsius(*celsius), 1) : std::string("–");
        };
        for (std::size_t k = 0; k < 3; ++k) {
            std::optional<OutdoorPoint> point;
            if (h.coolingDryBulb[k] && h.coolingWetBulb[k]) {
                point = fromWetBulb(std::string("Published cooling ") + kCooling[k],
                                    *h.coolingDryBulb[k] + kZeroCelsius,
                                    *h.coolingWetBulb[k] + kZeroCelsius);
            }
            rows.push_back(
                {{std::string("Cooling ") + kCooling[k] + " dry bulb / mean coincident wet bulb",
                  c(h.coolingDryBulb[k]), c(h.coolingWetBulb[k]), published},
                 false,
                 point});
        }
        for (const auto& [name, celsius] :
             {std::pair{"Heating 99.6 %", h.heating99_6}, std::pair{"Heating 99 %", h.heating99}}) {
            if (celsius) {
                rows.push_back(heatingRow(name, *celsius + kZeroCelsius, publishedDry,
                                          std::string("Published h") + (name + 1)));
            } else {
                rows.push_back({{std::string(name) + " dry bulb", c(celsius), "", published},
                                false,
                                {},
                                std::string("Published h") + (name + 1)});
            }
        }
    }
    // Enthalpies under a heading of their own unit, after every temperature.
    if (result_.design) {
        rows.push_back({{"Design enthalpy (all hours, not the filter)",
                         std::string("Value, ") + u.EnthalpyUnit(), "", "Source"},
                        true,
                        {}});
        for (std::size_t k = 0; k < 3; ++k) {
            rows.push_back({{std::string("Enthalpy ") + kCooling[k],
                             Fixed(u.Enthalpy(result_.design->enthalpy[k]), 1), "", mine},
                            false,
                            {}});
        }
    }
    // What a row is, whatever its figures: a state by the name it is sent under.
    for (FigureRow& row : rows) {
        if (row.key.empty()) {
            row.key = row.point ? row.point->name : row.cells.front();
        }
    }
    // The writers' ASCII unit names, as the window writes them.
    for (FigureRow& row : rows) {
        for (std::string& cell : row.cells) {
            for (const auto& [ascii, shown] :
                 {std::pair<std::string, std::string>{"degC", "°C"}, {"degF", "°F"}}) {
                for (std::size_t at = cell.find(ascii); at != std::string::npos;
                     at = cell.find(ascii, at)) {
                    cell.replace(at, ascii.size(), shown);
                }
            }
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
