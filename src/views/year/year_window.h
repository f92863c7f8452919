#pragma once

#include "models/platform.h"
#include "models/year_model.h"
#include "views/processes/report_table.h"
#include "views/report/report_dialog.h"
#include "views/report/report_document.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTimer;

namespace hygrovane::views {

class AmbientWindow;
class ChartOverlays;
class MonthlyBars;
class OptionBarsChart;
class YearCloudBar;

// The Qt view of the year page (Form_year): the climate window's weather through up to six
// air-handling units. The settings are typed in the main window's units; a changed setting runs
// the year again on a worker thread (the window stays usable, shows the progress and offers
// Cancel; a run overtaken by a change is stopped and dropped, and the figures of the last run
// stay shown until a new one ends). It shows the selected unit's year, months, bar charts and
// peaks, the units side by side with their differences to the first and their monthly totals as
// grouped bars, and sends a chosen hour to the processes window.
class YearWindow : public QWidget {
  public:
    // The tables' column choices are kept in settings, when given.
    YearWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
               QWidget* owner = nullptr, const ReportTable::Settings& settings = {});
    // A run still going is told to stop: nobody will read its figures.
    ~YearWindow() override;

    models::YearModel& model() { return model_; }
    // Takes the weather and runs.
    void setWeather(models::YearWeather weather);
    // Reads the form into the selected unit; runs again when it changed.
    models::CommandOutcome applyForm();
    // Starts a run of the units as they are; the previous run, if any, is dropped.
    void startRun();
    bool running() const { return job_ != nullptr; }
    // Stops the run: the figures of the run before stay shown, and the status says so.
    void cancelRun();
    void selectOption(int option);
    models::CommandOutcome openHour();
    // The date controls' hour (or a peak's, by its row of the peaks table) drawn on the chart as
    // its chain.
    models::CommandOutcome showHourOnChart();
    models::CommandOutcome showPeakOnChart(int peak);
    // The settings, the tables and the bar charts as a PDF; refused when it could not be written.
    models::CommandOutcome exportPdf(const std::string& path,
                                     const report::ReportOptions& options = {});
    // What the PDF shows: the tables as the window shows them, the bar charts as figures.
    report::ReportContent reportContent(const report::ReportOptions& options) const;

  private:
    void buildForm();
    void showForm();
    models::UnitForm formFromControls() const;
    void poll();
    void redraw();
    void showCloud();        // the model's overlay to the chart
    void followPickedHour(); // the date controls to the picked hour
    template <typename Command> void command(Command c) {
        if (c() == models::CommandOutcome::Done) {
            showForm();
            startRun();
        }
        redraw();
    }

    AmbientWindow& main_;
    models::Platform& platform_;
    QPointer<ChartOverlays> overlays_;
    models::YearModel model_;
    std::shared_ptr<models::YearJob> job_;
    QTimer* poll_ = nullptr;

    QComboBox* option_ = nullptr;
    QLineEdit* roomDryBulb_ = nullptr;
    QComboBox* roomHumidityKind_ = nullptr;
    QLineEdit* roomHumidity_ = nullptr;
    QLineEdit* supplyDryBulb_ = nullptr;
    QLineEdit* maxDewPoint_ = nullptr;
    QLineEdit* minDewPoint_ = nullptr;
    QLineEdit* flow_ = nullptr;
    QComboBox* flowUnit_ = nullptr;
    QLineEdit* minOutdoor_ = nullptr;
    QComboBox* economizer_ = nullptr;
    QLineEdit* economizerLimit_ = nullptr;
    QCheckBox* recovery_ = nullptr;
    QLineEdit* sensible_ = nullptr;
    QLineEdit* latent_ = nullptr;
    QLineEdit* coil_ = nullptr;
    QLineEdit* steam_ = nullptr;
    std::vector<QLabel*> temperatureUnits_;
    QProgressBar* progress_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QLabel* status_ = nullptr;
    QTableWidget* annual_ = nullptr;
    QTableWidget* monthly_ = nullptr;
    QTableWidget* peaks_ = nullptr;
    ReportTable* annualColumns_ = nullptr;
    ReportTable* monthlyColumns_ = nullptr;
    ReportTable* peaksColumns_ = nullptr;
    MonthlyBars* bars_ = nullptr;
    QComboBox* compared_ = nullptr;
    OptionBarsChart* optionBars_ = nullptr;
    QSpinBox* month_ = nullptr;
    QSpinBox* day_ = nullptr;
    QSpinBox* hour_ = nullptr;
    YearCloudBar* cloud_ = nullptr;
};

// Shows the year page on the climate window's weather (none open: without weather), without
// blocking; one already open is brought to the front and takes the weather.
YearWindow* showYearWindow(AmbientWindow& main, models::Platform& platform,
                           ChartOverlays* overlays = nullptr,
                           const ReportTable::Settings& settings = {});
// Hooks the Climate and Processes windows' "Year…" buttons to the year page.
void ConnectYearWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
                       const ReportTable::Settings& settings = {});

} // namespace hygrovane::views
