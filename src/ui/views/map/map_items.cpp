#include "ui/views/map/map_items.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "ui/controls/shown_label.h"
#include "ui/views/problems_pane.h"

namespace tw {
namespace {

constexpr double kBoxWidth = 180;
constexpr double kPadding = 5;
constexpr double kStubWidth = 66;
constexpr double kIconSize = 14;
constexpr double kArrowWidth = 4;
constexpr double kLeastLabelPixels = 8;
constexpr double kDimmed = 0.5;  // opacity of what no road reaches: pale, still legible

const QColor kInk(0x22, 0x22, 0x22);
const QColor kQuietInk(0x66, 0x66, 0x66);
const QColor kError(0xc6, 0x28, 0x28);
const QColor kStart(0x2e, 0x7d, 0x32);
const QColor kSelected(0x1e, 0x6f, 0xd9);
const QColor kRoad(0xe6, 0x51, 0x00);
const QColor kEnteredFill(0xff, 0xf1, 0xc1);
const QColor kCurrentFill(0xff, 0xb7, 0x4d);

QColor KindColour(const GraphEdge& edge) {
    if (edge.isMissing) {
        return kError;
    }
    switch (edge.kind) {
        case ReferenceKind::Goto:
            return QColor(0x33, 0x33, 0x33);
        case ReferenceKind::Branch:
            return QColor(0x1f, 0x5f, 0xbf);
        case ReferenceKind::List:
        case ReferenceKind::ListReturn:
            return QColor(0x2e, 0x7d, 0x32);
        case ReferenceKind::Add:
            return QColor(0xb3, 0x59, 0x00);
    }
    return kInk;
}

double LineHeight() {
    return QFontMetricsF(MapBoxFont()).lineSpacing();
}

bool HasStubs(const GraphNode& node) {
    return node.moreIn > 0 || node.moreOut > 0;
}

QPointF ToQt(const GraphPoint& point) {
    return {point.x, point.y};
}

// The plain text cut to the width, ending in an ellipsis when it did not fit.
void DrawLine(QPainter& painter, const QRectF& rect, const QString& text) {
    const QFontMetricsF metrics(painter.font());
    painter.drawText(rect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     metrics.elidedText(text, Qt::ElideRight, rect.width()));
}

}  // namespace

QFont MapBoxFont() {
    QFont font = QApplication::font();
    font.setPixelSize(11);
    return font;
}

QFont MapLabelFont() {
    QFont font = QApplication::font();
    font.setPixelSize(10);
    return font;
}

MapBoxSizes MeasureMapBoxes() {
    const double height = 3 * LineHeight() + 2 * kPadding;
    return {{kBoxWidth, height}, {kBoxWidth + kStubWidth, height}};
}

GraphSize MapBoxSizes::Of(const GraphNode& node) const {
    return HasStubs(node) ? withStubs : plain;
}

MapBoxItem::MapBoxItem(const GraphNode& node, const BoxPlacement& place) : node_(node) {
    setPos(ToQt(place.center));
    whole_ =
        QRectF(-place.size.width / 2, -place.size.height / 2, place.size.width, place.size.height);
    const double width = HasStubs(node) ? whole_.width() - kStubWidth : whole_.width();
    box_ = QRectF(whole_.left(), whole_.top(), width, whole_.height());
    setZValue(1);
}

void MapBoxItem::SetTexts(const GraphNode& node) {
    node_ = node;
    Refresh();
}

void MapBoxItem::SetMarks(const BoxMarks& marks) {
    marks_ = marks;
    Refresh();
}

// A ghost is never reached, but it is an error to see, not a part to overlook.
void MapBoxItem::Refresh() {
    const bool unreachable = !node_.isReachable && !node_.isGhost;
    setOpacity(marks_.dimmed || unreachable ? kDimmed : 1.0);
    setZValue(marks_.selected || marks_.current ? 3 : 1);
    update();
}

QRectF MapBoxItem::boundingRect() const {
    return whole_.adjusted(-4, -4, 4, 4);
}

void MapBoxItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setRenderHint(QPainter::Antialiasing);
    PaintBox(*painter);
    PaintTexts(*painter);
    PaintStubs(*painter);
}

