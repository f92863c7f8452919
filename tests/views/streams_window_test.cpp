// The measured streams on the offscreen platform: reached from the Climate window, the guide's
// logged week mapped in the dialog (a bad column refused by name), the faulty mixed-air sensor's
// hours in the faults table, the marks on the chart and the hover beside the mouse, the
// exports, the mapping kept for the next run.
#include "models/fake_platform.h"
#include "qt_app.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"
#include "views/climate/climate_window.h"
#include "views/climate/streams_dialog.h"
#include "views/climate/streams_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>

namespace hygrovane::views {
namespace {

using testing::control;

const std::string kWeek = std::string(HYGROVANE_SOURCE_DIR) + "/examples/ahu-week/ahu-week.csv";
const std::string kSupply =
    std::string(HYGROVANE_SOURCE_DIR) + "/examples/ahu-week/ahu-week-supply.csv";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The row of a table whose first cell reads so; -1 when none does.
int RowOf(QTableWidget* table, const QString& first) {
    for (int r = 0; r < table->rowCount(); ++r) {
        if (table->item(r, 0) != nullptr && table->item(r, 0)->text() == first) {
            return r;
        }
    }
    return -1;
}

class StreamsViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const QString ini = folder.filePath(QStringLiteral("settings.ini"));
        StreamsSettings() = [ini] {
            return std::make_unique<QSettings>(ini, QSettings::IniFormat);
        };
        view.load();
        view.show();
        climate = showClimateWindow(view, platform, &overlays);
        control<QPushButton>(*climate, "showStreams")->click();
        window = showStreamsWindow(platform, &overlays);
    }
    void TearDown() override {
        for (QWidget* w :
             {static_cast<QWidget*>(window.data()), static_cast<QWidget*>(chart.data()),
              static_cast<QWidget*>(climate.data())}) {
            if (w != nullptr) {
                w->close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        StreamsSettings() = {};
    }
    // The week mapped through the dialog's controls, with a flow for the coil.
    void MapWeek() {
        StreamsDialog* dialog = window->mappingDialog();
        ASSERT_EQ(dialog->addFile(kWeek), models::CommandOutcome::Done);
        ASSERT_EQ(dialog->addFile(kSupply), models::CommandOutcome::Done);
        control<QCheckBox>(*dialog, "flowOn")->setChecked(true);
        control<QDoubleSpinBox>(*dialog, "flow")->setValue(2);
        // The mixed air's humidity put on the time column is refused by the column's name.
        auto* humidity = control<QComboBox>(*dialog, "humidity.mixed");
        humidity->setCurrentIndex(humidity->findText(QStringLiteral("Timestamp")));
        EXPECT_EQ(dialog->apply(), models::CommandOutcome::Refused);
        ASSERT_FALSE(platform.messages.empty());
        EXPECT_NE(platform.messages.back().message.find(
                      "column 1 \"Timestamp\" holds the time, not the humidity"),
                  std::string::npos)
            << platform.messages.back().message;
        EXPECT_FALSE(window->model().judged());
        humidity->setCurrentIndex(humidity->findText(QStringLiteral("MA RH (%)")));
        ASSERT_EQ(dialog->apply(), models::CommandOutcome::Done);
        window->redraw();
    }

    QApplication& app = testing::qtApp();
    QTemporaryDir folder;
    testing::FakePlatform platform;
    ChartOverlays overlays; // outlives the windows, as in main()
    AmbientWindow view{platform};
    QPointer<ClimateWindow> climate;
    QPointer<StreamsWindow> window;
    QPointer<ChartWindow> chart;
};

TEST_F(StreamsViewTest, TheMappedWeekShowsTheFaultyMixedSensorAtItsHours) {
    ASSERT_NE(window, nullptr);
    MapWeek();
    QTableWidget* faults = window->table("faults");
    struct Expected {
        const char* fault;
        const char* hours;
        const char* from;
    };
    for (const Expected& e :
         {Expected{"Mixed dry bulb outside its sources'", "6", "2025-03-05 09:00"},
          Expected{"Mixed air off the outdoor-return line", "6", "2025-03-05 09:00"},
          Expected{"Supply warmer than its source", "0", ""}, Expected{"Frozen sensor", "0", ""}}) {
        SCOPED_TRACE(e.fault);
        const int row = RowOf(faults, QString::fromUtf8(e.fault));
        ASSERT_GE(row, 0);
        EXPECT_EQ(faults->item(row, 1)->text(), QString::fromUtf8(e.hours));
        EXPECT_EQ(faults->item(row, 4)->text(), QString::fromUtf8(e.from));
    }
    EXPECT_TRUE(window->table("coil")->isVisibleTo(window));
    const int fraction = RowOf(window->table("fractions"), QStringLiteral("Outdoor-air fraction"));
    ASSERT_GE(fraction, 0);
    EXPECT_EQ(window->table("fractions")->item(fraction, 1)->text(), "0.24");

    // The chart receives the marks, and names the mark under the mouse beside it.
    ASSERT_EQ(overlays.all().count(kStreamsLayer), 1u);
    EXPECT_EQ(overlays.all().at(kStreamsLayer).dots.size(), 4u * 1008);
    chart = showChartWindow(view, platform, &overlays);
    const auto& state = window->model().report().judged.aligned.states[2][2 * 144 + 72];
    const QPoint at = chart->canvasPixel({state.dryBulb + 273.15, state.humidityRatio}).toPoint();
    QMouseEvent moved(QEvent::MouseMove, at, chart->canvas()->mapToGlobal(at), Qt::NoButton,
                      Qt::NoButton, {});
    QApplication::sendEvent(chart->canvas(), &moved);
    const QString tip = chart->canvas()->toolTip();
    EXPECT_TRUE(tip.startsWith(QStringLiteral("2025-03-05 1"))) << tip.toStdString();
    EXPECT_TRUE(tip.contains(QStringLiteral(" · Mixed: "))) << tip.toStdString();
    EXPECT_TRUE(control<QLabel>(*chart, "status")->text().contains(tip));

    // The exports: the table's CSV with its title block, the command line's JSON.
    const std::string csv = folder.filePath(QStringLiteral("week.csv")).toStdString();
    const std::string json = folder.filePath(QStringLiteral("week.json")).toStdString();
    platform.savePaths = {csv, json};
    control<QPushButton>(*window, "exportCsv")->click();
    control<QPushButton>(*window, "exportJson")->click();
    EXPECT_EQ(ReadFile(csv), window->model().csv());
    EXPECT_EQ(ReadFile(csv).rfind("# source,", 0), 0u);
    EXPECT_EQ(ReadFile(json), window->model().json());

    // Closing the window takes its marks off the chart; the mapping comes back with the next.
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(overlays.all().count(kStreamsLayer), 0u);
    window = showStreamsWindow(platform, &overlays);
    ASSERT_TRUE(window->model().judged());
    EXPECT_EQ(window->model().report().judgement.massFlow, 2.0);
    const int again =
        RowOf(window->table("faults"), QStringLiteral("Mixed dry bulb outside its sources'"));
    ASSERT_GE(again, 0);
    EXPECT_EQ(window->table("faults")->item(again, 1)->text(), QStringLiteral("6"));
}

TEST_F(StreamsViewTest, AColumnLeftAsFoundKeepsItsUnitsFactor) {
    const QString path = folder.filePath(QStringLiteral("inhg.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Timestamp,OA Temp (\xC2\xB0"
               "C),OA RH (%),OA Pressure (inHg)\n"
               "2025-03-03 00:00,5,80,29.92\n2025-03-03 00:10,5.1,79,29.92\n");
    file.close();
    StreamsDialog* dialog = window->mappingDialog();
    ASSERT_EQ(dialog->addFile(path.toStdString()), models::CommandOutcome::Done);
    ASSERT_EQ(dialog->apply(), models::CommandOutcome::Done);
    // 29.92 inHg read as kPa by its factor, not as 29.92 kPa.
    EXPECT_NEAR(window->model().report().judged.aligned.states[0][0].pressure, 101320, 10);
}

TEST_F(StreamsViewTest, ExportsBeforeAMappingAreRefused) {
    platform.savePaths = {folder.filePath(QStringLiteral("none.csv")).toStdString()};
    control<QPushButton>(*window, "exportCsv")->click();
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_FALSE(QFile::exists(folder.filePath(QStringLiteral("none.csv"))));
    EXPECT_EQ(window->mappingDialog()->addFile("/nonexistent/log.csv"),
              models::CommandOutcome::Refused);
    EXPECT_NE(platform.messages.back().message.find("/nonexistent/log.csv"), std::string::npos);
}

} // namespace
} // namespace hygrovane::views
