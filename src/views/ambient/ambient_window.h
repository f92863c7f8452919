#pragma once

#include "models/ambient_model.h"
#include "models/calculator/ambient_form.h"
#include "models/platform.h"

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

namespace hygrovane::views {

// The Qt window Form_ambient: draws the control model of AmbientModel and forwards only the
// user's own actions to its handlers, redrawing after each. Controls stand at fixed design
// positions; nothing is laid out.
class AmbientWindow : public QMainWindow {
    Q_OBJECT

  public:
    explicit AmbientWindow(models::Platform& platform, QWidget* parent = nullptr);

    models::AmbientModel& model() { return model_; }
    // Runs Form_Load (set the hooks of model() first) and draws the result.
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

    models::AmbientModel model_;
    std::array<QLineEdit*, 16> texts_{};
    std::array<QLabel*, 33> labels_{};
    std::array<QComboBox*, 16> combos_{};
    std::array<QRadioButton*, 10> options_{};
    QListWidget* list_ = nullptr;
    std::map<std::string, QAction*> actions_;
    AmbientForm drawn_; // the model as last drawn
    bool drawnOnce_ = false;
    bool ending_ = false;
};

// Where the user's guide is looked for, in this order: the program's folder, the documentation
// folder of an installation (<prefix>/share/doc/hygrovane beside <prefix>/bin), the working
// directory.
std::vector<std::filesystem::path> UsersGuideFolders();

} // namespace hygrovane::views
