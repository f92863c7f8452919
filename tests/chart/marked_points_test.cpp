// Marked points: names given and checked, commands that do all or nothing, the nearest point
// to a pixel, and the layer they are drawn as.
#include "chart/marked_points.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

namespace hygrovane::chart {
namespace {

const ChartPoint kAt{298.15, 0.010};

std::vector<std::string> Names(const MarkedPoints& marks) {
    std::vector<std::string> names;
    for (const MarkedPoint& p : marks.all()) {
        names.push_back(p.name);
    }
    return names;
}

TEST(MarkedPoints, AnEmptyNameGetsTheFirstFreeNumber) {
    MarkedPoints marks;
    ASSERT_TRUE(marks.add(kAt));
    ASSERT_TRUE(marks.add(kAt, "  "));
    ASSERT_TRUE(marks.add(kAt, "M4"));
    ASSERT_TRUE(marks.add(kAt));
    EXPECT_EQ(Names(marks), (std::vector<std::string>{"M1", "M2", "M4", "M3"}));
    ASSERT_TRUE(marks.remove(0));
    const auto again = marks.add(kAt);
    ASSERT_TRUE(again);
    EXPECT_EQ(*again, 3U) << "added last";
    EXPECT_EQ(marks.all().back().name, "M1") << "the removed point's name is free again";
}

TEST(MarkedPoints, NamesAndPointsAreCheckedAndARefusalChangesNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* name;
        ChartPoint at;
        std::string given;
        std::optional<MarkFailureKind> fault;
        std::string kept; // the name it is kept under
    } rows[] = {
        {"trimmed", kAt, "  Supply air ", std::nullopt, "Supply air"},
        {"UTF-8 counted in characters", kAt, std::string(40, 'x').replace(0, 2, "°"), std::nullopt,
         std::string(40, 'x').replace(0, 2, "°")},
        {"41 characters", kAt, std::string(41, 'x'), MarkFailureKind::LongName, ""},
        {"a line break", kAt, "Room\nair", MarkFailureKind::ControlInName, ""},
        {"a tab", kAt, "Room\tair", MarkFailureKind::ControlInName, ""},
        // As a process set's point names: what breaks the line, shows nothing or turns the
        // text around is refused, so that no name can pass for another.
        {"a line separator U+2028", kAt, "Room\u2028air", MarkFailureKind::ControlInName, ""},
        {"a next line U+0085", kAt, "Room\u0085air", MarkFailureKind::ControlInName, ""},
        {"a right-to-left override U+202E", kAt, "\u202EriA", MarkFailureKind::HiddenInName, ""},
        {"a zero-width space hiding a taken name", kAt, "Ro\u200Bom", MarkFailureKind::HiddenInName,
         ""},
        {"a zero-width joiner", kAt, "A\u200DB", MarkFailureKind::HiddenInName, ""},
        {"a byte-order mark", kAt, "\uFEFFP", MarkFailureKind::HiddenInName, ""},
        {"bytes that are not UTF-8", kAt, "Room\xFF", MarkFailureKind::NotText, ""},
        {"accents and symbols are names", kAt, "Zul\u00FCft 12 \u00B0C", std::nullopt,
         "Zul\u00FCft 12 \u00B0C"},
        {"taken", kAt, "Room", MarkFailureKind::NameTaken, ""},
        {"taken after trimming", kAt, " Room ", MarkFailureKind::NameTaken, ""},
        {"names differ by case", kAt, "room", std::nullopt, "room"},
        {"a NaN dry bulb", {nan, 0.01}, "P", MarkFailureKind::NotOnChart, ""},
        {"below the lowest dry bulb", {170, 0.01}, "P", MarkFailureKind::NotOnChart, ""},
        {"a negative humidity ratio", {298.15, -0.001}, "P", MarkFailureKind::NotOnChart, ""},
        {"above saturation is on the chart", {298.15, 0.4}, "P", std::nullopt, "P"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        MarkedPoints marks;
        ASSERT_TRUE(marks.add({290, 0.005}, "Room"));
        const MarkedPoints before = marks;
        const auto added = marks.add(row.at, row.given);
        if (row.fault) {
            ASSERT_FALSE(added);
            EXPECT_EQ(added.error().kind, *row.fault);
            EXPECT_EQ(marks, before);
            EXPECT_FALSE(Describe(MarkFailure{*row.fault}).empty());
        } else {
            ASSERT_TRUE(added);
            EXPECT_EQ(marks.all().back().name, row.kept);
        }
        // A rename of the first point checks the same way, and cannot take its own name as taken.
        MarkedPoints renamed = before;
        const auto result = renamed.rename(0, row.given);
        const bool nameFault = row.fault && *row.fault != MarkFailureKind::NotOnChart &&
                               *row.fault != MarkFailureKind::NameTaken;
        EXPECT_EQ(result.has_value(), !nameFault);
        if (!result) {
            EXPECT_EQ(renamed, before);
        }
    }
}

TEST(MarkedPoints, CommandsOnAPointThatIsGoneAndBeyondTheLimitChangeNothing) {
    MarkedPoints marks;
    for (std::size_t n = 0; n < MarkedPoints::kMostMarks; ++n) {
        ASSERT_TRUE(marks.add(kAt));
    }
    const MarkedPoints full = marks;
    const auto extra = marks.add(kAt, "one more");
    ASSERT_FALSE(extra);
    EXPECT_EQ(extra.error().kind, MarkFailureKind::TooMany);
    EXPECT_EQ(marks.rename(MarkedPoints::kMostMarks, "x").error().kind,
              MarkFailureKind::NoSuchPoint);
    EXPECT_EQ(marks.remove(MarkedPoints::kMostMarks).error().kind, MarkFailureKind::NoSuchPoint);
    EXPECT_EQ(marks, full);
    EXPECT_EQ(marks.all().back().name, "M100");
}

TEST(MarkedPoints, TheNearestPointWithinReachIsFound) {
    MarkedPoints marks;
    ASSERT_TRUE(marks.add({290, 0.010}, "A"));
    ASSERT_TRUE(marks.add({291, 0.010}, "B"));
    // One pixel per 0.1 K across, none upwards: A at x 0, B at x 10.
    const auto pixel = [](ChartPoint p) {
        struct {
            double x, y;
        } at{(p.dryBulb - 290) * 10, 0};
        return at;
    };
    const struct {
        double x;
        std::optional<std::size_t> found;
    } rows[] = {{0, 0U}, {4, 0U}, {6, 1U}, {18, 1U}, {18.5, std::nullopt}, {-9, std::nullopt}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.x);
        EXPECT_EQ(marks.near(row.x, 0, 8, pixel), row.found);
    }
}

TEST(MarkedPoints, TheLayerHasAMarkAndTheNameOfEachPoint) {
    MarkedPoints marks;
    ASSERT_TRUE(marks.add(kAt, "Outdoor"));
    ASSERT_TRUE(marks.add({280, 0.004}));
    const Overlay layer = marks.overlay();
    ASSERT_EQ(layer.points.size(), 2U);
    EXPECT_EQ(layer.points[0].at, kAt);
    EXPECT_EQ(layer.points[0].label, "Outdoor");
    EXPECT_EQ(layer.points[1].label, "M1");
    EXPECT_TRUE(layer.paths.empty());
}

} // namespace
} // namespace hygrovane::chart
