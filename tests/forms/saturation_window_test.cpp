#include "fake_platform.h"
#include "forms/ambient/ambient_view.h"
#include "forms/saturation/saturation_window.h"
#include "qt_app.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace hygrovane::forms {
namespace {

template <typename T> T* control(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void pick(QWidget& window, const char* name, const QString& item) {
    QComboBox* combo = control<QComboBox>(window, name);
    const int index = combo->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void retype(QWidget& window, const char* name, const QString& keys) {
    QLineEdit* edit = control<QLineEdit>(window, name);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, keys);
}

QString text(QWidget& window, const char* name) {
    return control<QLineEdit>(window, name)->text();
}

// Saves a picture of the window when HYGROVANE_SCREENSHOT_DIR names a folder.
void screenshot(QWidget& window, const char* file) {
    if (const char* folder = std::getenv("HYGROVANE_SCREENSHOT_DIR")) {
        QTest::qWait(50);
        window.grab().save(QString::fromLocal8Bit(folder) + "/" + file);
    }
}

class SaturationWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.handlers().showSaturation = [this] { showSaturationWindow(&view); };
        view.load();
        view.show();
        control<QAction>(view, "menu_sat")->trigger();
        window = view.findChild<SaturationWindow*>(QStringLiteral("Form_saturation"));
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        if (window) {
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QApplication& app = testing::qtApp(); // before any widget
    testing::FakePlatform platform;
    AmbientView view{platform};
    QPointer<SaturationWindow> window;
};

TEST_F(SaturationWindowTest, OpensFromTheMenuBesideTheMainWindow) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(view.isVisible());
    EXPECT_TRUE(window->isWindow());
    EXPECT_EQ(window->windowTitle(), "Saturation Condition of Water");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(control<QLabel>(*window, "Label1")->text(), "  Input");
    EXPECT_EQ(control<QLabel>(*window, "Label7")->text(), "  Hyland- Wexler");
    EXPECT_EQ(text(*window, "Text1"), "100");
    EXPECT_EQ(text(*window, "Text2"), "101.41797792131");
    EXPECT_EQ(text(*window, "Text3"), "101.41871682799");
    EXPECT_TRUE(control<QLineEdit>(*window, "Text2")->isReadOnly());
    screenshot(*window, "saturation-window.png");
}

TEST_F(SaturationWindowTest, UserInputRecomputesAndTheUnitListsTradePlaces) {
    QComboBox* temperatureUnit = control<QComboBox>(*window, "Combo2");
    QComboBox* pressureUnit = control<QComboBox>(*window, "Combo3");
    const int inputTop = temperatureUnit->y();
    const int outputTop = pressureUnit->y();

    pick(*window, "Combo1", QStringLiteral("Pressure"));
    EXPECT_EQ(pressureUnit->y(), inputTop);
    EXPECT_EQ(temperatureUnit->y(), outputTop);
    EXPECT_EQ(control<QLabel>(*window, "Label4")->text(), "Temperature");

    retype(*window, "Text1", QStringLiteral("101.325"));
    EXPECT_EQ(text(*window, "Text2"), "99.9743");
    EXPECT_EQ(text(*window, "Text3"), "99.97409862");

    retype(*window, "Text1", QStringLiteral("abc"));
    EXPECT_EQ(text(*window, "Text2"), "Error");
    pick(*window, "Combo2", QStringLiteral("K"));
    EXPECT_EQ(text(*window, "Text2"), "Error");
    EXPECT_EQ(text(*window, "Text3"), "Error");
    EXPECT_EQ(text(*window, "Text1"), "abc");
}

TEST_F(SaturationWindowTest, EveryShowingStartsFromTheLoadState) {
    retype(*window, "Text1", QStringLiteral("20"));
    EXPECT_NE(text(*window, "Text2"), "101.41797792131");
    window->close();
    control<QAction>(view, "menu_sat")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(window, nullptr); // the closed window is gone
    window = view.findChild<SaturationWindow*>(QStringLiteral("Form_saturation"));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(text(*window, "Text1"), "100");
    EXPECT_EQ(text(*window, "Text2"), "101.41797792131");
}

} // namespace
} // namespace hygrovane::forms
