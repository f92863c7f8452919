#pragma once

#include <QApplication>

namespace hygrovane::testing {

// The one QApplication of a GUI test program, created on first use (QT_QPA_PLATFORM=offscreen is
// set by CTest).
inline QApplication& qtApp() {
    static int argc = 1;
    static char name[] = "hygrovane-tests";
    static char* argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    return app;
}

} // namespace hygrovane::testing
