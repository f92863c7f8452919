#include "display/number_text.h"
#include "models/ambient_model.h"
#include "models/fake_platform.h"
#include "models/process_overlay.h"
#include "models/processes_model.h"
#include "processfile/process_file.h"
#include "tables/table_writers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace hygrovane::models {
namespace {

namespace fs = std::filesystem;
using namespace processes;
using P = Parameter;

// The main window as it starts (25 C, 50 %, 101.325 kPa, metric) and the processes window on it.
class ProcessWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder);
        main.Form_Load();
        processes = std::make_unique<ProcessesModel>(platform, main.form());
    }
    void TearDown() override { fs::remove_all(folder); }

    void type(int box, const char* text) {
        main.form().Text(box).text = text;
        main.Text_Change(box);
        processes->MainWindowChanged();
    }
    std::string path(const char* name) const { return (folder / name).string(); }
    ProcessForm form(ProcessKind kind, std::vector<std::string> inlets,
                     std::map<Parameter, std::string> texts,
                     HumidityInput targetInput = HumidityInput::RelativeHumidity,
                     std::string targetHumidity = "") const {
        ProcessForm f;
        f.kind = kind;
        f.inlets = inlets;
        f.flowTexts.assign(inlets.size(), "2000");
        f.flowUnits.assign(inlets.size(), FlowUnit::CubicMetresPerHour);
        f.texts = std::move(texts);
        f.targetHumidityInput = targetInput;
        f.targetHumidityText = std::move(targetHumidity);
        return f;
    }
    std::string lastMessage() const {
        return platform.messages.empty() ? "" : platform.messages.back().message;
    }
    // A cell of the window's report tables, by section, row and column key.
    tables::Cell cell(const char* section, std::size_t row, std::string_view column) const {
        const tables::Table table = processes->reportTables();
        const tables::Section& s = *table.Find(section);
        for (std::size_t c = 0; c < s.columns.size(); ++c) {
            if (s.columns[c].key == column) {
                return s.rows.at(row).cells.at(c);
            }
        }
        ADD_FAILURE() << "no column " << column;
        return {};
    }
    tables::Cell point(std::size_t row, std::string_view column) const {
        return cell(processfile::kPointsSection, row, column);
    }
    tables::Cell process(std::size_t row, std::string_view column) const {
        return cell(processfile::kProcessesSection, row, column);
    }
    std::size_t rows(const char* section) const {
        return processes->reportTables().Find(section)->rows.size();
    }
    // Every figure of the tables, to the last digit.
    std::string figures() const { return tables::TableCsv(processes->reportTables()); }

    fs::path folder = fs::temp_directory_path() /
                      ("hygrovane-processwindow-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    testing::FakePlatform platform;
    AmbientModel main{platform};
    std::unique_ptr<ProcessesModel> processes;
};

TEST_F(ProcessWindowTest, CurrentStateIsTheMainWindowsState) {
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done);
    const AmbientForm& f = main.form();
    // The main window's figures (to its digits) in the report's units: kg/kg as g/kg.
    const struct {
        const char* column;
        std::string shown;
        double scale;
    } same[] = {{"dryBulb", f.Text1.text, 1},          {"humidityRatio", f.Text3.text, 1000},
                {"relativeHumidity", f.Text4.text, 1}, {"wetBulb", f.Text6.text, 1},
                {"dewPoint", f.Text5.text, 1},         {"enthalpy", f.Text16.text, 1},
                {"specificVolume", f.Text15.text, 1}};
    for (const auto& c : same) {
        const double shown = ReadNumber(c.shown) * c.scale;
        EXPECT_NEAR(point(0, c.column).value, shown, 1e-3 * std::max(1.0, std::abs(shown)))
            << c.column;
    }
    EXPECT_EQ(point(0, "name").text, "A");
    EXPECT_EQ(point(0, "dryBulb").Shown(), "25.0");
    EXPECT_EQ(point(0, "source").text, "given");

    // In British units (the same 77 F), at another altitude and by Hyland-Wexler, the point
    // follows.
    main.menu_british_Click();
    type(1, "77");
    main.form().Option9.value = true;
    main.Option_Click(9);
    type(10, "5000");
    main.menu_HW_Click();
    processes->MainWindowChanged();
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done);
    for (const char* column : {"dryBulb", "humidityRatio", "relativeHumidity", "enthalpy"}) {
        EXPECT_EQ(point(0, column).Shown(), point(1, column).Shown()) << column;
    }
    EXPECT_EQ(point(0, "dryBulb").Shown(), "77.0");
    EXPECT_EQ(point(0, "dryBulb").unit, tables::Unit::Fahrenheit);
    EXPECT_NEAR(point(0, "enthalpy").value, ReadNumber(f.Text16.text), 1e-3 * 28);
    EXPECT_EQ(processes->set().ambient().formulation, SatFormulation::HylandWexler);
    EXPECT_EQ(processes->set().ambient().pressureInput, PressureInput::Altitude);

    // A main window in error has no state to add.
    type(1, "abc");
    EXPECT_NE(processes->AddCurrentState(), CommandOutcome::Done);
    EXPECT_NE(lastMessage().find("no state"), std::string::npos);
    EXPECT_EQ(processes->set().points().size(), 2U);
}

