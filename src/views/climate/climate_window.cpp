#include "views/climate/climate_window.h"
#include "views/climate/envelope_chooser.h"

#include "climateanalysis/climate_settings.h"
#include "fileio/file_io.h"
#include "hygrovane/config.h"
#include "hygrovane/relations.h"
#include "text/number_text.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/chart/chart_window.h"
#include "views/climate/streams_window.h"
#include "views/common/view_support.h"
#include "views/common/window_look.h"
#include "views/processes/processes_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <cmath>
#include <system_error>
#include <thread>

namespace hygrovane::views {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The quantities offered for colouring and for the range filter, after "Hours" / "None".
std::vector<climate::Quantity> Offered() {
    std::vector<climate::Quantity> offered{
        climate::Field::WindSpeed, climate::Field::GlobalHorizontal, climate::Computed::HourOfDay};
    for (std::size_t f = 0; f < climate::kFieldCount; ++f) {
        const auto field = static_cast<climate::Field>(f);
        if (field != climate::Field::WindSpeed && field != climate::Field::GlobalHorizontal) {
            offered.emplace_back(field);
        }
    }
    offered.emplace_back(climate::Computed::Month);
    return offered;
}

// The strategies as the list shows them, in AllStrategies' order.
const char* StrategyCaption(comfort::Strategy strategy) {
    switch (strategy) {
    case comfort::Strategy::Comfort:
        return "Comfort (still air)";
    case comfort::Strategy::EvaporativeCooling:
        return "Evaporative cooling";
    case comfort::Strategy::ElevatedAirSpeed:
        return "Elevated air speed";
    case comfort::Strategy::ThermalMass:
        return "Thermal mass";
    case comfort::Strategy::ThermalMassNightVentilation:
        return "Thermal mass with night ventilation";
    case comfort::Strategy::InternalGains:
        return "Internal heat gains";
    case comfort::Strategy::PassiveSolarHeating:
        return "Passive solar heating";
    case comfort::Strategy::Dehumidification:
        return "Dehumidification";
    case comfort::Strategy::Humidification:
        return "Humidification";
    }
    return "";
}

constexpr climateanalysis::ComfortModel kModels[] = {climateanalysis::ComfortModel::Pmv,
                                                     climateanalysis::ComfortModel::Ashrae55,
                                                     climateanalysis::ComfortModel::AdaptiveAshrae,
                                                     climateanalysis::ComfortModel::AdaptiveEn,
                                                     climateanalysis::ComfortModel::Fixed,
                                                     climateanalysis::ComfortModel::None};

QDoubleSpinBox* Decimal(QWidget* parent, const char* name, double low, double high, double value,
                        double step, const char* suffix) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setDecimals(2);
    box->setSingleStep(step);
    box->setValue(value);
    box->setSuffix(QString::fromUtf8(suffix));
    box->setKeyboardTracking(false);
    return box;
}

QSpinBox* Spin(QWidget* parent, const char* name, int low, int high, int value) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QComboBox* Choice(QWidget* parent, const char* name, std::initializer_list<const char*> items) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    for (const char* item : items) {
        box->addItem(QString::fromUtf8(item));
    }
    return box;
}

// What the open dialog offers first: the weather files the reader takes.
constexpr const char* kWeatherFilter = "Weather files (*.epw *.EPW *.csv *.CSV *.tmy3 *.txt)";

constexpr const char* kChooseRow =
    "Choose a design condition with a coincident humidity in the table first.";

} // namespace

// One load: the worker writes the result and then says it ended; the window reads the result
// only after that, or drops the whole job when cancelled or closed.
struct ClimateWindow::Job {
    models::LoadControl control;
    std::atomic<bool> ended{false};
    Expected<models::LoadedClimate, models::ClimateLoadFailure> result{
        Fail(models::ClimateLoadFailure{})};
};

