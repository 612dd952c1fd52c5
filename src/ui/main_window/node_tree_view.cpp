#include "ui/main_window/node_tree_view.h"

#include <QTreeWidgetItemIterator>
#include <unordered_map>

#include "model/tree_view.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/platform/text_codec.h"

namespace tw {

std::vector<QTreeWidgetItem*> FillTree(EnhancedTreeCtrl& tree, Dialogue& dialogue) {
    const std::vector<TreeViewItem> entries = TreeViewItems(dialogue);
    std::vector<QTreeWidgetItem*> items;
    items.reserve(entries.size());
    for (const TreeViewItem& entry : entries) {
        // Item 0 is the initialization node; its children go to the top level.
        QTreeWidgetItem* parent = entry.parentIndex > 0 ? items[entry.parentIndex] : nullptr;
        items.push_back(tree.InsertItem(FromBytes(entry.label), entry.image, entry.image,
                                        entry.nodeId, parent));
    }
    return items;
}

void SaveTreeState(EnhancedTreeCtrl& tree, Dialogue& dialogue) {
    std::unordered_map<int, bool> expandedById;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        expandedById.emplace(EnhancedTreeCtrl::ItemValue(*it), (*it)->isExpanded());
    }
    std::vector<bool> expanded;
    for (const TreeViewItem& entry : TreeViewItems(dialogue)) {
        const auto found = expandedById.find(entry.nodeId);
        expanded.push_back(found != expandedById.end() && found->second);
    }
    const QTreeWidgetItem* selected = tree.currentItem();
    SaveViewState(dialogue, expanded, selected ? EnhancedTreeCtrl::ItemValue(selected) : 0);
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
