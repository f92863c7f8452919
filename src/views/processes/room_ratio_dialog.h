#pragma once

#include "models/processes_model.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace hygrovane::views {

// The room ratio dialog ("Dialog_room_ratio"): a point of the set as the room, a sensible heat
// ratio, and the supply air's dry bulb or its difference below the room, typed in the main
// window's temperature unit, with the new point's name. It closes accepted on "Draw line" or
// "Add supply point"; choice() says which, and the processes window carries it out.
class RoomRatioDialog : public QDialog {
  public:
    enum class Choice { DrawLine, AddSupply };

    RoomRatioDialog(const models::ProcessesModel& model, const models::RoomRatioForm& start,
                    QWidget* parent = nullptr);

    models::RoomRatioForm form() const;
    Choice choice() const { return choice_; }

  private:
    QComboBox* room_ = nullptr;
    QLineEdit* ratio_ = nullptr;
    QComboBox* by_ = nullptr;
    QLineEdit* supply_ = nullptr;
    QLineEdit* name_ = nullptr;
    Choice choice_ = Choice::DrawLine;
};

} // namespace hygrovane::views
