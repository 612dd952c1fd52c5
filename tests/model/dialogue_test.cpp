#include "model/dialogue.h"

#include <gtest/gtest.h>

#include "model/command_kinds.h"
#include "model/dialogue_json.h"
#include "model/element_copy.h"
#include "support/expected_file.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

// A new document's fields, the comments template among them, as its JSON form shows them.
TEST(Dialogue, NewDocumentDefaults) {
    Dialogue dialogue;
    EXPECT_TRUE(dialogue.IsScratch());
    EXPECT_FALSE(dialogue.IsModified());
    EXPECT_EQ(dialogue.GetPath(), "");
    EXPECT_EQ(dialogue.GetSelectedNodeId(), 0);
    test::ExpectMatchesFile(DialogueToJson(dialogue),
                            std::string(TW_SOURCE_DIR) + "/tests/model/data/new_dialogue.json");
}

// Tree edits, sorting, response tags and a node's lists are cases in cases/tree_edits.txt.

// Copies, as an undo step keeps them, hold every field.
TEST(Dialogue, CopiesHoldEveryFieldOfTheirRecord) {
    auto dialogue = test::MakeFullDialogue();
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

TEST(Dialogue, DeepTreesAreBuiltSearchedAndDestroyedWithoutRecursion) {
    auto dialogue = std::make_unique<Dialogue>();
    DialogueNode* last = &dialogue->Root();
    for (int id = 1; id <= 100000; ++id) {
        last = &dialogue->AppendNode(*last, id, "N" + std::to_string(id));
    }
    EXPECT_EQ(dialogue->FindNodeById(100000), last);
    EXPECT_EQ(dialogue->FindNodeByName("n99999"), last->Parent());
    dialogue->SortAll(true);
    dialogue->MakeRoot(50000);
    EXPECT_EQ(dialogue->FindNodeById(50000)->Parent(), &dialogue->Root());
    dialogue.reset();
}

}  // namespace
}  // namespace tw
