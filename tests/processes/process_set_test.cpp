#include "process_support.h"

#include <limits>

namespace hygrovane::processes {
namespace {

using namespace testing;
using K = ProcessKind;

const AirFlow kUpstream{FlowUnit::Upstream, 0};

// An adding command's answer as the others give it: done, or why nothing changed.
template <typename T> Outcome<Done> DoneOf(const Outcome<T>& outcome) {
    if (!outcome) {
        return Fail(outcome.error());
    }
    return Done{};
}

ProcessDefinition Mixing(PointId a, PointId b) {
    return {K::Mixing, {a, b}, {M3s(1), M3s(3)}, {}};
}
ProcessDefinition Coil(PointId in, AirFlow flow = kUpstream) {
    return {
        K::CoilApparatusDewPoint, {in}, {flow}, {.apparatusDewPoint = C(10), .bypassFactor = 0.1}};
}

// Outdoor air A and room air B mixed into C, cooled by a coil into D.
class ProcessSetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        set.setAmbient(SeaLevel());
        a = *set.addPoint(RH(C(35), 0.4));
        b = *set.addPoint(RH(C(24), 0.5));
        ASSERT_EQ(*set.addProcess(Mixing(a, b)), 0U);
        c = set.processes()[0].outlets[0];
        ASSERT_EQ(*set.addProcess(Coil(c)), 1U);
        d = set.processes()[1].outlets[0];
    }
    std::string names() const {
        std::string all;
        for (const Point& p : set.points()) {
            all += p.name + (p.given ? "" : "*") + " ";
        }
        return all;
    }

    ProcessSet set;
    PointId a = 0, b = 0, c = 0, d = 0;
};

TEST_F(ProcessSetTest, OutletsAreNamedPointsAndUpstreamFlowsFollowTheMixture) {
    EXPECT_EQ(names(), "A B C* D* ");
    const Loads& mixed = set.processes()[0].result->loads;
    const Loads& coil = set.processes()[1].result->loads;
    EXPECT_EQ(coil.dryAirFlow, mixed.dryAirFlow);
    EXPECT_EQ(set.point(d)->state->dryBulb, set.processes()[1].result->outlets[0].dryBulb);
    // A given point has no upstream flow to follow.
    const auto refused = set.addProcess(Coil(a));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().kind, FailureKind::NoInput);
}

TEST_F(ProcessSetTest, AnotherPressureOrFormulationRecomputesEveryPointAndProcess) {
    const double W = set.point(a)->state->humidityRatio;
    const double coilLoad = set.processes()[1].result->loads.total;
    ProcessAmbient denver{PressureInput::Altitude, 0, 1600, SatFormulation::IAPWS};
    set.setAmbient(denver);
    EXPECT_GT(set.point(a)->state->humidityRatio, W * 1.1); // same RH, lower pressure
    EXPECT_NE(set.processes()[1].result->loads.total, coilLoad);
    EXPECT_EQ(set.point(d)->state->humidityRatio,
              set.processes()[1].result->outlets[0].humidityRatio);

    // A pressure the core refuses fails every point and process with its reason; a good one
    // brings them back.
    set.setAmbient({PressureInput::Barometric, 1000, 0, SatFormulation::IAPWS});
    for (const Point& p : set.points()) {
        ASSERT_FALSE(p.state) << p.name;
        EXPECT_EQ(p.state.error().kind, FailureKind::OutOfRange);
        EXPECT_EQ(p.state.error().core->field, InputField::Pressure);
    }
    EXPECT_FALSE(set.processes()[1].result);
    set.setAmbient(SeaLevel());
    EXPECT_EQ(set.point(a)->state->humidityRatio, W);
    EXPECT_EQ(set.processes()[1].result->loads.total, coilLoad);
}

