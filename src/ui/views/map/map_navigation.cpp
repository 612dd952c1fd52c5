#include "ui/views/map/map_navigation.h"

#include <cmath>
#include <limits>
#include <vector>

namespace tw {
namespace {

GraphPoint Unit(MapDirection direction) {
    switch (direction) {
        case MapDirection::kLeft:
            return {-1, 0};
        case MapDirection::kRight:
            return {1, 0};
        case MapDirection::kUp:
            return {0, -1};
        case MapDirection::kDown:
            return {0, 1};
    }
    return {};
}

std::vector<std::size_t> LinkedNodes(const DialogueGraph& graph, std::size_t node) {
    std::vector<std::size_t> linked;
    for (const std::size_t edge : graph.OutEdges(node)) {
        linked.push_back(graph.Edges()[edge].to);
    }
    for (const std::size_t edge : graph.InEdges(node)) {
        linked.push_back(graph.Edges()[edge].from);
    }
    return linked;
}

std::optional<std::size_t> FirstLink(const DialogueGraph& graph, std::size_t node, bool out) {
    const auto edges = out ? graph.OutEdges(node) : graph.InEdges(node);
    for (const std::size_t edge : edges) {
        const std::size_t other = out ? graph.Edges()[edge].to : graph.Edges()[edge].from;
        if (other != node) {
            return other;
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::size_t> NextLinkedNode(const DialogueGraph& graph, const GraphLayout& layout,
                                          std::size_t current, MapDirection direction) {
    if (current >= graph.Nodes().size() || layout.boxes.size() != graph.Nodes().size()) {
        return std::nullopt;
    }
    const GraphPoint from = layout.boxes[current].center;
    const GraphPoint way = Unit(direction);
    std::optional<std::size_t> best;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (const std::size_t other : LinkedNodes(graph, current)) {
        const GraphPoint to = layout.boxes[other].center;
        const double dx = to.x - from.x;
        const double dy = to.y - from.y;
        const double along = dx * way.x + dy * way.y;
        const double across = std::abs(dx * way.y - dy * way.x);
        const double distance = std::hypot(dx, dy);
        if (other != current && along > 0 && across <= along && distance < bestDistance) {
            best = other;
            bestDistance = distance;
        }
    }
    if (best) {
        return best;
    }
    const bool forward = direction == MapDirection::kDown || direction == MapDirection::kRight;
    const bool vertical = direction == MapDirection::kDown || direction == MapDirection::kUp;
    return vertical ? FirstLink(graph, current, forward) : std::nullopt;
}

}  // namespace tw
