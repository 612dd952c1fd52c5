#include "ui/views/tree_fill.h"

#include <QTreeWidgetItemIterator>
#include <unordered_map>
#include <utility>

#include "model/tree_view.h"
#include "model/tree_walk.h"
#include "ui/controls/command_icons.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/shown_label.h"

namespace tw {

QTreeWidgetItem* MakeNodeItem(EnhancedTreeCtrl& tree, const DialogueNode& node) {
    const int image = node.Parent() == nullptr ? kImageInitializationNode : kImageNode;
    return tree.MakeItem(ShownLabel(node.Label()), image, image, node.GetId());
}

// The items are made outside the tree and go in at once.
std::vector<QTreeWidgetItem*> FillTree(EnhancedTreeCtrl& tree, Dialogue& dialogue) {
    const std::vector<TreeViewItem> entries = TreeViewItems(dialogue);
    std::vector<QTreeWidgetItem*> items;
    items.reserve(entries.size());
    QList<QTreeWidgetItem*> top;
    for (const TreeViewItem& entry : entries) {
        QTreeWidgetItem* item = MakeNodeItem(tree, *entry.node);
        // Item 0 is the initialization node; its children go to the top level.
        if (entry.parentIndex > 0) {
            items[static_cast<std::size_t>(entry.parentIndex)]->addChild(item);
        } else {
            top.push_back(item);
        }
        items.push_back(item);
    }
    tree.addTopLevelItems(top);
    return items;
}

namespace {

// Each item's node id and expanded state, in the tree's pre-order, and the expanded items.
// Only items with children are asked: asking the view is most of the cost, and a leaf has
// nothing to show.
struct ItemStates {
    std::vector<std::pair<int, bool>> byItem;
    std::vector<QTreeWidgetItem*> expanded;
};

ItemStates StatesOf(EnhancedTreeCtrl& tree) {
    ItemStates states;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        const bool expanded = (*it)->childCount() > 0 && (*it)->isExpanded();
        states.byItem.emplace_back(EnhancedTreeCtrl::ItemValue(*it), expanded);
        if (expanded) {
            states.expanded.push_back(*it);
        }
    }
    return states;
}

// The states in the document's pre-order. The tree has the document's order but for an
// edit that made them part; then the node ids decide.
std::vector<bool> ExpandedInDocumentOrder(Dialogue& dialogue,
                                          const std::vector<std::pair<int, bool>>& states) {
    std::vector<bool> expanded;
    std::unordered_map<int, bool> byId;
    ForEachPreOrder(dialogue.Root(), [&](const DialogueNode& node) {
        const std::size_t at = expanded.size();
        if (at < states.size() && states[at].first == node.GetId() && byId.empty()) {
            expanded.push_back(states[at].second);
            return;
        }
        if (byId.empty()) {
            byId = std::unordered_map<int, bool>(states.begin(), states.end());
        }
        const auto found = byId.find(node.GetId());
        expanded.push_back(found != byId.end() && found->second);
    });
    return expanded;
}

}  // namespace

std::vector<QTreeWidgetItem*> SaveTreeState(EnhancedTreeCtrl& tree, Dialogue& dialogue) {
    ItemStates states = StatesOf(tree);
    const QTreeWidgetItem* selected = tree.currentItem();
    SaveViewState(dialogue, ExpandedInDocumentOrder(dialogue, states.byItem),
                  selected ? EnhancedTreeCtrl::ItemValue(selected) : 0);
    return std::move(states.expanded);
}

void RestoreTreeState(EnhancedTreeCtrl& tree, Dialogue& dialogue,
                      const std::vector<QTreeWidgetItem*>& items) {
    const ViewState state = RestoreViewState(dialogue);
    for (std::size_t i = 0; i < items.size() && i < state.expanded.size(); ++i) {
        if (state.expanded[i]) {
            items[i]->setExpanded(true);
        }
    }
    if (state.selectedIndex >= 0 && state.selectedIndex < static_cast<int>(items.size())) {
        tree.setCurrentItem(items[static_cast<std::size_t>(state.selectedIndex)]);
    }
}

}  // namespace tw
