#pragma once

// The chart window opened from the main window's View menu, as the program wires it, and closed
// (and deleted) after the test.
#include "models/fake_platform.h"
#include "qt_app.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"

#include <QAction>
#include <QPointer>

#include <optional>

namespace hygrovane::testing {

class MenuChartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.model().showChart = [this] { views::showChartWindow(view, platform, &overlays); };
        view.load();
        view.show();
        control<QAction>(view, "menu_chart")->trigger();
        chart = view.findChild<views::ChartWindow*>("Form_chart");
        ASSERT_NE(chart, nullptr);
    }
    void TearDown() override {
        if (chart) {
            chart->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The point of the main window's state on the canvas; none while it is not drawn.
    std::optional<QPointF> statePixel() const {
        const views::ChartScene scene = chart->scene();
        if (!scene.statePoint) {
            return std::nullopt;
        }
        return chart->canvasPixel(*scene.statePoint);
    }

    QApplication& app = qtApp(); // before any widget
    FakePlatform platform;
    views::ChartOverlays overlays;
    views::AmbientWindow view{platform};
    QPointer<views::ChartWindow> chart;
};

} // namespace hygrovane::testing
