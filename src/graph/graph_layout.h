#pragma once

// The map laid out by Graphviz's dot layout: where every box, link and link label goes.
// Safe to call from any thread: the work is done one layout at a time in the process (see
// graphviz_run.h), and the graph is the caller's own copy.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graph/dialogue_graph.h"
#include "graph/graph_geometry.h"
#include "graph/layout_limits.h"

namespace tw {

struct BoxPlacement {
    GraphPoint center;
    GraphSize size;
};

struct EdgeRoute {
    // A cubic Bezier spline from the source box towards the target: the start point, then
    // three points for each piece (two control points and the piece's end).
    std::vector<GraphPoint> spline;
    // The tip of the arrow head, on the target box's border; the head is drawn from the
    // spline's last point to here.
    GraphPoint arrowTip;
    bool hasLabel = false;
    GraphPoint labelCenter;
    GraphSize labelSize;
};

// Everything in points, y downwards from the drawing's top left corner.
struct GraphLayout {
    GraphSize size;                   // of the whole drawing
    std::vector<BoxPlacement> boxes;  // one per node, in the graph's order
    std::vector<EdgeRoute> edges;     // one per edge, in the graph's order
};

// The size a box needs for its node's text. LayoutGraph asks it for every node on the
// calling thread before Graphviz starts, never while holding Graphviz's lock.
using BoxMeasure = std::function<GraphSize(const GraphNode& node)>;

struct LayoutOptions {
    // Box sizes; by default EstimateBoxSize. A view passes its font metrics here (or sizes
    // it measured beforehand, when it lays out away from the window's thread).
    BoxMeasure measure;
    double fontSize = 10;         // points; link labels are one point smaller
    std::size_t labelLimit = 24;  // characters of a link's label laid out; 0 keeps all
    LayoutLimits limits;
};

struct LayoutOutcome {
    GraphLayout layout;
    std::optional<std::string> error;  // too large (see LayoutLimits), or Graphviz failed
};

// Boxes of exactly the measured sizes, none overlapping another; link labels with ranks of
// their own while the graph is small (see kRankedLabelsWork), placed after the boxes beyond.
// The same graph and options give the same layout. A graph over options.limits is refused
// before Graphviz sees it.
LayoutOutcome LayoutGraph(const DialogueGraph& graph, const LayoutOptions& options = {});

struct SvgOutcome {
    std::string svg;  // UTF-8
    std::optional<std::string> error;
};

// The map drawn by Graphviz as an SVG document, each box sized by Graphviz to its label.
// measure is not used; the limits are.
SvgOutcome RenderGraphSvg(const DialogueGraph& graph, const LayoutOptions& options = {});

// A box for the node's name (and a neighbourhood's count line) at that font size, from
// average letter widths: what a view that measures nothing gets.
GraphSize EstimateBoxSize(const GraphNode& node, double fontSize);

// The route as a polyline: each Bezier piece cut into that many straight steps.
std::vector<GraphPoint> Flatten(const EdgeRoute& route, std::size_t stepsPerPiece = 8);

}  // namespace tw
