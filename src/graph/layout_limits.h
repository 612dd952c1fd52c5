#pragma once

// How large a graph the layout takes. Graphviz's dot layout is no linear algorithm: a link
// that spans several ranks becomes a chain of hidden nodes, and placing them costs about the
// square of their number, so a few hundred boxes with long links can take minutes.

#include <cstddef>
#include <optional>
#include <string>

#include "graph/dialogue_graph.h"

namespace tw {

struct LayoutLimits {
    std::size_t maxNodes = 2000;
    std::size_t maxEdges = 6000;
    std::size_t maxWork = 12000;  // see EstimateLayoutWork
};

// The boxes and hidden nodes the layout will place, estimated: the links are made acyclic as
// dot does (depth-first, against the links that close a cycle), every node gets the rank of
// its longest road from a node without incoming links, nodes without incoming links then move
// down next to their nearest successor, and each link adds the ranks it crosses. Linear in
// nodes and links; no recursion.
std::size_t EstimateLayoutWork(const DialogueGraph& graph);

// Up to this estimated work a link's label gets ranks of its own in the layout, so labels
// overlap no box and no other label; beyond it that would double the working graph, and the
// labels are placed once the boxes are (where two may overlap).
inline constexpr std::size_t kRankedLabelsWork = 1000;

// Why the graph is too large to lay out ("2345 nodes, more than the 2000 a layout takes"),
// or nothing when it is within the limits.
std::optional<std::string> CheckLayoutLimits(const DialogueGraph& graph,
                                             const LayoutLimits& limits = {});

}  // namespace tw
