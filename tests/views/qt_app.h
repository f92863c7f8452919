#pragma once

#include <QApplication>
#include <QComboBox>
#include <QInputDevice>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdlib>

namespace hygrovane::testing {

// The one QApplication of a GUI test program (CTest sets QT_QPA_PLATFORM=offscreen).
inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "hygrovane-tests";
    static char* argv[] = {name, nullptr};
    // Qt's list of input devices must outlive the application: touch it first, so that it is
    // destroyed after the static QApplication and key events don't crash the program at exit.
    (void)QInputDevice::devices();
    static QApplication app(argc, argv);
    return app;
}

// Widgets are found as a user's script would: by objectName.
template <typename T = QLineEdit> T* control(QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name.toStdString();
    return found;
}
inline QString text(QObject& parent, const QString& box) {
    return control(parent, box)->text();
}

// A pick as the user makes it: the views react to activated(), which code changes don't emit.
inline void pick(QObject& parent, const QString& combo, const QString& item) {
    QComboBox* list = control<QComboBox>(parent, combo);
    const int index = list->findText(item);
    ASSERT_GE(index, 0) << item.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
}

inline void retype(QObject& parent, const QString& box, const QString& keys) {
    QLineEdit* edit = control(parent, box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, keys);
}

} // namespace hygrovane::testing
