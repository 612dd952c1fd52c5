// The tree's index of items by value, against a walk of every item, whatever moved them;
// and the reorder by rank, which keeps every item with its state.

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidgetItemIterator>
#include <map>
#include <random>

#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw {
namespace {

// Every item's value maps to that item, and every other value up to the largest given finds
// nothing.
void ExpectIndexMatchesWalk(const EnhancedTreeCtrl& tree, int largest = 64) {
    std::map<int, QTreeWidgetItem*> walked;
    for (QTreeWidgetItemIterator it(const_cast<EnhancedTreeCtrl*>(&tree)); *it; ++it) {
        walked[EnhancedTreeCtrl::ItemValue(*it)] = *it;
    }
    for (int value = 0; value <= largest; ++value) {
        const auto found = walked.find(value);
        EXPECT_EQ(tree.FindItem(value), found != walked.end() ? found->second : nullptr)
            << "value " << value;
    }
}

std::vector<QTreeWidgetItem*> AllItems(EnhancedTreeCtrl& tree) {
    std::vector<QTreeWidgetItem*> items;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        items.push_back(*it);
    }
    return items;
}

class TreeIndexTest : public testing::Test {
protected:
    void SetUp() override {
        tree.resize(300, 400);
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
    }
    QTreeWidgetItem* Add(int value, QTreeWidgetItem* parent = nullptr) {
        return tree.InsertItem(QString("N%1").arg(value), 0, 0, value, parent);
    }

    EnhancedTreeCtrl tree;
};

TEST_F(TreeIndexTest, FollowsItemsAddedRemovedAndRevalued) {
    QTreeWidgetItem* a = Add(1);
    QTreeWidgetItem* a1 = Add(2, a);
    Add(3, a1);
    EXPECT_EQ(tree.FindItem(3), a1->child(0));
    EXPECT_EQ(tree.FindItem(9), nullptr);

    // A subtree made outside the tree goes into the index whole when it goes in.
    QTreeWidgetItem* b = tree.MakeItem("B", 0, 0, 10);
    b->addChild(tree.MakeItem("B1", 0, 0, 11));
    EXPECT_EQ(tree.FindItem(11), nullptr);
    tree.InsertItemAt(b, a, 0);
    EXPECT_EQ(tree.FindItem(11), b->child(0));
    EXPECT_EQ(a->child(0), b);

    EnhancedTreeCtrl::SetItemValue(b, 12);
    EXPECT_EQ(tree.FindItem(10), nullptr);
    EXPECT_EQ(tree.FindItem(12), b);

    delete a1;  // its child leaves with it
    EXPECT_EQ(tree.FindItem(2), nullptr);
    EXPECT_EQ(tree.FindItem(3), nullptr);
    ExpectIndexMatchesWalk(tree);

    tree.clear();
    ExpectIndexMatchesWalk(tree);
}

// A branch copied and the original deleted, as a drop and Make Root do: the value finds
// the copy, never the deleted item.
TEST_F(TreeIndexTest, FindsTheCopyOfAMovedBranch) {
    QTreeWidgetItem* a = Add(1);
    QTreeWidgetItem* a1 = Add(2, a);
    Add(3, a1);
    QTreeWidgetItem* b = Add(4);
    QTreeWidgetItem* copy = tree.MakeRoot(a1);
    EXPECT_EQ(tree.FindItem(2), copy);
    EXPECT_EQ(tree.FindItem(3), copy->child(0));
    ExpectIndexMatchesWalk(tree);

    tree.CopyBranch(copy, b, nullptr);
    delete copy;
    EXPECT_EQ(tree.FindItem(2), b->child(0));
    ExpectIndexMatchesWalk(tree);
}

// Random inserts, deletes and moves by copy, checked after each.
TEST_F(TreeIndexTest, MatchesAWalkAfterRandomChanges) {
    std::mt19937 random(16);
    int next = 1;
    Add(next++);
    for (int round = 0; round < 400; ++round) {
        std::vector<QTreeWidgetItem*> items = AllItems(tree);
        QTreeWidgetItem* some = items.empty() ? nullptr : items[random() % items.size()];
        switch (random() % 4) {
            case 0:
            case 1:
                Add(next++, some);
                break;
            case 2:
                if (some != nullptr && items.size() > 3) {
                    delete some;
                }
                break;
            case 3:
                if (some != nullptr && some->parent() != nullptr) {
                    tree.MakeRoot(some);
                }
                break;
        }
        ExpectIndexMatchesWalk(tree, next);
        if (testing::Test::HasFailure()) {
            FAIL() << "after round " << round;
        }
    }
}

std::vector<QString> Labels(const QTreeWidgetItem* parent) {
    std::vector<QString> labels;
    for (int i = 0; i < parent->childCount(); ++i) {
        labels.push_back(parent->child(i)->text(0));
    }
    return labels;
}

// The ranks decide, not the labels; every item stays, expanded and current as it was.
TEST_F(TreeIndexTest, SortsChildrenByRankKeepingItemsAndState) {
    QTreeWidgetItem* a = Add(1);
    QTreeWidgetItem* c1 = Add(2, a);
    QTreeWidgetItem* c2 = Add(3, a);
    QTreeWidgetItem* c3 = Add(4, a);
    Add(5, c2);
    c2->setExpanded(true);
    a->setExpanded(true);
    tree.setCurrentItem(c2->child(0));
    EnhancedTreeCtrl::SetItemRank(c1, 2);
    EnhancedTreeCtrl::SetItemRank(c2, 0);
    EnhancedTreeCtrl::SetItemRank(c3, 1);

    tree.SortChildrenByRank(a);
    EXPECT_EQ(Labels(a), (std::vector<QString>{"N3", "N4", "N2"}));
    EXPECT_TRUE(c2->isExpanded());
    EXPECT_TRUE(a->isExpanded());
    EXPECT_EQ(tree.currentItem(), tree.FindItem(5));
    ExpectIndexMatchesWalk(tree);
}

// With no parent, every level of the tree at once, the top level included.
TEST_F(TreeIndexTest, SortsTheWholeTreeByRank) {
    QTreeWidgetItem* a = Add(1);
    QTreeWidgetItem* b = Add(2);
    QTreeWidgetItem* a1 = Add(3, a);
    QTreeWidgetItem* a2 = Add(4, a);
    EnhancedTreeCtrl::SetItemRank(a, 1);
    EnhancedTreeCtrl::SetItemRank(b, 0);
    EnhancedTreeCtrl::SetItemRank(a1, 5);
    EnhancedTreeCtrl::SetItemRank(a2, -3);
    tree.SortChildrenByRank(nullptr);
    EXPECT_EQ(Labels(tree.invisibleRootItem()), (std::vector<QString>{"N2", "N1"}));
    EXPECT_EQ(Labels(a), (std::vector<QString>{"N4", "N3"}));
}

TEST_F(TreeIndexTest, ExpandsManyItemsAtOnce) {
    QTreeWidgetItem* a = Add(1);
    QTreeWidgetItem* a1 = Add(2, a);
    Add(3, a1);
    QTreeWidgetItem* leafless = Add(4);
    tree.ExpandItems({a, a1});
    EXPECT_TRUE(a->isExpanded());
    EXPECT_TRUE(a1->isExpanded());
    EXPECT_FALSE(leafless->isExpanded());
    // The rows below show once the view lays out again.
    QApplication::processEvents();
    EXPECT_FALSE(tree.visualItemRect(a1->child(0)).isEmpty());
}

}  // namespace
}  // namespace tw
