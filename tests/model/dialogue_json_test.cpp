#include "model/dialogue_json.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "generator/dialogue_generator.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

std::unique_ptr<Dialogue> FromJson(std::string_view text) {
    auto dialogue = std::make_unique<Dialogue>();
    const std::optional<std::string> error = DialogueFromJson(text, *dialogue);
    EXPECT_FALSE(error.has_value()) << *error;
    return dialogue;
}

TEST(DialogueJson, RoundTripKeepsEveryByteOfTheFile) {
    const std::unique_ptr<Dialogue> original = test::MakeFullDialogue();
    const std::string json = DialogueToJson(*original);
    const std::unique_ptr<Dialogue> copy = FromJson(json);
    EXPECT_EQ(copy->Write(), original->Write());
    EXPECT_EQ(DialogueToJson(*copy), json);
    EXPECT_EQ(
        dynamic_cast<const CommandReply&>(*copy->Root().Children()[0]->Commands()[3]).GetVariable(),
        "$answer");
}

// The text is made node by node; it must be exactly the whole document printed at once.
TEST(DialogueJson, TextIsTheWholeDocumentPrintedWithAnIndentOfTwo) {
    GeneratorOptions options;
    options.nodes = 300;
    options.seed = 7;
    const std::unique_ptr<Dialogue> generated = GenerateDialogue(options);
    const std::unique_ptr<Dialogue> full = test::MakeFullDialogue();
    Dialogue rootOnly;
    for (const Dialogue* dialogue : {full.get(), generated.get(), &rootOnly}) {
        const std::string json = DialogueToJson(*dialogue);
        EXPECT_TRUE(json == nlohmann::ordered_json::parse(json).dump(2) + "\n");
        EXPECT_EQ(FromJson(json)->Write(), dialogue->Write());
    }
}

TEST(DialogueJson, TextAndStructure) {
    const auto json = nlohmann::json::parse(DialogueToJson(*test::MakeFullDialogue()));
    EXPECT_EQ(json["format"], "talkwright-dialogue");
    EXPECT_EQ(json["npc"]["name"],
              "Mira \xC3\xA9"
              "clair");
    EXPECT_EQ(json["comments"],
              "\x02"
              "BNotes\x03"
              "B\nline two\n\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xE2\x82\xAC");
    const auto& nodes = json["nodes"];
    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0]["depth"], 0);
    EXPECT_EQ(nodes[1]["name"], "Greet");
    EXPECT_EQ(nodes[1]["depth"], 1);
    EXPECT_EQ(nodes[2]["depth"], 2);
    EXPECT_EQ(nodes[3]["depth"], 1);
    const auto& commands = nodes[0]["commands"];
    EXPECT_EQ(commands[1]["kind"], "flag");
    EXPECT_FALSE(commands[1].contains("condition"));
    EXPECT_EQ(commands[2]["condition"], "$gold > 5");
    EXPECT_EQ(nodes[1]["commands"][1]["condition"], "");  // present though empty
    EXPECT_EQ(nodes[1]["commands"][4]["entries"].size(), 11u);
    EXPECT_EQ(nodes[1]["responses"][1]["kind"], "cut");
}

TEST(DialogueJson, MinimalJsonBuildsTextsFromFields) {
    const std::unique_ptr<Dialogue> d = FromJson(R"({
        "format": "talkwright-dialogue",
        "nodes": [
            {"depth": 0, "commands": [{"kind": "goto", "node": "A", "condition": "$x"}]},
            {"depth": 1, "id": 1, "name": "A", "commands": [
                {"kind": "assign", "variable": "gold", "expression": "5"},
                {"kind": "yesNo", "entries": [{"choice": "Y", "node": "A"}]}]},
            {"depth": 2, "id": 2, "name": "A1"},
            {"depth": 1, "id": 3, "name": "B"}
        ]})");
    EXPECT_EQ(d->Npc().name, "Untitled");
    EXPECT_EQ(d->GetComments(), DefaultNpcComments());
    EXPECT_EQ(d->Root().GetName(), "");
    EXPECT_EQ(d->Root().Commands()[0]->GetScriptText(), "if ($x) then goto A");
    const DialogueNode* a = d->FindNodeById(1);
    EXPECT_EQ(a->Commands()[0]->GetText(), "$gold = 5");
    EXPECT_EQ(a->Commands()[1]->GetText(), "branch \"Y\"->A, \"\"->");
    EXPECT_EQ(d->FindNodeById(2)->Parent(), a);
    EXPECT_EQ(d->FindNodeById(3)->Parent(), &d->Root());
}

