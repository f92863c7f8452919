// The chart window on the offscreen platform, opened from the main window's menu as the program
// wires it: it follows the main window, sets its state from the mouse, and exports.
#include "display/number_text.h"
#include "menu_chart.h"
#include "models/fake_platform.h"
#include "qt_app.h"
#include "size_limit.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_export.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"

#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
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
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <functional>
#include <map>

namespace hygrovane::views {
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

class ChartWindowTest : public testing::MenuChartTest {
  protected:
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
    EXPECT_EQ(chart->scene().statePoint->humidityRatio, view.model().form().state.W);
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
    const int computed = chart->model().chart().computations();
    retype(view, "Text2", "90");
    EXPECT_EQ(chart->model().settings().pressure, 90000);
    EXPECT_GT(chart->model().chart().computations(), computed);
    EXPECT_EQ(chart->scene().title.air, "Barometric pressure 90 kPa");

    // British units: °F and grains/lb with their own default range.
    control<QAction>(view, "menu_british")->trigger();
    EXPECT_EQ(control<QLabel>(*chart, "dryBulbUnit")->text(), "°F");
    EXPECT_EQ(control<QLabel>(*chart, "humidityRatioUnit")->text(), "grains/lb");
    EXPECT_EQ(control<QDoubleSpinBox>(*chart, "dryBulbFrom")->value(), 20);
    // The "90" now reads as 90 psi (620.5 kPa): the default range follows the pressure, 200
    // grains/lb times 101.325 / 620.5 rounded to 0.16.
    EXPECT_EQ(control<QDoubleSpinBox>(*chart, "humidityRatioTo")->value(), 32);

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

// A range of exactly the narrowest span is taken, and a refusal's message goes with the next
// range taken.
TEST_F(ChartWindowTest, TheNarrowestRangeIsTakenAndARefusalIsForgottenAfterASuccess) {
    const QLabel* status = control<QLabel>(*chart, "status");
    const QString refused = "The range was not changed: each end must lie below the other by at "
                            "least 1 K and 0.1 g/kg.";
    const auto type = [&](const char* field, double value) {
        auto* box = control<QDoubleSpinBox>(*chart, field);
        box->setValue(value);
        emit box->editingFinished();
    };
    type("dryBulbFrom", 60); // above the other end
    EXPECT_EQ(status->text(), refused);
    type("humidityRatioFrom", 9.8);
    EXPECT_NE(status->text(), refused) << "a range was taken since";
    type("humidityRatioTo", 9.9); // exactly 0.1 g/kg
    EXPECT_NE(status->text(), refused);
    EXPECT_NEAR(chart->model().range().humidityRatioMin, 0.0098, 1e-12);
    EXPECT_NEAR(chart->model().range().humidityRatioMax, 0.0099, 1e-12);
    type("dryBulbTo", -9.9); // 0.1 K above the other end: refused
    EXPECT_EQ(status->text(), refused);
    EXPECT_EQ(chart->model().range().dryBulbMax, 323.15);
    type("dryBulbTo", -9); // exactly 1 K
    EXPECT_NE(status->text(), refused);
    EXPECT_NEAR(chart->model().range().dryBulbMax, 264.15, 1e-9);
}

// The status line reads the point under the mouse as the chart now stands: a new pressure,
// formulation, range, projection or unit under a mouse that has not moved, or a click where it
// was not hovering, leaves no readout of the chart before.
TEST_F(ChartWindowTest, TheReadoutUnderAStillMouseFollowsEveryChange) {
    QWidget* canvas = chart->canvas();
    const QLabel* status = control<QLabel>(*chart, "status");
    // The default range follows the pressure; a chosen one keeps 24 °C and 9.30 g/kg in place.
    chart->chooseRange(chart->model().range());
    const QPoint at = pixelOf(24, 9.30);
    move(canvas, at);
    // 50.0 % at the pixel's 9.30 g/kg; 41.7 % at 1500 m. (A pixel is a few hundredths of a
    // g/kg: the tenths of a per cent are the pixel's.)
    EXPECT_TRUE(status->text().contains(" · RH 50.")) << status->text().toStdString();
    emit control<QComboBox>(*chart, "altitudeCharts")->activated(3); // 1500 m
    EXPECT_NEAR(chart->model().settings().pressure, 84556, 1);
    EXPECT_TRUE(status->text().contains(" · RH 41.")) << status->text().toStdString();

    const auto typeRange = [&](const char* field, double value) {
        auto* box = control<QDoubleSpinBox>(*chart, field);
        box->setValue(value);
        emit box->editingFinished();
    };
    const QPoint elsewhere = pixelOf(30, 12);
    const struct {
        const char* name;
        std::function<void()> change;
        QPoint read;  // where the mouse is after the change
        bool differs; // whether the readout must differ from the one before
    } rows[] = {
        {"a pressure typed in the main window", [&] { retype(view, "Text10", "2250"); }, at, true},
        {"the Hyland-Wexler formulation", [&] { control<QAction>(view, "menu_HW")->trigger(); }, at,
         false},
        {"a range typed in the fields", [&] { typeRange("dryBulbFrom", 5); }, at, true},
        {"the range undone", [&] { chart->undoRange(); }, at, true},
        {"the Mollier projection", [&] { chart->chooseProjection(chart::Projection::Mollier); }, at,
         true},
        {"the psychrometric projection again",
         [&] { chart->chooseProjection(chart::Projection::Psychrometric); }, at, true},
        {"British units", [&] { control<QAction>(view, "menu_british")->trigger(); }, at, true},
        {"the default range", [&] { control<QPushButton>(*chart, "resetRange")->click(); }, at,
         true},
        {"a click where the mouse did not hover",
         [&] { QTest::mouseClick(canvas, Qt::LeftButton, {}, elsewhere); }, elsewhere, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        move(canvas, at);
        const QString before = status->text();
        row.change();
        const QString after = status->text();
        move(canvas, row.read); // what the mouse reads there anew
        EXPECT_EQ(after.toStdString(), status->text().toStdString());
        if (row.differs) {
            EXPECT_NE(after, before);
        }
    }
    // A message stays until the mouse moves; the mouse gone, the hint.
    typeRange("dryBulbFrom", control<QDoubleSpinBox>(*chart, "dryBulbFrom")->maximum());
    const QString refused = status->text();
    ASSERT_TRUE(refused.startsWith("The range was not changed")) << refused.toStdString();
    retype(view, "Text10", "0");
    EXPECT_EQ(status->text(), refused);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(canvas, &leave);
    retype(view, "Text10", "750");
    EXPECT_TRUE(status->text().startsWith("Point at the chart")) << status->text().toStdString();
}

// A refusal of a marked point's name goes with the next mark command that succeeds.
TEST_F(ChartWindowTest, AMarkRefusalGoesWithTheNextMarkCommandDone) {
    const QLabel* status = control<QLabel>(*chart, "status");
    const QString hint = status->text();
    ASSERT_EQ(chart->markPoint({298.15, 0.010}, "Room"), models::CommandOutcome::Done);
    const struct {
        const char* name;
        std::string refused;
        std::function<models::CommandOutcome()> next;
    } rows[] = {
        {"a rename", std::string(41, 'x'), [&] { return chart->renameMark(0, "Supply"); }},
        {"a rename to a line separator",
         "A\xE2\x80\xA8"
         "B",
         [&] { return chart->renameMark(0, "Room"); }},
        {"a mark",
         "\xE2\x80\xAE"
         "moor",
         [&] {
             return chart->markPoint({293.15, 0.008});
         }},
        {"a removal", "x\xC2\x85", [&] { return chart->removeMark(1); }},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_EQ(chart->renameMark(0, row.refused), models::CommandOutcome::Refused);
        const QString refusal = status->text();
        EXPECT_NE(refusal, hint);
        ASSERT_EQ(chart->renameMark(0, row.refused), models::CommandOutcome::Refused);
        EXPECT_EQ(status->text(), refusal) << "refused again";
        ASSERT_EQ(row.next(), models::CommandOutcome::Done);
        EXPECT_EQ(status->text(), hint);
    }
}

// One wheel event zooms by at most ten steps, whatever delta it carries.
TEST_F(ChartWindowTest, AWheelEventOfAnyDeltaLeavesARangeToDraw) {
    QWidget* canvas = chart->canvas();
    const chart::ChartRange full = chart->model().range();
    const struct {
        int delta;
        double factor; // of the humidity-ratio span
    } rows[] = {{-524288, std::pow(0.85, -10)}, {524288, std::pow(0.85, 10)}, {-120, 1 / 0.85}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.delta);
        chart->chooseRange(std::nullopt);
        const QPoint centre = pixelOf(20, 10);
        QWheelEvent wheel(centre, canvas->mapToGlobal(centre), {}, {0, row.delta}, Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(canvas, &wheel);
        const chart::ChartRange r = chart->model().range();
        EXPECT_NEAR(r.humidityRatioMax - r.humidityRatioMin,
                    (full.humidityRatioMax - full.humidityRatioMin) * row.factor, 1e-12);
        EXPECT_GE(r.dryBulbMax - r.dryBulbMin, 1);
        EXPECT_GE(r.dryBulbMin, chart::kLowestChartDryBulb - 1e-9);
        EXPECT_LE(r.dryBulbMax, chart::kHighestChartDryBulb + 1e-9);
        EXPECT_GE(chart->model().chart().geometry().curves.size(), 10U) << "lines to draw";
    }
}

// Whether a box lies inside the plot, allowing for the rounding of the text's metrics.
bool InsidePlot(const QRectF& box, const ChartLayout& layout) {
    return layout.plot.adjusted(-0.5, -0.5, 0.5, 0.5).contains(box);
}

std::string Describe(const QRectF& box) {
    return std::to_string(box.left()) + "," + std::to_string(box.top()) + " to " +
           std::to_string(box.right()) + "," + std::to_string(box.bottom());
}

// The lines' labels at the default ranges: those named are written, and every one lies inside
// the plot but the enthalpy labels written above it. Lines end on an edge at a dry bulb held in
// 32 bits, a hair inside it.
TEST(ChartLabels, LinesEndingOnAnEdgeAreLabelledInsideThePlot) {
    testing::qtApp();
    const struct {
        const char* name;
        double pressure;
        chart::ChartUnits units;
        std::vector<std::pair<chart::Family, const char*>> labelled;
    } rows[] = {
        {"Metric at sea level: 0.95 m3/kg ends on the right edge, wet bulb and enthalpy -10 "
         "start on the left",
         101325,
         chart::MetricUnits(),
         {{chart::Family::SpecificVolume, "0.95"},
          {chart::Family::WetBulb, "-10"},
          {chart::Family::Enthalpy, "-10"}}},
        {"British at sea level: wet bulb 20 and enthalpy 5 start on the left edge",
         101325,
         chart::BritishUnits(),
         {{chart::Family::WetBulb, "20"},
          {chart::Family::Enthalpy, "5"},
          {chart::Family::SpecificVolume, "15.0"}}},
        {"Metric at 5 kPa: lines entering from the left",
         5000,
         chart::MetricUnits(),
         {{chart::Family::WetBulb, "-15"}, {chart::Family::Enthalpy, "60"}}},
        {"Metric at 1500 m", 84556, chart::MetricUnits(), {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const chart::Chart model(
            {row.pressure, SatFormulation::IAPWS, row.units, row.units.defaultRange});
        for (const QSize size : {QSize(1000, 650), QSize(1920, 1080)}) {
            const ChartLayout layout = LayoutChart(QRectF(QPointF(0, 0), QSizeF(size)));
            const std::vector<CurveLabel> labels = CurveLabels(layout, model);
            for (const auto& [family, text] : row.labelled) {
                EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [&](const CurveLabel& label) {
                    return label.curve->family == family && label.text == text;
                })) << text;
            }
            for (const CurveLabel& label : labels) {
                const bool above = label.curve->family == chart::Family::Enthalpy &&
                                   label.box.bottom() <= layout.plot.top();
                EXPECT_TRUE(above || InsidePlot(label.box, layout))
                    << label.curve->label << " at " << Describe(label.box);
            }
        }
    }
}

// Over the charts a user meets, at a window's size, a full-HD PNG and an A4 page: every drawn
// line of a labelled family (relative humidity, wet bulb, enthalpy, volume) that is one of its
// labelled steps has exactly one label, which reads back as its value, stands inside the plot
// (an enthalpy label of a line entering from the top above it) and overlaps no other label.
// The minor steps between them have none; the grids are labelled on the axes.
TEST(ChartLabels, EveryLabelledLineHasOneLabelThatReadsBackInsideAndApart) {
    testing::qtApp();
    const auto defaultAt = [](const chart::ChartUnits& units, double pressure) {
        return chart::DefaultRangeAt(units.defaultRange, pressure);
    };
    const struct {
        const char* name;
        double pressure;
        chart::ChartUnits units;
        chart::ChartRange range;
    } rows[] = {
        {"default SI", 101325, chart::MetricUnits(), chart::MetricUnits().defaultRange},
        {"default IP", 101325, chart::BritishUnits(), chart::BritishUnits().defaultRange},
        {"80 kPa SI", 80000, chart::MetricUnits(), defaultAt(chart::MetricUnits(), 80000)},
        {"80 kPa IP", 80000, chart::BritishUnits(), defaultAt(chart::BritishUnits(), 80000)},
        {"5 kPa SI", 5000, chart::MetricUnits(), defaultAt(chart::MetricUnits(), 5000)},
        {"5 kPa IP", 5000, chart::BritishUnits(), defaultAt(chart::BritishUnits(), 5000)},
        {"1000 kPa SI", 1000000, chart::MetricUnits(), defaultAt(chart::MetricUnits(), 1000000)},
        {"1000 kPa IP", 1000000, chart::BritishUnits(), defaultAt(chart::BritishUnits(), 1000000)},
        {"the widest range", 101325, chart::MetricUnits(), {173.15, 373.15, 0, 0.5}},
        {"zoomed to 20-25 °C, 8-10 g/kg",
         101325,
         chart::MetricUnits(),
         {293.15, 298.15, 0.008, 0.010}},
    };
    for (const auto& row : rows) {
        const chart::Chart model({row.pressure, SatFormulation::IAPWS, row.units, row.range});
        for (const QSize size : {QSize(1000, 650), QSize(1920, 1080), QSize(3508, 2480)}) {
            SCOPED_TRACE(std::string(row.name) + " at " + std::to_string(size.width()));
            const ChartLayout layout = LayoutChart(QRectF(QPointF(0, 0), QSizeF(size)));
            const std::vector<CurveLabel> labels = CurveLabels(layout, model);
            int labelled = 0;
            for (const chart::Curve& curve : model.geometry().curves) {
                const bool family = curve.family == chart::Family::RelativeHumidity ||
                                    curve.family == chart::Family::WetBulb ||
                                    curve.family == chart::Family::Enthalpy ||
                                    curve.family == chart::Family::SpecificVolume;
                const auto count =
                    std::count_if(labels.begin(), labels.end(),
                                  [&](const CurveLabel& l) { return l.curve == &curve; });
                EXPECT_EQ(count, family && curve.labelled ? 1 : 0) << curve.label;
                labelled += family && curve.labelled ? 1 : 0;
            }
            EXPECT_GE(labelled, 8);
            for (std::size_t i = 0; i < labels.size(); ++i) {
                const CurveLabel& label = labels[i];
                const std::string text = label.text.toStdString();
                EXPECT_NEAR(std::stod(text), label.curve->value,
                            1e-9 * std::max(1.0, std::abs(label.curve->value)))
                    << text;
                const bool above = label.curve->family == chart::Family::Enthalpy &&
                                   label.box.bottom() <= layout.plot.top();
                EXPECT_TRUE(above || InsidePlot(label.box, layout))
                    << text << " at " << Describe(label.box);
                for (std::size_t j = 0; j < i; ++j) {
                    EXPECT_FALSE(label.box.intersects(labels[j].box))
                        << text << " on " << labels[j].text.toStdString() << " at "
                        << Describe(label.box);
                }
            }
        }
    }
}

// A standard altitude chart chosen on the chart sets the main window's altitude as the user
// would type it; the chart follows with its range and says which chart it is.
TEST_F(ChartWindowTest, AltitudeChartsSetTheMainWindowsAltitudeAndTheTitleSaysWhich) {
    auto* charts = control<QComboBox>(*chart, "altitudeCharts");
    QStringList names;
    for (int i = 0; i < charts->count(); ++i) {
        names << charts->itemText(i);
    }
    EXPECT_EQ(names.join("|"), "Altitude chart…|Sea level|750 m|1500 m|2250 m");
    EXPECT_EQ(chart->scene().title.heading, "Psychrometric chart · Sea level standard chart");

    charts->setCurrentIndex(3);
    emit charts->activated(3);
    EXPECT_TRUE(control<QRadioButton>(view, "Option9")->isChecked());
    EXPECT_EQ(text(view, "Text10"), "1500");
    EXPECT_NEAR(chart->model().settings().pressure, 84556, 1);
    EXPECT_EQ(chart->scene().title.heading, "Psychrometric chart · 1500 m standard chart");
    EXPECT_EQ(chart->scene().title.air.rfind("Altitude 1500 m", 0), 0U) << chart->scene().title.air;
    EXPECT_EQ(control<QDoubleSpinBox>(*chart, "humidityRatioTo")->value(), 36);
    ASSERT_TRUE(statePixel()) << "the state stays on the chart";

    // In British units the charts are those in feet.
    control<QAction>(view, "menu_british")->trigger();
    EXPECT_EQ(charts->itemText(3), "5000 ft");
    emit charts->activated(3);
    EXPECT_NEAR(chart->model().settings().pressure, 84307, 40);
    EXPECT_EQ(chart->scene().title.heading, "Psychrometric chart · 5000 ft standard chart");

    // A pressure of no standard chart: the heading alone.
    control<QAction>(view, "menu_metric")->trigger();
    control<QRadioButton>(view, "Option8")->click();
    retype(view, "Text2", "90");
    EXPECT_EQ(chart->scene().title.heading, "Psychrometric chart");

    // The protractor is drawn on demand, on screen (the kept background drawn again) and in the
    // exports.
    EXPECT_FALSE(chart->scene().protractor);
    const QImage without = chart->canvas()->grab().toImage();
    control<QCheckBox>(*chart, "protractor")->click();
    EXPECT_TRUE(chart->scene().protractor);
    EXPECT_NE(chart->canvas()->grab().toImage(), without);
}

// A printed chart reads to 0.5 °C: on an A4 or Letter page in landscape with 10 mm margins (as
// the PDF export and Print lay it out) the plot gives 4.2 mm (A4) or 3.9 mm (Letter) to a degree
// Celsius, so the 1 °C grid lines stand that far apart and half a degree is 2 mm between two of
// them, and 2.2 mm to a degree Fahrenheit.
TEST(ChartPrint, APrintedChartReadsToHalfADegree) {
    testing::qtApp();
    for (const auto& [page, name] :
         {std::pair{QPageSize::A4, "A4"}, std::pair{QPageSize::Letter, "Letter"}}) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(page));
        pdf.setPageOrientation(QPageLayout::Landscape);
        pdf.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
        pdf.setResolution(300);
        const ChartLayout layout = LayoutChart(QRectF(0, 0, pdf.width(), pdf.height()));
        const double mm = layout.plot.width() / 300 * 25.4;
        EXPECT_GE(mm / 60, 3.85) << name << ": mm per °C over -10 to 50 °C";
        EXPECT_GE(mm / 100, 2.2) << name << ": mm per °F over 20 to 120 °F";
    }
}

// The marked state's label stays inside the plot near every edge.
TEST_F(ChartWindowTest, TheStateLabelMovesAwayFromEveryEdge) {
    const struct {
        const char* name;
        double celsius, gramsPerKg;
        std::optional<chart::ChartRange> range;
    } rows[] = {
        {"bottom", 20, 0.3, {}},
        {"bottom right", 49.8, 0.3, {}},
        {"right", 49.8, 12, {}},
        {"bottom left", -9.8, 0.3, {}},
        {"top", 30, 9.95, chart::ChartRange{263.15, 323.15, 0, 0.01}},
        {"top right", 49.8, 9.95, chart::ChartRange{263.15, 323.15, 0, 0.01}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        chart->chooseRange(row.range);
        QTest::mouseClick(chart->canvas(), Qt::LeftButton, {},
                          pixelOf(row.celsius, row.gramsPerKg));
        const ChartLayout layout = LayoutChart(QRectF(chart->canvas()->rect()));
        const auto box = StateLabelBox(layout, chart->scene());
        ASSERT_TRUE(box);
        const double u = layout.unit; // the plot's clip lies u outside it
        EXPECT_TRUE(layout.plot.adjusted(-u, -u, u, u).contains(*box)) << Describe(*box);
        const QPointF at = *statePixel();
        EXPECT_FALSE(box->contains(at)) << "the label leaves the point visible";
    }
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

    ASSERT_EQ(chart->exportPng(path("chart.png"), {800, 600}), models::CommandOutcome::Done);
    EXPECT_EQ(QImage(QString::fromStdString(path("chart.png"))).size(), QSize(800, 600));

    ASSERT_EQ(chart->exportSvg(path("chart.svg")), models::CommandOutcome::Done);
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

    ASSERT_EQ(chart->exportPdf(path("chart.pdf")), models::CommandOutcome::Done);
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
    EXPECT_EQ(chart->exportPdf(path("missing/chart.pdf")), models::CommandOutcome::Refused);
    const QByteArray png = Bytes(path("chart.png"));
    EXPECT_EQ(WithSizeLimit(16,
                            [&] {
                                return chart->exportPng(path("chart.png"), {900, 700});
                            }),
              models::CommandOutcome::Refused);
    ASSERT_EQ(platform.messages.size(), 2U);
    EXPECT_NE(platform.messages[0].message.find(path("missing/chart.pdf")), std::string::npos);
    EXPECT_NE(platform.messages[1].message.find("chart.png"), std::string::npos);
    EXPECT_EQ(Bytes(path("chart.png")), png);
}

// Every file under a folder with its bytes, to show that a refused export changed nothing.
std::map<QString, QByteArray> Snapshot(const QString& folder) {
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next();
        files[name] = Bytes(name.toStdString());
    }
    return files;
}

// The export commands as the menu runs them: the ending is added before the question about
// replacing, a file is replaced only after a Yes, and a target that cannot be written is
// reported with nothing written anywhere.
TEST_F(ChartWindowTest, ExportAsksBeforeReplacingAndWritesNothingElsewhere) {
    using Answer = models::Platform::Answer;
    const QByteArray old = "the user's own drawing";
    const struct {
        const char* name;
        const char* action;
        std::string chosen;          // what the dialog returns
        std::vector<Answer> answers; // to the question, if asked
        std::string asked;           // the file the question names; empty: none asked
        std::string written;         // the file the chart goes to; empty: refused
        const char* reported;        // in the message of a refused write
    } rows[] = {
        {"name without its ending, the file with it exists: No",
         "exportSvg",
         path("old"),
         {Answer::No},
         path("old.svg"),
         "",
         nullptr},
        {"the same, Yes replaces it",
         "exportSvg",
         path("old"),
         {Answer::Yes},
         path("old.svg"),
         path("old.svg"),
         nullptr},
        {"the same, the question dismissed",
         "exportPdf",
         path("old"),
         {},
         path("old.pdf"),
         "",
         nullptr},
        {"name with its ending, confirmed by the dialog",
         "exportSvg",
         path("old.svg"),
         {},
         "",
         path("old.svg"),
         nullptr},
        {"new name without its ending", "exportPdf", path("new"), {}, "", path("new.pdf"), nullptr},
        {"a device", "exportPdf", "/dev/full", {}, "", "", "it is not a regular file"},
        {"a folder", "exportSvg", path("folder"), {}, "", "", "it is a folder"},
        {"below a file", "exportPdf", path("old.pdf/chart"), {}, "", "", "old.pdf/chart.pdf"},
        {"a read-only folder (not for root, who may write there)",
         "exportPdf",
         path("read-only/chart"),
         {},
         "",
         "",
         "read-only/chart.pdf"},
        {"a folder no one may create files in",
         "exportSvg",
         "/proc/hygrovane-chart",
         {},
         "",
         "",
         "/proc/hygrovane-chart.svg"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.chosen == path("read-only/chart") && geteuid() == 0) {
            continue;
        }
        QFile::setPermissions(folder.path() + "/read-only",
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir(folder.path()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder.path() + "/folder"));
        ASSERT_TRUE(QDir().mkpath(folder.path() + "/read-only"));
        QFile::setPermissions(folder.path() + "/read-only", QFile::ReadOwner | QFile::ExeOwner);
        for (const char* name : {"old.svg", "old.pdf"}) {
            QFile file(QString::fromStdString(path(name)));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(old) == old.size());
        }
        const auto before = Snapshot(folder.path());
        platform.questions.clear();
        platform.messages.clear();
        platform.savePaths = {row.chosen};
        platform.answers = {row.answers.begin(), row.answers.end()};

        control<QAction>(*chart, row.action)->trigger();

        if (row.asked.empty()) {
            EXPECT_TRUE(platform.questions.empty());
        } else {
            EXPECT_EQ(platform.questions.size(), 1U);
            for (const auto& question : platform.questions) {
                EXPECT_EQ(question.message, "The file \"" + row.asked +
                                                "\" already exists. Do you want to replace it?");
            }
        }
        auto after = Snapshot(folder.path());
        if (!std::string(row.written).empty()) {
            const QByteArray bytes = Bytes(row.written);
            EXPECT_TRUE(bytes.startsWith("<?xml") || bytes.startsWith("%PDF")) << row.written;
            after.erase(QString::fromStdString(row.written));
            auto expected = before;
            expected.erase(QString::fromStdString(row.written));
            EXPECT_EQ(after, expected) << "nothing else changed";
            EXPECT_TRUE(platform.messages.empty());
        } else {
            EXPECT_EQ(after, before) << "every file as it was";
        }
        if (row.reported != nullptr) {
            EXPECT_EQ(platform.messages.size(), 1U);
            for (const auto& message : platform.messages) {
                EXPECT_NE(message.message.find(row.reported), std::string::npos) << message.message;
            }
        }
        for (const char* elsewhere : {"/dev/full.pdf", "/proc/hygrovane-chart.svg"}) {
            EXPECT_FALSE(QFileInfo::exists(elsewhere)) << elsewhere;
            QFile::remove(elsewhere); // what the earlier code left
        }
    }
}

} // namespace
} // namespace hygrovane::views