TEST_F(ProcessWindowTest, EveryProcessKindFromTheHandlers) {
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done); // A: 25 C 50 %
    type(1, "35");
    type(4, "40");
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done);            // B: 35 C 40 %
    ASSERT_EQ(processes->AddChartPoint(278.15, 0.003), CommandOutcome::Done); // C: winter air
    using K = ProcessKind;
    const auto W = HumidityInput::HumidityRatio;
    const std::vector<ProcessForm> forms{
        form(K::SensibleToDryBulb, {"A"}, {{P::LeavingDryBulb, "30"}}),
        form(K::SensibleByHeatRate, {"A"}, {{P::HeatRate, "-2"}}),
        form(K::CoilApparatusDewPoint, {"B"},
             {{P::ApparatusDewPoint, "10"}, {P::BypassFactor, ".1"}}),
        form(K::CoilLeavingDryBulb, {"B"}, {{P::LeavingDryBulb, "14"}, {P::BypassFactor, ".1"}}),
        form(K::CoilLeavingState, {"B"}, {{P::Target, "16"}}, HumidityInput::RelativeHumidity,
             "85"),
        form(K::Mixing, {"A", "B"}, {}),
        form(K::EvaporativeToRelativeHumidity, {"B"}, {{P::RelativeHumidity, "70"}}),
        form(K::EvaporativeToDryBulb, {"B"}, {{P::LeavingDryBulb, "25"}}),
        form(K::EvaporativeByEffectiveness, {"B"}, {{P::Effectiveness, "0.8"}}),
        form(K::SteamToHumidityRatio, {"A"},
             {{P::HumidityRatio, "0.012"}, {P::SteamTemperature, "100"}}),
        form(K::SteamToRelativeHumidity, {"A"},
             {{P::RelativeHumidity, "70"}, {P::SteamTemperature, "100"}}),
        form(K::HeatingThenEvaporative, {"C"}, {{P::Target, "22"}}, HumidityInput::RelativeHumidity,
             "45"),
        form(K::HeatingThenSteam, {"C"}, {{P::Target, "22"}, {P::SteamTemperature, "100"}},
             HumidityInput::RelativeHumidity, "45"),
        form(K::CoolingThenReheat, {"B"}, {{P::Target, "22"}, {P::BypassFactor, "0.1"}}, W,
             "0.0085"),
    };
    for (const ProcessForm& f : forms) {
        EXPECT_EQ(processes->AddProcess(f), CommandOutcome::Done)
            << InfoOf(f.kind).key << ": " << lastMessage();
        // The dialog of the new process shows what was typed.
        const ProcessForm shown = processes->FormOf(processes->set().processes().size() - 1);
        for (const auto& [parameter, text] : f.texts) {
            EXPECT_EQ(ReadNumber(shown.texts.at(parameter)), ReadNumber(text))
                << InfoOf(f.kind).key;
        }
    }
    ASSERT_EQ(rows(processfile::kProcessesSection), forms.size());
    for (std::size_t i = 0; i < forms.size(); ++i) {
        EXPECT_TRUE(std::isfinite(process(i, "total").value))
            << process(i, "process").text << ": " << process(i, "notes").text;
    }
    EXPECT_EQ(process(0, "sensibleHeatRatio").Shown(), "1.00"); // heating
    EXPECT_EQ(process(5, "from").text, "A + B");
    EXPECT_EQ(process(13, "to").text, "S, T"); // each chain makes two points
    EXPECT_EQ(rows(processfile::kPointsSection), 3U + 11U + 3U * 2U);

    // Refused: no apparatus dew point, a text that is no number, an unknown point.
    const std::string before = figures();
    const std::vector<std::pair<ProcessForm, const char*>> refused{
        {form(K::CoilLeavingState, {"A"}, {{P::Target, "22"}}, W, "0.004"),
         "no apparatus dew point"},
        {form(K::SensibleToDryBulb, {"A"}, {{P::LeavingDryBulb, "warm"}}), "is not a number"},
        {form(K::SensibleToDryBulb, {"Z9"}, {{P::LeavingDryBulb, "30"}}), "no point"},
    };
    for (const auto& [f, reason] : refused) {
        EXPECT_NE(processes->AddProcess(f), CommandOutcome::Done) << reason;
        EXPECT_NE(lastMessage().find(reason), std::string::npos) << lastMessage();
        EXPECT_EQ(figures(), before) << reason;
    }
}

