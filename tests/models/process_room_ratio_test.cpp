#include "models/ambient_model.h"
#include "models/fake_platform.h"
#include "models/processes_model.h"

#include <gtest/gtest.h>

#include <cmath>

namespace hygrovane::models {
namespace {

using namespace processes;

// The main window as it starts (25 C, 50 %, 101.325 kPa, metric), its state as point "A" (the
// room) of the processes window.
class RoomRatioWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        main.Form_Load();
        processes = std::make_unique<ProcessesModel>(platform, main.form());
        addCurrentState();
    }
    std::string lastMessage() const {
        return platform.messages.empty() ? "" : platform.messages.back().message;
    }
    // The window's own commands, checked by what they did (not by what they return).
    void addCurrentState() {
        const std::size_t before = processes->set().points().size();
        processes->AddCurrentState();
        ASSERT_EQ(processes->set().points().size(), before + 1) << lastMessage();
    }
    void addChartPoint(double T, double W) {
        const std::size_t before = processes->set().points().size();
        processes->AddChartPoint(T, W);
        ASSERT_EQ(processes->set().points().size(), before + 1) << lastMessage();
    }
    static RoomRatioForm lineOf(std::string room, std::string shr) {
        return {std::move(room), std::move(shr), SupplyBy::Difference, "", ""};
    }
    const AirState& stateOf(const std::string& name) const {
        return *processes->set().pointNamed(name)->state;
    }
    // The sensible heat ratio of the change from room to supply, by ASHRAE's convention,
    // [h(Ts, W0) - h(T0, W0)] / [h(Ts, Ws) - h(T0, W0)], with h(Ts, W0) from a point the window
    // adds at the supply's dry bulb and the room's humidity ratio.
    double ratioOf(const std::string& room, const std::string& supply) {
        const AirState r = stateOf(room);
        const AirState s = stateOf(supply);
        addChartPoint(s.dryBulb, r.humidityRatio);
        const AirState& sensible = *processes->set().points().back().state;
        return (sensible.enthalpy - r.enthalpy) / (s.enthalpy - r.enthalpy);
    }

    testing::FakePlatform platform;
    AmbientModel main{platform};
    std::unique_ptr<ProcessesModel> processes;
};

TEST_F(RoomRatioWindowTest, SupplyLiesOnTheLineOfItsRatio) {
    struct Row {
        const char* name;
        SupplyBy by;
        const char* shr;
        const char* supply;
        double dryBulb; // K
    };
    const Row rows[] = {
        {"ten kelvin below at 0.75", SupplyBy::Difference, "0.75", "10", 288.15},
        {"at 16 C at 0.6", SupplyBy::DryBulb, "0.6", "16", 289.15},
        {"all sensible at 1", SupplyBy::Difference, "1", "8", 290.15},
        {"a warm supply for heating at 0.9", SupplyBy::DryBulb, "0.9", "35", 308.15},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string shr = row.shr;
        const std::string name = std::string("S") + std::to_string(&row - rows);
        ASSERT_EQ(processes->AddSupplyOnLine({"A", shr, row.by, row.supply, name}),
                  CommandOutcome::Done)
            << lastMessage();
        const AirState s = stateOf(name); // a copy: ratioOf adds points to the set
        EXPECT_NEAR(s.dryBulb, row.dryBulb, 1e-4);
        EXPECT_NEAR(ratioOf("A", name), std::stod(shr), 1e-6);
        if (shr == "1") {
            EXPECT_NEAR(s.humidityRatio, stateOf("A").humidityRatio, 1e-12);
        }
    }
    // Each ratio drawn once, from the room.
    EXPECT_EQ(processes->roomRatioLines().size(), 4U);
    EXPECT_TRUE(processes->modified());
}

TEST_F(RoomRatioWindowTest, ADifferenceInFahrenheitIsInFahrenheitDegrees) {
    main.menu_british_Click();
    processes->MainWindowChanged();
    ASSERT_EQ(processes->AddSupplyOnLine({"A", "0.8", SupplyBy::Difference, "18", "F"}),
              CommandOutcome::Done)
        << lastMessage();
    EXPECT_NEAR(stateOf("F").dryBulb, stateOf("A").dryBulb - 10, 1e-4);
    ASSERT_EQ(processes->AddSupplyOnLine({"A", "0.8", SupplyBy::DryBulb, "59", "G"}),
              CommandOutcome::Done);
    EXPECT_NEAR(stateOf("G").dryBulb, 288.15, 1e-4);
    EXPECT_NEAR(stateOf("G").humidityRatio, stateOf("F").humidityRatio, 1e-9);
}

