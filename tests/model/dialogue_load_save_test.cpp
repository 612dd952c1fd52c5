#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "byte_test_util.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_file_format.h"
#include "model/dialogue_json.h"
#include "model/file.h"
#include "support/expected_file.h"
#include "support/model_fixtures.h"

namespace tw {
namespace {

using test::Bytes;

std::unique_ptr<Dialogue> ReadBack(const std::string& bytes) {
    auto dialogue = std::make_unique<Dialogue>();
    const std::optional<std::string> error = dialogue->Read(bytes);
    EXPECT_FALSE(error.has_value()) << *error;
    return dialogue;
}

std::string ReadError(std::string_view bytes) {
    Dialogue dialogue;
    return dialogue.Read(bytes).value_or("(read)");
}

// Every field of the full fixture, as its JSON form shows them; run on the document and on
// its read-back copies.
void ExpectFullDialogue(const Dialogue& d) {
    test::ExpectMatchesFile(DialogueToJson(d),
                            std::string(TW_SOURCE_DIR) + "/tests/model/data/full_dialogue.json");
}

TEST(DialogueFile, EveryFieldSurvivesAWriteAndRead) {
    std::unique_ptr<Dialogue> original = test::MakeFullDialogue();
    ExpectFullDialogue(*original);
    const std::string bytes = original->Write();
    std::unique_ptr<Dialogue> copy = ReadBack(bytes);
    ExpectFullDialogue(*copy);
    EXPECT_EQ(copy->Write(), bytes);
    EXPECT_FALSE(copy->IsModified());
    EXPECT_FALSE(copy->IsScratch());
}

TEST(DialogueFile, NewDocumentRoundTrip) {
    Dialogue fresh;
    const std::string bytes = fresh.Write();
    EXPECT_EQ(bytes.substr(0, 8), std::string("\xA9\xC3\xF4\x70\x66\x00\x00\x00", 8));
    std::unique_ptr<Dialogue> copy = ReadBack(bytes);
    EXPECT_EQ(copy->GetComments(), DefaultNpcComments());
    EXPECT_EQ(copy->Root().GetName(), "Initialization Node");
}

TEST(DialogueFile, ExactLayoutOfASmallDocument) {
    Dialogue dialogue;
    dialogue.SetComments("");
    dialogue.Root().SetName("R");
    DialogueNode& child = dialogue.AppendNode(dialogue.Root(), 1, "C", "d");
    auto add = std::make_unique<NodeResponseAdd>("A01");
    add->SetCondition(test::Cond("c"));
    child.AppendResponse(std::move(add));
    child.AppendCommand(std::make_unique<CommandFlag>(true, "f"));
    const std::string expected = Bytes()
                                     .Int(static_cast<std::int32_t>(0x70F4C3A9))
                                     .Int(102)
                                     .Int(1)
                                     .Int(0)
                                     .Str("Untitled")
                                     .Int(0)
                                     .Str("")
                                     .Int(0)
                                     .Str("R")
                                     .Str("")
                                     .Byte(0xEE)
                                     .Str("")
                                     .Str("")
                                     .Byte(0)
                                     .Int(0)
                                     .Int(0)
                                     .Int(1)
                                     .Int(1)
                                     .Str("C")
                                     .Str("")
                                     .Byte(0xEE)
                                     .Str("")
                                     .Str("d")
                                     .Byte(0)
                                     .Int(1)
                                     .Int(0)
                                     .Str("A01")
                                     .Byte(1)
                                     .Str("c")
                                     .Str("")
                                     .Str("")
                                     .Int(1)
                                     .Int(1)
                                     .Str("set f = TRUE")
                                     .Byte(0)
                                     .Byte(1)
                                     .Str("f")
                                     .Int(0)
                                     .str();
    EXPECT_EQ(dialogue.Write(), expected);
}

// A node record of the old layouts: version 101 has no marker, 100 neither comments nor
// descriptions nor the rich-text flag.
Bytes OldNode(Bytes bytes, int version, int id, std::string_view name) {
    bytes.Int(id).Str(name).Str("text of " + std::string(name));
    bytes.Str("note");
    if (version != 100) {
        bytes.Str("desc").Byte(1);
    }
    return bytes;
}

TEST(DialogueFile, ReadsVersion101) {
    Bytes bytes;
    bytes.Int(static_cast<std::int32_t>(0x70F4C3A9))
        .Int(101)
        .Int(9)
        .Int(5)
        .Str("Old")
        .Int(1)
        .Str("comments");
    bytes = OldNode(bytes, 101, 0, "Root");
    bytes.Int(0).Int(1).Int(6).Str("goto Kid").Byte(0).Str("Kid").Int(1);
    bytes = OldNode(bytes, 101, 1, "Kid");
    bytes.Int(0).Int(0).Int(0);
    std::unique_ptr<Dialogue> d = ReadBack(bytes.str());
    EXPECT_EQ(d->GetFileVersion(), 101);
    EXPECT_EQ(d->GetNextNodeId(), 9);
    EXPECT_EQ(d->Npc().name, "Old");
    EXPECT_EQ(d->GetComments(), "comments");
    EXPECT_EQ(d->Root().GetDescription(), "desc");
    EXPECT_TRUE(d->Root().IsTextRich());
    EXPECT_EQ(d->Root().Commands()[0]->GetScriptText(), "goto Kid");
    ASSERT_EQ(d->Root().Children().size(), 1u);
    EXPECT_EQ(d->Root().Children()[0]->GetText(), "text of Kid");
    EXPECT_EQ(d->Root().Children()[0]->GetComments(), "note");
}

TEST(DialogueFile, ReadsVersion100) {
    Bytes bytes;
    bytes.Int(static_cast<std::int32_t>(0x70F4C3A9)).Int(100).Int(3).Int(5).Str("Old").Int(0);
    bytes = OldNode(bytes, 100, 0, "Root");
    bytes.Int(1).Int(0).Str("A01").Byte(0).Str("Hi").Str("Kid").Int(0).Int(1);
    bytes = OldNode(bytes, 100, 2, "Kid");
    bytes.Int(0).Int(0).Int(0);
    std::unique_ptr<Dialogue> d = ReadBack(bytes.str());
    EXPECT_EQ(d->GetFileVersion(), 100);
    EXPECT_EQ(d->GetComments(), "");
    EXPECT_EQ(d->Root().GetDescription(), "");
    EXPECT_FALSE(d->Root().IsTextRich());
    EXPECT_EQ(d->Root().GetComments(), "note");
    EXPECT_EQ(d->Root().Responses()[0]->GetTag(), "A01");
    EXPECT_EQ(d->Root().Children()[0]->GetId(), 2);
    EXPECT_FALSE(d->Root().Children()[0]->IsTextRich());
    // Written back it is a current file.
    EXPECT_EQ(ReadBack(d->Write())->GetFileVersion(), 102);
}

std::string CurrentFileWithMarkerPrefix(std::string_view stray) {
    return Bytes()
        .Int(static_cast<std::int32_t>(0x70F4C3A9))
        .Int(102)
        .Int(1)
        .Int(0)
        .Str("N")
        .Int(0)
        .Str("")
        .Int(0)
        .Str("Root")
        .Str("t")
        .Raw(stray)
        .Byte(0xEE)
        .Str("c")
        .Str("")
        .Byte(0)
        .Int(0)
        .Int(0)
        .Int(0)
        .str();
}

TEST(DialogueFile, SkipsStrayBytesBeforeTheMarker) {
    std::unique_ptr<Dialogue> d = ReadBack(CurrentFileWithMarkerPrefix("\x01\x02\xFF"));
    EXPECT_EQ(d->Root().GetComments(), "c");
    EXPECT_EQ(d->Root().GetText(), "t");
}

TEST(DialogueFile, FailuresAndTheirMessages) {
    const std::string good = CurrentFileWithMarkerPrefix("");
    const std::size_t marker = good.find('\xEE');
    std::string noMarker = good;
    noMarker.erase(marker, 1);
    std::string newer = good;
    newer[4] = 103;
    std::string badMagic = good;
    badMagic[0] = 'X';
    std::string negativeLength = good;
    negativeLength.replace(16, 4, std::string("\xFF\xFF\xFF\xFF", 4));  // the NPC name
    const std::string notVrx(kNotVrxMessage);
    const std::string damaged(kDamagedMessage);
    const struct {
        const char* name;
        std::string bytes;
        std::string message;
    } cases[] = {
        {"empty", "", notVrx},
        {"short magic", "\xA9\xC3", notVrx},
        {"bad magic", badMagic, notVrx},
        {"newer version", newer, std::string(kNewerVersionMessage)},
        {"no header", good.substr(0, 8), damaged},
        {"marker missing", noMarker, damaged},
        {"negative string length", negativeLength, damaged},
        {"truncated tree", good.substr(0, good.size() - 1), damaged},
        {"string past the end", good.substr(0, 30), damaged},
        {"unknown command", Bytes().Raw(good.substr(0, good.size() - 4)).Int(1).Int(9).str(),
         damaged},
        {"unknown response", Bytes().Raw(good.substr(0, good.size() - 8)).Int(1).Int(2).str(),
         damaged},
        {"huge child count", Bytes().Raw(good.substr(0, good.size() - 4)).Int(0x7FFFFFFF).str(),
         damaged},
        {"huge response count",
         Bytes().Raw(good.substr(0, good.size() - 12)).Int(0x7FFFFFFF).Int(0).Int(0).str(),
         damaged},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadError(c.bytes), c.message) << c.name;
    }
    EXPECT_EQ(ReadError(good), "(read)");
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

TEST(DialogueFile, ReplyVariableComesBackFromItsText) {
    Dialogue dialogue;
    dialogue.Root().AppendCommand(std::make_unique<CommandReply>("$name"));
    dialogue.Root().AppendCommand(std::make_unique<CommandManual>("other"));
    auto stray = MakeEmptyCommand(kCommandReply);
    dialogue.Root().AppendCommand(std::move(stray));
    std::unique_ptr<Dialogue> copy = ReadBack(dialogue.Write());
    EXPECT_EQ(dynamic_cast<const CommandReply&>(*copy->Root().Commands()[0]).GetVariable(),
              "$name");
    EXPECT_EQ(dynamic_cast<const CommandReply&>(*copy->Root().Commands()[2]).GetVariable(), "");
}

TEST(DialogueFile, DeepTreeReadsWithoutRecursion) {
    Dialogue deep;
    DialogueNode* last = &deep.Root();
    for (int id = 1; id <= 100000; ++id) {
        last = &deep.AppendNode(*last, id, "N");
    }
    const std::string bytes = deep.Write();
    std::unique_ptr<Dialogue> copy = ReadBack(bytes);
    EXPECT_EQ(copy->FindNodeById(100000)->Parent()->GetId(), 99999);
    // The same nesting cut short fails cleanly.
    EXPECT_EQ(ReadError(std::string_view(bytes).substr(0, bytes.size() / 2)), kDamagedMessage);
}

class DialogueSave : public testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::path(TW_BINARY_DIR) / "save_test" /
              testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    static std::string Slurp(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::filesystem::path dir;
};

TEST_F(DialogueSave, SaveWritesTheFileAndClearsTheMarks) {
    auto dialogue = test::MakeFullDialogue();
    dialogue->SetModified(true);
    const std::string path = (dir / "a.vrx").string();
    ASSERT_FALSE(dialogue->SaveAs(path).has_value());
    EXPECT_EQ(dialogue->GetPath(), path);
    EXPECT_FALSE(dialogue->IsModified());
    EXPECT_FALSE(dialogue->IsScratch());
    EXPECT_EQ(Slurp(path), dialogue->Write());
    Dialogue loaded;
    ASSERT_FALSE(loaded.Load(path).has_value());
    EXPECT_EQ(loaded.GetPath(), path);
    ExpectFullDialogue(loaded);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no temp left
}

TEST_F(DialogueSave, FailedSaveKeepsTheOldFileAndTheMarks) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root ignores directory permissions";
    }
    const std::string path = (dir / "a.vrx").string();
    Dialogue dialogue;
    ASSERT_FALSE(dialogue.SaveAs(path).has_value());
    const std::string before = Slurp(path);
    dialogue.SetModified(true);
    dialogue.Npc().name = "Changed";
    std::filesystem::permissions(
        dir, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    const std::optional<std::string> error = dialogue.Save();
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(*error, "Unable to create file " + path + " (Permission denied).");
    EXPECT_TRUE(dialogue.IsModified());
    EXPECT_EQ(Slurp(path), before);
}

TEST_F(DialogueSave, MissingDirectoryAndUnreadableFiles) {
    Dialogue dialogue;
    const std::string path = (dir / "no" / "a.vrx").string();
    EXPECT_EQ(dialogue.SaveAs(path),
              "Unable to create file " + path + " (No such file or directory).");
    EXPECT_EQ(dialogue.GetPath(), "");
    EXPECT_TRUE(dialogue.IsScratch());
    EXPECT_EQ(dialogue.Load(path), std::string(kUnableToOpenMessage));
    EXPECT_EQ(dialogue.Save(),
              "Unable to create file  (No such file or directory).");  // no path yet
}

TEST_F(DialogueSave, WriteFailureNamesThePathAndKeepsTheOldFile) {
    const std::string path = (dir / "a.vrx").string();
    Dialogue dialogue;
    ASSERT_FALSE(dialogue.SaveAs(path).has_value());
    const std::string before = Slurp(path);
    dialogue.Root().SetText(std::string(100000, 'x'));
    dialogue.SetModified(true);
    // A file size limit makes the write itself fail part way.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::optional<std::string> error = dialogue.Save();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->rfind("Unable to write file " + path + " (", 0), 0u) << *error;
    EXPECT_NE(error->find(").\nThe file was not changed."), std::string::npos) << *error;
    EXPECT_TRUE(dialogue.IsModified());
    EXPECT_EQ(Slurp(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);
}

}  // namespace
}  // namespace tw
