// The document operations that undo a tree edit: a branch put back where it was, a node
// moved back to its place, sibling lists put back in their order.

#include <algorithm>

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
        orders.push_back(SiblingOrderOf(node));
    });
    return orders;
}

SiblingOrder SiblingOrderOf(const DialogueNode& parent) {
    SiblingOrder order{parent.GetId(), {}};
    order.second.reserve(parent.Children().size());
    for (const auto& child : parent.Children()) {
        order.second.push_back(child->GetId());
    }
    return order;
}

namespace {

// The children of parent in the order of ids, each child used once (siblings may share an
// id, and then go in their list order); nothing when the ids are not exactly the children's.
// The children are looked up in a list sorted by id: a map would cost an allocation a child.
std::optional<std::vector<DialogueNode*>> ChildrenInOrder(const DialogueNode& parent,
                                                          const std::vector<std::int32_t>& ids) {
    const auto& children = parent.Children();
    if (children.size() != ids.size()) {
        return std::nullopt;
    }
    std::vector<std::pair<std::int32_t, DialogueNode*>> byId;
    byId.reserve(children.size());
    for (const auto& child : children) {
        byId.emplace_back(child->GetId(), child.get());
    }
    std::stable_sort(byId.begin(), byId.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    // For each run of one id, how many of its nodes are taken, kept at the run's start.
    std::vector<std::size_t> taken(byId.size(), 0);
    std::vector<DialogueNode*> order;
    order.reserve(ids.size());
    for (std::int32_t id : ids) {
        const auto run =
            std::lower_bound(byId.begin(), byId.end(), id,
                             [](const auto& entry, std::int32_t key) { return entry.first < key; });
        const auto start = static_cast<std::size_t>(run - byId.begin());
        const std::size_t at = start + (start < taken.size() ? taken[start]++ : 0);
        if (at >= byId.size() || byId[at].first != id) {
            return std::nullopt;
        }
        order.push_back(byId[at].second);
    }
    return order;
}

}  // namespace

void Dialogue::RestoreSiblingOrder(const SiblingOrder& order) {
    DialogueNode* parent = FindNodeById(order.first);
    if (parent == nullptr) {
        return;
    }
    if (const auto children = ChildrenInOrder(*parent, order.second)) {
        parent->ReorderChildren(*children);
    }
}

void Dialogue::RestoreSiblingOrders(const SiblingOrders& orders) {
    for (const SiblingOrder& order : orders) {
        RestoreSiblingOrder(order);
    }
}

}  // namespace tw
