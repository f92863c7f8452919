#include "fake_platform.h"
#include "forms/about/about_window.h"
#include "forms/ambient/ambient_view.h"
#include "forms/convertor/convertor_window.h"
#include "forms/saturation/saturation_window.h"
#include "qt_app.h"

#include <QAction>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace hygrovane::forms {
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

// A fixed-size window with the program's icon and no minimize or maximize button.
void expectToolWindowLook(QWidget& window) {
    EXPECT_TRUE(window.isWindow() && window.isVisible());
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_FALSE(window.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
}

// The program as main() wires it: the About box first, the main window when it closes, and the
// auxiliary windows opened from its menu.
class ProgramWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        auto& handlers = view.handlers();
        handlers.showAbout = [this] {
            about = showAboutBox(
                platform, [this] { view.show(); }, &view);
        };
        handlers.showConvertor = [this] { showUnitConvertor(&view); };
        handlers.showSaturation = [this] { showSaturationWindow(&view); };
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
    AmbientView view{platform};
    QPointer<AboutWindow> about;
    QPointer<QWidget> opened;
};

TEST_F(ProgramWindows, AboutBoxComesFirstWithTheProgramsNameAndVersion) {
    FormAbout form;
    EXPECT_EQ(form.Caption, "About Hygrovane");
    Form_Load(form);
    EXPECT_EQ(form.Caption + "|" + form.lblTitle + "|" + form.lblVersion,
              "About Hygrovane 1.1|Hygrovane 1.1|Version 1.1.1");

    ASSERT_TRUE(about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(about->objectName(), "frmAbout");
    EXPECT_EQ(about->windowTitle(), "About Hygrovane 1.1");
    EXPECT_EQ(control<QLabel>(*about, "lblTitle")->text(), "Hygrovane 1.1");
    EXPECT_EQ(control<QLabel>(*about, "lblVersion")->text(), "Version 1.1.1");
    EXPECT_NE(control<QLabel>(*about, "lblDescription")->text(), "");
    EXPECT_FALSE(about->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(about->minimumSize(), about->maximumSize());
    testing::screenshot(*about, "about-box.png");
    closeAbout();
}

TEST_F(ProgramWindows, HelpMenuOpensTheAboutBoxAgainAndLeavesTheCaseAsItWas) {
    closeAbout();
    const QString before = text(view, "Text1");
    const bool modified = view.handlers().form().CaseModified;
    control<QAction>(view, "abou_menu")->trigger();
    ASSERT_TRUE(about);
    EXPECT_TRUE(about->isVisible());
    EXPECT_EQ(about->windowTitle(), "About Hygrovane 1.1");

    control<QPushButton>(*about, "Command2")->click();
    EXPECT_EQ(platform.webPages.size(), 1U);
    EXPECT_TRUE(platform.messages.empty());
    platform.webPagesOpen = false;
    control<QPushButton>(*about, "Command2")->click();
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_EQ(platform.messages[0].message, "Error when loading webpage!");
    EXPECT_EQ(platform.messages[0].title, "");
    EXPECT_TRUE(about->isVisible()) << "the box stays open after the failure";

    closeAbout();
    EXPECT_EQ(text(view, "Text1"), before);
    EXPECT_EQ(view.handlers().form().CaseModified, modified);
}

// The build renders the user's guide beside the program, where the Help menu finds it.
TEST(UsersGuide, IsBuiltBesideTheProgramWithAtLeastSixPages) {
    const std::filesystem::path guide = HYGROVANE_USERS_GUIDE_PDF;
    EXPECT_EQ(guide.filename(), "Hygrovane1_1UsersGuide.pdf");
    EXPECT_EQ(guide.parent_path().filename(), "app");
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
    testing::screenshot(*window, "saturation-window.png");

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
    EXPECT_EQ(opened, nullptr) << "the closed window is gone";
    window = open<SaturationWindow>("menu_sat", "Form_saturation");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(text(*window, "Text1") + " " + text(*window, "Text2"), "100 101.41797792131");
}

TEST_F(ProgramWindows, ConvertorOpensFromTheMenuAndConvertsWithTheChosenQuantitysUnits) {
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
    testing::screenshot(*window, "unit-convertor.png");
    EXPECT_EQ(text(*window, "Text2"), "33.8");
    pick(*window, "Combo1", "Pressure");
    EXPECT_EQ(control<QComboBox>(*window, "Combo2_1")->currentText(), "Atmosphere");
    EXPECT_EQ(text(*window, "Text2"), "760.0021001785");
}

TEST_F(ProgramWindows, ConvertorTakesSignsAndPointsKeyByKeyAndSelectsAnErrorOnAPick) {
    closeAbout();
    auto* window = open<ConvertorWindow>("menu_convertor", "Form_unit_convertor");
    ASSERT_NE(window, nullptr);
    QApplication::setActiveWindow(window);
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
}

} // namespace
} // namespace hygrovane::forms
