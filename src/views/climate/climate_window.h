#pragma once

#include "models/climate_model.h"
#include "models/platform.h"
#include "views/report/report_dialog.h"
#include "views/report/report_document.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLayout;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace hygrovane::views {

class AmbientWindow;
class ChartOverlays;
class EnvelopeChooser;
class ChartWindow;

// The overlay layer, hover text and chart commands of the climate window.
inline constexpr const char* kClimateLayer = "climate";

// The Qt view of the climate window: a weather file opened on a worker thread (with progress and
// Cancel, which abandons a worker stuck in a read rather than waiting for it), its hours drawn on
// the chart as points or bins under the filter chosen here, and the figures beside them. The
// chart's readout names the bin under the mouse, and its context menu sends a bin to the main
// window or the processes window. Everything leaves the chart when the window closes.
class ClimateWindow : public QWidget {
    Q_OBJECT

  public:
    // overlays may be null: then nothing is drawn on the chart.
    ClimateWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
                  QWidget* owner = nullptr);
    ~ClimateWindow() override;

    models::ClimateModel& model() { return model_; }
    // What the worker runs; tests put a reader that blocks in its place.
    using Reader = std::function<Expected<models::LoadedClimate, models::ClimateLoadFailure>(
        const std::string&, const climateanalysis::ClimateSettings&, models::LoadControl*)>;
    Reader reader = models::LoadClimate;
    // Starts reading a file on a worker thread; the window stays usable meanwhile. A load still
    // running is cancelled first.
    void open(const std::string& path);
    // Whether a file is being read.
    bool loading() const { return job_ != nullptr; }
    // Ends the load at once, as cancelled (loadFinished follows from the event loop); the worker
    // is left to end by itself and its result is dropped.
    void cancelLoading();
    // Read the controls into the model and redraw the chart and the figures: the settings that
    // judge the file again (humidity, comfort, strategies, user zones), the filter, the display.
    void applySettings();
    void applyFilter();
    void applyDisplay();
    // Writes the figures as CSV; refused (with a message) when the file could not be written.
    models::CommandOutcome exportFigures(const std::string& path);
    // Sends the figures table's row (a design condition) on; refused when it has no state.
    models::CommandOutcome sendRowToMainWindow(int row);
    models::CommandOutcome sendRowToProcesses(int row);
    QTableWidget* figuresTable() const { return figures_; }
    // The envelopes to draw and count (views/climate/envelope_chooser.h).
    EnvelopeChooser* envelopeChooser() const { return envelopeChooser_; }
    // The design report of the figures: the file's place, pressure and units, the figures and
    // design conditions, and the chart when its window is open.
    report::ReportContent reportContent(const report::ReportOptions& options) const;
    // The report as a PDF; refused with a message before a file is open or when it cannot be
    // written.
    models::CommandOutcome writeReportPdf(const std::string& path,
                                          const report::ReportOptions& options);

  signals:
    // A load ended: taken, refused (the message was shown) or cancelled.
    void loadFinished(bool taken);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    // Shows why there is no report before a file is open.
    bool reportable();
    void designReportPdf();
    void printReport();
    QLayout* buildComfortControls();
    struct Job;
    void poll();
    void finishLoading(bool cancelled);
    // Widens the chart's range to hold the hours the filter keeps.
    void fitChart(ChartWindow* chart);
    void redraw();
    void leaveChart();
    climate::Filter filterFromControls() const;
    models::ClimateDisplay displayFromControls() const;

    AmbientWindow& main_;
    models::Platform& platform_;
    QPointer<ChartOverlays> overlays_;
    models::ClimateModel model_;

    // Shared with the worker, which may outlive the window: it touches nothing else.
    std::shared_ptr<Job> job_;
    QTimer* poll_ = nullptr;

    QLabel* summary_ = nullptr;
    QLabel* humidityNote_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QComboBox* humidity_ = nullptr;
    QComboBox* marks_ = nullptr;
    QComboBox* binAxis_ = nullptr;
    QComboBox* binUnits_ = nullptr;
    QComboBox* colourBy_ = nullptr;
    QSpinBox* firstMonth_ = nullptr;
    QSpinBox* lastMonth_ = nullptr;
    QSpinBox* fromHour_ = nullptr;
    QSpinBox* toHour_ = nullptr;
    QCheckBox* occupied_ = nullptr;
    std::array<QCheckBox*, 7> days_{};
    QSpinBox* occupiedFrom_ = nullptr;
    QSpinBox* occupiedTo_ = nullptr;
    QComboBox* rangeOf_ = nullptr;
    QDoubleSpinBox* rangeMin_ = nullptr;
    QDoubleSpinBox* rangeMax_ = nullptr;
    QComboBox* comfortModel_ = nullptr;
    QDoubleSpinBox* metabolic_ = nullptr;
    QDoubleSpinBox* clothing_ = nullptr;
    QDoubleSpinBox* airSpeed_ = nullptr;
    QDoubleSpinBox* radiantOffset_ = nullptr;
    QCheckBox* usePpd_ = nullptr;
    QDoubleSpinBox* ppd_ = nullptr;
    QComboBox* adaptiveClass_ = nullptr;
    QListWidget* strategies_ = nullptr;
    std::array<QDoubleSpinBox*, 4> band_{}; // the strategies' band: °C low, high; g/kg low, high
    QPlainTextEdit* userZones_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* notes_ = nullptr;
    bool prompting_ = false; // the status line asks for a row to be chosen
    QTableWidget* figures_ = nullptr;
    EnvelopeChooser* envelopeChooser_ = nullptr;
    std::vector<models::FigureRow> shownRows_;
};

// The climate window while it is open; nullptr otherwise.
ClimateWindow* openClimateWindow();
// Shows the climate window without blocking; one already open is brought to the front.
ClimateWindow* showClimateWindow(AmbientWindow& main, models::Platform& platform,
                                 ChartOverlays* overlays = nullptr);

} // namespace hygrovane::views
