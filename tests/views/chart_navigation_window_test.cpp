// Moving around the chart window with the mouse and the keyboard: pan, box zoom and undo, the
// families of lines shown, the chart on the clipboard, named marked points, and the settings
// that a window started later reads back.
#include "models/fake_platform.h"
#include "qt_app.h"
#include "remembered_chart.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"

#include <QAction>
#include <QClipboard>
#include <QDoubleSpinBox>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QPushButton>
#include <QRubberBand>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <memory>

namespace hygrovane::views {
namespace {

using testing::control;
using testing::text;

void move(QWidget* widget, QPoint to, Qt::MouseButtons buttons) {
    QMouseEvent event(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, buttons, {});
    QApplication::sendEvent(widget, &event);
}

// A drag as the mouse makes it: pressed, moved in two steps, released.
void drag(QWidget* widget, Qt::MouseButton button, Qt::KeyboardModifiers keys, QPoint from,
          QPoint to) {
    QTest::mousePress(widget, button, keys, from);
    move(widget, (from + to) / 2, button);
    move(widget, to, button);
    QTest::mouseRelease(widget, button, keys, to);
}

class ChartNavigationTest : public testing::RememberedChartTest {
  protected:
    chart::ChartRange range() const { return chart->model().range(); }
    // Right-clicks the canvas; the menu it opened.
    QMenu* menuAt(QPoint at) {
        delete chart->findChild<QMenu*>("chartPointMenu");
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, chart->canvas()->mapToGlobal(at));
        QApplication::sendEvent(chart->canvas(), &event);
        return chart->findChild<QMenu*>("chartPointMenu");
    }
    QAction* offeredAt(QPoint at, const char* name) {
        QMenu* menu = menuAt(at);
        QAction* found = menu ? menu->findChild<QAction*>(name) : nullptr;
        if (!found && menu) {
            for (QAction* action : menu->actions()) {
                if (action->objectName() == name) {
                    found = action;
                }
            }
        }
        if (menu) {
            menu->hide();
        }
        return found;
    }
    std::size_t curvesOf(chart::Family family) const {
        const auto& curves = chart->model().chart().geometry().curves;
        return static_cast<std::size_t>(
            std::count_if(curves.begin(), curves.end(),
                          [&](const chart::Curve& c) { return c.family == family; }));
    }
};

void ExpectNear(const chart::ChartRange& r, const chart::ChartRange& expected, double kelvins,
                double ratio) {
    EXPECT_NEAR(r.dryBulbMin, expected.dryBulbMin, kelvins);
    EXPECT_NEAR(r.dryBulbMax, expected.dryBulbMax, kelvins);
    EXPECT_NEAR(r.humidityRatioMin, expected.humidityRatioMin, ratio);
    EXPECT_NEAR(r.humidityRatioMax, expected.humidityRatioMax, ratio);
}

// Each way of panning moves the chart under the mouse and leaves the main window's state; a
// plain drag still sets it; one undo steps back over a whole pan.
TEST_F(ChartNavigationTest, PansWithTheMiddleButtonShiftOrSpaceAndAPlainDragStillSetsTheState) {
    QWidget* canvas = chart->canvas();
    const chart::ChartRange full = range();
    const QString state = text(view, "Text1") + text(view, "Text3");
    const struct {
        const char* name;
        Qt::MouseButton button;
        Qt::KeyboardModifiers keys;
        bool space;
    } rows[] = {{"middle button", Qt::MiddleButton, {}, false},
                {"Shift and the left button", Qt::LeftButton, Qt::ShiftModifier, false},
                {"Space held and the left button", Qt::LeftButton, {}, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        chart->chooseRange(std::nullopt);
        if (row.space) {
            QTest::keyPress(canvas, Qt::Key_Space);
        }
        // 25 °C, 12 g/kg dragged onto where 20 °C, 10 g/kg was.
        drag(canvas, row.button, row.keys, pixelOf(25, 12), pixelOf(20, 10));
        if (row.space) {
            QTest::keyRelease(canvas, Qt::Key_Space);
        }
        ExpectNear(range(), {full.dryBulbMin + 5, full.dryBulbMax + 5, 0.002, 0.032}, 0.1, 1e-4);
        EXPECT_EQ(text(view, "Text1") + text(view, "Text3"), state) << "the state stays";
        EXPECT_EQ(chart->undoRange(), models::CommandOutcome::Done);
        EXPECT_EQ(range(), full) << "one undo for the whole pan";
    }
    // Space released: a plain drag sets the state again.
    drag(canvas, Qt::LeftButton, {}, pixelOf(20, 5), pixelOf(30, 12));
    EXPECT_EQ(range(), full);
    EXPECT_NE(text(view, "Text1") + text(view, "Text3"), state);
    EXPECT_TRUE(text(view, "Text1").startsWith("30")) << text(view, "Text1").toStdString();

    // The range a pan ends at is kept.
    drag(canvas, Qt::MiddleButton, {}, pixelOf(25, 12), pixelOf(20, 10));
    const chart::ChartRange panned = range();
    EXPECT_NE(panned, full);
    restart();
    EXPECT_EQ(range(), panned);
}

TEST_F(ChartNavigationTest, CtrlDrawsABoxThatBecomesTheRangeAndCtrlZUndoesIt) {
    QWidget* canvas = chart->canvas();
    const chart::ChartRange full = range();
    const QString state = text(view, "Text1");
    QTest::mousePress(canvas, Qt::LeftButton, Qt::ControlModifier, pixelOf(10, 5));
    move(canvas, pixelOf(20, 10), Qt::LeftButton);
    auto* band = chart->findChild<QRubberBand*>("zoomBox");
    ASSERT_NE(band, nullptr);
    EXPECT_TRUE(band->isVisible());
    EXPECT_LE((band->geometry().topLeft() - QPoint(pixelOf(10, 10).x(), pixelOf(20, 10).y()))
                  .manhattanLength(),
              2);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ControlModifier, pixelOf(20, 10));
    EXPECT_FALSE(band->isVisible());
    ExpectNear(range(), {283.15, 293.15, 0.005, 0.010}, 0.1, 1e-4);
    EXPECT_EQ(text(view, "Text1"), state) << "a box sets no state";
    EXPECT_NEAR(control<QDoubleSpinBox>(*chart, "dryBulbFrom")->value(), 10, 0.1);

    // A box of a few pixels is a click: nothing changes. So is one dropped with Escape.
    const chart::ChartRange boxed = range();
    const QPoint at = pixelOf(15, 7);
    drag(canvas, Qt::LeftButton, Qt::ControlModifier, at, at + QPoint(3, 3));
    EXPECT_EQ(range(), boxed);
    QTest::mousePress(canvas, Qt::LeftButton, Qt::ControlModifier, at);
    move(canvas, at + QPoint(100, 100), Qt::LeftButton);
    QTest::keyClick(canvas, Qt::Key_Escape);
    QTest::mouseRelease(canvas, Qt::LeftButton, Qt::ControlModifier, at + QPoint(100, 100));
    EXPECT_EQ(range(), boxed);

    // A box narrower than 1 K is widened to it about its centre.
    const QPoint left = pixelOf(15, 6);
    drag(canvas, Qt::LeftButton, Qt::ControlModifier, left, pixelOf(15.3, 8));
    EXPECT_NEAR(range().dryBulbMax - range().dryBulbMin, 1, 1e-9);

    QTest::keyClick(chart, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(range(), boxed);
    QTest::keyClick(chart, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(range(), full);
    EXPECT_FALSE(control<QAction>(*chart, "undoRange")->isEnabled()) << "nothing left to undo";
    QTest::keyClick(chart, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(range(), full);
}

// Every way of changing the range is one step back, newest first.
TEST_F(ChartNavigationTest, UndoStepsBackThroughTheWheelTheFieldsAndTheDefaultButton) {
    QWidget* canvas = chart->canvas();
    std::vector<chart::ChartRange> seen{range()};
    const QPoint centre = pixelOf(20, 10);
    QWheelEvent wheel(centre, canvas->mapToGlobal(centre), {}, {0, 120}, Qt::NoButton, {},
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(canvas, &wheel);
    seen.push_back(range());
    auto* from = control<QDoubleSpinBox>(*chart, "dryBulbFrom");
    from->setValue(5);
    emit from->editingFinished();
    seen.push_back(range());
    control<QPushButton>(*chart, "resetRange")->click();
    EXPECT_EQ(range(), seen.front());
    QAction* undo = control<QAction>(*chart, "undoRange");
    for (auto r = seen.rbegin(); r != seen.rend(); ++r) {
        ASSERT_TRUE(undo->isEnabled());
        undo->trigger();
        EXPECT_EQ(range(), *r);
    }
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_NE(offeredAt(centre, "undoRange"), nullptr) << "also in the context menu";
}

TEST_F(ChartNavigationTest, EachFamilyIsShownAndHiddenFromTheViewAndContextMenus) {
    auto* lines = chart->findChild<QMenu*>("chartLinesMenu");
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->actions().size(), static_cast<int>(chart::kFamilyNames.size()));
    for (const chart::FamilyName& name : chart::kFamilyNames) {
        SCOPED_TRACE(std::string(name.key));
        const std::size_t shown = curvesOf(name.family);
        EXPECT_GT(shown, 0U);
        auto* toggle = control<QAction>(
            *chart, "showFamily_" +
                        QString::fromLatin1(name.key.data(), static_cast<int>(name.key.size())));
        ASSERT_TRUE(toggle->isCheckable());
        EXPECT_TRUE(toggle->isChecked());
        toggle->trigger();
        EXPECT_FALSE(toggle->isChecked());
        EXPECT_EQ(curvesOf(name.family), 0U);
        EXPECT_TRUE(chart->model().chart().families().hides(name.family));
        toggle->trigger();
        EXPECT_EQ(curvesOf(name.family), shown);
    }
    // The legend names only the families drawn.
    const auto legend = [this] {
        chart->copyToClipboard();
        return QString::fromUtf8(QGuiApplication::clipboard()->mimeData()->data("image/svg+xml"));
    };
    const QString caption =
        QString::fromStdString(chart->model().chart().familyCaption(chart::Family::WetBulb))
            .toHtmlEscaped();
    EXPECT_TRUE(legend().contains(caption)) << caption.toStdString();
    chart->showFamily(chart::Family::WetBulb, false);
    EXPECT_FALSE(legend().contains(caption));
    chart->showFamily(chart::Family::WetBulb, true);
    // Hidden lines stay hidden through a change of the range.
    chart->showFamily(chart::Family::Enthalpy, false);
    chart->chooseRange(chart::ChartRange{273.15, 303.15, 0, 0.02});
    EXPECT_EQ(curvesOf(chart::Family::Enthalpy), 0U);
    EXPECT_FALSE(control<QAction>(*chart, "showFamily_enthalpy")->isChecked());
    QMenu* menu = menuAt(pixelOf(20, 10));
    ASSERT_NE(menu, nullptr);
    bool hasLines = false;
    for (QAction* action : menu->actions()) {
        hasLines = hasLines || action->menu() == lines;
    }
    EXPECT_TRUE(hasLines);
    menu->hide();
}

TEST_F(ChartNavigationTest, CopiesThePictureAsPngAndSvg) {
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(chart, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_TRUE(data->hasFormat("image/png")) << data->formats().join(' ').toStdString();
    EXPECT_TRUE(data->hasFormat("image/svg+xml"));
    const QSize size = chart->canvas()->size();
    const QImage png = QImage::fromData(data->data("image/png"), "PNG");
    EXPECT_EQ(png.size(), size);
    EXPECT_TRUE(data->hasImage());
    const QByteArray svg = data->data("image/svg+xml");
    EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(40).toStdString();
    EXPECT_TRUE(
        svg.contains(QString("width=\"%1").arg(size.width()).toUtf8()) ||
        svg.contains(
            QString("viewBox=\"0 0 %1 %2\"").arg(size.width()).arg(size.height()).toUtf8()));
    EXPECT_GT(svg.size(), 10000) << "lines and text, not an empty picture";
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_NE(offeredAt(pixelOf(20, 10), "copyChart"), nullptr) << "also in the context menu";
}

TEST_F(ChartNavigationTest, MarksNamedPointsFromTheContextMenuAndRenamesAndRemovesThem) {
    const QString state = text(view, "Text1");
    EXPECT_EQ(offeredAt(pixelOf(20, 10), "renameMark"), nullptr) << "no point there yet";
    // Each right-click replaces the menu before: an action is triggered before the next one.
    QAction* mark = offeredAt(pixelOf(20, 10), "markPoint");
    ASSERT_NE(mark, nullptr);
    mark->trigger();
    // Above saturation the mark goes on the curve, as a pick would.
    offeredAt(pixelOf(10, 25), "markPoint")->trigger();
    ASSERT_EQ(chart->marks().all().size(), 2U);
    EXPECT_EQ(chart->marks().all()[0].name, "M1");
    EXPECT_NEAR(chart->marks().all()[0].at.dryBulb, 293.15, 0.1);
    EXPECT_NEAR(chart->marks().all()[0].at.humidityRatio, 0.010, 1e-4);
    EXPECT_EQ(chart->marks().all()[1].name, "M2");
    EXPECT_LT(chart->marks().all()[1].at.humidityRatio, 0.0077) << "saturated at 10 °C";
    EXPECT_EQ(text(view, "Text1"), state) << "marking sets no state";
    EXPECT_EQ(view.findChild<QWidget*>("Form_processes"), nullptr);

    // Drawn with their names among the scene's layers.
    const ChartScene scene = chart->scene();
    ASSERT_FALSE(scene.overlays.empty());
    const chart::Overlay& layer = *scene.overlays.back();
    ASSERT_EQ(layer.points.size(), 2U);
    EXPECT_EQ(layer.points[0].label, "M1");

    // Renamed through its dialog, as the menu asks.
    QAction* rename = offeredAt(pixelOf(20, 10) + QPoint(3, -2), "renameMark");
    ASSERT_NE(rename, nullptr);
    EXPECT_EQ(rename->text(), "Rename “M1”…");
    QTimer::singleShot(0, [this] {
        auto* dialog = chart->findChild<QInputDialog*>("markNameDialog");
        ASSERT_NE(dialog, nullptr);
        dialog->setTextValue("  Supply air ");
        dialog->accept();
    });
    rename->trigger();
    EXPECT_EQ(chart->marks().all()[0].name, "Supply air");
    EXPECT_EQ(chart->scene().overlays.back()->points[0].label, "Supply air");

    // A name taken is refused and said so; nothing changes.
    EXPECT_EQ(chart->renameMark(1, "Supply air"), models::CommandOutcome::Refused);
    EXPECT_EQ(control<QLabel>(*chart, "status")->text(), "Another marked point has this name.");
    EXPECT_EQ(chart->marks().all()[1].name, "M2");

    QAction* remove = offeredAt(pixelOf(20, 10), "removeMark");
    ASSERT_NE(remove, nullptr);
    remove->trigger();
    ASSERT_EQ(chart->marks().all().size(), 1U);
    EXPECT_EQ(chart->marks().all()[0].name, "M2");
    EXPECT_EQ(chart->removeMark(5), models::CommandOutcome::Refused);
}

TEST_F(ChartNavigationTest, RangeFamiliesAndMarksSurviveARestartAndAResetForgetsThem) {
    const chart::ChartRange chosen{278.15, 308.15, 0.002, 0.022};
    chart->chooseRange(chosen);
    chart->showFamily(chart::Family::WetBulb, false);
    ASSERT_EQ(chart->markPoint({293.15, 0.008}, "Room"), models::CommandOutcome::Done);
    ASSERT_EQ(chart->markPoint({303.15, 0.015}, "Outdoor, July"), models::CommandOutcome::Done);
    const chart::ChartPreferences kept = chart->preferences();

    restart();
    EXPECT_EQ(chart->preferences(), kept);
    EXPECT_EQ(range(), chosen);
    EXPECT_EQ(curvesOf(chart::Family::WetBulb), 0U);
    EXPECT_FALSE(control<QAction>(*chart, "showFamily_wetBulb")->isChecked());
    EXPECT_EQ(chart->scene().overlays.back()->points.size(), 2U);
    EXPECT_EQ(control<QLabel>(*chart, "status")->text().left(14), "Point at the c");

    // A reset that would lose marks asks; No keeps everything.
    platform.answers = {testing::FakePlatform::Answer::No};
    control<QAction>(*chart, "resetChartSettings")->trigger();
    EXPECT_EQ(platform.questions.size(), 1U);
    EXPECT_EQ(chart->preferences(), kept);
    platform.answers = {testing::FakePlatform::Answer::Yes};
    control<QAction>(*chart, "resetChartSettings")->trigger();
    EXPECT_EQ(chart->preferences(), chart::ChartPreferences{});
    EXPECT_EQ(range(), chart::MetricUnits().defaultRange);
    EXPECT_TRUE(control<QAction>(*chart, "showFamily_wetBulb")->isChecked());
    EXPECT_GT(curvesOf(chart::Family::WetBulb), 0U);

    restart();
    EXPECT_EQ(chart->preferences(), chart::ChartPreferences{});
}

// A file spoilt by hand: the range falls back whole and says so; the rest is still read.
TEST_F(ChartNavigationTest, SettingsThatCannotBeReadBackGiveTheirDefaults) {
    ASSERT_EQ(chart->markPoint({293.15, 0.008}, "Room"), models::CommandOutcome::Done);
    chart->chooseRange(chart::ChartRange{278.15, 308.15, 0.002, 0.022});
    close();
    {
        QSettings file(folder.path() + "/chart.conf", QSettings::IniFormat);
        file.setValue("chart/range/dryBulbMax", "warm");
    }
    open();
    EXPECT_EQ(range(), chart::MetricUnits().defaultRange);
    ASSERT_EQ(chart->marks().all().size(), 1U);
    EXPECT_EQ(chart->marks().all()[0].name, "Room");
    EXPECT_EQ(control<QLabel>(*chart, "status")->text(),
              "Some chart settings kept from the last run could not be read back; their defaults "
              "are used.");
}

// A file written by hand, as a user may: an unquoted list of families reads as the list it is.
TEST_F(ChartNavigationTest, AHandWrittenFileIsReadAsItsTextSays) {
    close();
    QFile file(folder.path() + "/chart.conf");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[chart]\nversion=1\nfamilies/hidden=wetBulb,enthalpy\nrange/chosen=custom\n"
               "range/dryBulbMin=273.15\nrange/dryBulbMax=293.15\nrange/humidityRatioMin=0\n"
               "range/humidityRatioMax=0.01\nmarks/count=1\nmarks/1/name=Room\n"
               "marks/1/dryBulb=293.15\nmarks/1/humidityRatio=0.008\n");
    file.close();
    open();
    EXPECT_TRUE(chart->model().chart().families().hides(chart::Family::WetBulb));
    EXPECT_TRUE(chart->model().chart().families().hides(chart::Family::Enthalpy));
    EXPECT_FALSE(chart->model().chart().families().hides(chart::Family::SpecificVolume));
    EXPECT_EQ(range(), (chart::ChartRange{273.15, 293.15, 0, 0.01}));
    ASSERT_EQ(chart->marks().all().size(), 1U);
    EXPECT_EQ(control<QLabel>(*chart, "status")->text().left(14), "Point at the c");
}

// A window given no settings source reads and keeps nothing: other programs' windows never
// touch the user's file.
TEST_F(ChartNavigationTest, WithoutASourceNothingIsKept) {
    close();
    chart = new ChartWindow(view, platform, &overlays);
    ASSERT_EQ(chart->markPoint({293.15, 0.008}, "Room"), models::CommandOutcome::Done);
    close();
    chart = new ChartWindow(view, platform, &overlays);
    EXPECT_TRUE(chart->marks().all().empty());
    EXPECT_FALSE(QFile::exists(folder.path() + "/chart.conf"));
}

} // namespace
} // namespace hygrovane::views
