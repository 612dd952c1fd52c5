#pragma once

// Moving through the map from the keyboard: an arrow key goes to a node linked with the
// current one, the one that lies that way on the drawing.

#include <cstddef>
#include <optional>

#include "graph/dialogue_graph.h"
#include "graph/graph_layout.h"

namespace tw {

enum class MapDirection { kLeft, kRight, kUp, kDown };

// Among the nodes linked with current either way (ghosts included), the nearest whose box
// lies within 45 degrees either side of the direction; none when no linked box lies that
// way. When no box lies below (above), Down (Up) takes the first link out (in) to another
// node, wherever the layout put it: a link back up a loop still leads somewhere.
std::optional<std::size_t> NextLinkedNode(const DialogueGraph& graph, const GraphLayout& layout,
                                          std::size_t current, MapDirection direction);

}  // namespace tw
