#include "ui/views/tree_coverage.h"

#include <QTreeWidgetItem>

#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/document/document_exploration.h"
#include "ui/views/document_tree.h"

namespace tw {

TreeCoverage::TreeCoverage(DocumentTree& tree)
    : QObject(&tree), tree_(tree), exploration_(DocumentExploration::Of(tree.Document())) {
    connect(&exploration_, &DocumentExploration::resultChanged, this, [this] { Show(); });
    Show();
}

void TreeCoverage::Show() {
    for (std::int32_t id : shaded_) {
        Shade(id, false);
    }
    shaded_ = exploration_.UnreachedNodeIds();
    for (std::int32_t id : shaded_) {
        Shade(id, true);
    }
}

void TreeCoverage::Shade(std::int32_t nodeId, bool unreached) {
    QTreeWidgetItem* item = tree_.ItemOfNode(nodeId);
    if (item == nullptr) {
        return;
    }
    if (unreached) {
        item->setForeground(0, tree_.Tree().palette().brush(QPalette::Disabled, QPalette::Text));
        item->setData(0, Qt::AccessibleDescriptionRole, QStringLiteral("no road reaches it"));
    } else {
        item->setData(0, Qt::ForegroundRole, QVariant());
        item->setData(0, Qt::AccessibleDescriptionRole, QVariant());
    }
}

}  // namespace tw
