// The operations that put a document back as it was before an edit: each is checked by the
// document's JSON form, which holds every field.

#include <gtest/gtest.h>

#include <set>

#include "model/dialogue_json.h"
#include "model/element_copy.h"
#include "support/model_fixtures.h"

namespace tw::test {
namespace {

// The full document with a second child under Greet, so places inside a list matter.
std::unique_ptr<Dialogue> MakeBranchyDialogue() {
    auto dialogue = MakeFullDialogue();
    DialogueNode& greet = *dialogue->FindNodeById(1);
    DialogueNode& haggle = dialogue->AppendNode(greet, 4, "Haggle");
    dialogue->AppendNode(haggle, 5, "Deal");
    dialogue->AppendNode(greet, 6, "Admire");
    dialogue->SetNextNodeId(7);
    return dialogue;
}

TEST(DialogueRestoreTest, BranchGoesBackToItsPlaceInTheList) {
    auto dialogue = MakeBranchyDialogue();
    const std::string before = DialogueToJson(*dialogue);
    std::optional<DetachedBranch> branch = dialogue->DetachBranch(4);
    ASSERT_TRUE(branch.has_value());
    EXPECT_EQ(branch->place, (NodePlace{1, 1}));
    EXPECT_EQ(dialogue->FindNodeById(5), nullptr);
    EXPECT_EQ(dialogue->FindNodeById(1)->Children().size(), 2u);
    ASSERT_TRUE(dialogue->RestoreBranch(*branch));
    EXPECT_EQ(DialogueToJson(*dialogue), before);
    EXPECT_EQ(dialogue->FindNodeById(5)->Parent()->GetId(), 4);
}

TEST(DialogueRestoreTest, RootAndMissingNodesHaveNoPlaceAndDetachNothing) {
    auto dialogue = MakeBranchyDialogue();
    const std::string before = DialogueToJson(*dialogue);
    EXPECT_FALSE(dialogue->PlaceOf(0).has_value());
    EXPECT_FALSE(dialogue->PlaceOf(99).has_value());
    EXPECT_FALSE(dialogue->DetachBranch(0).has_value());
    EXPECT_FALSE(dialogue->DetachBranch(99).has_value());
    EXPECT_FALSE(dialogue->PlaceNode(0, NodePlace{1, 0}));
    EXPECT_EQ(DialogueToJson(*dialogue), before);
}

TEST(DialogueRestoreTest, BranchWhoseParentWentStaysWithTheCaller) {
    auto dialogue = MakeBranchyDialogue();
    std::optional<DetachedBranch> deal = dialogue->DetachBranch(5);
    dialogue->DeleteBranch(4);
    EXPECT_FALSE(dialogue->RestoreBranch(*deal));
    ASSERT_NE(deal->node, nullptr);
    EXPECT_EQ(deal->node->GetName(), "Deal");
}

TEST(DialogueRestoreTest, MovesAndMakeRootAreUndoneByPlacingTheNodeBack) {
    auto dialogue = MakeBranchyDialogue();
    const std::string before = DialogueToJson(*dialogue);
    const NodePlace haggle = *dialogue->PlaceOf(4);
    ASSERT_TRUE(dialogue->MoveNode(4, 3));
    ASSERT_TRUE(dialogue->PlaceNode(4, haggle));
    EXPECT_EQ(DialogueToJson(*dialogue), before);
    const NodePlace greet = *dialogue->PlaceOf(1);
    dialogue->MakeRoot(5);
    ASSERT_TRUE(dialogue->PlaceNode(5, NodePlace{4, 0}));
    EXPECT_EQ(DialogueToJson(*dialogue), before);
    EXPECT_EQ(greet, (NodePlace{0, 0}));
    // No node goes into its own branch.
    EXPECT_FALSE(dialogue->PlaceNode(1, NodePlace{5, 0}));
    EXPECT_EQ(DialogueToJson(*dialogue), before);
}

TEST(DialogueRestoreTest, SortsAreUndoneByTheCapturedSiblingOrders) {
    for (bool ascending : {true, false}) {
        auto dialogue = MakeBranchyDialogue();
        // Neither ascending nor descending: each sort changes both lists.
        dialogue->AppendNode(dialogue->Root(), 7, "Cellar");
        dialogue->MoveNode(6, 5);
        dialogue->MoveNode(2, 1);
        const std::string before = DialogueToJson(*dialogue);
        const SiblingOrders orders = dialogue->CaptureSiblingOrders(0);
        // Only the lists with more than one child: the root's and Greet's.
        ASSERT_EQ(orders.size(), 2u);
        EXPECT_EQ(orders[0], (std::pair<std::int32_t, std::vector<std::int32_t>>{0, {1, 3, 7}}));
        EXPECT_EQ(orders[1], (std::pair<std::int32_t, std::vector<std::int32_t>>{1, {4, 2}}));
        dialogue->SortAll(ascending);
        ASSERT_NE(DialogueToJson(*dialogue), before);
        dialogue->RestoreSiblingOrders(orders);
        dialogue->SetModified(false);
        EXPECT_EQ(DialogueToJson(*dialogue), before) << ascending;
    }
}

TEST(DialogueRestoreTest, SiblingListsThatChangedMembersAreLeftAlone) {
    auto dialogue = MakeBranchyDialogue();
    const SiblingOrders orders = dialogue->CaptureSiblingOrders(1);
    dialogue->SortBranch(1, true);
    dialogue->DeleteBranch(6);
    const std::string sorted = DialogueToJson(*dialogue);
    dialogue->RestoreSiblingOrders(orders);
    EXPECT_EQ(DialogueToJson(*dialogue), sorted);
}

TEST(DialogueRestoreTest, ClearedContentsComeBackWhole) {
    auto dialogue = MakeFullDialogue();
    const std::string before = DialogueToJson(*dialogue);
    DialogueNode& greet = *dialogue->FindNodeById(1);
    NodeContents contents = greet.TakeContents();
    EXPECT_TRUE(greet.GetText().empty());
    EXPECT_TRUE(greet.Commands().empty());
    EXPECT_TRUE(greet.Responses().empty());
    EXPECT_EQ(greet.GetName(), "Greet");
    EXPECT_EQ(contents.commands.size(), 5u);
    greet.RestoreContents(std::move(contents));
    EXPECT_EQ(DialogueToJson(*dialogue), before);
}

TEST(DialogueRestoreTest, ListElementsGoBackToTheirIndex) {
    auto dialogue = MakeFullDialogue();
    const std::string before = DialogueToJson(*dialogue);
    DialogueNode& greet = *dialogue->FindNodeById(1);
    std::unique_ptr<NodeCommand> third = greet.RemoveCommandAt(2);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(third->GetType(), kCommandGoto);
    EXPECT_EQ(greet.RemoveCommandAt(9), nullptr);
    greet.InsertCommand(2, std::move(third));
    std::unique_ptr<NodeResponse> first = greet.RemoveResponseAt(0);
    greet.InsertResponse(0, std::move(first));
    EXPECT_EQ(DialogueToJson(*dialogue), before);
    // Past the end appends.
    greet.InsertCommand(99, std::make_unique<CommandEnd>());
    EXPECT_EQ(greet.Commands().back()->GetType(), kCommandEnd);
    EXPECT_EQ(greet.Commands().size(), 6u);
}

TEST(DialogueRestoreTest, ReplacedResponseIsHandedBack) {
    auto dialogue = MakeFullDialogue();
    DialogueNode& greet = *dialogue->FindNodeById(1);
    const NodeResponse* original = greet.Responses()[1].get();
    std::unique_ptr<NodeResponse> old =
        greet.ReplaceResponseAt(1, std::make_unique<NodeResponseAdd>("Z9"));
    EXPECT_EQ(old.get(), original);
    EXPECT_EQ(greet.Responses()[1]->GetTag(), "Z9");
    EXPECT_EQ(greet.ReplaceResponseAt(2, std::make_unique<NodeResponseAdd>("Q")), nullptr);
    EXPECT_EQ(greet.Responses().size(), 2u);
}

TEST(DialogueRestoreTest, CopiesHoldEveryFieldOfTheirRecord) {
    auto dialogue = MakeFullDialogue();
    DialogueNode& greet = *dialogue->FindNodeById(1);
    for (const auto& response : greet.Responses()) {
        std::unique_ptr<NodeResponse> copy = CopyResponse(*response);
        ASSERT_NE(copy, nullptr);
        EXPECT_NE(copy.get(), response.get());
        const NodeResponse* one[] = {response.get()};
        const NodeResponse* two[] = {copy.get()};
        EXPECT_EQ(NodeResponseList::Serialize(two), NodeResponseList::Serialize(one));
    }
    for (const auto& command : greet.Commands()) {
        std::unique_ptr<NodeCommand> copy = CopyCommand(*command);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->GetScriptText(), command->GetScriptText());
        EXPECT_EQ(copy->GetType(), command->GetType());
    }
}

// Siblings that share an id (a file can hold them) cannot be told apart by the captured
// ids, but the restore must still leave each node in the list exactly once, with the ids
// back in their order.
TEST(DialogueRestoreTest, SortOfSiblingsSharingAnIdKeepsEveryNodeOnce) {
    Dialogue dialogue;
    dialogue.AppendNode(dialogue.Root(), 5, "Zed");
    dialogue.AppendNode(dialogue.Root(), 6, "Mid");
    dialogue.AppendNode(dialogue.Root(), 5, "Abe");
    const SiblingOrders orders = dialogue.CaptureSiblingOrders(0);
    dialogue.SortAll(true);
    ASSERT_EQ(dialogue.Root().Children().front()->GetName(), "Abe");
    dialogue.RestoreSiblingOrders(orders);
    std::vector<std::int32_t> ids;
    std::set<std::string> names;
    for (const auto& child : dialogue.Root().Children()) {
        ids.push_back(child->GetId());
        names.insert(child->GetName());
    }
    EXPECT_EQ(ids, (std::vector<std::int32_t>{5, 6, 5}));
    EXPECT_EQ(names, (std::set<std::string>{"Abe", "Mid", "Zed"}));
}

}  // namespace
}  // namespace tw::test
