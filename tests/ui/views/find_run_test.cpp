// The find bar's run over several dialogues: one budget per slice, and closed dialogues
// dropped before the next slice.

#include "ui/views/find_run.h"

#include <gtest/gtest.h>

#include "model/dialogue.h"

namespace tw::test {
namespace {

void AddNodes(Dialogue& dialogue, int count) {
    for (int i = 1; i <= count; ++i)
        dialogue.AppendNode(dialogue.Root(), i, "gold" + std::to_string(i));
}

TEST(FindRunTest, TheSliceBudgetCarriesOverToTheNextDialogue) {
    Dialogue first;
    Dialogue second;
    AddNodes(first, 2);   // three nodes with the root, two of them matches
    AddNodes(second, 9);  // ten nodes, nine matches
    FindRun run;
    run.Add(first, SearchOptions{"gold"});
    run.Add(second, SearchOptions{"gold"});
    const std::vector<FoundMatch> slice = run.Step(5);  // all of first, two of second
    ASSERT_EQ(slice.size(), 3u);
    EXPECT_EQ(slice[0].document, &first);
    EXPECT_EQ(slice[1].nodeId, 2);
    EXPECT_EQ(slice[2].document, &second);
    EXPECT_EQ(slice[2].nodeId, 1);
    EXPECT_FALSE(run.IsDone());
    EXPECT_EQ(run.Step(100).size(), 8u);
    EXPECT_TRUE(run.IsDone());
    EXPECT_TRUE(run.Step(100).empty());
}

TEST(FindRunTest, ClosedDialoguesAreDroppedBeforeTheyAreWalked) {
    Dialogue first;
    auto second = std::make_unique<Dialogue>();
    AddNodes(first, 3);
    AddNodes(*second, 3);
    FindRun run;
    run.Add(first, SearchOptions{"gold"});
    run.Add(*second, SearchOptions{"gold"});
    EXPECT_EQ(run.Step(1).size(), 0u);  // the root only
    run.Drop(*second);                  // closing: its nodes are walked no more
    second.reset();
    EXPECT_EQ(run.Step(100).size(), 3u);
    EXPECT_TRUE(run.IsDone());
}

}  // namespace
}  // namespace tw::test
