// The chart window on the offscreen platform, opened from the main window's menu as the program
// wires it: it follows the main window, sets its state from the mouse, and exports.
#include "calculator/number_text.h"
#include "forms/ambient/ambient_view.h"
#include "forms/chart/chart_export.h"
#include "forms/chart/chart_overlays.h"
#include "forms/chart/chart_window.h"
#include "qt_app.h"
#include "size_limit.h"
#include "windows/fake_platform.h"

#include <QAction>
#include <QBuffer>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <sys/resource.h>

#include <csignal>
#include <cstdio>

namespace hygrovane::forms {
namespace {

using hygrovane::testing::WithSizeLimit;

using testing::control;
using testing::retype;
using testing::text;

// The mouse moved over a widget, with the buttons held.
void move(QWidget* widget, QPoint to, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent event(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, buttons, {});
    QApplication::sendEvent(widget, &event);
}

class ChartWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.handlers().showChart = [this] { showChartWindow(view, platform, &overlays); };
        view.load();
        view.show();
        control<QAction>(view, "menu_chart")->trigger();
        chart = view.findChild<ChartWindow*>("Form_chart");
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
        const ChartScene scene = chart->scene();
        if (!scene.statePoint) {
            return std::nullopt;
        }
        return chart->canvasPixel(*scene.statePoint);
    }
    QPoint pixelOf(double celsius, double gramsPerKg) const {
        return chart->canvasPixel({celsius + 273.15, gramsPerKg / 1000}).toPoint();
    }
    QString mainTexts() {
        QString all;
        for (int n = 1; n <= 16; ++n) {
            all += text(view, "Text" + QString::number(n)) + "|";
        }
        return all;
    }
    std::string path(const char* name) const { return (folder.path() + "/" + name).toStdString(); }

    QApplication& app = testing::qtApp(); // before any widget
    testing::FakePlatform platform;
    ChartOverlays overlays;
    AmbientView view{platform};
    QPointer<ChartWindow> chart;
    QTemporaryDir folder;
};

TEST_F(ChartWindowTest, OpensFromTheViewMenuAndFollowsTheMainWindow) {
    QStringList menus;
    for (const QAction* menu : view.menuBar()->actions()) {
        menus << menu->text();
    }
    EXPECT_EQ(menus.join(' '), "&File O&ption &View &Help");
    EXPECT_EQ(control<QAction>(view, "menu_chart")->shortcut(), QKeySequence("Ctrl+G"));
    EXPECT_TRUE(chart->isWindow() && chart->isVisible());
    EXPECT_NE(chart->minimumSize(), chart->maximumSize()) << "resizable";
    EXPECT_EQ(chart->windowTitle(), "Psychrometric Chart");
    control<QAction>(view, "menu_chart")->trigger(); // the open window, not a second one
    EXPECT_EQ(view.findChildren<ChartWindow*>().size(), 1);

    // Typing into the main window moves the point: a higher relative humidity lies higher.
    const auto start = statePixel();
    ASSERT_TRUE(start);
    EXPECT_EQ(chart->scene().statePoint->humidityRatio, view.handlers().form().state.W);
    retype(view, "Text4", "80");
    const auto moister = statePixel();
    ASSERT_TRUE(moister);
    EXPECT_NEAR(moister->x(), start->x(), 1e-9);
    EXPECT_LT(moister->y(), start->y() - 10);

    // An error hides it behind a note; a valid text brings it back.
    retype(view, "Text1", "abc");
    EXPECT_FALSE(statePixel());
    EXPECT_EQ(chart->scene().note, "The main window shows an error: no state is marked.");
    retype(view, "Text1", "25");
    EXPECT_TRUE(statePixel());
    EXPECT_EQ(chart->scene().note, "");

    // A new pressure computes the curves again; the title follows.
    const int computed = chart->model().computations();
    retype(view, "Text2", "90");
    EXPECT_EQ(chart->model().settings().pressure, 90000);
    EXPECT_GT(chart->model().computations(), computed);
    EXPECT_EQ(chart->scene().title.air, "Barometric pressure 90 kPa");

    // British units: °F and grains/lb with their own default range.
    control<QAction>(view, "menu_british")->trigger();
    EXPECT_EQ(control<QLabel>(*chart, "dryBulbUnit")->text(), "°F");
    EXPECT_EQ(control<QLabel>(*chart, "humidityRatioUnit")->text(), "grains/lb");
    EXPECT_EQ(control<QDoubleSpinBox>(*chart, "dryBulbFrom")->value(), 20);
    EXPECT_EQ(control<QDoubleSpinBox>(*chart, "humidityRatioTo")->value(), 200);

    const QString before = mainTexts();
    chart->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(chart, nullptr);
    EXPECT_EQ(mainTexts(), before) << "closing the chart changes nothing";

    // Ctrl+G opens it again, also from inside a text box.
    view.activateWindow();
    QApplication::setActiveWindow(&view);
    control(view, "Text1")->setFocus();
    QTest::keyClick(control(view, "Text1"), Qt::Key_G, Qt::ControlModifier);
    chart = view.findChild<ChartWindow*>("Form_chart");
    ASSERT_NE(chart, nullptr);
    EXPECT_TRUE(chart->isVisible());
    EXPECT_EQ(text(view, "Text1"), "25");
}

