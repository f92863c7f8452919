#include "display/number_text.h"
#include "hygrovane/config.h"
#include "models/ambient_model.h"
#include "models/calculator/unit_presets.h"
#include "models/fake_platform.h"
#include "models/web_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace hygrovane::models {
namespace {

namespace fs = std::filesystem;
using Answer = Platform::Answer;

// Everything the main window shows and holds, as one text, so that a failed comparison shows what
// differs.
std::string Shown(const AmbientForm& form) {
    std::ostringstream out;
    for (int n = 1; n <= 16; ++n) {
        const TextBox& box = form.Text(n);
        out << "Text" << n << "=" << box.text << " locked=" << box.locked
            << " red=" << (box.background == colours::kErrorRed) << " Combo" << n << "="
            << form.Combo(n).listIndex << "\n";
    }
    for (int n = 1; n <= 33; ++n) {
        out << "Label" << n << "=" << form.Labels(n).caption << "\n";
    }
    for (int n = 1; n <= 10; ++n) {
        out << "Option" << n << "=" << form.Option(n).value << " ";
    }
    for (const MenuItem* item : {&form.menu_IAPWS, &form.menu_HW, &form.menu_metric,
                                 &form.menu_british, &form.menu_customized}) {
        out << item->checked;
    }
    for (const std::string& item : form.List1.items) {
        out << "\n" << item;
    }
    return out.str();
}

std::string FileBytes(const fs::path& path) {
    std::ostringstream bytes;
    bytes << std::ifstream(path, std::ios::binary).rdbuf();
    return bytes.str();
}

class AmbientHandlers : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::remove_all(folder);
        fs::create_directories(folder);
        window.showAbout = [this] { ++aboutShown; };
        window.endProgram = [this] { ended = true; };
        window.Form_Load();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string path(const std::string& name) const { return (folder / name).string(); }
    AmbientForm& form() { return window.form(); }
    // Runs a handler from a saved state and tells whether it recalculated (Calculate marks the
    // case modified).
    template <typename Handler> bool recalculates(Handler handler) {
        form().CaseModified = false;
        handler();
        return form().CaseModified;
    }
    const testing::FakePlatform::Shown& lastMessage() const { return platform.messages.back(); }
    // What a failed save or open must leave as it was.
    std::pair<bool, std::string> caseState() {
        return {form().CaseModified, form().CurrentFileName};
    }

