#include "views/chart/chart_window.h"

#include "chart/altitude_charts.h"
#include "fileio/file_io.h"
#include "hygrovane/config.h"
#include "models/main_window_chart.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_canvas.h"
#include "views/chart/chart_export.h"
#include "views/chart/chart_overlays.h"
#include "views/common/window_look.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QInputDialog>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hygrovane::views {

namespace {

const char* const kHint = "Point at the chart to read a state · click or drag to set the main "
                          "window's state · turn the wheel to zoom";
const char* const kRangeRefused = "The range was not changed: each end must lie below the "
                                  "other by at least 1 K and 0.1 g/kg.";
const char* const kUnreadSettings = "Some chart settings kept from the last run could not be "
                                    "read back; their defaults are used.";
// How near the mouse must be to a marked point, in pixels, for the menu to offer it.
constexpr double kMarkReach = 8;

// The pixel size of a PNG, asked in a small dialog; none when cancelled.
std::optional<QSize> AskPngSize(QWidget* parent, QSize initial) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("pngSizeDialog"));
    dialog.setWindowTitle(QStringLiteral("Export PNG"));
    auto* form = new QFormLayout(&dialog);
    const auto side = [&](const char* name, int value) {
        auto* box = new QSpinBox(&dialog);
        box->setObjectName(QString::fromLatin1(name));
        // Larger pictures would take hundreds of megabytes while they are drawn.
        box->setRange(200, 6000);
        box->setSuffix(QStringLiteral(" px"));
        box->setValue(value);
        return box;
    };
    QSpinBox* width = side("pngWidth", initial.width());
    QSpinBox* height = side("pngHeight", initial.height());
    form->addRow(QStringLiteral("Width"), width);
    form->addRow(QStringLiteral("Height"), height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    form->addRow(buttons);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return QSize(width->value(), height->value());
}

bool Exists(const std::string& path) {
    const QFileInfo info(QFile::decodeName(path.c_str()));
    return info.exists() || info.isSymLink();
}

// The file an export writes: the name as chosen when it has a suffix or names something that
// exists (the dialog has confirmed it; a device such as /dev/full is then refused rather than
// replaced by a new file beside it), otherwise the name with the format's suffix.
std::string ExportTarget(const std::string& chosen, const std::string& format) {
    if (Exists(chosen) || !QFileInfo(QFile::decodeName(chosen.c_str())).suffix().isEmpty()) {
        return chosen;
    }
    return chosen + "." + format;
}

// Charts in °F or °R are offered the altitudes in feet.
bool Feet(const chart::ChartUnits& units) {
    return units.dryBulb.symbol == "°F" || units.dryBulb.symbol == "°R";
}

QDoubleSpinBox* RangeField(QWidget* parent, const char* name) {
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setKeyboardTracking(false);
    field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    field->setMinimumWidth(70);
    return field;
}

} // namespace

