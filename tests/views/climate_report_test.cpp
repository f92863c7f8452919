// The Climate window's design report: refused before a weather file is open; with Chicago's year
// open and the chart shown, a PDF whose title block names the file, place and pressure and whose
// design conditions are there row by row, nothing overlapping.
#include "climateanalysis/figure_tables.h"
#include "models/fake_platform.h"
#include "qt_app.h"
#include "report_pdf.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"
#include "views/climate/climate_window.h"
#include "views/report/report_document.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

namespace hygrovane::views {
namespace {

const std::string kChicago = std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw";

class ClimateReportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.load();
        view.show();
        window = showClimateWindow(view, platform, &overlays);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        for (QWidget* w :
             {static_cast<QWidget*>(window.data()), static_cast<QWidget*>(chart.data())}) {
            if (w != nullptr) {
                w->close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    bool load(const std::string& path) {
        QSignalSpy finished(window.data(), &ClimateWindow::loadFinished);
        window->open(path);
        return finished.wait(30000) && finished.front().front().toBool();
    }

    QApplication& app = testing::qtApp();
    testing::FakePlatform platform;
    ChartOverlays overlays;
    AmbientWindow view{platform};
    QPointer<ClimateWindow> window;
    QPointer<ChartWindow> chart;
    QTemporaryDir folder;
};

TEST_F(ClimateReportTest, NoReportBeforeAFileIsOpen) {
    const QString path = folder.filePath(QStringLiteral("climate.pdf"));
    EXPECT_EQ(window->writeReportPdf(path.toStdString(), {}), models::CommandOutcome::Refused);
    ASSERT_EQ(platform.messages.size(), 1U);
    EXPECT_NE(platform.messages.front().message.find("Open a weather file first"),
              std::string::npos);
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ClimateReportTest, ChicagosFiguresAndDesignConditionsWithTheChart) {
    ASSERT_TRUE(load(kChicago));
    chart = showChartWindow(view, platform, &overlays);
    const report::ReportOptions options{"Chicago office", "Cooling plant sizing",
                                        QPageSize::Letter};
    const QString path = folder.filePath(QStringLiteral("climate.pdf"));
    ASSERT_EQ(window->writeReportPdf(path.toStdString(), options), models::CommandOutcome::Done);

    const report::ReportContent content = window->reportContent(options);
    report::Layout layout;
    ASSERT_FALSE(report::ReportPdf(content, options.paper, &layout).isEmpty());
    EXPECT_TRUE(NoOverlap(layout));
    ASSERT_TRUE(content.chart.has_value());

    const QString text = Poppler(QStringLiteral("pdftotext"),
                                 {QStringLiteral("-layout"), QStringLiteral("-l"),
                                  QString::number(layout.pages - 1), path, QStringLiteral("-")});
    EXPECT_TRUE(InOrder(text, {"Design report: Chicago office", "Notes", "Cooling plant sizing",
                               "Weather file", "chicago.epw", "Location", "Chicago", "Pressure",
                               "kPa", "Formulation", "Unit system", "SI"}));
    const tables::Section* design = content.table.Find(climateanalysis::kDesignSection);
    ASSERT_NE(design, nullptr);
    ASSERT_GT(design->rows.size(), 0U);
    for (const tables::Row& row : design->rows) {
        QStringList cells;
        for (const tables::Cell& cell : row.cells) {
            if (!cell.Shown().empty()) {
                cells << QString::fromStdString(cell.Shown());
            }
        }
        EXPECT_TRUE(InOrder(LinesOf(text, cells.front()), cells)) << row.cells.front().Shown();
    }
}

} // namespace
} // namespace hygrovane::views
