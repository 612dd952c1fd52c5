#include "graph/layout_limits.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace tw {
namespace {

// The links dot would turn around to make the graph acyclic: those that reach a node still
// on the depth-first stack. Also answers the nodes in the order they were finished.
class Orientation {
public:
    explicit Orientation(const DialogueGraph& graph)
        : graph_(graph), state_(graph.Nodes().size(), kNew), reversed_(graph.Edges().size()) {
        for (std::size_t node = 0; node < state_.size(); ++node) {
            if (state_[node] == kNew) {
                Search(node);
            }
        }
    }

    const std::vector<std::size_t>& Finished() const { return finished_; }
    bool IsReversed(std::size_t edge) const { return reversed_[edge] != 0; }

private:
    enum State : std::uint8_t { kNew, kOnStack, kDone };
    struct Frame {
        std::size_t node;
        std::size_t next;  // the next of its out edges to look at
    };

    void Search(std::size_t start) {
        std::vector<Frame> stack{{start, 0}};
        state_[start] = kOnStack;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const auto out = graph_.OutEdges(frame.node);
            if (frame.next == out.size()) {
                state_[frame.node] = kDone;
                finished_.push_back(frame.node);
                stack.pop_back();
                continue;
            }
            const std::size_t edge = out[frame.next++];
            const std::size_t to = graph_.Edges()[edge].to;
            if (state_[to] == kOnStack) {
                reversed_[edge] = 1;
            } else if (state_[to] == kNew) {
                state_[to] = kOnStack;
                stack.push_back({to, 0});
            }
        }
    }

    const DialogueGraph& graph_;
    std::vector<State> state_;
    std::vector<std::uint8_t> reversed_;
    std::vector<std::size_t> finished_;
};

struct Ends {
    std::size_t upper;
    std::size_t lower;
};

std::vector<Ends> AcyclicEnds(const DialogueGraph& graph, const Orientation& orientation) {
    std::vector<Ends> ends;
    ends.reserve(graph.Edges().size());
    for (std::size_t i = 0; i < graph.Edges().size(); ++i) {
        const GraphEdge& edge = graph.Edges()[i];
        ends.push_back(orientation.IsReversed(i) ? Ends{edge.to, edge.from}
                                                 : Ends{edge.from, edge.to});
    }
    return ends;
}

// Ranks by longest road, in the reverse of the finishing order (a topological order of the
// acyclic links); then each node without incoming links one rank above its nearest successor.
std::vector<std::size_t> Ranks(const DialogueGraph& graph, const Orientation& orientation,
                               const std::vector<Ends>& ends) {
    const std::size_t count = graph.Nodes().size();
    std::vector<std::vector<std::size_t>> below(count);
    std::vector<bool> hasAbove(count, false);
    for (const Ends& link : ends) {
        if (link.upper != link.lower) {
            below[link.upper].push_back(link.lower);
            hasAbove[link.lower] = true;
        }
    }
    std::vector<std::size_t> rank(count, 0);
    const auto& finished = orientation.Finished();
    for (auto node = finished.rbegin(); node != finished.rend(); ++node) {
        for (const std::size_t next : below[*node]) {
            rank[next] = std::max(rank[next], rank[*node] + 1);
        }
    }
    for (std::size_t node = 0; node < count; ++node) {
        if (!hasAbove[node] && !below[node].empty()) {
            std::size_t nearest = std::numeric_limits<std::size_t>::max();
            for (const std::size_t next : below[node]) {
                nearest = std::min(nearest, rank[next]);
            }
            rank[node] = nearest - 1;
        }
    }
    return rank;
}

}  // namespace

std::size_t EstimateLayoutWork(const DialogueGraph& graph) {
    const Orientation orientation(graph);
    const std::vector<Ends> ends = AcyclicEnds(graph, orientation);
    const std::vector<std::size_t> rank = Ranks(graph, orientation, ends);
    std::size_t work = graph.Nodes().size();
    for (const Ends& link : ends) {
        const std::size_t span = rank[link.lower] > rank[link.upper]
                                     ? rank[link.lower] - rank[link.upper]
                                     : rank[link.upper] - rank[link.lower];
        work += span > 1 ? span - 1 : 0;
    }
    return work;
}

std::optional<std::string> CheckLayoutLimits(const DialogueGraph& graph,
                                             const LayoutLimits& limits) {
    const auto over = [](std::size_t count, const char* what, std::size_t limit) {
        return std::to_string(count) + " " + what + ", more than the " + std::to_string(limit) +
               " a layout takes";
    };
    if (graph.Nodes().size() > limits.maxNodes) {
        return over(graph.Nodes().size(), "nodes", limits.maxNodes);
    }
    if (graph.Edges().size() > limits.maxEdges) {
        return over(graph.Edges().size(), "links", limits.maxEdges);
    }
    if (const std::size_t work = EstimateLayoutWork(graph); work > limits.maxWork) {
        return "links that cross about " + std::to_string(work) + " ranks in all, more than the " +
               std::to_string(limits.maxWork) + " a layout takes";
    }
    return std::nullopt;
}

}  // namespace tw
