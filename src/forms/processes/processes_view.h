#pragma once

#include "calculator/form_ambient.h"
#include "windows/platform.h"
#include "windows/process_window.h"

#include <QWidget>

#include <optional>

class QComboBox;
class QLabel;
class QTableWidget;

namespace hygrovane::forms {

// The Qt view of the processes window Form_processes: the points and process tables and the
// commands, forwarded to ProcessWindow; every command redraws the tables. The set follows the
// main window's pressure and formulation whenever this window is activated or a command runs.
class ProcessesView : public QWidget {
  public:
    ProcessesView(Platform& platform, const FormAmbient& main, QWidget* owner = nullptr);

    ProcessWindow& model() { return model_; }
    void redraw();

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    template <typename Handler> void run(Handler handler) {
        handler();
        redraw();
    }
    std::optional<std::size_t> selected(const QTableWidget& table) const;
    void editProcess(std::optional<std::size_t> row);
    void renamePoint();

    const FormAmbient& main_;
    ProcessWindow model_;
    QLabel* ambient_ = nullptr;
    QTableWidget* points_ = nullptr;
    QTableWidget* processes_ = nullptr;
    QComboBox* heatUnit_ = nullptr;
    QComboBox* waterUnit_ = nullptr;
    QComboBox* flowUnit_ = nullptr;
};

// Shows the processes window without blocking; one already open is brought to the front.
ProcessesView* showProcessesWindow(Platform& platform, const FormAmbient& main,
                                   QWidget* owner = nullptr);
// The processes window while it is open; nullptr otherwise.
ProcessesView* openProcessesWindow();

} // namespace hygrovane::forms
