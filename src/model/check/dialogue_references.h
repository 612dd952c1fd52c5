#pragma once

// Every edge of a dialogue from a command or response to a node name, read from the compiled
// statements: the roads of the conversation, for the check and for following links.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/check/check_finding.h"
#include "model/dialogue.h"
#include "model/node_name_index.h"

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
    // The references that lead to the node.
    std::vector<const NodeReference*> To(const DialogueNode& node) const;
    const NodeNameIndex& Names() const { return names_; }

private:
    void AddNode(DialogueNode& node);
    void AddStatement(const DialogueNode& node, std::size_t index, bool isListCommand,
                      const Statement* statement);
    void Add(NodeReference reference);

    NodeNameIndex names_;
    std::vector<NodeReference> references_;
};

// "goto", "branch", "list", "list return" or "response".
std::string_view ReferenceKindName(ReferenceKind kind);

}  // namespace tw
