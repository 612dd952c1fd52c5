// Steps that change the node tree change only the items they touch; the tree they leave
// must be the one a tree filled afresh from the document shows: the same items in the same
// order, labels, images, expanded state and selection, and an index that finds each.

#include <QTreeWidgetItemIterator>
#include <map>
#include <random>

#include "model/editing/tree_edit_rules.h"
#include "ui/main_window/commands_fixture.h"
#include "ui/views/tree_fill.h"

namespace tw::test {
namespace {

// One line per item in pre-order: depth, label, value, image and, for an item with
// children, whether it is open; then the current item's value.
QString ShapeOf(EnhancedTreeCtrl& tree) {
    QStringList lines;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* up = (*it)->parent(); up != nullptr; up = up->parent()) {
            ++depth;
        }
        const bool open = (*it)->childCount() > 0 && (*it)->isExpanded();
        lines << QString("%1%2(%3) image %4%5")
                     .arg(QString(depth * 2, ' '), (*it)->text(0))
                     .arg(EnhancedTreeCtrl::ItemValue(*it))
                     .arg((*it)->data(0, EnhancedTreeCtrl::kImageRole).toInt())
                     .arg(open ? " open" : "");
    }
    const QTreeWidgetItem* current = tree.currentItem();
    lines << QString("current %1").arg(current ? EnhancedTreeCtrl::ItemValue(current) : -1);
    return lines.join("\n");
}

// The tree a fresh fill of the document shows, from the view state kept in it.
QString FreshShape(Dialogue& document) {
    EnhancedTreeCtrl fresh;
    RestoreTreeState(fresh, document, FillTree(fresh, document));
    return ShapeOf(fresh);
}

class TreeChangesTest : public CommandsTest {
public:
    void SetUp() override {
        CommandsTest::SetUp();
        Dialogue& document = Current();
        DialogueNode& greeting = *document.FindNodeById(1);
        DialogueNode& inn = document.AppendNode(greeting, 4, "Inn");
        document.AppendNode(inn, 5, "Cellar");
        document.AppendNode(inn, 6, "Attic");
        document.AppendNode(greeting, 7, "Bard");
        DialogueNode& farewell = *document.FindNodeById(3);
        DialogueNode& alpha = document.AppendNode(farewell, 8, "Alpha");
        document.AppendNode(farewell, 9, "Zed");
        document.AppendNode(alpha, 10, "Moth");
        document.SetNextNodeId(11);
        Refresh();
        Select("Greeting");
    }

    EnhancedTreeCtrl& Tree() { return *MainWindowTest::Tree(); }
    int CurrentValue() { return EnhancedTreeCtrl::ItemValue(Tree().currentItem()); }
    QTreeWidgetItem* ItemOf(int id) { return Tree().FindItem(id); }

    // The window's tree against a fresh fill, its state kept in the document first as a
    // tab switch keeps it; and the index against a walk of every item.
    void ExpectAsFresh(const std::string& when) {
        SaveTreeState(Tree(), Current());
        EXPECT_EQ(ShapeOf(Tree()), FreshShape(Current())) << when;
        ExpectIndexMatchesWalk(when);
        const QTreeWidgetItem* current = Tree().currentItem();
        EXPECT_EQ(Current().GetSelectedNodeId(),
                  current ? EnhancedTreeCtrl::ItemValue(current) : kInitializationNodeId)
            << when;
    }
    void ExpectIndexMatchesWalk(const std::string& when) {
        std::size_t count = 0;
        for (QTreeWidgetItemIterator it(&Tree()); *it; ++it, ++count) {
            EXPECT_EQ(Tree().FindItem(EnhancedTreeCtrl::ItemValue(*it)), *it) << when;
        }
        EXPECT_EQ(Tree().IndexedValueCount(), count) << when;
    }
    std::vector<int> OpenIds() {
        std::vector<int> ids;
        for (QTreeWidgetItemIterator it(&Tree()); *it; ++it) {
            if ((*it)->childCount() > 0 && (*it)->isExpanded()) {
                ids.push_back(EnhancedTreeCtrl::ItemValue(*it));
            }
        }
        return ids;
    }
    void Undo() { Documents().UndoGroup().undo(); }
    void Redo() { Documents().UndoGroup().redo(); }
};

struct TreeStep {
    const char* name;  // as the Edit menu's Undo names it
    std::function<void(TreeChangesTest&)> make;
    int selectedAfter;  // node ids
    int selectedAfterUndo;
};

