// The chart window in the Mollier h–x projection: chosen from the context menu, a click picks
// the main window's state at the point under the mouse, the hover reads it, exports follow, and
// a window started later draws the same projection and lines again.
#include "models/fake_platform.h"
#include "qt_app.h"
#include "remembered_chart.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QRadioButton>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

namespace hygrovane::views {
namespace {

using testing::control;
using testing::text;

void move(QWidget* widget, QPoint to) {
    QMouseEvent event(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                      {});
    QApplication::sendEvent(widget, &event);
}

double Number(const QString& text) {
    return std::strtod(text.toStdString().c_str(), nullptr);
}

class ChartProjectionWindowTest : public testing::RememberedChartTest {
  protected:
    // The action of the context menu opened at a pixel, by name (searched in its submenus).
    QAction* offered(QPoint at, const char* name) {
        delete chart->findChild<QMenu*>("chartPointMenu");
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, chart->canvas()->mapToGlobal(at));
        QApplication::sendEvent(chart->canvas(), &event);
        QMenu* menu = chart->findChild<QMenu*>("chartPointMenu");
        if (!menu) {
            return nullptr;
        }
        menu->hide();
        for (QAction* action : menu->actions()) {
            if (action->objectName() == name) {
                return action;
            }
            if (action->menu()) {
                for (QAction* inner : action->menu()->actions()) {
                    if (inner->objectName() == name) {
                        return inner;
                    }
                }
            }
        }
        return nullptr;
    }
    QByteArray png(const char* name) {
        const std::string path = (folder.path() + "/" + name).toStdString();
        EXPECT_EQ(chart->exportPng(path, QSize(800, 600)), models::CommandOutcome::Done);
        QFile file(QString::fromStdString(path));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll();
    }
};

TEST_F(ChartProjectionWindowTest, MollierPicksAndReadsTheSameStates) {
    EXPECT_EQ(chart->projection(), chart::Projection::Psychrometric);
    const QByteArray psychrometric = png("before.png");
    const QPoint onPsychrometric = pixelOf(30, 12);

    QAction* mollier = offered(pixelOf(20, 5), "projection_mollier");
    ASSERT_NE(mollier, nullptr);
    mollier->trigger();
    EXPECT_EQ(chart->projection(), chart::Projection::Mollier);
    EXPECT_TRUE(mollier->isChecked());
    EXPECT_NE(pixelOf(30, 12), onPsychrometric) << "the point moved with the projection";
    EXPECT_NE(png("mollier.png"), psychrometric) << "exports follow the projection";
    // Back to the psychrometric chart: drawn as before, to the byte; then Mollier again.
    QAction* back = offered(pixelOf(20, 5), "projection_psychrometric");
    ASSERT_NE(back, nullptr);
    back->trigger();
    EXPECT_EQ(png("after.png"), psychrometric);
    chart->chooseProjection(chart::Projection::Mollier);
    EXPECT_TRUE(mollier->isChecked());
    EXPECT_FALSE(back->isChecked());

    // A click sets the main window's state at the point under the mouse.
    QWidget* canvas = chart->canvas();
    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixelOf(30, 12));
    EXPECT_TRUE(control<QRadioButton>(view, "Option1")->isChecked());
    EXPECT_NEAR(Number(text(view, "Text1")), 30, 0.1);
    EXPECT_NEAR(Number(text(view, "Text3")), 0.012, 0.00006) << "kg/kg";
    const auto state = chart->scene().statePoint;
    ASSERT_TRUE(state);
    EXPECT_LT((chart->canvasPixel(*state) - QPointF(pixelOf(30, 12))).manhattanLength(), 3);

    // The hover reads the state under the mouse; right of the saturation curve there is none.
    const QLabel* status = control<QLabel>(*chart, "status");
    move(canvas, pixelOf(25, 10));
    EXPECT_TRUE(status->text().startsWith("Dry bulb 25.")) << status->text().toStdString();
    move(canvas, pixelOf(0, 20));
    EXPECT_EQ(status->text(), "Above the saturation curve: no moist air exists here.");
}

TEST_F(ChartProjectionWindowTest, TheProjectionAndPercentageSaturationSurviveARestart) {
    chart->chooseProjection(chart::Projection::Mollier);
    QAction* percentage = offered(pixelOf(20, 5), "showPercentageSaturation");
    ASSERT_NE(percentage, nullptr);
    percentage->trigger();
    EXPECT_TRUE(chart->model().chart().percentageSaturation());

    restart();
    EXPECT_EQ(chart->projection(), chart::Projection::Mollier);
    EXPECT_TRUE(chart->model().chart().percentageSaturation());
    QAction* mollier = offered(pixelOf(20, 5), "projection_mollier");
    ASSERT_NE(mollier, nullptr);
    EXPECT_TRUE(mollier->isChecked());
    EXPECT_TRUE(offered(pixelOf(20, 5), "showPercentageSaturation")->isChecked());
    // The state picked after the restart lands where it was asked.
    QTest::mouseClick(chart->canvas(), Qt::LeftButton, {}, pixelOf(22, 8));
    EXPECT_NEAR(Number(text(view, "Text1")), 22, 0.1);
    EXPECT_NEAR(Number(text(view, "Text3")), 0.008, 0.00006);

    // Reset returns to the psychrometric chart without the extra lines.
    chart->resetSettings();
    EXPECT_EQ(chart->projection(), chart::Projection::Psychrometric);
    EXPECT_FALSE(chart->model().chart().percentageSaturation());
    restart();
    EXPECT_EQ(chart->projection(), chart::Projection::Psychrometric);
}

} // namespace
} // namespace hygrovane::views
