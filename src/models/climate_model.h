#pragma once

#include "chart/chart_range.h"
#include "chart/overlay.h"
#include "climate/bins.h"
#include "climate/filters.h"
#include "climate/quantity.h"
#include "climateanalysis/climate_result.h"
#include "climateanalysis/climate_settings.h"
#include "climateanalysis/envelope_figures.h"
#include "hygrovane/conditions.h"
#include "hygrovane/expected.h"
#include "models/command_outcome.h"
#include "processes/air_model.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::models {

// A weather file read and judged by the settings, ready for the window to take at once.
struct LoadedClimate {
    std::string path;
    climateanalysis::PreparedClimate prepared;
};

// What a load on another thread reports and how it is stopped.
struct LoadControl {
    enum Phase { Reading, Computing, Done };
    std::atomic<int> phase{Reading};
    std::atomic<bool> cancelled{false};
};

enum class ClimateLoadFailureKind {
    NotAFile,     // missing, a folder, a named pipe or a device: refused before a byte is read
    NotWeather,   // not a weather file this program reads, or damaged
    ZonesRefused, // read, but its zones could not be made with the settings
    Cancelled,    // the user stopped the load
};

// Why a load gave no file: the sentence the window shows.
struct ClimateLoadFailure {
    ClimateLoadFailureKind kind = ClimateLoadFailureKind::NotWeather;
    std::string message;
};

// Reads the file, computes every hour's state and its zones; meant for a worker thread (it
// touches nothing shared). A named pipe or a device is refused before a byte is read, as the
// batch window refuses them: a read that never ends could not be cancelled. The message of a
// refused file names the line; a cancelled load says so.
Expected<LoadedClimate, ClimateLoadFailure>
LoadClimate(const std::string& path, const climateanalysis::ClimateSettings& settings,
            LoadControl* control = nullptr);

// How the hours are drawn.
struct ClimateDisplay {
    enum class Marks { Points, Bins };
    Marks marks = Marks::Bins;
    climate::BinAxis axis = climate::BinAxis::HumidityRatio;
    climateanalysis::Units units = climateanalysis::Units::SI; // of the bins and the figures
    // Coloured by the number of hours (none) or by the mean of a quantity.
    std::optional<climate::Quantity> colourBy;
};

// A state the user may send on: a design condition or a bin's middle. The humidity goes on as
// the quantity the condition names (a wet bulb or a dew point, K; a relative humidity, a
// fraction; else the humidity ratio, kg/kg), so that the receiver computes the state at its own
// pressure; humidityRatio is the state at the station's pressure, where the hours are drawn.
struct OutdoorPoint {
    std::string name;
    double dryBulb = 0;       // K
    double humidityRatio = 0; // kg/kg, at the station's pressure
    HumidityInput humidity = HumidityInput::HumidityRatio;
    double humidityValue = 0; // of `humidity`, in the core's unit

    processes::PointConditions conditions() const { return {dryBulb, humidity, humidityValue}; }
};

// One row of the figures table; `point` where the row is a state that can be sent on. `key`
// names what the row is whatever its figures, so that a selection survives a new filter or
// new units.
struct FigureRow {
    std::vector<std::string> cells; // in report style
    bool heading = false;
    std::optional<OutdoorPoint> point;
    std::string key{};
    std::vector<double> values{};    // a number's unrounded value, for a tool tip; NaN for a text
    std::vector<bool> number{};      // which cells are numbers (right-aligned)
    std::vector<std::string> tips{}; // what a heading's cell stands for ("Z1": its zone)
};

// The climate window's logic without widgets: one weather file judged by the comfort settings,
// its filter, how its hours are drawn on the chart (an overlay), the figures table, the readout
// of a bin under the mouse, and the states it sends to the main window or the processes window.
// Every command either does all it says or changes nothing.
class ClimateModel {
  public:
    // Hooks the view sets: the main window takes a state as a chart pick does; the processes
    // window adds a named point, or says why it did not.
    std::function<void(const OutdoorPoint&)> toMainWindow;
    std::function<CommandOutcome(const OutdoorPoint&)> toProcesses;

    bool loaded() const { return prepared_.has_value(); }
    const std::string& path() const { return path_; }
    const climateanalysis::ClimateSettings& settings() const { return settings_; }
    const climateanalysis::PreparedClimate& prepared() const { return *prepared_; }
    const climateanalysis::ClimateResult& result() const { return result_; }
    // Takes a loaded file whole, replacing the one shown; its settings become the window's.
    void accept(LoadedClimate loaded);

