#pragma once

#include "chart/chart_mapping.h"

#include <functional>
#include <string>
#include <vector>

namespace hygrovane::chart {

// Where the chart's texts go so that none stands on another: a label asks for a place beside
// what it names, may slide along its line, and when nothing near is free stands further off with
// a leader line back to it. Pixels only; text is measured by the caller's function, so that the
// window measures with its font and a test with a fixed width per character.

// A rectangle in pixels, its corners included in neither overlap nor containment tests.
struct LabelRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    PixelPoint centre() const { return {left + width / 2, top + height / 2}; }
    // Whether the two share more than an edge.
    bool overlaps(const LabelRect& o) const {
        return left < o.right() && o.left < right() && top < o.bottom() && o.top < bottom();
    }
    bool inside(const LabelRect& o) const {
        return left >= o.left && top >= o.top && right() <= o.right() && bottom() <= o.bottom();
    }
    LabelRect grown(double d) const { return {left - d, top - d, width + 2 * d, height + 2 * d}; }
};
LabelRect RectAround(PixelPoint centre, double width, double height);

struct TextSize {
    double width = 0;
    double height = 0;
};
using MeasureText = std::function<TextSize(const std::string&)>;

struct LabelRequest {
    std::string text;
    PixelPoint anchor;              // what it names: a leader line runs there
    PixelPoint at;                  // the centre of its box where it would like to stand
    std::vector<PixelPoint> others; // further centres, tried in order after at
    // A line (in pixels, from the end nearest the label) the label may slide along, its centre
    // keeping its offset from the line's first point; empty when it may not slide.
    std::vector<PixelPoint> line;
    bool leader = true; // may stand off with a leader line when nothing near is free
    // Where it may stand (any one of them); the frame when empty.
    std::vector<LabelRect> regions;
};

struct PlacedLabel {
    LabelRect box;
    bool leader = false; // stands off its anchor: draw a line from the box to it
    bool placed = false; // false: no free place; left where it asked to stand
};

struct LabelField {
    LabelRect frame;                  // the plot: no label leaves it (unless its regions say)
    std::vector<LabelRect> obstacles; // the legend, marked points, the protractor
    double padding = 0;               // around each text inside its box
    double gap = 0;                   // kept free between two boxes
};

// Every label in order, each where it is free of those before it and of the obstacles.
std::vector<PlacedLabel> PlaceLabels(const std::vector<LabelRequest>& requests,
                                     const LabelField& field, const MeasureText& measure);

// A text of n characters in a fixed-width font: width per character and height given.
MeasureText FixedWidthMeasure(double characterWidth, double height);

} // namespace hygrovane::chart
