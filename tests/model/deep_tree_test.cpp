// A chain of a hundred thousand nodes: every walk keeps its own stack, so reading, writing,
// searching, compiling, exporting, sorting and destroying it need no deep recursion; nor
// does refusing deeply nested JSON values.

#include <gtest/gtest.h>

#include "export/dialogue_export.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_compile.h"
#include "model/dialogue_file_format.h"
#include "model/dialogue_json.h"
#include "model/search/dialogue_search.h"

namespace tw {
namespace {

constexpr int kDepth = 100000;

std::string JsonError(const std::string& json) {
    Dialogue dialogue;
    return DialogueFromJson(json, dialogue).value_or("(read)");
}

// Nodes n1 to n100000, each under the one before; each goes to n1, the last one fails to
// compile.
std::unique_ptr<Dialogue> Chain() {
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->Npc().name = "Bo";
    dialogue->SetComments("c");
    DialogueNode* parent = &dialogue->Root();
    for (int id = 1; id <= kDepth; ++id) {
        parent = &dialogue->AppendNode(*parent, id, "n" + std::to_string(id));
        parent->AppendCommand(std::make_unique<CommandGoto>("n1"));
    }
    parent->AppendCommand(std::make_unique<CommandManual>("$n = 1.2.3"));
    return dialogue;
}

TEST(DeepTree, ReadAndWrittenInBothForms) {
    const auto chain = Chain();
    const std::string bytes = chain->Write();
    Dialogue copy;
    ASSERT_EQ(copy.Read(bytes), std::nullopt);
    EXPECT_EQ(copy.FindNodeById(kDepth)->Parent()->GetId(), kDepth - 1);
    // The same nesting cut short fails cleanly.
    EXPECT_EQ(copy.Read(std::string_view(bytes).substr(0, bytes.size() / 2)), kDamagedMessage);
    Dialogue fromJson;
    ASSERT_EQ(DialogueFromJson(DialogueToJson(*chain), fromJson), std::nullopt);
    EXPECT_EQ(fromJson.Write(), bytes);
}

TEST(DeepTree, SearchedCompiledAndExported) {
    const auto chain = Chain();
    const auto matches = SearchDialogue(
        *chain, SearchOptions{"n99999", false, true, FieldBit(SearchField::kNodeName)});
    ASSERT_EQ(matches.size(), 1u);
    EXPECT_EQ(matches[0].node, chain->FindNodeById(kDepth)->Parent());

    std::vector<CompileProgress> steps;
    const std::vector<std::string> messages =
        CompileDialogue(*chain, [&steps](const CompileProgress& step) { steps.push_back(step); });
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(kDepth) + 1);
    int previous = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        ASSERT_EQ(steps[i].compiled, i + 1);
        ASSERT_GE(steps[i].Percent(), previous);
        previous = steps[i].Percent();
    }
    EXPECT_EQ(steps.back().Percent(), 100);
    EXPECT_EQ(steps[steps.size() - 2].Percent(), 99);
    EXPECT_EQ(messages, std::vector<std::string>{"NODE n100000: Syntax Error: $n = 1.2.3: Invalid "
                                                 "numeric constant: 1.2.3"});

    std::string expected = "NPC: Bo\n\n{** NPC Comments **}\n{** c **}\n{Begin Dialogue}\n\n\n\n\n";
    for (int id = 1; id <= kDepth; ++id) {
        expected += "n" + std::to_string(id) + ")   [goto n1]" +
                    (id == kDepth ? "[$n = 1.2.3]" : "") + "\n\n\n";
    }
    EXPECT_EQ(ExportScript(*chain), expected);
}

// Deeply nested JSON values are refused without exhausting the stack, wherever they stand.
TEST(DeepTree, DeepJsonValuesAreRefusedWithoutRecursion) {
    const std::string deep = std::string(200000, '[') + std::string(200000, ']');
    const std::string head = R"({"format": "talkwright-dialogue", )";
    EXPECT_EQ(JsonError(deep), "not a dialogue: document: expected an object");
    EXPECT_EQ(JsonError(head + R"("nodes": [{"depth": 0, "name": )" + deep + "}]}"),
              "not a dialogue: nodes[0].name: expected a string");
    EXPECT_EQ(JsonError(head + R"("nodes": [)" + deep + "]}"),
              "not a dialogue: nodes[0]: expected an object");
    EXPECT_EQ(JsonError(head + R"("npc": )" + deep + R"(, "nodes": []})"),
              "not a dialogue: npc: expected an object");
}

TEST(DeepTree, SortedMovedAndDestroyed) {
    auto chain = Chain();
    chain->SortAll(true);
    chain->MakeRoot(kDepth / 2);
    EXPECT_EQ(chain->FindNodeById(kDepth / 2)->Parent(), &chain->Root());
    EXPECT_EQ(chain->FindNodeByName("N49999")->GetId(), kDepth / 2 - 1);
    chain.reset();
}

}  // namespace
}  // namespace tw
