// The main window's side of undo and redo: changes run as steps of the shown document's
// history, and the window shows again what a step changed.

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <memory>
#include <utility>

#include "model/dialogue.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/node_tree_view.h"
#include "ui/main_window/talkwright_dlg.h"
#include "ui/platform/text_codec.h"

namespace tw {
namespace {

// The text boxes keep Ctrl+Z and Ctrl+Y for their own undo; the window's history takes
// them instead, so that one key undoes the writer's last change wherever it was made.
class UndoKeysToWindow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void CTalkwrightDlg::SetupUndo(QMenu* edit) {
    QAction* undo = history_.Group().createUndoAction(this, "&Undo");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = history_.Group().createRedoAction(this, "&Redo");
    redo->setShortcuts({QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                        QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
    for (QAction* action : {undo, redo}) {
        action->setShortcutContext(Qt::WindowShortcut);
        edit->addAction(action);
    }
}

void CTalkwrightDlg::RouteUndoKeys() {
    auto* keys = new UndoKeysToWindow(this);
    nodeText_->installEventFilter(keys);
    comments_->installEventFilter(keys);
    nodeText_->setUndoRedoEnabled(false);
}

void CTalkwrightDlg::Apply(QUndoCommand* step, bool quiet) {
    std::unique_ptr<QUndoCommand> owned(step);
    if (shownDocument_ == nullptr) {
        return;  // no document on show: nothing the step could change
    }
    const bool wasQuiet = std::exchange(quietStep_, quiet);
    history_.Push(*shownDocument_, owned.release());
    quietStep_ = wasQuiet;
    RestartRunningFind();  // the step may have freed nodes a search under way would walk
}

void CTalkwrightDlg::StepApplied(Dialogue& document, std::int32_t nodeId, ViewScope scope,
                                 DialogueNode* changed) {
    ScheduleCheck();  // every change, undo and redo passes here
    MarkCheckedNode(document, nodeId);
    if (&document != shownDocument_) {
        parkedTrees_.Forget(document);  // a kept tree would show it as it was
    }
    if (quietStep_ || &document != shownDocument_) {
        return;
    }
    switch (scope) {
        case ViewScope::kTree:
            ShowWholeTree(document, nodeId);
            break;
        case ViewScope::kBranchAdded:
        case ViewScope::kBranchRemoved:
        case ViewScope::kBranchMoved:
        case ViewScope::kBranchSorted:
            ShowBranchChange(document, nodeId, scope, *changed);
            break;
        case ViewScope::kLabel:
            if (QTreeWidgetItem* item = ItemOfNode(nodeId)) {
                if (const DialogueNode* node = document.FindNodeById(nodeId)) {
                    item->setText(0, FromBytes(node->Label()));
                }
            }
            SelectNodeItem(nodeId);
            break;
        case ViewScope::kNode:
            // Selecting another item shows it; the same item is shown again.
            if (!SelectNodeItem(nodeId)) {
                RefreshSelection();
            }
            break;
        case ViewScope::kRows:
            if (nodeId == listedNodeId_) {
                RefreshSelection();
            }
            break;
        case ViewScope::kNpc:
            SyncTabs();
            RefreshTitle();
            break;
    }
}

QTreeWidgetItem* CTalkwrightDlg::ItemOfNode(std::int32_t nodeId) const {
    return tree_->FindItem(nodeId);
}

// The item is made visible, its branch opened down to it. True when the selection moved.
bool CTalkwrightDlg::SelectNodeItem(std::int32_t nodeId) {
    QTreeWidgetItem* item = ItemOfNode(nodeId);
    if (item == nullptr) {
        return false;
    }
    for (QTreeWidgetItem* parent = item->parent(); parent != nullptr; parent = parent->parent()) {
        parent->setExpanded(true);
    }
    tree_->scrollToItem(item);
    if (tree_->currentItem() == item) {
        return false;
    }
    tree_->setCurrentItem(item);
    return true;
}

}  // namespace tw
