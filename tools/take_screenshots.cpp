// Takes the pictures of the README and the user's guide: the program's windows, started as main()
// starts them, in the states the guide describes, at fixed sizes, so that the same build gives
// the same pictures. Usage: hygrovane_screenshots FOLDER (QT_QPA_PLATFORM=offscreen without a
// display). Exits 1 naming the picture that could not be taken.
#include "guide_examples.h"
#include "hygrovane/relations.h"
#include "models/platform.h"
#include "programs/hygrovane/program_start.h"
#include "views/about/about_window.h"
#include "views/ambient/ambient_window.h"
#include "views/batch/batch_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"
#include "views/climate/climate_window.h"
#include "views/climate/envelope_chooser.h"
#include "views/climate/streams_dialog.h"
#include "views/climate/streams_window.h"
#include "views/convertor/convertor_window.h"
#include "views/processes/processes_window.h"
#include "views/saturation/saturation_window.h"
#include "views/year/year_option_bars.h"
#include "views/year/year_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QInputDevice>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace hygrovane::views {
namespace {

namespace fs = std::filesystem;

// Answers the windows' dialogs from a script: no message box or file dialog ever opens.
class ScriptedPlatform : public models::Platform {
  public:
    std::deque<std::string> openPaths;

    Answer askYesNoCancel(const std::string&, const std::string&) override { return Answer::No; }
    void showMessage(const std::string& message, const std::string&) override {
        std::fprintf(stderr, "hygrovane_screenshots: the program said: %s\n", message.c_str());
    }
    std::optional<std::string> openFileDialog() override {
        if (openPaths.empty()) {
            return std::nullopt;
        }
        std::string path = openPaths.front();
        openPaths.pop_front();
        return path;
    }
    std::optional<std::string> saveFileDialog() override { return std::nullopt; }
    models::CommandOutcome openDocument(const std::string&) override {
        return models::CommandOutcome::Refused;
    }
    models::CommandOutcome openWebPage(const std::string&) override {
        return models::CommandOutcome::Refused;
    }
};

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

template <typename T = QLineEdit> T* control(QObject& parent, const char* name) {
    T* found = parent.findChild<T*>(QString::fromUtf8(name));
    if (found == nullptr) {
        throw Failure(std::string("no control ") + name);
    }
    return found;
}

// A pick as the user makes it: the views react to activated().
void pick(QObject& parent, const char* combo, const QString& item) {
    QComboBox* list = control<QComboBox>(parent, combo);
    const int index = list->findText(item);
    if (index < 0) {
        throw Failure(std::string(combo) + " lists no " + item.toStdString());
    }
    list->setCurrentIndex(index);
    emit list->activated(index);
}

void retype(QObject& parent, const char* box, const char* keys) {
    QLineEdit* edit = control(parent, box);
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, QString::fromUtf8(keys));
}

// The program as main() starts it, its About box closed.
struct StartedProgram {
    StartedProgram() {
        app::StartProgram(main, platform, std::nullopt, &overlays);
        delete main.findChild<AboutWindow*>();
        main.show();
    }
    ScriptedPlatform platform;
    ChartOverlays overlays; // outlives the windows, as in main()
    AmbientWindow main{platform};
};

class Pictures {
  public:
    explicit Pictures(QString folder) : folder_(std::move(folder)) {}

    void take(QWidget& window, const char* file) {
        if (!QTest::qWaitForWindowExposed(&window)) {
            throw Failure(std::string(file) + ": the window was never shown");
        }
        QTest::qWait(50);
        if (!window.grab().save(folder_ + "/" + file)) {
            throw Failure(std::string(file) + ": could not be written");
        }
        std::printf("%s\n", file);
    }

    void save(const QImage& image, const char* file) {
        if (image.isNull() || !image.save(folder_ + "/" + file)) {
            throw Failure(std::string(file) + ": could not be written");
        }
        std::printf("%s\n", file);
    }

  private:
    QString folder_;
};

