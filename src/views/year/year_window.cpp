#include "views/year/year_window.h"

#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"
#include "views/climate/climate_window.h"
#include "views/common/view_support.h"
#include "views/common/window_look.h"
#include "views/processes/processes_window.h"
#include "views/report/report_commands.h"
#include "views/year/year_bars.h"
#include "views/year/year_cloud_bar.h"
#include "views/year/year_option_bars.h"
#include "views/year/year_pdf.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <system_error>
#include <thread>

namespace hygrovane::views {

namespace {

// The name of the year page's marks among the chart's overlays.
constexpr const char* kYearLayer = "year";

using airunit::EconomizerKind;
using airunit::FlowUnit;
using models::CommandOutcome;

constexpr std::array<FlowUnit, 4> kFlowUnits{
    FlowUnit::CubicMetresPerHour, FlowUnit::CubicMetresPerSecond, FlowUnit::CubicFeetPerMinute,
    FlowUnit::KilogramsPerSecond};
constexpr std::array<EconomizerKind, 5> kEconomizers{
    EconomizerKind::None, EconomizerKind::FixedDryBulb, EconomizerKind::DifferentialDryBulb,
    EconomizerKind::DifferentialEnthalpy, EconomizerKind::FixedEnthalpy};

const std::array<QColor, 6> kBarColours{QColor(200, 60, 40),  QColor(40, 90, 200),
                                        QColor(90, 160, 220), QColor(220, 130, 30),
                                        QColor(40, 150, 110), QColor(110, 110, 110)};

QTableWidget* MakeTable(const char* objectName, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(objectName));
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    return table;
}

template <typename T, std::size_t N> int IndexOf(const std::array<T, N>& list, T value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (list[i] == value) {
            return static_cast<int>(i);
        }
    }
    return 0;
}

std::string Text(const QLineEdit* edit) {
    return edit->text().trimmed().toStdString();
}

QPointer<YearWindow>& OpenYear() {
    static QPointer<YearWindow> open;
    return open;
}

// The climate window's file and filter, shared with the year page.
std::optional<models::YearWeather> ClimateWeather() {
    ClimateWindow* climate = openClimateWindow();
    if (climate == nullptr || !climate->model().loaded()) {
        return std::nullopt;
    }
    const models::ClimateModel& m = climate->model();
    return models::YearWeather{m.path(), m.prepared().data,
                               std::make_shared<const climate::HourlyStates>(m.prepared().states),
                               m.filter()};
}

} // namespace

