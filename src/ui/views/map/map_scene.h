#pragma once

// The drawing of a laid-out map: a box per node, a line per link with its label, the "more"
// stubs of a neighbourhood, and the marks the view puts on them (the selected node, a test's
// road, dimmed nodes, nodes with problems). Scene units are the layout's points.

#include <QGraphicsScene>
#include <cstddef>
#include <optional>
#include <vector>

#include "graph/dialogue_graph.h"
#include "graph/graph_layout.h"
#include "model/check/check_finding.h"
#include "ui/views/map/map_items.h"
#include "ui/views/map/map_links.h"

namespace tw {

class MapScene : public QGraphicsScene {
    Q_OBJECT

public:
    explicit MapScene(QObject* parent = nullptr);

    // Draws the graph anew, without marks: the view sets them again for the new boxes.
    void Draw(const DialogueGraph& graph, const GraphLayout& layout);
    // The same boxes and links with new descriptions, first lines and reachability.
    void UpdateTexts(const DialogueGraph& graph);
    void Clear();

    // The node whose box is at the point, if any (ghosts included).
    std::optional<std::size_t> NodeAt(const QPointF& point) const;
    // The visible box of a node, in scene units; empty for none.
    QRectF BoxRect(std::size_t node) const;

    // What a box is marked with and whether a link is drawn as taken (for automation).
    BoxMarks MarksOf(std::size_t node) const;
    bool IsTaken(std::size_t edge) const;

    void SetSelected(std::optional<std::size_t> node);
    void SetPath(const PathMarks& marks);
    void SetDimmed(const std::vector<bool>& dimmed);
    void SetProblems(const std::vector<std::optional<Severity>>& problems);

private:
    void RefreshBoxes();

    std::vector<MapBoxItem*> boxes_;
    std::vector<MapLinkItem*> links_;
};

}  // namespace tw
