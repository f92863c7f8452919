// The chart's preferences as a settings file keeps them: everything written reads back the
// same, and a stored section that cannot be read back gives its defaults whole, never half.
#include "chart/chart_preferences.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace hygrovane::chart {
namespace {

using Entries = std::map<std::string, std::string>;

PreferencesRead Read(const Entries& entries) {
    return ReadPreferences([&](const std::string& key) -> std::optional<std::string> {
        const auto found = entries.find(key);
        return found == entries.end() ? std::nullopt : std::optional(found->second);
    });
}

ChartPreferences Chosen() {
    ChartPreferences p;
    // Values without a short decimal form, to show every digit comes back.
    p.range = ChartRange{273.15 + 1.0 / 3, 303.15, 0.1 / 7, 0.025};
    p.families.show(Family::WetBulb, false);
    p.families.show(Family::SpecificVolume, false);
    EXPECT_TRUE(p.marks.add({293.15 + 2.0 / 3, 0.008}, "Room, winter"));
    EXPECT_TRUE(p.marks.add({308.15, 0.018}, "Außenluft"));
    return p;
}

TEST(ChartPreferences, WhatIsWrittenReadsBackTheSame) {
    const ChartPreferences rows[] = {ChartPreferences{}, Chosen()};
    for (const ChartPreferences& p : rows) {
        const PreferencesRead read = Read(PreferenceEntries(p));
        EXPECT_TRUE(read.refused.empty());
        EXPECT_EQ(read.preferences, p);
    }
}

TEST(ChartPreferences, NothingStoredGivesTheDefaultsQuietly) {
    const PreferencesRead read = Read({});
    EXPECT_EQ(read.preferences, ChartPreferences{});
    EXPECT_TRUE(read.refused.empty());
}

// Each row spoils one entry of the chosen preferences: its section, and only it, falls back.
TEST(ChartPreferences, ASectionThatCannotBeReadBackFallsBackWhole) {
    using S = PreferenceSection;
    const struct {
        const char* name;
        const char* key;
        std::optional<std::string> value; // none: the key removed
        S section;
    } rows[] = {
        {"range kind unknown", "range/chosen", "wide", S::Range},
        {"range end not a number", "range/dryBulbMax", "hot", S::Range},
        {"range end with trailing text", "range/dryBulbMax", "303.15K", S::Range},
        {"range end empty", "range/humidityRatioMin", "", S::Range},
        {"range end missing", "range/humidityRatioMax", std::nullopt, S::Range},
        {"range end infinite", "range/dryBulbMax", "inf", S::Range},
        {"range end NaN", "range/dryBulbMax", "nan", S::Range},
        {"range ends reversed", "range/dryBulbMin", "400", S::Range},
        {"range narrower than 1 K", "range/dryBulbMax", "273.9", S::Range},
        // Pulled in, the range would be another one: refused rather than changed.
        {"range beyond the lowest dry bulb", "range/dryBulbMin", "100", S::Range},
        {"range beyond the highest humidity ratio", "range/humidityRatioMax", "0.6", S::Range},
        {"family unknown", "families/hidden", "wetBulb,dewPoint", S::Families},
        {"family list with an empty item", "families/hidden", "wetBulb,,enthalpy", S::Families},
        {"density unknown", "density", "sparse", S::Density},
        {"projection unknown", "projection", "mercator", S::Projection},
        {"mark count not a number", "marks/count", "two", S::Marks},
        {"mark count negative", "marks/count", "-1", S::Marks},
        {"mark count beyond the most kept", "marks/count", "101", S::Marks},
        {"mark count beyond the marks stored", "marks/count", "3", S::Marks},
        {"mark name missing", "marks/2/name", std::nullopt, S::Marks},
        {"mark name empty", "marks/2/name", "", S::Marks},
        {"mark name with spaces around", "marks/2/name", " Außenluft", S::Marks},
        {"mark names the same", "marks/2/name", "Room, winter", S::Marks},
        {"mark dry bulb not a number", "marks/1/dryBulb", "warm", S::Marks},
        {"mark humidity ratio off the chart", "marks/2/humidityRatio", "0.7", S::Marks},
    };
    const ChartPreferences chosen = Chosen();
    const ChartPreferences defaults;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Entries entries = PreferenceEntries(chosen);
        ASSERT_TRUE(entries.count(row.key) == 1 || row.section == S::Marks);
        if (row.value) {
            entries[row.key] = *row.value;
        } else {
            entries.erase(row.key);
        }
        const PreferencesRead read = Read(entries);
        EXPECT_EQ(read.refused, std::vector<S>{row.section});
        const ChartPreferences& p = read.preferences;
        EXPECT_EQ(p.range, row.section == S::Range ? defaults.range : chosen.range);
        EXPECT_EQ(p.families, row.section == S::Families ? defaults.families : chosen.families);
        EXPECT_EQ(p.density, defaults.density);
        EXPECT_EQ(p.projection, defaults.projection);
        EXPECT_EQ(p.marks, row.section == S::Marks ? defaults.marks : chosen.marks);
    }
}

// The Mollier projection, the percentage-saturation lines and the cropped fog region read back;
// the last two keys are written only away from their defaults, so a chart that never changed
// them keeps its old settings; a spoiled key falls back to its default alone.
TEST(ChartPreferences, ProjectionPercentageSaturationAndFogRegionReadBack) {
    ChartPreferences mollier = Chosen();
    mollier.projection = "mollier";
    mollier.percentageSaturation = "shown";
    mollier.fogRegion = "cropped";
    const Entries written = PreferenceEntries(mollier);
    EXPECT_EQ(written.at("projection"), "mollier");
    EXPECT_EQ(written.at("percentageSaturation"), "shown");
    EXPECT_EQ(written.at("fogRegion"), "cropped");
    const PreferencesRead read = Read(written);
    EXPECT_TRUE(read.refused.empty());
    EXPECT_EQ(read.preferences, mollier);

    struct Row {
        const char* key;
        PreferenceSection section;
        std::string ChartPreferences::*field;
        const char* fallback;
    };
    for (const Row& row :
         {Row{"percentageSaturation", PreferenceSection::PercentageSaturation,
              &ChartPreferences::percentageSaturation, "hidden"},
          Row{"fogRegion", PreferenceSection::FogRegion, &ChartPreferences::fogRegion, "drawn"}}) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(PreferenceEntries(Chosen()).count(row.key), 0U);
        Entries spoiled = written;
        spoiled[row.key] = "yes";
        const PreferencesRead refused = Read(spoiled);
        EXPECT_EQ(refused.refused, std::vector{row.section});
        EXPECT_EQ(refused.preferences.*row.field, row.fallback);
        EXPECT_EQ(refused.preferences.projection, "mollier") << "the other sections stay";
    }
}

TEST(ChartPreferences, AnotherVersionGivesEveryDefault) {
    for (const char* version : {"2", "", "1.0"}) {
        SCOPED_TRACE(version);
        Entries entries = PreferenceEntries(Chosen());
        entries["version"] = version;
        const PreferencesRead read = Read(entries);
        EXPECT_EQ(read.preferences, ChartPreferences{});
        EXPECT_EQ(read.refused, std::vector{PreferenceSection::Version});
    }
}

TEST(ChartPreferences, AnEmptyListOfHiddenFamiliesShowsThemAll) {
    Entries entries = PreferenceEntries(Chosen());
    entries["families/hidden"] = "";
    const PreferencesRead read = Read(entries);
    EXPECT_TRUE(read.refused.empty());
    EXPECT_TRUE(read.preferences.families.allShown());
}

} // namespace
} // namespace hygrovane::chart
