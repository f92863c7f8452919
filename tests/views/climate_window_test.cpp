// The climate window on the offscreen platform: a weather file read on the worker thread, the
// filter, the zone models and the exports, checked in the figures and in the chart's drawing.
#include "chart/chart_mapping.h"
#include "climate/weather_file.h"
#include "models/fake_platform.h"
#include "programs/hygrovane/program_start.h"
#include "qt_app.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_export.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"
#include "views/climate/climate_window.h"
#include "views/processes/processes_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableWidget>

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace hygrovane::views {
namespace {

using testing::control;

const std::string kChicago = std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw";

void move(QWidget* widget, QPoint to) {
    QMouseEvent event(QEvent::MouseMove, to, widget->mapToGlobal(to), Qt::NoButton, Qt::NoButton,
                      {});
    QApplication::sendEvent(widget, &event);
}

class ClimateViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        view.load();
        view.show();
        window = showClimateWindow(view, platform, &overlays);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        for (QWidget* w :
             {static_cast<QWidget*>(window.data()), static_cast<QWidget*>(chart.data()),
              static_cast<QWidget*>(openProcessesWindow())}) {
            if (w != nullptr) {
                w->close();
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Opens a file and waits for the worker thread; whether the window took it.
    bool load(const std::string& path) {
        QSignalSpy finished(window.data(), &ClimateWindow::loadFinished);
        window->open(path);
        EXPECT_TRUE(window->loading());
        if (!finished.wait(30000)) {
            return false;
        }
        return finished.front().front().toBool();
    }
    // The figures table's row whose first cell starts so (and whose last is `source`).
    int row(const QString& start, const QString& source = {}) {
        QTableWidget* table = window->figuresTable();
        for (int r = 0; r < table->rowCount(); ++r) {
            const QTableWidgetItem* first = table->item(r, 0);
            const QTableWidgetItem* last = table->item(r, 3);
            if (first != nullptr && first->text().startsWith(start) &&
                (source.isEmpty() || (last != nullptr && last->text() == source))) {
                return r;
            }
        }
        return -1;
    }
    QString cell(int r, int c) {
        const QTableWidgetItem* item = window->figuresTable()->item(r, c);
        return item != nullptr ? item->text() : QString();
    }
    const chart::Overlay& climateOverlay() { return overlays.all().at(kClimateLayer); }

    QApplication& app = testing::qtApp();
    testing::FakePlatform platform;
    ChartOverlays overlays; // outlives the windows, as in main()
    AmbientWindow view{platform};
    QPointer<ClimateWindow> window;
    QPointer<ChartWindow> chart;
};

TEST_F(ClimateViewTest, LoadsFiltersSwitchesModelsAndExports) {
    ASSERT_TRUE(load(kChicago));
    EXPECT_FALSE(window->loading());
    EXPECT_TRUE(control<QLabel>(*window, "summary")->text().contains("8760 hours, 0 missing"));
    EXPECT_TRUE(control<QLabel>(*window, "humidityNote")->text().contains("relative humidity"));

    // The data README's count: |PMV| <= 0.5 at 1.1 met, 0.7 clo.
    control<QDoubleSpinBox>(*window, "clothing")->setValue(0.7);
    const int pmv = row("PMV");
    ASSERT_GE(pmv, 0);
    EXPECT_EQ(cell(pmv, 1), "803");
    // A share in report style, right-aligned, with every digit in its tool tip.
    const QTableWidgetItem* share = window->figuresTable()->item(pmv, 2);
    EXPECT_EQ(share->text(), "9.2");
    EXPECT_TRUE(share->textAlignment() & Qt::AlignRight);
    EXPECT_TRUE(share->toolTip().startsWith("9.16")) << share->toolTip().toStdString();
    EXPECT_GT(share->toolTip().size(), 6);
    // The months' zone columns say which zone they count.
    const QTableWidgetItem* z1 = window->figuresTable()->item(row("By month"), 2);
    EXPECT_EQ(z1->text(), "Z1 %");
    EXPECT_TRUE(z1->toolTip().startsWith("PMV")) << z1->toolTip().toStdString();
    EXPECT_EQ(climateOverlay().zones.front().share, "9.2 %");

    // Months that wrap over the new year: the figures and the chart follow.
    control<QSpinBox>(*window, "firstMonth")->setValue(11);
    control<QSpinBox>(*window, "lastMonth")->setValue(2);
    EXPECT_TRUE(control<QLabel>(*window, "summary")->text().contains("2880 chosen"));
    EXPECT_EQ(cell(row("Filtered hours"), 1), "2880");
    std::size_t drawn = 0;
    for (const chart::OverlayCell& c : climateOverlay().cells) {
        drawn += static_cast<std::size_t>(c.value);
    }
    EXPECT_EQ(drawn, 2880u);
    EXPECT_EQ(row("Jun"), -1);
    EXPECT_GE(row("Nov"), 0);

    // Zone models switched from the list.
    struct Switch {
        const char* model;
        const char* firstZone;
        int zones;
    };
    for (const Switch& s :
         {Switch{"Adaptive (ASHRAE 55)", "Adaptive", 1},
          Switch{"Fixed winter and summer zones", "", 2}, Switch{"PMV (ISO 7730)", "PMV", 1}}) {
        testing::pick(*window, "comfortModel", s.model);
        EXPECT_TRUE(
            QString::fromStdString(climateOverlay().zones.front().name).startsWith(s.firstZone))
            << s.model << ": " << climateOverlay().zones.front().name;
        EXPECT_EQ(window->model().result().zones.names.size(), static_cast<std::size_t>(s.zones))
            << s.model;
    }

    // CSV of the filtered figures, written whole.
    const std::string csv = ::testing::TempDir() + "climate-figures.csv";
    std::remove(csv.c_str());
    platform.savePaths.push_back(csv);
    control<QPushButton>(*window, "exportFigures")->click();
    std::ifstream written(csv);
    std::stringstream text;
    text << written.rdbuf();
    EXPECT_EQ(text.str(), window->model().figuresCsv());
    EXPECT_NE(text.str().find("section,period,item,measure,value,unit"), std::string::npos);

    // The chart's PDF carries the figures on a page after the chart.
    chart = showChartWindow(view, platform, &overlays);
    const QByteArray pdf = ChartPdf(chart->scene());
    EXPECT_TRUE(pdf.contains("/Count 2") || pdf.contains("/Count 3")) << "one page only";
}

TEST_F(ClimateViewTest, BinsAreDrawnAndReadUnderTheMouse) {
    ASSERT_TRUE(load(kChicago));
    testing::pick(*window, "comfortModel", "None"); // no zone over the bins
    chart = showChartWindow(view, platform, &overlays);
    chart->resize(1000, 720);
    // The fullest bin away from the main window's state point.
    const ChartScene scene = chart->scene();
    const climate::BinTable& bins = window->model().bins();
    const climate::Bin* chosen = nullptr;
    for (const climate::Bin& bin : bins.bins) {
        const double t = (bin.dryBulbLow + bin.dryBulbHigh) / 2;
        if ((chosen == nullptr || bin.hours > chosen->hours) &&
            (!scene.statePoint || std::abs(scene.statePoint->dryBulb - t) > 3)) {
            chosen = &bin;
        }
    }
    ASSERT_NE(chosen, nullptr);
    const chart::ChartPoint middle{(chosen->dryBulbLow + chosen->dryBulbHigh) / 2,
                                   (chosen->humidityLow + chosen->humidityHigh) / 2};
    const QSize size(1000, 720);
    const QImage image = QImage::fromData(ChartPng(scene, size));
    const chart::PixelPoint at =
        MappingOf(LayoutChart(QRectF(QPointF(0, 0), QSizeF(size))), scene.model->range())
            .toPixel(middle);
    const chart::OverlayColour expected =
        chart::ColourOf(climateOverlay().scale, static_cast<double>(chosen->hours));
    EXPECT_EQ(image.pixelColor(static_cast<int>(at.x), static_cast<int>(at.y)),
              QColor(expected.red, expected.green, expected.blue));

    // The chart's readout names the bin's hours and share.
    move(chart->canvas(), chart->canvasPixel(middle).toPoint());
    const QString status = control<QLabel>(*chart, "status")->text();
    EXPECT_TRUE(status.contains(QStringLiteral(": %1 h, ").arg(chosen->hours)))
        << status.toStdString();
    EXPECT_TRUE(status.contains("% of 8760 h")) << status.toStdString();

    // Closing the climate window takes its marks and readout off the chart.
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(overlays.all().count(kClimateLayer), 0u);
    EXPECT_EQ(overlays.hoverTextAt(middle), "");
}

TEST_F(ClimateViewTest, DesignConditionGoesToTheMainWindowAndTheProcesses) {
    ASSERT_TRUE(load(kChicago));
    const int design = row("Cooling 0.4 %", "from this file's hours");
    ASSERT_GE(design, 0);
    const int published = row("Cooling 0.4 %", "published in the file's header");
    ASSERT_GE(published, 0);
    EXPECT_EQ(cell(published, 1), "33.3");
    EXPECT_EQ(cell(published, 2), "23.7");
    window->figuresTable()->setCurrentCell(design, 0);
    control<QPushButton>(*window, "toMainWindow")->click();
    chart = showChartWindow(view, platform, &overlays);
    const auto state = chart->scene().statePoint;
    ASSERT_TRUE(state.has_value());
    EXPECT_NEAR(state->dryBulb - 273.15, cell(design, 1).toDouble(), 0.06);

    control<QPushButton>(*window, "toProcesses")->click();
    ProcessesWindow* processes = openProcessesWindow();
    ASSERT_NE(processes, nullptr);
    EXPECT_EQ(processes->model().set().points().back().name, "Cooling 0.4 %");

    // A row without a state sends nothing and says why.
    window->figuresTable()->setCurrentCell(row("Enthalpy 0.4 %"), 0);
    EXPECT_EQ(window->sendRowToMainWindow(window->figuresTable()->currentRow()),
              models::CommandOutcome::Refused);
}

TEST_F(ClimateViewTest, DamagedOrCancelledFileChangesNothing) {
    ASSERT_TRUE(load(kChicago));
    const chart::Overlay before = climateOverlay();
    const QString summary = control<QLabel>(*window, "summary")->text();
    std::ifstream in(kChicago, std::ios::binary);
    std::stringstream whole;
    whole << in.rdbuf();
    std::string text = whole.str();
    text.resize(text.size() / 2); // truncated in the middle of the year
    const std::string damaged = ::testing::TempDir() + "truncated.epw";
    std::ofstream(damaged, std::ios::binary) << text;
    EXPECT_FALSE(load(damaged));
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_NE(platform.messages.back().message.find("line "), std::string::npos)
        << platform.messages.back().message;
    EXPECT_EQ(climateOverlay(), before);
    EXPECT_EQ(control<QLabel>(*window, "summary")->text(), summary);

    const std::size_t messages = platform.messages.size();
    QSignalSpy finished(window.data(), &ClimateWindow::loadFinished);
    window->open(kChicago);
    window->cancelLoading();
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_FALSE(finished.front().front().toBool());
    EXPECT_EQ(platform.messages.size(), messages);
    EXPECT_EQ(climateOverlay(), before);
}

TEST_F(ClimateViewTest, AFileOpenedWhileAnotherLoadsReplacesIt) {
    const std::string boston = std::string(HYGROVANE_SHARED_DATA) + "/weather/boston.epw";
    QSignalSpy finished(window.data(), &ClimateWindow::loadFinished);
    window->open(kChicago);
    window->open(boston); // the first is cancelled and ends at once
    ASSERT_EQ(finished.size(), 1);
    EXPECT_FALSE(finished.front().front().toBool());
    ASSERT_TRUE(finished.wait(30000));
    EXPECT_TRUE(finished.back().front().toBool());
    QTest::qWait(50); // a late signal of the first load changes nothing
    EXPECT_EQ(finished.size(), 2);
    EXPECT_EQ(window->model().path(), boston);
    EXPECT_TRUE(control<QLabel>(*window, "summary")->text().contains("Boston"));
    EXPECT_TRUE(platform.messages.empty());
}

// A writer opened and closed lets every reader waiting on the pipe go (at the end of the file).
void ReleaseReaders(const std::string& fifo) {
    for (int tries = 0; tries < 20; ++tries) {
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            ::close(writer);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

TEST_F(ClimateViewTest, AReadThatNeverEndsHoldsNeitherCancelNorClose) {
    const std::string fifo = ::testing::TempDir() + "climate-view.fifo";
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Whatever happens below, the readers are let go after a while, so that a hang fails.
    std::thread([fifo] {
        std::this_thread::sleep_for(std::chrono::seconds(4));
        ReleaseReaders(fifo);
    }).detach();

    // The window's own reader refuses the pipe at once and says what it is.
    control<QPushButton>(*window, "openWeather")->click(); // the dialog offers weather files
    ASSERT_EQ(platform.openFilters.size(), 1u);
    EXPECT_EQ(platform.openFilters.front().rfind("Weather files (*.epw", 0), 0u);
    EXPECT_FALSE(load(fifo));
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_NE(platform.messages.back().message.find("named pipe"), std::string::npos)
        << platform.messages.back().message;

    // A reader stuck in a read (a pipe that passed the check a moment before it became one):
    // Cancel ends the load at once, and closing the window does not wait for the worker.
    window->reader =
        [](const std::string& path, const climateanalysis::ClimateSettings&,
           models::LoadControl*) -> Expected<models::LoadedClimate, models::ClimateLoadFailure> {
        // A plain read of the pipe: it blocks until a writer comes (the readers refuse pipes).
        const int descriptor = ::open(path.c_str(), O_RDONLY);
        if (descriptor >= 0) {
            char byte = 0;
            [[maybe_unused]] const auto got = ::read(descriptor, &byte, 1);
            ::close(descriptor);
        }
        return Fail(models::ClimateLoadFailure{models::ClimateLoadFailureKind::NotWeather,
                                               "read to the end"});
    };
    QSignalSpy finished(window.data(), &ClimateWindow::loadFinished);
    window->open(fifo);
    QTest::qWait(100);
    EXPECT_TRUE(window->loading());
    control<QPushButton>(*window, "cancelLoading")->click();
    EXPECT_TRUE(finished.wait(1000)) << "Cancel waited for the read";
    EXPECT_FALSE(window->loading());
    ASSERT_EQ(finished.size(), 1);
    EXPECT_FALSE(finished.front().front().toBool());

    window->open(fifo);
    const auto start = std::chrono::steady_clock::now();
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took, std::chrono::milliseconds(500)) << "closing waited for the read";
    EXPECT_TRUE(window.isNull());
    ReleaseReaders(fifo);
    QTest::qWait(50); // the abandoned workers end on their own; nothing of the window is touched
    std::remove(fifo.c_str());
}

TEST_F(ClimateViewTest, ChosenConditionStaysChosenWhenTheMonthsChange) {
    ASSERT_TRUE(load(kChicago));
    // Nothing chosen: the status line asks, and stops asking once a row is chosen.
    EXPECT_EQ(window->sendRowToMainWindow(window->figuresTable()->currentRow()),
              models::CommandOutcome::Refused);
    QLabel* status = control<QLabel>(*window, "status");
    EXPECT_TRUE(status->text().startsWith("Choose a design condition"));
    const int dew = row("Dew point 2 %");
    ASSERT_GE(dew, 0);
    window->figuresTable()->setCurrentCell(dew, 0);
    EXPECT_EQ(status->text(), "");
    const QString name = cell(dew, 0);

    // Summer only: fewer month rows above, the same condition chosen.
    control<QSpinBox>(*window, "firstMonth")->setValue(6);
    control<QSpinBox>(*window, "lastMonth")->setValue(8);
    const int now = window->figuresTable()->currentRow();
    ASSERT_GE(now, 0);
    EXPECT_NE(now, dew) << "the rows did not move";
    EXPECT_EQ(cell(now, 0), name);
    control<QPushButton>(*window, "toMainWindow")->click();
    EXPECT_EQ(testing::text(view, "Text1"), cell(now, 2)) << "dry bulb";
    EXPECT_EQ(testing::text(view, "Text5").left(cell(now, 1).size()), cell(now, 1)) << "dew point";

    // A chosen month row that the filter takes away leaves nothing chosen, and nothing is sent.
    window->figuresTable()->setCurrentCell(row("Jul"), 0);
    control<QSpinBox>(*window, "firstMonth")->setValue(1);
    control<QSpinBox>(*window, "lastMonth")->setValue(2);
    EXPECT_EQ(window->figuresTable()->currentRow(), -1);
    EXPECT_EQ(window->sendRowToMainWindow(window->figuresTable()->currentRow()),
              models::CommandOutcome::Refused);
}

TEST_F(ClimateViewTest, ConditionIsComputedAtTheMainWindowsPressure) {
    ASSERT_TRUE(load(kChicago)); // O'Hare's hours near 99 kPa
    const int design = row("Cooling 0.4 %", "from this file's hours");
    ASSERT_GE(design, 0);
    // The main window holds the row's dry bulb and wet bulb, at its own pressure.
    struct Case {
        const char* name;
        const char* option; // the pressure typed, or the altitude
        const char* box;
        const char* typed;
        const char* humidityRatio; // as the main window shows it; empty: not checked
    };
    for (const Case& c :
         {Case{"a mountain's 85 kPa", "Option8", "Text2", "85", ""},
          Case{"the guide's O'Hare at 201 m", "Option9", "Text10", "201", ".0159"}}) {
        control<QRadioButton>(view, c.option)->click();
        testing::retype(view, c.box, c.typed);
        window->figuresTable()->setCurrentCell(design, 0);
        control<QPushButton>(*window, "toMainWindow")->click();
        EXPECT_EQ(testing::text(view, c.box), c.typed) << c.name;
        EXPECT_EQ(testing::text(view, "Text1"), cell(design, 1)) << c.name;
        EXPECT_NEAR(testing::text(view, "Text6").toDouble(), cell(design, 2).toDouble(), 0.051)
            << c.name << ": " << testing::text(view, "Text6").toStdString();
        EXPECT_TRUE(testing::text(view, "Text3").startsWith(c.humidityRatio))
            << c.name << ": " << testing::text(view, "Text3").toStdString();
    }
    // The processes window takes the same two quantities.
    control<QPushButton>(*window, "toProcesses")->click();
    ProcessesWindow* processes = openProcessesWindow();
    ASSERT_NE(processes, nullptr);
    const processes::Point& point = processes->model().set().points().back();
    ASSERT_TRUE(point.given.has_value());
    EXPECT_EQ(point.given->humidityInput, HumidityInput::WetBulb);
    EXPECT_NEAR(point.given->humidity - 273.15, cell(design, 2).toDouble(), 0.051);
}

TEST_F(ClimateViewTest, NotesBandAndRangeAsTheCommandLineHasThem) {
    ASSERT_TRUE(load(kChicago));
    // The adaptive model's note, as hygrovane-climate writes it beside the figures.
    testing::pick(*window, "comfortModel", "Adaptive (ASHRAE 55)");
    QLabel* notes = control<QLabel>(*window, "notes");
    EXPECT_TRUE(notes->text().contains("records on days outside the model's 10.0 °C to 33.5 °C"))
        << notes->text().toStdString();

    // The strategies' band is the window's to set; the note says it is not the comfort zone.
    testing::pick(*window, "comfortModel", "PMV (ISO 7730)");
    QListWidget* strategies = control<QListWidget>(*window, "strategies");
    strategies->item(1)->setCheckState(Qt::Checked); // evaporative cooling
    EXPECT_TRUE(notes->text().contains("their own still-air band, 20.0 to 27.0 °C"))
        << notes->text().toStdString();
    const int evaporative = row("Evaporative cooling");
    ASSERT_GE(evaporative, 0);
    const QString wider = cell(evaporative, 1);
    control<QDoubleSpinBox>(*window, "bandHigh")->setValue(25);
    EXPECT_TRUE(notes->text().contains("20.0 to 25.0 °C")) << notes->text().toStdString();
    EXPECT_GT(cell(row("Evaporative cooling"), 1).toInt(), wider.toInt())
        << "warmer than a lower band: more hours to cool";

    // Show chart widens the chart to Chicago's coldest hours, below the default -10 degC.
    control<QPushButton>(*window, "showChart")->click();
    chart = view.findChild<ChartWindow*>();
    ASSERT_NE(chart, nullptr);
    EXPECT_LE(chart->model().range().dryBulbMin, 273.15 - 25);
    EXPECT_EQ(chart->undoRange(), models::CommandOutcome::Done); // the user's range comes back
}

TEST(ClimateMenu, OpensFromTheViewMenuAsTheProgramWiresIt) {
    testing::qtApp();
    testing::FakePlatform platform;
    ChartOverlays overlays;
    AmbientWindow view{platform};
    app::StartProgram(view, platform, std::nullopt, &overlays);
    QAction* entry = view.findChild<QAction*>("menu_climate");
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    auto* climate = view.findChild<ClimateWindow*>("Form_climate");
    ASSERT_NE(climate, nullptr);
    EXPECT_TRUE(climate->isVisible());
    for (QWidget* w : QApplication::topLevelWidgets()) {
        w->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace hygrovane::views
