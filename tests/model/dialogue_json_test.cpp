#include "model/dialogue_json.h"

#include <gtest/gtest.h>

namespace tw {
namespace {

std::string ReadError(const std::string& json) {
    Dialogue dialogue;
    return DialogueFromJson(json, dialogue).value_or("(read)");
}

TEST(DialogueJson, DeepTreesNeedNoRecursion) {
    Dialogue deep;
    DialogueNode* last = &deep.Root();
    for (int id = 1; id <= 100000; ++id) {
        last = &deep.AppendNode(*last, id, "N");
    }
    Dialogue copy;
    ASSERT_EQ(DialogueFromJson(DialogueToJson(deep), copy), std::nullopt);
    EXPECT_EQ(copy.FindNodeById(100000)->Parent()->GetId(), 99999);
}

// Deeply nested JSON values are refused without exhausting the stack, wherever they stand.
TEST(DialogueJson, DeepValuesAreRefusedWithoutRecursion) {
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    const std::string head = R"({"format": "talkwright-dialogue", )";
    EXPECT_EQ(ReadError(deep), "not a dialogue: document: expected an object");
    EXPECT_EQ(ReadError(head + R"("nodes": [{"depth": 0, "name": )" + deep + "}]}"),
              "not a dialogue: nodes[0].name: expected a string");
    EXPECT_EQ(ReadError(head + R"("nodes": [)" + deep + "]}"),
              "not a dialogue: nodes[0]: expected an object");
    EXPECT_EQ(ReadError(head + R"("npc": )" + deep + R"(, "nodes": []})"),
              "not a dialogue: npc: expected an object");
}

}  // namespace
}  // namespace tw
