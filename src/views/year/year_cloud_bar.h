#pragma once

#include "models/year_model.h"

#include <QWidget>

#include <functional>

namespace hygrovane::views {

// The year page's row for the chart: which nodes of the chosen hours the chart draws, the hour
// of the date controls drawn as its chain, and the chart window itself.
class YearCloudBar : public QWidget {
  public:
    struct Actions {
        std::function<void()> changed;   // a node shown or hidden, the hour cleared
        std::function<void()> showHour;  // the date controls' hour as a chain
        std::function<void()> showChart; // opens the chart window
    };
    YearCloudBar(models::YearModel& model, Actions actions, QWidget* owner);

  private:
    models::YearModel& model_;
    Actions actions_;
};

} // namespace hygrovane::views
