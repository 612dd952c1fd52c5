#pragma once

// The items of the map's drawing: a node's box and a link with its arrow head and label.
// Every text is drawn as plain text.

#include <QFont>
#include <QGraphicsItem>
#include <QPainterPath>
#include <QPolygonF>
#include <QString>
#include <optional>

#include "graph/dialogue_graph.h"
#include "graph/graph_layout.h"
#include "model/check/check_finding.h"

namespace tw {

// How a box is marked besides its own kind.
struct BoxMarks {
    bool selected = false;
    bool entered = false;  // a test's road went through it
    bool current = false;  // the test stands here now
    bool dimmed = false;   // unreachable, or dimmed by the view's owner
    std::optional<Severity> problem;
};

class MapBoxItem : public QGraphicsItem {
public:
    // The box fills place's left part; a border node's stubs take the rest.
    MapBoxItem(const GraphNode& node, const BoxPlacement& place);

    void SetTexts(const GraphNode& node);
    void SetMarks(const BoxMarks& marks);
    const BoxMarks& Marks() const { return marks_; }
    // The box without its stubs, in scene units.
    QRectF Box() const { return box_.translated(pos()); }

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    void Refresh();
    void PaintBox(QPainter& painter) const;
    void PaintTexts(QPainter& painter) const;
    void PaintStubs(QPainter& painter) const;

    GraphNode node_;
    QRectF box_;    // in item coordinates
    QRectF whole_;  // the box and its stubs
    BoxMarks marks_;
};

class MapLinkItem : public QGraphicsItem {
public:
    MapLinkItem(const GraphEdge& edge, const EdgeRoute& route);

    void SetTaken(bool taken);
    bool IsTaken() const { return taken_; }
    void SetDimmed(bool dimmed);

    QRectF boundingRect() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

private:
    QPen Pen() const;
    void PlaceLabel(const EdgeRoute& route);

    GraphEdge edge_;
    QPainterPath path_;
    QPolygonF head_;
    QString label_;
    QFont labelFont_;
    QRectF labelRect_;
    bool taken_ = false;
    bool dimmed_ = false;
};

// The fonts the map draws with, in scene units.
QFont MapBoxFont();
QFont MapLabelFont();

// What the layout reserves for a node's box: every box has the same size, so that new texts
// never move one; a neighbourhood's border box has room for its stubs beside it. Measured
// with the map's font on the window's thread, then handed to the layout as it stands.
struct MapBoxSizes {
    GraphSize plain;
    GraphSize withStubs;
    GraphSize Of(const GraphNode& node) const;
};
MapBoxSizes MeasureMapBoxes();

}  // namespace tw