std::vector<TreeStep> EveryTreeStep() {
    using T = TreeChangesTest;
    return {
        {"Add New Node",
         [](T& t) {
             t.Select("Inn");
             t.steps.push_back(T::Fill({{1014, "Stable"}}));
             t.Trigger("addNewNode");
         },
         4, 4},
        {"Delete Branch",
         [](T& t) {
             t.Select("Inn");
             t.services.QueueAnswer(MessageAnswer::kYes);
             t.Trigger("deleteBranch");
         },
         1, 4},
        {"Make Root",
         [](T& t) {
             t.Select("Inn");
             t.Trigger("makeRoot");
         },
         4, 4},
        {"Move Node",
         [](T& t) {
             t.Tree().expandAll();
             t.DragTreeItem(t.Item("Inn"), t.Item("Alpha"));
         },
         4, 4},
        {"Sort Ascending",
         [](T& t) {
             t.Select("Cellar");
             t.Trigger("sortAllAscending");
         },
         5, 5},
        {"Sort Descending",
         [](T& t) {
             t.Select("Moth");
             t.Trigger("sortAllDescending");
         },
         10, 10},
        {"Sort Ascending",  // of one branch
         [](T& t) {
             t.Select("Greeting");
             t.Trigger("sortBranchAscending");
         },
         1, 1},
    };
}

void PrintTo(const TreeStep& step, std::ostream* out) {
    *out << step.name;
}

class TreeStepTest : public TreeChangesTest, public testing::WithParamInterface<TreeStep> {};

// Each kind of step, done, undone and redone; the tree after each as a fresh one.
TEST_P(TreeStepTest, LeavesTheTreeAFreshFillWouldShowDoneUndoneAndRedone) {
    const TreeStep& kind = GetParam();
    const QString before = TreeDump();
    kind.make(*this);
    ASSERT_TRUE(Documents().UndoGroup().canUndo());
    EXPECT_EQ(Documents().UndoGroup().undoText(), kind.name);
    const QString after = TreeDump();
    EXPECT_NE(after, before);
    EXPECT_EQ(CurrentValue(), kind.selectedAfter);
    ExpectAsFresh("done");

    Undo();
    EXPECT_EQ(TreeDump(), before);
    EXPECT_EQ(CurrentValue(), kind.selectedAfterUndo);
    ExpectAsFresh("undone");

    Redo();
    EXPECT_EQ(TreeDump(), after);
    ExpectAsFresh("redone");
}

INSTANTIATE_TEST_SUITE_P(EveryKind, TreeStepTest, testing::ValuesIn(EveryTreeStep()));

// A sort moves the items it has: none is made again, and what was open and selected stays.
TEST_F(TreeChangesTest, SortKeepsEveryItemWithItsStateAndSelection) {
    std::map<int, QTreeWidgetItem*> items;
    for (int id = 0; id <= 10; ++id) {
        items[id] = ItemOf(id);
    }
    ItemOf(4)->setExpanded(true);
    ItemOf(8)->setExpanded(true);
    Select("Attic");
    const std::vector<int> open = OpenIds();

    Trigger("sortAllAscending");
    EXPECT_EQ(TreeDump(),
              "Initialization Node(0);Farewell(3)[Alpha(8)[Moth(10)];Zed(9)];"
              "Greeting(1)[Bard(7);Inn(4)[Attic(6);Cellar(5)];Shop [sells ale](2)]");
    for (const auto& [id, item] : items) {
        EXPECT_EQ(ItemOf(id), item) << id;
    }
    EXPECT_EQ(CurrentValue(), 6);
    std::vector<int> openAfter = OpenIds();
    std::sort(openAfter.begin(), openAfter.end());
    std::vector<int> openBefore = open;
    std::sort(openBefore.begin(), openBefore.end());
    EXPECT_EQ(openAfter, openBefore);
}

// A branch taken out and put back by undo opens where it was open when it went.
TEST_F(TreeChangesTest, ADeletedBranchComesBackOpenAsItWas) {
    ItemOf(4)->setExpanded(true);
    ItemOf(1)->setExpanded(true);
    Select("Greeting");
    services.QueueAnswer(MessageAnswer::kYes);
    Trigger("deleteBranch");
    EXPECT_EQ(ItemOf(4), nullptr);
    EXPECT_EQ(CurrentValue(), kInitializationNodeId);

    Undo();
    ASSERT_NE(ItemOf(4), nullptr);
    EXPECT_TRUE(ItemOf(4)->isExpanded());
    EXPECT_TRUE(ItemOf(1)->isExpanded());
    EXPECT_FALSE(ItemOf(9) != nullptr && ItemOf(9)->isExpanded());
    EXPECT_EQ(CurrentValue(), 1);
    ExpectAsFresh("undone");
}

