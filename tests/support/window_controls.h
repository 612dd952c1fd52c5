#pragma once

// The main window's controls found as a user's automation finds them, by their names: shared
// by the window tests and the editor benchmarks.

#include <QAction>
#include <QTabBar>
#include <QWidget>

#include "ui/controls/enhanced_list_ctrl.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/controls/style_edit_ctrl.h"

namespace tw::test {

// The current document's tree: the one of the stacked trees that is on show.
inline EnhancedTreeCtrl* CurrentTree(const QWidget& window) {
    for (EnhancedTreeCtrl* tree : window.findChildren<EnhancedTreeCtrl*>()) {
        if (tree->accessibleName() == "Nodes" && tree->isVisibleTo(&window)) {
            return tree;
        }
    }
    return nullptr;
}

inline EnhancedListCtrl* CommandList(const QWidget& window) {
    return window.findChild<EnhancedListCtrl*>("commands");
}

inline EnhancedListCtrl* ResponseList(const QWidget& window) {
    return window.findChild<EnhancedListCtrl*>("responses");
}

inline CStyleEditCtrl* NodeTextBox(const QWidget& window) {
    return window.findChild<CStyleEditCtrl*>("nodeText");
}

inline QTabBar* DialogueTabs(const QWidget& window) {
    return window.findChild<QTabBar*>();
}

// Chooses a command as its menu item would.
inline void TriggerAction(const QWidget& window, const char* name) {
    if (QAction* action = window.findChild<QAction*>(name)) {
        action->trigger();
    }
}

}  // namespace tw::test
