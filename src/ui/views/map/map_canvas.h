#pragma once

// The map's viewport: zoom (Ctrl+wheel, Ctrl+plus, Ctrl+minus, Ctrl+0 fits), panning by
// dragging, and the clicks and keys on boxes, which it reports rather than acts on.

#include <QGraphicsView>
#include <QPoint>
#include <cstddef>

#include "ui/views/map/map_navigation.h"

namespace tw {

class MapScene;

class MapCanvas : public QGraphicsView {
    Q_OBJECT

public:
    explicit MapCanvas(MapScene& scene, QWidget* parent = nullptr);

    void ZoomBy(double factor);
    void Fit();
    double Zoom() const;

signals:
    void nodeClicked(std::size_t node);
    void nodeActivated(std::size_t node);
    // Enter on the selected box.
    void activateRequested();
    void arrowPressed(MapDirection direction);
    // Escape: the writer leaves the map (the window would take it for Quit).
    void leaveRequested();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool ZoomKey(const QKeyEvent& event);
    bool ArrowKey(const QKeyEvent& event);

    MapScene& scene_;
    QPoint pressedAt_;
    bool pressed_ = false;
};

}  // namespace tw
