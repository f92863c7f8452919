#pragma once

#include "views/chart/chart_painter.h"

#include <QPixmap>
#include <QPointer>
#include <QRubberBand>
#include <QWidget>

#include <functional>
#include <optional>

namespace hygrovane::views {

// The chart's drawing surface: paints the scene it is given, keeping the part that changes only
// with the settings as a picture, and reports the mouse in chart coordinates.
class ChartCanvas : public QWidget {
  public:
    struct Handlers {
        std::function<ChartScene()> scene;
        // Over the plot (none: the mouse left it).
        std::function<void(std::optional<chart::ChartPoint>)> hovered;
        // Pressed or dragged with the left button over the plot.
        std::function<void(chart::ChartPoint)> picked;
        // The wheel turned over the plot: below 1 zooms in.
        std::function<void(chart::ChartPoint, double factor)> zoomed;
        // A context menu asked for over the plot, at a global position.
        std::function<void(chart::ChartPoint, QPoint)> menuAsked;
        // A pan began (the middle button, or the left one with Shift or Space held) and the
        // mouse moved from the pixel it began at to another.
        std::function<void()> panStarted;
        std::function<void(QPointF from, QPointF to)> panned;
        // The button that began the pan was released (after a last panned).
        std::function<void()> panEnded;
        // A box was drawn with Ctrl and the left button, between two pixels.
        std::function<void(QPointF corner, QPointF opposite)> boxed;
    };

    ChartCanvas(Handlers handlers, QWidget* parent);

    ChartLayout layout() const;
    // Where a point of the chart lies on the canvas, in its present range.
    QPointF pixelOf(chart::ChartPoint point) const;
    // Repaints only where the state point and the note were and are, after nothing else
    // changed: a keystroke in the main window then costs a few small areas, not the chart.
    void updateStateMark(const std::optional<chart::ChartPoint>& point, const std::string& note);
    // Reports the point under a mouse that has not moved through hovered again: after the range,
    // the projection or the curves changed, it is another point or another state.
    void hoverAgain();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    std::optional<chart::ChartPoint> pointAt(QPointF pixel) const;

    // What the kept picture of the background was drawn for.
    struct Drawn {
        const chart::Chart* model = nullptr;
        int computations = -1;
        QSize size;
        qreal ratio = 0;
        bool comfortZones = false;
        bool protractor = false;
        chart::Projection projection = chart::Projection::Psychrometric;
        bool fogIsotherms = true;
        std::string heading, air, formulation;

        bool operator==(const Drawn&) const = default;
    };

    // What the held button does until it is released.
    enum class Drag { None, Pan, Box };
    void endDrag();

    Handlers handlers_;
    std::optional<QPointF> mouse_; // where the mouse was last seen over the canvas
    Drag drag_ = Drag::None;
    QPointF dragFrom_;
    bool spaceHeld_ = false;
    QPointer<QRubberBand> band_;
    QPixmap background_;
    Drawn drawn_;
};

} // namespace hygrovane::views
