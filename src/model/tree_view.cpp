#include "model/tree_view.h"

#include <unordered_map>

#include "model/tree_walk.h"

namespace tw {

std::vector<TreeViewItem> TreeViewItems(Dialogue& dialogue) {
    std::vector<TreeViewItem> items;
    std::unordered_map<const DialogueNode*, int> indexOf;
    ForEachPreOrder(dialogue.Root(), [&](DialogueNode& node) {
        const bool isRoot = &node == &dialogue.Root();
        const int parent = isRoot ? -1 : indexOf.at(node.Parent());
        indexOf.emplace(&node, static_cast<int>(items.size()));
        items.push_back({node.Label(), node.GetId(), isRoot ? 1 : 0, parent, &node});
    });
    return items;
}

void SaveViewState(Dialogue& dialogue, const std::vector<bool>& expanded,
                   std::int32_t selectedNodeId) {
    std::size_t index = 0;
    ForEachPreOrder(dialogue.Root(), [&](DialogueNode& node) {
        node.SetExpanded(index < expanded.size() && expanded[index] ? 1 : 0);
        ++index;
    });
    dialogue.SetSelectedNodeId(selectedNodeId);
}

ViewState RestoreViewState(Dialogue& dialogue) {
    ViewState state;
    ForEachPreOrder(dialogue.Root(), [&](const DialogueNode& node) {
        if (state.selectedIndex < 0 && node.GetId() == dialogue.GetSelectedNodeId()) {
            state.selectedIndex = static_cast<int>(state.expanded.size());
        }
        state.expanded.push_back(node.GetExpanded() != 0);
    });
    return state;
}

}  // namespace tw
