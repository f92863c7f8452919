// The Batch Convert dialog as a user drives it: opened from the File menu, a logger file chosen,
// its mapping changed, the conversion run off the user-interface thread, or cancelled.
#include "guide_examples.h"
#include "models/fake_platform.h"
#include "qt_app.h"
#include "views/ambient/ambient_window.h"
#include "views/batch/batch_window.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>

#include <filesystem>
#include <fstream>

namespace hygrovane::views {
namespace {

namespace fs = std::filesystem;
using testing::control;
using testing::pick;

class BatchDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("hygrovane-dialog-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        view.model().showBatch = [this] { showBatchWindow(platform, &view); };
    }
    void TearDown() override {
        if (dialog) {
            dialog->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fs::remove_all(folder);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        const std::string path = (folder / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    // Opens the dialog from the File menu and chooses the file through its Browse button.
    void open(const std::string& path) {
        control<QAction>(view, "menu_batch")->trigger();
        dialog = view.findChild<BatchWindow*>("Form_batch");
        ASSERT_TRUE(dialog);
        platform.openPaths = {path};
        control<QPushButton>(*dialog, "Command_input")->click();
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
    bool finished() {
        return QTest::qWaitFor([this] { return !dialog->model().running(); }, 60000);
    }

    QApplication& app = testing::qtApp(); // before any widget
    testing::FakePlatform platform;
    AmbientWindow view{platform};
    QPointer<BatchWindow> dialog;
    fs::path folder;
};

TEST_F(BatchDialog, FileMenuKeepsItsEntriesAndOpensTheDialog) {
    QMenu* file = control<QMenu>(view, "menu_file");
    QStringList entries;
    for (QAction* action : file->actions()) {
        entries << (action->isSeparator() ? "-" : action->objectName());
    }
    EXPECT_EQ(entries, (QStringList{"menu_open", "-", "menu_save", "menu_saveas", "-",
                                    "menu_report", "-", "menu_batch", "-", "exit_menu"}));
    EXPECT_EQ(control<QAction>(view, "menu_report")->shortcut(), QKeySequence("Ctrl+R"));
    EXPECT_EQ(control<QAction>(view, "exit_menu")->shortcut(), QKeySequence("Ctrl+X"));
    EXPECT_EQ(control<QAction>(view, "menu_batch")->text(), "&Batch Convert...");
}

TEST_F(BatchDialog, ShowsTheDetectedColumnsTakesChangesAndWritesTheFile) {
    const std::string input = write("logger.csv", "Plot Title: 1\n"
                                                  "#,Time,\"Temp, \xC2\xB0"
                                                  "F\",\"RH, %\"\n"
                                                  "1,10:00,70.5,45.2\n"
                                                  "2,10:01,abc,45\n"
                                                  "3,10:02,71,46\n");
    open(input);
    auto* preview = control<QTableWidget>(*dialog, "Table_preview");
    EXPECT_EQ(preview->rowCount(), 3);
    EXPECT_EQ(preview->columnCount(), 4);
    EXPECT_EQ(preview->item(0, 2)->text(), "70.5");
    EXPECT_EQ(control<QComboBox>(*dialog, "Combo_dryBulbColumn")->currentIndex(), 2);
    EXPECT_EQ(control<QComboBox>(*dialog, "Combo_dryBulbUnit")->currentText(), "F");
    EXPECT_EQ(control<QComboBox>(*dialog, "Combo_humidityKind")->currentText(),
              "Relative Humidity");
    EXPECT_EQ(control<QComboBox>(*dialog, "Combo_pressureColumn")->currentIndex(), 0);
    EXPECT_EQ(control(*dialog, "Text_output")->text().toStdString(),
              (folder / "logger-psychrometric.csv").string());

    // The user's changes: British units, the altitude of the place instead of a pressure.
    pick(*dialog, "Combo_units", "British");
    pick(*dialog, "Combo_pressureKind", "Altitude above Sea Level");
    control(*dialog, "Text_pressureValue")->clear();
    QTest::keyClicks(control(*dialog, "Text_pressureValue"), "1500");
    pick(*dialog, "Combo_pressureUnit", "ft");
    control<QPushButton>(*dialog, "Command_run")->click();
    ASSERT_TRUE(finished());
    QTest::qWait(150); // the timer's last redraw
    const QString summary = control<QLabel>(*dialog, "Label_message")->text();
    EXPECT_TRUE(summary.contains("3 rows read, 2 computed, 1 refused")) << summary.toStdString();
    std::ifstream written(folder / "logger-psychrometric.csv");
    std::vector<std::string> lines;
    for (std::string line; std::getline(written, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 5U);
    EXPECT_NE(lines[1].find("Barometric Pressure [PSI]"), std::string::npos) << lines[1];
    EXPECT_NE(lines[1].find("Dew Point Temperature [F]"), std::string::npos) << lines[1];
    EXPECT_NE(lines[3].find("Ambient Temperature: not a number (abc)"), std::string::npos);
}

TEST_F(BatchDialog, CancelStopsTheRunningConversionAndLeavesNoFile) {
    std::string rows = "Temperature (C),RH (%)\n";
    for (int i = 0; i < 400000; ++i) {
        rows += std::to_string(i % 50) + "." + std::to_string(i % 7) + "," +
                std::to_string(5 + i % 90) + "\n";
    }
    open(write("long.csv", rows));
    control<QPushButton>(*dialog, "Command_run")->click();
    EXPECT_TRUE(dialog->model().running());
    EXPECT_FALSE(control<QPushButton>(*dialog, "Command_run")->isEnabled());
    // The window keeps answering while the conversion runs.
    QTest::qWait(50);
    EXPECT_TRUE(control<QPushButton>(*dialog, "Command_cancel")->isEnabled());
    control<QPushButton>(*dialog, "Command_cancel")->click();
    ASSERT_TRUE(finished());
    QTest::qWait(150);
    EXPECT_EQ(control<QLabel>(*dialog, "Label_message")->text(), "Cancelled; no file was written.");
    EXPECT_EQ(files(), std::vector<std::string>{"long.csv"});
    EXPECT_TRUE(control<QPushButton>(*dialog, "Command_run")->isEnabled());
}

// The file a user would convert, named as a user names it, as the guide's picture shows it.
TEST_F(BatchDialog, ConvertsAUsersFileAsTheGuideShowsIt) {
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    write(guide::kOfficeLoggerName, guide::kOfficeLogger);
    open(guide::kOfficeLoggerName);
    EXPECT_EQ(control(*dialog, "Text_output")->text(), "office-2026-07-psychrometric.csv");
    control<QPushButton>(*dialog, "Command_run")->click();
    const bool done = finished();
    QTest::qWait(150);
    const QString summary = control<QLabel>(*dialog, "Label_message")->text();
    fs::current_path(before);
    ASSERT_TRUE(done);
    EXPECT_TRUE(summary.contains("5 rows read, 3 computed, 2 refused")) << summary.toStdString();
    EXPECT_TRUE(summary.contains("7 lines: 2 title and header, 5 rows read (3 used, 2 skipped)"))
        << summary.toStdString();
}

// Convert asks before replacing a file the user did not choose in the save dialog; the header
// line can be set when the one found is a title.
TEST_F(BatchDialog, AsksBeforeReplacingAndTakesTheHeaderLine) {
    const std::string input = write("logger.csv", "Temperature,Humidity,Pressure\n"
                                                  "T (C),RH (%),v\n"
                                                  "20,50,1\n");
    const std::string results = write("logger-psychrometric.csv", "edited by hand\n");
    open(input);
    EXPECT_EQ(control<QTableWidget>(*dialog, "Table_preview")->columnCount(), 3);
    EXPECT_EQ(control<QTableWidget>(*dialog, "Table_preview")->rowCount(), 2)
        << "the title named more than the header";
    control<QSpinBox>(*dialog, "Spin_headerLine")->setValue(2);
    EXPECT_EQ(control<QTableWidget>(*dialog, "Table_preview")->rowCount(), 1);
    EXPECT_EQ(control<QComboBox>(*dialog, "Combo_dryBulbUnit")->currentText(), "C");

    platform.answers = {models::Platform::Answer::No};
    control<QPushButton>(*dialog, "Command_run")->click();
    ASSERT_TRUE(finished());
    ASSERT_EQ(platform.questions.size(), 1U);
    EXPECT_EQ(control<QLabel>(*dialog, "Label_message")->text().toStdString(),
              "Nothing was converted; the file \"" + results + "\" was kept.");
    std::ifstream kept(results);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "edited by hand\n");

    platform.answers = {models::Platform::Answer::Yes};
    control<QPushButton>(*dialog, "Command_run")->click();
    ASSERT_TRUE(finished());
    QTest::qWait(150);
    EXPECT_TRUE(control<QLabel>(*dialog, "Label_message")->text().startsWith("Written to"));
    EXPECT_EQ(platform.questions.size(), 2U);
}

} // namespace
} // namespace hygrovane::views
