#include "fake_platform.h"
#include "forms/ambient/ambient_view.h"
#include "qt_app.h"

#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QInputDevice>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace hygrovane::forms {
namespace {

class AmbientViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.handlers().endProgram = [this] { ended = true; };
        view.load();
        view.show();
        QApplication::setActiveWindow(&view);
    }

    template <typename T> T* control(const char* name) {
        T* widget = view.findChild<T*>(QString::fromUtf8(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    QString text(const char* name) { return control<QLineEdit>(name)->text(); }
    void type(const char* name, const QString& keys) {
        QLineEdit* edit = control<QLineEdit>(name);
        edit->setFocus();
        QTest::keyClicks(edit, keys);
    }
    void pick(const char* name, const QString& item) {
        QComboBox* combo = control<QComboBox>(name);
        const int index = combo->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // The input-device registry must outlive the static QApplication, or the keyboard device
    // that key events create crashes the program at exit: touch the registry first.
    bool appReady = ((void)QInputDevice::devices(), (void)testing::qtApp(), true);
    testing::FakePlatform platform;
    AmbientView view{platform};
    bool ended = false;
};

TEST_F(AmbientViewTest, EveryControlCarriesItsName) {
    EXPECT_EQ(view.objectName(), "Form_ambient");
    EXPECT_EQ(view.windowTitle(), "Hygrovane 1.1");
    for (int n = 1; n <= 16; ++n) {
        EXPECT_NE(view.findChild<QLineEdit*>(QStringLiteral("Text%1").arg(n)), nullptr) << n;
        EXPECT_NE(view.findChild<QComboBox*>(QStringLiteral("Combo%1").arg(n)), nullptr) << n;
    }
    for (int n = 1; n <= 33; ++n) {
        EXPECT_NE(view.findChild<QLabel*>(QStringLiteral("Label%1").arg(n)), nullptr) << n;
    }
    for (int n = 1; n <= 10; ++n) {
        EXPECT_NE(view.findChild<QRadioButton*>(QStringLiteral("Option%1").arg(n)), nullptr) << n;
    }
    for (const char* name :
         {"Frame1", "Frame2", "Frame3", "Line1", "Line2", "Line3", "Line4", "List1", "Command1"}) {
        EXPECT_NE(view.findChild<QWidget*>(QString::fromUtf8(name)), nullptr) << name;
    }
    QAction* customized = control<QAction>("menu_customized");
    EXPECT_FALSE(customized->isEnabled());
    EXPECT_TRUE(control<QAction>("menu_IAPWS")->isChecked());
    EXPECT_EQ(control<QAction>("exit_menu")->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    EXPECT_FALSE(control<QComboBox>("Combo2")->isEditable());
}

TEST_F(AmbientViewTest, TypingIntoTheInputBoxRecalculates) {
    const QString before = text("Text3");
    QLineEdit* text4 = control<QLineEdit>("Text4");
    text4->setFocus();
    text4->selectAll();
    QTest::keyClicks(text4, QStringLiteral("60"));
    EXPECT_EQ(text4->text(), "60");
    EXPECT_NE(text("Text3"), before);
    EXPECT_FALSE(text("Text3").isEmpty());
}

TEST_F(AmbientViewTest, LockedBoxTakesNoTypingAndCodeTextsStartNoCalculation) {
    const QString before = text("Text3");
    type("Text3", QStringLiteral("7"));
    EXPECT_EQ(text("Text3"), before);
    EXPECT_TRUE(control<QLineEdit>("Text3")->isReadOnly());

    view.handlers().form().CaseModified = false;
    control<QLineEdit>("Text3")->setText(QStringLiteral("0.5"));
    EXPECT_FALSE(view.handlers().form().CaseModified);
}

TEST_F(AmbientViewTest, OptionClickUnlocksAndSelectsTheBox) {
    control<QRadioButton>("Option1")->click();
    QLineEdit* text3 = control<QLineEdit>("Text3");
    EXPECT_FALSE(text3->isReadOnly());
    EXPECT_TRUE(control<QLineEdit>("Text4")->isReadOnly());
    EXPECT_EQ(text3->selectedText(), text3->text());
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
    EXPECT_FALSE(control<QRadioButton>("Option2")->isChecked());

    control<QRadioButton>("Option1")->click(); // a second click keeps it selected
    EXPECT_TRUE(control<QRadioButton>("Option1")->isChecked());
}

TEST_F(AmbientViewTest, PickingFahrenheitRewritesTheTemperatureRange) {
    pick("Combo1", QStringLiteral("F"));
    EXPECT_EQ(control<QLabel>("Label5")->text(), "-148");
    EXPECT_EQ(control<QLabel>("Label4")->text(), "212");
    EXPECT_EQ(control<QLabel>("Label27")->text(), "Unit (Customized)");
    EXPECT_TRUE(control<QAction>("menu_customized")->isChecked());
    EXPECT_FALSE(control<QAction>("menu_metric")->isChecked());
}

TEST_F(AmbientViewTest, PickingTheSelectedItemAgainIsNoChange) {
    view.handlers().form().CaseModified = false;
    pick("Combo2", QStringLiteral("kPa"));
    EXPECT_FALSE(view.handlers().form().CaseModified);
}

TEST_F(AmbientViewTest, FormulationMenuChangesTheListAndItsCheckMarks) {
    QListWidget* list = control<QListWidget>("List1");
    const QString before = list->item(0)->text();
    control<QAction>("menu_HW")->trigger();
    EXPECT_NE(list->item(0)->text(), before);
    EXPECT_EQ(list->item(0)->text(), "Sat. Formulation:  Hyland-Wexler");
    EXPECT_TRUE(control<QAction>("menu_HW")->isChecked());
    EXPECT_FALSE(control<QAction>("menu_IAPWS")->isChecked());
    control<QAction>("menu_HW")->trigger(); // choosing it again leaves it checked
    EXPECT_TRUE(control<QAction>("menu_HW")->isChecked());
}

TEST_F(AmbientViewTest, EditingKeysStayWithTheTextBox) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&view));
    QLineEdit* text1 = control<QLineEdit>("Text1");
    text1->setFocus();
    QTest::keyClick(text1, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(text1->selectedText(), "25");
    EXPECT_EQ(platform.saveDialogs, 0) << "Ctrl+A selected the text instead of Save As";
    QTest::keyClick(text1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(text1->text(), "");
    EXPECT_FALSE(ended) << "Ctrl+X cut instead of leaving the program";

    QComboBox* combo1 = control<QComboBox>("Combo1");
    combo1->setFocus();
    QTest::keyClick(combo1, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(platform.saveDialogs, 1) << "outside a text box Ctrl+A is Save As";
}

TEST_F(AmbientViewTest, ClosingAfterAChangeAsksAndMayStay) {
    platform.answers = {Platform::Answer::Cancel};
    EXPECT_FALSE(view.close());
    EXPECT_EQ(platform.questions.size(), 1U);
    EXPECT_FALSE(ended);
    platform.answers = {Platform::Answer::No};
    EXPECT_TRUE(view.close());
    EXPECT_TRUE(ended);
}

TEST_F(AmbientViewTest, KeystrokeStaysFast) {
    QLineEdit* text1 = control<QLineEdit>("Text1");
    text1->setFocus();
    std::vector<qint64> times;
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(text1, i % 2 == 0 ? Qt::Key_1 : Qt::Key_Backspace);
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + 100, times.end());
    std::printf("median keystroke: %.3f ms\n", static_cast<double>(times[100]) / 1e6);
    EXPECT_LT(times[100], 2'000'000);
}

// Under a real display (xvfb-run), HYGROVANE_SCREENSHOT=<file.png> saves the start-up window.
TEST_F(AmbientViewTest, StartUpScreenshot) {
    const char* file = std::getenv("HYGROVANE_SCREENSHOT");
    if (file == nullptr) {
        GTEST_SKIP() << "HYGROVANE_SCREENSHOT not set";
    }
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    QTest::qWait(200);
    EXPECT_TRUE(view.grab().save(QString::fromUtf8(file)));
}

} // namespace
} // namespace hygrovane::forms
