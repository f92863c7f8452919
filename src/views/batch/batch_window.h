#pragma once

#include "models/batch_model.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QSpinBox;
class QPushButton;
class QTableWidget;
class QTimer;

namespace hygrovane::views {

// The Qt view of the Batch Convert dialog, Form_batch: the file and its first rows, the columns
// and units to read, the output, and a conversion with a progress bar and a Cancel button. The
// conversion runs on a thread of BatchModel; a timer brings its progress in.
class BatchWindow : public QDialog {
  public:
    BatchWindow(models::Platform& platform, QWidget* owner = nullptr);

    models::BatchModel& model() { return model_; }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    // The parts of the window, top to bottom, and the handlers of their controls.
    QHBoxLayout* makeFileRow(QPushButton*& browseInput);
    QGroupBox* makeColumnsBox();
    QGroupBox* makeOutputBox(QPushButton*& browseOutput);
    QHBoxLayout* makeRunRow();
    std::function<void()> act(std::function<void()> handler);
    void connectFiles(QPushButton* browseInput, QPushButton* browseOutput);
    void connectChoices();
    void redraw();
    void fillColumnLists();
    void fillUnitList(QComboBox& list, batch::Role role, HumidityInput input,
                      const std::string& unit);
    void readChoices();
    void poll();

    models::BatchModel model_;
    QLineEdit* input_ = nullptr;
    QSpinBox* headerLine_ = nullptr;
    QTableWidget* preview_ = nullptr;
    QComboBox* dryBulbColumn_ = nullptr;
    QComboBox* dryBulbUnit_ = nullptr;
    QComboBox* humidityKind_ = nullptr;
    QComboBox* humidityColumn_ = nullptr;
    QComboBox* humidityUnit_ = nullptr;
    QComboBox* pressureKind_ = nullptr;
    QComboBox* pressureColumn_ = nullptr;
    QLineEdit* pressureValue_ = nullptr;
    QComboBox* pressureUnit_ = nullptr;
    QComboBox* units_ = nullptr;
    QComboBox* formulation_ = nullptr;
    QComboBox* digits_ = nullptr;
    QCheckBox* composition_ = nullptr;
    QLineEdit* output_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* message_ = nullptr;
    QTimer* timer_ = nullptr;
    bool drawing_ = false;
};

// Shows the dialog without blocking; an open one is brought to the front.
BatchWindow* showBatchWindow(models::Platform& platform, QWidget* owner = nullptr);

} // namespace hygrovane::views
