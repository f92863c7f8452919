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
#include <charconv>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <unistd.h>

namespace hygrovane::models {
namespace {

namespace fs = std::filesystem;
using airunit::UnitHour;

// Columns of the year sections: the name, then the figures in the order of kTotalFields.
constexpr std::size_t kHeating = 11;
constexpr std::size_t kCooling = 12;

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
    const tables::Section annual = year->annualSection();
    ASSERT_EQ(annual.rows.size(), 1U);
    ASSERT_EQ(annual.columns.size(), 1 + airunit::kTotalFields.size());
    EXPECT_EQ(annual.rows[0].cells[kCooling].value, direct->year.coolingKWh);
    EXPECT_EQ(annual.rows[0].cells[1].Shown(), "8760");
    const tables::Section months = year->monthlySection();
    ASSERT_EQ(months.rows.size(), 13U);
    // The Year row is the year's.
    EXPECT_EQ(months.rows[12].cells[kHeating].value, annual.rows[0].cells[kHeating].value);
    double sum = 0;
    for (double v : year->monthly(MonthlyBar::Heating, 0)) {
        sum += v;
    }
    EXPECT_NEAR(sum, direct->year.heatingKWh, 1e-9 * direct->year.heatingKWh);
    const tables::Section peaks = year->peaksSection();
    EXPECT_EQ(peaks.rows[1].cells[4].value, direct->peaks.coolingKW.hour);

    // A job started before the change is dropped; the figures shown stay the last run's, and
    // the status says they are of earlier settings.
    ASSERT_EQ(year->addOption(), CommandOutcome::Done);
    stale->run(1);
    EXPECT_FALSE(year->accept(*stale));
    EXPECT_FALSE(year->current());
    EXPECT_EQ(year->annualSection().rows.size(), 1U);
    EXPECT_NE(year->status().find("previous settings"), std::string::npos) << year->status();
}

TEST_F(YearModelTest, ACancelledRunStopsEarlyAndLeavesTheFiguresBefore) {
    run();
    const double heating = year->annualSection().rows[0].cells[kHeating].value;
    ASSERT_EQ(year->addOption(), CommandOutcome::Done);
    // Cancelled at its first progress report, from the thread that runs it: the engine stops
    // long before the last record, and the figures are refused.
    const auto job = year->makeJob();
    airunit::RunOptions options{1, false, {}};
    std::size_t reported = 0;
    options.cancel = &job->cancel;
    options.progress = [&](std::size_t done, std::size_t) {
        reported = done;
        job->cancel = true;
    };
    const auto runs =
        airunit::RunUnits(*Chicago().data, *Chicago().states, {}, job->units, options);
    EXPECT_LT(reported, 8760U);
    job->run(2); // the job's own run stops at once: its flag is already set
    EXPECT_TRUE(job->finished);
    EXPECT_LT(job->done.load(), 2 * 8760U);
    EXPECT_FALSE(year->accept(*job));
    year->cancelled();
    EXPECT_EQ(year->annualSection().rows.size(), 1U);
    EXPECT_EQ(year->annualSection().rows[0].cells[kHeating].value, heating);
    EXPECT_NE(year->status().find("cancelled"), std::string::npos) << year->status();
    // The next run clears it.
    run();
    EXPECT_EQ(year->annualSection().rows.size(), 3U);
    EXPECT_EQ(year->status().find("cancelled"), std::string::npos) << year->status();
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
    const tables::Section annual = year->annualSection();
    ASSERT_EQ(annual.rows.size(), 6 + 5U); // the units, then units 2 to 6 less unit 1
    const auto& a = *year->runs()[0];
    const auto& b = *year->runs()[1];
    EXPECT_EQ(annual.rows[6].cells[0].text, "Unit 2 − 1");
    EXPECT_EQ(annual.rows[6].cells[kHeating].value, b.year.heatingKWh - a.year.heatingKWh);
    EXPECT_LT(b.year.heatingKWh, a.year.heatingKWh);        // the wheel saves heating in Chicago
    EXPECT_EQ(annual.rows[7].cells[kHeating].Shown(), "0"); // option 3 is option 1
    year->select(1);
    EXPECT_EQ(year->monthlySection().rows[12].cells[kHeating].value,
              annual.rows[1].cells[kHeating].value);
    // The chart of the units' monthly totals: a series per unit, the months of the run.
    const OptionBars bars = year->optionBars(MonthlyBar::Cooling);
    ASSERT_EQ(bars.values.size(), 6U);
    EXPECT_EQ(bars.options[5], "Unit 6");
    EXPECT_EQ(bars.title, "Cooling (kWh)");
    EXPECT_EQ(bars.values[1][6], b.months[6].coolingKWh);

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
    EXPECT_EQ(csv.rfind("# weather file,chicago.epw,\n", 0), 0U) << csv.substr(0, 80);
    EXPECT_NE(csv.find("# section,Unit 2 peaks,"), std::string::npos);
    EXPECT_EQ(csv.find("\n="), std::string::npos);
    EXPECT_EQ(csv.find(",="), std::string::npos);
    // A folder in the way: refused, the old file left.
    EXPECT_EQ(year->exportCsvTo(folder.string()), CommandOutcome::Refused);
    EXPECT_EQ(ReadAll(path("t.csv")), csv);
}

// The CSV's sections read back: each "# section,<title>," block's rows, as cells.
std::map<std::string, std::vector<std::vector<std::string>>> CsvSections(const std::string& csv) {
    std::map<std::string, std::vector<std::vector<std::string>>> sections;
    std::vector<std::vector<std::string>>* current = nullptr;
    std::istringstream in(csv);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("# section,", 0) == 0) {
            current = &sections[line.substr(10, line.size() - 11)];
            continue;
        }
        if (current == nullptr || line.empty()) {
            continue;
        }
        std::vector<std::string> cells{""};
        for (const char c : line) {
            if (c == ',') {
                cells.emplace_back();
            } else {
                cells.back().push_back(c);
            }
        }
        current->push_back(cells);
    }
    return sections;
}

