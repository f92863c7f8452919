#pragma once

#include "chart/chart_geometry.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hygrovane::chart {

// Marks another window draws on the chart, in chart coordinates (dry bulb K, humidity ratio
// kg/kg), so that they follow the chart's units, ranges and zoom by themselves.
struct OverlayPoint {
    ChartPoint at;
    std::string label; // written beside the mark; may be empty
    // Written below the mark rather than above it, where a line leaves it up to the right.
    bool labelBelow = false;

    friend bool operator==(const OverlayPoint&, const OverlayPoint&) = default;
};

struct OverlayPath {
    Polyline points;
    std::string label;   // written at the middle of the path; may be empty
    bool arrow = false;  // an arrowhead at the last point, for a process's direction
    bool dashed = false; // a construction line rather than a path the air takes

    friend bool operator==(const OverlayPath&, const OverlayPath&) = default;
};

// Marks of a weather file's hours, drawn below every path and point. Each mark's colour comes
// from its value through the overlay's colour scale.
struct OverlayColour {
    std::uint8_t red = 0, green = 0, blue = 0;

    friend bool operator==(const OverlayColour&, const OverlayColour&) = default;
};

// A kind of mark a legend names with its colour at its first and its last mark (the same for
// marks not coloured by time).
struct OverlayKey {
    std::string name;
    OverlayColour first;
    OverlayColour last;

    friend bool operator==(const OverlayKey&, const OverlayKey&) = default;
};

// A value's colour on a sequential scale from pale yellow through green to dark blue (stops
// of our own choosing, ordered by lightness so that a grey print keeps the order); values
// outside minimum..maximum take the end colours, and a scale without width the top colour.
struct OverlayScale {
    std::string title;   // of the legend: "Hours", "Mean wind speed (m/s)"
    double minimum = 0;  // the value of the first colour
    double maximum = 1;  // of the last
    std::string lowText; // the legend's texts for the two ends, in the chart's units
    std::string highText;
    bool legend = false; // draw the legend
    // With keys the legend names them, each with its colours, instead of the scale's bar; the
    // two texts then stand under the keys' colours (the first and the last time).
    std::vector<OverlayKey> keys{};

    friend bool operator==(const OverlayScale&, const OverlayScale&) = default;
};
inline OverlayColour ColourOf(const OverlayScale& scale, double value) {
    static constexpr std::array<OverlayColour, 5> kStops{
        {{255, 240, 160}, {140, 210, 120}, {40, 160, 140}, {30, 100, 170}, {35, 35, 110}}};
    const double span = scale.maximum - scale.minimum;
    const double f = span > 0 ? std::clamp((value - scale.minimum) / span, 0.0, 1.0) : 1.0;
    const double x = f * static_cast<double>(kStops.size() - 1);
    const std::size_t i = std::min(static_cast<std::size_t>(x), kStops.size() - 2);
    const double t = x - static_cast<double>(i);
    const auto mix = [t](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(a + t * (b - a) + 0.5);
    };
    return {mix(kStops[i].red, kStops[i + 1].red), mix(kStops[i].green, kStops[i + 1].green),
            mix(kStops[i].blue, kStops[i + 1].blue)};
}

// One hour as a small square mark.
struct OverlayDot {
    ChartPoint at;
    double value = 0; // through the scale
    // A colour of its own instead of the scale's, for marks told apart by kind (a unit's nodes,
    // logged streams) rather than by a value.
    std::optional<OverlayColour> colour{};

    friend bool operator==(const OverlayDot&, const OverlayDot&) = default;
};

// A frequency bin: a quadrilateral of chart coordinates (corners in order), filled.
struct OverlayCell {
    std::array<ChartPoint, 4> corners;
    double value = 0; // through the scale

    friend bool operator==(const OverlayCell&, const OverlayCell&) = default;
};

// A zone: its outline, lightly filled, with its name and share written inside.
struct OverlayZone {
    Polyline outline;
    std::string name;
    std::string share; // "23.4 %"; may be empty
    OverlayColour colour;

    friend bool operator==(const OverlayZone&, const OverlayZone&) = default;
};

// One line of a key to marks told apart by their own colours: the colour and what it stands for.
struct OverlayKeyEntry {
    std::string name;
    OverlayColour colour;

    friend bool operator==(const OverlayKeyEntry&, const OverlayKeyEntry&) = default;
};

// A table another window's figures give; exports on paper append it after the chart.
struct OverlayTable {
    std::string title;
    std::vector<std::vector<std::string>> rows; // the first is the heading
    std::vector<std::size_t> headings{};        // other rows that head a section, written bold

    friend bool operator==(const OverlayTable&, const OverlayTable&) = default;
};

struct Overlay {
    std::uint8_t red = 0, green = 0, blue = 0; // of its marks, lines and labels
    std::vector<OverlayPath> paths;            // drawn first
    std::vector<OverlayPoint> points;
    // Weather hours, drawn before the paths: cells, then dots, then zones, then the legend.
    // (Each with an initializer, so that the windows that give only the fields above still
    // initialize every member.)
    OverlayScale scale{};
    std::vector<OverlayCell> cells{};
    std::vector<OverlayDot> dots{};
    std::vector<OverlayZone> zones{};
    std::optional<OverlayTable> table{};
    // Drawn on the plot below the legend's place, under its title; none when empty.
    std::string keyTitle{};
    std::vector<OverlayKeyEntry> key{};

    friend bool operator==(const Overlay&, const Overlay&) = default;
};

} // namespace hygrovane::chart
