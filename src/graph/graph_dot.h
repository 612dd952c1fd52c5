#pragma once

// The map as DOT text, Graphviz's graph language: what the layout reads and what a user can
// hand to Graphviz's own tools.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "graph/dialogue_graph.h"
#include "graph/graph_geometry.h"

namespace tw {

// The size of each box, by node index; used on the caller's own thread.
using BoxSizes = std::function<GraphSize(std::size_t node)>;

// How link labels are laid out: with ranks of their own, placed after the boxes (xlabel),
// or by the size of the graph (kRankedLabelsWork).
enum class LinkLabels { kAuto, kRanked, kPlacedAfter };

struct DotOptions {
    std::size_t labelLimit = 24;  // characters of a link's label drawn; 0 keeps all
    double fontSize = 10;         // points, for the boxes; link labels are one point smaller
    LinkLabels linkLabels = LinkLabels::kAuto;
    // When set, every box has exactly this size, whatever its label needs; otherwise
    // Graphviz sizes each box to its label.
    BoxSizes boxSizes;
};

// A digraph with one node per box (ids n0, n1, ... in the graph's order) and one edge per
// link (ids e0, e1, ...): labels, colours by kind, dashes for conditions, ghosts and broken
// links in red, the initialization node doubled, unreachable nodes grey, a neighbourhood's
// border nodes with the count of links beyond. Every text is UTF-8.
std::string WriteGraphDot(const DialogueGraph& graph, const DotOptions& options = {});

// Where a quoted DOT text is shown: a label, which Graphviz reads for escapes such as \N and
// \n and for entities such as &amp;, or a tooltip, which SVG output passes on as it stands.
enum class DotTextRole { Label, Tooltip };

// Windows-1252 text as a quoted DOT string that Graphviz shows as those very characters:
// UTF-8, quotes and backslashes escaped, '&' as an entity, control bytes as their visible
// pictures (U+2400 onwards), since no output can carry them.
std::string DotQuoted(std::string_view text, DotTextRole role = DotTextRole::Label);

}  // namespace tw