TEST_F(ProcessSetTest, RefusedCommandsChangeNothing) {
    const SetRecords before = set.Records();
    struct Row {
        const char* name;
        std::function<Outcome<Done>(ProcessSet&)> command;
    };
    const std::vector<Row> rows{
        {"point the core refuses",
         [](ProcessSet& s) { return DoneOf(s.addPoint(RH(C(400), 0.5))); }},
        {"supersaturated conditions",
         [&](ProcessSet& s) { return s.setConditions(a, WR(C(20), 0.05)); }},
        {"conditions of an outlet",
         [&](ProcessSet& s) { return s.setConditions(c, RH(C(20), 0.5)); }},
        {"empty name", [&](ProcessSet& s) { return s.rename(a, "  "); }},
        {"taken name", [&](ProcessSet& s) { return s.rename(a, " B "); }},
        {"long name", [&](ProcessSet& s) { return s.rename(a, std::string(25, 'x')); }},
        {"control character", [&](ProcessSet& s) { return s.rename(a, "A\nB"); }},
        {"delete a used point", [&](ProcessSet& s) { return s.deletePoint(a); }},
        {"delete an outlet", [&](ProcessSet& s) { return s.deletePoint(d); }},
        {"delete a process whose outlet is used", [](ProcessSet& s) { return s.deleteProcess(0); }},
        {"process that fails",
         [&](ProcessSet& s) {
             return DoneOf(
                 s.addProcess({K::SensibleToDryBulb, {d}, {kUpstream}, {.leavingDryBulb = C(2)}}));
         }},
        {"a flow whose dry air overflows",
         [&](ProcessSet& s) {
             return DoneOf(s.addProcess({K::SensibleToDryBulb,
                                         {a},
                                         {M3s(std::numeric_limits<double>::max())},
                                         {.leavingDryBulb = C(40)}}));
         }},
        {"mixed flows that overflow together",
         [&](ProcessSet& s) {
             return DoneOf(s.addProcess(
                 {K::Mixing,
                  {a, b},
                  {{FlowUnit::KilogramsPerSecond, 1e308}, {FlowUnit::KilogramsPerSecond, 1e308}},
                  {}}));
         }},
        {"mixing with one point",
         [&](ProcessSet& s) {
             return DoneOf(s.addProcess({K::Mixing, {a}, {M3s(1)}, {}}));
         }},
        {"change into a chain",
         [&](ProcessSet& s) {
             return s.changeProcess(1, {K::CoolingThenReheat,
                                        {c},
                                        {kUpstream},
                                        {.bypassFactor = 0.1, .target = WR(C(22), 0.008)}});
         }},
        {"change that fails",
         [&](ProcessSet& s) {
             return s.changeProcess(1, {K::CoilApparatusDewPoint,
                                        {c},
                                        {kUpstream},
                                        {.apparatusDewPoint = C(10), .bypassFactor = 1}});
         }},
        {"process using a later outlet",
         [&](ProcessSet& s) {
             return s.changeProcess(0, {K::Mixing, {a, d}, {M3s(1), M3s(1)}, {}});
         }},
    };
    for (const Row& row : rows) {
        const Outcome<Done> done = row.command(set);
        ASSERT_FALSE(done) << row.name;
        EXPECT_FALSE(done.error().message.empty()) << row.name;
        EXPECT_EQ(set.Records(), before) << row.name;
    }
}

TEST_F(ProcessSetTest, RenameDeleteAndChangeKeepTheRestInPlace) {
    EXPECT_TRUE(set.rename(a, "  Outdoor air "));
    EXPECT_EQ(set.point(a)->name, "Outdoor air");
    EXPECT_EQ(set.nextPointName(), "A");
    EXPECT_TRUE(set.changeProcess(1, Coil(c, M3s(2))));
    EXPECT_NE(set.processes()[1].result->loads.dryAirFlow,
              set.processes()[0].result->loads.dryAirFlow);
    EXPECT_TRUE(set.deleteProcess(1));
    EXPECT_EQ(names(), "Outdoor air B C* ");
    const PointId e = *set.addPoint(RH(C(20), 0.5), "E");
    EXPECT_TRUE(set.deletePoint(e));
    EXPECT_EQ(set.point(e), nullptr);
    // A chain makes two points; past Z the names go on with two letters.
    for (int i = 0; i < 24; ++i) { // A and D to Z
        ASSERT_TRUE(set.addPoint(RH(C(20), 0.5)));
    }
    ASSERT_TRUE(set.addProcess({K::CoolingThenReheat,
                                {c},
                                {kUpstream},
                                {.bypassFactor = 0.1, .target = WR(C(22), 0.0085)}}));
    EXPECT_EQ(set.point(set.processes()[1].outlets[0])->name, "AA");
    EXPECT_EQ(set.point(set.processes()[1].outlets[1])->name, "AB");
}

