#include "ui/views/map/map_scene.h"

#include "ui/views/map/map_items.h"

namespace tw {

MapScene::MapScene(QObject* parent) : QGraphicsScene(parent) {
    setBackgroundBrush(QColor(0xfa, 0xfa, 0xf7));
    setItemIndexMethod(QGraphicsScene::BspTreeIndex);
}

void MapScene::Clear() {
    clear();
    boxes_.clear();
    links_.clear();
}

void MapScene::Draw(const DialogueGraph& graph, const GraphLayout& layout) {
    Clear();
    for (std::size_t i = 0; i < graph.Nodes().size() && i < layout.boxes.size(); ++i) {
        auto* box = new MapBoxItem(graph.Nodes()[i], layout.boxes[i]);
        addItem(box);
        boxes_.push_back(box);
    }
    for (std::size_t i = 0; i < graph.Edges().size() && i < layout.edges.size(); ++i) {
        const GraphEdge& edge = graph.Edges()[i];
        auto* link = new MapLinkItem(edge, layout.edges[i]);
        link->SetDimmed(!graph.Nodes()[edge.from].isReachable);
        addItem(link);
        links_.push_back(link);
    }
    // A margin round the drawing, so a box at its edge is never cut by the view's border.
    setSceneRect(QRectF(0, 0, layout.size.width, layout.size.height).adjusted(-20, -20, 20, 20));
}

void MapScene::UpdateTexts(const DialogueGraph& graph) {
    for (std::size_t i = 0; i < boxes_.size() && i < graph.Nodes().size(); ++i) {
        boxes_[i]->SetTexts(graph.Nodes()[i]);
    }
    for (std::size_t i = 0; i < links_.size() && i < graph.Edges().size(); ++i) {
        links_[i]->SetDimmed(!graph.Nodes()[graph.Edges()[i].from].isReachable);
    }
}

std::optional<std::size_t> MapScene::NodeAt(const QPointF& point) const {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        if (boxes_[i]->Box().contains(point)) {
            return i;
        }
    }
    return std::nullopt;
}

QRectF MapScene::BoxRect(std::size_t node) const {
    return node < boxes_.size() ? boxes_[node]->Box() : QRectF();
}

BoxMarks MapScene::MarksOf(std::size_t node) const {
    return node < boxes_.size() ? boxes_[node]->Marks() : BoxMarks{};
}

bool MapScene::IsTaken(std::size_t edge) const {
    return edge < links_.size() && links_[edge]->IsTaken();
}

void MapScene::SetSelected(std::optional<std::size_t> node) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        BoxMarks marks = boxes_[i]->Marks();
        if (marks.selected != (node == i)) {
            marks.selected = node == i;
            boxes_[i]->SetMarks(marks);
        }
    }
}

void MapScene::SetPath(const PathMarks& path) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        BoxMarks marks = boxes_[i]->Marks();
        marks.entered = i < path.entered.size() && path.entered[i];
        marks.current = i == path.current;
        boxes_[i]->SetMarks(marks);
    }
    for (std::size_t i = 0; i < links_.size(); ++i) {
        links_[i]->SetTaken(i < path.taken.size() && path.taken[i]);
    }
}

void MapScene::SetDimmed(const std::vector<bool>& dimmed) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        BoxMarks marks = boxes_[i]->Marks();
        marks.dimmed = i < dimmed.size() && dimmed[i];
        boxes_[i]->SetMarks(marks);
    }
}

void MapScene::SetProblems(const std::vector<std::optional<Severity>>& problems) {
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        BoxMarks marks = boxes_[i]->Marks();
        marks.problem = i < problems.size() ? problems[i] : std::nullopt;
        boxes_[i]->SetMarks(marks);
    }
}

}  // namespace tw
