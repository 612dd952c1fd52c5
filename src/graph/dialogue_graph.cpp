#include "graph/dialogue_graph.h"

#include <memory>

#include "base/byte_string.h"
#include "graph/graph_node_facts.h"
#include "graph/graph_snapshot.h"
#include "model/dialogue.h"
#include "model/dialogue_compile.h"

namespace tw {
namespace {

// Counts per node become the start of each node's run; the runs are then filled in order.
void IndexEdges(std::size_t nodeCount, const std::vector<GraphEdge>& edges,
                std::size_t GraphEdge::*end, std::vector<std::size_t>& start,
                std::vector<std::size_t>& list) {
    start.assign(nodeCount + 1, 0);
    for (const GraphEdge& edge : edges) {
        ++start[edge.*end + 1];
    }
    for (std::size_t i = 0; i < nodeCount; ++i) {
        start[i + 1] += start[i];
    }
    list.resize(edges.size());
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (std::size_t i = 0; i < edges.size(); ++i) {
        list[next[edges[i].*end]++] = i;
    }
}

}  // namespace

DialogueGraph::DialogueGraph(std::vector<GraphNode> nodes, std::vector<GraphEdge> edges)
    : nodes_(std::move(nodes)), edges_(std::move(edges)) {
    IndexEdges(nodes_.size(), edges_, &GraphEdge::from, outStart_, out_);
    IndexEdges(nodes_.size(), edges_, &GraphEdge::to, inStart_, in_);
}

std::span<const std::size_t> DialogueGraph::OutEdges(std::size_t node) const {
    return {out_.data() + outStart_.at(node), outStart_.at(node + 1) - outStart_.at(node)};
}

std::span<const std::size_t> DialogueGraph::InEdges(std::size_t node) const {
    return {in_.data() + inStart_.at(node), inStart_.at(node + 1) - inStart_.at(node)};
}

std::size_t DialogueGraph::Find(std::string_view name) const {
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        if (EqualsNoCase(nodes_[i].name, name)) {
            return i;
        }
    }
    return nodes_.size();
}

DialogueGraph BuildDialogueGraph(const DialogueReferences& references,
                                 const GraphOptions& options) {
    GraphSnapshot snapshot;
    snapshot.reserve(references.Nodes().size());
    for (std::size_t i = 0; i < references.Nodes().size(); ++i) {
        snapshot.push_back(std::make_shared<const GraphNodeFacts>(
            GraphNodeFactsOf(*references.Nodes()[i], references.OfNode(i), options)));
    }
    return BuildDialogueGraph(snapshot);
}

DialogueGraph CompileDialogueGraph(Dialogue& dialogue, const GraphOptions& options,
                                   std::vector<std::string>* compileMessages) {
    std::vector<std::string> messages = CompileDialogue(dialogue);
    if (compileMessages != nullptr) {
        *compileMessages = std::move(messages);
    }
    const DialogueReferences references(dialogue);
    return BuildDialogueGraph(references, options);
}

bool RefreshNodeBox(DialogueGraph& graph, std::size_t index, const DialogueNode& node,
                    const GraphOptions& options) {
    if (index >= graph.nodes_.size() || graph.nodes_[index].isGhost ||
        graph.nodes_[index].id != node.GetId()) {
        return false;
    }
    const std::vector<NodeReference> made = DialogueReferences::MadeBy(node);
    const std::span<const std::size_t> out = graph.OutEdges(index);
    if (made.size() != out.size()) {
        return false;
    }
    for (std::size_t i = 0; i < made.size(); ++i) {
        const GraphEdge& edge = graph.edges_[out[i]];
        const NodeReference& reference = made[i];
        if (edge.kind != reference.kind || edge.item != reference.item ||
            edge.row != reference.index || edge.isConditional != reference.conditional ||
            !EqualsNoCase(graph.nodes_[edge.to].name, reference.target) ||
            edge.label != ShortenForDisplay(LinkLabelOf(reference), options.labelLimit)) {
            return false;
        }
    }
    graph.nodes_[index].firstLine = ShortenForDisplay(FirstLineOf(node), options.textLimit);
    return true;
}

std::string_view GraphEdgeKindName(ReferenceKind kind) {
    switch (kind) {
        case ReferenceKind::Goto:
            return "goto";
        case ReferenceKind::Branch:
            return "branch";
        case ReferenceKind::List:
            return "list";
        case ReferenceKind::ListReturn:
            return "list-return";
        case ReferenceKind::Add:
            return "add";
    }
    return {};
}

// Windows-1252 has one byte per character, so a cut never splits one.
std::string ShortenForDisplay(std::string_view text, std::size_t limit) {
    constexpr std::string_view kEllipsis = "...";
    if (limit == 0 || text.size() <= limit) {
        return std::string(text);
    }
    if (limit <= kEllipsis.size()) {
        return std::string(kEllipsis.substr(0, limit));
    }
    return std::string(text.substr(0, limit - kEllipsis.size())) + std::string(kEllipsis);
}

}  // namespace tw
