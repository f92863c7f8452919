#pragma once

#include "chart/chart_range.h"

#include <optional>
#include <string>
#include <string_view>

namespace hygrovane::chart {

// How a quantity is shown on the chart: shown = internal x factor + offset. Every unit of the
// chart is such a straight-line conversion, so a rectangle of shown values is one of internal
// values.
struct Scale {
    std::string symbol; // "°C", "g/kg", "kJ/kg"
    double factor = 1;
    double offset = 0;
    int decimals = 1; // of a readout

    double shown(double internal) const { return internal * factor + offset; }
    double internal(double shown) const { return (shown - offset) / factor; }

    friend bool operator==(const Scale&, const Scale&) = default;
};

// A family's spacing in shown units at the default range: a line every `line`, and every line
// that is a multiple of `label` drawn stronger and labelled.
struct LineSteps {
    double line = 1;
    double label = 5;

    friend bool operator==(const LineSteps&, const LineSteps&) = default;
};

// The units of one chart and the spacing of its families of lines (in shown units), those of a
// handbook chart: the dry-bulb grid every 1 °C (labels every 5) or 1 °F (every 10), humidity
// ratio every 0.5 g/kg (every 2) or 5 grains/lb (every 20), wet bulb every 1 °C (every 5) or °F
// (every 10),
// enthalpy every 2 kJ/kg (every 10) or 0.5 Btu/lb (every 5), specific volume every
// 0.01 m³/kg (every 0.05) or 0.5 ft³/lb (every one).
struct ChartUnits {
    Scale dryBulb; // also the wet bulb and the dew point
    Scale humidityRatio;
    Scale enthalpy; // on the chart's datum
    Scale specificVolume;
    LineSteps dryBulbSteps;
    LineSteps humidityRatioSteps;
    LineSteps wetBulbSteps;
    LineSteps enthalpySteps;
    LineSteps specificVolumeSteps;
    std::string datum; // "0 °C" or "0 °F": dry air and liquid water have no enthalpy there
    ChartRange defaultRange;

    friend bool operator==(const ChartUnits&, const ChartUnits&) = default;
};

// °C and g/kg, kJ/kg from 0 °C, m³/kg; -10 to 50 °C, 0 to 30 g/kg.
ChartUnits MetricUnits();
// °F and grains/lb, Btu/lb from 0 °F, ft³/lb; 20 to 120 °F, 0 to 200 grains/lb.
ChartUnits BritishUnits();
// The units named by the main window's lists (temperature, humidity ratio, specific volume,
// enthalpy); no units when a name is unknown. Enthalpy in btu/lb counts from 0 °F, in the other
// units from 0 °C; the ranges are the British ones for °F and R, the Metric ones otherwise.
std::optional<ChartUnits> CustomizedUnits(std::string_view temperature,
                                          std::string_view humidityRatio,
                                          std::string_view specificVolume,
                                          std::string_view enthalpy);

// A number as an axis or a label shows it: fixed decimals, a leading zero, no "-0".
std::string FixedText(double x, int decimals);

} // namespace hygrovane::chart
