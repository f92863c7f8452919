#pragma once

#include "models/convertor_model.h"

#include <QWidget>

#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

namespace hygrovane::views {

// The Qt view of Form_unit_convertor: forwards the user's edits and picks to the handlers and
// redraws every control from the model afterwards.
class ConvertorWindow : public QWidget {
  public:
    explicit ConvertorWindow(QWidget* owner = nullptr);

    const models::ConvertorModel& model() const { return model_; }
    // Back to the load state, as a window made anew (the showing helper reuses the window).
    void reload();

  private:
    void redraw();

    models::ConvertorModel model_;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* Label3_ = nullptr;
    QComboBox* Combo1_ = nullptr;
    QLineEdit* Text1_ = nullptr;
    QLineEdit* Text2_ = nullptr;
    std::array<QComboBox*, models::kConvertorQuantities> Combo2_{};
    std::array<QComboBox*, models::kConvertorQuantities> Combo3_{};
};

// Shows the unit convertor without blocking; a window already open is brought to the front,
// otherwise it starts again from its load state. Closing only hides it.
ConvertorWindow* showUnitConvertor(QWidget* owner = nullptr);

} // namespace hygrovane::views
