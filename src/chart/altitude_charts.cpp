#include "chart/altitude_charts.h"

#include "hygrovane/moist_air.h"

#include <cmath>

namespace hygrovane::chart {

namespace {

constexpr double kMetresPerFoot = 0.3048;

AltitudeChart ChartAt(double metres, std::string name) {
    Conditions c;
    c.pressureInput = PressureInput::Altitude;
    c.altitude = metres;
    const Result<Ambient> ambient = AmbientOf(c);
    return {metres, ambient ? std::optional(ambient->pressure) : std::nullopt, std::move(name)};
}

} // namespace

std::vector<AltitudeChart> AltitudeCharts(bool feet) {
    std::vector<AltitudeChart> charts{ChartAt(0, "Sea level")};
    for (const int step : {1, 2, 3}) {
        charts.push_back(
            feet ? ChartAt(2500 * step * kMetresPerFoot, std::to_string(2500 * step) + " ft")
                 : ChartAt(750 * step, std::to_string(750 * step) + " m"));
    }
    return charts;
}

std::optional<AltitudeChart> AltitudeChartAt(double pressure, bool feet) {
    constexpr double kWithin = 1; // Pa
    for (const bool inFeet : {feet, !feet}) {
        for (const AltitudeChart& chart : AltitudeCharts(inFeet)) {
            if (chart.pressure && std::abs(*chart.pressure - pressure) <= kWithin) {
                return chart;
            }
        }
    }
    return std::nullopt;
}

} // namespace hygrovane::chart
