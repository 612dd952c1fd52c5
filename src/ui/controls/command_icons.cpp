#include "ui/controls/command_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <array>

namespace tw {
namespace {

using Painter = void (*)(QPainter&);

void DrawManual(QPainter& p) {  // a sheet of hand-written lines
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(2.5, 0.5, 10, 14));
    p.setPen(QPen(QColor(40, 70, 160), 1));
    for (double y : {4.5, 7.5, 10.5}) {
        p.drawLine(QPointF(4.5, y), QPointF(10.5, y));
    }
}

void DrawFlag(QPainter& p) {  // a red flag on a pole
    p.setPen(QPen(QColor(70, 50, 30), 1.5));
    p.drawLine(QPointF(3, 1), QPointF(3, 14.5));
    QPainterPath flag;
    flag.moveTo(3.5, 1.5);
    flag.cubicTo(7, 0, 9, 4, 13.5, 2.5);
    flag.lineTo(13.5, 8.5);
    flag.cubicTo(9, 10, 7, 6, 3.5, 7.5);
    flag.closeSubpath();
    p.setPen(QColor(150, 20, 20));
    p.setBrush(QColor(225, 40, 40));
    p.drawPath(flag);
}

void DrawBadge(QPainter& p, const QColor& color, const QString& text) {
    p.setPen(color.darker(140));
    p.setBrush(color);
    p.drawRoundedRect(QRectF(0.5, 0.5, 14, 14), 3, 3);
    QFont font = p.font();
    font.setPixelSize(11);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 0, 15, 15), Qt::AlignCenter, text);
}

void DrawConditionalAssign(QPainter& p) {
    DrawBadge(p, QColor(130, 60, 170), "?");
}

void DrawAssign(QPainter& p) {
    DrawBadge(p, QColor(40, 100, 200), "=");
}

void DrawBranch(QPainter& p) {  // one path splitting in two
    p.setPen(QPen(QColor(30, 140, 60), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(7.5, 14), QPointF(7.5, 8));
    p.drawLine(QPointF(7.5, 8), QPointF(2.5, 3));
    p.drawLine(QPointF(7.5, 8), QPointF(12.5, 3));
    p.setBrush(QColor(30, 140, 60));
    p.drawEllipse(QPointF(2.5, 2.5), 1.2, 1.2);
    p.drawEllipse(QPointF(12.5, 2.5), 1.2, 1.2);
}

void DrawEnd(QPainter& p) {  // a stop sign
    QPolygonF octagon;
    for (const auto& [x, y] : {std::pair{4.5, 0.5},
                               {10.5, 0.5},
                               {14.5, 4.5},
                               {14.5, 10.5},
                               {10.5, 14.5},
                               {4.5, 14.5},
                               {0.5, 10.5},
                               {0.5, 4.5}}) {
        octagon << QPointF(x, y);
    }
    p.setPen(QColor(140, 0, 0));
    p.setBrush(QColor(210, 30, 30));
    p.drawPolygon(octagon);
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(4, 7.5), QPointF(11, 7.5));
}

void DrawGoto(QPainter& p) {  // an arrow to the right
    QPolygonF arrow;
    for (const auto& [x, y] : {std::pair{1.0, 5.0},
                               {8.0, 5.0},
                               {8.0, 1.5},
                               {14.0, 7.5},
                               {8.0, 13.5},
                               {8.0, 10.0},
                               {1.0, 10.0}}) {
        arrow << QPointF(x, y);
    }
    p.setPen(QColor(20, 90, 140));
    p.setBrush(QColor(40, 150, 220));
    p.drawPolygon(arrow);
}

// A speech bubble holding a line to type on and the caret at its start: a lone upright
// caret in the middle read as an exclamation mark, a warning.
void DrawReply(QPainter& p) {
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(0.5, 1.5, 14, 9), 3, 3);
    QPainterPath tail;
    tail.moveTo(3, 10);
    tail.lineTo(2.5, 14);
    tail.lineTo(7, 10);
    bubble = bubble.united(tail);
    p.setPen(QColor(150, 110, 0));
    p.setBrush(QColor(250, 205, 60));
    p.drawPath(bubble);
    p.setPen(QPen(QColor(90, 60, 0), 1));
    p.drawLine(QPointF(4, 3.5), QPointF(4, 8));
    p.drawLine(QPointF(5.5, 8), QPointF(11.5, 8));
}

constexpr std::array<Painter, kCommandImageCount> kPainters{
    DrawManual, DrawFlag,  DrawConditionalAssign, DrawAssign, DrawBranch, DrawEnd,
    DrawGoto,   DrawReply,
};

}  // namespace

QPixmap CommandPixmap(int index) {
    if (index < 0 || index >= kCommandImageCount) {
        return QPixmap();
    }
    QPixmap pixmap(kCommandImageSize, kCommandImageSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    kPainters[static_cast<std::size_t>(index)](painter);
    return pixmap;
}

const std::vector<QIcon>& CommandIcons() {
    static const std::vector<QIcon> icons = [] {
        std::vector<QIcon> all;
        for (int i = 0; i < kCommandImageCount; ++i) {
            all.emplace_back(CommandPixmap(i));
        }
        return all;
    }();
    return icons;
}

}  // namespace tw
