#include "views/chart/chart_canvas.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace hygrovane::views {

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

ChartLayout ChartCanvas::layout() const {
    return LayoutChart(QRectF(rect()), handlers_.scene().projection);
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

void ChartCanvas::hoverAgain() {
    handlers_.hovered(mouse_ ? pointAt(*mouse_) : std::nullopt);
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
    const Drawn now{scene.model,         scene.model->computations(), size(),
                    devicePixelRatioF(), scene.comfortZones,          scene.protractor,
                    scene.projection,    scene.fogIsotherms,          scene.title.heading,
                    scene.title.air,     scene.title.formulation};
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
    // A press where no move was seen (a touch, a tablet) reads the point pressed, not the last
    // one hovered.
    mouse_ = event->position();
    handlers_.hovered(pointAt(event->position()));
    if (drag_ != Drag::None) {
        return; // a second button during a drag changes nothing
    }
    const Qt::KeyboardModifiers keys = event->modifiers();
    const bool left = event->button() == Qt::LeftButton;
    // A pan or a box starts only on the plot, as a pick does.
    if (!pointAt(event->position())) {
        return;
    }
    if (event->button() == Qt::MiddleButton ||
        (left && ((keys & Qt::ShiftModifier) || spaceHeld_) && handlers_.panned)) {
        drag_ = Drag::Pan;
        dragFrom_ = event->position();
        setCursor(Qt::ClosedHandCursor);
        if (handlers_.panStarted) {
            handlers_.panStarted();
        }
        return;
    }
    if (left && (keys & Qt::ControlModifier) && handlers_.boxed) {
        drag_ = Drag::Box;
        dragFrom_ = event->position();
        if (!band_) {
            band_ = new QRubberBand(QRubberBand::Rectangle, this);
            band_->setObjectName(QStringLiteral("zoomBox"));
        }
        band_->setGeometry(QRect(dragFrom_.toPoint(), QSize()));
        band_->show();
        return;
    }
    if (left) {
        handlers_.picked(*pointAt(event->position()));
    }
}

void ChartCanvas::mouseMoveEvent(QMouseEvent* event) {
    mouse_ = event->position();
    const auto point = pointAt(event->position());
    handlers_.hovered(point);
    if (drag_ == Drag::Pan) {
        handlers_.panned(dragFrom_, event->position());
    } else if (drag_ == Drag::Box) {
        band_->setGeometry(QRect(dragFrom_.toPoint(), event->position().toPoint()).normalized());
    } else if (point && (event->buttons() & Qt::LeftButton)) {
        handlers_.picked(*point);
    }
}

void ChartCanvas::mouseReleaseEvent(QMouseEvent* event) {
    // The drag ends with the button that began it: the middle one for a pan begun with it.
    const bool middle = event->button() == Qt::MiddleButton;
    if ((drag_ == Drag::Pan && (middle || event->button() == Qt::LeftButton)) ||
        (drag_ == Drag::Box && event->button() == Qt::LeftButton)) {
        const Drag ended = drag_;
        const QPointF from = dragFrom_;
        endDrag();
        if (ended == Drag::Pan) {
            handlers_.panned(from, event->position());
            if (handlers_.panEnded) {
                handlers_.panEnded();
            }
        } else {
            handlers_.boxed(from, event->position());
        }
    }
}

void ChartCanvas::endDrag() {
    drag_ = Drag::None;
    if (band_) {
        band_->hide();
    }
    setCursor(Qt::CrossCursor);
}

void ChartCanvas::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        spaceHeld_ = true;
        event->accept();
        return;
    }
    // Escape abandons a box being drawn; a pan stays where it has got to.
    if (event->key() == Qt::Key_Escape && drag_ == Drag::Box) {
        endDrag();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ChartCanvas::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space && !event->isAutoRepeat()) {
        spaceHeld_ = false;
        event->accept();
        return;
    }
    QWidget::keyReleaseEvent(event);
}

void ChartCanvas::focusOutEvent(QFocusEvent* event) {
    // A Space released in another window is never seen here.
    spaceHeld_ = false;
    QWidget::focusOutEvent(event);
}

void ChartCanvas::leaveEvent(QEvent*) {
    mouse_.reset();
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

} // namespace hygrovane::views
