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

// One walk builds the index, so a branch of any size is put back in linear time.
void Dialogue::RestoreSiblingOrders(const SiblingOrders& orders) {
    std::unordered_map<std::int32_t, DialogueNode*> byId;
    ForEachPreOrder(*root_, [&byId](DialogueNode& node) { byId.emplace(node.GetId(), &node); });
    for (const auto& [parentId, childIds] : orders) {
        const auto parent = byId.find(parentId);
        if (parent == byId.end() || parent->second->Children().size() != childIds.size()) {
            continue;
        }
        std::vector<DialogueNode*> order;
        for (std::int32_t childId : childIds) {
            const auto child = byId.find(childId);
            if (child == byId.end() || child->second->Parent() != parent->second) {
                break;
            }
            order.push_back(child->second);
        }
        if (order.size() == childIds.size()) {
            parent->second->ReorderChildren(order);
        }
    }
}

}  // namespace tw