TEST(DialogueJson, ErrorsNameWhatAndWhere) {
    const std::string head = R"({"format": "talkwright-dialogue", "nodes": [{"depth": 0)";
    const struct {
        std::string json;
        std::string message;
    } cases[] = {
        {"{",
         "invalid JSON: parse error at line 1, column 2: syntax error while parsing object "
         "key - unexpected end of input; expected string literal"},
        {"[]", "not a dialogue: document: expected an object"},
        {"{}",
         "not a dialogue: format: expected \"talkwright-dialogue\": this JSON is not a "
         "Talkwright dialogue"},
        {R"({"format": "talkwright-dialogue"})",
         "not a dialogue: nodes: missing: a dialogue needs at least the initialization node"},
        {R"({"format": "talkwright-dialogue", "nodes": []})",
         "not a dialogue: nodes: expected at least the initialization node"},
        {R"({"format": "talkwright-dialogue", "nodes": [], "extra": 1})",
         "not a dialogue: extra: unknown key"},
        {R"({"format": "talkwright-dialogue", "formatVersion": 2, "nodes": []})",
         "not a dialogue: formatVersion: expected 1"},
        {R"({"format": "talkwright-dialogue", "fileVersion": 99, "nodes": []})",
         "not a dialogue: fileVersion: expected a version from 100 to 102"},
        {R"({"format": "talkwright-dialogue", "nextNodeId": 1.5, "nodes": []})",
         "not a dialogue: nextNodeId: expected a 32-bit integer"},
        {R"({"format": "talkwright-dialogue", "nextNodeId": 2147483648, "nodes": []})",
         "not a dialogue: nextNodeId: expected a 32-bit integer"},
        {R"({"format": "talkwright-dialogue", "npc": {"name": 5}, "nodes": []})",
         "not a dialogue: npc.name: expected a string"},
        {R"({"format": "talkwright-dialogue", "npc": {"name": "\u2603"}, "nodes": []})",
         "not a dialogue: npc.name: character U+2603 has no Windows-1252 byte"},
        {R"({"format": "talkwright-dialogue", "nodes": [{"depth": 1}]})",
         "not a dialogue: nodes[0].depth: the first node must have depth 0"},
        {head + R"(}, {"depth": 2}]})",
         "not a dialogue: nodes[1].depth: expected a depth from 1 to 1"},
        {head + R"(}, {"name": "x"}]})",
         "not a dialogue: nodes[1].depth: expected a depth from 1 to 1"},
        {head + R"(, "textIsRich": "yes"}]})",
         "not a dialogue: nodes[0].textIsRich: expected true or false"},
        {head + R"(, "commands": [{"kind": "flg"}]}]})",
         "not a dialogue: nodes[0].commands[0].kind: unknown command kind \"flg\" (expected "
         "manual, flag, conditionalAssign, assign, yesNo, end, goto, reply or list)"},
        {head + R"(, "commands": {}}]})", "not a dialogue: nodes[0].commands: expected an array"},
        {head + R"(, "commands": [{"kind": "yesNo", "entries": [{}, {}, {}]}]}]})",
         "not a dialogue: nodes[0].commands[0].entries: expected at most 2 entries"},
        {head + R"(, "commands": [{"kind": "list", "entries": [{"choice": 1}]}]}]})",
         "not a dialogue: nodes[0].commands[0].entries[0].choice: expected a string"},
        {head + R"(, "commands": [{"kind": "yesNo", "entries": [{"condition": ""}]}]}]})",
         "not a dialogue: nodes[0].commands[0].entries[0].condition: unknown key"},
        {head + R"(, "responses": [{"kind": "swap"}]}]})",
         "not a dialogue: nodes[0].responses[0].kind: expected \"add\" or \"cut\""},
        {head + R"(, "responses": [{"kind": "add", "condition": 3}]}]})",
         "not a dialogue: nodes[0].responses[0].condition: expected a string"},
        {head + R"(, "responses": [7]}]})",
         "not a dialogue: nodes[0].responses[0]: expected an object"},
    };
    for (const auto& c : cases) {
        Dialogue dialogue;
        EXPECT_EQ(DialogueFromJson(c.json, dialogue).value_or("(read)"), c.message) << c.json;
    }
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
