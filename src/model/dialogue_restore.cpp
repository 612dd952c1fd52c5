// The document operations that undo a tree edit: a branch put back where it was, a node
// moved back to its place, sibling lists put back in their order.

#include <unordered_map>

#include "model/dialogue.h"
#include "model/tree_walk.h"

namespace tw {
std::optional<NodePlace> Dialogue::PlaceOf(std::int32_t id) {
    DialogueNode* node = FindMovableNode(id);
    if (node == nullptr) {
        return std::nullopt;
    }
    return NodePlace{node->Parent()->GetId(), node->Parent()->IndexOfChild(node)};
}

std::optional<DetachedBranch> Dialogue::DetachBranch(std::int32_t id) {
    const std::optional<NodePlace> place = PlaceOf(id);
    if (!place) {
        return std::nullopt;
    }
    DialogueNode* node = FindMovableNode(id);
    return DetachedBranch{node->Parent()->DetachChild(node), *place};
}

bool Dialogue::RestoreBranch(DetachedBranch& branch) {
    DialogueNode* parent = FindNodeById(branch.place.parentId);
    if (parent == nullptr || branch.node == nullptr) {
        return false;
    }
    parent->InsertChild(branch.place.index, std::move(branch.node));
    return true;
}

bool Dialogue::PlaceNode(std::int32_t id, const NodePlace& place) {
    DialogueNode* node = FindMovableNode(id);
    DialogueNode* parent = FindNodeById(place.parentId);
    if (node == nullptr || parent == nullptr || node->Contains(parent)) {
        return false;
    }
    parent->InsertChild(place.index, node->Parent()->DetachChild(node));
    return true;
}

SiblingOrders Dialogue::CaptureSiblingOrders(std::int32_t id) {
    SiblingOrders orders;
    DialogueNode* top = FindNodeById(id);
    if (top == nullptr) {
        return orders;
    }
    ForEachPreOrder(*top, [&orders](DialogueNode& node) {
        if (node.Children().size() < 2) {
            return;
        }
        std::vector<std::int32_t> ids;
        ids.reserve(node.Children().size());
        for (const auto& child : node.Children()) {
            ids.push_back(child->GetId());
        }
        orders.emplace_back(node.GetId(), std::move(ids));
    });
    return orders;
}

namespace {

// The children of parent in the order of ids, each child used once (siblings may share an
// id); nothing when the ids are not exactly the children's.
std::optional<std::vector<DialogueNode*>> ChildrenInOrder(const DialogueNode& parent,
                                                          const std::vector<std::int32_t>& ids) {
    const auto& children = parent.Children();
    if (children.size() != ids.size()) {
        return std::nullopt;
    }
    std::unordered_map<std::int32_t, std::vector<DialogueNode*>> unused;
    for (auto child = children.rbegin(); child != children.rend(); ++child) {
        unused[(*child)->GetId()].push_back(child->get());  // the first one ends up last
    }
    std::vector<DialogueNode*> order;
    order.reserve(ids.size());
    for (std::int32_t id : ids) {
        const auto found = unused.find(id);
        if (found == unused.end() || found->second.empty()) {
            return std::nullopt;
        }
        order.push_back(found->second.back());
        found->second.pop_back();
    }
    return order;
}

}  // namespace

void Dialogue::RestoreSiblingOrders(const SiblingOrders& orders) {
    for (const auto& [parentId, childIds] : orders) {
        DialogueNode* parent = FindNodeById(parentId);
        if (parent == nullptr) {
            continue;
        }
        if (const auto order = ChildrenInOrder(*parent, childIds)) {
            parent->ReorderChildren(*order);
        }
    }
}

}  // namespace tw
