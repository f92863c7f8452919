#include "forms/chart/chart_overlays.h"

namespace hygrovane::forms {

void ChartOverlays::set(const std::string& name, chart::Overlay overlay) {
    overlays_[name] = std::move(overlay);
    emit changed();
}

void ChartOverlays::remove(const std::string& name) {
    if (overlays_.erase(name) > 0) {
        emit changed();
    }
}

} // namespace hygrovane::forms
