#include "graph/graph_layout.h"

#include <gvc.h>

#include <algorithm>
#include <charconv>
#include <memory>

#include "graph/graph_dot.h"
#include "graph/graphviz_run.h"

namespace tw {
namespace {

constexpr double kPointsPerInch = 72;

// A graph read from DOT text and laid out, freed with its layout in the right order.
class LaidOutGraph {
public:
    LaidOutGraph(GVC_t* context, const std::string& dot)
        : context_(context), graph_(agmemread(dot.c_str())) {
        laidOut_ = graph_ != nullptr && gvLayout(context_, graph_, "dot") == 0;
    }
    LaidOutGraph(const LaidOutGraph&) = delete;
    LaidOutGraph& operator=(const LaidOutGraph&) = delete;
    ~LaidOutGraph() {
        if (laidOut_) {
            gvFreeLayout(context_, graph_);
        }
        if (graph_ != nullptr) {
            agclose(graph_);
        }
    }

    bool IsLaidOut() const { return laidOut_; }
    Agraph_t* Get() const { return graph_; }

private:
    GVC_t* context_;
    Agraph_t* graph_;
    bool laidOut_ = false;
};

std::string Failure(const std::string& reported) {
    return reported.empty() ? "Graphviz could not lay out the map"
                            : "Graphviz could not lay out the map: " + reported;
}

// The index in an id such as "e12", written by the DOT writer.
std::optional<std::size_t> IndexOf(const char* id) {
    if (id == nullptr || id[0] == '\0') {
        return std::nullopt;
    }
    const char* end = id + std::char_traits<char>::length(id);
    std::size_t index = 0;
    const auto [at, error] = std::from_chars(id + 1, end, index);
    return error == std::errc() && at == end ? std::optional(index) : std::nullopt;
}

// Graphviz measures up from the bottom left corner; a view measures down from the top left.
class Reader {
public:
    Reader(Agraph_t* graph, const DialogueGraph& source, GraphLayout& layout)
        : graph_(graph), source_(source), layout_(layout), bounds_(GD_bb(graph)) {}

    void Read() {
        layout_.size = {bounds_.UR.x - bounds_.LL.x, bounds_.UR.y - bounds_.LL.y};
        layout_.boxes.resize(source_.Nodes().size());
        layout_.edges.resize(source_.Edges().size());
        for (Agnode_t* node = agfstnode(graph_); node != nullptr; node = agnxtnode(graph_, node)) {
            ReadNode(node);
            for (Agedge_t* edge = agfstout(graph_, node); edge != nullptr;
                 edge = agnxtout(graph_, edge)) {
                ReadEdge(edge);
            }
        }
    }

private:
    GraphPoint Flip(pointf point) const { return {point.x - bounds_.LL.x, bounds_.UR.y - point.y}; }

    void ReadNode(Agnode_t* node) {
        const auto index = IndexOf(agnameof(node));
        if (!index || *index >= layout_.boxes.size()) {
            return;
        }
        layout_.boxes[*index] = {
            Flip(ND_coord(node)),
            {ND_width(node) * kPointsPerInch, ND_height(node) * kPointsPerInch}};
    }

    void ReadEdge(Agedge_t* edge) {
        const auto index = IndexOf(agget(edge, const_cast<char*>("id")));
        if (!index || *index >= layout_.edges.size()) {
            return;
        }
        EdgeRoute& route = layout_.edges[*index];
        if (const splines* spline = ED_spl(edge); spline != nullptr && spline->size > 0) {
            const bezier& piece = spline->list[0];
            for (int i = 0; i < piece.size; ++i) {
                route.spline.push_back(Flip(piece.list[i]));
            }
            route.arrowTip = piece.eflag != 0 ? Flip(piece.ep) : route.spline.back();
        }
        const textlabel_t* label = ED_label(edge) != nullptr ? ED_label(edge) : ED_xlabel(edge);
        if (label != nullptr && label->set) {
            route.hasLabel = true;
            route.labelCenter = Flip(label->pos);
            route.labelSize = {label->dimen.x, label->dimen.y};
        }
    }