// Make Root and its undo move the branch's own items, open as they were.
TEST_F(TreeChangesTest, AMovedBranchKeepsItsItemsAndTheirState) {
    QTreeWidgetItem* inn = ItemOf(4);
    QTreeWidgetItem* cellar = ItemOf(5);
    inn->setExpanded(true);
    Select("Inn");
    Trigger("makeRoot");
    EXPECT_EQ(ItemOf(4), inn);
    EXPECT_EQ(ItemOf(5), cellar);
    EXPECT_EQ(inn->parent(), nullptr);
    EXPECT_EQ(Tree().indexOfTopLevelItem(inn), Tree().topLevelItemCount() - 1);
    EXPECT_TRUE(inn->isExpanded());

    Undo();
    EXPECT_EQ(ItemOf(4), inn);
    EXPECT_EQ(inn->parent(), ItemOf(1));
    EXPECT_EQ(ItemOf(1)->indexOfChild(inn), 1);
    EXPECT_TRUE(inn->isExpanded());
    ExpectAsFresh("undone");
}

// Items that no longer match the document (here one deleted behind the window's back)
// make the step fill the tree again instead of changing it in place.
TEST_F(TreeChangesTest, ItemsThatDoNotMatchTheDocumentAreMadeAgain) {
    delete ItemOf(7);
    ASSERT_EQ(Item("Bard"), nullptr);
    Trigger("sortAllAscending");
    EXPECT_NE(Item("Bard"), nullptr);
    ExpectAsFresh("sorted");

    Select("Inn");
    Trigger("makeRoot");
    delete ItemOf(4);
    Undo();  // the moved branch has no item to move back
    EXPECT_NE(Item("Inn"), nullptr);
    ExpectAsFresh("undone");
}

// A step undone on a document shown in another tab: the tree it gets when it comes back
// is its own as the document now is.
TEST_F(TreeChangesTest, AStepOnADocumentInAnotherTabShowsWhenItComesBack) {
    const QString before = TreeDump();
    Dialogue& first = Current();
    EditorDocument& firstDocument = CurrentDocument();
    Select("Inn");
    services.QueueAnswer(MessageAnswer::kYes);
    Trigger("deleteBranch");
    const QString deleted = TreeDump();

    steps.push_back(Fill({}));  // the NPC data of the new dialogue
    window->OnNewDialogue();
    ASSERT_NE(&Current(), &first);
    firstDocument.UndoStack().undo();
    EXPECT_EQ(Tree().topLevelItemCount(), 1);  // the new document's tree, untouched

    Tabs()->setCurrentIndex(0);
    ASSERT_EQ(&Current(), &first);
    EXPECT_EQ(TreeDump(), before);
    ExpectAsFresh("back, undone");

    Tabs()->setCurrentIndex(1);
    firstDocument.UndoStack().redo();
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(TreeDump(), deleted);
    ExpectAsFresh("back, redone");
}

// A long random run of tree steps, undos, redos, renames, opening and closing, on a
// larger tree: after each, the tree as a fresh fill and the index as a walk.
TEST_F(TreeChangesTest, MatchesAFreshFillAfterRandomStepsUndosAndRedos) {
    std::mt19937 random(1616);
    Dialogue& document = Current();
    for (int id = 11; id < 70; ++id) {
        const auto parent = static_cast<std::int32_t>(random() % static_cast<unsigned>(id));
        document.AppendNode(*document.FindNodeById(parent), id,
                            "N" + std::to_string(random() % 1000) + "_" + std::to_string(id));
    }
    document.SetNextNodeId(70);
    Refresh();
    int names = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<QTreeWidgetItem*> items;
        for (QTreeWidgetItemIterator it(&Tree()); *it; ++it) {
            items.push_back(*it);
        }
        Tree().setCurrentItem(items[random() % items.size()]);
        const bool plain =
            IsMovableNode(Current(), EnhancedTreeCtrl::ItemValue(Tree().currentItem()));
        std::string what;
        switch (random() % 10) {
            case 0:
                what = "add";
                steps.push_back(Fill({{1014, QString("New%1").arg(++names)}}));
                Trigger("addNewNode");
                break;
            case 1:
                if (plain) {
                    what = "delete";
                    services.QueueAnswer(MessageAnswer::kYes);
                    Trigger("deleteBranch");
                }
                break;
            case 2:
                what = "make root";
                Trigger("makeRoot");
                break;
            case 3:
                what = "sort all";
                Trigger(random() % 2 == 0 ? "sortAllAscending" : "sortAllDescending");
                break;
            case 4:
                what = "sort branch";
                Trigger(random() % 2 == 0 ? "sortBranchAscending" : "sortBranchDescending");
                break;
            case 5:
            case 6:
                what = "undo";
                Undo();
                break;
            case 7:
                what = "redo";
                Redo();
                break;
            case 8:
                what = "open or close";
                Tree().currentItem()->setExpanded(!Tree().currentItem()->isExpanded());
                break;
            case 9:
                if (plain) {
                    what = "rename";
                    steps.push_back(Fill({{1014, QString("Renamed%1").arg(++names)}}));
                    Trigger("rename");
                }
                break;
        }
        ExpectAsFresh("round " + std::to_string(round) + ", " + what);
        if (HasFailure()) {
            return;
        }
    }
}

}  // namespace
}  // namespace tw::test
