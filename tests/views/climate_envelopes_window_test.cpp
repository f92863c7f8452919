// The Climate window's envelopes on the offscreen platform: ticked in the list, drawn on the
// chart with their share, in the figures table, the CSV export and the design report; a typed
// envelope that cannot be read changes nothing.
#include "climateanalysis/envelope_table.h"
#include "models/fake_platform.h"
#include "qt_app.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/climate/climate_window.h"
#include "views/climate/envelope_chooser.h"

#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>

#include <fstream>
#include <sstream>

namespace hygrovane::views {
namespace {

using testing::control;

TEST(ClimateEnvelopesWindow, TickedEnvelopesAreDrawnTabledExportedAndReported) {
    QApplication& app = testing::qtApp();
    (void)app;
    testing::FakePlatform platform;
    ChartOverlays overlays;
    AmbientWindow view{platform};
    view.load();
    QPointer<ClimateWindow> window = showClimateWindow(view, platform, &overlays);
    ASSERT_NE(window, nullptr);
    QSignalSpy finished(window.data(), &ClimateWindow::loadFinished);
    window->open(std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw");
    ASSERT_TRUE(finished.wait(30000));

    auto* list = control<QListWidget>(*window, "envelopes");
    const auto ticked = list->findItems(QStringLiteral("ashrae-tc99-2021-a1"), Qt::MatchExactly);
    ASSERT_EQ(ticked.size(), 1);
    ticked.front()->setCheckState(Qt::Checked);
    window->envelopeChooser()->tick({"ashrae-tc99-2021-a1", "ashrae-collections-b"});
    ASSERT_EQ(window->model().envelopes().size(), 2u);

    const chart::Overlay& drawn = overlays.all().at(kClimateLayer);
    int outlines = 0;
    for (const chart::OverlayZone& zone : drawn.zones) {
        outlines += zone.name == "ashrae-tc99-2021-a1";
        EXPECT_NE(zone.name, "ashrae-collections-b"); // a set point's limits have no outline
    }
    EXPECT_EQ(outlines, 1);

    QTableWidget* table = window->figuresTable();
    int rows = 0;
    for (int r = 0; r < table->rowCount(); ++r) {
        const QTableWidgetItem* first = table->item(r, 0);
        rows += first != nullptr && first->text().startsWith(QStringLiteral("ashrae-"));
    }
    EXPECT_EQ(rows, 2);

    const std::string csvPath = ::testing::TempDir() + "climate-envelopes.csv";
    ASSERT_EQ(window->exportFigures(csvPath), models::CommandOutcome::Done);
    std::ifstream in(csvPath);
    std::stringstream csv;
    csv << in.rdbuf();
    EXPECT_NE(csv.str().find("envelopes,year,ashrae-collections-b,percentHours,"),
              std::string::npos);

    const report::ReportContent content = window->reportContent({});
    const tables::Section* section = content.table.Find(climateanalysis::kEnvelopesSection);
    ASSERT_NE(section, nullptr);
    EXPECT_EQ(section->rows.size(), 2u);

    // A typed line that cannot be read: said, and the envelopes stay.
    EXPECT_FALSE(window->envelopeChooser()->applyTyped("Store: db 15..25"));
    EXPECT_FALSE(control<QLabel>(*window, "envelopeMessage")->text().isEmpty());
    EXPECT_EQ(window->model().envelopes().size(), 2u);
    EXPECT_TRUE(window->envelopeChooser()->applyTyped("Store: db 15..25; rh 30..60"));
    EXPECT_EQ(window->model().envelopes().back().name, "Store");
    window->close();
}

} // namespace
} // namespace hygrovane::views
