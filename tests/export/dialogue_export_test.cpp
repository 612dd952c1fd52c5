#include "export/dialogue_export.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

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
