// The node tree's context menu from the keyboard reaches the same request as a right click.

#include <gtest/gtest.h>

#include <QApplication>
#include <QContextMenuEvent>
#include <QTest>

#include "ui/controls/enhanced_tree_ctrl.h"

namespace tw {
namespace {

class TreeMenuKeysTest : public testing::Test {
protected:
    void SetUp() override {
        tree.setContextMenuPolicy(Qt::CustomContextMenu);
        QObject::connect(&tree, &QWidget::customContextMenuRequested,
                         [this](const QPoint& pos) { requests.push_back(tree.itemAt(pos)); });
        root = tree.InsertItem("Initialization Node", 0, 0, 0);
        greet = tree.InsertItem("Greet", 0, 0, 1, root);
        shop = tree.InsertItem("Shop", 0, 0, 2, root);
        tree.expandAll();
        tree.resize(300, 200);
        tree.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&tree));
        tree.setFocus();
    }

    EnhancedTreeCtrl tree;
    QTreeWidgetItem* root = nullptr;
    QTreeWidgetItem* greet = nullptr;
    QTreeWidgetItem* shop = nullptr;
    std::vector<QTreeWidgetItem*> requests;
};

TEST_F(TreeMenuKeysTest, MenuKeyAndShiftF10AskForTheCurrentItemsMenu) {
    tree.setCurrentItem(shop);
    QTest::keyClick(&tree, Qt::Key_Menu);
    tree.setCurrentItem(greet);
    QTest::keyClick(&tree, Qt::Key_F10, Qt::ShiftModifier);
    EXPECT_EQ(requests, (std::vector<QTreeWidgetItem*>{shop, greet}));
    // Neither key moved the selection.
    EXPECT_EQ(tree.currentItem(), greet);
}

TEST_F(TreeMenuKeysTest, OtherKeysStillMoveThroughTheTree) {
    tree.setCurrentItem(greet);
    QTest::keyClick(&tree, Qt::Key_F10);
    QTest::keyClick(&tree, Qt::Key_Down);
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(tree.currentItem(), shop);
}

TEST_F(TreeMenuKeysTest, AKeyboardMenuEventIsOneRequestAtTheCurrentItem) {
    tree.setCurrentItem(greet);
    // As a screen reader's "show menu" sends it: no key before it, a position anywhere.
    QContextMenuEvent fromReader(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                 tree.mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(&tree, &fromReader);
    EXPECT_EQ(requests, (std::vector<QTreeWidgetItem*>{greet}));

    // The Menu key followed by the platform's own keyboard menu event: one menu, not two.
    requests.clear();
    QTest::keyClick(&tree, Qt::Key_Menu);
    QContextMenuEvent fromPlatform(QContextMenuEvent::Keyboard, QPoint(1, 1),
                                   tree.mapToGlobal(QPoint(1, 1)));
    QApplication::sendEvent(&tree, &fromPlatform);
    EXPECT_EQ(requests, (std::vector<QTreeWidgetItem*>{greet}));
}

TEST_F(TreeMenuKeysTest, WithoutACurrentItemTheRequestStillComes) {
    tree.setCurrentItem(nullptr);
    QTest::keyClick(&tree, Qt::Key_Menu);
    ASSERT_EQ(requests.size(), 1u);
}

}  // namespace
}  // namespace tw
