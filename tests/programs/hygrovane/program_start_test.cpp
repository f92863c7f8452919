#include "models/fake_platform.h"
#include "programs/hygrovane/program_start.h"
#include "views/about/about_window.h"
#include "views/qt_app.h"

#include <QAction>
#include <QLabel>
#include <QRadioButton>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace hygrovane::app {
namespace {

namespace fs = std::filesystem;
using testing::control;

// What the main window shows of a case: the inputs, units, choices and check marks.
QStringList shownCase(QWidget& view) {
    QStringList shown;
    for (int n = 1; n <= 16; ++n) {
        shown << "Text" + QString::number(n) + "=" +
                     testing::text(view, "Text" + QString::number(n))
              << control<QComboBox>(view, "Combo" + QString::number(n))->currentText();
    }
    for (int n = 1; n <= 10; ++n) {
        shown << (control<QRadioButton>(view, "Option" + QString::number(n))->isChecked() ? "x"
                                                                                          : "-");
    }
    for (const char* menu : {"menu_IAPWS", "menu_HW", "menu_metric", "menu_british"}) {
        shown << menu + QString(control<QAction>(view, menu)->isChecked() ? "+" : "");
    }
    return shown << control<QLabel>(view, "Label27")->text();
}

// The program started as main() does, with or without a case file on its command line.
class ProgramStart : public ::testing::Test {
  protected:
    void SetUp() override { fs::create_directories(folder); }
    void TearDown() override { fs::remove_all(folder); }
    std::string path(const std::string& name) const { return (folder / name).string(); }
    static views::AboutWindow* about(QWidget& window) {
        return window.findChild<views::AboutWindow*>();
    }
    static void closeAbout(QWidget& window) {
        if (views::AboutWindow* box = about(window)) {
            box->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }
    // What a start without a file shows, for comparison.
    QStringList startUpState() {
        testing::FakePlatform otherPlatform;
        views::AmbientWindow other{otherPlatform};
        StartProgram(other, otherPlatform, std::nullopt);
        closeAbout(other);
        return shownCase(other);
    }

    QApplication& app = testing::qtApp(); // before any widget
    fs::path folder = fs::temp_directory_path() /
                      ("hygrovane-start-" + std::to_string(::getpid()) + "-" +
                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    testing::FakePlatform platform;
    views::AmbientWindow view{platform};
};

TEST_F(ProgramStart, CaseOnTheCommandLineIsOpenedBehindTheAboutBox) {
    const std::string file = path("british hw altitude");
    std::ofstream(file, std::ios::binary)
        << "Hygrovane 1.1\r\nHW\r\nBritish\r\nF\r\nPSI\r\nF\r\nF\r\n(lb moisture)/(lb dry air)\r\n"
           "(lb moisture)/ft^3\r\nft\r\nPSI\r\nbtu/lb-R\r\nlbm/lbmol\r\nlb/ft^3\r\n"
           "ft^3/lb (dry air)\r\nbtu/lb (dry air)\r\n86\r\n2\r\n1500\r\n2\r\n0.012\r\n";
    StartProgram(view, platform, file);
    ASSERT_NE(about(view), nullptr) << "the About box still comes first";
    EXPECT_FALSE(view.isVisible());
    closeAbout(view);
    ASSERT_TRUE(view.isVisible());

    const QStringList shown = shownCase(view);
    for (const char* expected :
         {"Text1=86", "Text10=1500", "Text3=0.012", "F", "PSI", "ft", "btu/lb (dry air)",
          "menu_HW+", "menu_british+", "Unit (British)"}) {
        EXPECT_TRUE(shown.contains(expected)) << expected;
    }
    EXPECT_TRUE(control<QRadioButton>(view, "Option9")->isChecked()) << "altitude input";
    EXPECT_TRUE(control<QRadioButton>(view, "Option1")->isChecked()) << "humidity ratio input";
    EXPECT_NE(testing::text(view, "Text4"), "50") << "relative humidity derived from the case";
    EXPECT_TRUE(platform.questions.empty()) << "no save question before the first edit";
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.openDialogs, 0);
    EXPECT_EQ(view.model().form().CurrentFileName, file) << "Save writes back to it";
}

TEST_F(ProgramStart, UnreadableCaseShowsTheOpenMessageAndKeepsTheStartUpState) {
    fs::create_directories(path("folder"));
    std::ofstream(path("binary"), std::ios::binary) << std::string("Hygrovane 1.1\r\n\0HW", 18);
    const QStringList startUp = startUpState();
    for (const char* name : {"absent", "folder", "binary"}) {
        SCOPED_TRACE(name);
        testing::FakePlatform opened;
        views::AmbientWindow viaCommandLine{opened};
        StartProgram(viaCommandLine, opened, path(name));
        closeAbout(viaCommandLine);
        EXPECT_TRUE(viaCommandLine.isVisible());

        // The File, Open command on the same file, for the message it gives.
        testing::FakePlatform menu;
        models::AmbientModel viaMenu{menu};
        menu.openPaths = {path(name)};
        viaMenu.menu_open_Click();

        ASSERT_EQ(opened.messages.size(), 1U);
        ASSERT_EQ(menu.messages.size(), 1U);
        EXPECT_EQ(opened.messages[0].message, menu.messages[0].message);
        EXPECT_EQ(opened.messages[0].title, menu.messages[0].title);
        EXPECT_EQ(shownCase(viaCommandLine), startUp);
        EXPECT_EQ(viaCommandLine.model().form().CurrentFileName, "");
    }
}

} // namespace
} // namespace hygrovane::app
