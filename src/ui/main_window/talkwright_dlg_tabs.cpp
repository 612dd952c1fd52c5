// Switching tabs: the tree of the document left is kept whole, so going back to a large
// document costs two quick passes over its items, not one new item per node.

#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/main_window/talkwright_dlg.h"

namespace tw {

void CTalkwrightDlg::ParkShownTree(std::vector<QTreeWidgetItem*> expanded) {
    parkedTrees_.Park(*shownDocument_, *tree_, std::move(expanded));
    ClearViews();
}

bool CTalkwrightDlg::ShowParkedDocument() {
    Dialogue& document = documents_.Current();
    const QSignalBlocker block(tree_);
    if (!parkedTrees_.PutBack(document, documents_, *tree_)) {
        return false;
    }
    SyncTabs();
    shownDocument_ = &document;
    RefreshSelection();
    RefreshTitle();
    return true;
}

}  // namespace tw
