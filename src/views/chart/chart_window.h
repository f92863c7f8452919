#pragma once

#include "chart/chart_preferences.h"
#include "models/chart_model.h"
#include "models/command_outcome.h"
#include "models/platform.h"
#include "views/chart/chart_painter.h"
#include "views/chart/chart_settings_store.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <optional>
#include <string>

class QAction;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QMenu;

namespace hygrovane::views {

class AmbientWindow;
class ChartCanvas;
class ChartOverlays;

// The chart window Form_chart: the main window's pressure, formulation and units drawn as a
// psychrometric chart, its state as a marked point that follows every redraw of the main window,
// the state under the mouse in the status line, a click or a drag that sets the main window's
// state, the range in fields, on the wheel, by panning and by a box, with undo; the families of
// lines shown, points marked by name, comfort zones, copying, export and printing. The range,
// the families and the marks are remembered between runs when a settings source is given.
// Closing it changes nothing in the main window.
class ChartWindow : public QWidget {
    Q_OBJECT

  public:
    // overlays may be null: then only the chart and the state point are drawn. Without a
    // settings source nothing is remembered.
    ChartWindow(AmbientWindow& main, models::Platform& platform, ChartOverlays* overlays,
                const ChartSettingsStore::Source& remembered = {}, QWidget* owner = nullptr);

    const models::ChartModel& model() const { return model_; }
    // Everything the window shows now, as export and print paint it.
    ChartScene scene() const;
    QWidget* canvas() const;
    // Where a point of the chart lies on the canvas.
    QPointF canvasPixel(chart::ChartPoint point) const;

    // The range chosen on the chart; none returns to the default of the main window's units.
    // The range left can be gone back to with undoRange().
    void chooseRange(const std::optional<chart::ChartRange>& range);
    // Back to the range before the last change; refused when there is none to go back to.
    models::CommandOutcome undoRange();
    void showComfortZones(bool shown);
    void showFamily(chart::Family family, bool shown);
    // The chart on the clipboard as a PNG and an SVG of the canvas's size.
    void copyToClipboard();

    // The marked points; a refusal is shown in the status line and changes nothing.
    const chart::MarkedPoints& marks() const { return model_.marks(); }
    models::CommandOutcome markPoint(chart::ChartPoint at, const std::string& name = {});
    models::CommandOutcome renameMark(std::size_t index, const std::string& name);
    models::CommandOutcome removeMark(std::size_t index);
    // Forgets the remembered settings and returns the chart to its defaults; asks first when
    // marked points would be lost.
    void resetSettings();
    // What is remembered of this window now.
    chart::ChartPreferences preferences() const;
    void showProtractor(bool shown);
    // Draws the chart as the psychrometric chart or the Mollier h–x diagram, and remembers it.
    void chooseProjection(chart::Projection projection);
    chart::Projection projection() const { return model_.projection(); }
    // The percentage-saturation lines beside the relative-humidity ones, remembered.
    void showPercentageSaturation(bool shown);
    // The h–x diagram's isotherms through the fog region, or that region left blank; remembered.
    void showFogIsotherms(bool shown);
    // Chooses a standard altitude chart by its place in the list (0 sea level, then 750, 1500
    // and 2250 m, or 2500, 5000 and 7500 ft in °F or °R): asks the main window for its altitude
    // through altitudeChartChosen.
    void chooseAltitudeChart(int position);

    // Write the chart as a file; a failure is shown in a message, refused, and leaves an
    // existing file as it was. The SVG has the canvas's size.
    models::CommandOutcome exportPng(const std::string& path, QSize size);
    models::CommandOutcome exportSvg(const std::string& path);
    models::CommandOutcome exportPdf(const std::string& path);

  signals:
    // A state was picked on the chart and the main window has taken it.
    void statePicked(double dryBulb, double humidityRatio);
    // A standard altitude chart was chosen: the main window is asked to take the altitude (m).
    void altitudeChartChosen(double altitude);

  private:
    void buildControls();
    void buildViewActions();
    // Shows the model's range; keep: written to the settings now (a pan is written once, when
    // it ends).
    void applyRange(bool keep = true);
    void panBy(QPointF from, QPointF to);
    void zoomToBox(QPointF corner, QPointF opposite);
    void applyPreferences(const chart::ChartPreferences& preferences);
    void remember();
    void marksChanged();
    void askRename(std::size_t index);
    // Fills a menu with the window's own commands for a point of the chart.
    void addViewCommands(QMenu& menu, std::optional<chart::ChartPoint> at, QPoint pixel);
    void follow();
    void hover(const std::optional<chart::ChartPoint>& point);
    // The readout under a mouse that stays where it is, read again after what it shows may have
    // changed (the range, the curves, the projection); a message in the status line stays.
    void rereadMouse();
    // A refusal shown in the status line, and its end when a later command of its kind succeeds.
    void refuse(const std::string& message);
    void clearRefusal();
    void pick(chart::ChartPoint point);
    // The commands other windows offer for a point, as a context menu; none without any.
    void offerPointActions(chart::ChartPoint point, QPoint at);
    // The range into the fields, when it or the units changed since they were filled (always:
    // in any case).
    void showRange(bool always = false);
    void readRange();
    void askExport(const char* suffix);
    void askPrint();
    models::CommandOutcome write(const std::string& path, const QByteArray& bytes);

    AmbientWindow& main_;
    models::Platform& platform_;
    QPointer<ChartOverlays> overlays_;
    models::ChartModel model_;
    QSize pngSize_{1920, 1080};

    ChartCanvas* canvas_ = nullptr;
    QDoubleSpinBox* dryBulbFrom_ = nullptr;
    QDoubleSpinBox* dryBulbTo_ = nullptr;
    QDoubleSpinBox* humidityRatioFrom_ = nullptr;
    QDoubleSpinBox* humidityRatioTo_ = nullptr;
    QLabel* dryBulbUnit_ = nullptr;
    QLabel* humidityRatioUnit_ = nullptr;
    QCheckBox* comfortBox_ = nullptr;
    QCheckBox* protractorBox_ = nullptr;
    QComboBox* altitudeCharts_ = nullptr;
    QLabel* status_ = nullptr;
    QString readout_; // the status line's text when the mouse last put it there
    QString refusal_; // the status line's text when a command last refused
    QPointer<QMenu> pointMenu_;

    ChartSettingsStore store_;
    QMenu* projectionMenu_ = nullptr;
    std::map<chart::Projection, QAction*> projectionActions_;
    QAction* percentageAction_ = nullptr;
    QAction* fogAction_ = nullptr;
    QAction* undoAction_ = nullptr;
    QAction* copyAction_ = nullptr;
    QAction* resetAction_ = nullptr;
    QMenu* linesMenu_ = nullptr;
    std::map<chart::Family, QAction*> familyActions_;
    chart::ChartSettings shownInFields_; // the units and range the fields show
};

// Shows the chart window without blocking; a window already open is brought to the front,
// otherwise a new one starts at the default range. It deletes itself when closed.
ChartWindow* showChartWindow(AmbientWindow& main, models::Platform& platform,
                             ChartOverlays* overlays = nullptr,
                             const ChartSettingsStore::Source& remembered = {});

} // namespace hygrovane::views
