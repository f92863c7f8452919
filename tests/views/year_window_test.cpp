// The year page on the offscreen platform: Chicago opened in the climate window, the page
// reached from its button, a unit typed, run on the worker, units side by side, an hour opened in
// the processes window, the tables as CSV and the page as PDF.
#include "hygrovane/relations.h"
#include "models/fake_platform.h"
#include "programs/hygrovane/program_start.h"
#include "qt_app.h"
#include "report_pdf.h"
#include "text/number_text.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"
#include "views/climate/climate_window.h"
#include "views/common/view_support.h"
#include "views/processes/processes_window.h"
#include "views/year/year_option_bars.h"
#include "views/year/year_window.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace hygrovane::views {
namespace {

namespace fs = std::filesystem;
using models::CommandOutcome;
using testing::control;

// The annual and monthly tables' column of the heating energy.
constexpr int kHeating = 11;

const std::string kChicago = std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw";

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class YearViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(folder);
        view.load();
        view.show();
        ConnectYearWindow(view, platform, nullptr);
        climate = showClimateWindow(view, platform, nullptr);
        QSignalSpy finished(climate.data(), &ClimateWindow::loadFinished);
        climate->open(kChicago);
        ASSERT_TRUE(finished.wait(30000));
    }
    void TearDown() override {
        for (QWidget* w :
             {static_cast<QWidget*>(year.data()), static_cast<QWidget*>(climate.data()),
              static_cast<QWidget*>(openProcessesWindow()),
              static_cast<QWidget*>(view.findChild<ChartWindow*>())}) {
            if (w != nullptr) {
                w->close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        fs::remove_all(folder);
    }
    // Waits for the run on the worker, as the window's timer takes it.
    bool ran() {
        for (int i = 0; i < 3000 && year->running(); ++i) {
            QTest::qWait(10);
        }
        return !year->running() && year->model().current();
    }
    QString cell(const char* table, int r, int c) {
        const QTableWidgetItem* item = control<QTableWidget>(*year, table)->item(r, c);
        return item != nullptr ? item->text() : QString();
    }
    std::string path(const char* name) const { return (folder / name).string(); }

    fs::path folder =
        fs::temp_directory_path() / ("hygrovane-yearview-" + std::to_string(::getpid()));
    QApplication& app = testing::qtApp();
    ChartOverlays overlays; // outlives the windows that draw on it
    testing::FakePlatform platform;
    AmbientWindow view{platform};
    QPointer<ClimateWindow> climate;
    QPointer<YearWindow> year;
};

TEST_F(YearViewTest, RunsAUnitComparesOptionsOpensAnHourAndExports) {
    // Reached from the climate window's button, on its hours; the run starts by itself.
    control<QPushButton>(*climate, "showYear")->click();
    year = view.findChild<YearWindow*>(QStringLiteral("Form_year"));
    ASSERT_NE(year, nullptr);
    ASSERT_TRUE(ran());
    EXPECT_EQ(cell("AnnualTable", 0, 1), "8760");

    // A 100 % outdoor-air unit typed in the form: it runs again, the window answering meanwhile.
    testing::retype(*year, "MinOutdoorFraction", "1");
    QTest::keyClick(control<QLineEdit>(*year, "MinOutdoorFraction"), Qt::Key_Return);
    EXPECT_EQ(year->model().options()[0].minOutdoorFraction, 1.0);
    ASSERT_TRUE(ran());
    const QString heating = cell("AnnualTable", 0, kHeating);

    // A second unit with a wheel: side by side, the difference to the first negative.
    control<QPushButton>(*year, "AddUnit")->click();
    control<QCheckBox>(*year, "Recovery")->click();
    ASSERT_TRUE(year->model().options()[1].recovery.has_value());
    ASSERT_TRUE(ran());
    EXPECT_EQ(cell("AnnualTable", 0, kHeating), heating);
    EXPECT_TRUE(cell("AnnualTable", 2, kHeating).startsWith("-"))
        << cell("AnnualTable", 2, kHeating).toStdString();
    // The main columns fit the default window; the other hour counts and the steam start hidden.
    year->resize(1100, 720);
    QTest::qWait(20);
    for (const char* table : {"AnnualTable", "MonthlyTable"}) {
        auto* shown = control<QTableWidget>(*year, table);
        EXPECT_FALSE(shown->isColumnHidden(kHeating)) << table;
        EXPECT_TRUE(shown->isColumnHidden(20)) << table; // steam
    }
    auto* annual = control<QTableWidget>(*year, "AnnualTable"); // the tab shown
    EXPECT_LE(annual->horizontalHeader()->length(), annual->viewport()->width());
    // The units' monthly totals: a series per unit.
    EXPECT_EQ(control<OptionBarsChart>(*year, "OptionBars")->bars().values.size(), 2U);
    testing::pick(*year, "UnitOption", "Unit 1");
    EXPECT_EQ(year->model().selected(), 0U);
    EXPECT_EQ(cell("MonthlyTable", 12, kHeating), heating);
    EXPECT_EQ(control<QLineEdit>(*year, "MinOutdoorFraction")->text(), "1");

    // A January hour in the processes window, at the hour's own pressure.
    const auto record = year->model().recordAt(1, 15, 3);
    ASSERT_TRUE(record.has_value());
    const auto hour = year->model().hourAt(*record);
    ASSERT_TRUE(hour.has_value());
    view.model().form().Text(2).text =
        QString::number(hour->pressure / 1000, 'g', 17).toStdString();
    view.model().Text_Change(2);
    control<QSpinBox>(*year, "HourMonth")->setValue(1);
    control<QSpinBox>(*year, "HourDay")->setValue(15);
    control<QSpinBox>(*year, "HourHour")->setValue(3);
    control<QPushButton>(*year, "OpenInProcesses")->click();
    ProcessesWindow* processes = openProcessesWindow();
    ASSERT_NE(processes, nullptr) << (platform.messages.empty() ? ""
                                                                : platform.messages.back().message);
    const auto& set = processes->model().set();
    ASSERT_FALSE(set.processes().empty());
    EXPECT_NE(set.pointNamed("U1 Jan 15 3h outdoor"), nullptr);
    const auto& supply = set.points().back();
    ASSERT_TRUE(supply.state.has_value());
    EXPECT_NEAR(supply.state->dryBulb - kCelsiusOffset, hour->supply.dryBulb, 2e-5);

    // The tables as CSV, the page as PDF.
    platform.savePaths = {path("year.csv")};
    control<QPushButton>(*year, "ExportCsv")->click();
    const std::string csv = ReadAll(path("year.csv"));
    EXPECT_NE(csv.find("Unit 2 by month"), std::string::npos);
    const double full = year->model().annualSection().rows[0].cells[kHeating].value;
    EXPECT_NE(csv.find("," + text::ShortestText(full) + ","), std::string::npos);
    const report::ReportOptions options{"AHU-1", "", QPageSize::A4};
    ASSERT_EQ(year->exportPdf(path("year.pdf"), options), CommandOutcome::Done);
    const std::string pdf = ReadAll(path("year.pdf"));
    EXPECT_EQ(pdf.rfind("%PDF-", 0), 0U);
    // The tables as the window shows them, nothing overlapping; the two bar charts on pages of
    // their own after them.
    const report::ReportContent content = year->reportContent(options);
    report::Layout layout;
    ASSERT_FALSE(report::ReportPdf(content, options.paper, &layout).isEmpty());
    EXPECT_TRUE(NoOverlap(layout));
    ASSERT_EQ(content.figures.size(), 2U);
    const QString text = Poppler(
        QStringLiteral("pdftotext"),
        {QStringLiteral("-layout"), QString::fromStdString(path("year.pdf")), QStringLiteral("-")});
    EXPECT_TRUE(
        InOrder(text, {"AHU-1", "chicago.epw", "Unit 2", "room 24 °C", "recovery 0.75",
                       "Units side by side", "Unit 2 − 1", "Unit 1 by month", "Unit 2 peaks",
                       "Unit 1 by month", "Heating (kWh)", "Cooling sensible (kWh)", "Unit 2"}));
    EXPECT_TRUE(
        InOrder(LinesOf(text, "Unit 2 − 1"), {"Unit 2 − 1", cell("AnnualTable", 2, kHeating)}));
    EXPECT_EQ(year->exportPdf(folder.string()), CommandOutcome::Refused);
}

TEST_F(YearViewTest, TheChartWindowDrawsTheCloudsAndThePickedHour) {
    year = showYearWindow(view, platform, &overlays);
    ASSERT_TRUE(ran());
    const auto layer = [this]() -> const chart::Overlay* {
        const auto found = overlays.all().find("year");
        return found == overlays.all().end() ? nullptr : &found->second;
    };
    ASSERT_NE(layer(), nullptr);
    EXPECT_EQ(*layer(), year->model().overlay());
    EXPECT_EQ(layer()->dots.size(), 5 * 8760U);

    // The chart window draws the year's layer; a node hidden leaves it, a peak's row draws its
    // chain and sets the date controls to its hour.
    control<QPushButton>(*year, "ShowChart")->click();
    auto* chart = view.findChild<ChartWindow*>();
    ASSERT_NE(chart, nullptr);
    const ChartScene scene = chart->scene();
    EXPECT_NE(std::find(scene.overlays.begin(), scene.overlays.end(), layer()),
              scene.overlays.end());
    control<QCheckBox>(*year, "ShowNode mixed")->click();
    EXPECT_EQ(layer()->dots.size(), 4 * 8760U);
    auto* peaks = control<QTableWidget>(*year, "PeaksTable");
    emit peaks->cellClicked(1, 0); // the cooling peak (at 20 % outdoor air, no heating)
    ASSERT_FALSE(layer()->paths.empty())
        << (platform.messages.empty() ? "" : platform.messages.back().message);
    const auto& peak = year->model().selectedRun()->peaks.coolingKW;
    EXPECT_EQ(control<QSpinBox>(*year, "HourMonth")->value(), peak.month);
    EXPECT_EQ(control<QSpinBox>(*year, "HourHour")->value(), peak.hour);
    EXPECT_EQ(*layer(), year->model().overlay());
    // The chart's context menu picks the hour nearest the point clicked: here the summer peak's
    // outdoor air.
    const auto outdoor = std::find_if(layer()->points.begin(), layer()->points.end(),
                                      [](const auto& p) { return p.label.starts_with("outdoor"); });
    ASSERT_NE(outdoor, layer()->points.end());
    control<QSpinBox>(*year, "HourMonth")->setValue(1);
    overlays.pointActions().at("year").run(outdoor->at);
    EXPECT_EQ(control<QSpinBox>(*year, "HourMonth")->value(), peak.month);
    control<QPushButton>(*year, "ClearHourOnChart")->click();
    EXPECT_TRUE(layer()->paths.empty());
    control<QSpinBox>(*year, "HourDay")->setValue(30);
    control<QSpinBox>(*year, "HourMonth")->setValue(2);
    control<QPushButton>(*year, "ShowHourOnChart")->click();
    EXPECT_TRUE(layer()->paths.empty()); // no such date: refused
    control<QSpinBox>(*year, "HourDay")->setValue(1);
    control<QPushButton>(*year, "ShowHourOnChart")->click();
    EXPECT_FALSE(layer()->paths.empty());

    // The report's chart page, then the window closed takes its marks off the chart.
    const report::ReportContent content = year->reportContent({});
    ASSERT_TRUE(content.chart.has_value());
    EXPECT_NE(std::find(content.chart->overlays.begin(), content.chart->overlays.end(), layer()),
              content.chart->overlays.end());
    ASSERT_EQ(year->exportPdf(path("clouds.pdf")), CommandOutcome::Done);
    year->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(layer(), nullptr);
    EXPECT_EQ(overlays.pointActions().count("year"), 0U);
}

TEST_F(YearViewTest, ACancelledRunLeavesTheFiguresBeforeAndTheWindowAnswers) {
    control<QPushButton>(*climate, "showYear")->click();
    year = view.findChild<YearWindow*>(QStringLiteral("Form_year"));
    ASSERT_NE(year, nullptr);
    ASSERT_TRUE(ran());
    const QString heating = cell("AnnualTable", 0, kHeating);
    auto* cancel = control<QPushButton>(*year, "CancelRun");
    EXPECT_FALSE(cancel->isEnabled());

    // A changed setting runs again; Cancel stops it and the year's figures stay.
    testing::retype(*year, "MinOutdoorFraction", "1");
    QTest::keyClick(control<QLineEdit>(*year, "MinOutdoorFraction"), Qt::Key_Return);
    ASSERT_TRUE(year->running());
    EXPECT_TRUE(cancel->isEnabled());
    cancel->click();
    EXPECT_FALSE(year->running());
    EXPECT_FALSE(cancel->isEnabled());
    EXPECT_EQ(cell("AnnualTable", 0, kHeating), heating);
    const QString status = control<QLabel>(*year, "YearStatus")->text();
    EXPECT_TRUE(status.contains("cancelled")) << status.toStdString();
    QTest::qWait(100); // the stopped worker's figures never arrive
    EXPECT_EQ(cell("AnnualTable", 0, kHeating), heating);
    EXPECT_FALSE(year->model().current());

    // Two settings in a row: the first run is overtaken, the second's figures are shown.
    testing::retype(*year, "MinOutdoorFraction", "0.5");
    QTest::keyClick(control<QLineEdit>(*year, "MinOutdoorFraction"), Qt::Key_Return);
    testing::retype(*year, "MinOutdoorFraction", "1");
    QTest::keyClick(control<QLineEdit>(*year, "MinOutdoorFraction"), Qt::Key_Return);
    ASSERT_TRUE(ran());
    EXPECT_EQ(year->model().runs()[0]->settings.minOutdoorFraction, 1.0);
    EXPECT_NE(cell("AnnualTable", 0, kHeating), heating);
    EXPECT_FALSE(control<QLabel>(*year, "YearStatus")->text().contains("cancelled"));
}

TEST(YearOptionBars, OneGroupAMonthAndOneBarAUnitInTheUnitsColours) {
    testing::qtApp();
    models::OptionBars bars{"Heating (kWh)", {"Unit 1", "Unit 2", "Unit 3"}, {}};
    for (std::size_t o = 0; o < 3; ++o) {
        std::array<double, 12> values{};
        for (std::size_t m = 0; m < 12; ++m) {
            values[m] = 50 + 10 * double(m) + 20 * double(o);
        }
        bars.values.push_back(values);
    }
    OptionBarsChart chart;
    chart.resize(800, 400);
    chart.setBars(bars);
    const QImage image = chart.grab().toImage();
    // The row crossing the most bars: twelve runs of each unit's colour, unit 1, 2, 3 in every
    // month's group.
    std::vector<std::size_t> best;
    for (int y = 0; y < image.height(); ++y) {
        std::vector<std::size_t> runs;
        int previous = -1;
        for (int x = 0; x < image.width(); ++x) {
            int option = -1;
            for (std::size_t o = 0; o < 3; ++o) {
                if (image.pixelColor(x, y) == OptionColour(o)) {
                    option = static_cast<int>(o);
                }
            }
            if (option >= 0 && option != previous) {
                runs.push_back(static_cast<std::size_t>(option));
            }
            previous = option;
        }
        if (runs.size() > best.size()) {
            best = runs;
        }
    }
    ASSERT_EQ(best.size(), 36U);
    for (std::size_t i = 0; i < best.size(); ++i) {
        EXPECT_EQ(best[i], i % 3) << i;
    }
}

} // namespace
} // namespace hygrovane::views
