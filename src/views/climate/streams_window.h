#pragma once

#include "models/command_outcome.h"
#include "models/platform.h"
#include "models/streams_model.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QLabel;
class QSettings;
class QTableWidget;

namespace hygrovane::views {

class ChartOverlays;
class ReportTable;

// The overlay layer and hover text of the measured streams.
inline constexpr const char* kStreamsLayer = "streams";

// The measured streams of an air-handling unit, reached from the Climate window: the column
// mapping (StreamsDialog), the judged figures as report tables, their CSV and JSON, and the
// streams on the chart as time-coloured marks whose hover names the time, the stream and its
// state. The mapping is kept between runs; everything leaves the chart when the window closes.
class StreamsWindow : public QWidget {
    Q_OBJECT

  public:
    using Settings = std::function<std::unique_ptr<QSettings>()>;
    // overlays may be null: then nothing is drawn on the chart. Without settings nothing is
    // read or kept.
    StreamsWindow(models::Platform& platform, ChartOverlays* overlays, Settings settings,
                  QWidget* owner = nullptr);
    ~StreamsWindow() override;

    models::StreamsModel& model() { return model_; }
    // The mapping dialog, not yet shown (a test fills it and applies it).
    class StreamsDialog* mappingDialog();
    // Shows the figures and the marks of the model's last judgement, and keeps its setup.
    void redraw();
    models::CommandOutcome exportCsv(const std::string& path);
    models::CommandOutcome exportJson(const std::string& path);
    QTableWidget* table(const std::string& section) const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void build();
    void leaveChart();
    models::CommandOutcome write(const std::string& path, const std::string& bytes,
                                 const char* what);

    models::Platform& platform_;
    QPointer<ChartOverlays> overlays_;
    Settings settings_;
    models::StreamsModel model_;
    QPointer<class StreamsDialog> dialog_;
    QLabel* status_ = nullptr;
    static constexpr std::size_t kSections = 4;
    std::array<QLabel*, kSections> titles_{};
    std::array<QTableWidget*, kSections> tables_{};
    std::array<ReportTable*, kSections> shown_{}; // owned by their tables
    std::array<QLabel*, kSections> notes_{};
};

// Shows the measured-streams window without blocking; one already open is brought to the front.
StreamsWindow* showStreamsWindow(models::Platform& platform, ChartOverlays* overlays,
                                 QWidget* owner = nullptr);
// The settings the window keeps its mapping in: the user's, unless a test put others.
StreamsWindow::Settings& StreamsSettings();

} // namespace hygrovane::views
