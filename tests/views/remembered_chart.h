#pragma once

// A chart window opened as the program opens one, beside a main window, keeping its remembered
// settings in the test's own file, so that a test can close it and start another that reads them.
#include "models/fake_platform.h"
#include "qt_app.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"

#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>

#include <memory>

namespace hygrovane::testing {

class RememberedChartTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.load();
        view.show();
        open();
    }
    void TearDown() override { close(); }

    void open() {
        const QString file = folder.path() + "/chart.conf";
        chart = new views::ChartWindow(view, platform, &overlays, [file] {
            return std::make_unique<QSettings>(file, QSettings::IniFormat);
        });
        chart->resize(1000, 720);
        chart->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
    }
    void close() {
        if (chart) {
            chart->close();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void restart() {
        close();
        open();
    }
    QPoint pixelOf(double celsius, double gramsPerKg) const {
        return chart->canvasPixel({celsius + 273.15, gramsPerKg / 1000}).toPoint();
    }

    QApplication& app = qtApp(); // before any widget
    FakePlatform platform;
    views::ChartOverlays overlays;
    views::AmbientWindow view{platform};
    QTemporaryDir folder;
    QPointer<views::ChartWindow> chart;
};

} // namespace hygrovane::testing
