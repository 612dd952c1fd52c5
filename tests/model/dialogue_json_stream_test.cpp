// The reader takes the document node by node as it is parsed; it must still answer as if the
// whole document had been parsed first.

#include <gtest/gtest.h>

#include <string>

#include "model/dialogue_json.h"

namespace tw {
namespace {

const std::string kFormat = R"("format": "talkwright-dialogue")";

std::string ReadError(const std::string& json) {
    Dialogue dialogue;
    return DialogueFromJson(json, dialogue).value_or("(read)");
}

TEST(DialogueJsonStream, SyntaxErrorAfterAShapeErrorIsTheOneReported) {
    const std::string json = "{" + kFormat + R"(, "nodes": [{"depth": 1}], "npc": {"id": })";
    EXPECT_EQ(ReadError(json).rfind("invalid JSON: parse error at line 1, column ", 0), 0u)
        << ReadError(json);
    EXPECT_EQ(ReadError(R"([1, 2)").rfind("invalid JSON: ", 0), 0u);
}

TEST(DialogueJsonStream, DocumentMembersAreCheckedBeforeTheNodesWhereverTheyStand) {
    EXPECT_EQ(ReadError(R"({"nodes": [{"depth": 1}], "extra": 1, )" + kFormat + "}"),
              "not a dialogue: extra: unknown key");
    EXPECT_EQ(ReadError(R"({"nodes": [{"depth": 1}], "fileVersion": 7, )" + kFormat + "}"),
              "not a dialogue: fileVersion: expected a version from 100 to 102");
    EXPECT_EQ(
        ReadError(R"({"nodes": [{"depth": 0}, {"depth": 3}, {"depth": 9}], )" + kFormat + "}"),
        "not a dialogue: nodes[1].depth: expected a depth from 1 to 1");
}

TEST(DialogueJsonStream, MembersAfterTheNodesAreRead) {
    Dialogue dialogue;
    const std::string json = R"({"nodes": [{"depth": 0}, {"depth": 1, "id": 4, "name": "A"}],
        "npc": {"name": "Smith"}, "nextNodeId": 5, )" +
                             kFormat + "}";
    ASSERT_EQ(DialogueFromJson(json, dialogue), std::nullopt);
    EXPECT_EQ(dialogue.Npc().name, "Smith");
    EXPECT_EQ(dialogue.GetNextNodeId(), 5);
    ASSERT_EQ(dialogue.Root().Children().size(), 1u);
    EXPECT_EQ(dialogue.Root().Children()[0]->GetName(), "A");
}

TEST(DialogueJsonStream, RepeatedKeysKeepTheirLastValue) {
    Dialogue dialogue;
    const std::string json = "{" + kFormat + R"(,
        "nodes": [{"depth": 0, "name": "old"}, {"depth": 1, "id": 1}, {"depth": 2, "id": 2}],
        "nodes": [{"depth": 0}, {"depth": 1, "id": 7, "name": "first", "name": "last"}]})";
    ASSERT_EQ(DialogueFromJson(json, dialogue), std::nullopt);
    ASSERT_EQ(dialogue.Root().Children().size(), 1u);
    const DialogueNode& only = *dialogue.Root().Children()[0];
    EXPECT_EQ(only.GetId(), 7);
    EXPECT_EQ(only.GetName(), "last");
    EXPECT_TRUE(only.Children().empty());
    EXPECT_EQ(dialogue.FindNodeById(1), nullptr);

    EXPECT_EQ(ReadError("{" + kFormat + R"(, "nodes": [{"depth": 1}], "nodes": [{"depth": 0}]})"),
              "(read)");
    EXPECT_EQ(ReadError("{" + kFormat + R"(, "nodes": [{"depth": 0}], "nodes": [{"depth": 1}]})"),
              "not a dialogue: nodes[0].depth: the first node must have depth 0");
    EXPECT_EQ(ReadError("{" + kFormat + R"(, "nodes": [{"depth": 0}], "nodes": {}})"),
              "not a dialogue: nodes: expected an array");
    EXPECT_EQ(ReadError("{" + kFormat + R"(, "nodes": 3, "nodes": []})"),
              "not a dialogue: nodes: expected at least the initialization node");
}

TEST(DialogueJsonStream, DeepValuesInsideANodeAreRefusedWithoutRecursion) {
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    EXPECT_EQ(ReadError("{" + kFormat + R"(, "nodes": [{"depth": 0, "name": )" + deep + "}]}"),
              "not a dialogue: nodes[0].name: expected a string");
    EXPECT_EQ(ReadError("{" + kFormat + R"(, "nodes": [)" + deep + "]}"),
              "not a dialogue: nodes[0]: expected an object");
    EXPECT_EQ(ReadError("{" + kFormat + R"(, "npc": )" + deep + R"(, "nodes": []})"),
              "not a dialogue: npc: expected an object");
}

}  // namespace
}  // namespace tw