// Loads and targets at the edge of the doubles are refused by what is wrong with them, not by an
// arithmetic fault, and a target holding the entering air's water is met.
TEST_F(ProcessWindowTest, EdgeLoadsAndTargetsSayWhatIsWrong) {
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done); // A: 25 C 50 %
    using K = ProcessKind;
    const auto exactly = [](double value) {
        char text[40];
        std::snprintf(text, sizeof text, "%.17g", value);
        return std::string(text);
    };
    const auto perKilogram = [&](const char* kilowatts, const char* kilograms) {
        ProcessForm f = form(K::SensibleByHeatRate, {"A"}, {{P::HeatRate, kilowatts}});
        f.flowTexts = {kilograms};
        f.flowUnits = {FlowUnit::KilogramsPerSecond};
        return f;
    };
    const struct {
        const char* name;
        ProcessForm form;
        const char* message; // its start; empty: done
    } rows[] = {
        {"1E300 W on 1E-300 kg/s", perKilogram("1e297", "1e-300"),
         "The heat rate per kilogram of dry air is out of range"},
        {"-1E300 W on 1E-300 kg/s", perKilogram("-1e297", "1e-300"),
         "The heat rate per kilogram of dry air is out of range"},
        {"1 kW on 1E-300 kg/s: a finite enthalpy far past the range", perKilogram("1", "1e-300"),
         "The dry bulb (K)"},
        {"a reheat target holding A's water: a coil at A's dew point",
         form(K::CoolingThenReheat, {"A"}, {{P::Target, "24"}, {P::BypassFactor, "0.1"}},
              HumidityInput::HumidityRatio,
              exactly(processes->set().points()[0].state->humidityRatio)),
         ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::size_t shown = platform.messages.size();
        const CommandOutcome outcome = processes->AddProcess(row.form);
        if (*row.message == '\0') {
            EXPECT_EQ(outcome, CommandOutcome::Done) << lastMessage();
            continue;
        }
        EXPECT_EQ(outcome, CommandOutcome::Refused);
        ASSERT_EQ(platform.messages.size(), shown + 1);
        EXPECT_EQ(lastMessage().rfind(row.message, 0), 0U) << lastMessage();
    }
}

