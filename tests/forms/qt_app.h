#pragma once

#include <QApplication>
#include <QInputDevice>

namespace hygrovane::testing {

// The one QApplication of a GUI test program, created on first use (QT_QPA_PLATFORM=offscreen is
// set by CTest).
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

} // namespace hygrovane::testing
