#include "ui/controls/resizing_dialog.h"

#include <QEvent>
#include <QResizeEvent>
#include <QSizeGrip>
#include <QStyle>

#include "ui/platform/platform_services.h"

namespace tw {
namespace {

void ApplyHorizontal(std::uint32_t flags, double dx, LayoutRect& rect) {
    if (flags & kLayoutGrowX) {
        rect.right += dx;
    } else if (flags & kLayoutCenterX) {
        if (flags & kLayoutHalfLeftOnly) {
            rect.right += dx / 2;
        } else if (flags & kLayoutMoveX) {
            rect.left += dx / 2;
            rect.right += dx;
        } else {
            rect.left -= dx / 2;
            rect.right += dx / 2;
        }
    } else if (flags & kLayoutMoveX) {
        rect.left += dx;
        rect.right += dx;
    } else if (flags & kLayoutMoveHalfX) {
        rect.left += dx / 2;
        rect.right += dx / 2;
    }
}

void ApplyVertical(std::uint32_t flags, double dy, LayoutRect& rect) {
    if (flags & kLayoutGrowY) {
        rect.bottom += dy;
    } else if (flags & kLayoutCenterY) {
        if (flags & kLayoutHalfTopOnly) {
            rect.bottom += dy / 2;
        } else if (flags & kLayoutMoveY) {
            rect.top += dy / 2;
            rect.bottom += dy;
        } else {
            rect.top -= dy / 2;
            rect.bottom += dy / 2;
        }
    } else if (flags & kLayoutMoveY) {
        rect.top += dy;
        rect.bottom += dy;
    } else if (flags & kLayoutMoveHalfY) {
        rect.top += dy / 2;
        rect.bottom += dy / 2;
    }
}

// Rounds half up, cutting the fraction, as the window's integer edges are computed.
int RoundEdge(double edge) {
    return static_cast<int>(edge + 0.5);
}

QRect ToRect(const LayoutRect& rect) {
    const int left = RoundEdge(rect.left);
    const int top = RoundEdge(rect.top);
    return QRect(left, top, RoundEdge(rect.right) - left, RoundEdge(rect.bottom) - top);
}

LayoutRect FromRect(const QRect& rect) {
    return LayoutRect{double(rect.top()), double(rect.top() + rect.height()), double(rect.left()),
                      double(rect.left() + rect.width())};
}

constexpr int kStateNormal = 1;
constexpr int kStateMaximized = 3;

}  // namespace

void ApplyLayoutFlags(std::uint32_t flags, double dx, double dy, LayoutRect& rect) {
    ApplyHorizontal(flags, dx, rect);
    ApplyVertical(flags, dy, rect);
}

CResizingDialog::CResizingDialog(int templateId, PlatformServices& services, QWidget* parent)
    : QDialog(parent), templateId_(templateId), services_(services), grip_(new QSizeGrip(this)) {
    setSizeGripEnabled(false);  // our own grip follows showGrip and the maximised state
    grip_->resize(grip_->sizeHint());
}

CResizingDialog::~CResizingDialog() {
    SaveSize();
}

void CResizingDialog::SetShowGrip(bool show) {
    showGrip_ = show;
    PlaceGrip();
}

QString CResizingDialog::ProfileSection() const {
    return QString::number(templateId_, 16);
}

void CResizingDialog::InitDialog() {
    setMinimumSize(size());
    // The creation size counts as the last size, so a restored size moves the controls.
    lastSize_ = size();
    if (rememberSize_) {
        RestoreSize();
    }
    rects_.clear();
    for (const LayoutEntry& entry : layout_) {
        rects_.push_back(entry.control ? FromRect(entry.control->geometry()) : LayoutRect{});
    }
    PlaceGrip();
}

void CResizingDialog::RestoreSize() {
    const std::string section = ProfileSection().toStdString();
    const int cx = services_.GetProfileInt(section, "CX", 0);
    const int cy = services_.GetProfileInt(section, "CY", 0);
    const int state = services_.GetProfileInt(section, "ST", kStateNormal);
    if (cx == 0 || cy == 0) {
        return;
    }
    // Sized first, so that leaving the maximised state returns to the remembered size.
    resize(cx, cy);
    if (state == kStateMaximized) {
        setWindowState(windowState() | Qt::WindowMaximized);
    }
}

void CResizingDialog::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isMinimized()) {
        return;
    }
    const QSize size = event->size();
    if (lastSize_.isValid() && rects_.size() == layout_.size()) {
        resized_ = true;
        const double dx = size.width() - lastSize_.width();
        const double dy = size.height() - lastSize_.height();
        for (std::size_t i = 0; i < layout_.size(); ++i) {
            const LayoutEntry& entry = layout_[i];
            if (entry.control == nullptr || entry.flags == 0) {
                continue;
            }
            ApplyLayoutFlags(entry.flags, dx, dy, rects_[i]);
            entry.control->setGeometry(ToRect(rects_[i]));
            if (entry.flags & kLayoutRepaint) {
                entry.control->repaint();
            }
        }
    }
    lastSize_ = size;
    PlaceGrip();
}

void CResizingDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        PlaceGrip();
    }
}

void CResizingDialog::PlaceGrip() {
    grip_->setVisible(showGrip_ && !isMaximized());
    grip_->move(width() - grip_->width(), height() - grip_->height());
    grip_->raise();
}

void CResizingDialog::done(int result) {
    SaveSize();
    QDialog::done(result);
}

void CResizingDialog::SaveSize() {
    if (rememberSize_ && resized_ && lastSize_.isValid()) {
        const std::string section = ProfileSection().toStdString();
        services_.WriteProfileInt(section, "CX", width());
        services_.WriteProfileInt(section, "CY", height());
        services_.WriteProfileInt(section, "ST", isMaximized() ? kStateMaximized : kStateNormal);
    }
    lastSize_ = QSize();
    resized_ = false;
}

}  // namespace tw
