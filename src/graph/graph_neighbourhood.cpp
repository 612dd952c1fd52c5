#include "graph/graph_neighbourhood.h"

#include <algorithm>
#include <unordered_map>

namespace tw {
namespace {

class NeighbourhoodCut {
public:
    NeighbourhoodCut(const DialogueGraph& graph, std::size_t hops) : graph_(graph), hops_(hops) {}

    DialogueGraph Cut(std::size_t center) {
        Visit(center);
        // The order grows while it is walked: a breadth-first search level by level.
        for (std::size_t at = 0, levelEnd = 1, level = 0; at < order_.size(); ++at) {
            if (at == levelEnd) {
                ++level;
                levelEnd = order_.size();
            }
            if (level < hops_) {
                VisitNeighbours(order_[at]);
            }
        }
        return Collect();
    }

private:
    void Visit(std::size_t node) {
        if (placeOf_.emplace(node, order_.size()).second) {
            order_.push_back(node);
        }
    }

    void VisitNeighbours(std::size_t node) {
        for (const std::size_t edge : graph_.OutEdges(node)) {
            Visit(graph_.Edges()[edge].to);
        }
        for (const std::size_t edge : graph_.InEdges(node)) {
            Visit(graph_.Edges()[edge].from);
        }
    }

    bool IsInside(std::size_t node) const { return placeOf_.find(node) != placeOf_.end(); }

    DialogueGraph Collect() const {
        std::vector<GraphNode> nodes;
        std::vector<GraphEdge> edges;
        nodes.reserve(order_.size());
        for (const std::size_t node : order_) {
            GraphNode box = graph_.Nodes()[node];
            box.moreIn = 0;
            box.moreOut = 0;
            for (const std::size_t edge : graph_.InEdges(node)) {
                box.moreIn += IsInside(graph_.Edges()[edge].from) ? 0 : 1;
            }
            for (const std::size_t edge : graph_.OutEdges(node)) {
                const GraphEdge& link = graph_.Edges()[edge];
                if (!IsInside(link.to)) {
                    ++box.moreOut;
                    continue;
                }
                edges.push_back(link);
                edges.back().from = placeOf_.at(link.from);
                edges.back().to = placeOf_.at(link.to);
            }
            nodes.push_back(std::move(box));
        }
        return DialogueGraph(std::move(nodes), std::move(edges));
    }

    const DialogueGraph& graph_;
    std::size_t hops_;
    std::vector<std::size_t> order_;
    std::unordered_map<std::size_t, std::size_t> placeOf_;
};

}  // namespace

DialogueGraph NeighbourhoodOf(const DialogueGraph& graph, std::size_t center, std::size_t hops) {
    if (center >= graph.Nodes().size()) {
        return {};
    }
    hops = std::clamp(hops, kMinNeighbourhoodHops, kMaxNeighbourhoodHops);
    return NeighbourhoodCut(graph, hops).Cut(center);
}

}  // namespace tw
