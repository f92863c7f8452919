#include "cli/exit_status.h"
#include "cli/program_arguments.h"
#include "hygrovane/config.h"
#include "programs/hygrovane/command_line.h"
#include "programs/hygrovane/program_start.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/common/display_check.h"
#include "views/common/qt_platform.h"
#include "views/common/window_look.h"

#include <QApplication>

#include <csignal>
#include <string>
#include <vector>

int main(int argc, char* argv[]) {
    // --help and --version answer without a display.
    if (const auto status = hygrovane::app::AnswerInformationRequest(argc, argv)) {
        return *status;
    }
    // Under a file-size limit a write past it fails (and says so) instead of ending the program
    // with the case on screen.
    std::signal(SIGXFSZ, SIG_IGN);
    // Qt aborts when it cannot reach a display; say why in one line instead.
    if (const auto display = hygrovane::views::CheckDisplay(argc, argv); !display) {
        hygrovane::cli::Say(stderr, "hygrovane", display.error().message);
        return hygrovane::cli::kExitUsage;
    }
    // Qt reads only the arguments before "--"; those from "--" on are the program's as given.
    int qtArgc = hygrovane::app::QtArgumentCount(argc, argv);
    const std::vector<std::string> fromOptionsEnd(argv + qtArgc, argv + argc);
    hygrovane::views::DisplayStartGuard startGuard; // a display that is set but cannot be reached
    QApplication app(qtArgc, argv);
    startGuard.finish();
    // Qt has taken its own options (such as -platform) out of argv; the rest are the program's.
    const auto commandLine = hygrovane::app::ParseCommandLine(
        hygrovane::app::ArgumentsAfterQt(qtArgc, argv, fromOptionsEnd));
    if (!commandLine.error.empty()) {
        // The other programs' status for a wrong command line (it was 2 before they shared one).
        hygrovane::cli::Say(stderr, "hygrovane", commandLine.error);
        return hygrovane::cli::kExitUsage;
    }
    QApplication::setWindowIcon(hygrovane::views::ApplicationIcon());
    // Ties the windows to the installed desktop entry (its icon and name on Wayland docks).
    QGuiApplication::setDesktopFileName(QString::fromUtf8(hygrovane::config::kDesktopId));
    hygrovane::views::QtPlatform platform;
    // What other windows draw on the chart; it outlives the windows that use it.
    hygrovane::views::ChartOverlays chartOverlays;
    hygrovane::views::AmbientWindow window(platform);
    platform.setParentWindow(&window);
    hygrovane::app::StartProgram(window, platform, commandLine.caseFile, &chartOverlays);
    return QApplication::exec();
}
