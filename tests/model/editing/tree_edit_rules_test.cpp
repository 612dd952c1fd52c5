#include "model/editing/tree_edit_rules.h"

#include <gtest/gtest.h>

#include "model/dialogue.h"
#include "model/tree_depth.h"

namespace tw {
namespace {

// Drops, make-root and movable nodes are cases in cases/dialog_rules.txt.

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
