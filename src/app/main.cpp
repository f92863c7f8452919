#include "forms/about/about_window.h"
#include "forms/common/window_look.h"
#include "forms/ambient/ambient_view.h"
#include "forms/batch/batch_window.h"
#include "forms/common/display_check.h"
#include "forms/common/qt_platform.h"
#include "forms/convertor/convertor_window.h"
#include "forms/saturation/saturation_window.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    // Qt aborts when it cannot reach a display; say why in one line instead.
    if (const auto reason = hygrovane::forms::MissingDisplay(argc, argv)) {
        std::fprintf(stderr, "hygrovane: %s\n", reason->c_str());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setWindowIcon(hygrovane::forms::ApplicationIcon());
    hygrovane::forms::QtPlatform platform;
    hygrovane::forms::AmbientView window(platform);
    platform.setParentWindow(&window);
    // The auxiliary windows are owned by the main window, so that ending the program closes them.
    auto& handlers = window.handlers();
    handlers.showAbout = [&] {
        hygrovane::forms::showAboutBox(
            platform, [&window] { window.show(); }, &window);
    };
    handlers.showConvertor = [&window] { hygrovane::forms::showUnitConvertor(&window); };
    handlers.showSaturation = [&window] { hygrovane::forms::showSaturationWindow(&window); };
    handlers.showBatch = [&] { hygrovane::forms::showBatchWindow(platform, &window); };
    // Loading opens the About box first; closing it shows the main window.
    window.load();
    return QApplication::exec();
}
