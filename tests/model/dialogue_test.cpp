#include "model/dialogue.h"

#include <gtest/gtest.h>

#include "model/command_kinds.h"
#include "model/dialogue_json.h"
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

// Tree edits and sorting are cases in cases/tree_edits.txt.

TEST(Dialogue, RenameLeavesGotoCommandsAlone) {
    Dialogue dialogue;
    DialogueNode* b = dialogue.AddNode(5, 0, "B", "");
    b->AppendCommand(std::make_unique<CommandGoto>("A1"));
    dialogue.AddNode(2, 0, "A1", "")->SetName("Renamed");
    EXPECT_EQ(dynamic_cast<const CommandGoto&>(*b->Commands()[0]).GetNode(), "A1");
    EXPECT_EQ(b->Commands()[0]->GetScriptText(), "goto A1");
}

std::unique_ptr<NodeResponseAdd> Add(const std::string& tag) {
    return std::make_unique<NodeResponseAdd>(tag);
}

TEST(ResponseTags, NextFreeTagSkipsTakenOnes) {
    Dialogue dialogue;
    EXPECT_EQ(dialogue.NextFreeResponseTag(), "A01");
    dialogue.Root().AppendResponse(Add("A01"));
    dialogue.AddNode(1, 0, "N", "")->AppendResponse(Add("b01"));
    EXPECT_EQ(dialogue.NextFreeResponseTag(), "C01");
    auto cut = std::make_unique<NodeResponseCut>("C01");
    cut->SetCutTag("C01");
    dialogue.Root().AppendResponse(std::move(cut));
    EXPECT_EQ(dialogue.NextFreeResponseTag(), "C01");  // cut-responses don't count
    for (char letter = 'C'; letter <= 'Z'; ++letter) {
        dialogue.Root().AppendResponse(Add(std::string(1, letter) + "01"));
    }
    EXPECT_EQ(dialogue.NextFreeResponseTag(), "A02");
    std::vector<std::string> tags{"kept"};
    dialogue.CollectResponseTags(tags);
    ASSERT_EQ(tags.size(), 27u);
    EXPECT_EQ(tags[1], "A01");
    EXPECT_EQ(tags[2], "C01");  // the root's responses come before its child's
    EXPECT_EQ(tags.back(), "b01");
}

TEST(ResponseTags, FindResponseByTag) {
    Dialogue dialogue;
    DialogueNode* node = dialogue.AddNode(1, 0, "N", "");
    auto cut = std::make_unique<NodeResponseCut>();
    cut->SetCutTag("A01");
    NodeResponse& cutRef = node->AppendResponse(std::move(cut));
    NodeResponse& addRef = node->AppendResponse(Add("a01"));
    EXPECT_EQ(dialogue.FindResponseByTag("A01"), &addRef);
    EXPECT_EQ(dialogue.FindResponseByTag("#a01"), &cutRef);
    EXPECT_EQ(dialogue.FindResponseByTag("B01"), nullptr);
}

TEST(DialogueNode, ClearKeepsNameDescriptionAndRichFlag) {
    DialogueNode node(3, "N", "d");
    node.SetText("t");
    node.SetComments("c");
    node.SetTextRich(true);
    node.AppendCommand(std::make_unique<CommandEnd>());
    node.AppendResponse(Add("A01"));
    node.Clear();
    EXPECT_EQ(node.GetText(), "");
    EXPECT_EQ(node.GetComments(), "");
    EXPECT_TRUE(node.Commands().empty());
    EXPECT_TRUE(node.Responses().empty());
    EXPECT_EQ(node.Label(), "N [d]");
    EXPECT_TRUE(node.IsTextRich());
}

TEST(DialogueNode, ListOperations) {
    DialogueNode node(1, "N");
    NodeCommand& a = node.AppendCommand(std::make_unique<CommandGoto>("a"));
    NodeCommand& b = node.AppendCommand(std::make_unique<CommandGoto>("b"));
    NodeCommand& c = node.AppendCommand(std::make_unique<CommandGoto>("c"));
    auto texts = [&node] {
        std::string joined;
        for (const auto& command : node.Commands()) {
            joined += command->GetText().substr(5);
        }
        return joined;
    };
    EXPECT_TRUE(node.MoveCommand(2, 0));
    EXPECT_EQ(texts(), "cab");
    EXPECT_TRUE(node.MoveCommand(0, 2));
    EXPECT_EQ(texts(), "abc");
    EXPECT_FALSE(node.MoveCommand(0, 9));
    EXPECT_FALSE(node.MoveCommand(1, 1));
    EXPECT_EQ(texts(), "abc");
    std::unique_ptr<NodeCommand> removed = node.RemoveCommand(&b);
    EXPECT_EQ(removed.get(), &b);
    EXPECT_EQ(texts(), "ac");
    EXPECT_EQ(node.RemoveCommand(&b), nullptr);
    std::unique_ptr<NodeCommand> old = node.ReplaceCommand(&c, std::move(removed));
    EXPECT_EQ(old.get(), &c);
    EXPECT_EQ(texts(), "ab");
    EXPECT_EQ(node.ReplaceCommand(&c, std::make_unique<CommandEnd>()), nullptr);
    EXPECT_EQ(texts(), "ab");
    EXPECT_EQ(&a, node.Commands()[0].get());

    NodeResponse& r1 = node.AppendResponse(Add("1"));
    node.AppendResponse(Add("2"));
    EXPECT_TRUE(node.MoveResponse(0, 1));
    EXPECT_FALSE(node.MoveResponse(0, 0));
    EXPECT_EQ(node.Responses()[1].get(), &r1);
    EXPECT_EQ(node.RemoveResponse(&r1).get(), &r1);
    ASSERT_EQ(node.Responses().size(), 1u);
    EXPECT_EQ(node.Responses()[0]->GetTag(), "2");
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
