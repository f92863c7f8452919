#include "app/program_start.h"

#include "forms/about/about_window.h"
#include "forms/batch/batch_window.h"
#include "forms/chart/chart_window.h"
#include "forms/climate/climate_view.h"
#include "forms/convertor/convertor_window.h"
#include "forms/processes/processes_view.h"
#include "forms/saturation/saturation_window.h"

#include <QMenu>

namespace hygrovane::app {

void StartProgram(forms::AmbientView& window, windows::Platform& platform,
                  const std::optional<std::string>& caseFile, forms::ChartOverlays* overlays) {
    auto& handlers = window.handlers();
    handlers.showAbout = [&platform, &window] {
        forms::showAboutBox(
            platform, [&window] { window.show(); }, &window);
    };
    handlers.showConvertor = [&window] { forms::showUnitConvertor(&window); };
    handlers.showSaturation = [&window] { forms::showSaturationWindow(&window); };
    handlers.showBatch = [&window, &platform] { forms::showBatchWindow(platform, &window); };
    handlers.showChart = [&window, &platform, overlays] {
        forms::showChartWindow(window, platform, overlays,
                               forms::ChartSettingsStore::UserSettings());
    };
    handlers.showProcesses = [&window, &platform, overlays] {
        forms::showProcessesWindow(window, platform, overlays,
                                   forms::ChartSettingsStore::UserSettings());
    };
    // The climate window beside the chart and the processes in the View menu; the main window's
    // own menu entries stay as its layout lists them.
    if (auto* view = window.findChild<QMenu*>(QStringLiteral("menu_view"))) {
        QAction* climate = view->addAction(QStringLiteral("C&limate…"));
        climate->setObjectName(QStringLiteral("menu_climate"));
        QObject::connect(climate, &QAction::triggered, &window, [&window, &platform, overlays] {
            forms::showClimateWindow(window, platform, overlays);
        });
    }
    // An unsaved process set is asked about before the program ends.
    handlers.otherWindowsQueryUnload = [] {
        auto* processes = forms::openProcessesWindow();
        return processes != nullptr ? processes->model().QueryClose() : windows::Closing::Close;
    };
    // Loading opens the About box first; closing it shows the main window.
    window.load();
    if (caseFile) {
        handlers.openCase(*caseFile);
        window.redraw();
    }
}

} // namespace hygrovane::app
