#pragma once

// Every edge of a dialogue from a command or response to a node name, read from the compiled
// statements: the roads of the conversation, for the check and for following links.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/check/check_finding.h"
#include "model/check/no_case_hash.h"
#include "model/dialogue.h"

namespace tw {

class Statement;

enum class ReferenceKind { Goto, Branch, List, ListReturn, Add };

struct NodeReference {
    ReferenceKind kind = ReferenceKind::Goto;
    const DialogueNode* from = nullptr;
    ItemKind item = ItemKind::Command;
    std::size_t index = 0;  // row of the command or response in its node
    std::string choice;     // the choice text of a branch or list entry, the tag of an [ADD]
    std::string target;     // the node name as written
    DialogueNode* resolved = nullptr;  // null when the dialogue has no node of that name
    std::size_t resolvedIndex = 0;     // the resolved node's place in pre-order
    // Taken only when a condition holds: the command's or response's own, a list entry's,
    // or an if around it in a typed statement.
    bool conditional = false;
};

// Built over a compiled dialogue (commands without a statement contribute nothing). Editing
// the dialogue leaves the index stale; build a new one then.
class DialogueReferences {
public:
    explicit DialogueReferences(Dialogue& dialogue);

    const std::vector<NodeReference>& All() const { return references_; }
    // The references made by one command or response row.
    std::vector<const NodeReference*> From(const DialogueNode& node, ItemKind item,
                                           std::size_t index) const;
    // The references of one row alone, compiled afresh, for following a link without
    // indexing the whole dialogue; a row that does not compile makes none.
    static std::vector<NodeReference> OfRow(Dialogue& dialogue, DialogueNode& node, ItemKind item,
                                            std::size_t index);
    // The references a compiled node makes, in row order, none of them resolved.
    static std::vector<NodeReference> MadeBy(const DialogueNode& node);
    // The references that lead to the node.
    std::vector<const NodeReference*> To(const DialogueNode& node) const;
    // The nodes in pre-order, and a node's place in it (none for a node of another dialogue).
    const std::vector<DialogueNode*>& Nodes() const { return nodes_; }
    std::optional<std::size_t> IndexOf(const DialogueNode& node) const;
    // The references made by the node at that pre-order index, in row order.
    std::span<const NodeReference> OfNode(std::size_t index) const;

private:
    DialogueReferences() = default;
    void AddNode(const DialogueNode& node);
    void AddStatement(const DialogueNode& node, std::size_t index, bool isListCommand,
                      const Statement* statement, bool conditional = false);
    void Add(NodeReference reference);

    std::vector<DialogueNode*> nodes_;
    // The first node of each name, keyed by a view of the node's own name.
    std::unordered_map<std::string_view, std::size_t, NoCaseHash, NoCaseEqual> names_;
    std::vector<NodeReference> references_;
    std::vector<std::size_t> firstReference_;  // per node, then one past the last
};

// "goto", "branch", "list", "list return" or "response".
std::string_view ReferenceKindName(ReferenceKind kind);

}  // namespace tw
