#pragma once

#include "models/platform.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"

#include <optional>
#include <string>

namespace hygrovane::app {

// Starts the program's windows as main() runs them: the About box first (closing it shows the
// main window), the auxiliary windows owned by the main window so that ending the program closes
// them, and then the case named on the command line opened as File, Open does, without the save
// question (nothing has been typed yet).
// The chart window draws the overlays other windows set, when given; the processes window
// draws its set there.
void StartProgram(views::AmbientWindow& window, models::Platform& platform,
                  const std::optional<std::string>& caseFile,
                  views::ChartOverlays* overlays = nullptr);

} // namespace hygrovane::app
