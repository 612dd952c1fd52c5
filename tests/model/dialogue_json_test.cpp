#include "model/dialogue_json.h"

#include <gtest/gtest.h>

#include "support/expected_file.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

std::unique_ptr<Dialogue> FromJson(std::string_view text) {
    auto dialogue = std::make_unique<Dialogue>();
    const std::optional<std::string> error = DialogueFromJson(text, *dialogue);
    EXPECT_FALSE(error.has_value()) << *error;
    return dialogue;
}

TEST(DialogueJson, ReadBackKeepsEveryField) {
    const std::unique_ptr<Dialogue> copy = FromJson(DialogueToJson(*test::MakeFullDialogue()));
    test::ExpectMatchesFile(DialogueToJson(*copy),
                            std::string(TW_SOURCE_DIR) + "/tests/model/data/full_dialogue.json");
}

TEST(DialogueJson, DeepTreesNeedNoRecursion) {
    Dialogue deep;
    DialogueNode* last = &deep.Root();
    for (int id = 1; id <= 100000; ++id) {
        last = &deep.AppendNode(*last, id, "N");
    }
    const std::unique_ptr<Dialogue> copy = FromJson(DialogueToJson(deep));
    EXPECT_EQ(copy->FindNodeById(100000)->Parent()->GetId(), 99999);
    // Deeply nested JSON values are refused without exhausting the stack.
    const std::string nested = std::string(200000, '[') + std::string(200000, ']');
    Dialogue dialogue;
    EXPECT_EQ(DialogueFromJson(nested, dialogue), "not a dialogue: document: expected an object");
}

}  // namespace
}  // namespace tw
