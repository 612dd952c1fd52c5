#include "export/dialogue_export.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/command_kinds.h"
#include "support/model_fixtures.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;

// The comments of a new document as the export shows them, written out by hand.
const std::string kTemplatePlain =
    "Portrait:\n"
    "You see a cheerful man who reminds you oddly of Lord Ambrel, even down to his "
    "mannerisms.\n\n"
    "Schedule:\n" +
    std::string(test::kDefaultSchedule) +
    "\n"
    "Flags and Variables:\n"
    "kNameOrvane\nkMetOrvane\nkVorundaBehindSchedule\n\n"
    "Version History:\n"
    "Version 0.0 - Quillmark";

// The header of a dialogue whose NPC is Bo with the comments "c".
const std::string kShortHeader = "NPC: Bo\n\n{** NPC Comments **}\n{** c **}\n{Begin Dialogue}\n\n";

std::unique_ptr<Dialogue> ShortDialogue() {
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->Npc().name = "Bo";
    dialogue->SetComments("c");
    return dialogue;
}

std::string NodeBlock(const DialogueNode& node) {
    std::string block;
    Export(node, block);
    return block;
}

// One command of each kind, one with a condition, and the script text each must export as.
std::vector<std::pair<std::unique_ptr<NodeCommand>, std::string>> EveryCommandKind() {
    std::vector<std::pair<std::unique_ptr<NodeCommand>, std::string>> commands;
    auto add = [&commands](std::unique_ptr<NodeCommand> command, std::string text) {
        commands.emplace_back(std::move(command), std::move(text));
    };
    add(std::make_unique<CommandManual>("$gold = $gold + 1"), "$gold = $gold + 1");
    add(std::make_unique<CommandFlag>(true, "kMetOrvane"), "set kMetOrvane = TRUE");
    auto cleared = std::make_unique<CommandFlag>(false, "kAngry");
    cleared->SetCondition(std::make_unique<Conditional>("$gold > 5"));
    add(std::move(cleared), "if ($gold > 5) then set kAngry = FALSE");
    add(std::make_unique<CommandConditionalVariable>("mood", "x > 1", "1", "2"),
        "$mood = if (x > 1) then (1) else (2)");
    add(std::make_unique<CommandVariable>("gold", "5"), "$gold = 5");
    add(std::make_unique<CommandYesNo>(CommandYesNo::Strings{"Yes", "No"},
                                       CommandYesNo::Strings{"Shop", "Bye"}),
        "branch \"Yes\"->Shop, \"No\"->Bye");
    add(std::make_unique<CommandEnd>(), "END CONVERSATION");
    add(std::make_unique<CommandGoto>("Farewell"), "goto Farewell");
    add(std::make_unique<CommandReply>("$answer"), "reply $answer");
    CommandList::Conditions conditions;
    conditions[2].SetExpression("$gold >= 2");
    add(std::make_unique<CommandList>(CommandList::Strings{"Ale", "", "Bread"},
                                      CommandList::Strings{"N1", "", "N3"}, conditions, "Bye",
                                      "End"),
        "list \"Ale\"->N1, \"Bread\"->N3 if ($gold >= 2) then, \"Bye\"->End");
    return commands;
}

std::unique_ptr<NodeResponseAdd> AddResponse(std::string tag, std::string player, std::string node,
                                             std::string condition = {}) {
    auto response = std::make_unique<NodeResponseAdd>(std::move(tag));
    response->SetPlayerText(std::move(player));
    response->SetGotoNode(std::move(node));
    if (!condition.empty()) {
        response->SetCondition(std::make_unique<Conditional>(std::move(condition)));
    }
    return response;
}

std::unique_ptr<NodeResponseCut> CutResponse(std::string tag, std::string condition) {
    auto response = std::make_unique<NodeResponseCut>();
    response->SetCutTag(std::move(tag));
    response->SetCutText("the old line");
    response->SetCondition(std::make_unique<Conditional>(std::move(condition)));
    return response;
}