ChartWindow::ChartWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
                         const ChartSettingsStore::Source& remembered, QWidget* owner)
    : QWidget(owner, Qt::Window), main_(main), platform_(platform), overlays_(overlays),
      model_(main.model().reader().view()), store_(remembered) {
    setObjectName(QStringLiteral("Form_chart"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Psychrometric Chart"));
    setWindowIcon(ApplicationIcon());
    buildControls();
    const chart::PreferencesRead kept = store_.load();
    applyPreferences(kept.preferences);
    if (!kept.refused.empty()) {
        status_->setText(QString::fromUtf8(kUnreadSettings));
    }
    connect(&main_, &AmbientWindow::redrawn, this, &ChartWindow::follow);
    if (overlays_) {
        connect(overlays_, &ChartOverlays::changed, canvas_, qOverload<>(&QWidget::update));
        // Another window's layer may have its own words for the point under the mouse.
        connect(overlays_, &ChartOverlays::changed, this, &ChartWindow::rereadMouse);
    }
    follow();
    showRange(true);
    setMinimumSize(560, 420);
    resize(1000, 720);
}

void ChartWindow::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* bar = new QHBoxLayout;
    layout->addLayout(bar);
    const auto label = [&](const QString& text, const char* name = nullptr) {
        auto* widget = new QLabel(text, this);
        if (name != nullptr) {
            widget->setObjectName(QString::fromLatin1(name));
        }
        bar->addWidget(widget);
        return widget;
    };
    label(QStringLiteral("Dry bulb"));
    dryBulbFrom_ = RangeField(this, "dryBulbFrom");
    bar->addWidget(dryBulbFrom_);
    label(QStringLiteral("to"));
    dryBulbTo_ = RangeField(this, "dryBulbTo");
    bar->addWidget(dryBulbTo_);
    dryBulbUnit_ = label(QString(), "dryBulbUnit");
    bar->addSpacing(12);
    label(QStringLiteral("Humidity ratio"));
    humidityRatioFrom_ = RangeField(this, "humidityRatioFrom");
    bar->addWidget(humidityRatioFrom_);
    label(QStringLiteral("to"));
    humidityRatioTo_ = RangeField(this, "humidityRatioTo");
    bar->addWidget(humidityRatioTo_);
    humidityRatioUnit_ = label(QString(), "humidityRatioUnit");
    for (QDoubleSpinBox* field : {dryBulbFrom_, dryBulbTo_, humidityRatioFrom_, humidityRatioTo_}) {
        connect(field, &QDoubleSpinBox::editingFinished, this, &ChartWindow::readRange);
    }

    // The chart's commands on a second row, so that no caption is cut at the window's usual width.
    bar->addStretch(1);
    bar = new QHBoxLayout;
    layout->addLayout(bar);
    auto* reset = new QPushButton(QStringLiteral("Default range"), this);
    reset->setObjectName(QStringLiteral("resetRange"));
    connect(reset, &QPushButton::clicked, this, [this] { chooseRange(std::nullopt); });
    bar->addWidget(reset);
    comfortBox_ = new QCheckBox(QStringLiteral("Comfort zones"), this);
    comfortBox_->setObjectName(QStringLiteral("comfortZones"));
    connect(comfortBox_, &QCheckBox::toggled, this, &ChartWindow::showComfortZones);
    bar->addWidget(comfortBox_);
    protractorBox_ = new QCheckBox(QStringLiteral("Protractor"), this);
    protractorBox_->setObjectName(QStringLiteral("protractor"));
    connect(protractorBox_, &QCheckBox::toggled, this, &ChartWindow::showProtractor);
    bar->addWidget(protractorBox_);
    altitudeCharts_ = new QComboBox(this);
    altitudeCharts_->setObjectName(QStringLiteral("altitudeCharts"));
    altitudeCharts_->setToolTip(QStringLiteral("Sets the main window's altitude to that of a "
                                               "standard altitude chart"));
    // Filled by showRange with the charts of the units; activated only by the user.
    connect(altitudeCharts_, qOverload<int>(&QComboBox::activated), this,
            [this](int index) { chooseAltitudeChart(index - 1); });
    bar->addWidget(altitudeCharts_);
    bar->addStretch(1);

    auto* exportButton = new QPushButton(QStringLiteral("Export"), this);
    exportButton->setObjectName(QStringLiteral("exportButton"));
    auto* menu = new QMenu(exportButton);
    const auto action = [&](const char* name, const QString& text, auto slot) {
        QAction* item = menu->addAction(text);
        item->setObjectName(QString::fromLatin1(name));
        connect(item, &QAction::triggered, this, slot);
    };
    action("exportPng", QStringLiteral("PNG image…"), [this] { askExport("png"); });
    action("exportSvg", QStringLiteral("SVG drawing…"), [this] { askExport("svg"); });
    action("exportPdf", QStringLiteral("PDF document…"), [this] { askExport("pdf"); });
    menu->addSeparator();
    action("printChart", QStringLiteral("Print…"), [this] { askPrint(); });
    exportButton->setMenu(menu);
    bar->addWidget(exportButton);
    buildViewActions();
    auto* viewButton = new QPushButton(QStringLiteral("View"), this);
    viewButton->setObjectName(QStringLiteral("viewButton"));
    auto* viewMenu = new QMenu(viewButton);
    viewMenu->setObjectName(QStringLiteral("chartViewMenu"));
    addViewCommands(*viewMenu, std::nullopt, QPoint());
    viewButton->setMenu(viewMenu);
    bar->addWidget(viewButton);

    ChartCanvas::Handlers handlers;
    handlers.scene = [this] { return scene(); };
    handlers.hovered = [this](const std::optional<chart::ChartPoint>& p) { hover(p); };
    handlers.picked = [this](chart::ChartPoint p) { pick(p); };
    handlers.zoomed = [this](chart::ChartPoint at, double factor) {
        chooseRange(chart::Zoomed(model_.range(), at, factor));
    };
    handlers.menuAsked = [this](chart::ChartPoint p, QPoint at) { offerPointActions(p, at); };
    handlers.panStarted = [this] { model_.startPan(); };
    handlers.panned = [this](QPointF from, QPointF to) { panBy(from, to); };
    handlers.panEnded = [this] { remember(); };
    handlers.boxed = [this](QPointF corner, QPointF opposite) { zoomToBox(corner, opposite); };
    canvas_ = new ChartCanvas(std::move(handlers), this);
    // The chart, not a range field, has the keyboard at first.
    canvas_->setFocusPolicy(Qt::StrongFocus);
    canvas_->setFocus();
    layout->addWidget(canvas_, 1);
    status_ = new QLabel(QString::fromUtf8(kHint), this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(status_);
}

ChartScene ChartWindow::scene() const {
    ChartScene scene;
    scene.model = &model_.chart();
    scene.title = model_.shownTitle();
    scene.comfortZones = model_.comfortZones();
    scene.protractor = model_.protractor();
    scene.fogIsotherms = model_.fogIsotherms();
    scene.projection = model_.projection();
    scene.statePoint = model_.statePoint();
    scene.note = model_.note();
    if (overlays_) {
        for (const auto& [name, overlay] : overlays_->all()) {
            scene.overlays.push_back(&overlay);
        }
    }
    if (!model_.marksLayer().points.empty()) {
        scene.overlays.push_back(&model_.marksLayer());
    }
    return scene;
}

QWidget* ChartWindow::canvas() const {
    return canvas_;
}

QPointF ChartWindow::canvasPixel(chart::ChartPoint point) const {
    return canvas_->pixelOf(point);
}

void ChartWindow::follow() {
    const std::optional<chart::ChartPoint> point = model_.statePoint();
    const std::string note = model_.note();
    const models::ChartModel::Change change = model_.follow(main_.model().reader().view());
    showRange();
    if (change == models::ChartModel::Change::Chart) {
        canvas_->update();
    } else if (change == models::ChartModel::Change::StateMark) {
        canvas_->updateStateMark(point, note);
    }
    rereadMouse();
}

void ChartWindow::chooseRange(const std::optional<chart::ChartRange>& range) {
    model_.chooseRange(range);
    undoAction_->setEnabled(model_.canUndo());
    applyRange();
}

void ChartWindow::applyRange(bool keep) {
    follow();
    if (keep) {
        remember();
    }
    // A refusal of an earlier range no longer holds.
    if (status_->text() == QString::fromUtf8(kRangeRefused)) {
        status_->setText(QString::fromUtf8(kHint));
    }
}

void ChartWindow::showComfortZones(bool shown) {
    model_.showComfortZones(shown);
    if (comfortBox_->isChecked() != shown) {
        comfortBox_->setChecked(shown);
    }
    canvas_->update();
}

void ChartWindow::showProtractor(bool shown) {
    model_.showProtractor(shown);
    if (protractorBox_->isChecked() != shown) {
        protractorBox_->setChecked(shown);
    }
    canvas_->update();
}

void ChartWindow::chooseAltitudeChart(int position) {
    const auto charts = chart::AltitudeCharts(Feet(model_.units()));
    if (position < 0 || position >= static_cast<int>(charts.size())) {
        return;
    }
    emit altitudeChartChosen(charts[static_cast<std::size_t>(position)].altitude);
}

void ChartWindow::showRange(bool always) {
    const chart::ChartSettings& settings = model_.settings();
    if (!always && settings.units == shownInFields_.units &&
        settings.range == shownInFields_.range) {
        return;
    }
    const chart::Scale& t = settings.units.dryBulb;
    const chart::Scale& w = settings.units.humidityRatio;
    const chart::ChartRange& r = settings.range;
    const auto set = [](QDoubleSpinBox* field, const chart::Scale& scale, double low, double high,
                        double value) {
        const QSignalBlocker blocker(field);
        field->setDecimals(scale.decimals);
        field->setRange(scale.shown(low), scale.shown(high));
        field->setValue(scale.shown(value));
    };
    for (auto [field, value] :
         {std::pair{dryBulbFrom_, r.dryBulbMin}, {dryBulbTo_, r.dryBulbMax}}) {
        set(field, t, chart::kLowestChartDryBulb, chart::kHighestChartDryBulb, value);
    }
    for (auto [field, value] : {std::pair{humidityRatioFrom_, r.humidityRatioMin},
                                {humidityRatioTo_, r.humidityRatioMax}}) {
        set(field, w, 0, chart::kHighestChartHumidityRatio, value);
    }
    if (always || settings.units.dryBulb != shownInFields_.units.dryBulb) {
        const QSignalBlocker blocker(altitudeCharts_);
        altitudeCharts_->clear();
        altitudeCharts_->addItem(QStringLiteral("Altitude chart…"));
        for (const chart::AltitudeChart& c : chart::AltitudeCharts(Feet(settings.units))) {
            altitudeCharts_->addItem(QString::fromStdString(c.name));
        }
    }
    dryBulbUnit_->setText(QString::fromStdString(t.symbol));
    humidityRatioUnit_->setText(QString::fromStdString(w.symbol));
    shownInFields_ = settings;
}

void ChartWindow::readRange() {
    const chart::Scale& t = model_.units().dryBulb;
    const chart::Scale& w = model_.units().humidityRatio;
    // A field left as it was shown is no choice: its rounded value is not the range's end.
    const chart::ChartRange& r = model_.range();
    const auto value = [](QDoubleSpinBox* field, const chart::Scale& scale, double end) {
        return field->value() == field->valueFromText(field->textFromValue(scale.shown(end)))
                   ? end
                   : scale.internal(field->value());
    };
    const chart::ChartRange asked{value(dryBulbFrom_, t, r.dryBulbMin),
                                  value(dryBulbTo_, t, r.dryBulbMax),
                                  value(humidityRatioFrom_, w, r.humidityRatioMin),
                                  value(humidityRatioTo_, w, r.humidityRatioMax)};
    if (asked == r) {
        return;
    }
    if (const auto checked = chart::CheckedRange(asked)) {
        chooseRange(*checked);
        return;
    }
    status_->setText(QString::fromUtf8(kRangeRefused));
    showRange(true);
}

void ChartWindow::hover(const std::optional<chart::ChartPoint>& point) {
    canvas_->setToolTip(QString());
    if (!point) {
        readout_ = QString::fromUtf8(kHint);
    } else if (const auto readout = model_.chart().readoutAt(*point)) {
        std::string text = model_.chart().readoutText(*readout);
        const std::string more = overlays_ ? overlays_->hoverTextAt(*point) : std::string();
        if (!more.empty()) {
            text += " · " + more;
        }
        // What another window says of the point, beside the mouse as well.
        canvas_->setToolTip(QString::fromStdString(more));
        readout_ = QString::fromStdString(text);
    } else {
        readout_ = QStringLiteral("Above the saturation curve: no moist air exists here.");
    }
    status_->setText(readout_);
}

void ChartWindow::rereadMouse() {
    if (status_->text() == readout_) {
        canvas_->hoverAgain();
    }
}

void ChartWindow::refuse(const std::string& message) {
    refusal_ = QString::fromStdString(message);
    status_->setText(refusal_);
}

void ChartWindow::clearRefusal() {
    if (!refusal_.isEmpty() && status_->text() == refusal_) {
        status_->setText(QString::fromUtf8(kHint));
        readout_ = status_->text();
        canvas_->hoverAgain();
    }
    refusal_.clear();
}

void ChartWindow::pick(chart::ChartPoint point) {
    const auto picked = model_.chart().pickAt(point);
    if (!picked) {
        return;
    }
    main_.model().enterChartState(picked->dryBulb, picked->humidityRatio);
    main_.redraw(); // the chart follows from the redraw
    emit statePicked(picked->dryBulb, picked->humidityRatio);
}

void ChartWindow::offerPointActions(chart::ChartPoint point, QPoint at) {
    const auto picked = model_.chart().pickAt(point);
    delete pointMenu_;
    pointMenu_ = new QMenu(this);
    pointMenu_->setObjectName(QStringLiteral("chartPointMenu"));
    pointMenu_->setAttribute(Qt::WA_DeleteOnClose);
    if (overlays_ && picked) {
        for (const auto& [name, action] : overlays_->pointActions()) {
            QAction* item = pointMenu_->addAction(QString::fromStdString(action.caption));
            item->setObjectName(QString::fromStdString(name));
            // Looked up when chosen: the window that offered it may have closed meanwhile.
            connect(item, &QAction::triggered, this, [this, key = name, p = *picked] {
                if (!overlays_) {
                    return;
                }
                const auto found = overlays_->pointActions().find(key);
                if (found != overlays_->pointActions().end()) {
                    found->second.run(p);
                }
            });
        }
        if (!pointMenu_->isEmpty()) {
            pointMenu_->addSeparator();
        }
    }
    addViewCommands(*pointMenu_, picked, canvas_->mapFromGlobal(at));
    pointMenu_->popup(at);
}

void ChartWindow::buildViewActions() {
    const auto command = [this](const char* name, const QString& text, const QKeySequence& keys,
                                auto slot) {
        auto* item = new QAction(text, this);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcut(keys);
        // The range fields keep their own Ctrl+Z and Ctrl+C while they have the keyboard.
        item->setShortcutContext(Qt::WindowShortcut);
        connect(item, &QAction::triggered, this, slot);
        addAction(item);
        return item;
    };
    undoAction_ = command("undoRange", QStringLiteral("Undo range change"), QKeySequence::Undo,
                          [this] { undoRange(); });
    undoAction_->setEnabled(false);
    copyAction_ = command("copyChart", QStringLiteral("Copy chart"), QKeySequence::Copy,
                          [this] { copyToClipboard(); });
    resetAction_ = command("resetChartSettings", QStringLiteral("Reset chart settings"),
                           QKeySequence(), [this] { resetSettings(); });
    linesMenu_ = new QMenu(QStringLiteral("Lines"), this);
    linesMenu_->setObjectName(QStringLiteral("chartLinesMenu"));
    for (const chart::FamilyName& name : chart::kFamilyNames) {
        QAction* item = linesMenu_->addAction(
            QString::fromUtf8(name.caption.data(), static_cast<int>(name.caption.size())));
        item->setObjectName(
            QStringLiteral("showFamily_") +
            QString::fromLatin1(name.key.data(), static_cast<int>(name.key.size())));
        item->setCheckable(true);
        item->setChecked(true);
        connect(item, &QAction::toggled, this,
                [this, family = name.family](bool shown) { showFamily(family, shown); });
        familyActions_[name.family] = item;
    }
    projectionMenu_ = new QMenu(QStringLiteral("Projection"), this);
    projectionMenu_->setObjectName(QStringLiteral("chartProjectionMenu"));
    auto* projections = new QActionGroup(this);
    for (const auto& [projection, text] :
         {std::pair{chart::Projection::Psychrometric, QStringLiteral("Psychrometric chart")},
          std::pair{chart::Projection::Mollier, QStringLiteral("Mollier h–x diagram")}}) {
        QAction* item = projectionMenu_->addAction(text);
        const std::string_view name = chart::ProjectionName(projection);
        item->setObjectName(QStringLiteral("projection_") +
                            QString::fromLatin1(name.data(), static_cast<int>(name.size())));
        item->setCheckable(true);
        item->setChecked(projection == model_.projection());
        projections->addAction(item);
        connect(item, &QAction::triggered, this,
                [this, projection = projection] { chooseProjection(projection); });
        projectionActions_[projection] = item;
    }
    percentageAction_ = new QAction(QStringLiteral("Percentage saturation lines"), this);
    percentageAction_->setObjectName(QStringLiteral("showPercentageSaturation"));
    percentageAction_->setCheckable(true);
    percentageAction_->setChecked(model_.chart().percentageSaturation());
    connect(percentageAction_, &QAction::toggled, this,
            [this](bool shown) { showPercentageSaturation(shown); });
    fogAction_ = new QAction(QStringLiteral("Isotherms in the fog region (h–x)"), this);
    fogAction_->setObjectName(QStringLiteral("showFogIsotherms"));
    fogAction_->setCheckable(true);
    fogAction_->setChecked(model_.fogIsotherms());
    connect(fogAction_, &QAction::toggled, this, [this](bool shown) { showFogIsotherms(shown); });
}

void ChartWindow::showFogIsotherms(bool shown) {
    {
        const QSignalBlocker blocker(fogAction_);
        fogAction_->setChecked(shown);
    }
    if (!model_.showFogIsotherms(shown)) {
        return;
    }
    canvas_->update();
    remember();
}

void ChartWindow::showPercentageSaturation(bool shown) {
    {
        const QSignalBlocker blocker(percentageAction_);
        percentageAction_->setChecked(shown);
    }
    if (!model_.showPercentageSaturation(shown)) {
        return;
    }
    canvas_->update();
    remember();
}

void ChartWindow::chooseProjection(chart::Projection projection) {
    if (!model_.chooseProjection(projection)) {
        return;
    }
    for (const auto& [shown, action] : projectionActions_) {
        const QSignalBlocker blocker(action);
        action->setChecked(shown == projection);
    }
    canvas_->update();
    remember();
    rereadMouse(); // the plot is laid out anew: another point lies under the mouse
}

void ChartWindow::addViewCommands(QMenu& menu, std::optional<chart::ChartPoint> at, QPoint pixel) {
    if (at) {
        QAction* mark = menu.addAction(QStringLiteral("Mark point here"));
        mark->setObjectName(QStringLiteral("markPoint"));
        connect(mark, &QAction::triggered, this, [this, p = *at] { markPoint(p); });
        const chart::ChartMapping mapping = MappingOf(canvas_->layout(), model_.range());
        const auto near =
            model_.marks().near(pixel.x(), pixel.y(), kMarkReach,
                                [&](chart::ChartPoint p) { return mapping.toPixel(p); });
        if (near) {
            const QString name = QString::fromStdString(model_.marks().all()[*near].name);
            QAction* rename = menu.addAction(QStringLiteral("Rename “%1”…").arg(name));
            rename->setObjectName(QStringLiteral("renameMark"));
            connect(rename, &QAction::triggered, this, [this, i = *near] { askRename(i); });
            QAction* remove = menu.addAction(QStringLiteral("Remove “%1”").arg(name));
            remove->setObjectName(QStringLiteral("removeMark"));
            connect(remove, &QAction::triggered, this, [this, i = *near] { removeMark(i); });
        }
        menu.addSeparator();
    }
    menu.addAction(undoAction_);
    menu.addMenu(linesMenu_);
    menu.addMenu(projectionMenu_);
    menu.addAction(percentageAction_);
    menu.addAction(fogAction_);
    menu.addAction(copyAction_);
    menu.addSeparator();
    menu.addAction(resetAction_);
}

void ChartWindow::panBy(QPointF from, QPointF to) {
    const std::optional<chart::ChartRange> start = model_.panStart();
    if (!start) {
        return;
    }
    const chart::ChartMapping atStart = MappingOf(canvas_->layout(), *start);
    model_.panTo(chart::Panned(atStart, {from.x(), from.y()}, {to.x(), to.y()}));
    undoAction_->setEnabled(model_.canUndo());
    applyRange(false);
}

void ChartWindow::zoomToBox(QPointF corner, QPointF opposite) {
    const chart::ChartMapping mapping = MappingOf(canvas_->layout(), model_.range());
    if (const auto box =
            chart::BoxZoomed(mapping, {corner.x(), corner.y()}, {opposite.x(), opposite.y()})) {
        chooseRange(*box);
    }
}

models::CommandOutcome ChartWindow::undoRange() {
    const bool undone = model_.undoRange();
    undoAction_->setEnabled(model_.canUndo());
    if (!undone) {
        return models::CommandOutcome::Refused;
    }
    applyRange();
    return models::CommandOutcome::Done;
}

void ChartWindow::showFamily(chart::Family family, bool shown) {
    model_.showFamily(family, shown);
    const auto action = familyActions_.find(family);
    if (action != familyActions_.end() && action->second->isChecked() != shown) {
        const QSignalBlocker blocker(action->second);
        action->second->setChecked(shown);
    }
    canvas_->update();
    remember();
}

void ChartWindow::copyToClipboard() {
    const QSize size = canvas_->size().expandedTo(QSize(640, 480));
    const ChartScene shown = scene();
    const QByteArray png = ChartPng(shown, size);
    const QByteArray svg = ChartSvg(shown, size);
    if (png.isEmpty() || svg.isEmpty()) {
        platform_.showMessage("The chart could not be drawn for the clipboard.",
                              config::kApplicationTitle);
        return;
    }
    auto* data = new QMimeData;
    data->setImageData(QImage::fromData(png, "PNG"));
    data->setData(QStringLiteral("image/png"), png);
    data->setData(QStringLiteral("image/svg+xml"), svg);
    QGuiApplication::clipboard()->setMimeData(data);
}

models::CommandOutcome ChartWindow::markPoint(chart::ChartPoint at, const std::string& name) {
    const auto done = model_.markPoint(at, name);
    if (!done) {
        refuse(chart::Describe(done.error()));
        return models::CommandOutcome::Refused;
    }
    clearRefusal();
    marksChanged();
    return models::CommandOutcome::Done;
}

models::CommandOutcome ChartWindow::renameMark(std::size_t index, const std::string& name) {
    const auto done = model_.renameMark(index, name);
    if (!done) {
        refuse(chart::Describe(done.error()));
        return models::CommandOutcome::Refused;
    }
    clearRefusal();
    marksChanged();
    return models::CommandOutcome::Done;
}

models::CommandOutcome ChartWindow::removeMark(std::size_t index) {
    const auto done = model_.removeMark(index);
    if (!done) {
        refuse(chart::Describe(done.error()));
        return models::CommandOutcome::Refused;
    }
    clearRefusal();
    marksChanged();
    return models::CommandOutcome::Done;
}

void ChartWindow::askRename(std::size_t index) {
    if (index >= model_.marks().all().size()) {
        return;
    }
    QInputDialog dialog(this);
    dialog.setObjectName(QStringLiteral("markNameDialog"));
    dialog.setWindowTitle(QStringLiteral("Rename marked point"));
    dialog.setLabelText(QStringLiteral("Name"));
    dialog.setTextValue(QString::fromStdString(model_.marks().all()[index].name));
    if (dialog.exec() == QDialog::Accepted) {
        renameMark(index, dialog.textValue().toStdString());
    }
}

void ChartWindow::marksChanged() {
    canvas_->update();
    remember();
}

chart::ChartPreferences ChartWindow::preferences() const {
    return model_.preferences();
}

void ChartWindow::applyPreferences(const chart::ChartPreferences& preferences) {
    model_.applyPreferences(preferences);
    for (const auto& [family, action] : familyActions_) {
        const QSignalBlocker blocker(action);
        action->setChecked(preferences.families.shows(family));
    }
    for (const auto& [projection, action] : projectionActions_) {
        const QSignalBlocker blocker(action);
        action->setChecked(projection == model_.projection());
    }
    if (percentageAction_) {
        const QSignalBlocker blocker(percentageAction_);
        percentageAction_->setChecked(model_.chart().percentageSaturation());
    }
    if (fogAction_) {
        const QSignalBlocker blocker(fogAction_);
        fogAction_->setChecked(model_.fogIsotherms());
    }
}

void ChartWindow::remember() {
    store_.save(preferences());
}

void ChartWindow::resetSettings() {
    if (!model_.marks().all().empty() &&
        !platform_.askYesNo("Reset the chart's range and lines and remove its " +
                                std::to_string(model_.marks().all().size()) + " marked points?",
                            config::kApplicationTitle)) {
        return;
    }
    store_.reset();
    model_.reset();
    undoAction_->setEnabled(model_.canUndo());
    applyPreferences(model_.preferences());
    follow();
    canvas_->update();
}

models::CommandOutcome ChartWindow::exportPng(const std::string& path, QSize size) {
    return write(path, ChartPng(scene(), size));
}

models::CommandOutcome ChartWindow::exportSvg(const std::string& path) {
    // The size on screen; a window not laid out yet has none worth drawing at.
    return write(path, ChartSvg(scene(), canvas_->size().expandedTo(QSize(640, 480))));
}

models::CommandOutcome ChartWindow::exportPdf(const std::string& path) {
    return write(path, ChartPdf(scene()));
}

models::CommandOutcome ChartWindow::write(const std::string& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        platform_.showMessage("The chart could not be drawn for \"" + path + "\".",
                              config::kApplicationTitle);
        return models::CommandOutcome::Refused;
    }
    const auto written = fileio::WriteWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), "chart");
    if (!written) {
        platform_.showMessage(written.error().message, config::kApplicationTitle);
        return models::CommandOutcome::Refused;
    }
    return models::CommandOutcome::Done;
}

