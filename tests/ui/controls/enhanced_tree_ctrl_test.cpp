#include "ui/controls/enhanced_tree_ctrl.h"

#include <gtest/gtest.h>

#include <QTest>
#include <QTreeWidgetItemIterator>

#include "ui/controls/command_icons.h"

namespace tw {
namespace {

// Counts the copies it is told of, as a derived tree would map old items to new ones.
class CountingTree : public EnhancedTreeCtrl {
public:
    void OnItemCopied(QTreeWidgetItem* oldItem, QTreeWidgetItem* newItem) override {
        copies.emplace_back(oldItem->text(0), newItem);
    }
    std::vector<std::pair<QString, QTreeWidgetItem*>> copies;
};

// "text(value)[children]" for every item, top level joined by ';'.
std::string Dump(const QTreeWidgetItem* item) {
    std::string text =
        item->text(0).toStdString() + "(" + std::to_string(EnhancedTreeCtrl::ItemValue(item)) + ")";
    if (item->childCount() > 0) {
        text += "[";
        for (int i = 0; i < item->childCount(); ++i) {
            text += (i ? ";" : "") + Dump(item->child(i));
        }
        text += "]";
    }
    return text;
}

std::string Dump(const QTreeWidget& tree) {
    std::string text;
    for (int i = 0; i < tree.topLevelItemCount(); ++i) {
        text += (i ? ";" : "") + Dump(tree.topLevelItem(i));
    }
    return text;
}

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
        auto notInit = [this](QTreeWidgetItem* item, EnhancedTreeCtrl&) {
            ++vetoCalls;
            return EnhancedTreeCtrl::ItemValue(item) != 0;
        };
        tree.SetCanDrag(notInit);
        tree.SetCanDrop(notInit);
        tree.SetDropHandler(
            [this](QTreeWidgetItem* dragged, QTreeWidgetItem* target, EnhancedTreeCtrl&) {
                drops.emplace_back(EnhancedTreeCtrl::ItemValue(dragged),
                                   EnhancedTreeCtrl::ItemValue(target));
            });
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
        ASSERT_EQ(Dump(tree), kStart);
    }

    QPoint Center(QTreeWidgetItem* item) { return tree.visualItemRect(item).center(); }

    // What a user does: press on one item, move past the drag distance, move over the
    // target, let go.
    void Drag(QTreeWidgetItem* from, QPoint to) {
        QWidget* viewport = tree.viewport();
        const QPoint start = Center(from);
        QTest::mousePress(viewport, Qt::LeftButton, {}, start);
        QTest::mouseMove(viewport, start + QPoint(12, 0));
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }

    CountingTree tree;
    QTreeWidgetItem *init, *a, *a1, *a1a, *a2, *b;
    int vetoCalls = 0;
    std::vector<std::pair<int, int>> drops;
};

TEST_F(EnhancedTreeCtrlTest, DraggingABranchMovesItUnderTheTarget) {
    Drag(a, Center(b));
    EXPECT_EQ(Dump(tree), "Initialization Node(0);B(5)[A(1)[A1(2)[A1a(3)];A2(4)]]");
    EXPECT_EQ(drops, (std::vector<std::pair<int, int>>{{1, 5}}));
    QTreeWidgetItem* moved = b->child(0);
    EXPECT_EQ(tree.currentItem(), moved);
    EXPECT_TRUE(b->isExpanded());
    EXPECT_EQ(moved->child(0)->checkState(0), Qt::Checked);
    EXPECT_EQ(moved->data(0, EnhancedTreeCtrl::kImageRole).toInt(), 0);
    EXPECT_EQ(tree.copies.size(), 4u);
    EXPECT_FALSE(tree.IsDragging());
    EXPECT_EQ(tree.CurrentDragImage(), nullptr);
    EXPECT_EQ(tree.DropHighlight(), nullptr);
}

TEST_F(EnhancedTreeCtrlTest, DuringTheDragTheTargetIsHighlightedUnderTheImage) {
    QWidget* viewport = tree.viewport();
    const QPoint start = Center(a2);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(12, 0));
    ASSERT_TRUE(tree.IsDragging());
    EXPECT_EQ(tree.DraggedItem(), a2);
    EXPECT_EQ(tree.currentItem(), a2);
    QTest::mouseMove(viewport, Center(b));
    EXPECT_EQ(tree.DropTarget(), b);
    EXPECT_EQ(tree.DropHighlight(), b);
    const DragImage* image = tree.CurrentDragImage();
    ASSERT_NE(image, nullptr);
    EXPECT_TRUE(image->isVisible());
    EXPECT_EQ(image->pos(), viewport->mapToGlobal(Center(b)) - QPoint(15, 15));
    // Off the items the target is gone, but the highlight stays until the drop.
    const QPoint empty(150, 390);
    QTest::mouseMove(viewport, empty);
    EXPECT_EQ(tree.DropTarget(), nullptr);
    EXPECT_EQ(tree.DropHighlight(), b);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, empty);
    EXPECT_EQ(Dump(tree), kStart);
    EXPECT_TRUE(drops.empty());
}

