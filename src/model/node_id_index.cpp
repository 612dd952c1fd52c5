#include "model/node_id_index.h"

#include <algorithm>

#include "model/dialogue_node.h"
#include "model/tree_walk.h"

namespace tw {
namespace {

// The nodes from the root down to node, both included.
std::vector<const DialogueNode*> PathFromRoot(const DialogueNode& node) {
    std::vector<const DialogueNode*> path;
    for (const DialogueNode* step = &node; step != nullptr; step = step->Parent()) {
        path.push_back(step);
    }
    std::reverse(path.begin(), path.end());
    return path;
}

// True when a pre-order walk reaches a before b; both lie in one tree.
bool ComesFirst(const DialogueNode& a, const DialogueNode& b) {
    const std::vector<const DialogueNode*> pathA = PathFromRoot(a);
    const std::vector<const DialogueNode*> pathB = PathFromRoot(b);
    std::size_t depth = 0;
    while (depth < pathA.size() && depth < pathB.size() && pathA[depth] == pathB[depth]) {
        ++depth;
    }
    if (depth == pathA.size() || depth == pathB.size()) {
        return pathA.size() < pathB.size();  // an ancestor comes before its branch
    }
    const DialogueNode& parent = *pathA[depth - 1];
    return parent.IndexOfChild(pathA[depth]) < parent.IndexOfChild(pathB[depth]);
}

}  // namespace

DialogueNode* NodeIdIndex::Find(std::int32_t id) {
    if (!current_) {
        Rebuild();
    }
    if (const auto found = unique_.find(id); found != unique_.end()) {
        return found->second;
    }
    if (const auto found = shared_.find(id); found != shared_.end()) {
        return FirstInPreOrder(found->second);
    }
    return nullptr;
}

void NodeIdIndex::Attach(DialogueNode& branch) {
    if (!current_) {
        return;  // the next look-up's walk finds the branch
    }
    ForEachPreOrder(branch, [this](DialogueNode& node) {
        node.idIndex_ = this;
        Add(node);
    });
}

// Clears the links even while suspended: a detached node must never call back here.
void NodeIdIndex::Detach(DialogueNode& branch) {
    ForEachPreOrder(branch, [this](DialogueNode& node) {
        node.idIndex_ = nullptr;
        if (current_) {
            Remove(node, node.GetId());
        }
    });
}

void NodeIdIndex::Renumber(DialogueNode& node, std::int32_t oldId) {
    if (current_) {
        Remove(node, oldId);
        Add(node);
    }
}

void NodeIdIndex::Suspend() {
    current_ = false;
    unique_.clear();
    shared_.clear();
}

void NodeIdIndex::Rebuild() {
    unique_.clear();
    shared_.clear();
    current_ = true;
    ForEachPreOrder(root_, [this](DialogueNode& node) {
        node.idIndex_ = this;
        Add(node);
    });
}

void NodeIdIndex::Add(DialogueNode& node) {
    const std::int32_t id = node.GetId();
    if (!shared_.empty()) {
        if (const auto more = shared_.find(id); more != shared_.end()) {
            more->second.push_back(&node);
            return;
        }
    }
    const auto [single, added] = unique_.try_emplace(id, &node);
    if (!added) {
        shared_.emplace(id, std::vector<DialogueNode*>{single->second, &node});
        unique_.erase(single);
    }
}

void NodeIdIndex::Remove(DialogueNode& node, std::int32_t id) {
    if (const auto single = unique_.find(id); single != unique_.end()) {
        if (single->second == &node) {
            unique_.erase(single);
        }
        return;
    }
    const auto more = shared_.find(id);
    if (more == shared_.end()) {
        return;
    }
    std::vector<DialogueNode*>& nodes = more->second;
    nodes.erase(std::remove(nodes.begin(), nodes.end(), &node), nodes.end());
    if (nodes.size() == 1) {
        unique_.emplace(id, nodes.front());
        shared_.erase(more);
    }
}

DialogueNode* NodeIdIndex::FirstInPreOrder(const std::vector<DialogueNode*>& nodes) const {
    DialogueNode* first = nodes.front();
    for (DialogueNode* node : nodes) {
        if (ComesFirst(*node, *first)) {
            first = node;
        }
    }
    return first;
}

}  // namespace tw