void CloseAndDelete(QWidget* window) {
    if (window != nullptr) {
        window->close();
        window->deleteLater();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The About box first, the main window at start-up, the saturation window, the unit convertor
// showing Fahrenheit.
void ProgramWindows(Pictures& pictures) {
    ScriptedPlatform platform;
    AmbientWindow view{platform};
    QPointer<AboutWindow> about;
    auto& handlers = view.model();
    handlers.showAbout = [&] {
        about = showAboutBox(
            platform, [&] { view.show(); }, &view);
    };
    handlers.showConvertor = [&] { showUnitConvertor(&view); };
    handlers.showSaturation = [&] { showSaturationWindow(&view); };
    view.load();
    if (about == nullptr) {
        throw Failure("about-box.png: the About box was not shown");
    }
    pictures.take(*about, "about-box.png");
    CloseAndDelete(about);
    pictures.take(view, "main-window.png");
    control<QAction>(view, "menu_sat")->trigger();
    auto* saturation = control<SaturationWindow>(view, "Form_saturation");
    pictures.take(*saturation, "saturation-window.png");
    CloseAndDelete(saturation);
    control<QAction>(view, "menu_convertor")->trigger();
    auto* convertor = control<ConvertorWindow>(view, "Form_unit_convertor");
    pick(*convertor, "Combo3_0", "F");
    pictures.take(*convertor, "unit-convertor.png");
    CloseAndDelete(convertor);
}

// The chart of the start-up state.
void Chart(Pictures& pictures) {
    ScriptedPlatform platform;
    ChartOverlays overlays;
    AmbientWindow view{platform};
    view.model().showChart = [&] { showChartWindow(view, platform, &overlays); };
    view.load();
    view.show();
    control<QAction>(view, "menu_chart")->trigger();
    auto* chart = control<ChartWindow>(view, "Form_chart");
    chart->resize(1000, 720);
    pictures.take(*chart, "chart.png");
    // The handbook density at a size it reads well: SI, IP, the 1500 m chart chosen on the chart
    // (it sets the main window's altitude) and the protractor.
    chart->resize(1500, 1000);
    pictures.take(*chart, "chart-si.png");
    chart->showProtractor(true);
    pictures.take(*chart, "chart-protractor.png");
    chart->showProtractor(false);
    pick(*chart, "altitudeCharts", "1500 m");
    pictures.take(*chart, "chart-1500m.png");
    control<QAction>(view, "menu_british")->trigger();
    pick(*chart, "altitudeCharts", "Sea level");
    pictures.take(*chart, "chart-ip.png");
    // Marked points on a zoomed range of the metric chart, with the wet-bulb lines hidden.
    control<QAction>(view, "menu_metric")->trigger();
    chart->resize(1000, 720);
    chart->chooseRange(chart::ChartRange{283.15, 313.15, 0.004, 0.022});
    chart->showFamily(chart::Family::WetBulb, false);
    chart->markPoint({308.15, 0.0180}, "Outdoor, July");
    chart->markPoint({297.15, 0.0093}, "Room");
    chart->markPoint({286.15, 0.0082}, "Coil leaving");
    pictures.take(*chart, "chart-marks.png");
    CloseAndDelete(chart);
}

// The air-handling unit of the user's guide: outdoor and return air mixed, cooled by a coil and
// reheated; the processes window and the chart zoomed onto it.
void AirHandlingUnit(Pictures& pictures) {
    StartedProgram program;
    AmbientWindow& main = program.main;
    control<QAction>(main, "menu_processes")->trigger();
    control<QAction>(main, "menu_chart")->trigger();
    ProcessesWindow* window = openProcessesWindow();
    auto* chart = control<ChartWindow>(main, "Form_chart");
    if (window == nullptr) {
        throw Failure("processes-window.png: the processes window did not open");
    }
    models::ProcessesModel& set = window->model();
    const auto name = [&](const char* as) {
        if (set.RenamePoint(set.set().points().size() - 1, as) != models::CommandOutcome::Done) {
            throw Failure(std::string("the point ") + as + " was refused");
        }
    };
    for (const guide::TypedState& state : guide::kAirHandlingStates) {
        retype(main, "Text1", state.dryBulb);
        retype(main, "Text4", state.relativeHumidity);
        control<QPushButton>(*window, "AddCurrentState")->click();
        name(state.name);
    }
    for (const guide::GuideProcess& process : guide::AirHandlingProcesses()) {
        if (set.AddProcess(process.form<models::ProcessForm>()) != models::CommandOutcome::Done) {
            throw Failure(std::string("the process to ") + process.name + " was refused");
        }
        name(process.name);
    }
    window->redraw();
    window->resize(1100, 640);
    pictures.take(*window, "processes-window.png");
    // The first page of its design report, as the PDF shows it on A4.
    const report::ReportOptions report{guide::kAirHandlingProject, guide::kAirHandlingNotes,
                                       QPageSize::A4};
    pictures.save(report::ReportPageImage(window->reportContent(report), QPageSize::A4, 0, 110),
                  "design-report.png");
    chart->resize(1000, 720);
    chart->chooseRange(chart::ChartRange{278.15, 313.15, 0, 0.020});
    pictures.take(*chart, "ahu-example.png");
    // The same unit on the Mollier h–x diagram, with the percentage-saturation lines.
    chart->chooseProjection(chart::Projection::Mollier);
    chart->showPercentageSaturation(true);
    pictures.take(*chart, "chart-hx.png");
    chart->showPercentageSaturation(false);
    chart->chooseProjection(chart::Projection::Psychrometric);
    CloseAndDelete(window);
    CloseAndDelete(chart);
}

// The Batch Convert dialog after converting a logger's file, opened from its own folder so that
// the boxes show the names a user sees rather than a temporary folder's.
void BatchConvert(Pictures& pictures) {
    const fs::path folder = fs::temp_directory_path() / "hygrovane-screenshots";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    std::ofstream(guide::kOfficeLoggerName, std::ios::binary) << guide::kOfficeLogger;
    ScriptedPlatform platform;
    AmbientWindow view{platform};
    view.model().showBatch = [&] { showBatchWindow(platform, &view); };
    control<QAction>(view, "menu_batch")->trigger();
    auto* dialog = control<BatchWindow>(view, "Form_batch");
    platform.openPaths = {guide::kOfficeLoggerName};
    control<QPushButton>(*dialog, "Command_input")->click();
    control<QPushButton>(*dialog, "Command_run")->click();
    const bool ended = QTest::qWaitFor([&] { return !dialog->model().running(); }, 60000);
    QTest::qWait(150); // the timer's last redraw
    if (ended) {
        pictures.take(*dialog, "batch-convert.png");
    }
    CloseAndDelete(dialog);
    fs::current_path(before);
    fs::remove_all(folder);
    if (!ended) {
        throw Failure("batch-convert.png: the conversion did not end");
    }
}

// The climate window of the user's guide: Chicago's year in bins with the PMV zone at 1.1 met and
// 0.7 clo and the evaporative-cooling zone, on the chart and in the figures.
void Climate(Pictures& pictures) {
    StartedProgram program;
    AmbientWindow& main = program.main;
    control<QAction>(main, "menu_climate")->trigger();
    auto* window = control<ClimateWindow>(main, "Form_climate");
    QSignalSpy finished(window, &ClimateWindow::loadFinished);
    window->open(std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw");
    if (!finished.wait(60000) || !finished.front().front().toBool()) {
        throw Failure("climate-window.png: chicago.epw was not loaded");
    }
    control<QDoubleSpinBox>(*window, "clothing")->setValue(0.7);
    const auto strategies =
        control<QListWidget>(*window, "strategies")
            ->findItems(QStringLiteral("Evaporative cooling"), Qt::MatchExactly);
    if (strategies.size() != 1) {
        throw Failure("climate-window.png: no evaporative cooling in the list");
    }
    strategies.front()->setCheckState(Qt::Checked);
    control<QPushButton>(*window, "showChart")->click();
    auto* chart = control<ChartWindow>(main, "Form_chart");
    chart->resize(1000, 720);
    pictures.take(*chart, "climate-chart.png");
    window->resize(1400, 760);
    pictures.take(*window, "climate-window.png");
    CloseAndDelete(window);
    CloseAndDelete(chart);
}

// The data hall of the user's guide: Chicago's year through a hall cooled by outdoor air without
// humidity control, its inlet the outdoor air held between 18 and 27 degC (mixed with return air
// below, cooled above) at the outdoor humidity ratio. Written as the guide's Python writes it, a
// weather file of the hall: each record's dry bulb held so, its dew point the outdoor one (its
// relative humidity left, unused: the window takes the humidity from the dew point).
std::string WriteDataHall(const std::string& folder) {
    std::ifstream in(std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw", std::ios::binary);
    const std::string path = folder + "/data-hall.epw";
    std::ofstream out(path, std::ios::binary);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        if (++number <= 8) {
            out << line << '\n';
            continue;
        }
        std::vector<std::string> fields;
        std::stringstream split(line);
        for (std::string field; std::getline(split, field, ',');) {
            fields.push_back(field);
        }
        if (fields.size() > 8) {
            char text[32];
            std::snprintf(text, sizeof text, "%.1f", std::clamp(std::stod(fields[6]), 18.0, 27.0));
            fields[6] = text;
        }
        for (std::size_t f = 0; f < fields.size(); ++f) {
            out << (f == 0 ? "" : ",") << fields[f];
        }
        out << '\n';
    }
    if (number < 8768 || !out) {
        throw Failure("climate-envelopes.png: the data hall's file was not written");
    }
    return path;
}

// A data hall's year against A1 of the 2021 and the 2011 editions, drawn on the chart.
void DataHall(Pictures& pictures) {
    const QTemporaryDir folder;
    const std::string hall = WriteDataHall(folder.path().toStdString());
    StartedProgram program;
    AmbientWindow& main = program.main;
    control<QAction>(main, "menu_climate")->trigger();
    auto* window = control<ClimateWindow>(main, "Form_climate");
    QSignalSpy finished(window, &ClimateWindow::loadFinished);
    window->open(hall);
    if (!finished.wait(60000) || !finished.front().front().toBool()) {
        throw Failure("climate-envelopes.png: the data hall's file was not loaded");
    }
    control<QComboBox>(*window, "humidity")->setCurrentIndex(1);     // the outdoor dew point
    control<QComboBox>(*window, "comfortModel")->setCurrentIndex(5); // none: the envelopes alone
    window->envelopeChooser()->tick({"ashrae-tc99-2021-a1", "ashrae-tc99-2011-a1"});
    control<QPushButton>(*window, "showChart")->click();
    auto* chart = control<ChartWindow>(main, "Form_chart");
    chart->resize(1000, 720);
    pictures.take(*chart, "climate-envelopes.png");
    CloseAndDelete(window);
    CloseAndDelete(chart);
}

// The year page of the user's guide: Chicago's year through a 100 % outdoor-air unit without
// and with an enthalpy wheel, side by side.
void Year(Pictures& pictures) {
    StartedProgram program;
    AmbientWindow& main = program.main;
    control<QAction>(main, "menu_climate")->trigger();
    auto* climate = control<ClimateWindow>(main, "Form_climate");
    QSignalSpy finished(climate, &ClimateWindow::loadFinished);
    climate->open(std::string(HYGROVANE_SHARED_DATA) + "/weather/chicago.epw");
    if (!finished.wait(60000) || !finished.front().front().toBool()) {
        throw Failure("year-window.png: chicago.epw was not loaded");
    }
    control<QPushButton>(*climate, "showYear")->click();
    auto* year = control<YearWindow>(main, "Form_year");
    models::YearModel& model = year->model();
    models::UnitForm form = model.formOf(0);
    form.minOutdoorFraction = "1";
    model.setOption(0, form);
    model.addOption();
    form.recovery = true;
    form.sensible = "0.75";
    form.latent = "0.6";
    model.setOption(1, form);
    year->selectOption(0);
    year->startRun();
    if (!QTest::qWaitFor([&] { return !year->running(); }, 60000)) {
        throw Failure("year-window.png: the run did not end");
    }
    year->selectOption(1);
    year->resize(1100, 900);
    pictures.take(*year, "year-window.png");
    // The two units' monthly cooling side by side.
    auto* bars = control<OptionBarsChart>(*year, "OptionBars");
    year->findChild<QTabWidget*>()->setCurrentWidget(bars->parentWidget());
    control<QComboBox>(*year, "ComparedQuantity")->setCurrentText(QStringLiteral("Cooling"));
    bars->parentWidget()->resize(900, 420);
    pictures.take(*bars->parentWidget(), "year-units-by-month.png");

    // The wheel's nodes on the chart, alone (the climate window's hours leave with it), and the
    // hour of the unit without the wheel's cooling peak, where the wheel runs, as its chain.
    CloseAndDelete(climate);
    control<QSpinBox>(*year, "HourMonth")->setValue(7);
    control<QSpinBox>(*year, "HourDay")->setValue(19);
    control<QSpinBox>(*year, "HourHour")->setValue(17);
    control<QPushButton>(*year, "ShowHourOnChart")->click();
    // At 100 % outdoor air the mixed air is the air after the wheel: its cloud would hide that.
    control<QCheckBox>(*year, "ShowNode mixed")->click();
    if (!model.pickedRecord() || model.nodeShown(models::UnitNode::Mixed)) {
        throw Failure("year-clouds.png: the hour was not drawn");
    }
    control<QPushButton>(*year, "ShowChart")->click();
    auto* chart = control<ChartWindow>(main, "Form_chart");
    chart->chooseRange(chart::ChartRange{248.15, 318.15, 0, 0.024}); // Chicago's winter too
    chart->resize(1000, 720);
    pictures.take(*chart, "year-clouds.png");
    CloseAndDelete(chart);
    CloseAndDelete(year);
}

// The measured streams of the user's guide: the logged week of examples/ahu-week mapped in the
// dialog, its figures with the faulty mixed-air sensor, and its streams on the chart.
void Streams(Pictures& pictures) {
    StartedProgram program;
    AmbientWindow& main = program.main;
    control<QAction>(main, "menu_climate")->trigger();
    auto* climate = control<ClimateWindow>(main, "Form_climate");
    control<QPushButton>(*climate, "showStreams")->click();
    StreamsWindow* window = showStreamsWindow(program.platform, &program.overlays);
    StreamsDialog* dialog = window->mappingDialog();
    // Opened from their folder, as the guide names them.
    const QString before = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(HYGROVANE_SOURCE_DIR "/examples/ahu-week"));
    const bool read = dialog->addFile("ahu-week.csv") == models::CommandOutcome::Done &&
                      dialog->addFile("ahu-week-supply.csv") == models::CommandOutcome::Done;
    QDir::setCurrent(before);
    if (!read) {
        throw Failure("streams-dialog.png: the week's files were not read");
    }
    control<QCheckBox>(*dialog, "flowOn")->setChecked(true);
    control<QDoubleSpinBox>(*dialog, "flow")->setValue(2);
    dialog->show();
    pictures.take(*dialog, "streams-dialog.png");
    if (dialog->apply() != models::CommandOutcome::Done) {
        throw Failure("streams-window.png: the week was not judged");
    }
    window->redraw();
    window->resize(900, 820);
    pictures.take(*window, "streams-window.png");
    control<QPushButton>(*climate, "showChart")->click();
    auto* chart = control<ChartWindow>(main, "Form_chart");
    chart->resize(1000, 720);
    chart->chooseRange(chart::ChartRange{268.15, 308.15, 0, 0.012});
    // The mouse on the mixed air's reading at noon of the faulty hours: the status line names it.
    const auto& noon = window->model().report().judged.aligned.states[2][2 * 144 + 72];
    const QPoint at = chart->canvasPixel({noon.dryBulb + 273.15, noon.humidityRatio}).toPoint();
    QMouseEvent moved(QEvent::MouseMove, at, chart->canvas()->mapToGlobal(at), Qt::NoButton,
                      Qt::NoButton, {});
    QApplication::sendEvent(chart->canvas(), &moved);
    pictures.take(*chart, "streams-chart.png");
    CloseAndDelete(window);
    CloseAndDelete(chart);
    CloseAndDelete(climate);
}

} // namespace
} // namespace hygrovane::views

int main(int argc, char** argv) {
    // Qt's list of input devices must outlive the application, or key events crash it at exit.
    (void)QInputDevice::devices();
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: hygrovane_screenshots FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "hygrovane_screenshots: cannot make the folder %s\n", argv[1]);
        return 1;
    }
    // The chart window started as main() starts it keeps its settings; here in a folder of its
    // own, so that the pictures never depend on, or change, the user's.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    hygrovane::views::Pictures pictures(folder);
    try {
        hygrovane::views::ProgramWindows(pictures);
        hygrovane::views::Chart(pictures);
        hygrovane::views::AirHandlingUnit(pictures);
        hygrovane::views::BatchConvert(pictures);
        hygrovane::views::Climate(pictures);
        hygrovane::views::DataHall(pictures);
        hygrovane::views::Year(pictures);
        hygrovane::views::Streams(pictures);
    } catch (const hygrovane::views::Failure& failure) {
        std::fprintf(stderr, "hygrovane_screenshots: %s\n", failure.what());
        return 1;
    }
    return 0;
}