TEST_F(ProcessWindowTest, MixThenCoolTheMixtureAndFollowTheMainWindow) {
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done);
    type(1, "35");
    type(4, "40");
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done);
    ProcessForm mix = form(ProcessKind::Mixing, {"A", "B"}, {});
    mix.flowTexts = {"3000", "1000"};
    ASSERT_EQ(processes->AddProcess(mix), CommandOutcome::Done);
    ProcessForm coil = form(ProcessKind::CoilApparatusDewPoint, {"C"},
                            {{P::ApparatusDewPoint, "10"}, {P::BypassFactor, "0.1"}});
    coil.flowUnits = {FlowUnit::Upstream};
    ASSERT_EQ(processes->AddProcess(coil), CommandOutcome::Done);
    // What the chart draws: the streams into the mixture and the coil's path with arrowheads,
    // the coil's guide on to its ADP dashed, then every point named, from where its paths meet.
    const auto drawn = [this] {
        const chart::Overlay overlay = ProcessOverlay(processes->set());
        std::string looks;
        for (const chart::OverlayPath& path : overlay.paths) {
            looks += path.dashed ? "dashed " : path.arrow ? "arrow " : "plain ";
        }
        for (const chart::OverlayPoint& point : overlay.points) {
            looks += point.label + " ";
        }
        return std::pair{overlay, looks};
    };
    const auto [overlay, looks] = drawn();
    ASSERT_EQ(looks, "arrow arrow arrow dashed ADP A B C D ");
    const auto& p = overlay.points; // ADP, A, B, C, D
    const std::pair<chart::ChartPoint, chart::ChartPoint> ends[] = {
        {p[1].at, p[3].at}, {p[2].at, p[3].at}, {p[3].at, p[4].at}, {p[4].at, p[0].at}};
    for (std::size_t i = 0; i < std::size(ends); ++i) {
        EXPECT_EQ(overlay.paths[i].points.front(), ends[i].first) << i;
        EXPECT_EQ(overlay.paths[i].points.back(), ends[i].second) << i;
    }
    // The coil takes the mixture's air upstream, and heat out of it.
    EXPECT_EQ(process(1, "airFlow").value, process(0, "airFlow").value);
    const double load = process(1, "equipmentHeat").value; // kW
    EXPECT_LT(load, 0);

    // Loads in other units; flows changed; another pressure recomputes.
    processes->SetLoadUnits(
        {FlowUnit::CubicFeetPerMinute, HeatUnit::TonOfRefrigeration, WaterUnit::PoundsPerHour});
    EXPECT_NEAR(process(1, "equipmentHeat").value, load / 3.516852842, 1e-6);
    EXPECT_EQ(process(1, "equipmentHeat").unit, tables::Unit::Ton);
    ASSERT_EQ(processes->SetFlows(0, {"6000", "2000"},
                                  {FlowUnit::CubicMetresPerHour, FlowUnit::CubicMetresPerHour}),
              CommandOutcome::Done);
    EXPECT_NEAR(process(1, "equipmentHeat").value, 2 * load / 3.516852842, 2e-3);
    const std::string coilLeaving = point(3, "humidityRatio").Full();
    type(2, "90");
    EXPECT_NE(point(3, "humidityRatio").Full(), coilLeaving);
    EXPECT_TRUE(processes->modified());

    // Points in use, and outlets, are kept.
    EXPECT_NE(processes->DeletePoint(0), CommandOutcome::Done);
    EXPECT_NE(processes->DeletePoint(2), CommandOutcome::Done);
    EXPECT_EQ(processes->RenamePoint(0, "B"), CommandOutcome::Refused);
    EXPECT_EQ(processes->RenamePoint(0, "Room"), CommandOutcome::Done);
    EXPECT_EQ(process(0, "from").text, "Room + B");
    EXPECT_NE(processes->DeleteProcess(0), CommandOutcome::Done);
    EXPECT_EQ(processes->DeleteProcess(1), CommandOutcome::Done);
    EXPECT_EQ(rows(processfile::kPointsSection), 3U);
    EXPECT_EQ(drawn().second, "arrow arrow Room B C ");
}

