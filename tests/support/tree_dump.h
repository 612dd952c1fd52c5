#pragma once

// A tree as one line of text: "label(value)[children]" for each item, the top level joined
// by ';', as the tests compare trees.

#include <QStringList>
#include <QTreeWidget>

#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw::test {

inline QString TreeDump(const QTreeWidgetItem& item) {
    QStringList children;
    for (int i = 0; i < item.childCount(); ++i) {
        children << TreeDump(*item.child(i));
    }
    const QString label = item.text(0) + QString("(%1)").arg(EnhancedTreeCtrl::ItemValue(&item));
    return children.isEmpty() ? label : label + "[" + children.join(";") + "]";
}

inline QString TreeDump(const QTreeWidget& tree) {
    QStringList top;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        top << TreeDump(*tree.topLevelItem(i));
    }
    return top.join(";");
}

}  // namespace tw::test
