// Switching tabs: the tree of the document left is kept whole, so going back to a large
// document costs two quick passes over its items, not one new item per node.

#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/node_tree_view.h"
#include "ui/main_window/talkwright_dlg.h"

namespace tw {

// A tree unchanged since it was put back has nothing new to keep in the document: its
// state there is the one it was put back with, and the selection is kept as it moves.
void CTalkwrightDlg::ParkShownTree() {
    std::optional<std::vector<QTreeWidgetItem*>> expanded =
        parkedTrees_.UnchangedExpanded(*shownDocument_, *tree_);
    if (expanded) {
        const QTreeWidgetItem* current = tree_->currentItem();
        shownDocument_->SetSelectedNodeId(current ? EnhancedTreeCtrl::ItemValue(current)
                                                  : kInitializationNodeId);
    } else {
        expanded = SaveTreeState(*tree_, *shownDocument_);
    }
    parkedTrees_.Park(*shownDocument_, *tree_, std::move(*expanded));
    ClearViews();
}

bool CTalkwrightDlg::ShowParkedDocument() {
    Dialogue& document = documents_.Current();
    const QSignalBlocker block(tree_);
    if (!parkedTrees_.PutBack(document, documents_, *tree_)) {
        return false;
    }
    history_.SetActive(document);
    SyncTabs();
    shownDocument_ = &document;
    RefreshSelection();
    RefreshTitle();
    return true;
}

}  // namespace tw