TEST_F(ProcessWindowTest, SaveOpenExportAndTheQuestionsAboutChanges) {
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done);
    ASSERT_EQ(processes->AddProcess(
                  form(ProcessKind::SensibleToDryBulb, {"A"}, {{P::LeavingDryBulb, "30"}})),
              CommandOutcome::Done);
    const std::string shown = figures();

    // Closing a modified set asks; Cancel keeps it open, Yes saves it.
    EXPECT_EQ(processes->QueryClose(), Closing::StayOpen);
    platform.answers = {Platform::Answer::Yes};
    platform.savePaths = {path("set.json")};
    EXPECT_EQ(processes->QueryClose(), Closing::Close);
    EXPECT_FALSE(processes->modified());
    EXPECT_EQ(processes->fileName(), path("set.json"));

    processes->New();
    EXPECT_TRUE(processes->set().points().empty());
    platform.openPaths = {path("set.json")};
    ASSERT_EQ(processes->Open(), CommandOutcome::Done) << lastMessage();
    EXPECT_EQ(figures(), shown);

    // A damaged file is refused and changes nothing; a failed save keeps the set modified.
    std::ofstream(path("bad.json")) << "{\"format\": \"Hygrovane process set\", \"version\": 7}";
    platform.openPaths = {path("bad.json")};
    EXPECT_EQ(processes->Open(), CommandOutcome::Refused);
    EXPECT_NE(lastMessage().find("newer version"), std::string::npos) << lastMessage();
    EXPECT_EQ(figures(), shown);
    EXPECT_EQ(processes->fileName(), path("set.json"));
    ASSERT_EQ(processes->RenamePoint(0, "Room"), CommandOutcome::Done);
    platform.savePaths = {folder.string()};
    EXPECT_EQ(processes->SaveAs(), CommandOutcome::Refused);
    EXPECT_TRUE(processes->modified());

    // A set saved at another pressure is computed at the main window's, and the user told.
    type(2, "95");
    platform.answers = {Platform::Answer::No};
    platform.openPaths = {path("set.json")};
    ASSERT_EQ(processes->Open(), CommandOutcome::Done);
    EXPECT_NE(lastMessage().find("saved at 101.325 kPa by IAPWS; it is now computed at the main "
                                 "window's 95 kPa by IAPWS"),
              std::string::npos)
        << lastMessage();
    EXPECT_EQ(processes->set().ambient().pressure, 95000);

    platform.savePaths = {path("table.csv")};
    ASSERT_EQ(processes->ExportCsv(), CommandOutcome::Done);
    std::ostringstream csv;
    csv << std::ifstream(path("table.csv")).rdbuf();
    // The report's CSV: its title block first, then each table with a row of units.
    EXPECT_EQ(csv.str().rfind("# pressure,95,kPa\n# formulation,IAPWS,\n# units,SI,\n# date,", 0),
              0U)
        << csv.str();
    EXPECT_NE(csv.str().find("\nPoint,DB,WB,RH,W,h,DP,v,Flow,Source\n,°C,°C,%,g/kg,"),
              std::string::npos);
}

