#include "fake_platform.h"
#include "forms/ambient/ambient_window.h"
#include "forms/common/web_page.h"
#include "units/presets.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace hygrovane::forms {
namespace {

namespace fs = std::filesystem;
using testing::FakePlatform;
using Answer = Platform::Answer;

class AmbientHandlers : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("hygrovane-ambient-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        window.showAbout = [this] { ++aboutShown; };
        window.endProgram = [this] { ended = true; };
        window.Form_Load();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    // Runs a handler from a saved state and tells whether it recalculated (Calculate sets the
    // flag).
    template <typename Handler> bool recalculates(Handler handler) {
        form().CaseModified = false;
        handler();
        return form().CaseModified;
    }
    FormAmbient& form() { return window.form(); }

    fs::path folder;
    FakePlatform platform;
    AmbientWindow window{platform};
    int aboutShown = 0;
    bool ended = false;
};

TEST_F(AmbientHandlers, StartUpShowsMetricDefaultsAndComputedOutputs) {
    EXPECT_EQ(aboutShown, 1);
    for (int n = 1; n <= units::kMainComboCount; ++n) {
        EXPECT_EQ(form().Combo(n).text(), units::PresetUnit(n, units::UnitSystem::Metric)) << n;
    }
    EXPECT_TRUE(form().menu_IAPWS.checked);
    EXPECT_TRUE(form().menu_metric.checked);
    EXPECT_FALSE(form().menu_customized.checked);
    EXPECT_EQ(form().Label27.caption, "Unit (Metric)");
    EXPECT_TRUE(form().Option2.value);
    EXPECT_TRUE(form().Option8.value);
    EXPECT_EQ(form().Text1.text, "25");
    EXPECT_EQ(form().Text2.text, "101.325");
    EXPECT_EQ(form().Text4.text, "50");
    for (int n : {3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}) {
        EXPECT_FALSE(form().Text(n).text.empty()) << "Text" << n;
        EXPECT_NE(form().Text(n).text, "Error") << "Text" << n;
    }
    EXPECT_EQ(form().List1.background, colours::kResultOrange);
    EXPECT_TRUE(form().CaseModified);
    EXPECT_TRUE(platform.questions.empty());
}

TEST_F(AmbientHandlers, ListSelectionOffThePresetTurnsCustomizedForGood) {
    form().Combo1.listIndex = 1; // "K"
    EXPECT_TRUE(recalculates([&] { window.Combo1_Click(); }));
    EXPECT_EQ(form().Label27.caption, "Unit (Customized)");
    EXPECT_TRUE(form().menu_customized.checked);
    EXPECT_FALSE(form().menu_metric.checked);

    form().Combo1.listIndex = 0; // "C" again
    window.Combo1_Click();
    EXPECT_EQ(form().Label27.caption, "Unit (Customized)");
    EXPECT_TRUE(form().menu_customized.checked);
}

TEST_F(AmbientHandlers, BritishAfterCustomizedSelectsEveryBritishUnit) {
    form().Combo12.listIndex = 0;
    window.Combo12_Click();
    window.menu_british_Click();
    for (int n = 1; n <= units::kMainComboCount; ++n) {
        EXPECT_EQ(form().Combo(n).listIndex, units::PresetPosition(n, units::UnitSystem::British))
            << "Combo" << n;
    }
    EXPECT_EQ(form().Label27.caption, "Unit (British)");
    EXPECT_TRUE(form().menu_british.checked);
    EXPECT_FALSE(form().menu_customized.checked);
    EXPECT_FALSE(form().menu_metric.checked);
    EXPECT_EQ(form().Text1.text, "25") << "an input keeps its text in the new unit";
}

TEST_F(AmbientHandlers, ChoosingAnInputUnlocksAndFocusesItsBoxWithoutRecalculating) {
    const FormAmbient before = form();
    EXPECT_FALSE(recalculates([&] { window.Option1_Click(); }));
    EXPECT_TRUE(form().Option1.value);
    EXPECT_FALSE(form().Option2.value);
    EXPECT_TRUE(form().Option8.value) << "the pressure group is another group";
    EXPECT_FALSE(form().Text3.locked);
    EXPECT_EQ(form().Text3.background, colours::kPlatformWindow);
    EXPECT_TRUE(form().Text4.locked);
    EXPECT_EQ(form().Text4.background, colours::kDerivedCyan);
    EXPECT_EQ(form().focusRequest, "Text3");
    EXPECT_EQ(form().Text3.selectionStart, 0);
    EXPECT_EQ(form().Text3.selectionLength, static_cast<int>(form().Text3.text.size()));
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(form().Text(n).text, before.Text(n).text) << "Text" << n;
    }

    window.Option9_Click();
    EXPECT_TRUE(form().Text2.locked);
    EXPECT_FALSE(form().Text10.locked);
    EXPECT_EQ(form().focusRequest, "Text10");
    EXPECT_TRUE(form().Option1.value);
}

