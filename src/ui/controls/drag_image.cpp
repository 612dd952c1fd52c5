#include "ui/controls/drag_image.h"

namespace tw {

DragImage::DragImage(const QPixmap& pixmap, QPoint hotSpot)
    : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput),
      hotSpot_(hotSpot) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowOpacity(0.7);
    setPixmap(pixmap);
    resize(pixmap.size() / pixmap.devicePixelRatio());
}

void DragImage::MoveTo(QPoint globalPos) {
    move(globalPos - hotSpot_);
    if (!isVisible()) {
        show();
    }
}

}  // namespace tw
