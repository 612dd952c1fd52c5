#include "model/dialogue.h"

#include <gtest/gtest.h>

#include "model/command_kinds.h"
#include "model/dialogue_json.h"
#include "support/expected_file.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

std::vector<std::string> ChildNames(const DialogueNode& node) {
    std::vector<std::string> names;
    for (const auto& child : node.Children()) {
        names.push_back(child->GetName());
    }
    return names;
}

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

TEST(Dialogue, FindsNodesInPreOrder) {
    Dialogue dialogue;
    EXPECT_EQ(dialogue.FindNodeByName("initialization node"), &dialogue.Root());
    DialogueNode* a = dialogue.AddNode(1, 0, "A", "");
    DialogueNode* a1 = dialogue.AddNode(2, 1, "Dup", "");
    DialogueNode* b = dialogue.AddNode(3, 0, "DUP", "");
    dialogue.AddNode(3, 0, "SameId", "");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(dialogue.FindNodeById(0), &dialogue.Root());
    EXPECT_EQ(dialogue.FindNodeById(2), a1);
    EXPECT_EQ(dialogue.FindNodeById(3), b);
    EXPECT_EQ(dialogue.FindNodeByName("dup"), a1);
    EXPECT_EQ(dialogue.FindNodeById(99), nullptr);
    EXPECT_EQ(dialogue.FindNodeByName("none"), nullptr);
    EXPECT_EQ(dialogue.AddNode(5, 99, "Orphan", ""), nullptr);
    EXPECT_EQ(a1->Parent(), a);
}

TEST(Dialogue, AddNodeMakesAnEmptyNode) {
    Dialogue dialogue;
    DialogueNode* node = dialogue.AddNode(7, 0, "Greet", "greets");
    EXPECT_EQ(node->GetId(), 7);
    EXPECT_EQ(node->Label(), "Greet [greets]");
    EXPECT_EQ(node->GetText(), "");
    EXPECT_FALSE(node->IsTextRich());
    EXPECT_EQ(dialogue.AddNode(8, 0, "Bye", "")->Label(), "Bye");
    EXPECT_EQ(ChildNames(dialogue.Root()), (std::vector<std::string>{"Greet", "Bye"}));
}

class TreeOperations : public testing::Test {
protected:
    void SetUp() override {
        dialogue.AddNode(1, 0, "A", "");
        dialogue.AddNode(2, 1, "A1", "");
        dialogue.AddNode(3, 2, "A1x", "");
        dialogue.AddNode(4, 1, "A2", "");
        dialogue.AddNode(5, 0, "B", "");
    }
    Dialogue dialogue;
};

TEST_F(TreeOperations, MoveNodeCarriesTheSubtree) {
    EXPECT_TRUE(dialogue.MoveNode(2, 5));
    EXPECT_EQ(ChildNames(*dialogue.FindNodeById(1)), std::vector<std::string>{"A2"});
    EXPECT_EQ(ChildNames(*dialogue.FindNodeById(5)), std::vector<std::string>{"A1"});
    EXPECT_EQ(dialogue.FindNodeById(3)->Parent(), dialogue.FindNodeById(2));
}

