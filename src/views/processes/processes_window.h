#pragma once

#include "models/chart_model.h"
#include "models/platform.h"
#include "models/processes_model.h"
#include "views/processes/report_table.h"
#include "views/report/report_dialog.h"
#include "views/report/report_document.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QTableWidget;

namespace hygrovane::views {

class AmbientWindow;
class ChartOverlays;

// The Qt view of the processes window Form_processes: the points and process tables and the
// commands, forwarded to ProcessesModel; every command redraws the tables. The set follows the
// main window's pressure, formulation and units after every redraw of the main window. While
// the window is open, the set is drawn on the chart (the overlay layer kProcessesLayer) and the
// chart's context menu offers to add the point right-clicked; both go when it closes, with the
// set.
class ProcessesWindow : public QWidget {
  public:
    // overlays may be null: then nothing is drawn on the chart. The tables' column choice is
    // kept in settings, when given.
    ProcessesWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
                    QWidget* owner = nullptr, const ReportTable::Settings& settings = {});
    ~ProcessesWindow() override;

    models::ProcessesModel& model() { return model_; }
    ReportTable& pointColumns() { return *pointColumns_; }
    ReportTable& processColumns() { return *processColumns_; }
    void redraw();

    // The design report of the set as it stands: the title block, the tables and the chart of
    // the processes at the main window's settings (valid until the next call).
    report::ReportContent reportContent(const report::ReportOptions& options);
    // The report as a PDF written to path (complete, or the old file left as it was); refused
    // with a message when it cannot be drawn or written.
    models::CommandOutcome writeReportPdf(const std::string& path,
                                          const report::ReportOptions& options);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    template <typename Handler> void run(Handler handler) {
        handler();
        redraw();
    }
    std::optional<std::size_t> selected(const QTableWidget& table) const;
    void editProcess(std::optional<std::size_t> row);
    void renamePoint();
    // "Room ratio line…": the dialog stays open on a refusal, with what was typed.
    void roomRatio();
    void leaveChart();
    // "Design report…" and "Print report…": the project and paper asked first, kept between runs.
    void designReportPdf();
    void printReport();

    models::ProcessesModel model_;
    AmbientWindow& main_;
    models::Platform& platform_;
    ReportTable::Settings settings_;
    std::unique_ptr<models::ChartModel> reportChart_; // what the last report's chart draws
    chart::Overlay reportOverlay_;
    QPointer<ChartOverlays> overlays_;
    bool onChart_ = false; // the chart's processes layer and command are this window's
    models::RoomRatioForm lastRoomRatio_{"", "0.75", models::SupplyBy::Difference, "10", ""};
    QLabel* ambient_ = nullptr;
    QTableWidget* points_ = nullptr;
    QTableWidget* processes_ = nullptr;
    ReportTable* pointColumns_ = nullptr; // owned by their tables
    ReportTable* processColumns_ = nullptr;
    QComboBox* heatUnit_ = nullptr;
    QComboBox* waterUnit_ = nullptr;
    QComboBox* flowUnit_ = nullptr;
};

// Shows the processes window without blocking; one already open is brought to the front.
ProcessesWindow* showProcessesWindow(AmbientWindow& main, models::Platform& platform,
                                     ChartOverlays* overlays = nullptr,
                                     const ReportTable::Settings& settings = {});
// The processes window while it is open; nullptr otherwise.
ProcessesWindow* openProcessesWindow();

} // namespace hygrovane::views
