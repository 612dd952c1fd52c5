#pragma once

#include <QLabel>
#include <QPixmap>
#include <QPoint>

namespace tw {

// The floating, half-transparent picture of a dragged item that follows the cursor, its
// hot spot kept under the cursor.
class DragImage : public QLabel {
public:
    DragImage(const QPixmap& pixmap, QPoint hotSpot);

    // Shows the image with its hot spot at a global (screen) position.
    void MoveTo(QPoint globalPos);
    QPoint HotSpot() const { return hotSpot_; }

private:
    QPoint hotSpot_;
};

}  // namespace tw
