#pragma once

// The conversation map: a dialogue's nodes as boxes and every link between them, read from
// the references the check follows. A graph is a plain value holding copies of what it
// shows, so a view may lay it out on another thread while the dialogue is edited.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/check/check_finding.h"
#include "model/check/dialogue_references.h"

namespace tw {

class Dialogue;
class DialogueNode;

// One box: a node of the dialogue, or a ghost that stands for a name links lead to but no
// node has. Texts are the model's Windows-1252 bytes.
struct GraphNode {
    std::int32_t id = -1;      // the node's id; -1 for a ghost
    std::uint64_t serial = 0;  // DialogueNode::GetSerial(), the key back to the node; 0 for a ghost
    std::string name;          // a ghost's name is the target as first written
    std::string description;
    std::string firstLine;     // the first line of the node text that is not blank, as plain text
    bool isStart = false;      // the initialization node
    bool isReachable = false;  // some road from the initialization node leads here
    bool isGhost = false;      // no node has this name: every link to it is broken
    // In a neighbourhood: the links of this node that come from, or lead to, nodes outside it.
    std::size_t moreIn = 0;
    std::size_t moreOut = 0;
};

// One link, from the command or response row of its source node where it is written.
struct GraphEdge {
    std::size_t from = 0;  // indices into DialogueGraph::Nodes()
    std::size_t to = 0;
    ReferenceKind kind = ReferenceKind::Goto;
    std::string label;           // the choice of a branch or list entry, an [ADD]'s player text
    bool isConditional = false;  // taken only when a condition holds
    bool isMissing = false;      // leads to a ghost
    ItemKind item = ItemKind::Command;
    std::size_t row = 0;
};

struct GraphOptions {
    // Longest label and first line kept, in characters; longer ones end in "...". 0 keeps all.
    std::size_t labelLimit = 0;
    std::size_t textLimit = 0;
};

// Nodes and edges with an index of the edges into and out of every node.
class DialogueGraph {
public:
    DialogueGraph() = default;
    // Every edge's ends must be indices into nodes.
    DialogueGraph(std::vector<GraphNode> nodes, std::vector<GraphEdge> edges);

    const std::vector<GraphNode>& Nodes() const { return nodes_; }
    const std::vector<GraphEdge>& Edges() const { return edges_; }
    // Indices into Edges() of the edges leaving or entering the node, in edge order.
    std::span<const std::size_t> OutEdges(std::size_t node) const;
    std::span<const std::size_t> InEdges(std::size_t node) const;
    // The first node of that name (case-insensitive, as links resolve), ghosts included;
    // Nodes().size() when there is none. Linear in the nodes.
    std::size_t Find(std::string_view name) const;

private:
    friend bool RefreshNodeBox(DialogueGraph& graph, std::size_t index, const DialogueNode& node,
                               const GraphOptions& options);

    std::vector<GraphNode> nodes_;
    std::vector<GraphEdge> edges_;
    std::vector<std::size_t> outStart_;  // per node, then one past the last
    std::vector<std::size_t> out_;
    std::vector<std::size_t> inStart_;
    std::vector<std::size_t> in_;
};

// The graph of a compiled dialogue's references: its nodes in pre-order (node 0 is the
// initialization node), then one ghost per missing name (case-insensitive) in the order
// first met; edges in the order of the references. Reachability is the check's own.
DialogueGraph BuildDialogueGraph(const DialogueReferences& references,
                                 const GraphOptions& options = {});

// Compiles every command and condition first, as the check does (a row that does not compile
// makes no link), then builds the graph; on the thread that owns the dialogue, as any compile. The
// compile's messages go to compileMessages when given, in the words of the check command.
DialogueGraph CompileDialogueGraph(Dialogue& dialogue, const GraphOptions& options = {},
                                   std::vector<std::string>* compileMessages = nullptr);

// After an edit of one compiled node of the graph's dialogue, without a new graph: when the
// links its rows make are still the graph's (kinds, targets, labels, conditions and rows),
// the node's box at index takes its new first line and the answer is true; otherwise the
// graph is left as it was and only a new one shows the edit. Costs what the node's rows do.
bool RefreshNodeBox(DialogueGraph& graph, std::size_t index, const DialogueNode& node,
                    const GraphOptions& options = {});

// "goto", "branch", "list", "list-return" or "add".
std::string_view GraphEdgeKindName(ReferenceKind kind);

// text cut to limit characters, the last three of them "...", when it is longer; 0 keeps all.
std::string ShortenForDisplay(std::string_view text, std::size_t limit);

}  // namespace tw
