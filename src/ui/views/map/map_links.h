#pragma once

// What the map compares and marks on a graph, apart from drawing it: whether a new graph
// needs a new layout, and which boxes and links a test's road went through.

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "graph/dialogue_graph.h"

namespace tw {

// The same boxes by name and kind and the same links with the same labels, conditions and
// kinds, in the same order: a layout of one fits the other. Descriptions, first lines and
// reachability may differ; they change a box's look, never its place.
bool SameLinksAndLabels(const DialogueGraph& a, const DialogueGraph& b);

// Where each node id sits among a graph's boxes; ghosts have none.
std::unordered_map<std::int32_t, std::size_t> IndexById(const DialogueGraph& graph);

// The boxes and links of a road through the dialogue, given as the ids of the nodes entered
// in order: every box entered, the links that lead from one entered node to the next, and
// the box of the last one, where the road stands now.
struct PathMarks {
    std::vector<bool> entered;  // by node index
    std::vector<bool> taken;    // by edge index
    std::size_t current = 0;    // a node index; Nodes().size() when none is shown
};
PathMarks MarkPath(const DialogueGraph& graph, const std::vector<std::int32_t>& path);

}  // namespace tw