void MapBoxItem::PaintBox(QPainter& painter) const {
    QColor fill = node_.isGhost ? QColor(0xfd, 0xec, 0xea) : QColor(Qt::white);
    if (marks_.entered) {
        fill = marks_.current ? kCurrentFill : kEnteredFill;
    }
    QPen border(node_.isGhost ? kError : node_.isStart ? kStart : kQuietInk, 1.2);
    if (node_.isGhost) {
        border.setStyle(Qt::DashLine);
    }
    if (marks_.current) {
        border = QPen(kRoad, 3);
    }
    if (marks_.selected) {
        border = QPen(kSelected, 3);
    }
    painter.setPen(border);
    painter.setBrush(fill);
    painter.drawRoundedRect(box_, 4, 4);
    if (node_.isStart) {
        painter.setPen(QPen(kStart, 1.2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(box_.adjusted(3, 3, -3, -3), 3, 3);
    }
}

void MapBoxItem::PaintTexts(QPainter& painter) const {
    const double line = LineHeight();
    const double iconRoom = marks_.problem ? kIconSize + 2 : 0;
    QRectF row(box_.left() + kPadding + 2, box_.top() + kPadding, box_.width() - 2 * kPadding - 4,
               line);
    QFont font = MapBoxFont();
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(node_.isGhost ? kError : kInk);
    const QString start = node_.isStart ? QStringLiteral("\u25B6 ") : QString();
    DrawLine(painter, row.adjusted(0, 0, -iconRoom, 0), start + ShownLabel(node_.name));
    font.setBold(false);
    font.setItalic(true);
    painter.setFont(font);
    painter.setPen(node_.isGhost ? kError : kQuietInk);
    row.translate(0, line);
    DrawLine(painter, row,
             node_.isGhost ? QStringLiteral("no such node") : ShownLabel(node_.description));
    font.setItalic(false);
    painter.setFont(font);
    painter.setPen(kInk);
    row.translate(0, line);
    DrawLine(painter, row, ShownLabel(node_.firstLine));
    if (marks_.problem) {
        const QIcon icon = SeverityIcon(*QApplication::style(), *marks_.problem);
        const QRectF at(box_.right() - kPadding - kIconSize, box_.top() + kPadding, kIconSize,
                        kIconSize);
        icon.paint(&painter, at.toRect());
    }
}

// A short dashed line out of the box's side and the count of the links beyond.
void MapBoxItem::PaintStubs(QPainter& painter) const {
    if (!HasStubs(node_)) {
        return;
    }
    painter.setFont(MapLabelFont());
    const double half = box_.height() / 2;
    const std::pair<std::size_t, QString> stubs[] = {{node_.moreIn, QStringLiteral("\u2191 ")},
                                                     {node_.moreOut, QStringLiteral("\u2193 ")}};
    for (int i = 0; i < 2; ++i) {
        const auto& [count, arrow] = stubs[i];
        if (count == 0) {
            continue;
        }
        const double y = box_.top() + half * i + half / 2;
        painter.setPen(QPen(kQuietInk, 1, Qt::DashLine));
        painter.drawLine(QPointF(box_.right(), y), QPointF(box_.right() + 8, y));
        painter.setPen(kQuietInk);
        DrawLine(painter, QRectF(box_.right() + 10, y - half / 2, kStubWidth - 10, half),
                 arrow + QString::number(count) + QStringLiteral(" more"));
    }
}

MapLinkItem::MapLinkItem(const GraphEdge& edge, const EdgeRoute& route)
    : edge_(edge), label_(ShownLabel(edge.label)) {
    if (!route.spline.empty()) {
        path_.moveTo(ToQt(route.spline.front()));
        for (std::size_t at = 1; at + 2 < route.spline.size(); at += 3) {
            path_.cubicTo(ToQt(route.spline[at]), ToQt(route.spline[at + 1]),
                          ToQt(route.spline[at + 2]));
        }
        const QPointF end = ToQt(route.spline.back());
        const QPointF tip = ToQt(route.arrowTip);
        const QPointF along = tip - end;
        const double length = std::hypot(along.x(), along.y());
        if (length > 0.1) {
            const QPointF across(-along.y() / length * kArrowWidth,
                                 along.x() / length * kArrowWidth);
            head_ << tip << end + across << end - across;
        }
    }
    if (route.hasLabel && !label_.isEmpty()) {
        PlaceLabel(route);
    }
}

// The layout kept room for the label by Graphviz's own estimate of its text: the label is
// drawn in that room, in a smaller font or cut short where the map's font needs more.
void MapLinkItem::PlaceLabel(const EdgeRoute& route) {
    const QSizeF room(std::max(route.labelSize.width, 12.0), route.labelSize.height);
    labelFont_ = MapLabelFont();
    const double needed = QFontMetricsF(labelFont_).horizontalAdvance(label_) + 2;
    if (needed > room.width()) {
        const double size = labelFont_.pixelSize() * room.width() / needed;
        labelFont_.setPixelSize(static_cast<int>(std::max(kLeastLabelPixels, std::floor(size))));
    }
    const QFontMetricsF metrics(labelFont_);
    label_ = metrics.elidedText(label_, Qt::ElideRight, room.width());
    const QSizeF size(metrics.horizontalAdvance(label_) + 2, metrics.height());
    labelRect_ =
        QRectF(ToQt(route.labelCenter) - QPointF(size.width() / 2, size.height() / 2), size);
}

void MapLinkItem::SetTaken(bool taken) {
    taken_ = taken;
    setZValue(taken ? 2 : 0);
    update();
}

void MapLinkItem::SetDimmed(bool dimmed) {
    dimmed_ = dimmed;
    setOpacity(dimmed ? kDimmed : 1.0);
}

// A link is a hairline of one pixel at every zoom, which the raster engine draws directly;
// a line of 1.2 points was stroked into a shape and filled, most of the map's paint time. A
// road taken stands out at three points.
QPen MapLinkItem::Pen() const {
    QPen pen(taken_ ? kRoad : KindColour(edge_), taken_ ? 3 : 1);
    pen.setCosmetic(!taken_);
    if (edge_.isConditional) {
        pen.setStyle(Qt::DashLine);
    }
    return pen;
}

QRectF MapLinkItem::boundingRect() const {
    return path_.boundingRect()
        .united(head_.boundingRect())
        .united(labelRect_)
        .adjusted(-4, -4, 4, 4);
}

void MapLinkItem::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*) {
    painter->setRenderHint(QPainter::Antialiasing);
    const QPen pen = Pen();
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawPath(path_);
    painter->setPen(QPen(pen.color(), 1));
    painter->setBrush(pen.color());
    painter->drawPolygon(head_);
    if (labelRect_.isEmpty()) {
        return;
    }
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(255, 255, 255, 220));
    painter->drawRoundedRect(labelRect_, 2, 2);
    painter->setFont(labelFont_);
    painter->setPen(pen.color().darker(120));
    painter->drawText(labelRect_, Qt::AlignCenter | Qt::TextSingleLine, label_);
}

}  // namespace tw