TEST_F(AmbientHandlers, OnlyTheSelectedInputBoxRecalculates) {
    struct Row {
        const char* name;
        int text;
        bool calculates;
    };
    const Row rows[] = {
        {"ambient temperature always", 1, true}, {"selected pressure", 2, true},
        {"unselected altitude", 10, false},      {"selected relative humidity", 4, true},
        {"unselected humidity ratio", 3, false}, {"unselected partial pressure", 11, false},
        {"output box has no handler", 12, false}};
    for (const Row& row : rows) {
        EXPECT_EQ(recalculates([&] { window.Text_Change(row.text); }), row.calculates) << row.name;
    }
}

TEST_F(AmbientHandlers, EveryFormulationAndUnitSystemCommandRecalculates) {
    const std::pair<const char*, void (AmbientWindow::*)()> commands[] = {
        {"IAPWS", &AmbientWindow::menu_IAPWS_Click},
        {"HW", &AmbientWindow::menu_HW_Click},
        {"HW again", &AmbientWindow::menu_HW_Click},
        {"British", &AmbientWindow::menu_british_Click},
        {"Metric", &AmbientWindow::menu_metric_Click},
        {"Metric again", &AmbientWindow::menu_metric_Click},
        {"IAPWS back", &AmbientWindow::menu_IAPWS_Click}};
    for (const auto& [name, command] : commands) {
        EXPECT_TRUE(recalculates([&] { (window.*command)(); })) << name;
    }
    window.menu_HW_Click();
    EXPECT_TRUE(form().menu_HW.checked);
    EXPECT_FALSE(form().menu_IAPWS.checked);
}

TEST_F(AmbientHandlers, UnitSystemCommandEndsWithACalculationEvenAfterAFailure) {
    form().Text1.text = "1000"; // out of range in C and in F
    window.Text1_Change();
    window.menu_british_Click();
    EXPECT_EQ(form().Text12.text, "Error");
    EXPECT_TRUE(form().menu_british.checked);
    EXPECT_EQ(form().List1.background, colours::kErrorRed);
}

TEST_F(AmbientHandlers, ExitAsksOnlyAfterAChange) {
    platform.savePaths = {path("case")};
    window.menu_saveas_Click();
    EXPECT_FALSE(form().CaseModified);
    EXPECT_EQ(form().CurrentFileName, path("case"));
    window.exit_menu_Click();
    EXPECT_TRUE(platform.questions.empty());
    EXPECT_TRUE(ended);

    ended = false;
    window.Text1_Change();
    platform.answers = {Answer::Cancel};
    window.exit_menu_Click();
    ASSERT_EQ(platform.questions.size(), 1U);
    EXPECT_EQ(platform.questions[0].message, "Do you want to save the current file before exit?");
    EXPECT_EQ(platform.questions[0].title, "Save the current file");
    EXPECT_FALSE(ended);
}

TEST_F(AmbientHandlers, ClosingWithTheSaveQuestion) {
    struct Row {
        const char* name;
        Answer answer;
        std::optional<std::string> savePath;
        bool cancelled;
        bool saved;
    };
    const Row rows[] = {
        {"No ends without saving", Answer::No, std::nullopt, false, false},
        {"Cancel stays", Answer::Cancel, std::nullopt, true, false},
        {"Yes and a cancelled dialog stays", Answer::Yes, std::nullopt, true, false},
        {"Yes and a path saves and ends", Answer::Yes, path("exit"), false, true},
        {"Yes and a failed save stays", Answer::Yes, path("missing/exit"), true, false}};
    for (const Row& row : rows) {
        fs::remove(path("exit"));
        platform.answers = {row.answer};
        platform.savePaths = {row.savePath};
        platform.messages.clear();
        EXPECT_EQ(window.Form_QueryUnload(), row.cancelled) << row.name;
        EXPECT_EQ(fs::exists(path("exit")), row.saved) << row.name;
        EXPECT_TRUE(form().CaseModified) << row.name;
        EXPECT_EQ(form().CurrentFileName, "") << row.name;
    }
    ASSERT_EQ(platform.messages.size(), 1U) << "the failed save says why";
    EXPECT_EQ(platform.messages[0].title, "Hygrovane 1.1");
    EXPECT_EQ(platform.saveDialogs, 3);
}

TEST_F(AmbientHandlers, SaveWritesToTheCurrentFileAndKeepsStateOnFailure) {
    platform.savePaths = {path("missing/case")};
    window.menu_save_Click(); // no current file: behaves as Save As
    EXPECT_EQ(platform.saveDialogs, 1);
    EXPECT_EQ(platform.messages.size(), 1U);
    EXPECT_TRUE(form().CaseModified);
    EXPECT_EQ(form().CurrentFileName, "");

    platform.savePaths = {path("case")};
    window.menu_saveas_Click();
    window.Text1_Change();
    window.menu_save_Click();
    EXPECT_EQ(platform.saveDialogs, 2) << "Save with a current file asks for no name";
    EXPECT_FALSE(form().CaseModified);

    fs::remove(path("case"));
    fs::create_directory(path("case")); // now unwritable as a file
    window.Text1_Change();
    window.menu_save_Click();
    EXPECT_EQ(platform.messages.size(), 2U);
    EXPECT_TRUE(form().CaseModified);
    EXPECT_EQ(form().CurrentFileName, path("case"));
}

