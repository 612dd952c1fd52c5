// The node tree follows its document's steps by changing only the items they touch. The tree
// they leave must be the one a fresh fill of the document shows: the same items in the same
// order, labels, images, open branches and selection, and an index that finds each item.

#include "ui/views/document_tree.h"

#include <gtest/gtest.h>

#include <QTreeWidgetItemIterator>
#include <random>
#include <set>
#include <utility>

#include "model/editing/tree_edit_rules.h"
#include "ui/controls/enhanced_tree_ctrl.h"
#include "ui/document/editor_document.h"
#include "ui/views/tree_fill.h"

namespace tw::test {
namespace {

// One line per item in pre-order: depth, label, value, image and whether it is open; then
// the current item's value.
QString ShapeOf(EnhancedTreeCtrl& tree) {
    QStringList lines;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
        int depth = 0;
        for (QTreeWidgetItem* up = (*it)->parent(); up != nullptr; up = up->parent()) {
            ++depth;
        }
        lines << QString("%1%2(%3) image %4%5")
                     .arg(QString(depth * 2, ' '), (*it)->text(0))
                     .arg(EnhancedTreeCtrl::ItemValue(*it))
                     .arg((*it)->data(0, EnhancedTreeCtrl::kImageRole).toInt())
                     .arg((*it)->childCount() > 0 && (*it)->isExpanded() ? " open" : "");
    }
    const QTreeWidgetItem* current = tree.currentItem();
    lines << QString("current %1").arg(current ? EnhancedTreeCtrl::ItemValue(current) : -1);
    return lines.join("\n");
}

class DocumentTreeTest : public testing::Test {
protected:
    // Greeting(1)[Shop(2);Inn(4)[Cellar(5);Attic(6)];Bard(7)];
    // Farewell(3)[Alpha(8)[Moth(10)];Zed(9)]
    DocumentTreeTest() {
        Dialogue& dialogue = document.GetDialogue();
        const std::pair<int, int> nodes[] = {{1, 0}, {2, 1}, {3, 0}, {4, 1}, {5, 4},
                                             {6, 4}, {7, 1}, {8, 3}, {9, 3}, {10, 8}};
        const char* names[] = {"Greeting", "Shop", "Farewell", "Inn", "Cellar",
                               "Attic",    "Bard", "Alpha",    "Zed", "Moth"};
        for (std::size_t i = 0; i < std::size(nodes); ++i) {
            dialogue.AddNode(nodes[i].first, nodes[i].second, names[i], "");
        }
        dialogue.SetNextNodeId(11);
        new DocumentTree(document, tree);  // owned by the tree
    }
    Dialogue& Dialog() { return document.GetDialogue(); }
    QTreeWidgetItem* ItemOf(int id) { return tree.FindItem(id); }

    // Nodes 11 to lastId - 1, each under a random earlier node, named N and a random number.
    void AddRandomNodes(std::mt19937& random, int lastId, unsigned nameRange) {
        for (int id = 11; id < lastId; ++id) {
            const auto parent = static_cast<std::int32_t>(random() % static_cast<unsigned>(id));
            Dialog().AddNode(id, parent, "N" + std::to_string(random() % nameRange), "");
        }
        Dialog().SetNextNodeId(lastId);
        document.ReportTreeChanged();
    }

    // The tree against a fresh fill, its state first kept in the document as a tab switch
    // keeps it; and the index against a walk of every item.
    void ExpectAsFresh(const std::string& when) {
        SaveTreeState(tree, Dialog());
        EnhancedTreeCtrl fresh;
        RestoreTreeState(fresh, Dialog(), FillTree(fresh, Dialog()));
        EXPECT_EQ(ShapeOf(tree), ShapeOf(fresh)) << when;
        std::set<int> walked;
        for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
            EXPECT_EQ(tree.FindItem(EnhancedTreeCtrl::ItemValue(*it)), *it) << when;
            walked.insert(EnhancedTreeCtrl::ItemValue(*it));
        }
        for (int id = 0; id <= Dialog().GetNextNodeId(); ++id) {
            if (walked.count(id) == 0) {
                EXPECT_EQ(tree.FindItem(id), nullptr) << when << ", node " << id;
            }
        }
    }
    void Undo() { document.UndoStack().undo(); }
    void Redo() { document.UndoStack().redo(); }

    EditorDocument document;
    EnhancedTreeCtrl tree;
};

// A sort moves the items it has: none is made again, and what was open and selected stays.
TEST_F(DocumentTreeTest, SortKeepsEveryItemWithItsStateAndSelection) {
    std::map<int, QTreeWidgetItem*> items;
    for (int id = 0; id <= 10; ++id) {
        items[id] = ItemOf(id);
    }
    ItemOf(4)->setExpanded(true);
    ItemOf(8)->setExpanded(true);
    tree.setCurrentItem(ItemOf(6));
    document.SortBranch(kInitializationNodeId, true);
    for (const auto& [id, item] : items) {
        EXPECT_EQ(ItemOf(id), item) << id;
    }
    EXPECT_EQ(tree.topLevelItem(1), ItemOf(3));
    EXPECT_EQ(ItemOf(4)->child(0), ItemOf(6));
    EXPECT_TRUE(ItemOf(4)->isExpanded() && ItemOf(8)->isExpanded());
    EXPECT_EQ(tree.currentItem(), ItemOf(6));
}