YearWindow::YearWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
                       QWidget* owner, const ReportTable::Settings& settings)
    : QWidget(owner, Qt::Window), main_(main), platform_(platform), overlays_(overlays),
      model_(platform, main.model().reader()) {
    setObjectName(QStringLiteral("Form_year"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Year through the air-handling unit"));
    setWindowIcon(ApplicationIcon());
    model_.toProcesses = [this](const processes::SetRecords& records) {
        ProcessesWindow* processes = openProcessesWindow();
        if (processes == nullptr) {
            processes = showProcessesWindow(main_, platform_, overlays_);
        }
        const CommandOutcome added = processes->model().AddRecords(records);
        processes->redraw();
        return added;
    };
    buildForm();
    const auto hidden = [](const std::string& c) { return !models::IsMainYearColumn(c); };
    annualColumns_ = new ReportTable(*annual_, "year-annual", hidden, settings);
    monthlyColumns_ = new ReportTable(*monthly_, "year-months", hidden, settings);
    peaksColumns_ = new ReportTable(
        *peaks_, "year-peaks", [](const std::string&) { return false; }, settings);
    if (overlays_) {
        // The clouds leave the chart with the window.
        connect(this, &QObject::destroyed, overlays_, [overlays = overlays_] {
            overlays->remove(kYearLayer);
            overlays->removePointAction(kYearLayer);
        });
        overlays_->setPointAction(
            kYearLayer, {"The year's nearest hour as its chain", [this](chart::ChartPoint p) {
                             if (model_.pickNearest(p) == CommandOutcome::Done) {
                                 followPickedHour();
                             }
                             showCloud();
                         }});
    }
    poll_ = new QTimer(this);
    poll_->setInterval(30);
    connect(poll_, &QTimer::timeout, this, [this] { poll(); });
    showForm();
    redraw();
}

YearWindow::~YearWindow() {
    if (job_) {
        job_->cancel = true;
    }
}

void YearWindow::buildForm() {
    auto* layout = new QVBoxLayout(this);
    auto* options = new QHBoxLayout;
    option_ = new QComboBox(this);
    option_->setObjectName(QStringLiteral("UnitOption"));
    options->addWidget(new QLabel(QStringLiteral("Unit"), this));
    options->addWidget(option_);
    const auto button = [&](QHBoxLayout* row, const char* name, const char* caption) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        row->addWidget(b);
        return b;
    };
    auto* add = button(options, "AddUnit", "Add unit");
    auto* remove = button(options, "RemoveUnit", "Remove unit");
    auto* open = button(options, "OpenUnit", "Open UNIT.json…");
    auto* save = button(options, "SaveUnit", "Save UNIT.json…");
    auto* weather = button(options, "TakeWeather", "Take the climate window's hours");
    options->addStretch();
    layout->addLayout(options);

    auto* form = new QFormLayout;
    const auto edit = [&](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        connect(e, &QLineEdit::editingFinished, this, [this] { applyForm(); });
        return e;
    };
    const auto combo = [&](const char* name, std::initializer_list<const char*> items) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        for (const char* item : items) {
            c->addItem(QString::fromUtf8(item));
        }
        connect(c, &QComboBox::activated, this, [this] { applyForm(); });
        return c;
    };
    const auto row = [&](const char* caption, std::initializer_list<QWidget*> widgets,
                         bool temperature = false) {
        auto* line = new QHBoxLayout;
        for (QWidget* w : widgets) {
            line->addWidget(w);
        }
        if (temperature) {
            auto* unit = new QLabel(this);
            temperatureUnits_.push_back(unit);
            line->addWidget(unit);
        }
        line->addStretch();
        form->addRow(QString::fromUtf8(caption), line);
    };
    roomDryBulb_ = edit("RoomDryBulb");
    row("Room dry bulb", {roomDryBulb_}, true);
    roomHumidityKind_ = combo("RoomHumidityKind", {"relative humidity (%)", "dew point"});
    roomHumidity_ = edit("RoomHumidity");
    row("Room humidity", {roomHumidityKind_, roomHumidity_});
    supplyDryBulb_ = edit("SupplyDryBulb");
    row("Supply dry bulb", {supplyDryBulb_}, true);
    maxDewPoint_ = edit("MaxDewPoint");
    minDewPoint_ = edit("MinDewPoint");
    row("Supply dew point, max / min (empty: none)", {maxDewPoint_, minDewPoint_}, true);
    flow_ = edit("Flow");
    flowUnit_ = combo("FlowUnit", {"m³/h", "m³/s", "cfm", "kg/s dry air"});
    row("Air flow", {flow_, flowUnit_});
    minOutdoor_ = edit("MinOutdoorFraction");
    row("Minimum outdoor-air fraction (0–1)", {minOutdoor_});
    economizer_ = combo("Economizer", {"none", "fixed dry bulb (limit)", "differential dry bulb",
                                       "differential enthalpy", "fixed enthalpy (limit, kJ/kg)"});
    economizerLimit_ = edit("EconomizerLimit");
    row("Economizer", {economizer_, economizerLimit_});
    recovery_ = new QCheckBox(QStringLiteral("heat recovery, ε sensible / latent"), this);
    recovery_->setObjectName(QStringLiteral("Recovery"));
    connect(recovery_, &QCheckBox::clicked, this, [this] { applyForm(); });
    sensible_ = edit("Sensible");
    latent_ = edit("Latent");
    row("Recovery", {recovery_, sensible_, latent_});
    coil_ = edit("CoilLeavingRelativeHumidity");
    row("Coil leaving relative humidity (%)", {coil_});
    steam_ = edit("SteamTemperature");
    row("Steam temperature", {steam_}, true);
    layout->addLayout(form);

    auto* runRow = new QHBoxLayout;
    auto* run = button(runRow, "Run", "Run");
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("RunProgress"));
    progress_->setRange(0, 1000);
    runRow->addWidget(progress_);
    cancel_ = button(runRow, "CancelRun", "Cancel");
    cancel_->setEnabled(false);
    auto* exportCsv = button(runRow, "ExportCsv", "Export CSV…");
    auto* exportPdfButton = button(runRow, "ExportPdf", "Export PDF…");
    layout->addLayout(runRow);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("YearStatus"));
    status_->setWordWrap(true);
    layout->addWidget(status_);

    auto* tabs = new QTabWidget(this);
    annual_ = MakeTable("AnnualTable", this);
    monthly_ = MakeTable("MonthlyTable", this);
    peaks_ = MakeTable("PeaksTable", this);
    bars_ = new MonthlyBars(this);
    // The units' monthly totals of a quantity chosen above the chart.
    auto* compared = new QWidget(this);
    auto* comparedLayout = new QVBoxLayout(compared);
    auto* comparedRow = new QHBoxLayout;
    compared_ = new QComboBox(compared);
    compared_->setObjectName(QStringLiteral("ComparedQuantity"));
    for (models::MonthlyBar bar : models::kComparedBars) {
        compared_->addItem(qs(models::NameOf(bar)));
    }
    comparedRow->addWidget(new QLabel(QStringLiteral("Monthly totals of"), compared));
    comparedRow->addWidget(compared_);
    comparedRow->addStretch();
    comparedLayout->addLayout(comparedRow);
    optionBars_ = new OptionBarsChart(compared);
    comparedLayout->addWidget(optionBars_, 1);
    connect(compared_, &QComboBox::currentIndexChanged, this, [this] { redraw(); });
    tabs->addTab(annual_, QStringLiteral("Units side by side"));
    tabs->addTab(monthly_, QStringLiteral("Months"));
    tabs->addTab(bars_, QStringLiteral("Monthly bars"));
    tabs->addTab(compared, QStringLiteral("Units by month"));
    tabs->addTab(peaks_, QStringLiteral("Peaks"));
    layout->addWidget(tabs, 1);

    auto* hourRow = new QHBoxLayout;
    const auto spin = [&](const char* name, int low, int high) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(low, high);
        hourRow->addWidget(s);
        return s;
    };
    hourRow->addWidget(new QLabel(QStringLiteral("Hour: month, day, hour (1–24)"), this));
    month_ = spin("HourMonth", 1, 12);
    day_ = spin("HourDay", 1, 31);
    hour_ = spin("HourHour", 1, 24);
    month_->setValue(7);
    day_->setValue(21);
    hour_->setValue(15);
    auto* openHourButton = button(hourRow, "OpenInProcesses", "Open in processes");
    hourRow->addStretch();
    layout->addLayout(hourRow);
    cloud_ = new YearCloudBar(model_,
                              {[this] { showCloud(); }, [this] { showHourOnChart(); },
                               [this] { showChartWindow(main_, platform_, overlays_); }},
                              this);
    layout->addWidget(cloud_);
    connect(peaks_, &QTableWidget::cellClicked, this,
            [this](int row, int) { showPeakOnChart(row); });

    connect(option_, &QComboBox::activated, this, [this](int i) { selectOption(i); });
    connect(add, &QPushButton::clicked, this,
            [this] { command([this] { return model_.addOption(); }); });
    connect(remove, &QPushButton::clicked, this,
            [this] { command([this] { return model_.removeOption(model_.selected()); }); });
    connect(open, &QPushButton::clicked, this,
            [this] { command([this] { return model_.openUnit(); }); });
    connect(save, &QPushButton::clicked, this, [this] { model_.saveUnit(); });
    connect(weather, &QPushButton::clicked, this, [this] {
        if (auto w = ClimateWeather()) {
            setWeather(std::move(*w));
        } else {
            platform_.showMessage("The Climate window has no weather file open.",
                                  models::kYearTitle);
        }
    });
    connect(run, &QPushButton::clicked, this, [this] {
        if (applyForm() != CommandOutcome::Refused) {
            startRun();
        }
    });
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelRun(); });
    connect(exportCsv, &QPushButton::clicked, this, [this] { model_.exportCsv(); });
    connect(exportPdfButton, &QPushButton::clicked, this, [this] {
        if (!model_.current()) {
            platform_.showMessage("Run the units first: there is nothing to report.",
                                  models::kYearTitle);
            return;
        }
        report::SaveReportPdf(
            platform_, {}, this, [this](const auto& options) { return reportContent(options); },
            models::kYearTitle);
    });
    connect(openHourButton, &QPushButton::clicked, this, [this] { openHour(); });
}

