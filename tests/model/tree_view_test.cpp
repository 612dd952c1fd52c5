#include "model/tree_view.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

class TreeView : public testing::Test {
protected:
    void SetUp() override {
        dialogue.AddNode(1, 0, "A", "first");
        dialogue.AddNode(2, 1, "A1", "");
        dialogue.AddNode(3, 0, "B", "");
    }
    Dialogue dialogue;
};

TEST_F(TreeView, ItemsFollowThePreOrder) {
    const std::vector<TreeViewItem> items = TreeViewItems(dialogue);
    ASSERT_EQ(items.size(), 4u);
    const struct {
        const char* label;
        int id;
        int image;
        int parent;
    } expected[] = {
        {"Initialization Node", 0, 1, -1}, {"A [first]", 1, 0, 0}, {"A1", 2, 0, 1}, {"B", 3, 0, 0}};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].label, expected[i].label);
        EXPECT_EQ(items[i].nodeId, expected[i].id);
        EXPECT_EQ(items[i].image, expected[i].image);
        EXPECT_EQ(items[i].parentIndex, expected[i].parent);
        EXPECT_EQ(items[i].node, dialogue.FindNodeById(expected[i].id));
    }
}

TEST_F(TreeView, ViewStateIsKeptAndRestored) {
    SaveViewState(dialogue, {true, false, false, true}, 2);
    EXPECT_EQ(dialogue.GetSelectedNodeId(), 2);
    EXPECT_EQ(dialogue.FindNodeById(3)->GetExpanded(), 1);
    ViewState state = RestoreViewState(dialogue);
    EXPECT_EQ(state.expanded, (std::vector<bool>{true, false, false, true}));
    EXPECT_EQ(state.selectedIndex, 2);
    dialogue.SetSelectedNodeId(99);
    EXPECT_EQ(RestoreViewState(dialogue).selectedIndex, -1);
}

}  // namespace
}  // namespace tw
