// The operations that put a document back as it was before an edit: each is checked by the
// document's JSON form, which holds every field.

#include <gtest/gtest.h>

#include "model/dialogue_json.h"
#include "model/element_copy.h"
#include "support/model_fixtures.h"

namespace tw::test {
namespace {

// Detaching, placing, sibling orders and a node's lists are cases in cases/tree_edits.txt.

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
