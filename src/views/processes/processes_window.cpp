#include "views/processes/processes_window.h"

#include "display/display_texts.h"
#include "models/process_overlay.h"
#include "views/ambient/ambient_window.h"
#include "views/chart/chart_overlays.h"
#include "views/common/view_support.h"
#include "views/processes/process_dialog.h"
#include "views/processes/room_ratio_dialog.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace hygrovane::views {

namespace {

using namespace processes;

QTableWidget* MakeTable(const char* name, QWidget* parent) {
    auto* table = new QTableWidget(parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    return table;
}

// The columns a reader who never chose sees hidden: what would not fit beside the main columns
// and a note at the window's first size (1100 px: the guide's unit takes some 810 px with these
// hidden, a note up to 220 more).
bool HiddenAtFirst(const char* section, const std::string& column) {
    static const char* const kProcesses[] = {"equipmentHeat", "enthalpyDifference",
                                             "humidityRatioDifference"};
    if (std::string_view(section) != processfile::kProcessesSection) {
        return false;
    }
    return std::find(std::begin(kProcesses), std::end(kProcesses), column) != std::end(kProcesses);
}

template <typename Units>
QComboBox* UnitList(const char* name, const Units& units, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (auto unit : units) {
        if constexpr (std::is_same_v<decltype(unit), FlowUnit>) {
            if (unit == FlowUnit::Upstream) {
                continue;
            }
        }
        list->addItem(qs(NameOf(unit)));
    }
    return list;
}

} // namespace

ProcessesWindow::ProcessesWindow(AmbientWindow& main, models::Platform& platform,
                                 ChartOverlays* overlays, QWidget* owner,
                                 const ReportTable::Settings& settings)
    : QWidget(owner, Qt::Window), model_(platform, main.model().reader()), main_(main),
      platform_(platform), settings_(settings), overlays_(overlays) {
    setObjectName(QStringLiteral("Form_processes"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QVBoxLayout(this);
    const auto buttonRow = [&](std::initializer_list<std::pair<const char*, const char*>> names) {
        auto* row = new QHBoxLayout;
        std::vector<QPushButton*> buttons;
        for (const auto& [name, caption] : names) {
            auto* button = new QPushButton(QString::fromUtf8(caption), this);
            button->setObjectName(QString::fromLatin1(name));
            row->addWidget(button);
            buttons.push_back(button);
        }
        row->addStretch();
        layout->addLayout(row);
        return buttons;
    };
    const auto file = buttonRow({{"NewSet", "New"},
                                 {"OpenSet", "Open…"},
                                 {"SaveSet", "Save"},
                                 {"SaveSetAs", "Save As…"},
                                 {"ExportCsv", "Export CSV…"},
                                 {"designReportPdf", "Design report…"},
                                 {"printReport", "Print report…"},
                                 {"ShowYear", "Year…"}});
    ambient_ = new QLabel(this);
    ambient_->setObjectName(QStringLiteral("AmbientLabel"));
    layout->addWidget(ambient_);
    layout->addWidget(new QLabel(QStringLiteral("State points"), this));
    points_ = MakeTable("PointTable", this);
    pointColumns_ = new ReportTable(
        *points_, "points",
        [](const std::string& c) { return HiddenAtFirst(processfile::kPointsSection, c); },
        settings);
    layout->addWidget(points_);
    const auto point = buttonRow({{"AddCurrentState", "Add current state"},
                                  {"RenamePoint", "Rename…"},
                                  {"DeletePoint", "Delete point"},
                                  {"RoomRatioLine", "Room ratio line…"}});
    if (overlays_) {
        auto* hint =
            new QLabel(QStringLiteral("Right-click the chart to add the point there."), this);
        hint->setObjectName(QStringLiteral("ChartHint"));
        layout->addWidget(hint);
    }
    layout->addWidget(new QLabel(QStringLiteral("Processes"), this));
    processes_ = MakeTable("ProcessTable", this);
    processColumns_ = new ReportTable(
        *processes_, "processes",
        [](const std::string& c) { return HiddenAtFirst(processfile::kProcessesSection, c); },
        settings);
    layout->addWidget(processes_);
    const auto process = buttonRow({{"AddProcess", "Add process…"},
                                    {"ChangeProcess", "Change process…"},
                                    {"DeleteProcess", "Delete process"}});
    auto* units = new QHBoxLayout;
    flowUnit_ = UnitList("FlowUnit", kFlowUnits, this);
    heatUnit_ = UnitList("HeatUnit", kHeatUnits, this);
    waterUnit_ = UnitList("WaterUnit", kWaterUnits, this);
    for (auto [caption, list] :
         {std::pair{"New flows in", flowUnit_}, std::pair{"Heat in", heatUnit_},
          std::pair{"Water in", waterUnit_}}) {
        units->addWidget(new QLabel(QString::fromUtf8(caption), this));
        units->addWidget(list);
    }
    units->addStretch();
    layout->addLayout(units);

    connect(file[0], &QPushButton::clicked, this, [this] { run([this] { model_.New(); }); });
    connect(file[1], &QPushButton::clicked, this, [this] { run([this] { model_.Open(); }); });
    connect(file[2], &QPushButton::clicked, this, [this] { run([this] { model_.Save(); }); });
    connect(file[3], &QPushButton::clicked, this, [this] { run([this] { model_.SaveAs(); }); });
    connect(file[4], &QPushButton::clicked, this, [this] { run([this] { model_.ExportCsv(); }); });
    connect(file[5], &QPushButton::clicked, this, [this] { designReportPdf(); });
    connect(file[6], &QPushButton::clicked, this, [this] { printReport(); });
    connect(file[7], &QPushButton::clicked, this, [] {
        if (YearPageOpener()) {
            YearPageOpener()();
        }
    });
    connect(point[0], &QPushButton::clicked, this,
            [this] { run([this] { model_.AddCurrentState(); }); });
    connect(point[1], &QPushButton::clicked, this, [this] { renamePoint(); });
    connect(point[2], &QPushButton::clicked, this, [this] {
        if (const auto row = selected(*points_)) {
            run([this, row] { model_.DeletePoint(*row); });
        }
    });
    connect(point[3], &QPushButton::clicked, this, [this] { roomRatio(); });
    connect(process[0], &QPushButton::clicked, this, [this] { editProcess(std::nullopt); });
    connect(process[1], &QPushButton::clicked, this, [this] {
        if (const auto row = selected(*processes_)) {
            editProcess(row);
        }
    });
    connect(process[2], &QPushButton::clicked, this, [this] {
        if (const auto row = selected(*processes_)) {
            run([this, row] { model_.DeleteProcess(*row); });
        }
    });
    const auto unitsChanged = [this] {
        run([this] {
            model_.SetLoadUnits(
                {FlowUnitNamed(flowUnit_->currentText().toStdString())
                     .value_or(model_.loadUnits().flow),
                 kHeatUnits[static_cast<std::size_t>(heatUnit_->currentIndex())],
                 kWaterUnits[static_cast<std::size_t>(waterUnit_->currentIndex())]});
        });
    };
    for (QComboBox* list : {flowUnit_, heatUnit_, waterUnit_}) {
        connect(list, &QComboBox::activated, this, unitsChanged);
    }
    connect(&main, &AmbientWindow::redrawn, this, &ProcessesWindow::redraw);
    if (overlays_) {
        onChart_ = true;
        overlays_->setPointAction(
            models::kProcessesLayer,
            {"Add point to the process set", [this](chart::ChartPoint p) {
                 run([&] { model_.AddChartPoint(p.dryBulb, p.humidityRatio); });
             }});
    }
    resize(1100, 640);
    redraw();
}

ProcessesWindow::~ProcessesWindow() {
    leaveChart();
}

void ProcessesWindow::leaveChart() {
    // The lines belong to the set, which goes with the window. A window closed and waiting to be
    // deleted leaves alone what a new one has drawn since.
    if (overlays_ && onChart_) {
        overlays_->removePointAction(models::kProcessesLayer);
        overlays_->remove(models::kProcessesLayer);
    }
    onChart_ = false;
}

std::optional<std::size_t> ProcessesWindow::selected(const QTableWidget& table) const {
    const int row = table.currentRow();
    if (row < 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(row);
}

void ProcessesWindow::renamePoint() {
    const auto row = selected(*points_);
    if (!row) {
        return;
    }
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, QStringLiteral("Rename point"), QStringLiteral("Name:"),
                              QLineEdit::Normal, qs(model_.set().points()[*row].name), &ok);
    if (ok) {
        run([&] { model_.RenamePoint(*row, name.toStdString()); });
    }
}

void ProcessesWindow::editProcess(std::optional<std::size_t> row) {
    model_.MainWindowChanged();
    models::ProcessForm start = row ? model_.FormOf(*row) : models::ProcessForm{};
    ProcessDialog dialog(model_, start, this);
    while (dialog.exec() == QDialog::Accepted) {
        // A refused process keeps the dialog open with what was typed.
        const models::CommandOutcome outcome =
            row ? model_.ChangeProcess(*row, dialog.form()) : model_.AddProcess(dialog.form());
        if (outcome == models::CommandOutcome::Done) {
            break;
        }
    }
    redraw();
}

void ProcessesWindow::roomRatio() {
    model_.MainWindowChanged();
    models::RoomRatioForm start = lastRoomRatio_;
    if (const auto row = selected(*points_); row && *row < model_.set().points().size()) {
        start.room = model_.set().points()[*row].name;
    }
    start.supplyName.clear(); // a name is used once
    RoomRatioDialog dialog(model_, start, this);
    while (dialog.exec() == QDialog::Accepted) {
        const models::RoomRatioForm form = dialog.form();
        if ((dialog.choice() == RoomRatioDialog::Choice::DrawLine
                 ? model_.DrawRoomRatioLine(form)
                 : model_.AddSupplyOnLine(form)) == models::CommandOutcome::Done) {
            lastRoomRatio_ = form;
            break;
        }
    }
    redraw();
}

void ProcessesWindow::redraw() {
    model_.MainWindowChanged();
    const ProcessAmbient& a = model_.set().ambient();
    const ShownUnits shown = model_.shownUnits();
    const std::string where =
        a.pressureInput == PressureInput::Barometric
            ? "Barometric pressure " +
                  calculation::PressureText(a.pressure, shown.pressure).value_or("?") + " " +
                  shown.pressure
            : "Altitude " + calculation::AltitudeText(a.altitude, shown.altitude).value_or("?") +
                  " " + shown.altitude;
    ambient_->setText(
        qs(where + (a.formulation == SatFormulation::IAPWS ? ", saturation by IAPWS"
                                                           : ", saturation by Hyland-Wexler")));
    const tables::Table report = model_.reportTables();
    pointColumns_->show(*report.Find(processfile::kPointsSection));
    processColumns_->show(*report.Find(processfile::kProcessesSection));
    if (overlays_ && onChart_) {
        overlays_->set(models::kProcessesLayer, model_.overlay());
    }
    const LoadUnits& units = model_.loadUnits();
    flowUnit_->setCurrentText(qs(NameOf(units.flow)));
    heatUnit_->setCurrentText(qs(NameOf(units.heat)));
    waterUnit_->setCurrentText(qs(NameOf(units.water)));
    const std::string name = model_.fileName().empty() ? "Untitled" : model_.fileName();
    setWindowTitle(qs("Processes - " + name + (model_.modified() ? " *" : "")));
}

void ProcessesWindow::closeEvent(QCloseEvent* event) {
    if (model_.QueryClose() == models::Closing::StayOpen) {
        event->ignore();
        return;
    }
    leaveChart();
    event->accept();
}

namespace {
QPointer<ProcessesWindow> openWindow;
} // namespace

ProcessesWindow* showProcessesWindow(AmbientWindow& main, models::Platform& platform,
                                     ChartOverlays* overlays,
                                     const ReportTable::Settings& settings) {
    return ShowSecondaryWindow(
        openWindow, [&] { return new ProcessesWindow(main, platform, overlays, &main, settings); });
}

ProcessesWindow* openProcessesWindow() {
    return openWindow && openWindow->isVisible() ? openWindow.data() : nullptr;
}

} // namespace hygrovane::views
