#pragma once

// The chart window opened from the main window's View menu, as the program wires it, and closed
// (and deleted) after the test.
#include "forms/ambient/ambient_view.h"
#include "forms/chart/chart_overlays.h"
#include "forms/chart/chart_window.h"
#include "qt_app.h"
#include "windows/fake_platform.h"

#include <QAction>
#include <QPointer>

#include <optional>

namespace hygrovane::testing {

class MenuChartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.handlers().showChart = [this] { forms::showChartWindow(view, platform, &overlays); };
        view.load();
        view.show();
        control<QAction>(view, "menu_chart")->trigger();
        chart = view.findChild<forms::ChartWindow*>("Form_chart");
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
        const forms::ChartScene scene = chart->scene();
        if (!scene.statePoint) {
            return std::nullopt;
        }
        return chart->canvasPixel(*scene.statePoint);
    }

    QApplication& app = qtApp(); // before any widget
    FakePlatform platform;
    forms::ChartOverlays overlays;
    forms::AmbientView view{platform};
    QPointer<forms::ChartWindow> chart;
};

} // namespace hygrovane::testing
