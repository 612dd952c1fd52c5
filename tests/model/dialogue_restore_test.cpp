// The operations that put a document back as it was before an edit: each is checked by the
// document's JSON form, which holds every field.

#include <gtest/gtest.h>

#include "model/dialogue_json.h"
#include "model/element_copy.h"
#include "support/model_fixtures.h"

namespace tw::test {
namespace {

// Detaching, placing and sibling orders are cases in cases/tree_edits.txt.

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

}  // namespace
}  // namespace tw::test
