#include "ui/views/map/map_links.h"

namespace tw {
namespace {

bool SameBox(const GraphNode& a, const GraphNode& b) {
    return a.id == b.id && a.isGhost == b.isGhost && a.isStart == b.isStart && a.name == b.name &&
           a.moreIn == b.moreIn && a.moreOut == b.moreOut;
}

bool SameLink(const GraphEdge& a, const GraphEdge& b) {
    return a.from == b.from && a.to == b.to && a.kind == b.kind && a.label == b.label &&
           a.isConditional == b.isConditional && a.isMissing == b.isMissing;
}

}  // namespace

bool SameLinksAndLabels(const DialogueGraph& a, const DialogueGraph& b) {
    if (a.Nodes().size() != b.Nodes().size() || a.Edges().size() != b.Edges().size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.Nodes().size(); ++i) {
        if (!SameBox(a.Nodes()[i], b.Nodes()[i])) {
            return false;
        }
    }
    for (std::size_t i = 0; i < a.Edges().size(); ++i) {
        if (!SameLink(a.Edges()[i], b.Edges()[i])) {
            return false;
        }
    }
    return true;
}

std::unordered_map<std::int32_t, std::size_t> IndexById(const DialogueGraph& graph) {
    std::unordered_map<std::int32_t, std::size_t> index;
    index.reserve(graph.Nodes().size());
    for (std::size_t i = 0; i < graph.Nodes().size(); ++i) {
        if (!graph.Nodes()[i].isGhost) {
            index.emplace(graph.Nodes()[i].id, i);
        }
    }
    return index;
}

PathMarks MarkPath(const DialogueGraph& graph, const std::vector<std::int32_t>& path) {
    PathMarks marks;
    marks.entered.assign(graph.Nodes().size(), false);
    marks.taken.assign(graph.Edges().size(), false);
    marks.current = graph.Nodes().size();
    const auto index = IndexById(graph);
    std::size_t previous = graph.Nodes().size();
    for (const std::int32_t id : path) {
        const auto found = index.find(id);
        const std::size_t at = found == index.end() ? graph.Nodes().size() : found->second;
        if (at < graph.Nodes().size()) {
            marks.entered[at] = true;
            if (previous < graph.Nodes().size()) {
                for (const std::size_t edge : graph.OutEdges(previous)) {
                    marks.taken[edge] = marks.taken[edge] || graph.Edges()[edge].to == at;
                }
            }
        }
        previous = at;
    }
    if (!path.empty() && previous < graph.Nodes().size()) {
        marks.current = previous;
    }
    return marks;
}

}  // namespace tw
