#include "forms/chart/chart_canvas.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace hygrovane::forms {

namespace {

// A step of the wheel narrows the range to this share.
constexpr double kZoomPerStep = 0.85;
// One event turns the range by at most this many steps (0.85^10, about a fifth): a device or a
// program may send any delta, and 0.85 to the power of thousands of steps is no zoom.
constexpr double kMostStepsPerEvent = 10;

} // namespace

ChartCanvas::ChartCanvas(Handlers handlers, QWidget* parent)
    : QWidget(parent), handlers_(std::move(handlers)) {
    setObjectName(QStringLiteral("chartCanvas"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
}

QPointF ChartCanvas::pixelOf(chart::ChartPoint point) const {
    const ChartScene scene = handlers_.scene();
    const chart::PixelPoint p = MappingOf(layout(), scene.model->range()).toPixel(point);
    return {p.x, p.y};
}

void ChartCanvas::updateStateMark(const std::optional<chart::ChartPoint>& point,
                                  const std::string& note) {
    ChartScene scene = handlers_.scene();
    const ChartLayout chartLayout = layout();
    QRegion region = StateMarkRegion(chartLayout, scene);
    scene.statePoint = point;
    scene.note = note;
    update(region + StateMarkRegion(chartLayout, scene));
}

std::optional<chart::ChartPoint> ChartCanvas::pointAt(QPointF pixel) const {
    const ChartScene scene = handlers_.scene();
    const chart::ChartMapping mapping = MappingOf(layout(), scene.model->range());
    const chart::PixelPoint p{pixel.x(), pixel.y()};
    if (!mapping.plot().contains(p)) {
        return std::nullopt;
    }
    return mapping.toChart(p);
}

void ChartCanvas::paintEvent(QPaintEvent*) {
    const ChartScene scene = handlers_.scene();
    const ChartLayout chartLayout = layout();
    const Drawn now{scene.model,
                    scene.model->computations(),
                    size(),
                    devicePixelRatioF(),
                    scene.comfortZones,
                    scene.protractor,
                    scene.title.heading,
                    scene.title.air,
                    scene.title.formulation};
    if (background_.isNull() || !(now == drawn_)) {
        background_ = QPixmap(size() * now.ratio);
        background_.setDevicePixelRatio(now.ratio);
        background_.fill(Qt::white);
        QPainter painter(&background_);
        PaintChartBackground(painter, chartLayout, scene);
        drawn_ = now;
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
    PaintChartForeground(painter, chartLayout, scene);
}

void ChartCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const auto point = pointAt(event->position())) {
            handlers_.picked(*point);
        }
    }
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event) {
    const auto point = pointAt(event->position());
    handlers_.hovered(point);
    if (point && (event->buttons() & Qt::LeftButton)) {
        handlers_.picked(*point);
    }
}

void ChartCanvas::leaveEvent(QEvent*) {
    handlers_.hovered(std::nullopt);
}

void ChartCanvas::wheelEvent(QWheelEvent* event) {
    const double steps =
        std::clamp(event->angleDelta().y() / 120.0, -kMostStepsPerEvent, kMostStepsPerEvent);
    const auto point = pointAt(event->position());
    if (steps == 0 || !point) {
        event->ignore();
        return;
    }
    handlers_.zoomed(*point, std::pow(kZoomPerStep, steps));
    event->accept();
}

void ChartCanvas::contextMenuEvent(QContextMenuEvent* event) {
    const auto point = pointAt(event->pos());
    if (!point || !handlers_.menuAsked) {
        event->ignore();
        return;
    }
    handlers_.menuAsked(*point, event->globalPos());
    event->accept();
}

} // namespace hygrovane::forms