TEST_F(ChartWindowTest, TheMouseReadsAndSetsTheStateAndZoomsTheRange) {
    QWidget* canvas = chart->canvas();
    EXPECT_TRUE(control<QRadioButton>(view, "Option2")->isChecked());
    const QString relativeHumidity = text(view, "Text4");
    QTest::mouseClick(canvas, Qt::LeftButton, {}, pixelOf(30, 12));
    EXPECT_TRUE(control<QRadioButton>(view, "Option1")->isChecked());
    EXPECT_FALSE(control<QRadioButton>(view, "Option2")->isChecked());
    EXPECT_NEAR(ReadNumber(text(view, "Text1").toStdString()), 30, 0.1);
    EXPECT_NEAR(ReadNumber(text(view, "Text3").toStdString()), 0.012, 0.00006) << "kg/kg";
    EXPECT_NE(text(view, "Text4"), relativeHumidity) << "recalculated";
    EXPECT_NE(text(view, "Text12"), "Error");
    ASSERT_TRUE(statePixel());
    EXPECT_LT((*statePixel() - QPointF(pixelOf(30, 12))).manhattanLength(), 3);

    // A drag carries the state along; above saturation it stays on the curve.
    QTest::mousePress(canvas, Qt::LeftButton, {}, pixelOf(20, 5));
    move(canvas, pixelOf(15, 29), Qt::LeftButton);
    QTest::mouseRelease(canvas, Qt::LeftButton, {}, pixelOf(15, 29));
    EXPECT_NEAR(ReadNumber(text(view, "Text1").toStdString()), 15, 0.1);
    EXPECT_NEAR(ReadNumber(text(view, "Text4").toStdString()), 100, 0.5);

    // Hovering reads the state; above saturation there is none.
    const QLabel* status = control<QLabel>(*chart, "status");
    move(canvas, pixelOf(25, 10));
    EXPECT_TRUE(status->text().startsWith("Dry bulb 25.")) << status->text().toStdString();
    move(canvas, pixelOf(0, 20));
    EXPECT_EQ(status->text(), "Above the saturation curve: no moist air exists here.");

    // The wheel zooms about the mouse; the fields show the range and take a typed one.
    const chart::ChartRange full = chart->model().range();
    const QPoint centre = pixelOf(20, 10);
    QWheelEvent wheel(centre, canvas->mapToGlobal(centre), {}, {0, 240}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    const chart::ChartRange zoomed = chart->model().range();
    EXPECT_NEAR(zoomed.dryBulbMax - zoomed.dryBulbMin, (full.dryBulbMax - full.dryBulbMin) * 0.7225,
                1e-9);
    EXPECT_NEAR(control<QDoubleSpinBox>(*chart, "dryBulbTo")->value(), zoomed.dryBulbMax - 273.15,
                0.05);
    auto* from = control<QDoubleSpinBox>(*chart, "dryBulbFrom");
    from->setValue(0);
    emit from->editingFinished();
    EXPECT_EQ(chart->model().range().dryBulbMin, 273.15);
    from->setValue(60); // above the other end: refused
    emit from->editingFinished();
    EXPECT_EQ(chart->model().range().dryBulbMin, 273.15);
    EXPECT_EQ(from->value(), 0);
    control<QPushButton>(*chart, "resetRange")->click();
    EXPECT_EQ(chart->model().range(), full);
}

QByteArray Bytes(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(ChartWindowTest, ExportsPngSvgAndPdfAndReportsAFailedWrite) {
    chart->showComfortZones(true);
    overlays.set("test", {0,
                          120,
                          0,
                          {{{{293.15, 0.006}, {303.15, 0.006}}, "heating", true}},
                          {{{293.15, 0.006}, "Outdoor air"}}});

    ASSERT_TRUE(chart->exportPng(path("chart.png"), {800, 600}));
    EXPECT_EQ(QImage(QString::fromStdString(path("chart.png"))).size(), QSize(800, 600));

    ASSERT_TRUE(chart->exportSvg(path("chart.svg")));
    QXmlStreamReader svg(Bytes(path("chart.svg")));
    int lines = 0;
    QString texts;
    while (!svg.atEnd()) {
        svg.readNext();
        if (svg.isStartElement() && (svg.name() == u"polyline" || svg.name() == u"path")) {
            ++lines;
        } else if (svg.isCharacters()) {
            texts += svg.text();
        }
    }
    EXPECT_FALSE(svg.hasError()) << svg.errorString().toStdString();
    EXPECT_GT(lines, 60) << "the curves, as vector lines";
    for (const char* shown : {"Psychrometric chart", "Hygrovane 1.1.1", "50 %", "Outdoor air",
                              "Winter comfort", "25.0 °C, 9.88 g/kg"}) {
        EXPECT_TRUE(texts.contains(QString::fromUtf8(shown))) << shown;
    }

    ASSERT_TRUE(chart->exportPdf(path("chart.pdf")));
    EXPECT_TRUE(Bytes(path("chart.pdf")).startsWith("%PDF"));
    // Printing paints the same chart on a page.
    QByteArray printed;
    QBuffer buffer(&printed);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter page(&buffer);
        PrintChart(chart->scene(), page);
    }
    EXPECT_TRUE(printed.startsWith("%PDF"));

    // From the menu: a name without a suffix gets the format's.
    platform.savePaths = {path("from-menu")};
    control<QAction>(*chart, "exportSvg")->trigger();
    EXPECT_TRUE(Bytes(path("from-menu.svg")).startsWith("<?xml"));

    // A failed write says so and leaves the file that was there.
    ASSERT_TRUE(platform.messages.empty());
    EXPECT_FALSE(chart->exportPdf(path("missing/chart.pdf")));
    const QByteArray png = Bytes(path("chart.png"));
    EXPECT_FALSE(WithSizeLimit(16, [&] {
        return chart->exportPng(path("chart.png"), {900, 700});
    }));
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_NE(platform.messages[0].message.find(path("missing/chart.pdf")), std::string::npos);
    EXPECT_NE(platform.messages[1].message.find("chart.png"), std::string::npos);
    EXPECT_EQ(Bytes(path("chart.png")), png);
}

} // namespace
} // namespace hygrovane::forms