// A branch taken out and put back by undo opens where it was open, and a branch made root
// and put back keeps its very items.
TEST_F(DocumentTreeTest, BranchesComeBackWithTheirItemsOpenAsTheyWere) {
    ItemOf(1)->setExpanded(true);
    ItemOf(4)->setExpanded(true);
    document.DeleteBranch(1);
    EXPECT_EQ(ItemOf(4), nullptr);
    Undo();
    ASSERT_NE(ItemOf(4), nullptr);
    EXPECT_TRUE(ItemOf(1)->isExpanded() && ItemOf(4)->isExpanded());
    ExpectAsFresh("deleted, undone");

    QTreeWidgetItem* inn = ItemOf(4);
    QTreeWidgetItem* cellar = ItemOf(5);
    document.MakeRoot(4);
    EXPECT_EQ(tree.indexOfTopLevelItem(inn), tree.topLevelItemCount() - 1);
    Undo();
    EXPECT_EQ(ItemOf(4), inn);
    EXPECT_EQ(ItemOf(5), cellar);
    EXPECT_EQ(ItemOf(1)->indexOfChild(inn), 1);
    EXPECT_TRUE(inn->isExpanded());
    ExpectAsFresh("made root, undone");
}

// Items that no longer match the document (here deleted behind the view's back) make a
// step fill the tree again instead of changing it in place.
TEST_F(DocumentTreeTest, ItemsThatDoNotMatchTheDocumentAreMadeAgain) {
    delete ItemOf(7);
    document.SortBranch(kInitializationNodeId, true);
    EXPECT_NE(ItemOf(7), nullptr);
    ExpectAsFresh("sorted");
    document.MakeRoot(4);
    delete ItemOf(4);
    Undo();  // the moved branch has no item to move back
    EXPECT_NE(ItemOf(4), nullptr);
    ExpectAsFresh("undone");
}

// A large sort goes in parts; a change that comes in while the loop turns between them (here
// a rename, made once some lists are sorted) leaves the rest to be sorted at once. The tree shows
// the sorted document, and undoing both gives back the very order there was.
TEST_F(DocumentTreeTest, SortAllThatAChangeInterruptsEndsSortedAndUndoesToTheOldOrder) {
    std::mt19937 random(77);
    AddRandomNodes(random, 3000, 5000);
    tree.setCurrentItem(ItemOf(2900));
    const QString before = ShapeOf(tree);
    bool renamed = false;
    QObject::connect(&document, &EditorDocument::longStepPaced, [&](int, int lists) {
        if (lists > 0 && !std::exchange(renamed, true)) {
            document.RenameNode(2900, "A0", "");
        }
    });
    document.SortBranch(kInitializationNodeId, true);
    ASSERT_TRUE(renamed);
    ExpectAsFresh("sorted");
    EXPECT_EQ(Dialog().FindNodeById(2900)->Parent()->Children().front()->GetName(), "A0");
    Undo();
    Undo();
    EXPECT_EQ(ShapeOf(tree), before);
}

// Qt's tree recurses once per level as it expands, collapses and deletes items: the deepest
// tree the editor opens takes all three.
TEST(DocumentTreeDepthTest, TheDeepestTreeExpandsCollapsesAndGoes) {
    EditorDocument document;
    DialogueNode* end = &document.GetDialogue().Root();
    for (std::size_t level = 1; level <= kMaxEditorTreeDepth; ++level) {
        end = &document.GetDialogue().AppendNode(*end, static_cast<std::int32_t>(level), "N");
    }
    auto tree = std::make_unique<EnhancedTreeCtrl>();
    auto* view = new DocumentTree(document, *tree);
    view->ExpandCollapseAll();
    EXPECT_TRUE(view->ItemOfNode(static_cast<std::int32_t>(kMaxEditorTreeDepth) - 1)->isExpanded());
    view->ExpandCollapseAll();
    tree.reset();
}

// A long random run of steps, undos, redos, renames, moves, opening and closing, on a larger
// tree: after each, the tree as a fresh fill and the index as a walk.
TEST_F(DocumentTreeTest, MatchesAFreshFillAfterRandomStepsUndosAndRedos) {
    std::mt19937 random(1616);
    AddRandomNodes(random, 70, 1000);
    for (int round = 0; round < 300 && !HasFailure(); ++round) {
        std::vector<QTreeWidgetItem*> items;
        for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
            items.push_back(*it);
        }
        QTreeWidgetItem* item = items[random() % items.size()];
        tree.setCurrentItem(item);
        const std::int32_t id = EnhancedTreeCtrl::ItemValue(item);
        const bool movable = IsMovableNode(Dialog(), id);
        const std::int32_t other = EnhancedTreeCtrl::ItemValue(items[random() % items.size()]);
        switch (random() % 10) {
            case 0:
                document.AddNode(id, "New" + std::to_string(round), "");
                break;
            case 1:
                movable ? document.DeleteBranch(id) : void();
                break;
            case 2:
                CanMakeRoot(Dialog(), id) ? document.MakeRoot(id) : void();
                break;
            case 3:
                document.SortBranch(random() % 2 == 0 ? id : kInitializationNodeId,
                                    random() % 2 == 0);
                break;
            case 4:
            case 5:
                Undo();
                break;
            case 6:
                Redo();
                break;
            case 7:
                item->setExpanded(!item->isExpanded());
                break;
            case 8:
                movable ? document.RenameNode(id, "Renamed" + std::to_string(round), "") : void();
                break;
            case 9:
                CanDropNode(Dialog(), id, other) && document.MoveNode(id, other);
                break;
        }
        ExpectAsFresh("round " + std::to_string(round));
    }
}

}  // namespace
}  // namespace tw::test