TEST_F(YearModelTest, TablesInReportStyleInBothUnitSystemsAndTheCsvInFullPrecision) {
    // 100 % outdoor air, unit 1 without recovery, unit 2 with the wheel: it saves heating.
    UnitForm outdoor = wheel();
    outdoor.minOutdoorFraction = "1";
    ASSERT_EQ(year->setOption(0, outdoor), CommandOutcome::Done);
    ASSERT_EQ(year->addOption(), CommandOutcome::Done);
    outdoor.recovery = false;
    ASSERT_EQ(year->setOption(0, outdoor), CommandOutcome::Done);
    run();
    const airunit::UnitRun& a = *year->runs()[0];
    const airunit::UnitRun& b = *year->runs()[1];
    constexpr double kBtu = 3.41214163312794, kLb = 1 / 0.45359237;
    struct Row {
        const char* name;
        bool ip;
        const char* section;
        std::size_t row, column;
        double value; // in the core's kWh, kW, kg or h
        double factor;
        const char* unit;
        int decimals;
    };
    const std::string peaks = PeaksSectionKey(0), months = MonthsSectionKey(0);
    const Row rows[] = {
        {"year's heating kWh", false, kAnnualSection, 0, kHeating, a.year.heatingKWh, 1, "kWh", 0},
        {"wheel's heating saved, negative", false, kAnnualSection, 2, kHeating,
         b.year.heatingKWh - a.year.heatingKWh, 1, "kWh", 0},
        {"condensate kg", false, kAnnualSection, 0, 19, a.year.condensateKg, 1, "kg", 0},
        {"heating coil's hours whole", false, kAnnualSection, 0, 6, a.year.heatingHours, 1, "h", 0},
        {"cooling peak kW", false, peaks.c_str(), 1, 1, a.peaks.coolingKW.value, 1, "kW", 0},
        {"July's heating, small", false, months.c_str(), 6, kHeating, a.months[6].heatingKWh, 1,
         "kWh", 1},
        {"year's heating kBtu", true, kAnnualSection, 0, kHeating, a.year.heatingKWh, kBtu, "kBtu",
         0},
        {"wheel's heating saved kBtu", true, kAnnualSection, 2, kHeating,
         b.year.heatingKWh - a.year.heatingKWh, kBtu, "kBtu", 0},
        {"condensate lb", true, kAnnualSection, 0, 19, a.year.condensateKg, kLb, "lb", 0},
        {"cooling peak kBtu/h", true, peaks.c_str(), 1, 1, a.peaks.coolingKW.value, kBtu, "kBtu/h",
         0},
    };
    for (const Row& row : rows) {
        if (row.ip) {
            main.menu_british_Click();
        } else {
            main.menu_metric_Click();
        }
        const tables::Table table = year->reportTables();
        const tables::Section* section = table.Find(row.section);
        ASSERT_NE(section, nullptr) << row.name;
        const tables::Cell& cell = section->rows.at(row.row).cells.at(row.column);
        EXPECT_EQ(tables::SymbolOf(cell.unit), row.unit) << row.name;
        EXPECT_NEAR(cell.value, row.value * row.factor, 1e-12 * std::abs(row.value * row.factor))
            << row.name;
        EXPECT_EQ(cell.Shown(), text::FixedTextUnsignedZero(cell.value, row.decimals))
            << row.name << " " << cell.value;
        EXPECT_EQ(cell.value < 0, cell.Shown().starts_with("-")) << row.name;
    }
    EXPECT_LT(b.year.heatingKWh, a.year.heatingKWh);

    // The CSV: a title block, then every section's numbers reading back to the very values.
    for (const bool ip : {false, true}) {
        ip ? main.menu_british_Click() : main.menu_metric_Click();
        ASSERT_EQ(year->exportCsvTo(path("t.csv")), CommandOutcome::Done);
        const std::string csv = ReadAll(path("t.csv"));
        EXPECT_NE(csv.find(ip ? "\n# units,IP,\n" : "\n# units,SI,\n"), std::string::npos) << csv;
        EXPECT_NE(csv.find("\n# date,20"), std::string::npos);
        EXPECT_NE(csv.find("\n# unit 2,\"room 24 °C"), std::string::npos) << csv.substr(0, 400);
        const auto read = CsvSections(csv);
        EXPECT_EQ(read.at("Units side by side").at(1).at(kHeating), ip ? "kBtu" : "kWh");
        const tables::Table table = year->reportTables();
        ASSERT_EQ(read.size(), table.sections.size());
        for (const tables::Section& section : table.sections) {
            const auto& rowsRead = read.at(section.title);
            ASSERT_EQ(rowsRead.size(), 2 + section.rows.size()) << section.title;
            for (std::size_t c = 0; c < section.columns.size(); ++c) {
                EXPECT_EQ(rowsRead[1].at(c), tables::SymbolOf(section.columns[c].unit))
                    << section.title;
            }
            for (std::size_t r = 0; r < section.rows.size(); ++r) {
                for (std::size_t c = 1; c < section.rows[r].cells.size(); ++c) {
                    const double value = section.rows[r].cells[c].value;
                    const std::string& text = rowsRead[2 + r].at(c);
                    if (std::isnan(value)) {
                        EXPECT_EQ(text, "") << section.title;
                        continue;
                    }
                    double back = 0;
                    std::from_chars(text.data(), text.data() + text.size(), back);
                    EXPECT_EQ(back, value) << section.title << " " << r << "," << c << " " << text;
                }
            }
        }
    }
}

} // namespace
} // namespace hygrovane::models
