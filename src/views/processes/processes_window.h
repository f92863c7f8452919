#pragma once

#include "models/platform.h"
#include "models/processes_model.h"
#include "views/processes/report_table.h"

#include <QPointer>
#include <QWidget>

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

    models::ProcessesModel model_;
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
