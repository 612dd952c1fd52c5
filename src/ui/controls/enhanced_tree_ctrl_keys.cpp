// The node tree's context menu from the keyboard.

#include <QContextMenuEvent>
#include <QKeyEvent>

#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw {
namespace {

bool IsMenuKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Menu ||
           (event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier);
}

}  // namespace

// The owner's handler takes a position in viewport coordinates and picks the item under
// it, so the request points at the middle of the current item: the menu is for the node
// the writer is on, and opens beside it rather than wherever the mouse happens to be.
void EnhancedTreeCtrl::RequestKeyboardMenu() {
    QTreeWidgetItem* item = currentItem();
    const QPoint pos = item != nullptr ? visualItemRect(item).center() : QPoint(0, 0);
    if (contextMenuPolicy() == Qt::CustomContextMenu) {
        emit customContextMenuRequested(pos);
    } else {
        QContextMenuEvent request(QContextMenuEvent::Keyboard, pos, viewport()->mapToGlobal(pos));
        contextMenuEvent(&request);
    }
}

void EnhancedTreeCtrl::keyPressEvent(QKeyEvent* event) {
    menuKeyHandled_ = false;
    if (!IsMenuKey(*event)) {
        QTreeWidget::keyPressEvent(event);
        return;
    }
    // Some platforms follow the Menu key with a keyboard context-menu event of their own;
    // that one is the same request and is dropped.
    menuKeyHandled_ = event->key() == Qt::Key_Menu;
    event->accept();
    RequestKeyboardMenu();
}

bool EnhancedTreeCtrl::event(QEvent* event) {
    if (event->type() != QEvent::ContextMenu ||
        static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Mouse) {
        return QTreeWidget::event(event);
    }
    if (!menuKeyHandled_) {
        RequestKeyboardMenu();
    }
    menuKeyHandled_ = false;
    event->accept();
    return true;
}

}  // namespace tw
