// Switching tabs: the tree of the document left is kept whole, so going back to a large
// document costs about as much as its expanded state, not one new item per node.

#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/node_tree_view.h"
#include "ui/main_window/talkwright_dlg.h"

namespace tw {

void CTalkwrightDlg::ParkShownTree() {
    parkedTrees_.Park(*shownDocument_, *tree_);
    ClearViews();
}

bool CTalkwrightDlg::ShowParkedDocument() {
    Dialogue& document = documents_.Current();
    const QSignalBlocker block(tree_);
    const std::vector<QTreeWidgetItem*> items = parkedTrees_.PutBack(document, documents_, *tree_);
    if (items.empty()) {
        return false;
    }
    SyncTabs();
    RestoreTreeState(*tree_, document, items);
    shownDocument_ = &document;
    RefreshSelection();
    RefreshTitle();
    return true;
}

}  // namespace tw
