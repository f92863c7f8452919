#pragma once

#include "windows/ambient_window.h"
#include "windows/calculator/form_ambient.h"
#include "windows/platform.h"

#include <QMainWindow>

#include <array>
#include <map>
#include <string>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;

namespace hygrovane::forms {

// The Qt window Form_ambient: draws the control model of AmbientWindow and forwards only the
// user's own actions to its handlers, redrawing after each. Controls stand at fixed design
// positions; nothing is laid out.
class AmbientView : public QMainWindow {
    Q_OBJECT

  public:
    explicit AmbientView(windows::Platform& platform, QWidget* parent = nullptr);

    windows::AmbientWindow& handlers() { return window_; }
    // Runs Form_Load (set the hooks of handlers() first) and draws the result.
    void load();
    // Brings every control in line with the model, touching only what changed.
    void redraw();

  signals:
    // After every redraw: windows that show the main window's state follow it from here.
    void redrawn();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    template <typename Handler> void run(Handler handler) {
        handler();
        redraw();
    }
    void redrawTexts(bool all);
    void redrawLabels(bool all);
    void redrawChoices();
    void redrawList(bool all);
    void applyFocusRequest();

    windows::AmbientWindow window_;
    std::array<QLineEdit*, 16> texts_{};
    std::array<QLabel*, 33> labels_{};
    std::array<QComboBox*, 16> combos_{};
    std::array<QRadioButton*, 10> options_{};
    QListWidget* list_ = nullptr;
    std::map<std::string, QAction*> actions_;
    FormAmbient drawn_; // the model as last drawn
    bool drawnOnce_ = false;
    bool ending_ = false;
};

// Where the user's guide is looked for, in this order: the program's folder, the documentation
// folder of an installation (<prefix>/share/doc/hygrovane beside <prefix>/bin), the working
// directory.
std::vector<std::filesystem::path> UsersGuideFolders();

} // namespace hygrovane::forms
