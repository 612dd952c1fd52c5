#include "graph/graph_dot.h"

#include <charconv>

#include "base/windows1252.h"
#include "graph/layout_limits.h"

namespace tw {
namespace {

constexpr double kPointsPerInch = 72;

// dot places nodes by network simplex, whose passes grow with the square of its working graph
// on long links unless bounded: at most twice as many passes as the graph has nodes, for the
// ranks and for the positions.
constexpr std::string_view kBoundedLayout = "nslimit=2 nslimit1=2";

bool IsControl(unsigned char c) {
    return c < 0x20 || c == 0x7F;
}

// U+2400 + c for the C0 controls, U+2421 for DEL, in UTF-8.
void AppendControlPicture(std::string& out, unsigned char c) {
    out += '\xE2';
    out += '\x90';
    out += static_cast<char>(c == 0x7F ? 0xA1 : 0x80 + c);
}

// Bytes below 0x80 are the same in Windows-1252 and UTF-8, and no byte of a UTF-8 sequence
// is, so the escapes can work on the converted text.
void AppendEscaped(std::string& out, std::string_view text, DotTextRole role) {
    for (const char c : Windows1252ToUtf8(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"') {
            out += "\\\"";
        } else if (c == '\\') {
            out += role == DotTextRole::Label ? "\\\\" : "&#92;";
        } else if (c == '&') {
            out += "&amp;";
        } else if (IsControl(byte)) {
            AppendControlPicture(out, byte);
        } else {
            out += c;
        }
    }
}

// Numbers in the C locale's form, whatever the process's locale, without trailing zeros.
std::string Number(double value) {
    char buffer[64];
    const char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4).ptr;
    std::string_view number(buffer, static_cast<std::size_t>(end - buffer));
    if (number.find('.') != std::string_view::npos) {
        number = number.substr(0, number.find_last_not_of('0') + 1);
        if (number.ends_with('.')) {
            number.remove_suffix(1);
        }
    }
    return std::string(number);
}

std::string_view KindColour(ReferenceKind kind) {
    switch (kind) {
        case ReferenceKind::Goto:
            return "#333333";
        case ReferenceKind::Branch:
            return "#1f5fbf";
        case ReferenceKind::List:
        case ReferenceKind::ListReturn:
            return "#2e7d32";
        case ReferenceKind::Add:
            return "#b35900";
    }
    return {};
}

std::string NodeLabel(const GraphNode& node) {
    std::string label = "\"";
    AppendEscaped(label, node.name, DotTextRole::Label);
    if (node.moreIn > 0 || node.moreOut > 0) {
        const std::string in = node.moreIn > 0 ? "+" + std::to_string(node.moreIn) + " in" : "";
        const std::string out = node.moreOut > 0 ? "+" + std::to_string(node.moreOut) + " out" : "";
        label += "\\n(" + in + (in.empty() || out.empty() ? "" : ", ") + out + ")";
    }
    return label + '"';
}

std::string NodeTooltip(const GraphNode& node) {
    if (node.isGhost) {
        return DotQuoted("no node has this name", DotTextRole::Tooltip);
    }
    std::string tip =
        node.description.empty() ? node.name : node.name + " [" + node.description + "]";
    if (!node.firstLine.empty()) {
        tip += ": " + node.firstLine;
    }
    return DotQuoted(tip, DotTextRole::Tooltip);
}

std::string NodeStyle(const GraphNode& node) {
    if (node.isGhost) {
        return " style=dashed color=\"#c62828\" fontcolor=\"#c62828\" class=ghost";
    }
    std::string style;
    if (node.isStart) {
        style += " peripheries=2 class=start";
    }
    if (!node.isReachable) {
        style += " style=filled fillcolor=\"#eeeeee\" fontcolor=\"#666666\" class=unreachable";
    }
    return style;
}

void WriteNode(std::string& out, std::size_t index, const GraphNode& node,
               const DotOptions& options) {
    const std::string id = "n" + std::to_string(index);
    out += "  " + id + " [id=" + id + " label=" + NodeLabel(node) +
           " tooltip=" + NodeTooltip(node) + NodeStyle(node);
    if (options.boxSizes) {
        const GraphSize size = options.boxSizes(index);
        out += " fixedsize=true width=" + Number(size.width / kPointsPerInch) +
               " height=" + Number(size.height / kPointsPerInch);
    }
    out += "];\n";
}

std::string EdgeClass(const GraphEdge& edge) {
    std::string names(GraphEdgeKindName(edge.kind));
    names += edge.isConditional ? " conditional" : "";
    names += edge.isMissing ? " missing" : "";
    return names;
}

void WriteEdge(std::string& out, std::size_t index, const GraphEdge& edge,
               const DotOptions& options, bool rankedLabels) {
    out += "  n" + std::to_string(edge.from) + " -> n" + std::to_string(edge.to) + " [id=e" +
           std::to_string(index) + " class=\"" + EdgeClass(edge) + "\"";
    if (!edge.label.empty()) {
        out += rankedLabels ? " label=" : " xlabel=";
        out += DotQuoted(ShortenForDisplay(edge.label, options.labelLimit));
    }
    out += " color=\"";
    out += edge.isMissing ? "#c62828" : KindColour(edge.kind);
    out += '"';
    if (edge.isConditional) {
        out += " style=dashed";
    }
    if (edge.kind == ReferenceKind::ListReturn) {
        out += " arrowhead=empty";
    }
    out += "];\n";
}

}  // namespace

std::string DotQuoted(std::string_view text, DotTextRole role) {
    std::string quoted = "\"";
    AppendEscaped(quoted, text, role);
    return quoted + '"';
}

std::string WriteGraphDot(const DialogueGraph& graph, const DotOptions& options) {
    const std::string fontSize = Number(options.fontSize);
    const std::string edgeFontSize = Number(options.fontSize > 2 ? options.fontSize - 1 : 1);
    std::string out = "digraph dialogue {\n  graph [charset=\"UTF-8\" rankdir=TB " +
                      std::string(kBoundedLayout) +
                      "];\n"
                      "  node [shape=box fontname=Helvetica fontsize=" +
                      fontSize + "];\n  edge [fontname=Helvetica fontsize=" + edgeFontSize + "];\n";
    for (std::size_t i = 0; i < graph.Nodes().size(); ++i) {
        WriteNode(out, i, graph.Nodes()[i], options);
    }
    const bool rankedLabels =
        options.linkLabels == LinkLabels::kRanked ||
        (options.linkLabels == LinkLabels::kAuto && EstimateLayoutWork(graph) <= kRankedLabelsWork);
    for (std::size_t i = 0; i < graph.Edges().size(); ++i) {
        WriteEdge(out, i, graph.Edges()[i], options, rankedLabels);
    }
    return out + "}\n";
}

}  // namespace tw
