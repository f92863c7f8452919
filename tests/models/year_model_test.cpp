// The year page's model on Chicago's year: the form in the main window's units, the run and its
// tables, options side by side, an hour sent to the processes window, UNIT.json and the CSV.
#include "airunit/unit_run.h"
#include "climate/weather_file.h"
#include "hygrovane/relations.h"
#include "models/ambient_model.h"
#include "models/fake_platform.h"
#include "models/processes_model.h"
#include "models/year_model.h"
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace hygrovane::models {
namespace {

namespace fs = std::filesystem;
using airunit::UnitHour;

const std::string kChicago = std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw";

YearWeather Chicago() {
    static const YearWeather weather = [] {
        auto read = climate::ReadWeatherFile(kChicago);
        EXPECT_TRUE(read.has_value());
        auto data = std::make_shared<const climate::WeatherData>(std::move(read.value()));
        auto states = std::make_shared<const climate::HourlyStates>(climate::ComputeStates(*data));
        return YearWeather{kChicago, data, states, {}};
    }();
    return weather;
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class YearModelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder);
        main.Form_Load();
        year = std::make_unique<YearModel>(platform, main.form());
        processes = std::make_unique<ProcessesModel>(platform, main.form());
        year->toProcesses = [this](const processes::SetRecords& r) {
            return processes->AddRecords(r);
        };
        year->setWeather(Chicago());
    }
    void TearDown() override { fs::remove_all(folder); }

    void run() {
        const auto job = year->makeJob();
        ASSERT_NE(job, nullptr);
        job->run(2);
        ASSERT_TRUE(year->accept(*job));
    }
    // A unit with every component: a wheel, a maximum and a minimum dew point.
    UnitForm wheel() const {
        UnitForm f = year->formOf(0);
        f.recovery = true;
        f.sensible = "0.75";
        f.latent = "0.6";
        f.economizer = airunit::EconomizerKind::DifferentialEnthalpy;
        return f;
    }
    std::string path(const char* name) const { return (folder / name).string(); }
    std::string lastMessage() const {
        return platform.messages.empty() ? "" : platform.messages.back().message;
    }

    fs::path folder = fs::temp_directory_path() /
                      ("hygrovane-year-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    testing::FakePlatform platform;
    AmbientModel main{platform};
    std::unique_ptr<YearModel> year;
    std::unique_ptr<ProcessesModel> processes;
};

TEST_F(YearModelTest, FormIsReadInTheMainWindowsUnitsAndRefusedByName) {
    // Typed in °C the settings are the digits typed; in °F the same unit reads back the same.
    UnitForm f = wheel();
    f.roomDryBulb = "23.5";
    ASSERT_EQ(year->setOption(0, f), CommandOutcome::Done);
    EXPECT_EQ(year->options()[0].roomDryBulb, 23.5);
    EXPECT_EQ(year->options()[0].recovery, (airunit::Recovery{0.75, 0.6}));
    const auto fahrenheit = ReadUnitForm(FormOfUnit(year->options()[0], "F", "btu/lb (dry air)"),
                                         "F", "btu/lb (dry air)");
    ASSERT_TRUE(fahrenheit.has_value()) << fahrenheit.error();
    EXPECT_NEAR(fahrenheit->roomDryBulb, 23.5, 1e-12);
    EXPECT_NEAR(*fahrenheit->maxDewPoint, 11, 1e-12);

    struct Row {
        const char* name;
        void (*change)(UnitForm&);
        const char* named; // in the refusal
    };
    const Row rows[] = {
        {"not a number", [](UnitForm& u) { u.flow = "ten"; }, "air flow"},
        {"supply above its range", [](UnitForm& u) { u.supplyDryBulb = "60"; }, "supply dry bulb"},
        {"fraction above 1", [](UnitForm& u) { u.minOutdoorFraction = "1.5"; }, "outdoor"},
        {"effectiveness above 1", [](UnitForm& u) { u.sensible = "1.2"; }, "sensible"},
        {"max dew point above the supply", [](UnitForm& u) { u.maxDewPoint = "14"; }, "dew point"},
    };
    for (const Row& row : rows) {
        const airunit::UnitSettings before = year->options()[0];
        UnitForm changed = wheel();
        row.change(changed);
        EXPECT_EQ(year->setOption(0, changed), CommandOutcome::Refused) << row.name;
        EXPECT_NE(lastMessage().find(row.named), std::string::npos) << row.name << lastMessage();
        EXPECT_EQ(year->options()[0], before) << row.name;
    }
}

TEST_F(YearModelTest, RunGivesTheEnginesFiguresAndAChangeMakesThemStale) {
    ASSERT_EQ(year->setOption(0, wheel()), CommandOutcome::Done);
    const auto stale = year->makeJob();
    run();
    ASSERT_TRUE(year->current());
    const auto direct = airunit::RunUnit(*Chicago().data, *Chicago().states, {}, year->options()[0],
                                         {1, false, {}});
    ASSERT_TRUE(direct.has_value());
    const YearTable annual = year->annualTable();
    ASSERT_EQ(annual.rows.size(), airunit::kTotalFields.size());
    EXPECT_EQ(annual.rows[11][1], text::FixedTextUnsignedZero(direct->year.coolingKWh, 0));
    EXPECT_EQ(annual.rows[0][1], "8760.0");
    const YearTable months = year->monthlyTable();
    ASSERT_EQ(months.rows.size(), 13U);
    EXPECT_EQ(months.rows[12][11], annual.rows[10][1]); // the Year row is the year's
    double sum = 0;
    for (double v : year->monthly(MonthlyBar::Heating, 0)) {
        sum += v;
    }
    EXPECT_NEAR(sum, direct->year.heatingKWh, 1e-9 * direct->year.heatingKWh);
    const YearTable peaks = year->peaksTable();
    EXPECT_EQ(peaks.rows[1][3], std::to_string(direct->peaks.coolingKW.hour));

    // A job started before the change is dropped; the results are stale until the next run.
    ASSERT_EQ(year->addOption(), CommandOutcome::Done);
    stale->run(1);
    EXPECT_FALSE(year->accept(*stale));
    EXPECT_FALSE(year->current());
    EXPECT_TRUE(year->annualTable().rows.empty());
}

TEST_F(YearModelTest, OptionsSideBySideWithTheirDifferences) {
    run();
    for (std::size_t n = 2; n <= kMostUnitOptions; ++n) {
        ASSERT_EQ(year->addOption(), CommandOutcome::Done);
        EXPECT_EQ(year->selected(), n - 1);
    }
    EXPECT_EQ(year->addOption(), CommandOutcome::Refused);
    EXPECT_EQ(year->options().size(), kMostUnitOptions);
    // A 100 % outdoor-air unit without recovery, and the same with the wheel.
    UnitForm outdoor = wheel();
    outdoor.minOutdoorFraction = "1";
    outdoor.economizer = airunit::EconomizerKind::None;
    outdoor.recovery = false;
    ASSERT_EQ(year->setOption(0, outdoor), CommandOutcome::Done);
    ASSERT_EQ(year->setOption(2, outdoor), CommandOutcome::Done);
    outdoor.recovery = true;
    ASSERT_EQ(year->setOption(1, outdoor), CommandOutcome::Done);
    run();
    const YearTable annual = year->annualTable();
    ASSERT_EQ(annual.header.size(), 1 + 6 + 5U);
    const auto& a = *year->runs()[0];
    const auto& b = *year->runs()[1];
    EXPECT_EQ(annual.rows[10][7],
              text::FixedTextUnsignedZero(b.year.heatingKWh - a.year.heatingKWh, 0));
    EXPECT_LT(b.year.heatingKWh, a.year.heatingKWh); // the wheel saves heating in Chicago
    EXPECT_EQ(annual.rows[10][8], "0");              // option 3 is option 1
    year->select(1);
    EXPECT_EQ(year->monthlyTable().rows[12][11], annual.rows[10][2]);

    while (year->options().size() > 1) {
        ASSERT_EQ(year->removeOption(0), CommandOutcome::Done);
    }
    EXPECT_EQ(year->removeOption(0), CommandOutcome::Refused);
    EXPECT_EQ(year->options()[0], year->options().back());
}

TEST_F(YearModelTest, AnOpenedHourIsTheRunsHourAndItsChainInTheProcessesWindow) {
    // A wheel at 60 % outdoor air into a dry room, humidified to a 6 °C dew point: winter
    // needs steam.
    UnitForm plate = wheel();
    plate.roomHumidity = "30";
    plate.minOutdoorFraction = "0.6";
    plate.minDewPoint = "6";
    plate.economizer = airunit::EconomizerKind::None;
    ASSERT_EQ(year->setOption(0, plate), CommandOutcome::Done);
    const auto kept =
        airunit::RunUnit(*Chicago().data, *Chicago().states, {}, year->options()[0], {1, true, {}});
    ASSERT_TRUE(kept.has_value());
    struct Row {
        const char* name;
        int month, day, hour;
    };
    // A January night (heating, wheel, humidifier) and the summer's cooling peak (wheel or
    // not, coil dehumidifying, reheat).
    const int peakMonth = kept->peaks.coolingKW.month, peakDay = kept->peaks.coolingKW.day,
              peakHour = kept->peaks.coolingKW.hour;
    const Row rows[] = {{"cooling peak", peakMonth, peakDay, peakHour}, {"winter night", 1, 15, 3}};
    for (const Row& row : rows) {
        const auto record = year->recordAt(row.month, row.day, row.hour);
        ASSERT_TRUE(record.has_value()) << row.name;
        const auto hour = year->hourAt(*record);
        ASSERT_TRUE(hour.has_value()) << row.name;
        const UnitHour& run = kept->hours[*record];
        // The same hour as the run's, to the last bit.
        for (auto load : {&UnitHour::heatingKW, &UnitHour::coolingKW, &UnitHour::reheatKW,
                          &UnitHour::humidifierKW, &UnitHour::condensateKgS, &UnitHour::massFlow}) {
            EXPECT_EQ(hour.value().*load, run.*load) << row.name;
        }
        EXPECT_EQ(hour->supply.enthalpy, run.supply.enthalpy) << row.name;

        // At the main window's standard pressure the peak's humid air is beyond saturation:
        // refused with the pressure named, nothing added. At the hour's own pressure it opens.
        const std::size_t before = processes->set().processes().size();
        if (before == 0) {
            EXPECT_EQ(year->openInProcesses(row.month, row.day, row.hour), CommandOutcome::Refused);
            EXPECT_NE(lastMessage().find("pressure"), std::string::npos) << lastMessage();
            EXPECT_EQ(processes->set().points().size(), 0U);
        }
        main.form().Text(2).text = text::ShortestText(run.pressure / 1000);
        main.Text_Change(2);
        processes->MainWindowChanged();
        ASSERT_EQ(year->openInProcesses(row.month, row.day, row.hour), CommandOutcome::Done)
            << row.name << lastMessage();
        const auto& set = processes->set();
        ASSERT_GT(set.processes().size(), before) << row.name;
        // The processes window's chain through the same nodes: its given points hold their dry
        // bulbs in 32 bits, so the nodes agree to that and the loads to its share of them.
        const auto* supply = set.points().back().state ? &*set.points().back().state : nullptr;
        ASSERT_NE(supply, nullptr) << row.name;
        EXPECT_NEAR(supply->dryBulb - kCelsiusOffset, run.supply.dryBulb, 2e-5) << row.name;
        EXPECT_NEAR(supply->humidityRatio, run.supply.humidityRatio, 1e-9) << row.name;
        double heating = 0, reheat = 0, humidifier = 0, condensate = 0;
        for (std::size_t p = before; p < set.processes().size(); ++p) {
            const auto& process = set.processes()[p];
            const auto& loads = process.result->loads;
            const std::string outlet = set.point(process.outlets[0])->name;
            if (outlet.ends_with("heated") && !outlet.ends_with("reheated")) {
                heating = loads.total;
            } else if (outlet.ends_with("reheated")) {
                reheat = loads.total;
            } else if (outlet.ends_with("supply")) {
                humidifier = loads.total;
            } else if (outlet.ends_with("off-coil")) {
                condensate = -loads.water;
            }
        }
        // A given dry bulb in 32 bits is within 1.5e-5 K at 300 K: at 3.3 kg/s that is 5e-5 kW.
        EXPECT_NEAR(heating, run.heatingKW, 1e-4) << row.name;
        EXPECT_NEAR(reheat, run.reheatKW, 1e-4) << row.name;
        EXPECT_NEAR(humidifier, run.humidifierKW, 1e-4) << row.name;
        // The humidity ratios are given exactly: only the flow's rounding in the mixing remains.
        EXPECT_NEAR(condensate, run.condensateKgS, 1e-12) << row.name;
        EXPECT_GT(heating + reheat + humidifier + condensate, 0) << row.name;
    }
    // Opening an hour again would name its points twice: refused, the set unchanged.
    const std::size_t points = processes->set().points().size();
    EXPECT_EQ(year->openInProcesses(1, 15, 3), CommandOutcome::Refused);
    EXPECT_EQ(processes->set().points().size(), points);
    // A date the file lacks, and an hour the filter leaves out.
    EXPECT_EQ(year->openInProcesses(2, 30, 1), CommandOutcome::Refused);
    YearWeather summer = Chicago();
    summer.filter.firstMonth = 6;
    summer.filter.lastMonth = 8;
    year->setWeather(summer);
    EXPECT_EQ(year->openInProcesses(1, 16, 3), CommandOutcome::Refused);
    EXPECT_NE(lastMessage().find("filter"), std::string::npos);
    EXPECT_EQ(processes->set().points().size(), points);
}

TEST_F(YearModelTest, ChartCloudsHoldEachShownNodeOfEachChosenHourAndThePickedChain) {
    // Summer only, through the wheel: the clouds are the filter's hours, node by node.
    YearWeather summer = Chicago();
    summer.filter.firstMonth = 6;
    summer.filter.lastMonth = 8;
    year->setWeather(summer);
    ASSERT_EQ(year->setOption(0, wheel()), CommandOutcome::Done);
    year->showNode(UnitNode::Recovered, false);
    const auto kept = airunit::RunUnit(*summer.data, *summer.states, summer.filter,
                                       year->options()[0], {1, true, {}});
    ASSERT_TRUE(kept.has_value());
    std::vector<chart::OverlayDot> expected;
    std::vector<std::string> key;
    for (const UnitNode node : kUnitNodes) {
        if (!year->nodeShown(node)) {
            continue;
        }
        key.push_back(NameOf(node));
        for (const UnitHour& h : kept->hours) {
            if (h.status == airunit::HourStatus::On) {
                const airunit::AirNode& n = NodeOf(h, node);
                expected.push_back(
                    {{n.dryBulb + kCelsiusOffset, n.humidityRatio}, 0, ColourOf(node)});
            }
        }
    }
    chart::Overlay overlay = year->overlay();
    ASSERT_EQ(overlay.dots.size(), 4 * 92 * 24U); // June to August, four kinds shown
    EXPECT_TRUE(overlay.dots == expected);        // bit for bit
    std::vector<std::string> named;
    for (const auto& entry : overlay.key) {
        named.push_back(entry.name);
    }
    EXPECT_EQ(named, key);
    EXPECT_TRUE(overlay.paths.empty());

    // Picks refused leave the overlay as it was.
    struct Refusal {
        const char* name;
        CommandOutcome (*pick)(YearModel&);
        const char* named; // in the message
    };
    const Refusal refusals[] = {
        {"peak before a run", [](YearModel& y) { return y.pickPeak(1); }, "Run"},
        {"a date the file lacks", [](YearModel& y) { return y.pickHour(2, 30, 1); }, "no hour"},
        {"an hour the filter leaves out", [](YearModel& y) { return y.pickHour(1, 15, 3); },
         "filter"},
    };
    for (const Refusal& r : refusals) {
        EXPECT_EQ(r.pick(*year), CommandOutcome::Refused) << r.name;
        EXPECT_NE(lastMessage().find(r.named), std::string::npos) << r.name << lastMessage();
        EXPECT_EQ(year->overlay(), overlay) << r.name;
    }

    // Picked hours' chains: each node a labelled point where the run has it, joined by arrows
    // from the outdoor air to the supply. The cooling peak (the wheel stopped: it would not save
    // there) and the first hour the wheel cools.
    run();
    ASSERT_EQ(year->pickPeak(1), CommandOutcome::Done);
    const auto& peak = kept->peaks.coolingKW;
    const auto peakRecord = year->recordAt(peak.month, peak.day, peak.hour);
    ASSERT_EQ(year->pickedRecord(), peakRecord);
    const auto wheelHour = std::find_if(kept->hours.begin(), kept->hours.end(), [](const auto& h) {
        return h.recovery == airunit::RecoveryMode::Cooling;
    });
    ASSERT_NE(wheelHour, kept->hours.end());
    const std::size_t wheelRecord = static_cast<std::size_t>(wheelHour - kept->hours.begin());
    for (const std::size_t record : {*peakRecord, wheelRecord}) {
        const climate::HourRecord& r = summer.data->hours[record];
        ASSERT_EQ(year->pickHour(r.month, r.day, r.hour), CommandOutcome::Done);
        const UnitHour& h = kept->hours[record];
        overlay = year->overlay();
        EXPECT_EQ(overlay.dots.size(), expected.size());
        const bool wheel = h.recovery != airunit::RecoveryMode::Off;
        EXPECT_EQ(wheel, record == wheelRecord);
        const struct {
            const char* label;
            const airunit::AirNode* node;
            bool drawn;
        } nodes[] = {{"outdoor", &h.outdoor, true},  {"after recovery", &h.recovered, wheel},
                     {"return", &h.room, true},      {"mixed", &h.mixed, true},
                     {"off-coil", &h.offCoil, true}, {"supply", &h.supply, true}};
        for (const auto& n : nodes) {
            const auto point = std::find_if(
                overlay.points.begin(), overlay.points.end(),
                [&](const chart::OverlayPoint& p) { return p.label.rfind(n.label, 0) == 0; });
            ASSERT_EQ(point != overlay.points.end(), n.drawn) << n.label << record;
            if (n.drawn) {
                EXPECT_EQ(point->at, (chart::ChartPoint{n.node->dryBulb + kCelsiusOffset,
                                                        n.node->humidityRatio}))
                    << n.label << record;
            }
        }
        std::vector<chart::ChartPoint> arrowEnds;
        for (const auto& path : overlay.paths) {
            if (path.arrow) {
                arrowEnds.push_back(path.points.back());
            }
        }
        ASSERT_FALSE(arrowEnds.empty());
        EXPECT_EQ(arrowEnds.back(), overlay.points.back().at);
        EXPECT_EQ(overlay.points.back().label, "supply");
    }

    // A point of the chart picks the hour with a shown node nearest it: on a node, an hour with
    // a node exactly there; with every node hidden, refused and the pick kept.
    const UnitHour& cooled = kept->hours[wheelRecord];
    for (const UnitNode node : {UnitNode::Outdoor, UnitNode::OffCoil}) {
        const airunit::AirNode& n = NodeOf(cooled, node);
        const chart::ChartPoint at{n.dryBulb + kCelsiusOffset, n.humidityRatio};
        ASSERT_EQ(year->pickNearest(at), CommandOutcome::Done) << NameOf(node);
        const UnitHour& picked = kept->hours[*year->pickedRecord()];
        EXPECT_EQ(NodeOf(picked, node).dryBulb, n.dryBulb) << NameOf(node);
        EXPECT_EQ(NodeOf(picked, node).humidityRatio, n.humidityRatio) << NameOf(node);
    }
    const auto before = year->pickedRecord();
    for (const UnitNode node : kUnitNodes) {
        year->showNode(node, false);
    }
    EXPECT_EQ(year->pickNearest({300, 0.01}), CommandOutcome::Refused);
    EXPECT_EQ(year->pickedRecord(), before);

    // A pick cleared, or the weather taken again, takes the chain away.
    for (const auto& clear : {+[](YearModel& y) { y.clearPickedHour(); },
                              +[](YearModel& y) { y.setWeather(Chicago()); }}) {
        ASSERT_EQ(year->pickHour(7, 19, 17), CommandOutcome::Done);
        clear(*year);
        EXPECT_FALSE(year->pickedRecord().has_value());
        EXPECT_TRUE(year->overlay().paths.empty());
    }
}

TEST_F(YearModelTest, UnitFilesAndTheCsvAreAllOrNothing) {
    ASSERT_EQ(year->setOption(0, wheel()), CommandOutcome::Done);
    ASSERT_EQ(year->saveUnitTo(path("wheel.json")), CommandOutcome::Done);
    ASSERT_EQ(year->addOption(), CommandOutcome::Done);
    ASSERT_EQ(year->setOption(1, year->formOf(0)), CommandOutcome::Done);
    UnitForm plain = year->formOf(1);
    plain.recovery = false;
    ASSERT_EQ(year->setOption(1, plain), CommandOutcome::Done);
    ASSERT_EQ(year->openUnitFrom(path("wheel.json")), CommandOutcome::Done);
    EXPECT_EQ(year->options()[1], year->options()[0]);

    // A refused file names its key and changes nothing.
    std::ofstream(path("bad.json")) << R"({"room": {"dryBulb": 24, "relativeHumidity": 50},
        "supply": {"dryBulb": 13}, "flow": {"value": 1, "unit": "kg/s"},
        "minOutdoorFraction": 2, "economizer": {"kind": "none"}})";
    year->setOption(1, plain);
    const auto before = year->options();
    EXPECT_EQ(year->openUnitFrom(path("bad.json")), CommandOutcome::Refused);
    EXPECT_NE(lastMessage().find("minOutdoorFraction"), std::string::npos) << lastMessage();
    EXPECT_EQ(year->options(), before);

    // No figures, no CSV; then the tables, every cell safe from a spreadsheet's formulas.
    EXPECT_EQ(year->exportCsvTo(path("t.csv")), CommandOutcome::Refused);
    EXPECT_FALSE(fs::exists(path("t.csv")));
    run();
    ASSERT_EQ(year->exportCsvTo(path("t.csv")), CommandOutcome::Done);
    const std::string csv = ReadAll(path("t.csv"));
    EXPECT_EQ(csv.rfind("\"Year, each unit", 0), 0U) << csv.substr(0, 80);
    EXPECT_NE(csv.find("Unit 2 peaks"), std::string::npos);
    EXPECT_EQ(csv.find("\n="), std::string::npos);
    EXPECT_EQ(csv.find(",="), std::string::npos);
    // A folder in the way: refused, the old file left.
    EXPECT_EQ(year->exportCsvTo(folder.string()), CommandOutcome::Refused);
    EXPECT_EQ(ReadAll(path("t.csv")), csv);
}

} // namespace
} // namespace hygrovane::models