TEST_F(TreeOperations, ImpossibleMovesDoNothing) {
    EXPECT_FALSE(dialogue.MoveNode(0, 5));   // the root
    EXPECT_FALSE(dialogue.MoveNode(1, 1));   // onto itself
    EXPECT_FALSE(dialogue.MoveNode(1, 3));   // into its own subtree
    EXPECT_FALSE(dialogue.MoveNode(1, 99));  // no such parent
    EXPECT_FALSE(dialogue.MoveNode(99, 1));  // no such node
    EXPECT_FALSE(dialogue.MoveNode(5, 0));   // already the root's last child
    dialogue.MakeRoot(0);
    dialogue.DeleteBranch(0);
    EXPECT_EQ(ChildNames(dialogue.Root()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ChildNames(*dialogue.FindNodeById(1)), (std::vector<std::string>{"A1", "A2"}));
}

TEST_F(TreeOperations, MakeRootAppendsUnderTheRoot) {
    dialogue.MakeRoot(2);
    EXPECT_EQ(ChildNames(dialogue.Root()), (std::vector<std::string>{"A", "B", "A1"}));
    dialogue.MakeRoot(1);
    EXPECT_EQ(ChildNames(dialogue.Root()), (std::vector<std::string>{"B", "A1", "A"}));
}

TEST_F(TreeOperations, DeleteBranchRemovesGrandchildren) {
    dialogue.DeleteBranch(1);
    for (int id : {1, 2, 3, 4}) {
        EXPECT_EQ(dialogue.FindNodeById(id), nullptr) << id;
    }
    EXPECT_EQ(ChildNames(dialogue.Root()), std::vector<std::string>{"B"});
}

TEST_F(TreeOperations, RenameLeavesGotoCommandsAlone) {
    DialogueNode* b = dialogue.FindNodeById(5);
    b->AppendCommand(std::make_unique<CommandGoto>("A1"));
    dialogue.FindNodeById(2)->SetName("Renamed");
    EXPECT_EQ(dynamic_cast<const CommandGoto&>(*b->Commands()[0]).GetNode(), "A1");
    EXPECT_EQ(b->Commands()[0]->GetScriptText(), "goto A1");
}

struct SortCase {
    std::vector<std::string> names;
    bool ascending;
    std::vector<std::string> sorted;
};

class SortChildren : public testing::TestWithParam<SortCase> {};

TEST_P(SortChildren, OrdersSiblingNames) {
    Dialogue dialogue;
    int id = 1;
    for (const std::string& name : GetParam().names) {
        dialogue.AddNode(id++, 0, name, "");
    }
    dialogue.SortChildren(0, GetParam().ascending);
    EXPECT_EQ(ChildNames(dialogue.Root()), GetParam().sorted);
    EXPECT_TRUE(dialogue.IsModified());
}

INSTANTIATE_TEST_SUITE_P(
    Names, SortChildren,
    testing::Values(SortCase{{"10", "9", "2"}, true, {"2", "9", "10"}},
                    SortCase{{"b", "A", "c"}, true, {"A", "b", "c"}},
                    SortCase{{"b", "A", "c"}, false, {"c", "b", "A"}},
                    SortCase{{"10", "9", "2"}, false, {"10", "9", "2"}},
                    SortCase{{"abc", "5"}, true, {"5", "abc"}},  // abc reads as 0: text order
                    SortCase{{"07", "0"}, true, {"0", "07"}},    // 0 is not 1 or more
                    SortCase{{"12abc", "3z"}, true, {"3z", "12abc"}},
                    SortCase{{"e", "d", "c", "b", "a"}, true, {"a", "b", "c", "d", "e"}}));

TEST(Sorting, EqualNamesMoveAsTheQuicksortMovesThem) {
    // Pivot "2a" is first; its numeric twins compare equal, so the partition swaps them.
    Dialogue dialogue;
    dialogue.AddNode(1, 0, "2a", "");
    dialogue.AddNode(2, 0, "2b", "");
    dialogue.AddNode(3, 0, "1", "");
    dialogue.AddNode(4, 0, "2c", "");
    dialogue.SortChildren(0, true);
    std::vector<int> ids;
    for (const auto& child : dialogue.Root().Children()) {
        ids.push_back(child->GetId());
    }
    // Partition(0,3): i runs to 4, j stays at 3; swap 0 and 3 -> 2c 2b 1 2a, p = 3.
    // Partition(0,2) with pivot 2c: i runs to 3, j = 2; swap -> 1 2b 2c, p = 2.
    // Partition(0,1) with pivot 1: i = 1, j = 0; swap(0,0), p = 0.
    EXPECT_EQ(ids, (std::vector<int>{3, 2, 4, 1}));
}

TEST(Sorting, WithoutChildrenLeavesModifiedAlone) {
    Dialogue dialogue;
    dialogue.AddNode(1, 0, "A", "");
    dialogue.SortChildren(1, true);
    dialogue.SortChildren(99, true);
    EXPECT_FALSE(dialogue.IsModified());
}

TEST(Sorting, BranchAndAllKeepEveryNodeUnderItsParent) {
    Dialogue dialogue;
    dialogue.AddNode(1, 0, "b", "");
    dialogue.AddNode(2, 0, "a", "");
    dialogue.AddNode(3, 1, "y", "");
    dialogue.AddNode(4, 1, "z", "");
    dialogue.AddNode(5, 4, "2", "");
    dialogue.AddNode(6, 4, "10", "");
    dialogue.SortBranch(1, false);
    EXPECT_EQ(ChildNames(dialogue.Root()), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(ChildNames(*dialogue.FindNodeById(1)), (std::vector<std::string>{"z", "y"}));
    EXPECT_EQ(ChildNames(*dialogue.FindNodeById(4)), (std::vector<std::string>{"10", "2"}));
    dialogue.SortAll(true);
    EXPECT_EQ(ChildNames(dialogue.Root()), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(ChildNames(*dialogue.FindNodeById(1)), (std::vector<std::string>{"y", "z"}));
    EXPECT_EQ(ChildNames(*dialogue.FindNodeById(4)), (std::vector<std::string>{"2", "10"}));
    EXPECT_EQ(dialogue.FindNodeById(5)->Parent(), dialogue.FindNodeById(4));
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
