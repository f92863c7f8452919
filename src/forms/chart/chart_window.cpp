#include "forms/chart/chart_window.h"

#include "chart/from_main_window.h"
#include "fileio/file_io.h"
#include "forms/ambient/ambient_view.h"
#include "forms/chart/chart_canvas.h"
#include "forms/chart/chart_export.h"
#include "forms/chart/chart_overlays.h"
#include "forms/common/window_look.h"
#include "hygrovane/config.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace hygrovane::forms {

namespace {

const char* const kHint = "Point at the chart to read a state · click or drag to set the main "
                          "window's state · turn the wheel to zoom";
const char* const kRangeRefused = "The range was not changed: each end must lie below the "
                                  "other by at least 1 K and 0.1 g/kg.";
const char* const kErrorNote = "The main window shows an error: no state is marked.";

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

QDoubleSpinBox* RangeField(QWidget* parent, const char* name) {
    auto* field = new QDoubleSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setKeyboardTracking(false);
    field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    field->setMinimumWidth(70);
    return field;
}

} // namespace

ChartWindow::ChartWindow(AmbientView& main, Platform& platform, ChartOverlays* overlays,
                         QWidget* owner)
    : QWidget(owner, Qt::Window), main_(main), platform_(platform), overlays_(overlays),
      model_(chart::SettingsOf(main.handlers().form(), std::nullopt)) {
    setObjectName(QStringLiteral("Form_chart"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Psychrometric Chart"));
    setWindowIcon(ApplicationIcon());
    buildControls();
    connect(&main_, &AmbientView::redrawn, this, &ChartWindow::follow);
    if (overlays_) {
        connect(overlays_, &ChartOverlays::changed, canvas_, qOverload<>(&QWidget::update));
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

    auto* reset = new QPushButton(QStringLiteral("Default range"), this);
    reset->setObjectName(QStringLiteral("resetRange"));
    connect(reset, &QPushButton::clicked, this, [this] { chooseRange(std::nullopt); });
    bar->addWidget(reset);
    comfortBox_ = new QCheckBox(QStringLiteral("Comfort zones"), this);
    comfortBox_->setObjectName(QStringLiteral("comfortZones"));
    connect(comfortBox_, &QCheckBox::toggled, this, &ChartWindow::showComfortZones);
    bar->addWidget(comfortBox_);
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

    ChartCanvas::Handlers handlers;
    handlers.scene = [this] { return scene(); };
    handlers.hovered = [this](const std::optional<chart::ChartPoint>& p) { hover(p); };
    handlers.picked = [this](chart::ChartPoint p) { pick(p); };
    handlers.zoomed = [this](chart::ChartPoint at, double factor) {
        chooseRange(chart::Zoomed(model_.range(), at, factor));
    };
    handlers.menuAsked = [this](chart::ChartPoint p, QPoint at) { offerPointActions(p, at); };
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
    scene.model = &model_;
    scene.title = title_;
    scene.comfortZones = comfortZones_;
    scene.statePoint = statePoint_;
    scene.note = note_;
    if (overlays_) {
        for (const auto& [name, overlay] : overlays_->all()) {
            scene.overlays.push_back(&overlay);
        }
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
    const FormAmbient& form = main_.handlers().form();
    const int computed = model_.computations();
    const chart::ChartTitle title = title_;
    const std::string note = note_;
    const std::optional<chart::ChartPoint> point = statePoint_;
    model_.setSettings(chart::SettingsOf(form, chosenRange_));
    title_ = chart::TitleOf(form);
    statePoint_ = chart::StatePointOf(form);
    note_ = statePoint_ ? std::string() : std::string(kErrorNote);
    showRange();
    if (model_.computations() != computed || title_.air != title.air ||
        title_.formulation != title.formulation) {
        canvas_->update();
    } else if (statePoint_ != point || note_ != note) {
        canvas_->updateStateMark(point, note);
    }
}

void ChartWindow::chooseRange(const std::optional<chart::ChartRange>& range) {
    chosenRange_ = range;
    follow();
    // A refusal of an earlier range no longer holds.
    if (status_->text() == QString::fromUtf8(kRangeRefused)) {
        status_->setText(QString::fromUtf8(kHint));
    }
}

void ChartWindow::showComfortZones(bool shown) {
    comfortZones_ = shown;
    if (comfortBox_->isChecked() != shown) {
        comfortBox_->setChecked(shown);
    }
    canvas_->update();
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
    if (!point) {
        status_->setText(QString::fromUtf8(kHint));
        return;
    }
    if (const auto readout = model_.readoutAt(*point)) {
        status_->setText(QString::fromStdString(model_.readoutText(*readout)));
    } else {
        status_->setText(QStringLiteral("Above the saturation curve: no moist air exists here."));
    }
}

void ChartWindow::pick(chart::ChartPoint point) {
    const auto picked = model_.pickAt(point);
    if (!picked) {
        return;
    }
    main_.handlers().enterChartState(picked->dryBulb, picked->humidityRatio);
    main_.redraw(); // the chart follows from the redraw
    emit statePicked(picked->dryBulb, picked->humidityRatio);
}

void ChartWindow::offerPointActions(chart::ChartPoint point, QPoint at) {
    const auto picked = model_.pickAt(point);
    if (!overlays_ || overlays_->pointActions().empty() || !picked) {
        return;
    }
    delete pointMenu_;
    pointMenu_ = new QMenu(this);
    pointMenu_->setObjectName(QStringLiteral("chartPointMenu"));
    pointMenu_->setAttribute(Qt::WA_DeleteOnClose);
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
    pointMenu_->popup(at);
}

bool ChartWindow::exportPng(const std::string& path, QSize size) {
    return write(path, ChartPng(scene(), size));
}

bool ChartWindow::exportSvg(const std::string& path) {
    // The size on screen; a window not laid out yet has none worth drawing at.
    return write(path, ChartSvg(scene(), canvas_->size().expandedTo(QSize(640, 480))));
}

bool ChartWindow::exportPdf(const std::string& path) {
    return write(path, ChartPdf(scene()));
}

bool ChartWindow::write(const std::string& path, const QByteArray& bytes) {
    if (bytes.isEmpty()) {
        platform_.showMessage("The chart could not be drawn for \"" + path + "\".",
                              config::kApplicationTitle);
        return false;
    }
    const auto written = fileio::WriteWholeFile(
        path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), "chart");
    if (!written) {
        platform_.showMessage(written.error().message, config::kApplicationTitle);
    }
    return written.ok();
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

ChartWindow* showChartWindow(AmbientView& main, Platform& platform, ChartOverlays* overlays) {
    static QPointer<ChartWindow> open;
    return ShowSecondaryWindow(open,
                               [&] { return new ChartWindow(main, platform, overlays, &main); });
}

} // namespace hygrovane::forms
