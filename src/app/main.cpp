#include "forms/ambient/ambient_view.h"
#include "forms/common/display_check.h"
#include "forms/common/qt_platform.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Qt aborts when it cannot reach a display; say why in one line instead.
    if (const auto reason = hygrovane::forms::MissingDisplay(argc, argv)) {
        std::fprintf(stderr, "hygrovane: %s\n", reason->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    hygrovane::forms::QtPlatform platform;
    hygrovane::forms::AmbientView window(platform);
    platform.setParentWindow(&window);
    window.load();
    window.show();
    return QApplication::exec();
}
