// The chart window in the Mollier h–x projection: chosen from the context menu, a click picks
// the main window's state at the point under the mouse, the hover reads it, exports follow, and
// a window started later draws the same projection and lines again.
#include "models/fake_platform.h"
#include "qt_app.h"
#include "remembered_chart.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_painter.h"
#include "views/chart/chart_window.h"

#include <QAction>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPainter>
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
    // Of the pixels in a square of 41 around a chart point on an 800 x 600 export of the h–x
    // diagram, how many are not white; and the square itself, to compare.
    std::pair<int, QImage> around(const QImage& image, chart::ChartPoint at) const {
        const ChartLayout layout = LayoutChart(QRectF(0, 0, 800, 600), chart::Projection::Mollier);
        const chart::PixelPoint p = MappingOf(layout, chart->model().range()).toPixel(at);
        return around(image, QPoint(static_cast<int>(p.x), static_cast<int>(p.y)));
    }
    // The same around a pixel of the window's canvas, as the window shows it.
    std::pair<int, QImage> onScreen(double celsius, double gramsPerKg) const {
        return around(chart->canvas()->grab().toImage(), pixelOf(celsius, gramsPerKg));
    }
    std::pair<int, QImage> around(const QImage& image, QPoint centre) const {
        const QImage square = image.copy(centre.x() - 20, centre.y() - 20, 41, 41);
        int inked = 0;
        for (int y = 0; y < square.height(); ++y) {
            for (int x = 0; x < square.width(); ++x) {
                inked += qGray(square.pixel(x, y)) < 250 ? 1 : 0;
            }
        }
        return {inked, square};
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

// The h–x diagram's fog region: its isotherms drawn by default; cropped from the context menu,
// the region below the saturation curve is left blank while the range and the diagram above
// saturation stay as they were; remembered over a restart, back to drawn on a reset. The
// psychrometric chart has no such region and does not change.
TEST_F(ChartProjectionWindowTest, TheFogRegionIsDrawnOrCropped) {
    const QByteArray psychrometric = png("psychrometric.png");
    chart->chooseProjection(chart::Projection::Mollier);
    const chart::ChartRange range = chart->model().range();
    const QImage drawn = QImage::fromData(png("drawn.png"));
    const chart::ChartPoint fog{278.15, 0.025}; // 5 °C with 25 g/kg: deep in the fog
    const chart::ChartPoint air{298.15, 0.005}; // 25 °C, 5 g/kg: unsaturated
    EXPECT_GT(around(drawn, fog).first, 40) << "the fog region's isotherms";
    EXPECT_GT(onScreen(5, 25).first, 40);

    QAction* fogLines = offered(pixelOf(20, 5), "showFogIsotherms");
    ASSERT_NE(fogLines, nullptr);
    EXPECT_TRUE(fogLines->isChecked());
    fogLines->trigger();
    EXPECT_FALSE(chart->model().fogIsotherms());
    const QImage cropped = QImage::fromData(png("cropped.png"));
    EXPECT_EQ(around(cropped, fog).first, 0) << "the fog region left blank";
    EXPECT_EQ(onScreen(5, 25).first, 0) << "and so on screen at once";
    EXPECT_EQ(chart->model().range(), range);
    EXPECT_EQ(around(cropped, air).second, around(drawn, air).second)
        << "the same range and lines above saturation";

    restart();
    EXPECT_FALSE(chart->model().fogIsotherms());
    EXPECT_FALSE(offered(pixelOf(20, 5), "showFogIsotherms")->isChecked());
    EXPECT_EQ(around(QImage::fromData(png("again.png")), fog).first, 0);
    chart->chooseProjection(chart::Projection::Psychrometric);
    EXPECT_EQ(png("psychrometric-cropped.png"), psychrometric);

    chart->resetSettings();
    EXPECT_TRUE(chart->model().fogIsotherms());
    EXPECT_TRUE(offered(pixelOf(20, 5), "showFogIsotherms")->isChecked());
}

// On the h–x diagram the isotherms are a main family, dark as the Mollier convention draws them
// (they were the pale grid of the psychrometric chart): along the labelled 20 °C isotherm the
// line is dark at every humidity ratio between the grid's lines.
TEST(MollierChart, TheIsothermsAreAMainFamily) {
    testing::qtApp();
    const chart::Chart model;
    ChartScene scene;
    scene.model = &model;
    scene.projection = chart::Projection::Mollier;
    QImage image(1000, 650, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintChart(painter, QRectF(image.rect()), scene);
    painter.end();
    const ChartLayout layout = LayoutChart(QRectF(image.rect()), chart::Projection::Mollier);
    const chart::ChartMapping mapping = MappingOf(layout, model.range());
    for (const double grams : {1.5, 2.5, 3.5, 4.5, 5.5, 6.5}) {
        const chart::PixelPoint at = mapping.toPixel({293.15, grams / 1000});
        int darkest = 255;
        // Beside the column, in case a vertical grid line is drawn over it there.
        for (int dx = -2; dx <= 2; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                darkest = std::min(darkest, qGray(image.pixel(static_cast<int>(at.x) + dx,
                                                              static_cast<int>(at.y) + dy)));
            }
        }
        EXPECT_LE(darkest, 175) << "20 °C at " << grams << " g/kg";
    }
}

} // namespace
} // namespace hygrovane::views
