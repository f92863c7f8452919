#include "models/fake_platform.h"
#include "qt_app.h"
#include "views/about/about_window.h"
#include "views/ambient/ambient_window.h"
#include "views/common/display_check.h"
#include "views/convertor/convertor_window.h"
#include "views/saturation/saturation_window.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace hygrovane::views {
namespace {

using testing::control;
using testing::pick;
using testing::retype;
using testing::text;

void closeAndDelete(QWidget* window) {
    if (window != nullptr) {
        window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A shown fixed-size window without minimize or maximize button; the About box has no icon of its
// own (the program sets one for every window).
void expectToolWindowLook(QWidget& window, bool ownIcon = true) {
    EXPECT_TRUE(window.isWindow() && window.isVisible());
    EXPECT_EQ(window.windowIcon().isNull(), !ownIcon);
    EXPECT_FALSE(window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

// The program as main() wires it: the About box first, the main window when it closes, and the
// auxiliary windows opened from its menu.
class ProgramWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        auto& handlers = view.model();
        handlers.showAbout = [this] {
            about = showAboutBox(
                platform, [this] { view.show(); }, &view);
        };
        handlers.showConvertor = [this] { showUnitConvertor(&view); };
        handlers.showSaturation = [this] { showSaturationWindow(&view); };
        handlers.endProgram = [this] { ended = true; };
        view.load();
    }
    void TearDown() override {
        for (QWidget* window : {static_cast<QWidget*>(about), opened.data()}) {
            closeAndDelete(window);
        }
    }
    void closeAbout() {
        closeAndDelete(about);
        EXPECT_EQ(about, nullptr);
        EXPECT_TRUE(view.isVisible());
    }
    template <typename Window> Window* open(const char* menu, const char* name) {
        control<QAction>(view, menu)->trigger();
        opened = view.findChild<Window*>(name);
        return static_cast<Window*>(opened.data());
    }

    QApplication& app = testing::qtApp(); // before any widget
    testing::FakePlatform platform;
    AmbientWindow view{platform};
    QPointer<AboutWindow> about;
    QPointer<QWidget> opened;
    bool ended = false;
};

TEST_F(ProgramWindows, AboutBoxComesFirstThenTheMainWindowWithItsNamedControls) {
    ASSERT_TRUE(about);
    EXPECT_FALSE(view.isVisible());
    expectToolWindowLook(*about, false);
    EXPECT_EQ(about->objectName(), "frmAbout");
    EXPECT_EQ(about->windowTitle(), "About Hygrovane 1.1");
    EXPECT_EQ(control<QLabel>(*about, "lblTitle")->text(), "Hygrovane 1.1");
    EXPECT_EQ(control<QLabel>(*about, "lblVersion")->text(), "Version 1.1.1");
    EXPECT_NE(control<QLabel>(*about, "lblDescription")->text(), "");
    closeAbout(); // then the main window, every control named
    EXPECT_EQ(view.objectName(), "Form_ambient");
    EXPECT_EQ(view.windowTitle(), "Hygrovane 1.1");
    for (const auto& [prefix, count] :
         {std::pair{"Text", 16}, {"Combo", 16}, {"Label", 33}, {"Option", 10}, {"Frame", 3}}) {
        for (int n = 1; n <= count; ++n) {
            control<QWidget>(view, prefix + QString::number(n));
        }
    }
    EXPECT_FALSE(control<QComboBox>(view, "Combo2")->isEditable());
    EXPECT_FALSE(control<QAction>(view, "menu_customized")->isEnabled());
    EXPECT_EQ(control<QAction>(view, "exit_menu")->shortcut(), QKeySequence("Ctrl+X"));
}

TEST_F(ProgramWindows, MainWindowTypingListsAndMenusReachTheHandlers) {
    closeAbout();
    bool& modified = view.model().form().CaseModified;
    modified = false;
    pick(view, "Combo2", "kPa");
    EXPECT_FALSE(modified) << "picking the selected item again is no change";
    pick(view, "Combo1", "F");
    EXPECT_EQ(control<QLabel>(view, "Label5")->text(), "-148");
    EXPECT_EQ(control<QLabel>(view, "Label4")->text(), "212");
    EXPECT_EQ(control<QLabel>(view, "Label27")->text(), "Unit (Customized)");
    EXPECT_TRUE(control<QAction>(view, "menu_customized")->isChecked());

    control<QAction>(view, "menu_HW")->trigger();
    EXPECT_EQ(control<QListWidget>(view, "List1")->item(0)->text(),
              "Sat. Formulation:  Hyland-Wexler");
    EXPECT_TRUE(control<QAction>(view, "menu_HW")->isChecked());
    EXPECT_FALSE(control<QAction>(view, "menu_IAPWS")->isChecked());

    QString before = text(view, "Text3");
    retype(view, "Text4", "60");
    EXPECT_EQ(text(view, "Text4"), "60");
    EXPECT_NE(text(view, "Text3"), before);

    before = text(view, "Text3");
    retype(view, "Text3", "7");
    EXPECT_EQ(text(view, "Text3"), before) << "locked while Option2 is chosen";
    modified = false;
    control(view, "Text3")->setText("0.5");
    EXPECT_FALSE(modified) << "a text set from code starts no calculation";

    control<QRadioButton>(view, "Option1")->click();
    EXPECT_FALSE(control<QRadioButton>(view, "Option2")->isChecked());
    EXPECT_FALSE(control(view, "Text3")->isReadOnly());
    EXPECT_TRUE(control(view, "Text4")->isReadOnly());
    EXPECT_EQ(control(view, "Text3")->selectedText(), text(view, "Text3"));
}

TEST_F(ProgramWindows, MainWindowEditingKeysStayWithTheTextBoxAndClosingAsks) {
    closeAbout();
    QApplication::setActiveWindow(&view);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    QLineEdit* text1 = control(view, "Text1");
    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(text1->selectedText(), "25");
    EXPECT_EQ(platform.saveDialogs, 0) << "Ctrl+A selected the text instead of Save As";
    QTest::keyClick(text1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "");
    EXPECT_FALSE(ended) << "Ctrl+X cut instead of leaving the program";
    control<QComboBox>(view, "Combo1")->setFocus();
    QTest::keyClick(control<QComboBox>(view, "Combo1"), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(platform.saveDialogs, 1) << "outside a text box Ctrl+A is Save As";

    platform.answers = {models::Platform::Answer::Cancel};
    EXPECT_FALSE(view.close());
    EXPECT_EQ(platform.questions.size(), 1U);
    EXPECT_FALSE(ended);
}

TEST_F(ProgramWindows, HelpMenuOpensTheAboutBoxAgainAndLeavesTheCaseAsItWas) {
    closeAbout();
    const QString before = text(view, "Text1");
    const bool modified = view.model().form().CaseModified;
    control<QAction>(view, "abou_menu")->trigger();
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About Hygrovane 1.1");

    platform.webPagesOpen = false;
    control<QPushButton>(*about, "Command2")->click();
    ASSERT_EQ(platform.webPages.size(), platform.messages.size());
    EXPECT_EQ(platform.messages[0].message, "Error when loading webpage!");
    EXPECT_EQ(platform.messages[0].title, "");
    EXPECT_TRUE(about->isVisible()) << "the box stays open after the failure";

    closeAbout();
    EXPECT_EQ(text(view, "Text1"), before);
    EXPECT_EQ(view.model().form().CaseModified, modified);
}

// Started without a display, the program says so in one line instead of letting Qt abort.
TEST(CheckDisplay, TellsWhenNoWindowCanBeShown) {
    using Env = std::map<std::string, std::string>;
    const char* const kQpa = "QT_QPA_PLATFORM";
    struct Row {
        const char* name;
        Env env;
        std::vector<const char*> args;
        bool missing;
    };
    const Row rows[] = {
        {"nothing set", {}, {}, true},
        {"X display", {{"DISPLAY", ":0"}}, {}, false},
        {"Wayland display", {{"WAYLAND_DISPLAY", "wayland-0"}}, {}, false},
        {"offscreen needs no display", {{kQpa, "offscreen"}}, {}, false},
        {"offscreen with options", {{kQpa, "offscreen:size=800x600"}}, {}, false},
        {"xcb without DISPLAY", {{kQpa, "xcb"}, {"WAYLAND_DISPLAY", "w"}}, {}, true},
        {"wayland without its display", {{kQpa, "wayland"}, {"DISPLAY", ":0"}}, {}, true},
        {"fallback finds xcb", {{kQpa, "wayland;xcb"}, {"DISPLAY", ":0"}}, {}, false},
        {"argument wins", {{kQpa, "xcb"}}, {"-platform", "offscreen"}, false}};
    for (const Row& row : rows) {
        std::vector<const char*> argv{"hygrovane"};
        argv.insert(argv.end(), row.args.begin(), row.args.end());
        const auto env = [&](const char* name) {
            const auto found = row.env.find(name);
            return found == row.env.end() ? std::string() : found->second;
        };
        EXPECT_EQ(!CheckDisplay(static_cast<int>(argv.size()), argv.data(), env).has_value(),
                  row.missing)
            << row.name;
    }
}

// The build renders the user's guide beside the program, where the Help menu finds it.
TEST(UsersGuide, IsBuiltBesideTheProgramWithAtLeastSixPages) {
    const std::filesystem::path guide = HYGROVANE_USERS_GUIDE_PDF;
    EXPECT_EQ(guide.filename(), "Hygrovane1_1UsersGuide.pdf");
    EXPECT_EQ(guide.parent_path().filename(), "hygrovane");
    std::ostringstream bytes;
    bytes << std::ifstream(guide, std::ios::binary).rdbuf();
    const std::string pdf = bytes.str();
    ASSERT_EQ(pdf.rfind("%PDF-", 0), 0U) << guide;
    int pages = 0;
    const std::string page = "/Type /Page";
    for (auto at = pdf.find(page); at != std::string::npos; at = pdf.find(page, at + 1)) {
        pages += pdf.compare(at, page.size() + 1, page + "s") != 0; // not "/Type /Pages"
    }
    EXPECT_GE(pages, 6);
}

TEST_F(ProgramWindows, SaturationWindowOpensFromTheMenuAndRecomputesAsTheUserTypes) {
    closeAbout();
    auto* window = open<SaturationWindow>("menu_sat", "Form_saturation");
    ASSERT_NE(window, nullptr);
    expectToolWindowLook(*window);
    EXPECT_EQ(window->windowTitle(), "Saturation Condition of Water");
    EXPECT_EQ(control<QLabel>(*window, "Label1")->text(), "  Input");
    EXPECT_EQ(control<QLabel>(*window, "Label7")->text(), "  Hyland- Wexler");
    EXPECT_EQ(text(*window, "Text1") + " " + text(*window, "Text2") + " " + text(*window, "Text3"),
              "100 101.41797792131 101.41871682799");
    EXPECT_TRUE(control(*window, "Text2")->isReadOnly());

    const int inputTop = control<QComboBox>(*window, "Combo2")->y();
    const int outputTop = control<QComboBox>(*window, "Combo3")->y();
    pick(*window, "Combo1", "Pressure"); // the unit lists trade places
    EXPECT_EQ(control<QComboBox>(*window, "Combo3")->y(), inputTop);
    EXPECT_EQ(control<QComboBox>(*window, "Combo2")->y(), outputTop);
    EXPECT_EQ(control<QLabel>(*window, "Label4")->text(), "Temperature");
    retype(*window, "Text1", "101.325");
    EXPECT_EQ(text(*window, "Text2") + " " + text(*window, "Text3"), "99.9743 99.97409862");
    retype(*window, "Text1", "abc");
    EXPECT_EQ(text(*window, "Text2"), "Error");
    pick(*window, "Combo2", "K");
    EXPECT_EQ(text(*window, "Text1") + " " + text(*window, "Text2") + " " + text(*window, "Text3"),
              "abc Error Error");

    closeAndDelete(window); // every showing starts from the load state
    window = open<SaturationWindow>("menu_sat", "Form_saturation");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(text(*window, "Text1") + " " + text(*window, "Text2"), "100 101.41797792131");
    EXPECT_EQ(control<QComboBox>(*window, "Combo1")->currentText(), "Temperature");
    EXPECT_EQ(control<QComboBox>(*window, "Combo2")->y(), inputTop);
    EXPECT_FALSE(control(*window, "Text1")->isUndoAvailable());
}

TEST_F(ProgramWindows, ConvertorOpensFromTheMenuAndConvertsAsTheUserTypesAndPicks) {
    closeAbout();
    auto* window = open<ConvertorWindow>("menu_convertor", "Form_unit_convertor");
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window);
    const auto visibleUnitLists = [window] {
        QStringList shown;
        for (const QComboBox* list : window->findChildren<QComboBox*>()) {
            if (list->objectName() != "Combo1" && list->isVisibleTo(window)) {
                shown << list->objectName();
            }
        }
        shown.sort();
        return shown.join(' ');
    };
    expectToolWindowLook(*window);
    EXPECT_EQ(window->windowTitle(), "Unit Convertor");
    EXPECT_EQ(control<QLabel>(*window, "Label1")->text(), "Quantity");
    EXPECT_EQ(control<QComboBox>(*window, "Combo1")->currentText(), "Temperature");
    EXPECT_EQ(text(*window, "Text1") + " " + text(*window, "Text2"), "1 1");
    EXPECT_EQ(visibleUnitLists(), "Combo2_0 Combo3_0");

    pick(*window, "Combo1", "Pressure");
    EXPECT_EQ(visibleUnitLists(), "Combo2_1 Combo3_1");
    pick(*window, "Combo2_1", "Atmosphere");
    pick(*window, "Combo3_1", "mm Hg");
    EXPECT_EQ(text(*window, "Text2"), "760.0021001785");
    pick(*window, "Combo1", "Temperature"); // each quantity keeps its own units
    EXPECT_EQ(control<QComboBox>(*window, "Combo2_0")->currentText(), "C");
    pick(*window, "Combo3_0", "F");
    EXPECT_EQ(text(*window, "Text2"), "33.8");
    pick(*window, "Combo1", "Pressure");
    EXPECT_EQ(control<QComboBox>(*window, "Combo2_1")->currentText(), "Atmosphere");
    EXPECT_EQ(text(*window, "Text2"), "760.0021001785");

    pick(*window, "Combo1", "Temperature"); // signs and points go in key by key
    pick(*window, "Combo3_0", "K");
    retype(*window, "Text1", "-5");
    EXPECT_EQ(text(*window, "Text2"), "268.15");
    retype(*window, "Text1", ".5");
    EXPECT_EQ(text(*window, "Text2"), "273.65");

    retype(*window, "Text1", "abc");
    EXPECT_EQ(text(*window, "Text1") + " " + text(*window, "Text2"), "abc Error");
    pick(*window, "Combo2_0", "F");
    EXPECT_EQ(text(*window, "Text2"), "Error");
    EXPECT_TRUE(control(*window, "Text1")->hasFocus());
    EXPECT_EQ(control(*window, "Text1")->selectedText(), "abc");
    retype(*window, "Text1", "");
    EXPECT_EQ(text(*window, "Text2"), "Error");

    closeAndDelete(window); // every showing starts from the load state
    window = open<ConvertorWindow>("menu_convertor", "Form_unit_convertor");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(text(*window, "Text1") + " " + text(*window, "Text2"), "1 1");
    EXPECT_EQ(visibleUnitLists(), "Combo2_0 Combo3_0");
    EXPECT_EQ(control<QComboBox>(*window, "Combo3_0")->currentText(), "C");
}

// Line breaks and other control characters pasted into a value box are dropped, in every window:
// the box shows what its window holds, and the caret stays after the pasted text.
TEST_F(ProgramWindows, ValueBoxesOfEveryWindowKeepOneLine) {
    closeAbout();
    auto* saturation = open<SaturationWindow>("menu_sat", "Form_saturation");
    auto* convertor = open<ConvertorWindow>("menu_convertor", "Form_unit_convertor");
    ASSERT_TRUE(saturation && convertor);
    const AmbientForm& main = view.model().form();
    const struct {
        QWidget* window;
        const char* box;
        const std::string& held;
    } rows[] = {{&view, "Text1", main.Text1.text},
                {&view, "Text4", main.Text4.text},
                {saturation, "Text1", saturation->model().Text1.text},
                {convertor, "Text1", convertor->model().Text1.text}};
    QGuiApplication::clipboard()->setText(QStringLiteral("\n0\r\n.5\t\u2028"));
    for (const auto& row : rows) {
        const std::string name = row.window->objectName().toStdString() + "." + row.box;
        retype(*row.window, row.box, "19");
        QLineEdit* edit = control(*row.window, row.box);
        edit->setCursorPosition(1);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), "10.59") << name;
        EXPECT_EQ(edit->cursorPosition(), 4) << name;
        EXPECT_EQ(row.held, "10.59") << name;
    }
}

// The fractions can be chosen as the input, so they are shown with a point in every locale; the
// composition table keeps the locale's comma.
TEST(AmbientViewLocale, FractionsShowAPointInAGermanLocale) {
    testing::qtApp();
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    testing::FakePlatform platform;
    AmbientWindow view(platform);
    QLocale::setDefault(saved);
    view.load();
    EXPECT_EQ(text(view, "Text8") + " " + text(view, "Text9"), "1.5641 0.9787");
    EXPECT_TRUE(control<QListWidget>(view, "List1")->item(8)->text().contains("0,9219"));
}

} // namespace
} // namespace hygrovane::views
