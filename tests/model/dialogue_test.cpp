// The document: a new one's fields, copies of its records, and reading and saving it.

#include "model/dialogue.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/command_kinds.h"
#include "model/dialogue_file_format.h"
#include "model/dialogue_json.h"
#include "model/element_copy.h"
#include "model/file.h"
#include "support/expected_file.h"
#include "support/model_fixtures.h"
#include "support/temp_dir.h"

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

// Tree edits, sorting, response tags and a node's lists are cases in cases/tree_edits.txt.

// Copies, as an undo step keeps them, hold every field.
TEST(Dialogue, CopiesHoldEveryFieldOfTheirRecord) {
    auto dialogue = test::MakeFullDialogue();
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

// Reading and writing single layouts are cases in read_cases; these are the document's
// side of it and the files on disk.

void ExpectFullDialogue(const Dialogue& d) {
    EXPECT_EQ(DialogueToJson(d), DialogueToJson(*test::MakeFullDialogue()));
}

TEST(DialogueFile, ReadReplacesTheTreeButKeepsTheRootObject) {
    Dialogue dialogue;
    DialogueNode* root = &dialogue.Root();
    dialogue.AddNode(5, 0, "Stale", "");
    dialogue.SetModified(true);
    dialogue.SetSelectedNodeId(5);
    ASSERT_FALSE(dialogue.Read(test::MakeFullDialogue()->Write()).has_value());
    EXPECT_EQ(&dialogue.Root(), root);
    EXPECT_EQ(dialogue.FindNodeByName("Stale"), nullptr);
    EXPECT_FALSE(dialogue.IsModified());
    EXPECT_EQ(dialogue.GetSelectedNodeId(), 0);
    ExpectFullDialogue(dialogue);
}

TEST(DialogueSave, SaveWritesTheFileAndClearsTheMarks) {
    const test::TempDir dir;
    auto dialogue = test::MakeFullDialogue();
    dialogue->SetModified(true);
    dialogue->SetScratch(true);
    const std::string path = dir / "a.vrx";
    ASSERT_FALSE(dialogue->SaveAs(path).has_value());
    EXPECT_EQ(dialogue->GetPath(), path);
    EXPECT_FALSE(dialogue->IsModified());
    EXPECT_FALSE(dialogue->IsScratch());
    EXPECT_EQ(test::ReadBytes(path), dialogue->Write());
    Dialogue loaded;
    ASSERT_FALSE(loaded.Load(path).has_value());
    EXPECT_EQ(loaded.GetPath(), path);
    ExpectFullDialogue(loaded);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}),
              1);  // no temp left
}

TEST(DialogueSave, MissingDirectoryAndUnreadableFiles) {
    const test::TempDir dir;
    Dialogue dialogue;
    const std::string path = dir / "no/a.vrx";
    EXPECT_EQ(dialogue.SaveAs(path),
              "Unable to create file " + path + " (No such file or directory).");
    EXPECT_EQ(dialogue.GetPath(), "");
    EXPECT_TRUE(dialogue.IsScratch());
    EXPECT_EQ(dialogue.Load(path), std::string(kUnableToOpenMessage));
    EXPECT_EQ(dialogue.Save(),
              "Unable to create file  (No such file or directory).");  // no path yet
}

}  // namespace
}  // namespace tw