void ChartWindow::askExport(const char* suffix) {
    const std::string format = suffix;
    std::optional<QSize> size;
    if (format == "png") {
        size = AskPngSize(this, pngSize_);
        if (!size) {
            return;
        }
        pngSize_ = *size;
    }
    const auto chosen = platform_.saveFileDialog();
    if (!chosen) {
        return;
    }
    const std::string path = ExportTarget(*chosen, format);
    // The dialog asked about the name it returned; one we completed was never asked about.
    if (path != *chosen && Exists(path) &&
        !platform_.askYesNo("The file \"" + path + "\" already exists. Do you want to replace it?",
                            config::kApplicationTitle)) {
        return;
    }
    if (format == "png") {
        exportPng(path, *size);
    } else if (format == "svg") {
        exportSvg(path);
    } else {
        exportPdf(path);
    }
}

void ChartWindow::askPrint() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted) {
        PrintChart(scene(), printer);
    }
}

ChartWindow* showChartWindow(AmbientWindow& main, models::Platform& platform,
                             ChartOverlays* overlays,
                             const ChartSettingsStore::Source& remembered) {
    static QPointer<ChartWindow> open;
    return ShowSecondaryWindow(open, [&] {
        auto* window = new ChartWindow(main, platform, overlays, remembered, &main);
        QObject::connect(window, &ChartWindow::altitudeChartChosen, &main,
                         [&main](double altitude) {
                             main.model().enterAltitude(altitude);
                             main.redraw();
                         });
        return window;
    });
}

} // namespace hygrovane::views
