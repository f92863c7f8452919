// The processes window on the offscreen platform, started as main() wires the program: opened
// from the main window's menu beside the chart, drawing its set on the chart.
#include "guide_examples.h"
#include "models/fake_platform.h"
#include "models/process_overlay.h"
#include "programs/hygrovane/program_start.h"
#include "qt_app.h"
#include "views/about/about_window.h"
#include "views/chart/chart_export.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"
#include "views/processes/process_dialog.h"
#include "views/processes/processes_window.h"
#include "views/processes/room_ratio_dialog.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <functional>

namespace hygrovane::views {
namespace {

using processes::FlowUnit;
using processes::ProcessKind;
using P = processes::Parameter;
using testing::control;
using testing::pick;

QString cell(QObject& window, const char* table, int row, int column) {
    const QTableWidgetItem* item = control<QTableWidget>(window, table)->item(row, column);
    return item != nullptr ? item->text() : QString();
}

// The column of a table whose model key is `key` ("dryBulb"), shown or hidden.
int ColumnOf(QObject& window, const char* table, const char* key) {
    const auto* t = control<QTableWidget>(window, table);
    for (int c = 0; c < t->columnCount(); ++c) {
        if (t->horizontalHeaderItem(c)->data(Qt::UserRole).toString() == QLatin1String(key)) {
            return c;
        }
    }
    ADD_FAILURE() << table << " has no column " << key;
    return 0;
}

QString cell(QObject& window, const char* table, int row, const char* key) {
    return cell(window, table, row, ColumnOf(window, table, key));
}

// Whether the process colour is painted within two pixels of a point of an image.
bool ProcessColourNear(const QImage& image, QPointF at) {
    for (int i = 0; i < 25; ++i) {
        const QColor c = image.pixelColor(at.toPoint() + QPoint(i % 5 - 2, i / 5 - 2));
        if (c.red() > 150 && c.green() < 70 && c.blue() > 80 && c.blue() < 160) {
            return true;
        }
    }
    return false;
}

// The program as main() starts it, its About box closed, with the processes window and the
// chart opened from the main window's menu.
class ProcessesViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app::StartProgram(main, platform, std::nullopt, &overlays);
        delete main.findChild<AboutWindow*>();
        main.show();
        control<QAction>(main, "menu_processes")->trigger();
        control<QAction>(main, "menu_chart")->trigger();
        window = openProcessesWindow();
        chart = main.findChild<ChartWindow*>("Form_chart");
        ASSERT_TRUE(window && chart);
        EXPECT_EQ(window->objectName(), "Form_processes");
    }
    void TearDown() override {
        if (window) {
            platform.answers = {models::Platform::Answer::No}; // not saved
            window->close();
        }
        chart->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void typeInMain(const char* box, const char* text) { testing::retype(main, box, text); }
    // The air-handling unit the user's guide walks through, built as it says.
    void BuildGuideUnit() {
        models::ProcessesModel& set = window->model();
        for (const guide::TypedState& state : guide::kAirHandlingStates) {
            typeInMain("Text1", state.dryBulb);
            typeInMain("Text4", state.relativeHumidity);
            control<QPushButton>(*window, "AddCurrentState")->click();
            ASSERT_EQ(set.RenamePoint(set.set().points().size() - 1, state.name),
                      models::CommandOutcome::Done);
        }
        for (const guide::GuideProcess& process : guide::AirHandlingProcesses()) {
            ASSERT_EQ(set.AddProcess(process.form<models::ProcessForm>()),
                      models::CommandOutcome::Done)
                << platform.messages.back().message;
            ASSERT_EQ(set.RenamePoint(set.set().points().size() - 1, process.name),
                      models::CommandOutcome::Done);
        }
        window->redraw();
    }
    QStringList mainTexts() {
        QStringList texts;
        for (int n = 1; n <= 16; ++n) {
            texts << testing::text(main, "Text" + QString::number(n));
        }
        return texts;
    }
    const chart::Overlay* layer() const {
        const auto found = overlays.all().find(models::kProcessesLayer);
        return found == overlays.all().end() ? nullptr : &found->second;
    }
    // Right-clicks the chart at a state; the command the processes window offers there, if any.
    QAction* offeredAt(double celsius, double gramsPerKg) {
        const QPoint at = chart->canvasPixel({celsius + 273.15, gramsPerKg / 1000}).toPoint();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, chart->canvas()->mapToGlobal(at));
        delete chart->findChild<QMenu*>("chartPointMenu");
        QApplication::sendEvent(chart->canvas(), &event);
        auto* menu = chart->findChild<QMenu*>("chartPointMenu");
        return menu != nullptr ? menu->findChild<QAction*>(models::kProcessesLayer) : nullptr;
    }

