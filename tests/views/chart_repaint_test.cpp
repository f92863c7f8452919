// The chart repaints only what a keystroke in the main window changed: where the state mark (or
// the error note) was and is, while a change of the curves repaints the whole canvas.
#include "menu_chart.h"
#include "models/fake_platform.h"
#include "qt_app.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"

#include <QAction>
#include <QPaintEvent>
#include <QPointer>
#include <QRegion>

#include <functional>

namespace hygrovane::views {
namespace {

using testing::control;
using testing::retype;

// Collects the regions of the paint events a widget receives.
class PaintedRegions : public QObject {
  public:
    QRegion painted;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
};

// Pixels a region covers (its rectangles do not overlap).
long long Area(const QRegion& region) {
    long long area = 0;
    for (const QRect& r : region) {
        area += static_cast<long long>(r.width()) * r.height();
    }
    return area;
}

class ChartRepaintTest : public testing::MenuChartTest {
  protected:
    void SetUp() override {
        MenuChartTest::SetUp();
        ASSERT_FALSE(HasFatalFailure());
        chart->resize(1000, 720);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart));
        settle();
        chart->canvas()->installEventFilter(&regions);
    }
    void TearDown() override {
        if (chart) {
            chart->canvas()->removeEventFilter(&regions);
        }
        MenuChartTest::TearDown();
    }
    // Lets every scheduled repaint happen.
    static void settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::sendPostedEvents();
            QCoreApplication::processEvents();
            QTest::qWait(20);
        }
    }
    // The state mark's pixel; none while it is not drawn.
    std::optional<QPoint> statePixel() const {
        const std::optional<QPointF> at = MenuChartTest::statePixel();
        return at ? std::optional<QPoint>(at->toPoint()) : std::nullopt;
    }

    PaintedRegions regions;
};

TEST_F(ChartRepaintTest, AKeystrokeRepaintsTheStateMarkOnlyAndNewCurvesTheWholeCanvas) {
    const struct {
        const char* name;
        const char* box;
        const char* typed;
        bool whole; // the curves change: the whole canvas
    } rows[] = {
        {"a moister state", "Text4", "80", false},
        {"an error: the mark gives way to the note", "Text1", "abc", false},
        {"the state back", "Text1", "25", false},
        {"a new pressure: new curves", "Text2", "90", true},
    };
    const QRegion canvas(chart->canvas()->rect());
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<QPoint> before = statePixel();
        regions.painted = QRegion();
        retype(view, row.box, row.typed);
        settle();
        const std::optional<QPoint> after = statePixel();
        ASSERT_FALSE(regions.painted.isEmpty()) << "something was repainted";
        if (row.whole) {
            EXPECT_EQ(regions.painted.intersected(canvas), canvas);
            continue;
        }
        // Each keystroke moved the mark; the old and the new place are both repainted.
        for (const std::optional<QPoint>& mark : {before, after}) {
            if (mark) {
                EXPECT_TRUE(regions.painted.contains(*mark)) << mark->x() << ", " << mark->y();
            }
        }
        EXPECT_LT(Area(regions.painted), Area(canvas) / 10)
            << "the repaint covers " << Area(regions.painted) << " of " << Area(canvas)
            << " pixels";
    }
}

} // namespace
} // namespace hygrovane::views
