// The node tree control: dragging branches, its keyboard menu, its index of items by value
// and its reorder by rank.

#include "ui/controls/enhanced_tree_ctrl.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>
#include <QTreeWidgetItemIterator>
#include <map>
#include <random>

#include "support/qt_printers.h"
#include "support/tree_dump.h"
#include "ui/controls/command_icons.h"

namespace tw {
namespace {

// Every item's value maps to that item, and every other value up to the largest finds nothing.
void ExpectIndexMatchesWalk(EnhancedTreeCtrl& tree, int largest) {
    std::map<int, QTreeWidgetItem*> walked;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        walked[EnhancedTreeCtrl::ItemValue(*it)] = *it;
    }
    for (int value = 0; value <= largest; ++value) {
        const auto found = walked.find(value);
        EXPECT_EQ(tree.FindItem(value), found != walked.end() ? found->second : nullptr)
            << "value " << value;
    }
}

// Counts the copies it is told of, as a derived tree would map old items to new ones.
class CountingTree : public EnhancedTreeCtrl {
public:
    void OnItemCopied(QTreeWidgetItem* oldItem, QTreeWidgetItem* newItem) override {
        copies.emplace_back(oldItem->text(0), newItem);
    }
    std::vector<std::pair<QString, QTreeWidgetItem*>> copies;
};

constexpr const char* kStart = "Initialization Node(0);A(1)[A1(2)[A1a(3)];A2(4)];B(5)";

class EnhancedTreeCtrlTest : public testing::Test {
protected:
    void SetUp() override {
        tree.SetImageList(CommandIcons());
        tree.resize(300, 400);
        init = tree.InsertItem("Initialization Node", 1, 1, 0);
        a = tree.InsertItem("A", 0, 0, 1);
        a1 = tree.InsertItem("A1", 0, 0, 2, a);
        a1a = tree.InsertItem("A1a", 0, 0, 3, a1);
        a2 = tree.InsertItem("A2", 0, 0, 4, a);
        b = tree.InsertItem("B", 0, 0, 5);
        a1->setCheckState(0, Qt::Checked);
        tree.expandAll();
        // What the main window registers: the initialization node (value 0) is fixed.
        auto notInit = [](QTreeWidgetItem* item, EnhancedTreeCtrl&) {
            return EnhancedTreeCtrl::ItemValue(item) != 0;
        };
        tree.SetCanDrag(notInit);
        tree.SetCanDrop(notInit);
        tree.SetDropHandler(
            [this](QTreeWidgetItem* dragged, QTreeWidgetItem* target, EnhancedTreeCtrl&) {
                drops.emplace_back(EnhancedTreeCtrl::ItemValue(dragged),
                                   EnhancedTreeCtrl::ItemValue(target));
            });
        tree.setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(&tree, &QWidget::customContextMenuRequested,
                         [this](const QPoint& pos) { menus.push_back(tree.itemAt(pos)); });
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
        tree.setFocus();
        ASSERT_EQ(test::TreeDump(tree), kStart);
    }

    QPoint Center(QTreeWidgetItem* item) { return tree.visualItemRect(item).center(); }

    // Presses on one item and moves by the drag distance, which is enough to start a drag.
    void StartDrag(QTreeWidgetItem* from) {
        const QPoint start = Center(from);
        QTest::mousePress(tree.viewport(), Qt::LeftButton, {}, start);
        QTest::mouseMove(tree.viewport(), start + QPoint(QApplication::startDragDistance(), 0));
    }
    void Drag(QTreeWidgetItem* from, QTreeWidgetItem* to) {
        StartDrag(from);
        QTest::mouseMove(tree.viewport(), Center(to));
        QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, Center(to));
    }

    CountingTree tree;
    QTreeWidgetItem *init, *a, *a1, *a1a, *a2, *b;
    std::vector<std::pair<int, int>> drops;
    std::vector<QTreeWidgetItem*> menus;
};

