#pragma once

#include "models/saturation_model.h"

#include <QWidget>

class QComboBox;
class QLabel;
class QLineEdit;

namespace hygrovane::views {

// The Qt view of Form_saturation: forwards the user's edits and picks to the handlers and
// redraws every control from the model afterwards.
class SaturationWindow : public QWidget {
  public:
    explicit SaturationWindow(QWidget* owner = nullptr);

    const models::SaturationModel& model() const { return model_; }
    // Back to the load state, as a window made anew (the showing helper reuses the window).
    void reload();

  private:
    void redraw();

    models::SaturationModel model_;
    QLabel* labels_[7] = {};
    QComboBox* Combo1_ = nullptr;
    QComboBox* Combo2_ = nullptr;
    QComboBox* Combo3_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    QLineEdit* Text3_ = nullptr;
};

// Shows the saturation window without blocking; a window already open is brought to the front,
// otherwise it starts again from its load state. Closing only hides it.
SaturationWindow* showSaturationWindow(QWidget* owner = nullptr);

} // namespace hygrovane::views