void YearWindow::showForm() {
    const models::UnitForm f = model_.formOf(model_.selected());
    roomDryBulb_->setText(qs(f.roomDryBulb));
    roomHumidityKind_->setCurrentIndex(
        f.roomHumidityKind == airunit::RoomHumidity::RelativeHumidity ? 0 : 1);
    roomHumidity_->setText(qs(f.roomHumidity));
    supplyDryBulb_->setText(qs(f.supplyDryBulb));
    maxDewPoint_->setText(qs(f.maxDewPoint));
    minDewPoint_->setText(qs(f.minDewPoint));
    flow_->setText(qs(f.flow));
    flowUnit_->setCurrentIndex(IndexOf(kFlowUnits, f.flowUnit));
    minOutdoor_->setText(qs(f.minOutdoorFraction));
    economizer_->setCurrentIndex(IndexOf(kEconomizers, f.economizer));
    economizerLimit_->setText(qs(f.economizerLimit));
    economizerLimit_->setEnabled(airunit::HasLimit(f.economizer));
    recovery_->setChecked(f.recovery);
    sensible_->setText(qs(f.sensible));
    latent_->setText(qs(f.latent));
    sensible_->setEnabled(f.recovery);
    latent_->setEnabled(f.recovery);
    coil_->setText(qs(f.coilLeavingRelativeHumidity));
    steam_->setText(qs(f.steamTemperature));
    for (QLabel* unit : temperatureUnits_) {
        const std::string shown = model_.temperatureUnit();
        unit->setText(shown == "K" ? qs(shown) : QStringLiteral("°") + qs(shown));
    }
    option_->clear();
    for (std::size_t i = 0; i < model_.options().size(); ++i) {
        option_->addItem(QStringLiteral("Unit %1").arg(i + 1));
    }
    option_->setCurrentIndex(static_cast<int>(model_.selected()));
}

