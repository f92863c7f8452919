#include "views/chart/chart_overlays.h"

namespace hygrovane::views {

void ChartOverlays::set(const std::string& name, chart::Overlay overlay) {
    // A repaint of the whole chart is dear; windows set their overlay after every redraw.
    const auto found = overlays_.find(name);
    if (found != overlays_.end() && found->second == overlay) {
        return;
    }
    overlays_[name] = std::move(overlay);
    emit changed();
}

void ChartOverlays::remove(const std::string& name) {
    if (overlays_.erase(name) > 0) {
        emit changed();
    }
}

void ChartOverlays::setPointAction(const std::string& name, ChartPointAction action) {
    actions_[name] = std::move(action);
}

void ChartOverlays::removePointAction(const std::string& name) {
    actions_.erase(name);
}

void ChartOverlays::setHoverText(const std::string& name, HoverText text) {
    hoverTexts_[name] = std::move(text);
}

void ChartOverlays::removeHoverText(const std::string& name) {
    hoverTexts_.erase(name);
}

std::string ChartOverlays::hoverTextAt(chart::ChartPoint point) const {
    std::string joined;
    for (const auto& [name, text] : hoverTexts_) {
        const std::string part = text(point);
        if (!part.empty()) {
            joined += (joined.empty() ? "" : " · ") + part;
        }
    }
    return joined;
}

} // namespace hygrovane::views
