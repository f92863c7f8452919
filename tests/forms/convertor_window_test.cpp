#include "fake_platform.h"
#include "forms/ambient/ambient_view.h"
#include "forms/convertor/convertor_window.h"
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

class ConvertorWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.handlers().showConvertor = [this] { showUnitConvertor(&view); };
        view.load();
        view.show();
        control<QAction>(view, "menu_convertor")->trigger();
        window = view.findChild<ConvertorWindow*>(QStringLiteral("Form_unit_convertor"));
        ASSERT_NE(window, nullptr);
        QApplication::setActiveWindow(window);
    }
    void TearDown() override {
        if (window) {
            window->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <typename T> T* control(QWidget& parent, const QString& name) {
        T* widget = parent.findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    QComboBox* list(const QString& name) { return control<QComboBox>(*window, name); }
    QLineEdit* box(const char* name) { return control<QLineEdit>(*window, name); }
    void pick(const QString& name, const QString& item) {
        QComboBox* combo = list(name);
        const int index = combo->findText(item);
        ASSERT_GE(index, 0) << item.toStdString();
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }
    void retype(const QString& keys) {
        QLineEdit* edit = box("Text1");
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, keys);
    }
    QString visiblePair() {
        QString shown;
        for (int k = 0; k < kConvertorQuantities; ++k) {
            for (const char* array : {"Combo2_%1", "Combo3_%1"}) {
                if (list(QString::fromLatin1(array).arg(k))->isVisibleTo(window)) {
                    shown += QString::fromLatin1(array).arg(k) + " ";
                }
            }
        }
        return shown.trimmed();
    }

    QApplication& app = testing::qtApp(); // before any widget
    testing::FakePlatform platform;
    AmbientView view{platform};
    QPointer<ConvertorWindow> window;
};

TEST_F(ConvertorWindowTest, OpensFromTheMenuWithOneCelsiusInCelsius) {
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(view.isVisible());
    EXPECT_EQ(window->windowTitle(), "Unit Convertor");
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_EQ(control<QLabel>(*window, "Label1")->text(), "Quantity");
    EXPECT_EQ(list("Combo1")->currentText(), "Temperature");
    EXPECT_EQ(box("Text1")->text(), "1");
    EXPECT_EQ(box("Text2")->text(), "1");
    EXPECT_EQ(visiblePair(), "Combo2_0 Combo3_0");
    if (const char* folder = std::getenv("HYGROVANE_SCREENSHOT_DIR")) {
        pick("Combo3_0", "F");
        QTest::qWait(50);
        window->grab().save(QString::fromLocal8Bit(folder) + "/unit-convertor.png");
    }
}

TEST_F(ConvertorWindowTest, ConvertsWithTheUnitsOfTheChosenQuantity) {
    pick("Combo1", "Pressure");
    EXPECT_EQ(visiblePair(), "Combo2_1 Combo3_1");
    pick("Combo2_1", "Atmosphere");
    pick("Combo3_1", "mm Hg");
    EXPECT_EQ(box("Text2")->text(), "760.0021001785");

    pick("Combo1", "Temperature");
    EXPECT_EQ(list("Combo2_0")->currentText(), "C");
    pick("Combo3_0", "F");
    retype("1");
    EXPECT_EQ(box("Text2")->text(), "33.8");

    pick("Combo1", "Pressure");
    EXPECT_EQ(list("Combo2_1")->currentText(), "Atmosphere");
    EXPECT_EQ(box("Text2")->text(), "760.0021001785");
}

TEST_F(ConvertorWindowTest, TypesSignsAndPointsKeyByKeyAndSelectsAnErrorOnAPick) {
    pick("Combo3_0", "K");
    retype("-5");
    EXPECT_EQ(box("Text2")->text(), "268.15");
    retype(".5");
    EXPECT_EQ(box("Text2")->text(), "273.65");

    retype("abc");
    EXPECT_EQ(box("Text1")->text(), "abc");
    EXPECT_EQ(box("Text2")->text(), "Error");
    pick("Combo2_0", "F");
    EXPECT_EQ(box("Text2")->text(), "Error");
    EXPECT_TRUE(box("Text1")->hasFocus());
    EXPECT_EQ(box("Text1")->selectedText(), "abc");

    retype("");
    EXPECT_EQ(box("Text2")->text(), "Error");
}

} // namespace
} // namespace hygrovane::forms
