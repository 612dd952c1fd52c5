#pragma once

// What the map takes from one node alone: its box and the links its rows make, with the
// targets as written. Never changed once made, so a list of them stays true to the moment it
// was taken and may be read on any thread while the dialogue is edited.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "graph/dialogue_graph.h"

namespace tw {

struct GraphLink {
    ReferenceKind kind = ReferenceKind::Goto;
    std::string target;  // the node name as written
    std::string label;   // shortened as the options asked
    bool isConditional = false;
    ItemKind item = ItemKind::Command;
    std::size_t row = 0;
};

struct GraphNodeFacts {
    std::int32_t id = -1;
    std::uint64_t serial = 0;
    std::string name;
    std::string description;
    std::string firstLine;         // shortened as the options asked
    std::vector<GraphLink> links;  // in row order
};

// The facts of a node whose rows are compiled, from the links they make.
GraphNodeFacts GraphNodeFactsOf(const DialogueNode& node, std::span<const NodeReference> references,
                                const GraphOptions& options = {});
// Compiles the node's rows (a row that does not compile makes no link), then reads it.
GraphNodeFacts DeriveGraphNodeFacts(DialogueNode& node, const GraphOptions& options = {});

// The first line of the node text that is not blank, as plain text, not shortened.
std::string FirstLineOf(const DialogueNode& node);
// A link's label: the choice of a branch or list entry, an [ADD]'s player text.
std::string LinkLabelOf(const NodeReference& reference);

}  // namespace tw
