#pragma once

#include <optional>
#include <string>
#include <vector>

namespace hygrovane::chart {

// The standard altitude charts engineers keep: sea level, 750, 1500 and 2250 m, or sea level,
// 2500, 5000 and 7500 ft, each drawn at the standard atmosphere's pressure there.
struct AltitudeChart {
    double altitude = 0; // m
    // Pa, the core's standard atmosphere at the altitude; none where the core refuses the
    // altitude (then no pressure is this chart's).
    std::optional<double> pressure;
    std::string name; // "Sea level", "1500 m", "5000 ft"
};

// The four charts in metres or in feet.
std::vector<AltitudeChart> AltitudeCharts(bool feet);

// The standard chart a pressure (Pa) is drawn for, in metres or feet (both are tried, the
// preferred first); none when the pressure is none of theirs. Within 1 Pa: an altitude typed
// in the main window gives the chart's pressure to the last of its 32 bits, a pressure typed to
// three decimals of a kPa comes within 0.5 Pa.
std::optional<AltitudeChart> AltitudeChartAt(double pressure, bool feet);

} // namespace hygrovane::chart