TEST_F(RoomRatioWindowTest, RefusalsShowWhyAndChangeNothing) {
    // A dry room, for a supply that would need less than no water.
    addChartPoint(298.15, 0.001); // B
    struct Row {
        const char* name;
        RoomRatioForm form;
        const char* message; // a part of it
    };
    const Row rows[] = {
        {"a ratio of 0", {"A", "0", SupplyBy::Difference, "10", "S"}, "above 0 and at most 1"},
        {"a ratio above 1", {"A", "1.01", SupplyBy::Difference, "10", "S"}, "at most 1"},
        {"a negative ratio", {"A", "-0.5", SupplyBy::Difference, "10", "S"}, "above 0"},
        {"a ratio whose inverse is no number",
         {"A", "5e-324", SupplyBy::Difference, "10", "S"},
         "The sensible heat ratio must be at least 0.001"},
        {"a tiny ratio, for a supply above the room",
         {"A", "1e-300", SupplyBy::DryBulb, "30", "S"},
         "The sensible heat ratio must be at least 0.001"},
        {"a ratio that is no number", {"A", "x", SupplyBy::Difference, "10", "S"}, "not a number"},
        {"an unknown room", {"Z", "0.75", SupplyBy::Difference, "10", "S"}, "no point \"Z\""},
        {"a supply that would be fog", {"A", "0.75", SupplyBy::DryBulb, "5", "S"}, "fog"},
        {"a difference that would be fog", {"A", "0.9", SupplyBy::Difference, "20", "S"}, "fog"},
        {"a supply below dry air", {"B", "0.2", SupplyBy::DryBulb, "20", "S"}, "negative"},
        {"a supply that is no number", {"A", "0.75", SupplyBy::DryBulb, "", "S"}, "not a number"},
        {"a supply where no moist air exists",
         {"A", "0.75", SupplyBy::DryBulb, "-300", "S"},
         "No moist air exists at a dry bulb of -300 C at this pressure."},
        {"a name the set has", {"A", "0.75", SupplyBy::Difference, "10", "B"}, "B"},
        {"a name too long", {"A", "0.75", SupplyBy::Difference, "10", std::string(30, 'n')}, ""},
    };
    const std::size_t points = processes->set().points().size();
    const bool modified = processes->modified();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::size_t shown = platform.messages.size();
        EXPECT_EQ(processes->AddSupplyOnLine(row.form), CommandOutcome::Refused);
        EXPECT_EQ(platform.messages.size(), shown + 1);
        EXPECT_NE(lastMessage().find(row.message), std::string::npos) << lastMessage();
        EXPECT_EQ(processes->set().points().size(), points);
        EXPECT_EQ(processes->modified(), modified);
        EXPECT_TRUE(processes->roomRatioLines().empty());
    }
    // Drawing the line refuses the ratio and the room alike, but needs no supply.
    for (const char* shr : {"0", "1.5", "nan", "", "5e-324"}) {
        SCOPED_TRACE(shr);
        EXPECT_EQ(processes->DrawRoomRatioLine(lineOf("A", shr)), CommandOutcome::Refused);
        EXPECT_TRUE(processes->roomRatioLines().empty());
    }
    EXPECT_EQ(processes->DrawRoomRatioLine({"A", "0.75", SupplyBy::DryBulb, "5", "S"}),
              CommandOutcome::Done);
}

TEST_F(RoomRatioWindowTest, TheLineIsDrawnWithTheSetAndGoesWithItsRoom) {
    const std::size_t before = processes->overlay().paths.size();
    const bool modified = processes->modified();
    ASSERT_EQ(processes->DrawRoomRatioLine(lineOf("A", "0.75")), CommandOutcome::Done);
    ASSERT_EQ(processes->DrawRoomRatioLine(lineOf("A", "0.75")),
              CommandOutcome::Done); // the same line once
    EXPECT_EQ(processes->roomRatioLines().size(), 1U);
    EXPECT_EQ(processes->modified(), modified); // the lines are not saved with the set
    chart::Overlay drawn = processes->overlay();
    ASSERT_EQ(drawn.paths.size(), before + 1);
    const chart::OverlayPath& line = drawn.paths.back();
    EXPECT_EQ(line.label, "SHR 0.75");
    EXPECT_TRUE(line.dashed);
    ASSERT_GE(line.points.size(), 2U);
    // From the room down towards the saturation curve, where it ends.
    const AirState& room = stateOf("A");
    EXPECT_NEAR(line.points.front().dryBulb, room.dryBulb, 1e-9);
    EXPECT_NEAR(line.points.front().humidityRatio, room.humidityRatio, 1e-9);
    EXPECT_LT(line.points.back().dryBulb, room.dryBulb - 10);
    EXPECT_LT(line.points.back().humidityRatio, room.humidityRatio);
    // It follows the room to another pressure.
    main.form().Text(2).text = "80";
    main.Text_Change(2);
    processes->MainWindowChanged();
    EXPECT_NE(processes->overlay().paths.back().points, line.points);

    // A deleted room takes its line off the chart; New removes the lines.
    processes->DeletePoint(0);
    ASSERT_EQ(processes->set().pointNamed("A"), nullptr);
    EXPECT_EQ(processes->overlay().paths.size(), before);
    addCurrentState();
    ASSERT_EQ(processes->DrawRoomRatioLine(lineOf(processes->set().points().back().name, "0.5")),
              CommandOutcome::Done);
    platform.answers.push_back(Platform::Answer::No);
    processes->New();
    EXPECT_TRUE(processes->roomRatioLines().empty());
}

} // namespace
} // namespace hygrovane::models