// A name could otherwise look like another or turn the table's text around it: control and
// invisible characters, and those that change the direction of the text, are refused, typed or
// read from a file; every visible script is a name.
TEST_F(ProcessSetTest, NamesHoldOnlyVisibleCharacters) {
    const auto repeated = [](const std::string& text, int times) {
        std::string all;
        for (int i = 0; i < times; ++i) {
            all += text;
        }
        return all;
    };
    struct Row {
        const char* name;
        std::string text;
        const char* refusal; // a part of the message; empty: accepted
    };
    const std::vector<Row> rows{
        {"right-to-left override", "Supply\u202Eylppus", "turn the direction of the text (U+202E)"},
        {"left-to-right isolate", "\u2066Room", "(U+2066)"},
        {"right-to-left mark", "A\u200F", "(U+200F)"},
        {"zero-width space", "Out\u200Bdoor", "invisible characters"},
        {"zero-width joiner", "A\u200DB", "(U+200D)"},
        {"byte-order mark", "\uFEFFA", "(U+FEFF)"},
        {"soft hyphen", "Re\u00ADturn", "(U+00AD)"},
        {"tag character", "A\U000E0041", "(U+E0041)"},
        {"C1 control", "A\u0085B", "control characters"},
        {"line separator", "A\u2028B", "control characters"},
        {"DEL", "A\x7F", "control characters"},
        {"not UTF-8", "A\xC0\xAF", "UTF-8"},
        {"surrogate in UTF-8", "A\xED\xA0\x80", "UTF-8"},
        {"cut off in a character", "A\xE2\x82", "UTF-8"},
        {"24 letters of two bytes", repeated("\u00E9", 24), ""},
        {"25 letters of two bytes", repeated("\u00E9", 25), "at most 24 characters"},
        {"accents", "Zuluft \u00D8 na\u00EFve", ""},
        {"other scripts", "\u7A7A\u8C03 \u05D0\u05D5\u05D9\u05E8", ""},
        {"emoji", "Coil \U0001F9CA", ""},
    };
    for (const Row& row : rows) {
        ProcessSet trial = set;
        const Outcome<Done> renamed = trial.rename(a, row.text);
        SetRecords records = set.Records();
        records.points[0].name = row.text;
        records.processes[0].inlets[0] = row.text;
        const auto read = ProcessSet::FromRecords(records);
        if (row.refusal[0] == '\0') {
            EXPECT_TRUE(renamed) << row.name << ": " << renamed.error().message;
            EXPECT_TRUE(read) << row.name;
            continue;
        }
        ASSERT_FALSE(renamed) << row.name;
        EXPECT_NE(renamed.error().message.find(row.refusal), std::string::npos)
            << row.name << ": " << renamed.error().message;
        EXPECT_EQ(trial.Records(), set.Records()) << row.name;
        ASSERT_FALSE(read) << row.name;
        EXPECT_EQ(read.error().message, renamed.error().message) << row.name;
    }
}

TEST_F(ProcessSetTest, RecordsRebuildTheSetAndBadRecordsAreRefused) {
    const SetRecords records = set.Records();
    const auto rebuilt = ProcessSet::FromRecords(records);
    ASSERT_TRUE(rebuilt);
    EXPECT_EQ(rebuilt->Records(), records);
    EXPECT_EQ(rebuilt->processes()[1].result->loads.total, set.processes()[1].result->loads.total);

    struct Row {
        const char* name;
        std::function<void(SetRecords&)> damage;
    };
    const std::vector<Row> rows{
        {"unknown inlet", [](SetRecords& r) { r.processes[1].inlets = {"Q"}; }},
        {"inlet made later", [](SetRecords& r) { r.processes[0].inlets[1] = "D"; }},
        {"outlet given", [](SetRecords& r) { r.processes[1].outlets = {"A"}; }},
        {"outlet twice", [](SetRecords& r) { r.processes[1].outlets = {"C"}; }},
        {"outlet missing", [](SetRecords& r) { r.processes[1].outlets.clear(); }},
        {"point without a process", [](SetRecords& r) { r.processes.pop_back(); }},
        {"duplicate name", [](SetRecords& r) { r.points[1].name = "A"; }},
        {"blank around a name", [](SetRecords& r) { r.points[1].name = "B "; }},
        {"one flow for mixing", [](SetRecords& r) { r.processes[0].flows.pop_back(); }},
    };
    for (const Row& row : rows) {
        SetRecords damaged = records;
        row.damage(damaged);
        const auto refused = ProcessSet::FromRecords(damaged);
        ASSERT_FALSE(refused) << row.name;
        EXPECT_FALSE(refused.error().message.empty()) << row.name;
    }
}

} // namespace
} // namespace hygrovane::processes
