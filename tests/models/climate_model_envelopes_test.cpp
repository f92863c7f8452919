// The Climate window's envelopes: drawn as outlines with their share, counted over the filtered
// hours in the figures and the CSV, and the user's typed ones read or refused by line.

#include "envelopes/catalogue.h"
#include "models/climate_envelopes.h"
#include "models/climate_model.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace hygrovane::models {
namespace {

const std::string kChicago = std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw";

ClimateModel Window() {
    static const LoadedClimate loaded = [] {
        auto read = LoadClimate(kChicago, {});
        EXPECT_TRUE(read.has_value());
        return read.value();
    }();
    ClimateModel window;
    window.accept(loaded);
    return window;
}

TEST(ClimateEnvelopes, ChosenOnesAreDrawnCountedAndExportedOverTheFilteredHours) {
    ClimateModel window = Window();
    const auto a1 = *envelopes::EnvelopeNamed("ashrae-tc99-2021-a1");
    const auto a1Old = *envelopes::EnvelopeNamed("ashrae-tc99-2011-a1");
    window.setEnvelopes({a1, a1Old, a1});
    ASSERT_EQ(window.envelopes().size(), 2u); // named twice, counted once
    const auto& figures = window.envelopeFigures();
    ASSERT_EQ(figures.size(), 2u);
    EXPECT_DOUBLE_EQ(figures[0].compliance.hours, 8760);

    const chart::Overlay overlay = window.overlay();
    const auto drawn = std::find_if(overlay.zones.begin(), overlay.zones.end(),
                                    [](const auto& z) { return z.name == "ashrae-tc99-2021-a1"; });
    ASSERT_NE(drawn, overlay.zones.end());
    EXPECT_EQ(drawn->share, text::FixedText(figures[0].compliance.PercentInside(), 1) + " %");
    EXPECT_GT(drawn->outline.size(), 100u);

    const auto rows = window.figures();
    const auto row = std::find_if(rows.begin(), rows.end(), [](const FigureRow& r) {
        return r.key == "ashrae-tc99-2011-a1";
    });
    ASSERT_NE(row, rows.end());
    EXPECT_DOUBLE_EQ(row->values[1], figures[1].compliance.hoursInside);
    EXPECT_NE(window.figuresCsv().find("envelopes,year,ashrae-tc99-2021-a1,gramHours,"),
              std::string::npos);

    // Summer only: the same envelopes over June to August's hours.
    climate::Filter summer;
    summer.firstMonth = 6;
    summer.lastMonth = 8;
    window.setFilter(summer);
    EXPECT_DOUBLE_EQ(window.envelopeFigures()[0].compliance.hours, (30 + 31 + 31) * 24);
    window.setEnvelopes({});
    EXPECT_TRUE(window.envelopeFigures().empty());
    EXPECT_EQ(window.overlay().zones.size(), Window().overlay().zones.size());
}

struct TypedRow {
    const char* text;
    std::size_t envelopes; // read; 0 with `error` for a refusal
    const char* error;
};

TEST(ClimateEnvelopes, TypedEnvelopesAreReadOrRefusedByLine) {
    const TypedRow rows[] = {
        {"Store: db 15..25; rh 30..60", 1, ""},
        {"Dry: dp ..10; db 10..\n\nWarm: h 40..60; w 5..9", 2, ""},
        {"db 15..25; rh 30..60", 0, "Envelope line 1"},
        {"Store: db 15..25", 0, "Envelope line 1"},
        {"A: db 15..25; rh 30..60\nB: xx 1..2; rh 30..60", 0, "Envelope line 2"},
        {"Same: db 15..25; db 18..20", 0, "same quantity"},
        {"Reversed: db 25..15; rh 30..60", 0, "Envelope line 1"},
        {"Open: db ..; rh 30..60", 0, "Envelope line 1"},
    };
    for (const TypedRow& row : rows) {
        const auto read = ParseUserEnvelopes(row.text);
        if (row.envelopes > 0) {
            ASSERT_TRUE(read.has_value()) << row.text << ": " << read.error();
            EXPECT_EQ(read->size(), row.envelopes) << row.text;
        } else {
            ASSERT_FALSE(read.has_value()) << row.text;
            EXPECT_NE(read.error().find(row.error), std::string::npos) << read.error();
        }
    }
    // The units as typed: 30 % is 0.3, 15 degC 288.15 K, 5 g/kg 0.005.
    const auto store = ParseUserEnvelopes("Store: db 15..25; w 5..");
    ASSERT_TRUE(store.has_value());
    const envelopes::Envelope& e = store->front();
    EXPECT_EQ(e.name, "Store");
    ASSERT_EQ(e.edges.size(), 3u);
    EXPECT_DOUBLE_EQ(e.edges[0].value, 288.15);
    EXPECT_DOUBLE_EQ(e.edges[2].value, 0.005);
}

} // namespace
} // namespace hygrovane::models
