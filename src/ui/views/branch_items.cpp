#include "ui/views/branch_items.h"

#include <QTreeWidgetItem>
#include <utility>
#include <vector>

#include "model/dialogue.h"
#include "model/tree_walk.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/views/tree_fill.h"

namespace tw {
namespace {

// The initialization node's item stands first at the top level, its children after it.
constexpr int kTopLevelOffset = 1;

struct ItemPlace {
    QTreeWidgetItem* parent = nullptr;  // none: the top level
    int index = 0;
};

int IndexAmongSiblings(const DialogueNode& node) {
    const auto& siblings = node.Parent()->Children();
    for (std::size_t i = 0; i < siblings.size(); ++i) {
        if (siblings[i].get() == &node) {
            return static_cast<int>(i);
        }
    }
    return static_cast<int>(siblings.size());
}

// Where the node's item belongs; nothing when its parent has no item.
std::optional<ItemPlace> PlaceOfItem(EnhancedTreeCtrl& tree, Dialogue& dialogue,
                                     const DialogueNode& node) {
    if (node.Parent() == nullptr) {
        return std::nullopt;
    }
    const int index = IndexAmongSiblings(node);
    if (node.Parent() == &dialogue.Root()) {
        return ItemPlace{nullptr, index + kTopLevelOffset};
    }
    QTreeWidgetItem* parent = tree.FindItem(node.Parent()->GetId());
    if (parent == nullptr) {
        return std::nullopt;
    }
    return ItemPlace{parent, index};
}

// The items of the branch, made outside the tree so that it goes in at once; the items
// to expand come back in expanded.
QTreeWidgetItem* MakeBranchItems(EnhancedTreeCtrl& tree, const DialogueNode& branch,
                                 std::vector<QTreeWidgetItem*>& expanded) {
    QTreeWidgetItem* top = MakeNodeItem(tree, branch);
    std::vector<std::pair<const DialogueNode*, QTreeWidgetItem*>> pending{{&branch, top}};
    while (!pending.empty()) {
        const auto [node, item] = pending.back();
        pending.pop_back();
        if (!node->Children().empty() && node->GetExpanded() != 0) {
            expanded.push_back(item);
        }
        for (const auto& child : node->Children()) {
            QTreeWidgetItem* childItem = MakeNodeItem(tree, *child);
            item->addChild(childItem);
            pending.emplace_back(child.get(), childItem);
        }
    }
    return top;
}

// The expanded items of a subtree, the top one included.
std::vector<QTreeWidgetItem*> ExpandedIn(QTreeWidgetItem* top) {
    std::vector<QTreeWidgetItem*> expanded;
    std::vector<QTreeWidgetItem*> pending{top};
    while (!pending.empty()) {
        QTreeWidgetItem* item = pending.back();
        pending.pop_back();
        if (item->childCount() > 0 && item->isExpanded()) {
            expanded.push_back(item);
        }
        for (int i = 0; i < item->childCount(); ++i) {
            pending.push_back(item->child(i));
        }
    }
    return expanded;
}

// Each node of the branch keeps its item's expanded state, matched by node id: the
// items were made from the nodes, so they mirror them.
void KeepExpandedState(QTreeWidgetItem* top, DialogueNode& branch) {
    std::vector<std::pair<QTreeWidgetItem*, DialogueNode*>> pending{{top, &branch}};
    while (!pending.empty()) {
        const auto [item, node] = pending.back();
        pending.pop_back();
        if (EnhancedTreeCtrl::ItemValue(item) != node->GetId()) {
            continue;
        }
        node->SetExpanded(item->childCount() > 0 && item->isExpanded() ? 1 : 0);
        const auto count = std::min<std::size_t>(static_cast<std::size_t>(item->childCount()),
                                                 node->Children().size());
        for (std::size_t i = 0; i < count; ++i) {
            pending.emplace_back(item->child(static_cast<int>(i)), node->Children()[i].get());
        }
    }
}

QTreeWidgetItem* TakeItem(EnhancedTreeCtrl& tree, QTreeWidgetItem* item) {
    QTreeWidgetItem* parent = item->parent();
    if (parent != nullptr) {
        return parent->takeChild(parent->indexOfChild(item));
    }
    return tree.takeTopLevelItem(tree.indexOfTopLevelItem(item));
}

// The root's children stand at the top level, after the initialization node's item.
bool SortChildItems(EnhancedTreeCtrl& tree, const DialogueNode& parent) {
    QTreeWidgetItem* parentItem = nullptr;
    if (parent.Parent() == nullptr) {
        parentItem = tree.invisibleRootItem();
        EnhancedTreeCtrl::SetItemRank(tree.FindItem(kInitializationNodeId), -1);
    } else {
        parentItem = tree.FindItem(parent.GetId());
    }
    if (parentItem == nullptr) {
        return false;
    }
    const auto& children = parent.Children();
    for (std::size_t i = 0; i < children.size(); ++i) {
        QTreeWidgetItem* child = tree.FindItem(children[i]->GetId());
        if (child == nullptr) {
            return false;
        }
        EnhancedTreeCtrl::SetItemRank(child, static_cast<int>(i));
    }
    tree.SortChildrenByRank(parentItem);
    return true;
}

}  // namespace

bool AddBranchItems(EnhancedTreeCtrl& tree, Dialogue& dialogue, const DialogueNode& branch) {
    const std::optional<ItemPlace> place = PlaceOfItem(tree, dialogue, branch);
    if (!place || tree.FindItem(branch.GetId()) != nullptr) {
        return false;
    }
    std::vector<QTreeWidgetItem*> expanded;
    QTreeWidgetItem* top = MakeBranchItems(tree, branch, expanded);
    tree.InsertItemAt(top, place->parent, place->index);
    tree.ExpandItems(expanded);
    return true;
}

bool RemoveBranchItems(EnhancedTreeCtrl& tree, DialogueNode& branch) {
    QTreeWidgetItem* item = tree.FindItem(branch.GetId());
    if (item == nullptr) {
        return false;
    }
    KeepExpandedState(item, branch);
    delete item;
    return true;
}

bool MoveBranchItems(EnhancedTreeCtrl& tree, Dialogue& dialogue, const DialogueNode& branch) {
    QTreeWidgetItem* item = tree.FindItem(branch.GetId());
    if (item == nullptr || !PlaceOfItem(tree, dialogue, branch)) {
        return false;
    }
    const std::vector<QTreeWidgetItem*> expanded = ExpandedIn(item);
    TakeItem(tree, item);
    // The place is found again with the item out: taking it may have shifted its
    // siblings' indices, never its new parent's item.
    const ItemPlace place = *PlaceOfItem(tree, dialogue, branch);
    tree.InsertItemAt(item, place.parent, place.index);
    tree.ExpandItems(expanded);
    return true;
}

// Every child gets its index in the document as its rank, and the parent's children are put
// in that order. Parents are sorted one at a time: the whole tree in one pass of the model's
// sort keeps the window's thread far longer than a frame at many thousands of nodes.
bool SortBranchItems(EnhancedTreeCtrl& tree, const DialogueNode& branch,
                     const std::function<bool(int done, int total)>& goOn) {
    constexpr int kNodesPerStep = 256;
    std::vector<const DialogueNode*> parents;
    int walked = 0;
    const DialogueNode* stopped = FindPreOrder(branch, [&](const DialogueNode& node) {
        if (node.Children().size() >= 2) {
            parents.push_back(&node);
        }
        return ++walked % kNodesPerStep == 0 && goOn && !goOn(0, 0);
    });
    if (stopped != nullptr) {
        return false;
    }
    const int total = static_cast<int>(parents.size());
    for (int done = 0; done < total; ++done) {
        if (goOn && !goOn(done, total)) {
            return false;
        }
        if (!SortChildItems(tree, *parents[static_cast<std::size_t>(done)])) {
            return false;
        }
    }
    return true;
}

}  // namespace tw
