// The colour scale of the weather marks: its ends, values beyond them, a scale without width, and
// an order that a grey print keeps.
#include "chart/overlay.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::chart {
namespace {

double Lightness(OverlayColour c) {
    // Rec. 709 luma: enough to order the stops as a grey print would.
    return 0.2126 * c.red + 0.7152 * c.green + 0.0722 * c.blue;
}

TEST(OverlayScale, EndsClampsAndWidthless) {
    const OverlayScale scale{"Hours", 10, 110, "10", "110", true};
    const OverlayColour first{255, 240, 160};
    const OverlayColour middle{40, 160, 140};
    const OverlayColour last{35, 35, 110};
    struct Row {
        const char* name;
        OverlayScale scale;
        double value;
        OverlayColour colour;
    };
    const Row rows[] = {
        {"the minimum takes the first colour", scale, 10, first},
        {"the maximum takes the last colour", scale, 110, last},
        {"the middle takes the middle stop", scale, 60, middle},
        {"below the minimum is clamped", scale, -1e9, first},
        {"above the maximum is clamped", scale, 1e9, last},
        {"a scale without width takes the top colour", {"", 5, 5, "", "", false}, 5, last},
        {"a scale running backwards takes the top colour", {"", 5, 1, "", "", false}, 3, last},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ColourOf(row.scale, row.value), row.colour) << row.name;
    }
}

TEST(OverlayScale, DarkerForMoreAllAlongTheScale) {
    const OverlayScale scale{"", 0, 1, "", "", false};
    double previous = Lightness(ColourOf(scale, 0));
    for (int i = 1; i <= 100; ++i) {
        const double now = Lightness(ColourOf(scale, i / 100.0));
        EXPECT_LE(now, previous + 1e-9) << i;
        previous = now;
    }
}

} // namespace
} // namespace hygrovane::chart
