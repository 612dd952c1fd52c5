#include "ui/views/map/map_canvas.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ui/views/map/map_scene.h"

namespace tw {
namespace {

constexpr double kZoomStep = 1.25;
constexpr double kLeastZoom = 0.05;
constexpr double kMostZoom = 4;

}  // namespace

MapCanvas::MapCanvas(MapScene& scene, QWidget* parent)
    : QGraphicsView(&scene, parent), scene_(scene) {
    setDragMode(QGraphicsView::ScrollHandDrag);
    setRenderHint(QPainter::Antialiasing);
    setTransformationAnchor(QGraphicsView::AnchorUnderMouse);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName("Map drawing");
    viewport()->setAccessibleName("Map drawing");  // the view hands its viewport the focus too
}

double MapCanvas::Zoom() const {
    return transform().m11();
}

void MapCanvas::ZoomBy(double factor) {
    const double zoom = std::clamp(Zoom() * factor, kLeastZoom, kMostZoom);
    scale(zoom / Zoom(), zoom / Zoom());
}

// The whole drawing in view, never larger than its own size.
void MapCanvas::Fit() {
    fitInView(sceneRect(), Qt::KeepAspectRatio);
    if (Zoom() > 1) {
        ZoomBy(1 / Zoom());
    }
}

void MapCanvas::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QGraphicsView::wheelEvent(event);
        return;
    }
    ZoomBy(std::pow(kZoomStep, event->angleDelta().y() / 120.0));
    event->accept();
}

bool MapCanvas::ZoomKey(const QKeyEvent& event) {
    if (!(event.modifiers() & Qt::ControlModifier)) {
        return false;
    }
    switch (event.key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            ZoomBy(kZoomStep);
            return true;
        case Qt::Key_Minus:
            ZoomBy(1 / kZoomStep);
            return true;
        case Qt::Key_0:
            Fit();
            return true;
        default:
            return false;
    }
}

bool MapCanvas::ArrowKey(const QKeyEvent& event) {
    if (event.modifiers() & ~Qt::KeypadModifier) {
        return false;
    }
    switch (event.key()) {
        case Qt::Key_Left:
            emit arrowPressed(MapDirection::kLeft);
            return true;
        case Qt::Key_Right:
            emit arrowPressed(MapDirection::kRight);
            return true;
        case Qt::Key_Up:
            emit arrowPressed(MapDirection::kUp);
            return true;
        case Qt::Key_Down:
            emit arrowPressed(MapDirection::kDown);
            return true;
        default:
            return false;
    }
}

void MapCanvas::keyPressEvent(QKeyEvent* event) {
    if (ZoomKey(*event) || ArrowKey(*event)) {
        event->accept();
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            emit activateRequested();
            event->accept();
            return;
        case Qt::Key_Escape:
            emit leaveRequested();
            event->accept();
            return;
        default:
            QGraphicsView::keyPressEvent(event);
    }
}

void MapCanvas::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    pressedAt_ = event->position().toPoint();
    QGraphicsView::mousePressEvent(event);
}

// A press and release on the same spot is a click; one that moved was a pan.
void MapCanvas::mouseReleaseEvent(QMouseEvent* event) {
    QGraphicsView::mouseReleaseEvent(event);
    const QPoint at = event->position().toPoint();
    if (!pressed_ || event->button() != Qt::LeftButton ||
        (at - pressedAt_).manhattanLength() >= QApplication::startDragDistance()) {
        pressed_ = false;
        return;
    }
    pressed_ = false;
    if (const auto node = scene_.NodeAt(mapToScene(at))) {
        emit nodeClicked(*node);
    }
}

void MapCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        if (const auto node = scene_.NodeAt(mapToScene(event->position().toPoint()))) {
            emit nodeActivated(*node);
            event->accept();
            return;
        }
    }
    QGraphicsView::mouseDoubleClickEvent(event);
}

}  // namespace tw
