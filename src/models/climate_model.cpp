#include "models/climate_model.h"
#include "models/climate_envelopes.h"

#include "cli/streams.h"
#include "climate/weather_file.h"
#include "climateanalysis/envelope_writers.h"
#include "climateanalysis/result_writers.h"
#include "climateanalysis/zone_list.h"
#include "comfort/plane.h"
#include "hygrovane/relations.h"
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <limits>

namespace hygrovane::models {

namespace {

constexpr double kZeroCelsius = kCelsiusOffset;       // K
constexpr double kZeroFahrenheit = 255.3722222222222; // K, (0 - 32) * 5/9 + 273.15
constexpr double kGrainsPerPound = 7000;              // grains in a pound (avoirdupois)

std::string Fixed(int decimals, double value) {
    return text::FixedText(value, decimals);
}

struct BinGrid {
    double dryOrigin, dryWidth, wetWidth;
};
BinGrid GridOf(const climateanalysis::ClimateSettings& settings) {
    const bool si = settings.units == climateanalysis::Units::SI;
    // As MakeBins draws its bands: 1 K or 2 degF; 1 g/kg, 10 gr/lb or 5 %.
    return {si ? kZeroCelsius : kZeroFahrenheit, si ? 1.0 : 10.0 / 9.0,
            settings.binAxis == climate::BinAxis::RelativeHumidity ? 0.05
            : si                                                   ? 0.001
                                                                   : 10.0 / kGrainsPerPound};
}

} // namespace

std::string QuantityTitle(const climate::Quantity& quantity) {
    if (const auto* field = std::get_if<climate::Field>(&quantity)) {
        const climate::FieldInfo& info = climate::InfoOf(*field);
        return std::string(info.name) + " (" + info.unit + ")";
    }
    switch (std::get<climate::Computed>(quantity)) {
    case climate::Computed::DryBulb:
        return "Dry bulb (°C)";
    case climate::Computed::HumidityRatio:
        return "Humidity ratio (g/kg)";
    case climate::Computed::RelativeHumidity:
        return "Relative humidity (%)";
    case climate::Computed::DewPoint:
        return "Dew point (°C)";
    case climate::Computed::WetBulb:
        return "Wet bulb (°C)";
    case climate::Computed::Enthalpy:
        return "Enthalpy (kJ/kg)";
    case climate::Computed::Pressure:
        return "Pressure (Pa)";
    case climate::Computed::HourOfDay:
        return "Hour of day (h)";
    case climate::Computed::Month:
        return "Month";
    }
    return {};
}

double QuantityShown(const climate::Quantity& quantity, double value) {
    if (const auto* computed = std::get_if<climate::Computed>(&quantity)) {
        switch (*computed) {
        case climate::Computed::DryBulb:
        case climate::Computed::DewPoint:
        case climate::Computed::WetBulb:
            return value - kZeroCelsius;
        case climate::Computed::HumidityRatio:
            return value * 1000;
        case climate::Computed::RelativeHumidity:
            return value * 100;
        default:
            break;
        }
    }
    return value;
}

namespace {

Unexpected<ClimateLoadFailure> LoadFailed(ClimateLoadFailureKind kind, std::string message) {
    return Fail(ClimateLoadFailure{kind, std::move(message)});
}

} // namespace

Expected<LoadedClimate, ClimateLoadFailure>
LoadClimate(const std::string& path, const climateanalysis::ClimateSettings& settings,
            LoadControl* control) {
    const auto cancelled = [control] { return control != nullptr && control->cancelled.load(); };
    if (const auto source = cli::OpenSource(path, true); !source) {
        return LoadFailed(ClimateLoadFailureKind::NotAFile,
                          "The file \"" + path + "\" was not read: " + source.error() + ".");
    }
    auto read = climate::ReadWeatherFile(path);
    if (!read) {
        return LoadFailed(ClimateLoadFailureKind::NotWeather,
                          "The file \"" + path +
                              "\" was not read: " + climate::Describe(read.error()));
    }
    if (cancelled()) {
        return LoadFailed(ClimateLoadFailureKind::Cancelled, "Reading was cancelled.");
    }
    if (control != nullptr) {
        control->phase = LoadControl::Computing;
    }
    auto prepared = climateanalysis::Prepare(
        std::make_shared<const climate::WeatherData>(std::move(read.value())), settings);
    if (!prepared) {
        return LoadFailed(ClimateLoadFailureKind::ZonesRefused,
                          "The file \"" + path + "\" was read, but its zones were not: " +
                              climateanalysis::Describe(prepared.error()));
    }
    if (cancelled()) {
        return LoadFailed(ClimateLoadFailureKind::Cancelled, "Reading was cancelled.");
    }
    if (control != nullptr) {
        control->phase = LoadControl::Done;
    }
    return LoadedClimate{path, std::move(prepared.value())};
}

void ClimateModel::accept(LoadedClimate loaded) {
    path_ = std::move(loaded.path);
    const climate::Filter filter = settings_.filter;
    settings_ = loaded.prepared.settings;
    settings_.filter = filter;
    prepared_ = std::move(loaded.prepared);
    summarise();
}

Expected<Done, climateanalysis::AnalysisFailure>
ClimateModel::changeSettings(const climateanalysis::ClimateSettings& settings) {
    if (!prepared_) {
        settings_ = settings;
        return Done{};
    }
    auto prepared = climateanalysis::Prepare(prepared_->data, settings);
    if (!prepared) {
        return Fail(prepared.error());
    }
    settings_ = settings;
    prepared_ = std::move(prepared.value());
    summarise();
    return Done{};
}

std::string ClimateModel::humidityNote() const {
    return settings_.states.humidity == climate::HumiditySource::RelativeHumidity
               ? "Each hour's state from its dry bulb and relative humidity (the file's dew "
                 "points are not used)."
               : "Each hour's state from its dry bulb and dew point (the file's relative "
                 "humidities are not used).";
}

void ClimateModel::setFilter(climate::Filter filter) {
    settings_.filter = std::move(filter);
    summarise();
}

void ClimateModel::setDisplay(ClimateDisplay display) {
    display_ = display;
    settings_.binAxis = display.axis;
    settings_.units = display.units;
    summarise();
}

void ClimateModel::setEnvelopes(std::vector<envelopes::Envelope> chosen) {
    envelopes_.clear();
    for (envelopes::Envelope& envelope : chosen) {
        const bool given =
            std::any_of(envelopes_.begin(), envelopes_.end(),
                        [&](const envelopes::Envelope& e) { return e.name == envelope.name; });
        if (!given) {
            envelopes_.push_back(std::move(envelope));
        }
    }
    summarise();
}

void ClimateModel::summarise() {
    if (!prepared_) {
        selection_.clear();
        bins_ = {};
        result_ = {};
        envelopeFigures_.clear();
        return;
    }
    // The bins' axis, the figures' units and the filter change no zone: the prepared file takes
    // them as they are.
    prepared_->settings.binAxis = settings_.binAxis;
    prepared_->settings.units = settings_.units;
    prepared_->settings.filter = settings_.filter;
    result_ = climateanalysis::Summarise(*prepared_, settings_.filter);
    result_.source = path_;
    selection_ = climate::Select(*prepared_->data, prepared_->states, settings_.filter);
    envelopeFigures_ = climateanalysis::JudgeEnvelopes(*prepared_->data, prepared_->states,
                                                       settings_.filter, envelopes_);
    if (display_.colourBy) {
        climate::BinOptions options;
        options.axis = settings_.binAxis;
        options.units = settings_.units == climateanalysis::Units::IP ? climate::BinUnits::IP
                                                                      : climate::BinUnits::SI;
        options.meanOf = display_.colourBy;
        bins_ = climate::MakeBins(*prepared_->data, prepared_->states, selection_, options);
    } else {
        bins_ = result_.bins;
    }
}

chart::Overlay ClimateModel::overlay() const {
    chart::Overlay overlay;
    overlay.red = 30;
    overlay.green = 60;
    overlay.blue = 120;
    if (!prepared_) {
        return overlay;
    }
    const climate::WeatherData& data = *prepared_->data;
    const climate::HourlyStates& states = prepared_->states;
    chart::OverlayScale& scale = overlay.scale;
    const auto& colourBy = display_.colourBy;
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    const auto extend = [&](double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    };
    if (display_.marks == ClimateDisplay::Marks::Bins) {
        const comfort::PlaneAir& air = prepared_->zones.air;
        for (const climate::Bin& bin : bins_.bins) {
            if (colourBy && !bin.mean) {
                continue; // no hour of the bin has the quantity: nothing to colour it by
            }
            chart::OverlayCell cell;
            cell.value = colourBy ? QuantityShown(*colourBy, *bin.mean) : bin.time;
            const double t0 = bin.dryBulbLow, t1 = bin.dryBulbHigh;
            if (settings_.binAxis == climate::BinAxis::HumidityRatio) {
                cell.corners = {{{t0, bin.humidityLow},
                                 {t1, bin.humidityLow},
                                 {t1, bin.humidityHigh},
                                 {t0, bin.humidityHigh}}};
            } else {
                // Relative-humidity bands are curved on the chart; a bin's band is narrow
                // enough for straight edges between its corners.
                const auto w = [&](double t, double phi) {
                    const auto r = comfort::HumidityRatioAt(t, phi, air);
                    return r ? *r : 0.0;
                };
                cell.corners = {{{t0, w(t0, bin.humidityLow)},
                                 {t1, w(t1, bin.humidityLow)},
                                 {t1, w(t1, bin.humidityHigh)},
                                 {t0, w(t0, bin.humidityHigh)}}};
            }
            extend(cell.value);
            overlay.cells.push_back(cell);
        }
    } else {
        overlay.dots.reserve(selection_.size());
        for (const std::size_t i : selection_) {
            const climate::HourState& s = states.hours[i];
            if (!s.ok()) {
                continue;
            }
            double value = 0;
            if (colourBy) {
                const auto v = climate::ValueAt(data, states, i, *colourBy);
                if (!v) {
                    continue;
                }
                value = QuantityShown(*colourBy, *v);
                extend(value);
            }
            overlay.dots.push_back({{s.dryBulb, s.humidityRatio}, value});
        }
    }
    if (colourBy || display_.marks == ClimateDisplay::Marks::Bins) {
        if (!(low <= high)) {
            low = high = 0;
        }
        scale.minimum = colourBy ? low : 0;
        scale.maximum = high;
        scale.title = colourBy ? (display_.marks == ClimateDisplay::Marks::Bins ? "Mean " : "") +
                                     QuantityTitle(*colourBy)
                               : std::string("Hours per bin");
        const int decimals = colourBy ? 1 : 0;
        scale.lowText = Fixed(decimals, scale.minimum);
        scale.highText = Fixed(decimals, scale.maximum);
        scale.legend = !overlay.cells.empty() || !overlay.dots.empty();
    }
    // The zones over the hours, each with its share of the filtered hours.
    static constexpr std::array<chart::OverlayColour, 8> kZoneColours{{{200, 30, 40},
                                                                       {230, 120, 0},
                                                                       {120, 60, 170},
                                                                       {0, 140, 120},
                                                                       {180, 40, 150},
                                                                       {90, 110, 20},
                                                                       {20, 90, 200},
                                                                       {140, 80, 40}}};
    const climate::ZoneHours& total = result_.zones.total.time;
    for (std::size_t z = 0; z < prepared_->zones.zones.size(); ++z) {
        const climateanalysis::AnalysisZone& zone = prepared_->zones.zones[z];
        const std::string share =
            z < total.inZone.size() ? Fixed(1, total.Percent(total.inZone[z])) + " %" : "";
        for (const comfort::Polygon& polygon : zone.outlines) {
            chart::OverlayZone drawn;
            drawn.name = zone.name;
            drawn.share = share;
            drawn.colour = kZoneColours[z % kZoneColours.size()];
            for (const ChartPoint p : polygon) {
                drawn.outline.push_back({p.dryBulb, p.humidityRatio});
            }
            overlay.zones.push_back(std::move(drawn));
        }
    }
    // The envelopes over the zones, at the pressure the hours are drawn at, within a chart that
    // holds the hours.
    const chart::ChartRange range = rangeHolding(chart::ChartRange{});
    const comfort::PlaneAir& chartAir = prepared_->zones.air;
    for (chart::OverlayZone& zone :
         EnvelopeZones(envelopeFigures_, chartAir.pressure, chartAir.formulation,
                       {range.dryBulbMin, range.dryBulbMax, range.humidityRatioMax})) {
        overlay.zones.push_back(std::move(zone));
    }
    chart::OverlayTable table;
    table.title = "Climate figures: " + summary();
    for (const FigureRow& row : figures()) {
        if (row.heading) {
            table.headings.push_back(table.rows.size());
        }
        table.rows.push_back(row.cells);
    }
    overlay.table = std::move(table);
    return overlay;
}

const climate::Bin* ClimateModel::binAt(chart::ChartPoint point) const {
    if (!prepared_ || display_.marks != ClimateDisplay::Marks::Bins || bins_.bins.empty()) {
        return nullptr;
    }
    const BinGrid grid = GridOf(settings_);
    double y = point.humidityRatio;
    if (settings_.binAxis == climate::BinAxis::RelativeHumidity) {
        const comfort::PlaneAir& air = prepared_->zones.air;
        const auto phi = comfort::RelativeHumidityAt({point.dryBulb, point.humidityRatio}, air);
        if (!phi) {
            return nullptr;
        }
        y = std::min(*phi, 0.99999);
    }
    const long column =
        static_cast<long>(std::floor((point.dryBulb - grid.dryOrigin) / grid.dryWidth));
    const long row = static_cast<long>(std::floor(y / grid.wetWidth));
    const auto found =
        std::lower_bound(bins_.bins.begin(), bins_.bins.end(), std::pair{column, row},
                         [](const climate::Bin& b, const std::pair<long, long>& key) {
                             return std::pair{b.column, b.row} < key;
                         });
    if (found == bins_.bins.end() || found->column != column || found->row != row) {
        return nullptr;
    }
    return &*found;
}

std::string ClimateModel::binTextAt(chart::ChartPoint point) const {
    const climate::Bin* bin = binAt(point);
    if (bin == nullptr) {
        return {};
    }
    const bool si = settings_.units == climateanalysis::Units::SI;
    const auto t = [&](double k) {
        return Fixed(0, si ? k - kZeroCelsius : (k - kZeroCelsius) * 9 / 5 + 32);
    };
    std::string text =
        "Bin " + t(bin->dryBulbLow) + "–" + t(bin->dryBulbHigh) + (si ? " °C, " : " °F, ");
    if (settings_.binAxis == climate::BinAxis::RelativeHumidity) {
        text += Fixed(0, bin->humidityLow * 100) + "–" + Fixed(0, bin->humidityHigh * 100) + " %";
    } else {
        const double k = si ? 1000 : kGrainsPerPound;
        text += Fixed(0, bin->humidityLow * k) + "–" + Fixed(0, bin->humidityHigh * k) +
                (si ? " g/kg" : " gr/lb");
    }
    const double all = bins_.binnedTime + bins_.missingTime; // the chosen hours
    text += ": " + climateanalysis::HoursText(bin->time) + " h, " +
            Fixed(1, all > 0 ? 100.0 * bin->time / all : 0.0) + " % of " +
            climateanalysis::HoursText(all) + " h";
    if (display_.colourBy && bin->mean) {
        text += ", mean " + Fixed(1, QuantityShown(*display_.colourBy, *bin->mean));
    }
    return text;
}

std::optional<OutdoorPoint> ClimateModel::binPointAt(chart::ChartPoint point) const {
    const climate::Bin* bin = binAt(point);
    if (bin == nullptr) {
        return std::nullopt;
    }
    OutdoorPoint out;
    out.dryBulb = (bin->dryBulbLow + bin->dryBulbHigh) / 2;
    if (settings_.binAxis == climate::BinAxis::RelativeHumidity) {
        const comfort::PlaneAir& air = prepared_->zones.air;
        const auto w =
            comfort::HumidityRatioAt(out.dryBulb, (bin->humidityLow + bin->humidityHigh) / 2, air);
        if (!w) {
            return std::nullopt;
        }
        out.humidityRatio = *w;
        out.humidity = HumidityInput::RelativeHumidity;
        out.humidityValue = (bin->humidityLow + bin->humidityHigh) / 2;
    } else {
        out.humidityRatio = (bin->humidityLow + bin->humidityHigh) / 2;
        out.humidityValue = out.humidityRatio;
    }
    out.name = "Bin " + Fixed(1, out.dryBulb - kZeroCelsius) + " °C";
    return out;
}

std::string ClimateModel::summary() const {
    if (!prepared_) {
        return "No weather file.";
    }
    const climate::Location& l = prepared_->data->header.location;
    std::string place = l.city;
    for (const std::string* part : {&l.region, &l.country}) {
        if (!part->empty() && *part != "-") {
            place += ", " + *part;
        }
    }
    // Hours, not records: a file of several records an hour stands for the hours they make.
    const auto& hours = prepared_->states.hours;
    double all = 0, missing = 0, chosen = 0;
    for (const climate::HourState& h : hours) {
        all += h.hours;
        missing += h.ok() ? 0 : h.hours;
    }
    for (const std::size_t i : selection_) {
        chosen += hours[i].hours;
    }
    return place + " · " + climateanalysis::HoursText(all) + " hours, " +
           climateanalysis::HoursText(missing) + " missing · " +
           climateanalysis::HoursText(chosen) + " chosen by the filter";
}

void ClimateModel::sendToMainWindow(const OutdoorPoint& point) const {
    if (toMainWindow) {
        toMainWindow(point);
    }
}

CommandOutcome ClimateModel::sendToProcesses(const OutdoorPoint& point) const {
    return toProcesses ? toProcesses(point) : CommandOutcome::Refused;
}

std::vector<std::string> ClimateModel::notes() const {
    std::vector<std::string> notes;
    if (!prepared_) {
        return notes;
    }
    // What the reader took leniently (a header field in another form), as the command line says.
    if (prepared_->data) {
        notes = prepared_->data->header.notes;
    }
    const auto& names = result_.zones.names;
    for (std::size_t z = 0; z < result_.zoneNotes.size() && z < names.size(); ++z) {
        if (!result_.zoneNotes[z].empty()) {
            // The command line's ASCII unit names, as the window writes them.
            std::string note = names[z] + ": " + result_.zoneNotes[z] + ".";
            for (std::size_t at = note.find("degC"); at != std::string::npos;
                 at = note.find("degC", at)) {
                note.replace(at, 4, "°C");
            }
            notes.push_back(std::move(note));
        }
    }
    if (!settings_.strategies.empty() &&
        settings_.comfort.model != climateanalysis::ComfortModel::None) {
        const comfort::StrategyParameters& p = settings_.strategyParameters;
        notes.push_back("The strategies extend their own still-air band, " +
                        Fixed(1, p.comfortLow - kZeroCelsius) + " to " +
                        Fixed(1, p.comfortHigh - kZeroCelsius) + " °C and " +
                        Fixed(1, p.minHumidityRatio * 1000) + " to " +
                        Fixed(1, p.maxHumidityRatio * 1000) +
                        " g/kg (Strategy band), not the comfort model's zone: an hour between "
                        "the two may be counted by neither.");
    }
    return notes;
}

chart::ChartRange ClimateModel::rangeHolding(const chart::ChartRange& range) const {
    chart::ChartRange fitted = range;
    if (!prepared_) {
        return fitted;
    }
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    double wettest = -low;
    for (const std::size_t i : selection_) {
        const climate::HourState& s = prepared_->states.hours[i];
        if (s.ok()) {
            low = std::min(low, s.dryBulb);
            high = std::max(high, s.dryBulb);
            wettest = std::max(wettest, s.humidityRatio);
        }
    }
    if (!(low <= high)) {
        return fitted;
    }
    // Whole 5 K steps of the Celsius scale and whole g/kg, so that the axes stay round.
    constexpr double kStep = 5;
    fitted.dryBulbMin =
        std::min(range.dryBulbMin, std::floor((low - kZeroCelsius) / kStep) * kStep + kZeroCelsius);
    fitted.dryBulbMax =
        std::max(range.dryBulbMax, std::ceil((high - kZeroCelsius) / kStep) * kStep + kZeroCelsius);
    fitted.humidityRatioMax = std::max(range.humidityRatioMax, std::ceil(wettest * 1000) / 1000);
    return fitted;
}

std::string ClimateModel::figuresCsv() const {
    // The envelopes' rows after the figures, as hygrovane-climate --envelope writes them.
    return prepared_ ? climateanalysis::ResultCsv(result_) +
                           climateanalysis::EnvelopesCsv(envelopeFigures_)
                     : std::string();
}

} // namespace hygrovane::models
