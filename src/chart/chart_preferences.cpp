#include "chart/chart_preferences.h"

#include "text/number_parse.h"
#include "text/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace hygrovane::chart {

namespace {

constexpr std::string_view kVersion = "1";

// Every digit a double needs to read back the same (as the settings have always been written).
std::string Number(double x) {
    return text::GeneralText(x, 17);
}

std::optional<double> ParsedNumber(const std::string& text) {
    return text::ParseNumber(text);
}

std::optional<std::size_t> ParsedCount(const std::string& text, std::size_t most) {
    const auto n = text::ParseInteger<std::size_t>(text);
    if (!n || *n > most) {
        return std::nullopt;
    }
    return n;
}

std::string PointKey(std::size_t index, const char* field) {
    return "marks/" + std::to_string(index + 1) + "/" + field;
}

using Lookup = std::function<std::optional<std::string>(const std::string&)>;

// Each reader: none when the section is not stored, a value or a refusal when it is.
enum class Found { Absent, Read, Refused };

Found ReadRange(const Lookup& lookup, std::optional<ChartRange>& range) {
    const auto chosen = lookup("range/chosen");
    if (!chosen) {
        return Found::Absent;
    }
    if (*chosen == "default") {
        range.reset();
        return Found::Read;
    }
    if (*chosen != "custom") {
        return Found::Refused;
    }
    std::array<double, 4> ends{};
    const std::array<const char*, 4> keys{"range/dryBulbMin", "range/dryBulbMax",
                                          "range/humidityRatioMin", "range/humidityRatioMax"};
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const auto text = lookup(keys[i]);
        const auto value = text ? ParsedNumber(*text) : std::nullopt;
        if (!value) {
            return Found::Refused;
        }
        ends[i] = *value;
    }
    const ChartRange asked{ends[0], ends[1], ends[2], ends[3]};
    // A range the chart would pull in is not the one kept: it is refused, not changed.
    const auto checked = CheckedRange(asked);
    if (!checked || !(*checked == asked)) {
        return Found::Refused;
    }
    range = asked;
    return Found::Read;
}

Found ReadFamilies(const Lookup& lookup, FamilySet& families) {
    const auto hidden = lookup("families/hidden");
    if (!hidden) {
        return Found::Absent;
    }
    FamilySet read;
    std::size_t start = 0;
    while (start < hidden->size()) {
        const std::size_t comma = std::min(hidden->find(',', start), hidden->size());
        const auto family = FamilyOfKey(std::string_view(*hidden).substr(start, comma - start));
        if (!family) {
            return Found::Refused;
        }
        read.show(*family, false);
        start = comma + 1;
    }
    families = read;
    return Found::Read;
}

template <std::size_t N>
Found ReadName(const Lookup& lookup, const char* key, const std::array<std::string_view, N>& known,
               std::string& value) {
    const auto text = lookup(key);
    if (!text) {
        return Found::Absent;
    }
    if (std::find(known.begin(), known.end(), *text) == known.end()) {
        return Found::Refused;
    }
    value = *text;
    return Found::Read;
}

Found ReadMarks(const Lookup& lookup, MarkedPoints& marks) {
    const auto count = lookup("marks/count");
    if (!count) {
        return Found::Absent;
    }
    const auto n = ParsedCount(*count, MarkedPoints::kMostMarks);
    if (!n) {
        return Found::Refused;
    }
    MarkedPoints read;
    for (std::size_t i = 0; i < *n; ++i) {
        const auto name = lookup(PointKey(i, "name"));
        const auto dryBulb = lookup(PointKey(i, "dryBulb"));
        const auto humidityRatio = lookup(PointKey(i, "humidityRatio"));
        const auto t = dryBulb ? ParsedNumber(*dryBulb) : std::nullopt;
        const auto w = humidityRatio ? ParsedNumber(*humidityRatio) : std::nullopt;
        // An empty name would be given a new one: the point would come back renamed.
        if (!name || name->empty() || !t || !w || !read.add({*t, *w}, *name) ||
            read.all().back().name != *name) {
            return Found::Refused;
        }
    }
    marks = read;
    return Found::Read;
}

} // namespace

std::map<std::string, std::string> PreferenceEntries(const ChartPreferences& preferences) {
    std::map<std::string, std::string> entries;
    entries["version"] = kVersion;
    if (const auto& r = preferences.range) {
        entries["range/chosen"] = "custom";
        entries["range/dryBulbMin"] = Number(r->dryBulbMin);
        entries["range/dryBulbMax"] = Number(r->dryBulbMax);
        entries["range/humidityRatioMin"] = Number(r->humidityRatioMin);
        entries["range/humidityRatioMax"] = Number(r->humidityRatioMax);
    } else {
        entries["range/chosen"] = "default";
    }
    std::string hidden;
    for (const FamilyName& name : kFamilyNames) {
        if (preferences.families.hides(name.family)) {
            hidden += (hidden.empty() ? "" : ",") + std::string(name.key);
        }
    }
    entries["families/hidden"] = hidden;
    entries["density"] = preferences.density;
    entries["projection"] = preferences.projection;
    if (preferences.percentageSaturation != kPercentageSaturation.front()) {
        entries["percentageSaturation"] = preferences.percentageSaturation;
    }
    if (preferences.fogRegion != kFogRegion.front()) {
        entries["fogRegion"] = preferences.fogRegion;
    }
    const auto& marks = preferences.marks.all();
    entries["marks/count"] = std::to_string(marks.size());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        entries[PointKey(i, "name")] = marks[i].name;
        entries[PointKey(i, "dryBulb")] = Number(marks[i].at.dryBulb);
        entries[PointKey(i, "humidityRatio")] = Number(marks[i].at.humidityRatio);
    }
    return entries;
}

PreferencesRead ReadPreferences(const Lookup& lookup) {
    PreferencesRead read;
    const auto version = lookup("version");
    if (version && *version != kVersion) {
        read.refused.push_back(PreferenceSection::Version);
        return read;
    }
    ChartPreferences& p = read.preferences;
    const auto note = [&](Found found, PreferenceSection section) {
        if (found == Found::Refused) {
            read.refused.push_back(section);
        }
    };
    note(ReadRange(lookup, p.range), PreferenceSection::Range);
    note(ReadFamilies(lookup, p.families), PreferenceSection::Families);
    note(ReadName(lookup, "density", kDensities, p.density), PreferenceSection::Density);
    note(ReadName(lookup, "projection", kProjections, p.projection), PreferenceSection::Projection);
    note(ReadMarks(lookup, p.marks), PreferenceSection::Marks);
    note(ReadName(lookup, "percentageSaturation", kPercentageSaturation, p.percentageSaturation),
         PreferenceSection::PercentageSaturation);
    note(ReadName(lookup, "fogRegion", kFogRegion, p.fogRegion), PreferenceSection::FogRegion);
    return read;
}

} // namespace hygrovane::chart