    QApplication& app = testing::qtApp();
    testing::FakePlatform platform;
    ChartOverlays overlays; // outlives the windows, as in main()
    AmbientWindow main{platform};
    QPointer<ProcessesWindow> window;
    QPointer<ChartWindow> chart;
};

TEST_F(ProcessesViewTest, TwoPointsMixedAndCooledShowTheirLinesOnTheChartAndTheirLoads) {
    control<QPushButton>(*window, "AddCurrentState")->click();
    typeInMain("Text1", "35");
    typeInMain("Text4", "40");
    control<QPushButton>(*window, "AddCurrentState")->click();
    EXPECT_EQ(cell(*window, "PointTable", 1, "dryBulb"), "35.0");
    // The main window's humidity ratio in kg/kg; the table's in g/kg to 0.01.
    EXPECT_NEAR(cell(*window, "PointTable", 1, "humidityRatio").toDouble(),
                control(main, "Text3")->text().toDouble() * 1000, 0.005);

    // The dialog rebuilds its rows for the kind picked, and gives what was typed.
    ProcessDialog dialog(window->model(), {}, window);
    pick(dialog, "Kind", "Adiabatic mixing of two streams");
    pick(dialog, "Inlet2", "B");
    control(dialog, "Flow1")->setText("3000");
    control(dialog, "Flow2")->setText("1000");
    ASSERT_EQ(window->model().AddProcess(dialog.form()), models::CommandOutcome::Done)
        << platform.messages.back().message;
    pick(dialog, "Kind", "Cooling coil: apparatus dew point and bypass factor");
    pick(dialog, "Inlet1", "C");
    pick(dialog, "FlowUnit1", "upstream");
    control(dialog, "apparatusDewPoint")->setText("10");
    control(dialog, "bypassFactor")->setText("0.1");
    ASSERT_EQ(window->model().AddProcess(dialog.form()), models::CommandOutcome::Done)
        << platform.messages.back().message;
    window->redraw();

    EXPECT_EQ(control<QTableWidget>(*window, "ProcessTable")->rowCount(), 2);
    EXPECT_EQ(cell(*window, "ProcessTable", 0, "from"), "A + B");
    EXPECT_TRUE(cell(*window, "ProcessTable", 1, "equipmentHeat").startsWith("-")); // the coil
    EXPECT_EQ(cell(*window, "ProcessTable", 1, "apparatusDewPoint"), "10.0");
    EXPECT_EQ(cell(*window, "ProcessTable", 1, "bypassFactor"), "0.10");
    pick(*window, "HeatUnit", "ton");
    EXPECT_EQ(control<QTableWidget>(*window, "ProcessTable")
                  ->horizontalHeaderItem(ColumnOf(*window, "ProcessTable", "total"))
                  ->text(),
              "Total\nton");

    // The set on the chart: a mark at each point's state with its name and one at the ADP; the
    // two streams end at the mixed point C, the coil leads from C to D, its dashed guide joins the
    // ADP. The chart paints every path.
    ASSERT_NE(layer(), nullptr);
    const auto mark = [&](const std::string& label) {
        for (const chart::OverlayPoint& p : layer()->points) {
            if (p.label == label) {
                return p.at;
            }
        }
        ADD_FAILURE() << "no mark " << label;
        return chart::ChartPoint{};
    };
    const auto same = [](chart::ChartPoint a, chart::ChartPoint b) {
        return std::abs(a.dryBulb - b.dryBulb) < 1e-6 &&
               std::abs(a.humidityRatio - b.humidityRatio) < 1e-9;
    };
    ASSERT_EQ(layer()->points.size(), 5U);
    for (const processes::Point& point : window->model().set().points()) {
        ASSERT_TRUE(point.state) << point.name;
        EXPECT_TRUE(same(mark(point.name), {point.state->dryBulb, point.state->humidityRatio}))
            << point.name;
    }
    ASSERT_EQ(layer()->paths.size(), 4U);
    const std::vector<chart::OverlayPath>& paths = layer()->paths;
    EXPECT_TRUE(paths[0].arrow && same(paths[0].points.back(), mark("C"))) << "stream A";
    EXPECT_TRUE(paths[1].arrow && same(paths[1].points.back(), mark("C"))) << "stream B";
    EXPECT_TRUE(paths[2].arrow && same(paths[2].points.front(), mark("C")) &&
                same(paths[2].points.back(), mark("D")))
        << "the coil";
    EXPECT_TRUE(paths[3].dashed && (same(paths[3].points.front(), mark("ADP")) ||
                                    same(paths[3].points.back(), mark("ADP"))))
        << "the coil's guide";
    const QImage painted = chart->canvas()->grab().toImage();
    for (const chart::OverlayPath& path : layer()->paths) {
        const chart::ChartPoint& a = path.points[path.points.size() / 3];
        const chart::ChartPoint& b = path.points[path.points.size() / 3 + 1];
        const QPointF middle = (chart->canvasPixel(a) + chart->canvasPixel(b)) / 2;
        EXPECT_TRUE(ProcessColourNear(painted, middle)) << middle.x() << ", " << middle.y();
    }
    const QImage exported = QImage::fromData(ChartPng(chart->scene(), chart->canvas()->size()));
    EXPECT_TRUE(ProcessColourNear(exported, chart->canvasPixel(layer()->points.back().at)))
        << "the export draws the set too";

    // The main window's pressure and units reach the tables and the chart as the user types;
    // a keystroke that changes nothing of the set repaints no chart.
    QSignalSpy repaints(&overlays, &ChartOverlays::changed);
    typeInMain("Text1", "30");
    EXPECT_EQ(repaints.count(), 0);
    const chart::Overlay before = *layer();
    const QString W = cell(*window, "PointTable", 2, "humidityRatio");
    typeInMain("Text2", "90");
    EXPECT_NE(cell(*window, "PointTable", 2, "humidityRatio"), W);
    EXPECT_TRUE(
        control<QLabel>(*window, "AmbientLabel")->text().startsWith("Barometric pressure 90 kPa"));
    EXPECT_NE(*layer(), before);
    control<QAction>(main, "menu_british")->trigger();
    EXPECT_EQ(cell(*window, "PointTable", 0, "dryBulb"), "77.0");
    EXPECT_EQ(control<QTableWidget>(*window, "PointTable")
                  ->horizontalHeaderItem(ColumnOf(*window, "PointTable", "enthalpy"))
                  ->text(),
              "h\nBtu/lb");

    // The lines go with the set when its window closes.
    platform.answers = {models::Platform::Answer::No};
    window->close();
    EXPECT_EQ(layer(), nullptr);
    EXPECT_TRUE(overlays.pointActions().empty());
}

