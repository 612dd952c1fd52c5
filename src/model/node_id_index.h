#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace tw {

class DialogueNode;

// The nodes of one tree by id, kept exact by the tree itself: a node attached below an
// indexed node joins the index with its whole branch, a detached one leaves it with its
// branch, and a renumbered one moves. Only nodes in the tree are ever answered, so a freed
// node cannot be. Ids held by two or more nodes answer the first of them in pre-order, as
// a walk from the root would.
//
// A reader that builds a whole tree suspends the index; the next look-up builds it again
// in one walk instead of paying a hash insertion per node while the file is read.
class NodeIdIndex {
public:
    explicit NodeIdIndex(DialogueNode& root) : root_(root) {}
    NodeIdIndex(const NodeIdIndex&) = delete;
    NodeIdIndex& operator=(const NodeIdIndex&) = delete;

    DialogueNode* Find(std::int32_t id);

    // The hooks DialogueNode calls as its links and id change.
    void Attach(DialogueNode& branch);
    void Detach(DialogueNode& branch);
    void Renumber(DialogueNode& node, std::int32_t oldId);

    // Stops tracking until the next look-up, which walks the tree once.
    void Suspend();

private:
    void Rebuild();
    void Add(DialogueNode& node);
    void Remove(DialogueNode& node, std::int32_t id);
    DialogueNode* FirstInPreOrder(const std::vector<DialogueNode*>& nodes) const;

    DialogueNode& root_;
    bool current_ = false;
    std::unordered_map<std::int32_t, DialogueNode*> unique_;
    // Ids that two or more nodes share, with every node that holds them.
    std::unordered_map<std::int32_t, std::vector<DialogueNode*>> shared_;
};

}  // namespace tw
