// Going from tab to tab: the tree the writer left comes back as it was, and never shows
// another document's nodes.

#include <QTreeWidgetItemIterator>

#include "ui/controls/style_edit_ctrl.h"
#include "ui/main_window/main_window_fixture.h"

namespace tw::test {
namespace {

class TabSwitchTest : public MainWindowTest {
protected:
    // The tree of the current document as a fresh view of it shows it.
    QString FreshDump() {
        Refresh();
        return TreeDump();
    }
    // The first top-level node with children.
    QTreeWidgetItem* FirstBranch() {
        for (int i = 1; i < Tree()->topLevelItemCount(); ++i) {
            if (Tree()->topLevelItem(i)->childCount() > 0) {
                return Tree()->topLevelItem(i);
            }
        }
        return nullptr;
    }
    QStringList ExpandedLabels() const {
        QStringList labels;
        for (QTreeWidgetItemIterator it(Tree()); *it; ++it) {
            if ((*it)->isExpanded()) {
                labels << (*it)->text(0);
            }
        }
        return labels;
    }
};

TEST_F(TabSwitchTest, TheTreeComesBackWithItsExpansionAndSelection) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    const QString innkeeper = FreshDump();
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    const QString blacksmith = FreshDump();
    ASSERT_NE(innkeeper, blacksmith);

    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(TreeDump(), innkeeper);
    QTreeWidgetItem* branch = FirstBranch();
    ASSERT_NE(branch, nullptr);
    branch->setExpanded(true);
    Tree()->setCurrentItem(branch->child(0));
    const QString selected = branch->child(0)->text(0);
    const QStringList expanded = ExpandedLabels();
    const QString nodeText = NodeText()->toPlainText();

    Tabs()->setCurrentIndex(1);
    EXPECT_EQ(TreeDump(), blacksmith);

    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(TreeDump(), innkeeper);
    EXPECT_EQ(ExpandedLabels(), expanded);
    ASSERT_NE(Tree()->currentItem(), nullptr);
    EXPECT_EQ(Tree()->currentItem()->text(0), selected);
    EXPECT_EQ(NodeText()->toPlainText(), nodeText);
    EXPECT_EQ(Current().GetSelectedNodeId(), EnhancedTreeCtrl::ItemValue(Tree()->currentItem()));
}

// A branch moved in one document is where it was moved when its tab comes back.
TEST_F(TabSwitchTest, AMoveMadeBeforeLeavingIsShownOnReturn) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    Tabs()->setCurrentIndex(0);
    QTreeWidgetItem* branch = FirstBranch();
    ASSERT_NE(branch, nullptr);
    QTreeWidgetItem* target = Tree()->topLevelItem(Tree()->topLevelItemCount() - 1);
    ASSERT_NE(target, branch);
    branch->setExpanded(true);
    target->setExpanded(false);
    Tree()->scrollToTop();
    QTreeWidgetItem* dragged = branch->child(0);
    ASSERT_TRUE(Tree()->BeginDrag(dragged, Tree()->visualItemRect(dragged).center()));
    Tree()->DragMove(Tree()->visualItemRect(target).center());
    Tree()->EndDrag();
    const QString moved = TreeDump();
    ASSERT_TRUE(Current().IsModified());

    Tabs()->setCurrentIndex(1);
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(TreeDump(), moved);
    EXPECT_EQ(FreshDump(), moved);
}

// Closing tabs and opening others never brings back a tree kept for another document.
TEST_F(TabSwitchTest, ClosedTabsLeaveNoTreeBehind) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    const QString innkeeper = FreshDump();
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    const QString blacksmith = FreshDump();
    Tabs()->setCurrentIndex(0);
    Tabs()->setCurrentIndex(1);
    window->OnCloseDialogue();
    EXPECT_EQ(TreeDump(), innkeeper);

    window->OnNewDialogue();
    const QString fresh = TreeDump();
    EXPECT_EQ(FreshDump(), fresh);
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(TreeDump(), innkeeper);
    Tabs()->setCurrentIndex(1);
    EXPECT_EQ(TreeDump(), fresh);
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    EXPECT_EQ(TreeDump(), blacksmith);
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(TreeDump(), innkeeper);
}

// The tab left for another file keeps its very items: coming back makes none anew. The
// untouched scratch document the first file replaced leaves nothing behind either.
TEST_F(TabSwitchTest, OpeningAnotherFileKeepsTheItemsOfTheTabLeft) {
    const QString scratch = TreeDump();
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    const QString innkeeper = TreeDump();
    QTreeWidgetItem* branch = FirstBranch();
    ASSERT_NE(branch, nullptr);
    branch->setExpanded(true);
    Tree()->setCurrentItem(branch);

    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    const QString blacksmith = TreeDump();
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(FirstBranch(), branch);
    EXPECT_TRUE(branch->isExpanded());
    EXPECT_EQ(Tree()->currentItem(), branch);
    EXPECT_EQ(TreeDump(), innkeeper);

    window->OnNewDialogue();
    EXPECT_EQ(TreeDump(), scratch);
    EXPECT_EQ(TabTitles().size(), 3);
    Tabs()->setCurrentIndex(1);
    EXPECT_EQ(TreeDump(), blacksmith);
    Tabs()->setCurrentIndex(2);
    EXPECT_EQ(TreeDump(), scratch);
    Tabs()->setCurrentIndex(0);
    EXPECT_EQ(TreeDump(), innkeeper);
}

// Leaving a tab again after changing nothing keeps it as it came back; after an expand or
// a collapse it keeps the new state, in the tree and in the document.
TEST_F(TabSwitchTest, EveryVisitKeepsTheLatestExpansion) {
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("innkeeper.vrx")));
    QTreeWidgetItem* branch = FirstBranch();
    ASSERT_NE(branch, nullptr);
    branch->setExpanded(true);
    ASSERT_TRUE(window->OpenDialogueFile(SamplePath("blacksmith.vrx")));
    Tabs()->setCurrentIndex(0);
    Tabs()->setCurrentIndex(1);
    Tabs()->setCurrentIndex(0);
    EXPECT_TRUE(branch->isExpanded());

    branch->setExpanded(false);
    Tree()->setCurrentItem(branch);
    Tabs()->setCurrentIndex(1);
    EXPECT_EQ(&CurrentDocument(), &Documents().At(1));
    Tabs()->setCurrentIndex(0);
    EXPECT_FALSE(branch->isExpanded());
    EXPECT_EQ(Tree()->currentItem(), branch);
    EXPECT_EQ(Documents().At(0).CurrentNodeId(), EnhancedTreeCtrl::ItemValue(branch));

    Tabs()->setCurrentIndex(0);
    Tree()->ExpandAll(true);
    Tabs()->setCurrentIndex(1);
    Tabs()->setCurrentIndex(0);
    EXPECT_TRUE(branch->isExpanded());
}

}  // namespace
}  // namespace tw::test