TEST_F(ProcessesViewTest, ThePointRightClickedOnTheChartIsAddedWithoutTouchingTheMainWindow) {
    const QStringList before = mainTexts();
    // The second lies above saturation: the saturated point below it is added.
    const double rows[][2] = {{30, 12}, {20, 25}};
    for (const auto& [celsius, gramsPerKg] : rows) {
        QAction* add = offeredAt(celsius, gramsPerKg);
        ASSERT_NE(add, nullptr) << celsius;
        EXPECT_EQ(add->text(), "Add point to the process set");
        add->trigger();
        EXPECT_NEAR(window->model().set().points().back().state->dryBulb, celsius + 273.15, 0.1);
    }
    EXPECT_NEAR(cell(*window, "PointTable", 0, "humidityRatio").toDouble(), 12, 0.1);
    EXPECT_EQ(cell(*window, "PointTable", 1, "relativeHumidity"), "100");
    EXPECT_EQ(mainTexts(), before) << "a right-click sets no state in the main window";

    // With the processes window closed the chart offers nothing; opened anew, it draws again,
    // also once the closed one is gone.
    platform.answers = {models::Platform::Answer::No};
    window->close();
    EXPECT_EQ(offeredAt(30, 12), nullptr);
    control<QAction>(main, "menu_processes")->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    window = openProcessesWindow();
    ASSERT_NE(offeredAt(30, 12), nullptr);
    EXPECT_TRUE(layer() != nullptr && layer()->points.empty());
}

