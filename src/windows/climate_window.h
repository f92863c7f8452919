#pragma once

#include "chart/overlay.h"
#include "climate/bins.h"
#include "climate/filters.h"
#include "climate/hourly_states.h"
#include "climate/quantity.h"
#include "climate/weather_data.h"
#include "hygrovane/expected.h"

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::forms {

// A weather file read and its hours computed, ready for the window to take at once.
struct LoadedClimate {
    std::string path;
    std::shared_ptr<const climate::WeatherData> data;
    climate::HourlyStates states;
};

// What a load on another thread reports and how it is stopped.
struct LoadControl {
    enum Phase { Reading, Computing, Done };
    std::atomic<int> phase{Reading};
    std::atomic<bool> cancelled{false};
};

// Reads the file and computes every hour's state; meant for a worker thread (it touches nothing
// shared). The message of a refused file names the line; a cancelled load says so.
Expected<LoadedClimate, std::string> LoadClimate(const std::string& path,
                                                 climate::HumiditySource humidity,
                                                 LoadControl* control = nullptr);

// How the hours are drawn.
struct ClimateDisplay {
    enum class Marks { Points, Bins };
    Marks marks = Marks::Bins;
    climate::BinAxis axis = climate::BinAxis::HumidityRatio;
    climate::BinUnits units = climate::BinUnits::SI;
    // Coloured by the number of hours (none) or by the mean of a quantity.
    std::optional<climate::Quantity> colourBy;
};

// A state the user may send on: a design condition or a bin's middle (K, kg/kg).
struct OutdoorPoint {
    std::string name;
    double dryBulb = 0;
    double humidityRatio = 0;
};

// The climate window's logic without widgets: one weather file, its filter, how its hours are
// drawn on the chart (an overlay), the readout of a bin under the mouse, and the states it can
// send to the main window or the processes window.
class ClimateWindow {
  public:
    // Hooks the view sets: the main window takes a state as a chart pick does; the processes
    // window adds a named point (false when it could not).
    std::function<void(double dryBulb, double humidityRatio)> toMainWindow;
    std::function<bool(const OutdoorPoint&)> toProcesses;

    bool loaded() const { return loaded_.has_value(); }
    const LoadedClimate& file() const { return *loaded_; }
    // Takes a loaded file whole, replacing the one shown.
    void accept(LoadedClimate loaded);
    // Recomputes every hour from the other humidity; false (nothing changed) without a file.
    bool chooseHumidity(climate::HumiditySource humidity);
    climate::HumiditySource humidity() const { return humidity_; }
    // "Humidity from the relative humidity (the file's dew points are not used)" and the like.
    std::string humidityNote() const;

    const climate::Filter& filter() const { return filter_; }
    void setFilter(climate::Filter filter);
    const ClimateDisplay& display() const { return display_; }
    void setDisplay(ClimateDisplay display);

    // The indices of the hours the filter keeps, and their bins.
    const std::vector<std::size_t>& selection() const { return selection_; }
    const climate::BinTable& bins() const { return bins_; }

    // The hours' marks, legend and zones as the chart draws them.
    chart::Overlay overlay() const;
    // "Bin 22–23 °C, 8–9 g/kg: 143 h, 5.4 % of 2610 h" for the bin at a chart point; empty
    // outside every bin or without bins.
    std::string binTextAt(chart::ChartPoint point) const;
    // The bin at a chart point as a state to send on (its middle).
    std::optional<OutdoorPoint> binPointAt(chart::ChartPoint point) const;
    // "Chicago Ohare Intl Ap, IL, USA · 8760 hours, 0 missing · 2610 chosen".
    std::string summary() const;

    void sendToMainWindow(const OutdoorPoint& point) const;
    bool sendToProcesses(const OutdoorPoint& point) const;

  private:
    void refresh();
    const climate::Bin* binAt(chart::ChartPoint point) const;

    std::optional<LoadedClimate> loaded_;
    climate::HumiditySource humidity_ = climate::HumiditySource::RelativeHumidity;
    climate::Filter filter_;
    ClimateDisplay display_;
    std::vector<std::size_t> selection_;
    climate::BinTable bins_;
};

// The name and unit of a quantity as a legend gives them, and a value of it in that unit.
std::string QuantityTitle(const climate::Quantity& quantity);
double QuantityShown(const climate::Quantity& quantity, double value);

} // namespace hygrovane::forms
