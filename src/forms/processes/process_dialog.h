#pragma once

#include "windows/process_window.h"

#include <QDialog>

#include <map>
#include <vector>

class QComboBox;
class QFormLayout;
class QLineEdit;

namespace hygrovane::forms {

// The dialog of one process ("Dialog_process"): its kind, entering points and flows, and the
// parameters of the kind, typed in the main window's units.
class ProcessDialog : public QDialog {
  public:
    ProcessDialog(const windows::ProcessWindow& model, const windows::ProcessForm& start,
                  QWidget* parent = nullptr);

    windows::ProcessForm form() const;

  private:
    void rebuild(const windows::ProcessForm& shown);

    const windows::ProcessWindow& model_;
    QComboBox* kind_ = nullptr;
    QFormLayout* rows_ = nullptr;
    std::vector<QComboBox*> inlets_;
    std::vector<QLineEdit*> flows_;
    std::vector<QComboBox*> flowUnits_;
    std::map<processes::Parameter, QLineEdit*> texts_;
    QComboBox* targetInput_ = nullptr;
    QLineEdit* targetHumidity_ = nullptr;
};

} // namespace hygrovane::forms
