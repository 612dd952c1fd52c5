// The node menu of the tree (right button), the Sort menu and Expand/Collapse All.

#include <QContextMenuEvent>
#include <QMenu>
#include <QTreeWidgetItem>

#include "model/dialogue.h"
#include "model/editing/dialogue_names.h"
#include "model/editing/link_retarget.h"
#include "script/byte_string.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/dialogs/create_node.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/main_window/undo/tree_steps.h"
#include "ui/platform/platform_services.h"

namespace tw {

// Rename, Clear Node, Delete Branch and Make Root need a node; Make Root one that is not
// already at the top.
void CTalkwrightDlg::FillNodeMenu(QMenu& menu) {
    QTreeWidgetItem* item = tree_->currentItem();
    const bool isNode = IsPlainNodeItem(item);
    const auto add = [this, &menu](const char* caption, bool enabled,
                                   void (CTalkwrightDlg::*run)()) {
        QAction* action = menu.addAction(caption);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, run);
    };
    add("&Rename", isNode, &CTalkwrightDlg::OnRenameNode);
    add("&Clear Node", isNode, &CTalkwrightDlg::OnClearNode);
    add("Delete &Branch", isNode, &CTalkwrightDlg::OnDeleteBranch);
    add("&Make Root", isNode && item->parent() != nullptr, &CTalkwrightDlg::OnMakeRoot);
    add("&Add New Node", true, &CTalkwrightDlg::OnAddNewNode);
    add("&Test from Selected Node", isNode, &CTalkwrightDlg::OnTestFromSelectedNode);
}

namespace {

// Notes whether the tree's menu was asked for with the menu key rather than the mouse.
class ContextMenuReason : public QObject {
public:
    explicit ContextMenuReason(QObject* parent) : QObject(parent) {}
    bool FromKeyboard() const { return keyboard_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ContextMenu) {
            keyboard_ =
                static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool keyboard_ = false;
};

}  // namespace

void CTalkwrightDlg::WatchNodeMenuReason() {
    auto* reason = new ContextMenuReason(tree_);
    reason->setObjectName("nodeMenuReason");
    tree_->installEventFilter(reason);
    tree_->viewport()->installEventFilter(reason);
}

// The mouse picks the item under it; the menu key keeps the selection and opens the menu
// on the selected item.
void CTalkwrightDlg::ShowNodeMenu(const QPoint& pos) {
    const auto* reason = tree_->findChild<ContextMenuReason*>("nodeMenuReason");
    const bool keyboard = reason != nullptr && reason->FromKeyboard();
    if (QTreeWidgetItem* hit = keyboard ? nullptr : tree_->itemAt(pos)) {
        tree_->setCurrentItem(hit);
    }
    QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr) {
        return;
    }
    QMenu menu(this);
    FillNodeMenu(menu);
    AddLinkActions(menu, true);
    const QPoint at = keyboard ? tree_->visualItemRect(item).center() : pos;
    menu.exec(tree_->viewport()->mapToGlobal(at));
}

void CTalkwrightDlg::OnRenameNode() {
    DialogueNode* node = IsPlainNodeItem(tree_->currentItem()) ? SelectedNode() : nullptr;
    if (node == nullptr) {
        return;
    }
    CCreateNode dialog(Services(), node->GetName(), node->GetDescription(),
                       NodeNamesOf(*shownDocument_), "Rename Node", this);
    if (runDialog_(dialog) != QDialog::Accepted ||
        (dialog.GetName() == node->GetName() &&
         dialog.GetDescription() == node->GetDescription())) {
        return;
    }
    Apply(new RenameNodeStep(*shownDocument_, history_.Update(), node->GetId(), dialog.GetName(),
                             dialog.GetDescription(),
                             LinksToCarry(node->GetName(), dialog.GetName())));
}