    fs::path folder = fs::temp_directory_path() /
                      ("hygrovane-ambient-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    testing::FakePlatform platform;
    AmbientModel window{platform};
    int aboutShown = 0;
    bool ended = false;
};

TEST_F(AmbientHandlers, StartUpShowsMetricDefaultsAndComputedOutputs) {
    EXPECT_EQ(aboutShown, 1);
    for (int n = 1; n <= kMainComboCount; ++n) {
        EXPECT_EQ(form().Combo(n).text(), PresetUnit(n, UnitSystem::Metric)) << n;
    }
    EXPECT_TRUE(form().menu_IAPWS.checked && form().menu_metric.checked);
    EXPECT_FALSE(form().menu_customized.checked);
    EXPECT_EQ(form().Label27.caption, "Unit (Metric)");
    EXPECT_TRUE(form().Option2.value && form().Option8.value);
    EXPECT_EQ(form().Text1.text + " " + form().Text2.text + " " + form().Text4.text,
              "25 101.325 50");
    for (int n : {3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}) {
        EXPECT_TRUE(IsNumeric(form().Text(n).text)) << "Text" << n << ": " << form().Text(n).text;
    }
    EXPECT_EQ(form().List1.background, colours::kResultOrange);
    EXPECT_TRUE(form().CaseModified && platform.questions.empty());
}

TEST_F(AmbientHandlers, ListSelectionOffThePresetTurnsCustomizedUntilASystemIsChosen) {
    for (int position : {1, 0}) { // "K", then "C" again
        form().Combo1.listIndex = position;
        EXPECT_TRUE(recalculates([&] { window.Combo1_Click(); })) << position;
        EXPECT_EQ(form().Label27.caption, "Unit (Customized)") << position;
        EXPECT_TRUE(form().menu_customized.checked && !form().menu_metric.checked) << position;
    }
    window.menu_british_Click();
    for (int n = 1; n <= kMainComboCount; ++n) {
        EXPECT_EQ(form().Combo(n).listIndex, PresetPosition(n, UnitSystem::British)) << n;
    }
    EXPECT_EQ(form().Label27.caption, "Unit (British)");
    EXPECT_TRUE(form().menu_british.checked && !form().menu_customized.checked);
    EXPECT_EQ(form().Text1.text, "25") << "an input keeps its text in the new unit";
}

TEST_F(AmbientHandlers, ChoosingAnInputUnlocksSelectsAndFocusesItsBoxWithoutRecalculating) {
    const AmbientForm before = form();
    EXPECT_FALSE(recalculates([&] { window.Option1_Click(); }));
    EXPECT_TRUE(form().Option1.value && !form().Option2.value);
    EXPECT_TRUE(form().Option8.value) << "the pressure group is another group";
    EXPECT_TRUE(!form().Text3.locked && form().Text4.locked);
    EXPECT_EQ(form().Text3.background, colours::kPlatformWindow);
    EXPECT_EQ(form().Text4.background, colours::kDerivedCyan);
    EXPECT_TRUE(form().Text3.focusRequested && !form().Text4.focusRequested);
    for (int n = 1; n <= 16; ++n) {
        EXPECT_EQ(form().Text(n).text, before.Text(n).text) << "Text" << n;
    }
    window.Option9_Click();
    EXPECT_TRUE(form().Text2.locked && !form().Text10.locked && form().Option1.value);
    EXPECT_TRUE(form().Text10.focusRequested);
}

TEST_F(AmbientHandlers, OnlyTheSelectedInputBoxesRecalculate) {
    // Text1 always counts; 2 and 4 are selected, 3, 10 and 11 not; 12 is an output.
    const std::pair<int, bool> boxes[] = {{1, true},   {2, true},   {4, true},  {3, false},
                                          {10, false}, {11, false}, {12, false}};
    for (const auto& [box, calculates] : boxes) {
        EXPECT_EQ(recalculates([&] { window.Text_Change(box); }), calculates) << "Text" << box;
    }
}

TEST_F(AmbientHandlers, EveryFormulationAndUnitSystemCommandRecalculates) {
    const std::pair<const char*, void (AmbientModel::*)()> commands[] = {
        {"IAPWS", &AmbientModel::menu_IAPWS_Click},
        {"HW", &AmbientModel::menu_HW_Click},
        {"HW again", &AmbientModel::menu_HW_Click},
        {"British", &AmbientModel::menu_british_Click},
        {"Metric", &AmbientModel::menu_metric_Click},
        {"Metric again", &AmbientModel::menu_metric_Click}};
    for (const auto& [name, command] : commands) {
        EXPECT_TRUE(recalculates([&] { (window.*command)(); })) << name;
    }
    EXPECT_TRUE(form().menu_HW.checked && !form().menu_IAPWS.checked);

    form().Text1.text = "1000"; // out of range in C and in F: the switch still ends calculated
    window.Text1_Change();
    window.menu_british_Click();
    EXPECT_EQ(form().Text12.text, "Error");
    EXPECT_TRUE(form().menu_british.checked);
    EXPECT_EQ(form().List1.background, colours::kErrorRed);
}

TEST_F(AmbientHandlers, SaveQuestionBeforeExitingOrOpening) {
    platform.savePaths = {path("metric")};
    window.menu_saveas_Click();
    window.exit_menu_Click();
    EXPECT_TRUE(ended && platform.questions.empty()) << "no question right after a save";
    window.menu_british_Click();
    struct Row {
        const char* name;
        bool opening; // else exiting
        Answer answer;
        const char* saveAs; // nullptr: the save dialog is cancelled
        bool goesOn, saved;
    };
    const Row rows[] = {
        {"exit: No ends without saving", false, Answer::No, nullptr, true, false},
        {"exit: Cancel stays", false, Answer::Cancel, nullptr, false, false},
        {"exit: Yes and a cancelled dialog stays", false, Answer::Yes, nullptr, false, false},
        {"exit: Yes and a path saves and ends", false, Answer::Yes, "saved", true, true},
        {"exit: Yes and a failed save stays", false, Answer::Yes, "missing/x", false, false},
        {"open: Cancel stops", true, Answer::Cancel, nullptr, false, false},
        {"open: Yes and a cancelled save stops", true, Answer::Yes, nullptr, false, false},
        {"open: Yes and a failed save stops", true, Answer::Yes, "missing/x", false, false},
        {"open: Yes saves, then opens", true, Answer::Yes, "saved", true, true},
        {"open: No opens", true, Answer::No, nullptr, true, false}};
    for (const Row& row : rows) {
        fs::remove(path("saved"));
        platform.answers = {row.answer};
        platform.savePaths = {row.saveAs ? std::optional(path(row.saveAs)) : std::nullopt};
        platform.openPaths = {std::nullopt};
        platform.openDialogs = 0;
        ended = false;
        row.opening ? window.menu_open_Click() : window.exit_menu_Click();
        EXPECT_EQ(row.opening ? platform.openDialogs == 1 : ended, row.goesOn) << row.name;
        EXPECT_EQ(fs::exists(path("saved")), row.saved) << row.name;
        EXPECT_EQ(caseState(), std::pair(true, path("metric"))) << row.name;
        EXPECT_TRUE(form().menu_british.checked) << row.name;
    }
    ASSERT_EQ(platform.messages.size(), 2U) << "each failed save says why";
    EXPECT_EQ(lastMessage().title, "Hygrovane 1.1");
    EXPECT_EQ(platform.questions[0].message, "Do you want to save the current file before exit?");
    EXPECT_EQ(platform.questions[0].title, "Save the current file");

    platform.answers = {Answer::No};
    platform.openPaths = {path("metric")};
    window.menu_open_Click();
    EXPECT_TRUE(form().menu_metric.checked);
    EXPECT_EQ(form().Combo1.text() + " " + form().Text1.text, "C 25");
    EXPECT_EQ(form().CurrentFileName, path("metric"));
    EXPECT_TRUE(form().CaseModified) << "the open ends with a calculation";
}

// Another window that keeps its unsaved work keeps the program open before the case is asked
// about; one that may close lets the case's own question decide.
TEST_F(AmbientHandlers, OtherWindowsAreAskedBeforeTheCase) {
    window.menu_british_Click(); // a modified case
    const struct {
        const char* name;
        Closing others;
        Answer answer;
        Closing closing;
        std::size_t questions;
    } rows[] = {
        {"another window stays open", Closing::StayOpen, Answer::No, Closing::StayOpen, 0},
        {"others close, the case is not saved", Closing::Close, Answer::No, Closing::Close, 1},
        {"others close, the case's question is cancelled", Closing::Close, Answer::Cancel,
         Closing::StayOpen, 1},
    };
    for (const auto& row : rows) {
        int asked = 0;
        window.otherWindowsQueryUnload = [&] { return ++asked, row.others; };
        platform.questions.clear();
        platform.answers = {row.answer, row.answer}; // the query, then the exit's own
        ended = false;
        EXPECT_EQ(window.Form_QueryUnload(), row.closing) << row.name;
        EXPECT_EQ(asked, 1) << row.name;
        EXPECT_EQ(platform.questions.size(), row.questions) << row.name;
        window.exit_menu_Click();
        EXPECT_EQ(ended, row.closing == Closing::Close) << row.name;
    }
}

TEST_F(AmbientHandlers, FailedSaveOrOpenKeepsTheCaseState) {
    platform.savePaths = {path("missing/case")};
    window.menu_save_Click(); // no current file: behaves as Save As
    EXPECT_EQ(platform.saveDialogs, 1);
    EXPECT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(caseState(), std::pair(true, std::string()));

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
    EXPECT_EQ(caseState(), std::pair(true, path("case")));

    platform.answers = {Answer::No};
    platform.openPaths = {path("absent")};
    window.menu_open_Click();
    ASSERT_EQ(platform.messages.size(), 3U);
    EXPECT_EQ(lastMessage().title, "Hygrovane 1.1");
    EXPECT_EQ(caseState(), std::pair(true, path("case")));
}

TEST_F(AmbientHandlers, ReportIsWrittenWithTxtAndRefusedAfterAFailedCalculation) {
    platform.savePaths = {path("report")};
    window.menu_report_Click();
    EXPECT_TRUE(fs::exists(path("report.txt")));
    EXPECT_EQ(caseState(), std::pair(true, std::string()));

    form().Text1.text = "abc";
    window.Text1_Change();
    window.menu_report_Click();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(lastMessage().message, "The report can't be generated due to Error in calculations!");
    EXPECT_EQ(lastMessage().title, "Hygrovane 2.1  Error in Creating Report");
    EXPECT_EQ(platform.saveDialogs, 1) << "no dialog after the refusal";
}

TEST_F(AmbientHandlers, UsersGuideIsTheFirstOneFoundOrAMessageSaysWhyNot) {
    window.guideFolders = {folder / "a", folder / "b", folder / "c"};
    window.help_index_menu_Click();
    EXPECT_TRUE(platform.documents.empty());
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(lastMessage().message,
              "The user's guide \"Hygrovane1_1UsersGuide.pdf\" was found in none of these "
              "folders:\n" +
                  (folder / "a").string() + "\n" + (folder / "b").string() + "\n" +
                  (folder / "c").string());

    for (const char* found : {"c", "b"}) {
        fs::create_directories(folder / found);
        std::ofstream(folder / found / config::kUsersGuideFile) << "%PDF";
    }
    platform.documentsOpen = false; // no program to show it
    window.help_index_menu_Click();
    const std::string guide = (folder / "b" / config::kUsersGuideFile).string();
    EXPECT_EQ(platform.documents, std::vector{guide});
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_EQ(lastMessage().message, "The user's guide \"" + guide +
                                         "\" was found, but no program to show it could be "
                                         "started.");
    EXPECT_EQ(lastMessage().title, "Hygrovane 1.1");
}

// A refused file leaves the window, its file name, its modified flag and every file on disk as
// they were; nothing is calculated.
TEST_F(AmbientHandlers, OpeningWhatIsNotACompleteCaseChangesNothing) {
    window.menu_british_Click(); // a case quite unlike the start-up one, saved
    form().Text1.text = "77";
    window.Text1_Change();
    platform.savePaths = {path("current")};
    window.menu_saveas_Click();
    const std::string saved = FileBytes(path("current"));
    std::string cut = saved.substr(0, saved.find("77\r\n") + 4); // ends after the temperature
    cut.replace(cut.find("British"), 7, "Metric").replace(cut.find("77"), 2, "30");
    const std::pair<const char*, std::string> files[] = {
        {"meeting notes", "Monday\r\n- coffee\r\n"},
        {"empty", ""},
        {"cut after the temperature", cut},
        {"line break inside the temperature",
         std::string(saved).replace(saved.find("77"), 2, "7\r7")},
        {"temperature longer than a box",
         std::string(saved).replace(saved.find("77"), 2, "2.5" + std::string(400, '0'))},
    };
    for (const auto& [name, bytes] : files) {
        std::ofstream(path("file"), std::ios::binary) << bytes;
        window.menu_metric_Click(); // the window differs from the saved case
        form().CaseModified = false;
        const std::string before = Shown(form());
        platform.openPaths = {path("file")};
        platform.messages.clear();
        window.menu_open_Click();
        EXPECT_EQ(Shown(form()), before) << name;
        EXPECT_EQ(caseState(), std::pair(false, path("current"))) << name;
        ASSERT_EQ(platform.messages.size(), 1U) << name;
        EXPECT_EQ(lastMessage().message.rfind("The file \"" + path("file") +
                                                  "\" was not opened: it is not a complete "
                                                  "Hygrovane case (",
                                              0),
                  0U)
            << lastMessage().message;
        EXPECT_EQ(lastMessage().title, "Hygrovane 1.1");
        EXPECT_EQ(FileBytes(path("file")), bytes) << name;
        EXPECT_EQ(FileBytes(path("current")), saved) << name;
    }
}

// Pasted lines in a box never reach a file: neither Save nor Save As writes them.
TEST_F(AmbientHandlers, SavingAValueWithLineBreaksLeavesTheFilesAsTheyWere) {
    platform.savePaths = {path("current")};
    window.menu_saveas_Click();
    std::ofstream(path("other"), std::ios::binary) << "other file\r\n";
    const std::string current = FileBytes(path("current"));
    form().Text1.text = "30\n2\n8000\n3\n0.002";
    window.Text1_Change();
    for (const bool saveAs : {false, true}) {
        platform.savePaths = {path("other")};
        saveAs ? window.menu_saveas_Click() : window.menu_save_Click();
        EXPECT_EQ(caseState(), std::pair(true, path("current"))) << saveAs;
        ASSERT_FALSE(platform.messages.empty());
        EXPECT_NE(lastMessage().message.find("a value holds a line break"), std::string::npos)
            << lastMessage().message;
    }
    EXPECT_EQ(platform.messages.size(), 2U);
    EXPECT_EQ(FileBytes(path("current")), current);
    EXPECT_EQ(FileBytes(path("other")), "other file\r\n");
}

// The fractions can be the input: written with the locale's comma they could not be read back.
// The comma stays where nothing reads it, the composition table; no other text changes.
TEST_F(AmbientHandlers, FractionsAreWrittenWithAPointInACommaLocale) {
    testing::FakePlatform otherPlatform;
    AmbientModel comma{otherPlatform};
    comma.form().decimalSeparator = ",";
    comma.Form_Load();
    EXPECT_EQ(comma.form().Text8.text + " " + comma.form().Text9.text, "1.5641 0.9787");
    std::string pointed = Shown(comma.form());
    std::replace(pointed.begin(), pointed.end(), ',', '.');
    EXPECT_EQ(pointed, Shown(form()));
    EXPECT_NE(comma.form().List1.items[8].find("0,9219"), std::string::npos);

    for (const int option : {6, 7}) { // the mole fraction, then the mass fraction as the input
        comma.Option_Click(option);
        comma.form().Text1.text = "20";
        comma.Text1_Change();
        EXPECT_NE(comma.form().Text12.text, "Error") << comma.form().List1.items.back();
        otherPlatform.savePaths = {path("comma")};
        comma.menu_saveas_Click();
        otherPlatform.openPaths = {path("comma")};
        comma.menu_open_Click();
        EXPECT_NE(comma.form().Text12.text, "Error") << "reopened, option " << option;
        comma.form().Text1.text = "25";
        comma.Text1_Change();
    }
    EXPECT_EQ(comma.form().Text8.text, "1.5641");
    EXPECT_TRUE(otherPlatform.messages.empty());
}

TEST_F(AmbientHandlers, WebPageButtonReportsOnlyAFailedBrowser) {
    window.Command1_Click();
    EXPECT_TRUE(platform.messages.empty());
    platform.webPagesOpen = false;
    window.Command1_Click();
    EXPECT_EQ(platform.webPages, std::vector(2, WebPageUrl(form().Command1Caption)));
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(lastMessage().message, "Error when loading webpage!");
    EXPECT_EQ(lastMessage().title, "");
    EXPECT_EQ(WebPageUrl("www.example.com"), "https://www.example.com");
    EXPECT_EQ(WebPageUrl("http://example.com/x"), "http://example.com/x");
}

} // namespace
} // namespace hygrovane::models
