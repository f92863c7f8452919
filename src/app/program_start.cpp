#include "app/program_start.h"

#include "forms/about/about_window.h"
#include "forms/batch/batch_window.h"
#include "forms/chart/chart_window.h"
#include "forms/convertor/convertor_window.h"
#include "forms/processes/processes_view.h"
#include "forms/saturation/saturation_window.h"

namespace hygrovane::app {

void StartProgram(forms::AmbientView& window, forms::Platform& platform,
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
        forms::showChartWindow(window, platform, overlays);
    };
    handlers.showProcesses = [&window, &platform, overlays] {
        forms::showProcessesWindow(window, platform, overlays);
    };
    // An unsaved process set is asked about before the program ends.
    handlers.otherWindowsQueryUnload = [] {
        auto* processes = forms::openProcessesWindow();
        return processes != nullptr && processes->model().QueryClose() == forms::Closing::StayOpen;
    };
    // Loading opens the About box first; closing it shows the main window.
    window.load();
    if (caseFile) {
        handlers.openCase(*caseFile);
        window.redraw();
    }
}

} // namespace hygrovane::app
