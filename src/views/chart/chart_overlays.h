#pragma once

#include "chart/overlay.h"

#include <QObject>

#include <functional>
#include <map>
#include <string>

namespace hygrovane::views {

// A command another window offers on the chart's context menu, for the point right-clicked
// (dry bulb K, humidity ratio kg/kg, on or below saturation).
struct ChartPointAction {
    std::string caption;
    std::function<void(chart::ChartPoint)> run;
};

// The marks other windows draw on the chart, each window's under its own name, so that one
// window replaces or removes its marks without touching another's. The program holds one; the
// chart window draws all of them, in the order of their names, on screen and in every export.
// Windows offer commands on the chart's context menu here too, by name.
class ChartOverlays : public QObject {
    Q_OBJECT

  public:
    // Sets or replaces the overlay of a name; the same overlay again changes nothing.
    void set(const std::string& name, chart::Overlay overlay);
    void remove(const std::string& name);
    const std::map<std::string, chart::Overlay>& all() const { return overlays_; }

    void setPointAction(const std::string& name, ChartPointAction action);
    void removePointAction(const std::string& name);
    const std::map<std::string, ChartPointAction>& pointActions() const { return actions_; }

    // A text a window adds to the chart's readout of the point under the mouse (dry bulb K,
    // humidity ratio kg/kg), such as the hours of a weather file's bin there; empty for none.
    using HoverText = std::function<std::string(chart::ChartPoint)>;
    void setHoverText(const std::string& name, HoverText text);
    void removeHoverText(const std::string& name);
    // The texts of every window for the point, in the order of their names.
    std::string hoverTextAt(chart::ChartPoint point) const;

  signals:
    void changed();

  private:
    std::map<std::string, chart::Overlay> overlays_;
    std::map<std::string, ChartPointAction> actions_;
    std::map<std::string, HoverText> hoverTexts_;
};

} // namespace hygrovane::views
