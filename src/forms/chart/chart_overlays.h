#pragma once

#include "chart/overlay.h"

#include <QObject>

#include <map>
#include <string>

namespace hygrovane::forms {

// The marks other windows draw on the chart, each window's under its own name, so that one
// window replaces or removes its marks without touching another's. The program holds one; the
// chart window draws all of them, in the order of their names, on screen and in every export.
class ChartOverlays : public QObject {
    Q_OBJECT

  public:
    // Sets or replaces the overlay of a name.
    void set(const std::string& name, chart::Overlay overlay);
    void remove(const std::string& name);
    const std::map<std::string, chart::Overlay>& all() const { return overlays_; }

  signals:
    void changed();

  private:
    std::map<std::string, chart::Overlay> overlays_;
};

} // namespace hygrovane::forms
