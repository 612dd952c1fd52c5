#include "ui/views/tree_fill.h"

#include <gtest/gtest.h>

#include <QTreeWidgetItemIterator>

#include "model/dialogue.h"
#include "model/tree_walk.h"
#include "support/app_test_support.h"
#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw::test {
namespace {

class NodeTreeViewTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(document.Load(SamplePath("innkeeper.vrx")));
        items = FillTree(tree, document);
        for (QTreeWidgetItem* item : items) {
            item->setExpanded(item->childCount() > 0);
        }
    }
    // Every node's kept state: expanded exactly when it has children and is not `collapsed`.
    // The initialization node's item has none: its children stand at the top level.
    void ExpectKeptAllExpandedBut(int collapsed) {
        ForEachPreOrder(document.Root(), [&](const DialogueNode& node) {
            const bool expected = !node.Children().empty() && node.GetId() != collapsed &&
                                  node.GetId() != kInitializationNodeId;
            EXPECT_EQ(node.GetExpanded() != 0, expected) << node.GetName();
        });
    }
    QTreeWidgetItem* DeepestBranchItem() {
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            if ((*it)->childCount() > 0 && (*it)->parent() != nullptr) {
                return *it;
            }
        }
        return nullptr;
    }

    Dialogue document;
    EnhancedTreeCtrl tree;
    std::vector<QTreeWidgetItem*> items;
};

// A tree whose order has drifted from the document's still keeps each node's own state.
TEST_F(NodeTreeViewTest, ATreeInAnotherOrderKeepsTheStateByNode) {
    ASSERT_GT(tree.topLevelItemCount(), 2);
    QTreeWidgetItem* last = tree.takeTopLevelItem(tree.topLevelItemCount() - 1);
    tree.insertTopLevelItem(1, last);
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        (*it)->setExpanded((*it)->childCount() > 0);
    }
    QTreeWidgetItem* branch = DeepestBranchItem();
    ASSERT_NE(branch, nullptr);
    branch->setExpanded(false);
    SaveTreeState(tree, document);
    ExpectKeptAllExpandedBut(EnhancedTreeCtrl::ItemValue(branch));
}

}  // namespace
}  // namespace tw::test
