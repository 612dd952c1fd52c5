#pragma once

// What the editor's tree view shows of a dialogue, and the view state kept in the
// document, without any widget: one item per node in pre-order, so item i of every call
// below is the same node.

#include <cstdint>
#include <string>
#include <vector>

#include "model/dialogue.h"

namespace tw {

// One row of the tree view.
struct TreeViewItem {
    std::string label;
    std::int32_t nodeId = 0;
    int image = 0;         // 1 for the root, 0 for every other node
    int parentIndex = -1;  // index of the parent's item; -1 for the root
    DialogueNode* node = nullptr;
};

// The items in pre-order: every parent comes before its children.
std::vector<TreeViewItem> TreeViewItems(Dialogue& dialogue);

// Keeps the view's state in the document: expanded[i] is item i's expanded state.
void SaveViewState(Dialogue& dialogue, const std::vector<bool>& expanded,
                   std::int32_t selectedNodeId);

// The view state to restore: which items to expand, and the item to select (-1: none).
struct ViewState {
    std::vector<bool> expanded;
    int selectedIndex = -1;
};
ViewState RestoreViewState(Dialogue& dialogue);

}  // namespace tw