TEST_F(AmbientHandlers, OpenWithEachAnswerToTheSaveQuestion) {
    platform.savePaths = {path("metric")};
    window.menu_saveas_Click();
    window.menu_british_Click();
    struct Row {
        const char* name;
        Answer answer;
        std::optional<std::string> savePath;
        int openDialogs;
        bool saved;
    };
    const Row rows[] = {{"Cancel stops", Answer::Cancel, std::nullopt, 0, false},
                        {"Yes and a cancelled save stops", Answer::Yes, std::nullopt, 0, false},
                        {"Yes and a failed save stops", Answer::Yes, path("missing/x"), 0, false},
                        {"Yes saves, then opens", Answer::Yes, path("saved"), 1, true},
                        {"No opens", Answer::No, std::nullopt, 1, false}};
    for (const Row& row : rows) {
        fs::remove(path("saved"));
        form().CaseModified = true;
        platform.answers = {row.answer};
        platform.savePaths = {row.savePath};
        platform.openPaths = {std::nullopt};
        platform.openDialogs = 0;
        window.menu_open_Click();
        EXPECT_EQ(platform.openDialogs, row.openDialogs) << row.name;
        EXPECT_EQ(fs::exists(path("saved")), row.saved) << row.name;
        EXPECT_EQ(form().CurrentFileName, path("metric")) << row.name;
        EXPECT_TRUE(form().menu_british.checked) << row.name;
    }

    platform.answers = {Answer::No};
    platform.openPaths = {path("metric")};
    window.menu_open_Click();
    EXPECT_TRUE(form().menu_metric.checked);
    EXPECT_EQ(form().Combo1.text(), "C");
    EXPECT_EQ(form().Text1.text, "25");
    EXPECT_EQ(form().CurrentFileName, path("metric"));
    EXPECT_TRUE(form().CaseModified) << "the open ends with a calculation";
}

TEST_F(AmbientHandlers, OpenOfAnUnreadableFileSaysSoAndKeepsTheCase) {
    form().CaseModified = false;
    platform.openPaths = {path("absent")};
    window.menu_open_Click();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].title, "Hygrovane 1.1");
    EXPECT_EQ(form().CurrentFileName, "");
    EXPECT_TRUE(platform.questions.empty());
}

TEST_F(AmbientHandlers, ReportIsRefusedAfterAFailedCalculation) {
    form().Text1.text = "abc";
    window.Text1_Change();
    window.menu_report_Click();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].message,
              "The report can't be generated due to Error in calculations!");
    EXPECT_EQ(platform.messages[0].title, "Hygrovane 2.1  Error in Creating Report");
    EXPECT_EQ(platform.saveDialogs, 0);
}

TEST_F(AmbientHandlers, ReportIsWrittenWithTxtAndLeavesTheCaseState) {
    platform.savePaths = {path("report")};
    window.menu_report_Click();
    EXPECT_TRUE(fs::exists(path("report.txt")));
    EXPECT_TRUE(form().CaseModified);
    EXPECT_EQ(form().CurrentFileName, "");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(AmbientHandlers, UsersGuideIsTheFirstOneFoundOrNothing) {
    window.guideFolders = {folder / "a", folder / "b"};
    window.help_index_menu_Click();
    EXPECT_TRUE(platform.documents.empty());
    EXPECT_TRUE(platform.messages.empty());

    fs::create_directories(folder / "b");
    std::ofstream(folder / "b" / kUsersGuideFile) << "%PDF";
    window.help_index_menu_Click();
    ASSERT_EQ(platform.documents.size(), 1U);
    EXPECT_EQ(platform.documents[0], (folder / "b" / kUsersGuideFile).string());
}

TEST_F(AmbientHandlers, WebPageButtonReportsAFailedBrowser) {
    window.Command1_Click();
    platform.webPagesOpen = false;
    window.Command1_Click();
    ASSERT_EQ(platform.webPages.size(), 2U);
    EXPECT_EQ(platform.webPages[0], WebPageUrl(form().Command1Caption));
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].message, "Error when loading webpage!");
    EXPECT_EQ(platform.messages[0].title, "");
}

TEST(WebPageUrl, AddsASchemeOnlyWhenMissing) {
    EXPECT_EQ(WebPageUrl("www.example.com"), "https://www.example.com");
    EXPECT_EQ(WebPageUrl("http://example.com/x"), "http://example.com/x");
}

} // namespace
} // namespace hygrovane::forms