TEST_F(EnhancedTreeCtrlTest, DraggingABranchMovesItUnderTheHighlightedTarget) {
    StartDrag(a);
    ASSERT_TRUE(tree.IsDragging());
    EXPECT_EQ(tree.currentItem(), a);
    QTest::mouseMove(tree.viewport(), Center(b));
    EXPECT_EQ(tree.DropHighlight(), b);
    const DragImage* image = tree.CurrentDragImage();
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->pos(), tree.viewport()->mapToGlobal(Center(b)) - QPoint(15, 15));
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, Center(b));
    EXPECT_EQ(test::TreeDump(tree), "Initialization Node(0);B(5)[A(1)[A1(2)[A1a(3)];A2(4)]]");
    EXPECT_EQ(drops, (std::vector<std::pair<int, int>>{{1, 5}}));
    QTreeWidgetItem* moved = b->child(0);
    EXPECT_EQ(tree.currentItem(), moved);
    EXPECT_TRUE(b->isExpanded());
    EXPECT_EQ(moved->child(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(tree.copies.size(), 4u);
    EXPECT_EQ(tree.FindItem(3), moved->child(0)->child(0));
    EXPECT_EQ(tree.CurrentDragImage(), nullptr);
    EXPECT_EQ(tree.DropHighlight(), nullptr);
}

TEST_F(EnhancedTreeCtrlTest, InvalidDropsChangeNothing) {
    for (auto [from, to] : {std::pair{a, a}, {a1, a}, {a, a1a}, {b, init}, {init, b}}) {
        Drag(from, to);
        EXPECT_EQ(test::TreeDump(tree), kStart) << from->text(0).toStdString();
        EXPECT_TRUE(drops.empty());
        EXPECT_FALSE(tree.IsDragging());
    }
    // Let go off the items: the highlight stayed until then, nothing moves.
    StartDrag(a2);
    QTest::mouseMove(tree.viewport(), Center(b));
    QTest::mouseMove(tree.viewport(), QPoint(150, 390));
    EXPECT_EQ(tree.DropTarget(), nullptr);
    EXPECT_EQ(tree.DropHighlight(), b);
    QTest::mouseRelease(tree.viewport(), Qt::LeftButton, {}, QPoint(150, 390));
    EXPECT_EQ(test::TreeDump(tree), kStart);
}

// A screen reader's keyboard menu event asks for the current item's menu; the Menu key
// followed by the platform's own event asks once; F10 alone and the arrows ask nothing.
TEST_F(EnhancedTreeCtrlTest, KeyboardMenusAskOnceForTheCurrentItemsMenu) {
    tree.setCurrentItem(a1);
    QTest::keyClick(&tree, Qt::Key_F10);
    QContextMenuEvent fromReader(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                 tree.mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(&tree, &fromReader);
    QTest::keyClick(&tree, Qt::Key_Menu);
    QContextMenuEvent fromPlatform(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                   tree.mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(&tree, &fromPlatform);
    QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_EQ(menus, (std::vector<QTreeWidgetItem*>{a1, a1}));
    EXPECT_EQ(tree.currentItem(), a1a);
    tree.setCurrentItem(nullptr);
    QTest::keyClick(&tree, Qt::Key_Menu);
    EXPECT_EQ(menus.size(), 3u);  // without a current item the request still comes
}

// A subtree made outside the tree goes into the index whole when it goes in, as an undo
// puts a branch back; clearing empties the index.
TEST_F(EnhancedTreeCtrlTest, ABranchPutBackIsFoundWhole) {
    QTreeWidgetItem* c = tree.MakeItem("C", 0, 0, 10);
    c->addChild(tree.MakeItem("C1", 0, 0, 11));
    EXPECT_EQ(tree.FindItem(11), nullptr);
    tree.InsertItemAt(c, b, 0);
    ExpectIndexMatchesWalk(tree, 12);
    tree.clear();
    ExpectIndexMatchesWalk(tree, 12);
}

// Random inserts, deletes and moves by copy, checked after each.
TEST_F(EnhancedTreeCtrlTest, TheIndexMatchesAWalkAfterRandomChanges) {
    std::mt19937 random(16);
    int next = 6;
    for (int round = 0; round < 400; ++round) {
        std::vector<QTreeWidgetItem*> items;
        for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
            items.push_back(*it);
        }
        QTreeWidgetItem* some = items.empty() ? nullptr : items[random() % items.size()];
        const unsigned choice = random() % 4;
        if (choice < 2) {
            tree.InsertItem("N", 0, 0, next++, some);
        } else if (choice == 2 && some != nullptr && items.size() > 3) {
            delete some;
        } else if (choice == 3 && some != nullptr && some->parent() != nullptr) {
            tree.MakeRoot(some);
        }
        ExpectIndexMatchesWalk(tree, next);
        ASSERT_FALSE(testing::Test::HasFailure()) << "after round " << round;
    }
}

// The ranks decide, not the labels, at every level; every item stays as it was.
TEST_F(EnhancedTreeCtrlTest, SortsByRankKeepingItemsAndState) {
    tree.setCurrentItem(a1a);
    for (auto [item, rank] : {std::pair{init, 0}, {a, 2}, {b, 1}, {a1, 5}, {a2, -3}}) {
        EnhancedTreeCtrl::SetItemRank(item, rank);
    }
    tree.SortChildrenByRank(nullptr);
    EXPECT_EQ(test::TreeDump(tree), "Initialization Node(0);B(5);A(1)[A2(4);A1(2)[A1a(3)]]");
    EXPECT_TRUE(a1->isExpanded());
    EXPECT_EQ(tree.currentItem(), tree.FindItem(3));
    ExpectIndexMatchesWalk(tree, 6);
    tree.collapseAll();
    tree.ExpandItems({a, a1});
    EXPECT_TRUE(a1->isExpanded());
    EXPECT_FALSE(b->isExpanded());
    QApplication::processEvents();  // the rows below show once the view lays out again
    EXPECT_FALSE(tree.visualItemRect(a1a).isEmpty());
}

// A wide tree: 200 branches at the top, each of 100 branches of 2 leaves.
void FillWide(EnhancedTreeCtrl& tree) {
    for (int i = 0; i < 200; ++i) {
        QTreeWidgetItem* top = tree.InsertItem("t", 0, 0, i);
        for (int j = 0; j < 100; ++j) {
            QTreeWidgetItem* middle = tree.InsertItem("m", 0, 0, j, top);
            tree.InsertItem("a", 0, 0, 0, middle);
            tree.InsertItem("b", 0, 0, 1, middle);
        }
    }
}

// The loop may turn at every step of a long Expand/Collapse All: the steps come in order,
// and what runs meanwhile may empty the tree, which ends the command at its next step.
TEST(EnhancedTreeCtrlWideTest, ExpandAllTellsItsProgressAndStopsWhenTheTreeEmpties) {
    EnhancedTreeCtrl tree;
    FillWide(tree);
    for (bool expand : {true, false}) {
        int last = -1;
        tree.ExpandAll(expand, [&](int done, int total) {
            EXPECT_LE(last, done);
            EXPECT_LE(done, total);
            last = done;
        });
        for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
            ASSERT_TRUE((*it)->childCount() == 0 || (*it)->isExpanded() == expand);
        }
    }
    for (int at : {3, 130, 200}) {  // the walk, the branches below the top, the top
        FillWide(tree);
        int steps = 0;
        tree.ExpandAll(true, [&](int, int) {
            if (++steps == at) {
                tree.clear();
            }
        });
        EXPECT_EQ(steps, at);
    }
}

TEST(EnhancedTreeCtrlDepthTest, ADeepBranchIsCopiedWithoutRecursion) {
    EnhancedTreeCtrl tree;
    QTreeWidgetItem* top = tree.InsertItem("0", 0, 0, 0);
    QTreeWidgetItem* last = top;
    for (int i = 1; i < 5000; ++i) {
        last = tree.InsertItem(QString::number(i), 0, 0, i, last);
    }
    int depth = 0;
    for (QTreeWidgetItem* item = tree.CopyBranch(top, nullptr, nullptr); item->childCount() > 0;
         item = item->child(0)) {
        ++depth;
    }
    EXPECT_EQ(depth, 4999);
}

}  // namespace
}  // namespace tw
