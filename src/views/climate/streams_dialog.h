#pragma once

#include "models/command_outcome.h"
#include "models/platform.h"
#include "models/streams_model.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QListWidget;
class QSpinBox;

namespace hygrovane::views {

// The column mapping of the measured streams: logger files opened, and for each of the unit's
// streams its file, its dry-bulb column, its humidity column with the quantity it holds, an
// optional pressure column, each with its unit; the alignment, the frozen-sensor count, the
// coil's air flow and the fault limits. OK reads and judges the streams; a mapping the reader
// refuses is named in a message and the dialog stays open.
class StreamsDialog : public QDialog {
    Q_OBJECT

  public:
    StreamsDialog(models::StreamsModel& model, models::Platform& platform,
                  QWidget* parent = nullptr);

    // Opens a logger file beside the others; refused with a message when it cannot be read.
    models::CommandOutcome addFile(const std::string& path);
    // The controls' setup, and the controls set from one.
    models::StreamsSetup setup() const;
    void showSetup(const models::StreamsSetup& setup);
    // Reads and judges the streams as mapped; Done closes the dialog as accepted.
    models::CommandOutcome apply();

  private:
    struct StreamRow {
        QCheckBox* used = nullptr;
        QComboBox* file = nullptr;
        QComboBox* dryBulb = nullptr;
        QComboBox* dryBulbUnit = nullptr;
        QComboBox* humidityInput = nullptr;
        QComboBox* humidity = nullptr;
        QComboBox* humidityUnit = nullptr;
        QComboBox* pressure = nullptr;
        QComboBox* pressureUnit = nullptr;
    };
    void build();
    void fillFiles();
    void fillColumns(std::size_t stream);
    void fillUnits(std::size_t stream);
    // The unit the chosen column's header names, when it names one of the list.
    void takeHeaderUnits(std::size_t stream);

    models::StreamsModel& model_;
    models::Platform& platform_;
    QListWidget* files_ = nullptr;
    std::array<StreamRow, streams::kStreamCount> rows_{};
    QComboBox* alignment_ = nullptr;
    QDoubleSpinBox* tolerance_ = nullptr;
    QSpinBox* frozen_ = nullptr;
    QCheckBox* flowOn_ = nullptr;
    QDoubleSpinBox* flow_ = nullptr;
    QDoubleSpinBox* fractionTolerance_ = nullptr;
    QDoubleSpinBox* dryBulbTolerance_ = nullptr;
    QDoubleSpinBox* supplyRise_ = nullptr;
    QCheckBox* heats_ = nullptr;
    bool filling_ = false; // controls being set from a setup: no unit follows a header
};

} // namespace hygrovane::views