// The air-handling unit the user's guide walks through, built as it says; its figures are the
// guide's. tools/take_screenshots.cpp builds the same unit for docs/ahu-example.png.
TEST_F(ProcessesViewTest, AirHandlingUnitOfTheUsersGuide) {
    ASSERT_NO_FATAL_FAILURE(BuildGuideUnit());
    // The guide's figures (26.201 °C, 0.0104977 kg/kg, 53.10993 kJ/kg, -38.486 kW, SHR 0.697,
    // ...) in report style.
    const struct {
        const char* table;
        int row;
        const char* column;
        const char* shown;
    } figures[] = {
        {"PointTable", 2, "dryBulb", "26.2"},
        {"PointTable", 2, "humidityRatio", "10.50"},
        {"PointTable", 2, "enthalpy", "53.1"},
        {"PointTable", 3, "dryBulb", "11.6"},
        {"PointTable", 3, "relativeHumidity", "93"},
        {"PointTable", 4, "relativeHumidity", "70"},
        {"PointTable", 4, "enthalpy", "36.1"},
        {"ProcessTable", 1, "sensible", "-38.5"},
        {"ProcessTable", 1, "latent", "-16.8"},
        {"ProcessTable", 1, "sensibleHeatRatio", "0.70"},
        {"ProcessTable", 1, "equipmentHeat", "-55.0"},
        {"ProcessTable", 1, "water", "-23.92"},
        {"ProcessTable", 1, "bypassFactor", "0.10"},
        {"ProcessTable", 2, "equipmentHeat", "11.5"},
    };
    for (const auto& f : figures) {
        EXPECT_EQ(cell(*window, f.table, f.row, f.column), f.shown)
            << f.table << " row " << f.row << " column " << f.column;
    }
    EXPECT_EQ(layer()->paths.size(), 5U) << "two streams, the coil, its guide and the reheat";
}

TEST_F(ProcessesViewTest, EndingTheProgramAsksAboutAnUnsavedSet) {
    control<QPushButton>(*window, "AddCurrentState")->click();
    platform.answers = {models::Platform::Answer::Cancel};
    EXPECT_EQ(main.model().Form_QueryUnload(), models::Closing::StayOpen);
    ASSERT_EQ(platform.questions.size(), 1U);
    EXPECT_EQ(platform.questions[0].message, "Do you want to save the current process set first?");
}

// A cooling coil with reheat: the window's table and the chart's layer show the coil's and the
// reheat's loads apart, in the heat unit the window shows.
TEST_F(ProcessesViewTest, AChainsStagesAreLabelledInTheTableAndOnTheChart) {
    control<QPushButton>(*window, "AddCurrentState")->click(); // A: 25 C 50 %
    models::ProcessForm chain;
    chain.kind = processes::ProcessKind::CoolingThenReheat;
    chain.inlets = {"A"};
    chain.flowTexts = {"1"};
    chain.flowUnits = {processes::FlowUnit::KilogramsPerSecond};
    chain.texts = {{processes::Parameter::Target, "20"},
                   {processes::Parameter::BypassFactor, "0.1"}};
    chain.targetHumidityText = "50";
    ASSERT_EQ(window->model().AddProcess(chain), models::CommandOutcome::Done)
        << platform.messages.back().message;
    window->redraw();
    const QString stages = cell(*window, "ProcessTable", 0, "notes");
    EXPECT_TRUE(stages.startsWith("coil -") && stages.contains(" kW, SHR 0.") &&
                stages.contains("; reheat "))
        << stages.toStdString();
    EXPECT_TRUE(cell(*window, "ProcessTable", 0, "equipmentHeat").startsWith("-")); // the net
    ASSERT_NE(layer(), nullptr);
    ASSERT_EQ(layer()->paths.size(), 3U); // coil, reheat, the coil's guide
    EXPECT_TRUE(layer()->paths[0].label.starts_with("coil -")) << layer()->paths[0].label;
    EXPECT_TRUE(layer()->paths[0].label.ends_with(" kW")) << layer()->paths[0].label;
    EXPECT_TRUE(layer()->paths[1].label.starts_with("reheat ")) << layer()->paths[1].label;
    pick(*window, "HeatUnit", "ton");
    EXPECT_TRUE(layer()->paths[0].label.ends_with(" ton")) << layer()->paths[0].label;
    EXPECT_EQ(*layer(), models::ProcessOverlay(window->model().set(), window->model().loadUnits()));
}

} // namespace
} // namespace hygrovane::views