models::UnitForm YearWindow::formFromControls() const {
    models::UnitForm f;
    f.roomDryBulb = Text(roomDryBulb_);
    f.roomHumidityKind = roomHumidityKind_->currentIndex() == 0
                             ? airunit::RoomHumidity::RelativeHumidity
                             : airunit::RoomHumidity::DewPoint;
    f.roomHumidity = Text(roomHumidity_);
    f.supplyDryBulb = Text(supplyDryBulb_);
    f.maxDewPoint = Text(maxDewPoint_);
    f.minDewPoint = Text(minDewPoint_);
    f.flow = Text(flow_);
    f.flowUnit = kFlowUnits[static_cast<std::size_t>(std::max(0, flowUnit_->currentIndex()))];
    f.minOutdoorFraction = Text(minOutdoor_);
    f.economizer = kEconomizers[static_cast<std::size_t>(std::max(0, economizer_->currentIndex()))];
    f.economizerLimit = Text(economizerLimit_);
    f.recovery = recovery_->isChecked();
    f.sensible = Text(sensible_);
    f.latent = Text(latent_);
    f.coilLeavingRelativeHumidity = Text(coil_);
    f.steamTemperature = Text(steam_);
    return f;
}

CommandOutcome YearWindow::applyForm() {
    const bool wasCurrent = model_.current();
    const auto before = model_.options();
    const CommandOutcome done = model_.setOption(model_.selected(), formFromControls());
    if (done == CommandOutcome::Done) {
        showForm();
        if (!(before == model_.options()) || !wasCurrent) {
            startRun();
        }
    }
    redraw();
    return done;
}

void YearWindow::setWeather(models::YearWeather weather) {
    model_.setWeather(std::move(weather));
    startRun();
    redraw();
}

void YearWindow::selectOption(int option) {
    model_.select(static_cast<std::size_t>(std::max(0, option)));
    showForm();
    redraw();
}

void YearWindow::startRun() {
    if (job_) {
        job_->cancel = true; // overtaken: it stops at its next progress report
    }
    job_ = model_.makeJob();
    if (!job_) {
        cancel_->setEnabled(false);
        return;
    }
    progress_->setValue(0);
    cancel_->setEnabled(true);
    // The run touches only the job; a job overtaken by a change stops at its next report.
    try {
        std::thread([job = job_] { job->run(); }).detach();
    } catch (const std::system_error&) {
        job_->run(1); // no thread could start: run here, on one thread
    }
    poll_->start();
    poll();
}

