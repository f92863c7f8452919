// Memory of the secondary windows, drawn offscreen unless QT_QPA_PLATFORM says otherwise: opens
// the unit convertor and the saturation window from the main window, as its menu does, and closes
// them again, many times; prints how much the process (resident set) and its heap grew meanwhile.
// A growth that stays is memory lost with every showing.
//   window_cycles_bench [convertor|saturation] [showings, default 2000]
// Arguments of the benchmark runner (--benchmark_...) are ignored.
#include "views/ambient/ambient_window.h"
#include "views/common/qt_platform.h"
#include "views/convertor/convertor_window.h"
#include "views/saturation/saturation_window.h"

#include <QApplication>

#include <malloc.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

double HeapKiB() {
    return static_cast<double>(mallinfo2().uordblks) / 1024;
}

// The offscreen platform warns at every raise(); nothing here needs Qt's messages.
void Quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    qInstallMessageHandler(Quiet);
    QApplication app(argc, argv);
    std::vector<std::string> windows;
    int showings = 2000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (std::isdigit(static_cast<unsigned char>(arg[0]))) {
            showings = std::atoi(arg.c_str());
        } else if (arg.rfind("--", 0) != 0) {
            windows.push_back(arg);
        }
    }
    if (windows.empty()) {
        windows = {"convertor", "saturation"};
    }
    hygrovane::views::QtPlatform platform;
    hygrovane::views::AmbientWindow view(platform);
    view.load();
    view.show();
    for (const std::string& which : windows) {
        const auto showAndClose = [&] {
            QWidget* window =
                which == "saturation"
                    ? static_cast<QWidget*>(hygrovane::views::showSaturationWindow(&view))
                    : hygrovane::views::showUnitConvertor(&view);
            QCoreApplication::processEvents();
            window->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        };
        // The first showings fill Qt's caches of fonts and styles; count from then on.
        for (int i = 0; i < 20; ++i) {
            showAndClose();
        }
        const long residentBefore = ResidentKiB();
        const double heapBefore = HeapKiB();
        for (int i = 0; i < showings; ++i) {
            showAndClose();
        }
        const long resident = ResidentKiB() - residentBefore;
        const double heap = HeapKiB() - heapBefore;
        std::printf("%-10s %d showings: resident set %+6ld KiB (%.2f KiB a showing), heap %+6.0f "
                    "KiB (%.2f KiB a showing)\n",
                    which.c_str(), showings, resident, static_cast<double>(resident) / showings,
                    heap, heap / showings);
    }
    return 0;
}
