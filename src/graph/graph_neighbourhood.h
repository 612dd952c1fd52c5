#pragma once

// A part of the map around one node, for a view that cannot show a large dialogue whole.

#include <cstddef>

#include "graph/dialogue_graph.h"

namespace tw {

inline constexpr std::size_t kMinNeighbourhoodHops = 1;
inline constexpr std::size_t kMaxNeighbourhoodHops = 5;

// The nodes within hops links of center, following links either way, and every link among
// them. Node 0 is the center; the others follow by distance, then in the order the links
// were followed; edges come by source node in that order, each node's in the graph's order.
// A node whose links go on to nodes outside
// counts them in moreIn and moreOut (only nodes at the full distance can have any). hops is
// held to kMinNeighbourhoodHops..kMaxNeighbourhoodHops. Time and memory are linear in the
// nodes and links it visits; the graph's own index is what makes that possible.
DialogueGraph NeighbourhoodOf(const DialogueGraph& graph, std::size_t center, std::size_t hops);

}  // namespace tw