// At 1 kg/s from 26 C 50 % to 20 C 50 % with bypass factor 0.1 the coil takes 24.139 kW and the
// reheat gives back 9.898: the net 14.241 kW sizes neither, so each stage shows its own load in
// the table, the CSV and the chart's labels, and the net only as their total.
TEST_F(ProcessWindowTest, AChainShowsEachStagesLoadAndTheNetOnlyAsTotal) {
    type(1, "26");
    ASSERT_EQ(processes->AddCurrentState(), CommandOutcome::Done); // A: 26 C 50 %
    ProcessForm chain =
        form(ProcessKind::CoolingThenReheat, {"A"}, {{P::Target, "20"}, {P::BypassFactor, "0.1"}},
             HumidityInput::RelativeHumidity, "50");
    chain.flowTexts = {"1"};
    chain.flowUnits = {FlowUnit::KilogramsPerSecond};
    ASSERT_EQ(processes->AddProcess(chain), CommandOutcome::Done) << lastMessage();
    ProcessForm heating = form(ProcessKind::HeatingThenSteam, {"A"},
                               {{P::Target, "30"}, {P::SteamTemperature, "100"}},
                               HumidityInput::RelativeHumidity, "40");
    heating.flowTexts = {"1"};
    heating.flowUnits = {FlowUnit::KilogramsPerSecond};
    ASSERT_EQ(processes->AddProcess(heating), CommandOutcome::Done) << lastMessage();

    // Each stage's heat and ratio in the notes; the loads' cells are the whole process's.
    EXPECT_EQ(process(0, "notes").text, "coil -24.1 kW, SHR 0.66; reheat 9.90 kW, SHR 1.00");
    EXPECT_NEAR(process(0, "equipmentHeat").value, -14.241, 5e-4); // the net
    EXPECT_NEAR(process(0, "sensible").value, -6.206, 5e-4);
    EXPECT_NEAR(process(0, "latent").value, -8.15, 5e-3);
    const std::string steam = process(1, "notes").text;
    EXPECT_EQ(steam.rfind("heater ", 0), 0U) << steam;
    EXPECT_NE(steam.find("; humidifier 0.00 kW"), std::string::npos) << steam;

    // The stages meet at the chain's intermediate point, whose row is the coil's leaving air.
    const Process& process = processes->set().processes()[0];
    const ProcessResult& r = *process.result;
    ASSERT_EQ(r.stages.size(), 2U);
    EXPECT_EQ(r.stages[0].leaving.dryBulb, r.stages[1].entering.dryBulb);
    EXPECT_EQ(r.stages[0].leaving.humidityRatio, r.stages[1].entering.humidityRatio);
    EXPECT_EQ(processes->set().point(process.outlets[0])->state->dryBulb,
              r.stages[0].leaving.dryBulb);
    EXPECT_EQ(processes->set().point(process.outlets[1])->state->dryBulb,
              r.stages[1].leaving.dryBulb);

    // The chart labels each stage's path; in British units too.
    const auto labels = [this] {
        std::vector<std::string> all;
        for (const chart::OverlayPath& path :
             ProcessOverlay(processes->set(), processes->loadUnits()).paths) {
            all.push_back(path.label);
        }
        return all;
    };
    const std::vector<std::string> metric = labels();
    ASSERT_EQ(metric.size(), 5U); // coil, reheat, the coil's guide, heater, humidifier
    EXPECT_EQ(metric[0], "coil -24.139 kW");
    EXPECT_EQ(metric[1], "reheat 9.898 kW");
    EXPECT_EQ(metric[2], "");
    EXPECT_EQ(metric[3].rfind("heater ", 0), 0U) << metric[3];
    EXPECT_EQ(metric[4].rfind("humidifier ", 0), 0U) << metric[4];
    EXPECT_EQ(metric[4].substr(metric[4].size() - 5), " kg/h") << metric[4];
    processes->SetLoadUnits(
        {FlowUnit::CubicFeetPerMinute, HeatUnit::BtuPerHour, WaterUnit::PoundsPerHour});
    EXPECT_EQ(labels()[0], "coil -82367 Btu/h");
    EXPECT_EQ(this->process(0, "notes").text,
              "coil -82367 Btu/h, SHR 0.66; reheat 33774 Btu/h, SHR 1.00");

    // The CSV carries each stage's load in the process's notes.
    platform.savePaths = {path("chain.csv")};
    ASSERT_EQ(processes->ExportCsv(), CommandOutcome::Done);
    std::ostringstream csv;
    csv << std::ifstream(path("chain.csv")).rdbuf();
    EXPECT_NE(csv.str().find(",\"coil -82367 Btu/h, SHR 0.66; reheat 33774 Btu/h, SHR 1.00\"\n"),
              std::string::npos)
        << csv.str();
}

// What Save writes, Open reads again, however large the set: a set of thousands of points,
// opened, saved and opened once more through the window's own commands.
TEST_F(ProcessWindowTest, ALargeSetSavedByTheWindowOpensAgain) {
    SetRecords records;
    records.ambient = MainAmbient(main.form());
    for (int i = 0; i < 4500; ++i) {
        const std::string given = "P" + std::to_string(i);
        records.points.push_back(
            {given, PointConditions{293.15 + i % 10, HumidityInput::RelativeHumidity, 0.4}});
        records.points.push_back({given + "h", std::nullopt});
        records.processes.push_back({ProcessKind::SensibleToDryBulb,
                                     {given},
                                     {{FlowUnit::CubicMetresPerHour, 1000.0 + i}},
                                     {.leavingDryBulb = 308.15},
                                     {given + "h"}});
    }
    const auto big = ProcessSet::FromRecords(records);
    ASSERT_TRUE(big);
    std::ofstream(path("big.json"), std::ios::binary)
        << processfile::ProcessSetText(*big, processes->loadUnits());
    ASSERT_GT(fs::file_size(path("big.json")), 1024U * 1024U);
    platform.openPaths = {path("big.json")};
    ASSERT_EQ(processes->Open(), CommandOutcome::Done) << lastMessage();
    platform.savePaths = {path("again.json")};
    ASSERT_EQ(processes->SaveAs(), CommandOutcome::Done) << lastMessage();
    processes->New();
    platform.openPaths = {path("again.json")};
    ASSERT_EQ(processes->Open(), CommandOutcome::Done) << lastMessage();
    EXPECT_EQ(processes->set().Records(), records);
    EXPECT_EQ(rows(processfile::kProcessesSection), 4500U);
}

} // namespace
} // namespace hygrovane::models