    // The settings that change the hours' states or the zones (humidity source, comfort model
    // and parameters, strategies, user zones): the file is judged again. A refusal (a zone that
    // cannot be made) returns the reason (climateanalysis::Describe words it) and changes nothing.
    Expected<Done, climateanalysis::AnalysisFailure>
    changeSettings(const climateanalysis::ClimateSettings& settings);
    // "Humidity from the relative humidity (the file's dew points are not used)." and the like.
    std::string humidityNote() const;

    const climate::Filter& filter() const { return settings_.filter; }
    void setFilter(climate::Filter filter);
    const ClimateDisplay& display() const { return display_; }
    void setDisplay(ClimateDisplay display);

    // The envelopes drawn over the hours and counted (in the order given, each once by name),
    // with their figures over the hours the filter keeps; models/climate_envelopes.h offers them.
    const std::vector<envelopes::Envelope>& envelopes() const { return envelopes_; }
    void setEnvelopes(std::vector<envelopes::Envelope> chosen);
    const std::vector<climateanalysis::EnvelopeFigures>& envelopeFigures() const {
        return envelopeFigures_;
    }

    // The indices of the hours the filter keeps, and their bins (with the colour's means).
    const std::vector<std::size_t>& selection() const { return selection_; }
    const climate::BinTable& bins() const { return bins_; }

    // The hours' marks, legend, zones and figures table as the chart draws them.
    chart::Overlay overlay() const;
    // "Bin 22–23 °C, 8–9 g/kg: 143 h, 5.4 % of 2610 h" for the bin at a chart point; empty
    // outside every bin or without bins.
    std::string binTextAt(chart::ChartPoint point) const;
    // The bin at a chart point as a state to send on (its middle).
    std::optional<OutdoorPoint> binPointAt(chart::ChartPoint point) const;
    // "Chicago Ohare Intl Ap, IL, USA · 8760 hours, 0 missing · 2610 chosen by the filter".
    std::string summary() const;
    // The figures beside the chart: zones, by month, design conditions.
    std::vector<FigureRow> figures() const;
    // The figures as CSV (the writer hygrovane-climate uses).
    std::string figuresCsv() const;
    // What the command line's text says beside the figures: each zone's note ("Adaptive …:
    // 3984 records on days outside the model's range count outside") and, with strategies
    // ticked, that they extend their own still-air band rather than the comfort model's zone.
    std::vector<std::string> notes() const;
    // The range widened (never narrowed) to hold every hour the filter keeps, to whole 5 K and
    // 1 g/kg; the range itself without a file or a state.
    chart::ChartRange rangeHolding(const chart::ChartRange& range) const;

    void sendToMainWindow(const OutdoorPoint& point) const;
    // Refused, silently, when no processes window is hooked.
    CommandOutcome sendToProcesses(const OutdoorPoint& point) const;

  private:
    void summarise();
    const climate::Bin* binAt(chart::ChartPoint point) const;

    std::string path_;
    climateanalysis::ClimateSettings settings_;
    std::optional<climateanalysis::PreparedClimate> prepared_;
    climateanalysis::ClimateResult result_;
    ClimateDisplay display_;
    std::vector<std::size_t> selection_;
    climate::BinTable bins_;
    std::vector<envelopes::Envelope> envelopes_;
    std::vector<climateanalysis::EnvelopeFigures> envelopeFigures_;
};

// The name and unit of a quantity as a legend gives them, and a value of it in that unit.
std::string QuantityTitle(const climate::Quantity& quantity);
double QuantityShown(const climate::Quantity& quantity, double value);

// User zones typed one a line: "Name: t, W; t, W; t, W" with dry bulbs in degC (degF in IP)
// and humidity ratios in g/kg (gr/lb), or "Name: t, 40 %; ..." with relative humidities. Blank
// lines are skipped. A line that cannot be read is refused with its number.
enum class UserZoneFailureKind {
    NoName,        // no name and colon before the corners
    NotACorner,    // a corner that is not a dry bulb and a humidity
    MixedHumidity, // corners in % and corners without
    ZoneRefused,   // the corners make no zone (fewer than three, out of range)
};

struct UserZoneFailure {
    UserZoneFailureKind kind = UserZoneFailureKind::NoName;
    std::string message; // "Zone line 2: ..."
};

Expected<std::vector<comfort::UserZone>, UserZoneFailure>
ParseUserZones(const std::string& text, climateanalysis::Units units);

} // namespace hygrovane::models