ClimateWindow::ClimateWindow(AmbientWindow& main, models::Platform& platform,
                             ChartOverlays* overlays, QWidget* owner)
    : QWidget(owner, Qt::Window), main_(main), platform_(platform), overlays_(overlays) {
    setObjectName(QStringLiteral("Form_climate"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Climate"));
    setWindowIcon(ApplicationIcon());
    model_.toMainWindow = [this](const models::OutdoorPoint& point) {
        main_.model().enterState(point.dryBulb, point.humidity, point.humidityValue);
        main_.redraw();
    };
    model_.toProcesses = [this](const models::OutdoorPoint& point) {
        ProcessesWindow* processes = openProcessesWindow();
        if (processes == nullptr) {
            processes = showProcessesWindow(main_, platform_, overlays_);
        }
        models::ProcessesModel& set = processes->model();
        const models::CommandOutcome added = set.AddPoint(point.conditions());
        if (added == models::CommandOutcome::Done) {
            set.RenamePoint(set.set().points().size() - 1, point.name);
        }
        processes->redraw();
        return added;
    };
    poll_ = new QTimer(this);
    poll_->setInterval(50);
    connect(poll_, &QTimer::timeout, this, &ClimateWindow::poll);
    buildControls();
    if (overlays_) {
        overlays_->setHoverText(kClimateLayer,
                                [this](chart::ChartPoint p) { return model_.binTextAt(p); });
        overlays_->setPointAction(std::string(kClimateLayer) + ".main",
                                  {"Bin as the main window's state", [this](chart::ChartPoint p) {
                                       if (const auto point = model_.binPointAt(p)) {
                                           model_.sendToMainWindow(*point);
                                       }
                                   }});
        overlays_->setPointAction(
            std::string(kClimateLayer) + ".processes",
            {"Bin as a point of the process set", [this](chart::ChartPoint p) {
                 if (const auto point = model_.binPointAt(p)) {
                     model_.sendToProcesses(*point);
                 }
             }});
    }
    resize(1150, 700);
    redraw();
}

ClimateWindow::~ClimateWindow() {
    // Never waited for: a worker stuck in a read keeps only its job alive.
    if (job_) {
        job_->control.cancelled = true;
    }
    leaveChart();
}

void ClimateWindow::closeEvent(QCloseEvent* event) {
    if (job_) {
        job_->control.cancelled = true;
        job_.reset();
        poll_->stop();
    }
    leaveChart();
    QWidget::closeEvent(event);
}

void ClimateWindow::leaveChart() {
    if (overlays_) {
        overlays_->removeHoverText(kClimateLayer);
        overlays_->removePointAction(std::string(kClimateLayer) + ".main");
        overlays_->removePointAction(std::string(kClimateLayer) + ".processes");
        overlays_->remove(kClimateLayer);
    }
}

void ClimateWindow::buildControls() {
    auto* top = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    top->addLayout(bar);
    auto* openButton = new QPushButton(QStringLiteral("Open weather file…"), this);
    openButton->setObjectName(QStringLiteral("openWeather"));
    connect(openButton, &QPushButton::clicked, this, [this] {
        if (const auto path = platform_.openFileDialogFor(kWeatherFilter)) {
            open(*path);
        }
    });
    bar->addWidget(openButton);
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("summary"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    bar->addWidget(summary_, 1);
    progress_ = new QProgressBar(this);
    progress_->setObjectName(QStringLiteral("progress"));
    progress_->setRange(0, models::LoadControl::Done); // one step a phase
    progress_->setMaximumWidth(220);
    progress_->hide();
    bar->addWidget(progress_);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelLoading"));
    cancel_->hide();
    connect(cancel_, &QPushButton::clicked, this, &ClimateWindow::cancelLoading);
    bar->addWidget(cancel_);
    auto* chartButton = new QPushButton(QStringLiteral("Show chart"), this);
    chartButton->setObjectName(QStringLiteral("showChart"));
    connect(chartButton, &QPushButton::clicked, this,
            [this] { fitChart(showChartWindow(main_, platform_, overlays_)); });
    bar->addWidget(chartButton);
    auto* yearButton = new QPushButton(QStringLiteral("Year through a unit…"), this);
    yearButton->setObjectName(QStringLiteral("showYear"));
    connect(yearButton, &QPushButton::clicked, this, [] {
        if (YearPageOpener()) {
            YearPageOpener()();
        }
    });
    bar->addWidget(yearButton);
    auto* streamsButton = new QPushButton(QStringLiteral("Measured streams…"), this);
    streamsButton->setObjectName(QStringLiteral("showStreams"));
    connect(streamsButton, &QPushButton::clicked, this,
            [this] { showStreamsWindow(platform_, overlays_, this); });
    bar->addWidget(streamsButton);

    auto* body = new QHBoxLayout;
    top->addLayout(body, 1);
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    body->addLayout(form);

    humidity_ = Choice(this, "humidity", {"Relative humidity", "Dew point"});
    form->addRow(QStringLiteral("Humidity from"), humidity_);
    humidityNote_ = new QLabel(this);
    humidityNote_->setObjectName(QStringLiteral("humidityNote"));
    humidityNote_->setWordWrap(true);
    humidityNote_->setMaximumWidth(300);
    form->addRow(humidityNote_);
    marks_ = Choice(this, "marks", {"Bins", "Points"});
    form->addRow(QStringLiteral("Hours as"), marks_);
    binAxis_ =
        Choice(this, "binAxis", {"Dry bulb × humidity ratio", "Dry bulb × relative humidity"});
    form->addRow(QStringLiteral("Bins"), binAxis_);
    binUnits_ = Choice(this, "binUnits", {"1 °C × 1 g/kg (5 %)", "2 °F × 10 gr/lb (5 %)"});
    form->addRow(QStringLiteral("Bin size"), binUnits_);
    colourBy_ = Choice(this, "colourBy", {"Hours"});
    rangeOf_ = Choice(this, "rangeOf", {"None"});
    for (const climate::Quantity& q : Offered()) {
        colourBy_->addItem(QStringLiteral("Mean ") + qs(models::QuantityTitle(q)));
        rangeOf_->addItem(qs(models::QuantityTitle(q)));
    }
    for (QComboBox* box : {colourBy_, rangeOf_}) {
        // The longest field names would widen the window beyond the figures.
        box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        box->setMinimumContentsLength(20);
    }
    form->addRow(QStringLiteral("Colour by"), colourBy_);

    auto* months = new QHBoxLayout;
    firstMonth_ = Spin(this, "firstMonth", 1, 12, 1);
    lastMonth_ = Spin(this, "lastMonth", 1, 12, 12);
    months->addWidget(firstMonth_);
    months->addWidget(new QLabel(QStringLiteral("to"), this));
    months->addWidget(lastMonth_);
    form->addRow(QStringLiteral("Months"), months);
    auto* hours = new QHBoxLayout;
    fromHour_ = Spin(this, "fromHour", 0, 24, 0);
    toHour_ = Spin(this, "toHour", 0, 24, 24);
    fromHour_->setSuffix(QStringLiteral(":00"));
    toHour_->setSuffix(QStringLiteral(":00"));
    hours->addWidget(fromHour_);
    hours->addWidget(new QLabel(QStringLiteral("to"), this));
    hours->addWidget(toHour_);
    form->addRow(QStringLiteral("Hours"), hours);
    occupied_ = new QCheckBox(QStringLiteral("Occupied hours only"), this);
    occupied_->setObjectName(QStringLiteral("occupied"));
    form->addRow(occupied_);
    auto* days = new QHBoxLayout;
    static const char* const kDays[] = {"Su", "Mo", "Tu", "We", "Th", "Fr", "Sa"};
    for (int d = 0; d < 7; ++d) {
        days_[d] = new QCheckBox(QString::fromLatin1(kDays[d]), this);
        days_[d]->setObjectName(QStringLiteral("day%1").arg(d));
        days_[d]->setChecked(d >= 1 && d <= 5);
        days->addWidget(days_[d]);
    }
    form->addRow(days);
    auto* occupiedHours = new QHBoxLayout;
    occupiedFrom_ = Spin(this, "occupiedFrom", 0, 23, 8);
    occupiedTo_ = Spin(this, "occupiedTo", 1, 24, 18);
    occupiedFrom_->setSuffix(QStringLiteral(":00"));
    occupiedTo_->setSuffix(QStringLiteral(":00"));
    occupiedHours->addWidget(occupiedFrom_);
    occupiedHours->addWidget(new QLabel(QStringLiteral("to"), this));
    occupiedHours->addWidget(occupiedTo_);
    form->addRow(QStringLiteral("Occupied"), occupiedHours);
    form->addRow(QStringLiteral("Range of"), rangeOf_);
    auto* range = new QHBoxLayout;
    rangeMin_ = new QDoubleSpinBox(this);
    rangeMin_->setObjectName(QStringLiteral("rangeMin"));
    rangeMax_ = new QDoubleSpinBox(this);
    rangeMax_->setObjectName(QStringLiteral("rangeMax"));
    for (QDoubleSpinBox* box : {rangeMin_, rangeMax_}) {
        box->setRange(-1e6, 1e6);
        box->setDecimals(1);
        box->setKeyboardTracking(false);
    }
    rangeMax_->setValue(100);
    range->addWidget(rangeMin_);
    range->addWidget(new QLabel(QStringLiteral("to"), this));
    range->addWidget(rangeMax_);
    form->addRow(QStringLiteral("From"), range);

    body->addLayout(buildComfortControls());
    envelopeChooser_ = new EnvelopeChooser(this);
    envelopeChooser_->chosen = [this](std::vector<envelopes::Envelope> chosen) {
        model_.setEnvelopes(std::move(chosen));
        redraw();
    };
    body->addWidget(envelopeChooser_);

    auto* right = new QVBoxLayout;
    body->addLayout(right, 3);
    figures_ = new QTableWidget(this);
    figures_->setObjectName(QStringLiteral("figures"));
    figures_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    figures_->setSelectionBehavior(QAbstractItemView::SelectRows);
    figures_->verticalHeader()->hide();
    figures_->horizontalHeader()->hide();
    figures_->verticalHeader()->setDefaultSectionSize(figures_->fontMetrics().height() + 6);
    right->addWidget(figures_, 1);
    auto* actions = new QHBoxLayout;
    right->addLayout(actions);
    const auto button = [&](const char* name, const char* caption, auto slot) {
        auto* b = new QPushButton(QString::fromUtf8(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        actions->addWidget(b);
    };
    button("toMainWindow", "Use as outdoor point",
           [this] { sendRowToMainWindow(figures_->currentRow()); });
    button("toProcesses", "Add to processes",
           [this] { sendRowToProcesses(figures_->currentRow()); });
    actions->addStretch(1);
    button("exportFigures", "Export CSV…", [this] {
        if (const auto path = platform_.saveFileDialog()) {
            exportFigures(*path);
        }
    });
    button("designReportPdf", "Design report…", [this] { designReportPdf(); });
    button("printReport", "Print report…", [this] { printReport(); });
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    right->addWidget(status_);
    notes_ = new QLabel(this);
    notes_->setObjectName(QStringLiteral("notes"));
    notes_->setWordWrap(true);
    notes_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    right->addWidget(notes_);
    // A prompt to choose a row no longer holds once one is chosen.
    connect(figures_, &QTableWidget::currentCellChanged, this, [this] {
        if (prompting_) {
            prompting_ = false;
            status_->clear();
        }
    });

    connect(humidity_, &QComboBox::currentIndexChanged, this, &ClimateWindow::applySettings);
    for (QComboBox* box : {marks_, binAxis_, binUnits_, colourBy_}) {
        connect(box, &QComboBox::currentIndexChanged, this, &ClimateWindow::applyDisplay);
    }
    connect(rangeOf_, &QComboBox::currentIndexChanged, this, &ClimateWindow::applyFilter);
    for (QSpinBox* box :
         {firstMonth_, lastMonth_, fromHour_, toHour_, occupiedFrom_, occupiedTo_}) {
        connect(box, &QSpinBox::valueChanged, this, &ClimateWindow::applyFilter);
    }
    for (QDoubleSpinBox* box : {rangeMin_, rangeMax_}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &ClimateWindow::applyFilter);
    }
    connect(occupied_, &QCheckBox::toggled, this, &ClimateWindow::applyFilter);
    for (QCheckBox* day : days_) {
        connect(day, &QCheckBox::toggled, this, &ClimateWindow::applyFilter);
    }
}

QLayout* ClimateWindow::buildComfortControls() {
    auto* form = new QFormLayout;
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    comfortModel_ =
        Choice(this, "comfortModel",
               {"PMV (ISO 7730)", "PMV (ASHRAE 55, elevated air speed)", "Adaptive (ASHRAE 55)",
                "Adaptive (EN 16798-1)", "Fixed winter and summer zones", "None"});
    form->addRow(QStringLiteral("Comfort"), comfortModel_);
    metabolic_ = Decimal(this, "metabolic", 0.8, 4, 1.1, 0.1, " met");
    clothing_ = Decimal(this, "clothing", 0, 2, 0.5, 0.1, " clo");
    airSpeed_ = Decimal(this, "airSpeed", 0, 2, 0.1, 0.05, " m/s");
    radiantOffset_ = Decimal(this, "radiantOffset", -10, 10, 0, 0.5, " K");
    form->addRow(QStringLiteral("Activity"), metabolic_);
    form->addRow(QStringLiteral("Clothing"), clothing_);
    form->addRow(QStringLiteral("Air speed"), airSpeed_);
    form->addRow(QStringLiteral("Radiant − air"), radiantOffset_);
    auto* ppd = new QHBoxLayout;
    usePpd_ = new QCheckBox(QStringLiteral("PPD at most"), this);
    usePpd_->setObjectName(QStringLiteral("usePpd"));
    ppd_ = Decimal(this, "ppd", 5, 50, 10, 1, " %");
    ppd->addWidget(usePpd_);
    ppd->addWidget(ppd_);
    form->addRow(QStringLiteral("Limit"), ppd);
    adaptiveClass_ = Choice(this, "adaptiveClass",
                            {"80 % / category II", "90 % / category I", "80 % / category III"});
    form->addRow(QStringLiteral("Adaptive"), adaptiveClass_);
    strategies_ = new QListWidget(this);
    strategies_->setObjectName(QStringLiteral("strategies"));
    for (const comfort::Strategy strategy : climateanalysis::AllStrategies()) {
        auto* item = new QListWidgetItem(QString::fromUtf8(StrategyCaption(strategy)), strategies_);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    strategies_->setMaximumHeight(150);
    strategies_->setMaximumWidth(260);
    form->addRow(QStringLiteral("Strategies"), strategies_);
    // The still-air band the strategies extend (their own, not the comfort model's zone).
    const comfort::StrategyParameters defaults;
    constexpr double kZeroCelsius = kCelsiusOffset;
    band_ = {Decimal(this, "bandLow", 0, 40, defaults.comfortLow - kZeroCelsius, 0.5, " °C"),
             Decimal(this, "bandHigh", 0, 40, defaults.comfortHigh - kZeroCelsius, 0.5, " °C"),
             Decimal(this, "bandDry", 0, 30, defaults.minHumidityRatio * 1000, 0.5, " g/kg"),
             Decimal(this, "bandWet", 0, 30, defaults.maxHumidityRatio * 1000, 0.5, " g/kg")};
    auto* bandRows = new QVBoxLayout;
    for (std::size_t pair = 0; pair < 2; ++pair) {
        auto* line = new QHBoxLayout;
        line->addWidget(band_[2 * pair]);
        line->addWidget(new QLabel(QStringLiteral("to"), this));
        line->addWidget(band_[2 * pair + 1]);
        bandRows->addLayout(line);
    }
    form->addRow(QStringLiteral("Strategy band"), bandRows);
    userZones_ = new QPlainTextEdit(this);
    userZones_->setObjectName(QStringLiteral("userZones"));
    userZones_->setPlaceholderText(
        QStringLiteral("Name: 20, 4; 26, 4; 26, 12; 20, 12\n"
                       "Humid band: 18, 60 %; 28, 60 %; 28, 80 %; 18, 80 %"));
    userZones_->setMaximumHeight(70);
    userZones_->setMaximumWidth(260);
    form->addRow(QStringLiteral("Your zones"), userZones_);
    auto* applyZones = new QPushButton(QStringLiteral("Apply zones"), this);
    applyZones->setObjectName(QStringLiteral("applyZones"));
    connect(applyZones, &QPushButton::clicked, this, &ClimateWindow::applySettings);
    form->addRow(applyZones);
    connect(comfortModel_, &QComboBox::currentIndexChanged, this, &ClimateWindow::applySettings);
    connect(adaptiveClass_, &QComboBox::currentIndexChanged, this, &ClimateWindow::applySettings);
    for (QDoubleSpinBox* box : {metabolic_, clothing_, airSpeed_, radiantOffset_, ppd_, band_[0],
                                band_[1], band_[2], band_[3]}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &ClimateWindow::applySettings);
    }
    connect(usePpd_, &QCheckBox::toggled, this, &ClimateWindow::applySettings);
    connect(strategies_, &QListWidget::itemChanged, this, &ClimateWindow::applySettings);
    return form;
}

climate::Filter ClimateWindow::filterFromControls() const {
    climate::Filter filter;
    filter.firstMonth = firstMonth_->value();
    filter.lastMonth = lastMonth_->value();
    filter.fromHour = fromHour_->value();
    filter.toHour = toHour_->value();
    filter.occupiedOnly = occupied_->isChecked();
    for (int d = 0; d < 7; ++d) {
        filter.occupancy.hours[d].reset();
        if (days_[d]->isChecked()) {
            for (int h = occupiedFrom_->value(); h < occupiedTo_->value(); ++h) {
                filter.occupancy.hours[d].set(static_cast<std::size_t>(h));
            }
        }
    }
    if (const int r = rangeOf_->currentIndex(); r > 0) {
        const climate::Quantity q = Offered()[static_cast<std::size_t>(r - 1)];
        // The fields show shown units; the filter takes the quantity's own.
        const double k = models::QuantityShown(q, 1) - models::QuantityShown(q, 0);
        const double offset = models::QuantityShown(q, 0);
        filter.ranges.push_back(
            {q, (rangeMin_->value() - offset) / k, (rangeMax_->value() - offset) / k});
    }
    return filter;
}

models::ClimateDisplay ClimateWindow::displayFromControls() const {
    models::ClimateDisplay display;
    display.marks = marks_->currentIndex() == 0 ? models::ClimateDisplay::Marks::Bins
                                                : models::ClimateDisplay::Marks::Points;
    display.axis = binAxis_->currentIndex() == 0 ? climate::BinAxis::HumidityRatio
                                                 : climate::BinAxis::RelativeHumidity;
    display.units =
        binUnits_->currentIndex() == 0 ? climateanalysis::Units::SI : climateanalysis::Units::IP;
    if (const int c = colourBy_->currentIndex(); c > 0) {
        display.colourBy = Offered()[static_cast<std::size_t>(c - 1)];
    }
    return display;
}

void ClimateWindow::applySettings() {
    climateanalysis::ClimateSettings settings = model_.settings();
    settings.states.humidity = humidity_->currentIndex() == 0
                                   ? climate::HumiditySource::RelativeHumidity
                                   : climate::HumiditySource::DewPoint;
    climateanalysis::ComfortSettings& c = settings.comfort;
    c.model = kModels[std::max(0, comfortModel_->currentIndex())];
    c.metabolic = metabolic_->value();
    c.clothing = clothing_->value();
    c.airSpeed = airSpeed_->value();
    c.radiantOffset = radiantOffset_->value();
    c.ppd = usePpd_->isChecked() ? std::optional<double>(ppd_->value()) : std::nullopt;
    c.ashraeAcceptability = adaptiveClass_->currentIndex() == 1 ? 90 : 80;
    c.enCategory = adaptiveClass_->currentIndex() == 1   ? 1
                   : adaptiveClass_->currentIndex() == 2 ? 3
                                                         : 2;
    comfort::StrategyParameters& band = settings.strategyParameters;
    band.comfortLow = band_[0]->value() + kCelsiusOffset;
    band.comfortHigh = band_[1]->value() + kCelsiusOffset;
    band.minHumidityRatio = band_[2]->value() / 1000;
    band.maxHumidityRatio = band_[3]->value() / 1000;
    settings.strategies.clear();
    for (int i = 0; i < strategies_->count(); ++i) {
        if (strategies_->item(i)->checkState() == Qt::Checked) {
            settings.strategies.push_back(
                climateanalysis::AllStrategies()[static_cast<std::size_t>(i)]);
        }
    }
    const auto zones =
        models::ParseUserZones(userZones_->toPlainText().toStdString(), model_.settings().units);
    if (!zones) {
        status_->setText(QString::fromStdString(zones.error().message + " Nothing was changed."));
        return;
    }
    settings.userZones = zones.value();
    if (const auto changed = model_.changeSettings(settings); !changed) {
        status_->setText(QString::fromStdString(climateanalysis::Describe(changed.error()) +
                                                ". Nothing was changed."));
        return;
    }
    status_->setText(model_.loaded() ? QString::fromStdString(climateanalysis::DescribeComfort(
                                           model_.settings().comfort))
                                     : QString());
    redraw();
}

void ClimateWindow::applyFilter() {
    model_.setFilter(filterFromControls());
    redraw();
}

void ClimateWindow::applyDisplay() {
    model_.setDisplay(displayFromControls());
    redraw();
}

models::CommandOutcome ClimateWindow::exportFigures(const std::string& path) {
    if (!model_.loaded()) {
        platform_.showMessage("Open a weather file first: there are no figures to write.",
                              config::kApplicationTitle);
        return models::CommandOutcome::Refused;
    }
    const auto written = fileio::WriteWholeFile(path, model_.figuresCsv(), "figures");
    if (!written) {
        platform_.showMessage(written.error().message, config::kApplicationTitle);
        return models::CommandOutcome::Refused;
    }
    return models::CommandOutcome::Done;
}

models::CommandOutcome ClimateWindow::sendRowToMainWindow(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= shownRows_.size() ||
        !shownRows_[static_cast<std::size_t>(row)].point) {
        status_->setText(QString::fromUtf8(kChooseRow));
        prompting_ = true;
        return models::CommandOutcome::Refused;
    }
    model_.sendToMainWindow(*shownRows_[static_cast<std::size_t>(row)].point);
    return models::CommandOutcome::Done;
}

models::CommandOutcome ClimateWindow::sendRowToProcesses(int row) {
    if (row < 0 || static_cast<std::size_t>(row) >= shownRows_.size() ||
        !shownRows_[static_cast<std::size_t>(row)].point) {
        status_->setText(QString::fromUtf8(kChooseRow));
        prompting_ = true;
        return models::CommandOutcome::Refused;
    }
    return model_.sendToProcesses(*shownRows_[static_cast<std::size_t>(row)].point);
}

void ClimateWindow::redraw() {
    summary_->setText(qs(model_.summary()));
    humidityNote_->setText(model_.loaded() ? qs(model_.humidityNote()) : QString());
    if (overlays_ && model_.loaded()) {
        overlays_->set(kClimateLayer, model_.overlay());
    }
    // The row chosen stays chosen by what it is, not by its place: a new filter adds or removes
    // month rows above the design conditions.
    const int current = figures_->currentRow();
    const int currentColumn = std::max(0, figures_->currentColumn());
    const std::string chosen = current >= 0 && static_cast<std::size_t>(current) < shownRows_.size()
                                   ? shownRows_[static_cast<std::size_t>(current)].key
                                   : std::string();
    shownRows_ = model_.figures();
    std::size_t columns = 0;
    for (const models::FigureRow& row : shownRows_) {
        columns = std::max(columns, row.cells.size());
    }
    figures_->setRowCount(static_cast<int>(shownRows_.size()));
    figures_->setColumnCount(static_cast<int>(columns));
    QFont bold = figures_->font();
    bold.setBold(true);
    for (std::size_t r = 0; r < shownRows_.size(); ++r) {
        const models::FigureRow& row = shownRows_[r];
        for (std::size_t c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem(c < row.cells.size() ? qs(row.cells[c]) : QString());
            if (row.heading) {
                item->setFont(bold);
                item->setBackground(QColor(230, 234, 240));
            }
            if (c < row.tips.size() && !row.tips[c].empty()) {
                item->setToolTip(qs(row.tips[c]));
            }
            // Numbers right-aligned, every digit of one in its tool tip.
            if (c < row.number.size() && row.number[c]) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                if (c < row.values.size() && std::isfinite(row.values[c])) {
                    item->setToolTip(qs(text::ShortestText(row.values[c])));
                }
            }
            figures_->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    }
    figures_->resizeColumnsToContents();
    // The names may be long ("Dew point 0.4 % / mean coincident dry bulb (…)"): the numbers
    // stay in sight, and a name's whole text is in its tooltip.
    figures_->setColumnWidth(0, std::min(figures_->columnWidth(0), 300));
    for (int r = 0; r < figures_->rowCount(); ++r) {
        if (QTableWidgetItem* item = figures_->item(r, 0)) {
            item->setToolTip(item->text());
        }
    }
    int again = -1;
    for (std::size_t r = 0; r < shownRows_.size() && !chosen.empty(); ++r) {
        if (shownRows_[r].key == chosen) {
            again = static_cast<int>(r);
            break;
        }
    }
    if (again >= 0) {
        figures_->setCurrentCell(again, currentColumn);
    } else {
        figures_->setCurrentItem(nullptr);
        figures_->clearSelection();
    }
    QStringList notes;
    for (const std::string& note : model_.notes()) {
        notes << qs(note);
    }
    notes_->setText(notes.join(QLatin1Char('\n')));
}

void ClimateWindow::open(const std::string& path) {
    if (job_) {
        job_->control.cancelled = true;
        finishLoading(true);
    }
    auto job = std::make_shared<Job>();
    job_ = job;
    climateanalysis::ClimateSettings settings = model_.settings();
    settings.states.humidity = humidity_->currentIndex() == 0
                                   ? climate::HumiditySource::RelativeHumidity
                                   : climate::HumiditySource::DewPoint;
    auto work = [job, path, settings, read = reader] {
        auto result = read(path, settings, &job->control);
        job->result = std::move(result);
        job->ended.store(true, std::memory_order_release);
    };
    progress_->setFormat(QStringLiteral("Reading…"));
    progress_->setValue(models::LoadControl::Reading);
    progress_->show();
    cancel_->show();
    summary_->setText(QStringLiteral("Reading ") + qs(path) + QStringLiteral("…"));
    try {
        // Detached: a worker stuck in a read is never waited for; it holds only its job.
        std::thread(work).detach();
    } catch (const std::system_error&) {
        work(); // no thread to be had: read here (pipes and devices were refused before a read)
    }
    poll_->start();
}

void ClimateWindow::cancelLoading() {
    if (job_) {
        job_->control.cancelled = true;
    }
}

void ClimateWindow::poll() {
    if (!job_) {
        poll_->stop();
        return;
    }
    if (job_->control.cancelled.load()) {
        finishLoading(true);
    } else if (job_->ended.load(std::memory_order_acquire)) {
        finishLoading(false);
    } else if (job_->control.phase.load() >= models::LoadControl::Computing) {
        progress_->setFormat(QStringLiteral("Computing the hours and zones…"));
        progress_->setValue(models::LoadControl::Computing);
    }
}

void ClimateWindow::finishLoading(bool cancelled) {
    if (!job_) {
        return;
    }
    poll_->stop();
    progress_->hide();
    cancel_->hide();
    const std::shared_ptr<Job> job = std::move(job_);
    bool taken = false;
    if (!cancelled && job->result) {
        model_.accept(std::move(job->result.value()));
        taken = true;
        model_.setFilter(filterFromControls());
        model_.setDisplay(displayFromControls());
    } else if (!cancelled) {
        platform_.showMessage(job->result.error().message, config::kApplicationTitle);
    }
    redraw();
    if (taken) {
        fitChart(main_.findChild<ChartWindow*>());
    }
    emit loadFinished(taken);
}

void ClimateWindow::fitChart(ChartWindow* chart) {
    if (chart == nullptr || !chart->isVisible() || !model_.loaded()) {
        return;
    }
    const chart::ChartRange shown = chart->model().range();
    if (const chart::ChartRange fitted = model_.rangeHolding(shown); fitted != shown) {
        chart->chooseRange(fitted);
    }
}

namespace {
QPointer<ClimateWindow>& OpenClimate() {
    static QPointer<ClimateWindow> open;
    return open;
}
} // namespace

ClimateWindow* openClimateWindow() {
    ClimateWindow* open = OpenClimate();
    return open != nullptr && open->isVisible() ? open : nullptr;
}

ClimateWindow* showClimateWindow(AmbientWindow& main, models::Platform& platform,
                                 ChartOverlays* overlays) {
    return ShowSecondaryWindow(OpenClimate(),
                               [&] { return new ClimateWindow(main, platform, overlays, &main); });
}

} // namespace hygrovane::views