void YearWindow::poll() {
    if (!job_) {
        poll_->stop();
        return;
    }
    const std::size_t total = job_->total;
    progress_->setValue(total > 0 ? static_cast<int>(1000 * job_->done / total) : 0);
    if (!job_->finished) {
        return;
    }
    model_.accept(*job_);
    job_.reset();
    poll_->stop();
    progress_->setValue(1000);
    cancel_->setEnabled(false);
    redraw();
}

void YearWindow::cancelRun() {
    if (!job_) {
        return;
    }
    job_->cancel = true;
    job_.reset();
    poll_->stop();
    model_.cancelled();
    progress_->setValue(0);
    cancel_->setEnabled(false);
    redraw();
}

void YearWindow::redraw() {
    status_->setText(qs(model_.status()));
    annualColumns_->show(model_.annualSection());
    monthlyColumns_->show(model_.monthlySection());
    peaksColumns_->show(model_.peaksSection());
    std::vector<MonthlySeries> series;
    for (std::size_t b = 0; b < models::kMonthlyBars.size(); ++b) {
        series.push_back({qs(model_.barTitle(models::kMonthlyBars[b])), kBarColours[b],
                          model_.monthly(models::kMonthlyBars[b], model_.selected())});
    }
    bars_->setSeries(std::move(series));
    const int chosen = std::max(0, compared_->currentIndex());
    optionBars_->setBars(
        model_.optionBars(models::kComparedBars[static_cast<std::size_t>(chosen)]));
    showCloud();
}

void YearWindow::showCloud() {
    if (!overlays_) {
        return;
    }
    if (model_.hasWeather()) {
        overlays_->set(kYearLayer, model_.overlay());
    } else {
        overlays_->remove(kYearLayer);
    }
}

CommandOutcome YearWindow::showHourOnChart() {
    const CommandOutcome done = model_.pickHour(month_->value(), day_->value(), hour_->value());
    showCloud();
    return done;
}

CommandOutcome YearWindow::showPeakOnChart(int peak) {
    if (peak < 0 || static_cast<std::size_t>(peak) >= airunit::kPeakFields.size()) {
        return CommandOutcome::Cancelled; // a row of no peak
    }
    const CommandOutcome done = model_.pickPeak(static_cast<std::size_t>(peak));
    if (done == CommandOutcome::Done) {
        followPickedHour();
    }
    showCloud();
    return done;
}

void YearWindow::followPickedHour() {
    // The date controls follow, so that the hour opens in processes as drawn.
    if (const auto record = model_.pickedRecord()) {
        const climate::HourRecord& r = model_.weather().data->hours[*record];
        month_->setValue(r.month);
        day_->setValue(r.day);
        hour_->setValue(r.hour);
    }
}

report::ReportContent YearWindow::reportContent(const report::ReportOptions& options) const {
    report::ReportContent content =
        YearReport(model_, options, bars_->series(), optionBars_->bars());
    // The chart with the clouds as its window draws them; opened for the report when it is not.
    const ChartWindow* chart = main_.findChild<ChartWindow*>();
    if (chart == nullptr) {
        chart = showChartWindow(main_, platform_, overlays_);
    }
    content.chart = chart->scene();
    return content;
}

CommandOutcome YearWindow::exportPdf(const std::string& path,
                                     const report::ReportOptions& options) {
    return report::WriteReportPdf(platform_, path, reportContent(options), options.paper,
                                  models::kYearTitle);
}

CommandOutcome YearWindow::openHour() {
    return model_.openInProcesses(month_->value(), day_->value(), hour_->value());
}

YearWindow* showYearWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
                           const ReportTable::Settings& settings) {
    YearWindow* year = ShowSecondaryWindow(
        OpenYear(), [&] { return new YearWindow(main, platform, overlays, &main, settings); });
    if (auto weather = ClimateWeather()) {
        year->setWeather(std::move(*weather));
    }
    return year;
}

void ConnectYearWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
                       const ReportTable::Settings& settings) {
    YearPageOpener() = [&main, &platform, overlays, settings] {
        showYearWindow(main, platform, overlays, settings);
    };
}

} // namespace hygrovane::views
