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

}  // namespace
}  // namespace tw