TEST_F(EnhancedTreeCtrlTest, InvalidDropsChangeNothing) {
    struct Case {
        const char* name;
        QTreeWidgetItem* from;
        QTreeWidgetItem* to;
    };
    for (const Case& c :
         {Case{"onto itself", a, a}, Case{"onto its parent", a1, a},
          Case{"onto its descendant", a, a1a}, Case{"onto the initialization node", b, init}}) {
        Drag(c.from, Center(c.to));
        EXPECT_EQ(Dump(tree), kStart) << c.name;
        EXPECT_TRUE(drops.empty()) << c.name;
        EXPECT_FALSE(tree.IsDragging()) << c.name;
    }
}

TEST_F(EnhancedTreeCtrlTest, TheInitializationNodeCannotBeDragged) {
    QWidget* viewport = tree.viewport();
    const QPoint start = Center(init);
    QTest::mousePress(viewport, Qt::LeftButton, {}, start);
    QTest::mouseMove(viewport, start + QPoint(12, 0));
    EXPECT_FALSE(tree.IsDragging());
    EXPECT_GT(vetoCalls, 0);
    QTest::mouseMove(viewport, Center(b));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, Center(b));
    EXPECT_EQ(Dump(tree), kStart);
    EXPECT_EQ(tree.currentItem(), init);  // the drag selects before it asks
}

TEST_F(EnhancedTreeCtrlTest, GetDropTargetAndCanDragWithoutCallbacks) {
    EnhancedTreeCtrl plain;
    QTreeWidgetItem* x = plain.InsertItem("x", 0, 0, 7);
    QTreeWidgetItem* y = plain.InsertItem("y", 0, 0, 8, x);
    EXPECT_TRUE(plain.CanDrag(x));
    EXPECT_EQ(plain.GetDropTarget(y), y);
    EXPECT_FALSE(tree.CanDrag(init));
    EXPECT_EQ(tree.GetDropTarget(init), nullptr);
    EXPECT_EQ(tree.GetDropTarget(b), b);
}

TEST_F(EnhancedTreeCtrlTest, CopyBranchKeepsTheOldItems) {
    QTreeWidgetItem* copy = tree.CopyBranch(a, b, nullptr);
    EXPECT_EQ(Dump(tree),
              "Initialization Node(0);A(1)[A1(2)[A1a(3)];A2(4)];B(5)[A(1)[A1(2)[A1a(3)];A2(4)]]");
    EXPECT_EQ(copy, b->child(0));
    ASSERT_EQ(tree.copies.size(), 4u);
    EXPECT_EQ(tree.copies[0].first, "A");
    EXPECT_EQ(tree.copies[0].second, copy);
    QTreeWidgetItem* single = tree.CopyItem(a1, nullptr, init);
    EXPECT_EQ(tree.topLevelItem(1), single);
    EXPECT_EQ(single->childCount(), 0);
    EXPECT_EQ(single->checkState(0), Qt::Checked);
}

TEST_F(EnhancedTreeCtrlTest, MakeRootMovesTheBranchToTheEndOfTheTopLevel) {
    QTreeWidgetItem* root = tree.MakeRoot(a1);
    EXPECT_EQ(Dump(tree), "Initialization Node(0);A(1)[A2(4)];B(5);A1(2)[A1a(3)]");
    EXPECT_EQ(root, tree.topLevelItem(3));
}

TEST_F(EnhancedTreeCtrlTest, ExpandAndCollapseAll) {
    tree.ExpandAll(false);
    EXPECT_FALSE(a->isExpanded());
    EXPECT_FALSE(a1->isExpanded());
    tree.ExpandAll(true);
    EXPECT_TRUE(a->isExpanded());
    EXPECT_TRUE(a1->isExpanded());
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

bool EveryBranchIs(QTreeWidget& tree, bool expanded) {
    for (QTreeWidgetItemIterator it(&tree); *it != nullptr; ++it) {
        if ((*it)->childCount() > 0 && (*it)->isExpanded() != expanded) {
            return false;
        }
    }
    return true;
}

// The loop may turn at every step of a long Expand/Collapse All; the steps come in order.
TEST(EnhancedTreeCtrlWideTest, ExpandAndCollapseAllTellTheirProgressInOrder) {
    EnhancedTreeCtrl tree;
    FillWide(tree);
    for (bool expand : {true, false}) {
        int last = -1;
        int steps = 0;
        tree.ExpandAll(expand, [&](int done, int total) {
            EXPECT_LE(last, done);
            EXPECT_LE(done, total);
            last = done;
            ++steps;
        });
        EXPECT_TRUE(EveryBranchIs(tree, expand));
        EXPECT_GT(steps, 100);
    }
}

// What runs while the loop turns may empty the tree: the command stops at its next step
// rather than open items that are gone.
TEST(EnhancedTreeCtrlWideTest, ATreeEmptiedDuringExpandAllEndsIt) {
    for (int at : {3, 130, 200}) {  // the walk, the branches below the top, the top
        EnhancedTreeCtrl tree;
        FillWide(tree);
        int steps = 0;
        tree.ExpandAll(true, [&](int, int) {
            if (++steps == at) {
                tree.clear();
            }
        });
        EXPECT_EQ(tree.topLevelItemCount(), 0);
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
    QTreeWidgetItem* copy = tree.CopyBranch(top, nullptr, nullptr);
    int depth = 0;
    for (QTreeWidgetItem* item = copy; item->childCount() > 0; item = item->child(0)) {
        ++depth;
    }
    EXPECT_EQ(depth, 4999);
}

}  // namespace
}  // namespace tw