namespace hygrovane::views {
namespace {

// Fills in the room ratio dialog the button opens, once it is shown, and presses one of its
// buttons; then runs next when the dialog shows again (after a refusal).
void AnswerRoomRatio(QWidget& window, QString ratio, int by, QString supply, const char* button,
                     QString* roomShown = nullptr, std::function<void()> next = {}) {
    QTimer::singleShot(0, &window, [=, &window] {
        auto* dialog = window.findChild<RoomRatioDialog*>("Dialog_room_ratio");
        ASSERT_NE(dialog, nullptr);
        if (roomShown != nullptr) {
            *roomShown = control<QComboBox>(*dialog, "Room")->currentText();
        }
        control(*dialog, "Ratio")->setText(ratio);
        control<QComboBox>(*dialog, "SupplyBy")->setCurrentIndex(by);
        control(*dialog, "Supply")->setText(supply);
        if (next) {
            QTimer::singleShot(0, &window, next);
        }
        control<QPushButton>(*dialog, button)->click();
    });
}

TEST_F(ProcessesViewTest, TheRoomRatioLineAndItsSupplyAirFromTheDialog) {
    control<QPushButton>(*window, "AddCurrentState")->click(); // A: 25 C 50 %
    control<QTableWidget>(*window, "PointTable")->setCurrentCell(0, 0);
    const std::size_t pathsBefore = layer()->paths.size();

    // A ratio above 1 is refused and the dialog comes back with what was typed; then the supply
    // 10 K below the room at 0.75 is added as B.
    QString room;
    AnswerRoomRatio(*window, "1.2", 1, "10", "AddSupply", &room, [this] {
        EXPECT_EQ(platform.messages.back().message,
                  "The sensible heat ratio must lie above 0 and at most 1.");
        AnswerRoomRatio(*window, "0.75", 1, "10", "AddSupply");
    });
    control<QPushButton>(*window, "RoomRatioLine")->click();
    EXPECT_EQ(room, "A");
    ASSERT_EQ(control<QTableWidget>(*window, "PointTable")->rowCount(), 2);
    EXPECT_EQ(cell(*window, "PointTable", 1, 0), "B");
    EXPECT_EQ(cell(*window, "PointTable", 1, "dryBulb"), "15.0");

    // The line is drawn dashed from A through B, with its ratio, in the set's colour.
    ASSERT_EQ(layer()->paths.size(), pathsBefore + 1);
    const chart::OverlayPath& line = layer()->paths.back();
    EXPECT_TRUE(line.dashed);
    EXPECT_EQ(line.label, "SHR 0.75");
    const QImage painted = chart->canvas()->grab().toImage();
    const chart::ChartPoint& a = line.points[line.points.size() / 4];
    const chart::ChartPoint& b = line.points[line.points.size() / 4 + 1];
    bool seen = false;
    for (double f = 0; f <= 1 && !seen; f += 0.1) {
        seen =
            ProcessColourNear(painted, chart->canvasPixel(a) * (1 - f) + chart->canvasPixel(b) * f);
    }
    EXPECT_TRUE(seen) << "the dashed line is painted";

    // A supply dry bulb of 5 C at 0.75 would be fog: refused, then the dialog closed unchanged.
    AnswerRoomRatio(*window, "0.75", 0, "5", "AddSupply", nullptr, [this] {
        EXPECT_NE(platform.messages.back().message.find("fog"), std::string::npos);
        auto* dialog = window->findChild<RoomRatioDialog*>("Dialog_room_ratio");
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(control(*dialog, "Supply")->text(), "5");
        control<QPushButton>(*dialog, "Cancel")->click();
    });
    control<QPushButton>(*window, "RoomRatioLine")->click();
    EXPECT_EQ(control<QTableWidget>(*window, "PointTable")->rowCount(), 2);

    // Another ratio only drawn.
    AnswerRoomRatio(*window, "0.6", 1, "10", "DrawLine");
    control<QPushButton>(*window, "RoomRatioLine")->click();
    EXPECT_EQ(layer()->paths.size(), pathsBefore + 2);
    EXPECT_EQ(layer()->paths.back().label, "SHR 0.60");
}

// At the window's size of 1100 x 720 the guide's unit shows every main column (the point, DB,
// WB, RH, W, h; the process, flow, total, sensible, SHR) whole, without a horizontal scroll
// bar, in SI and IP.
TEST_F(ProcessesViewTest, MainColumnsFitTheWindowWithoutScrolling) {
    ASSERT_NO_FATAL_FAILURE(BuildGuideUnit());
    window->resize(1100, 720);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    for (const bool british : {false, true}) {
        if (british) {
            control<QAction>(main, "menu_british")->trigger();
        }
        QCoreApplication::processEvents();
        for (const auto& [name, section] :
             {std::pair{"PointTable", processfile::kPointsSection},
              std::pair{"ProcessTable", processfile::kProcessesSection}}) {
            auto* table = control<QTableWidget>(*window, name);
            EXPECT_FALSE(table->horizontalScrollBar()->isVisible()) << name << " " << british;
            for (int c = 0; c < table->columnCount(); ++c) {
                const std::string key =
                    table->horizontalHeaderItem(c)->data(Qt::UserRole).toString().toStdString();
                if (!processfile::IsMainColumn(section, key)) {
                    continue;
                }
                EXPECT_FALSE(table->isColumnHidden(c)) << key;
                EXPECT_LE(table->columnViewportPosition(c) + table->columnWidth(c),
                          table->viewport()->width())
                    << name << " " << key << " " << british;
            }
        }
    }
    // Numbers right-aligned, their every digit and unit in the tool tip.
    const QTableWidgetItem* dryBulb = control<QTableWidget>(*window, "PointTable")
                                          ->item(2, ColumnOf(*window, "PointTable", "dryBulb"));
    EXPECT_TRUE(dryBulb->textAlignment() & Qt::AlignRight);
    EXPECT_TRUE(dryBulb->toolTip().endsWith(" °F")) << dryBulb->toolTip().toStdString();
    EXPECT_GT(dryBulb->toolTip().size(), dryBulb->text().size() + 3);
}

// The columns a reader hides or shows stay so in the next window, through the settings.
TEST_F(ProcessesViewTest, ColumnChoiceIsKeptBetweenRuns) {
    QTemporaryDir folder;
    const QString file = folder.path() + "/processes.conf";
    const ReportTable::Settings settings = [file] {
        return std::make_unique<QSettings>(file, QSettings::IniFormat);
    };
    const auto open = [&] {
        auto* view = new ProcessesWindow(main, platform, nullptr, nullptr, settings);
        view->model().AddCurrentState();
        view->redraw();
        return view;
    };
    ProcessesWindow* first = open();
    // Never chosen: the main columns and the latent load shown, the differences hidden.
    EXPECT_TRUE(first->processColumns().columnShown("latent"));
    EXPECT_TRUE(first->processColumns().columnShown("from"));
    EXPECT_FALSE(first->processColumns().columnShown("enthalpyDifference"));
    QMenu* chooser = first->pointColumns().chooser();
    QAction* dewPoint = chooser->findChild<QAction*>(QStringLiteral("dewPoint"));
    ASSERT_NE(dewPoint, nullptr);
    EXPECT_EQ(dewPoint->text(), "DP (°C)");
    EXPECT_TRUE(dewPoint->isChecked());
    dewPoint->trigger();
    first->processColumns().setColumnShown("enthalpyDifference", true);
    auto* table = control<QTableWidget>(*first, "PointTable");
    EXPECT_TRUE(table->isColumnHidden(ColumnOf(*first, "PointTable", "dewPoint")));
    delete first;

    ProcessesWindow* second = open();
    EXPECT_TRUE(control<QTableWidget>(*second, "PointTable")
                    ->isColumnHidden(ColumnOf(*second, "PointTable", "dewPoint")));
    EXPECT_TRUE(second->processColumns().columnShown("enthalpyDifference"));
    EXPECT_FALSE(second->processColumns().columnShown("humidityRatioDifference"));
    delete second;
}

} // namespace
} // namespace hygrovane::views
