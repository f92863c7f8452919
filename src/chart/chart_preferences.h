#pragma once

#include "chart/chart_range.h"
#include "chart/families.h"
#include "chart/marked_points.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace hygrovane::chart {

// The line density and the projection a chart may be drawn in, by the names they are
// remembered by; the first of each is the default.
inline constexpr std::array<std::string_view, 1> kDensities{"auto"};
inline constexpr std::array<std::string_view, 2> kProjections{"psychrometric", "mollier"};
// Whether the percentage-saturation lines are drawn; kept only when they are, so that a chart
// that never showed them keeps the settings it always had.
inline constexpr std::array<std::string_view, 2> kPercentageSaturation{"hidden", "shown"};
// Whether the h–x diagram draws its isotherms on through the fog region below the saturation
// curve or leaves that region blank; kept only when cropped, for the same reason.
inline constexpr std::array<std::string_view, 2> kFogRegion{"drawn", "cropped"};

// What the chart window remembers between runs.
struct ChartPreferences {
    std::optional<ChartRange> range; // none: the default range of the units
    FamilySet families;
    std::string density{kDensities.front()};
    std::string projection{kProjections.front()};
    std::string percentageSaturation{kPercentageSaturation.front()};
    std::string fogRegion{kFogRegion.front()};
    MarkedPoints marks;

    friend bool operator==(const ChartPreferences&, const ChartPreferences&) = default;
};

// The preferences as keys and texts, as a settings file keeps them. Numbers are written with
// every digit a double needs to read back the same.
std::map<std::string, std::string> PreferenceEntries(const ChartPreferences& preferences);

// The sections a stored set of preferences has, each read back whole or not at all.
enum class PreferenceSection {
    Version,
    Range,
    Families,
    Density,
    Projection,
    Marks,
    PercentageSaturation,
    FogRegion
};

struct PreferencesRead {
    ChartPreferences preferences;
    // The sections that were stored but could not be read back (a wrong text, a number out of
    // range, a marked point the chart cannot keep); each has its default instead.
    std::vector<PreferenceSection> refused;
};

// The preferences read back through lookup (none for a key not stored). A section missing
// altogether has its default quietly; a section stored with any value that cannot be read back
// has its default as a whole and is reported, so that nothing is applied half. An unknown
// version gives every default.
PreferencesRead
ReadPreferences(const std::function<std::optional<std::string>(const std::string& key)>& lookup);

} // namespace hygrovane::chart
