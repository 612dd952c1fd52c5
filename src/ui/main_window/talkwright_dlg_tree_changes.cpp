// Showing a step's change to the node tree: a step that says which branch it changed has
// only that branch's items made, removed, moved or reordered, so its cost follows the
// branch; the whole tree is filled again only where the items and the document part.

#include "model/dialogue.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/branch_items.h"
#include "ui/main_window/node_tree_view.h"
#include "ui/main_window/talkwright_dlg.h"

namespace tw {
namespace {

bool ChangeBranchItems(EnhancedTreeCtrl& tree, Dialogue& document, ViewScope scope,
                       DialogueNode& changed) {
    switch (scope) {
        case ViewScope::kBranchAdded:
            return AddBranchItems(tree, document, changed);
        case ViewScope::kBranchRemoved:
            return RemoveBranchItems(tree, changed);
        case ViewScope::kBranchMoved:
            return MoveBranchItems(tree, document, changed);
        case ViewScope::kBranchSorted:
            return SortBranchItems(tree, document, changed);
        default:
            return false;
    }
}

}  // namespace

void CTalkwrightDlg::ShowWholeTree(Dialogue& document, std::int32_t nodeId) {
    SaveTreeState(*tree_, document);
    document.SetSelectedNodeId(nodeId);
    RebuildView();
    SelectNodeItem(nodeId);
}

// The tree keeps quiet while its items change: the selection it may lose on the way is
// set once, to the step's node, afterwards. With no item for that node nothing is
// selected, as a tree filled again would show it.
void CTalkwrightDlg::ShowBranchChange(Dialogue& document, std::int32_t nodeId, ViewScope scope,
                                      DialogueNode& changed) {
    bool done = false;
    {
        const QSignalBlocker block(tree_);
        done = ChangeBranchItems(*tree_, document, scope, changed);
        if (done && ItemOfNode(nodeId) == nullptr) {
            tree_->setCurrentItem(nullptr);
        }
    }
    if (!done) {
        ShowWholeTree(document, nodeId);
        return;
    }
    document.SetSelectedNodeId(nodeId);
    if (!SelectNodeItem(nodeId)) {
        RefreshSelection();
    }
}

}  // namespace tw
