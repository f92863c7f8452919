#pragma once

#include "models/processes_model.h"

#include <QDialog>

#include <map>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;

namespace hygrovane::views {

// The dialog of one process ("Dialog_process"): its kind, entering points and flows, and the
// parameters of the kind, typed in the main window's units.
class ProcessDialog : public QDialog {
  public:
    ProcessDialog(const models::ProcessesModel& model, const models::ProcessForm& start,
                  QWidget* parent = nullptr);

    models::ProcessForm form() const;

  private:
    void rebuild(const models::ProcessForm& shown);

    const models::ProcessesModel& model_;
    QComboBox* kind_ = nullptr;
    QFormLayout* rows_ = nullptr;
    std::vector<QComboBox*> inlets_;
    std::vector<QLineEdit*> flows_;
    std::vector<QComboBox*> flowUnits_;
    std::map<processes::Parameter, QLineEdit*> texts_;
    QComboBox* targetInput_ = nullptr;
    QLineEdit* targetHumidity_ = nullptr;
};

} // namespace hygrovane::views