    Agraph_t* graph_;
    const DialogueGraph& source_;
    GraphLayout& layout_;
    boxf bounds_;
};

DotOptions DotOptionsFor(const LayoutOptions& options) {
    DotOptions dot;
    dot.labelLimit = options.labelLimit;
    dot.fontSize = options.fontSize;
    return dot;
}

}  // namespace

LayoutOutcome LayoutGraph(const DialogueGraph& graph, const LayoutOptions& options) {
    LayoutOutcome outcome;
    if (auto refused = CheckLayoutLimits(graph, options.limits)) {
        outcome.error = std::move(refused);
        return outcome;
    }
    std::vector<GraphSize> sizes;
    sizes.reserve(graph.Nodes().size());
    for (const GraphNode& node : graph.Nodes()) {
        sizes.push_back(options.measure ? options.measure(node)
                                        : EstimateBoxSize(node, options.fontSize));
    }
    DotOptions dotOptions = DotOptionsFor(options);
    dotOptions.boxSizes = [&sizes](std::size_t node) { return sizes[node]; };
    const std::string dot = WriteGraphDot(graph, dotOptions);
    bool laidOut = false;
    const std::string reported = RunGraphviz([&](GVC_s* context) {
        const LaidOutGraph laid(context, dot);
        laidOut = laid.IsLaidOut();
        if (laidOut) {
            Reader(laid.Get(), graph, outcome.layout).Read();
        }
    });
    if (!laidOut) {
        outcome.error = Failure(reported);
    }
    return outcome;
}

SvgOutcome RenderGraphSvg(const DialogueGraph& graph, const LayoutOptions& options) {
    SvgOutcome outcome;
    if (auto refused = CheckLayoutLimits(graph, options.limits)) {
        outcome.error = std::move(refused);
        return outcome;
    }
    const std::string dot = WriteGraphDot(graph, DotOptionsFor(options));
    bool rendered = false;
    const std::string reported = RunGraphviz([&](GVC_s* context) {
        const LaidOutGraph laid(context, dot);
        char* data = nullptr;
        unsigned int length = 0;
        if (!laid.IsLaidOut() || gvRenderData(context, laid.Get(), "svg", &data, &length) != 0) {
            return;
        }
        const std::unique_ptr<char, void (*)(char*)> owned(data, gvFreeRenderData);
        outcome.svg.assign(data, length);
        rendered = true;
    });
    if (!rendered) {
        outcome.error = Failure(reported);
    }
    return outcome;
}

GraphSize EstimateBoxSize(const GraphNode& node, double fontSize) {
    constexpr double kLetterWidth = 0.6;  // of the font size, for an average proportional letter
    constexpr double kLineHeight = 1.2;
    constexpr double kPadding = 16;
    constexpr double kMinWidth = 54;  // Graphviz's own smallest box, 0.75 by 0.5 inch
    constexpr double kMinHeight = 36;
    std::size_t letters = node.name.size();
    std::size_t lines = 1;
    if (node.moreIn + node.moreOut > 0) {
        letters = std::max<std::size_t>(letters, 24);
        ++lines;
    }
    return {std::max(kMinWidth, static_cast<double>(letters) * kLetterWidth * fontSize + kPadding),
            std::max(kMinHeight, static_cast<double>(lines) * kLineHeight * fontSize + kPadding)};
}

std::vector<GraphPoint> Flatten(const EdgeRoute& route, std::size_t stepsPerPiece) {
    std::vector<GraphPoint> points;
    if (route.spline.empty()) {
        return points;
    }
    stepsPerPiece = std::max<std::size_t>(stepsPerPiece, 1);
    points.push_back(route.spline.front());
    for (std::size_t at = 0; at + 3 < route.spline.size(); at += 3) {
        const GraphPoint* p = &route.spline[at];
        for (std::size_t step = 1; step <= stepsPerPiece; ++step) {
            const double t = static_cast<double>(step) / static_cast<double>(stepsPerPiece);
            const double u = 1 - t;
            const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
            points.push_back({a * p[0].x + b * p[1].x + c * p[2].x + d * p[3].x,
                              a * p[0].y + b * p[1].y + c * p[2].y + d * p[3].y});
        }
    }
    points.push_back(route.arrowTip);
    return points;
}

}  // namespace tw
