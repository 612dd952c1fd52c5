#include "model/editing/tree_edit_rules.h"

#include <gtest/gtest.h>

#include "model/dialogue.h"
#include "model/tree_depth.h"

namespace tw {
namespace {

// Root(0) -> A(1) -> B(2), C(3); D(4) at the top.
class TreeEditRulesTest : public testing::Test {
protected:
    void SetUp() override {
        DialogueNode& a = dialogue.AppendNode(dialogue.Root(), 1, "A");
        dialogue.AppendNode(a, 2, "B");
        dialogue.AppendNode(a, 3, "C");
        dialogue.AppendNode(dialogue.Root(), 4, "D");
    }
    Dialogue dialogue;
};

TEST_F(TreeEditRulesTest, DropsThatWouldBreakTheTreeOrChangeNothingAreRefused) {
    struct Case {
        std::int32_t id;
        std::int32_t target;
        bool allowed;
    };
    const Case cases[] = {
        {2, 4, true},  {1, 4, true},  {3, 2, true},  // a move anywhere else
        {2, 1, true},  {3, 1, false},                // the last child stays where it is
        {1, 2, false}, {1, 1, false},                // into its own branch
        {0, 4, false}, {4, 0, false},                // the initialization node either way
        {9, 4, false}, {4, 9, false},                // no such node
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CanDropNode(dialogue, c.id, c.target), c.allowed) << c.id << " onto " << c.target;
    }
}

TEST_F(TreeEditRulesTest, MakeRootAndTheMovableNodes) {
    EXPECT_TRUE(CanMakeRoot(dialogue, 2));
    EXPECT_FALSE(CanMakeRoot(dialogue, 1));  // already at the top
    EXPECT_FALSE(CanMakeRoot(dialogue, 0));
    EXPECT_FALSE(CanMakeRoot(dialogue, 9));
    EXPECT_TRUE(IsMovableNode(dialogue, 4));
    EXPECT_FALSE(IsMovableNode(dialogue, 0));
    EXPECT_FALSE(IsMovableNode(dialogue, 9));
}

// A chain down to the deepest level the editor shows: nothing goes below its end, and a
// dropped branch may reach the limit but not pass it.
TEST(TreeDepthRules, NothingGoesDeeperThanTheEditorShows) {
    constexpr auto kLimit = static_cast<std::int32_t>(kMaxEditorTreeDepth);
    Dialogue dialogue;
    DialogueNode* end = &dialogue.Root();
    for (std::int32_t id = 1; id < kLimit; ++id) {
        end = &dialogue.AppendNode(*end, id, "N" + std::to_string(id));
    }
    DialogueNode& branch = dialogue.AppendNode(dialogue.Root(), kLimit + 1, "Branch");
    dialogue.AppendNode(branch, kLimit + 2, "Leaf");
    EXPECT_EQ(DialogueDepth(dialogue), kMaxEditorTreeDepth - 1);
    EXPECT_EQ(LevelsBelow(branch), 1u);
    EXPECT_EQ(LevelsAbove(*end), kMaxEditorTreeDepth - 1);

    EXPECT_TRUE(CanAddChild(dialogue, kLimit - 1));
    EXPECT_TRUE(CanDropNode(dialogue, kLimit + 1, kLimit - 2));
    EXPECT_FALSE(CanDropNode(dialogue, kLimit + 1, kLimit - 1));
    EXPECT_TRUE(CanDropNode(dialogue, kLimit + 2, kLimit - 1));
    EXPECT_TRUE(CanMakeRoot(dialogue, kLimit - 1));
    dialogue.AppendNode(*end, kLimit, "Deepest");
    EXPECT_EQ(DialogueDepth(dialogue), kMaxEditorTreeDepth);
    EXPECT_FALSE(CanAddChild(dialogue, kLimit));
    EXPECT_FALSE(CanAddChild(dialogue, kLimit + 9));
    EXPECT_EQ(TooDeepToAddMessage(),
              "The node would lie deeper than 2000 levels, the most the editor shows.");
}

}  // namespace
}  // namespace tw
