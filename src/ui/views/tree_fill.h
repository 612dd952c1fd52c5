#pragma once

#include <QTreeWidgetItem>
#include <vector>

namespace tw {

class Dialogue;
class EnhancedTreeCtrl;

// Fills the tree with the document's nodes, one item per node carrying the node id. The
// initialization node's children stand at the top level beside its own item, so that a
// branch dragged onto another node never lands under the initialization node. Answers
// the items in the document's pre-order.
std::vector<QTreeWidgetItem*> FillTree(EnhancedTreeCtrl& tree, Dialogue& dialogue);

// Keeps each node's expanded state and the selected node in the document; answers the
// expanded items in pre-order.
std::vector<QTreeWidgetItem*> SaveTreeState(EnhancedTreeCtrl& tree, Dialogue& dialogue);
// Expands and selects as the document's view state says; items as FillTree answered them.
void RestoreTreeState(EnhancedTreeCtrl& tree, Dialogue& dialogue,
                      const std::vector<QTreeWidgetItem*>& items);

}  // namespace tw