// The rows that lead to the old name, rebuilt for the new one, when the writer wants them
// to follow the rename; none otherwise.
std::vector<RetargetedRow> CTalkwrightDlg::LinksToCarry(const std::string& from,
                                                        const std::string& to) {
    if (EqualsNoCase(from, to)) {
        return {};  // names match without case: every link still finds the node
    }
    std::vector<RetargetedRow> links = RetargetLinks(*shownDocument_, from, to);
    if (links.empty()) {
        return links;
    }
    const std::string question = std::to_string(links.size()) + " commands and responses lead to " +
                                 from + ". Update them to " + to + "?";
    if (Services().ShowMessage(MessageKind::kWarning, "Warning", question,
                               MessageButtons::kYesNo) != MessageAnswer::kYes) {
        links.clear();
    }
    return links;
}

void CTalkwrightDlg::OnClearNode() {
    DialogueNode* node = IsPlainNodeItem(tree_->currentItem()) ? SelectedNode() : nullptr;
    if (node == nullptr ||
        Services().ShowMessage(MessageKind::kWarning, "Warning",
                               "Are you sure you want to clear node " + node->GetName() + "?",
                               MessageButtons::kYesNo) != MessageAnswer::kYes) {
        return;
    }
    Apply(new ClearNodeStep(*shownDocument_, history_.Update(), node->GetId()));
}

void CTalkwrightDlg::OnDeleteBranch() {
    DialogueNode* node = IsPlainNodeItem(tree_->currentItem()) ? SelectedNode() : nullptr;
    if (node == nullptr || Services().ShowMessage(MessageKind::kWarning, "Warning",
                                                  "Are you sure you want to delete node " +
                                                      node->GetName() + " and all of its children?",
                                                  MessageButtons::kYesNo) != MessageAnswer::kYes) {
        return;
    }
    Apply(new DeleteBranchStep(*shownDocument_, history_.Update(), node->GetId()));
}

void CTalkwrightDlg::OnMakeRoot() {
    QTreeWidgetItem* item = tree_->currentItem();
    DialogueNode* node = IsPlainNodeItem(item) && item->parent() ? SelectedNode() : nullptr;
    if (node != nullptr) {
        Apply(new MoveNodeStep(*shownDocument_, history_.Update(), node->GetId(), 0, true));
    }
}

// A node added on the "Initialization Node" item, or with nothing selected, goes to the top.
void CTalkwrightDlg::OnAddNewNode() {
    Dialogue& document = documents_.Current();
    QTreeWidgetItem* item = tree_->currentItem();
    const int parentId = IsPlainNodeItem(item) ? EnhancedTreeCtrl::ItemValue(item) : 0;
    CCreateNode dialog(Services(), {}, {}, NodeNamesOf(document), {}, this);
    if (runDialog_(dialog) != QDialog::Accepted) {
        return;
    }
    Apply(new AddNodeStep(document, history_.Update(), parentId, dialog.GetName(),
                          dialog.GetDescription()));
    if (QTreeWidgetItem* parent = ItemOfNode(parentId); parent && parentId != 0) {
        parent->setExpanded(true);
    }
}

void CTalkwrightDlg::OnSortAll(bool ascending) {
    Dialogue& document = documents_.Current();
    if (!document.Root().Children().empty()) {
        Apply(new SortStep(document, history_.Update(), kInitializationNodeId, ascending,
                           document.GetSelectedNodeId()));
    }
}

// Sorting a node without children changes nothing and is no step.
void CTalkwrightDlg::OnSortBranch(bool ascending) {
    QTreeWidgetItem* item = tree_->currentItem();
    DialogueNode* node = item ? SelectedNode() : nullptr;
    if (node != nullptr && !node->Children().empty()) {
        Apply(new SortStep(*shownDocument_, history_.Update(), node->GetId(), ascending,
                           node->GetId()));
    }
}

void CTalkwrightDlg::OnExpandCollapseAll() {
    expandedAll_ = !expandedAll_;
    tree_->ExpandAll(expandedAll_);
}

}  // namespace tw
