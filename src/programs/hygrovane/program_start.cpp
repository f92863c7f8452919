#include "programs/hygrovane/program_start.h"

#include "views/about/about_window.h"
#include "views/batch/batch_window.h"
#include "views/chart/chart_window.h"
#include "views/climate/climate_window.h"
#include "views/climate/streams_window.h"
#include "views/convertor/convertor_window.h"
#include "views/processes/processes_window.h"
#include "views/saturation/saturation_window.h"
#include "views/year/year_window.h"

#include <QMenu>

namespace hygrovane::app {

void StartProgram(views::AmbientWindow& window, models::Platform& platform,
                  const std::optional<std::string>& caseFile, views::ChartOverlays* overlays) {
    auto& handlers = window.model();
    handlers.showAbout = [&platform, &window] {
        views::showAboutBox(
            platform, [&window] { window.show(); }, &window);
    };
    handlers.showConvertor = [&window] { views::showUnitConvertor(&window); };
    handlers.showSaturation = [&window] { views::showSaturationWindow(&window); };
    handlers.showBatch = [&window, &platform] { views::showBatchWindow(platform, &window); };
    handlers.showChart = [&window, &platform, overlays] {
        views::showChartWindow(window, platform, overlays,
                               views::ChartSettingsStore::UserSettings());
    };
    handlers.showProcesses = [&window, &platform, overlays] {
        views::showProcessesWindow(window, platform, overlays,
                                   views::ChartSettingsStore::UserSettings());
    };
    // The climate window beside the chart and the processes in the View menu; the main window's
    // own menu entries stay as its layout lists them.
    if (auto* view = window.findChild<QMenu*>(QStringLiteral("menu_view"))) {
        QAction* climate = view->addAction(QStringLiteral("C&limate…"));
        climate->setObjectName(QStringLiteral("menu_climate"));
        QObject::connect(climate, &QAction::triggered, &window, [&window, &platform, overlays] {
            views::showClimateWindow(window, platform, overlays);
        });
    }
    // The measured streams keep their mapping in the user's settings.
    views::StreamsSettings() = views::ChartSettingsStore::UserSettings();
    // The year page, offered by the climate and processes windows.
    views::ConnectYearWindow(window, platform, overlays, views::ChartSettingsStore::UserSettings());
    // An unsaved process set is asked about before the program ends.
    handlers.otherWindowsQueryUnload = [] {
        auto* processes = views::openProcessesWindow();
        return processes != nullptr ? processes->model().QueryClose() : models::Closing::Close;
    };
    // Loading opens the About box first; closing it shows the main window.
    window.load();
    if (caseFile) {
        handlers.openCase(*caseFile);
        window.redraw();
    }
}

} // namespace hygrovane::app