TEST(DialogueExport, NewDocumentOnDiskToTheByte) {
    TempDir dir;
    const Dialogue dialogue;
    ASSERT_EQ(Export(dialogue, dir / "new.txt"), std::nullopt);
    std::string expected = "NPC: Untitled\r\n\r\n{** NPC Comments **}\r\n{** ";
    for (char c : kTemplatePlain) {
        expected += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    expected += " **}\r\n{Begin Dialogue}\r\n\r\n\r\n\r\n\r\n";
    EXPECT_EQ(ReadBytes(dir / "new.txt"), expected);
}

TEST(DialogueExport, LineFeedsBecomeCrLfAndOtherBytesStay) {
    TempDir dir;
    auto dialogue = ShortDialogue();
    DialogueNode& node = dialogue->AppendNode(dialogue->Root(), 1, "N");
    node.SetText(std::string("CR\rLF\nend\x01\xff", 11));
    ASSERT_EQ(Export(*dialogue, dir / "out.txt"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "out.txt"),
              "NPC: Bo\r\n\r\n{** NPC Comments **}\r\n{** c **}\r\n{Begin Dialogue}\r\n\r\n"
              "\r\n\r\n\r\n"
              "N) CR\rLF\r\nend\x01\xff  \r\n\r\n\r\n");
}

TEST(DialogueExport, CommentMarksAreRemovedWithTheirBytes) {
    struct Case {
        std::string comments;
        std::string plain;
    };
    const Case cases[] = {
        {"plain\ntext\n", "plain\ntext\n"},
        {"\x02"
         "Bbold\x03"
         "B and \x02"
         "Iitalic\x03"
         "I",
         "bold and italic"},
        {"\x02"
         "Uunder\x03"
         "U",
         "under"},
        {"red: \x04\x10\x20\x30"
         "word",
         "red: word"},
        {"\x04\x02\x03\x04"
         "colour bytes are not marks",
         "colour bytes are not marks"},
        {"cut at the end\x02", "cut at the end"},
        {"cut at the end\x04\x01\x02", "cut at the end"},
        {"\x03", ""},
        {std::string("zero \0 byte", 11), std::string("zero \0 byte", 11)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RemoveCommentMarks(c.comments), c.plain) << c.comments;
        Dialogue dialogue;
        dialogue.Npc().name = "Bo";
        dialogue.SetComments(c.comments);
        EXPECT_EQ(ExportScript(dialogue), "NPC: Bo\n\n{** NPC Comments **}\n{** " + c.plain +
                                              " **}\n{Begin Dialogue}\n\n\n\n\n");
    }
}

TEST(DialogueExport, RootCommandsStandOnePerLine) {
    Dialogue dialogue;
    std::string expected;
    for (auto& [command, text] : EveryCommandKind()) {
        dialogue.Root().AppendCommand(std::move(command));
        expected += "[" + text + "]\n";
    }
    EXPECT_EQ(NodeBlock(dialogue.Root()), expected + "\n\n\n");
}

TEST(DialogueExport, OtherNodesCommandsFollowTheTextOnOneLine) {
    Dialogue dialogue;
    DialogueNode& node = dialogue.AppendNode(dialogue.Root(), 1, "Greet", "greets");
    node.SetText("Hi");
    std::string expected = "Greet) Hi  ";
    for (auto& [command, text] : EveryCommandKind()) {
        node.AppendCommand(std::move(command));
        expected += "[" + text + "]";
    }
    EXPECT_EQ(NodeBlock(node), expected + "\n\n\n");
}

TEST(DialogueExport, AddResponsesGetTheirOwnLineCutResponsesDoNot) {
    Dialogue dialogue;
    DialogueNode& node = dialogue.AppendNode(dialogue.Root(), 1, "Shop");
    node.SetText("Prices are high.");
    node.AppendCommand(std::make_unique<CommandGoto>("Market"));
    node.AppendResponse(AddResponse("A01", "Buy", "Market"));
    node.AppendResponse(CutResponse("B01", "$gold > 5"));
    node.AppendResponse(AddResponse("C01", "Leave", "Bye", "$x == 1"));
    EXPECT_EQ(NodeBlock(node),
              "Shop) Prices are high.  [goto Market][Add A01][if ($gold > 5) Cut B01]"
              "[if ($x == 1) Add C01]\n\n"
              "    A01) Buy [Goto Market]\n"
              "    C01) Leave [Goto Bye]\n\n");

    dialogue.Root().AppendCommand(std::make_unique<CommandEnd>());
    dialogue.Root().AppendResponse(AddResponse("D01", "Hello", "Shop", "$gold > 5"));
    dialogue.Root().AppendResponse(CutResponse("A01", "1"));
    EXPECT_EQ(NodeBlock(dialogue.Root()),
              "[END CONVERSATION]\n[if ($gold > 5) Add D01][if (1) Cut A01]\n\n"
              "    D01) Hello [Goto Shop]\n\n");
}

TEST(DialogueExport, GreetingExampleLine) {
    Dialogue dialogue;
    DialogueNode& node = dialogue.AppendNode(dialogue.Root(), 1, "Greet");
    node.SetText("Hello there");
    node.AppendCommand(std::make_unique<CommandGoto>("Farewell"));
    node.AppendResponse(AddResponse("A01", "Bye", "Farewell"));
    EXPECT_EQ(NodeBlock(node),
              "Greet) Hello there  [goto Farewell][Add A01]\n\n    A01) Bye [Goto Farewell]\n\n");
}

TEST(DialogueExport, NodeTextIsConvertedFromRichTextWhateverTheFlag) {
    struct Case {
        std::string text;
        std::string plain;
    };
    const Case cases[] = {
        {"{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\\f0\\fs20 Hello\\par }", "Hello"},
        {"{\\rtf1 One\\par\nTwo\\par\n}", "One\nTwo\n"},
        {"Caf\\'e9 and Caf\\'E9", "Caf\xE9 and Caf!"},
        {"{\\rtf1 {\\*\\generator Writer;}kept}", "kept"},
        {"plain words from an old file", "plain words from an old file"},
        {"", ""},
    };
    for (const bool rich : {true, false}) {
        for (const Case& c : cases) {
            Dialogue dialogue;
            DialogueNode& node = dialogue.AppendNode(dialogue.Root(), 1, "N");
            node.SetText(c.text);
            node.SetTextRich(rich);
            EXPECT_EQ(NodeBlock(node), "N) " + c.plain + "  \n\n\n") << c.text;
        }
    }
}

TEST(DialogueExport, NodesFollowInPreOrder) {
    auto dialogue = ShortDialogue();
    DialogueNode& root = dialogue->Root();
    DialogueNode& a = dialogue->AppendNode(root, 1, "A");
    dialogue->AppendNode(root, 2, "B");
    dialogue->AppendNode(a, 3, "A1");
    dialogue->AppendNode(a, 4, "A2");
    dialogue->Root().AppendCommand(std::make_unique<CommandGoto>("A"));
    EXPECT_EQ(ExportScript(*dialogue), kShortHeader +
                                           "[goto A]\n\n\n\n"
                                           "A)   \n\n\n"
                                           "A1)   \n\n\n"
                                           "A2)   \n\n\n"
                                           "B)   \n\n\n");
}

TEST(DialogueExport, RootIsTheTopOfTheTreeWhateverItsId) {
    auto dialogue = ShortDialogue();
    dialogue->Root().SetId(7);
    dialogue->Root().AppendCommand(std::make_unique<CommandEnd>());
    dialogue->AppendNode(dialogue->Root(), 0, "Zero").AppendCommand(std::make_unique<CommandEnd>());
    EXPECT_EQ(ExportScript(*dialogue),
              kShortHeader + "[END CONVERSATION]\n\n\n\nZero)   [END CONVERSATION]\n\n\n");
}

TEST(DialogueExport, TreeOfAHundredThousandLevels) {
    constexpr int kDepth = 100000;
    auto dialogue = ShortDialogue();
    std::string expected = kShortHeader + "\n\n\n";
    DialogueNode* parent = &dialogue->Root();
    for (int id = 1; id <= kDepth; ++id) {
        const std::string name = "n" + std::to_string(id);
        parent = &dialogue->AppendNode(*parent, id, name);
        expected += name + ")   \n\n\n";
    }
    EXPECT_EQ(ExportScript(*dialogue), expected);
}

}  // namespace
}  // namespace tw
