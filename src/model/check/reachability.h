#pragma once

// Which nodes some road from the initialization node leads to: the one rule behind the
// unreachable-node finding and the map's marks, whichever index holds the roads.

#include <cstddef>
#include <vector>

namespace tw {

class DialogueReferences;

// reached[i] for each of nodeCount nodes in pre-order, node 0 being the initialization node;
// roadsFrom(node, visit) calls visit(next) for every road that leaves node to a node that
// exists. Linear in nodes and roads; no recursion.
template <typename RoadsFrom>
std::vector<bool> ReachedFromStart(std::size_t nodeCount, RoadsFrom roadsFrom) {
    std::vector<bool> reached(nodeCount, false);
    if (nodeCount == 0) {
        return reached;
    }
    std::vector<std::size_t> pending{0};
    reached[0] = true;
    while (!pending.empty()) {
        const std::size_t node = pending.back();
        pending.pop_back();
        roadsFrom(node, [&reached, &pending](std::size_t next) {
            if (!reached[next]) {
                reached[next] = true;
                pending.push_back(next);
            }
        });
    }
    return reached;
}

// The same over the reference index of a compiled dialogue.
std::vector<bool> ReachedFromStart(const DialogueReferences& references);

}  // namespace tw
