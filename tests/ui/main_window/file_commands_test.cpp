#include "ui/main_window/file_commands.h"

#include <gtest/gtest.h>

#include "model/dialogue.h"
#include "model/editing/tree_edit_rules.h"
#include "support/app_test_support.h"
#include "support/scripted_platform_services.h"
#include "ui/document/document_manager.h"

namespace tw {
namespace {

using Message = ScriptedPlatformServices::Message;

class FileCommandsTest : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(services.Errors(), std::vector<std::string>{});
        EXPECT_EQ(services.PendingAnswers(), 0u);
    }
    Message Question(const std::string& name) {
        return Message{"Dialogue Editor", "Save changes to " + name + "?",
                       MessageButtons::kYesNoCancel, MessageKind::kQuestion};
    }
    Message Error(const std::string& text) {
        return Message{"Error", text, MessageButtons::kOk, MessageKind::kError};
    }

    ScriptedPlatformServices services;
    FileCommands files{services};
    test::TempDir dir{"file_commands"};
};

// The tree view recurses once per level: a deeper tree is refused before it is shown.
TEST_F(FileCommandsTest, LoadRefusesTreesDeeperThanTheEditorShows) {
    Dialogue deep;
    DialogueNode* end = &deep.Root();
    for (std::size_t level = 1; level <= kMaxEditorTreeDepth; ++level) {
        end = &deep.AppendNode(*end, static_cast<std::int32_t>(level), "N" + std::to_string(level));
    }
    Dialogue atTheLimit;
    EXPECT_TRUE(files.Load(atTheLimit, dir.Write("limit.vrx", deep.Write())));
    deep.AppendNode(*end, static_cast<std::int32_t>(kMaxEditorTreeDepth) + 1, "Deeper");
    services.QueueAnswer(MessageAnswer::kOk);
    Dialogue tooDeep;
    EXPECT_FALSE(files.Load(tooDeep, dir.Write("deeper.vrx", deep.Write())));
    EXPECT_EQ(services.Messages().back(),
              Error("This dialogue's tree is 2001 levels deep. The editor shows trees of at most "
                    "2000 levels; talkwright-cli checks, exports and converts deeper ones."));
}

TEST_F(FileCommandsTest, OpenDialogAsksForDialogueFilesAndFollowsTheChosenDirectory) {
    services.SetWorkingDirectory("/start");
    services.QueueFileChoice("/stories/inn/innkeeper.vrx");
    EXPECT_EQ(files.ChooseDialogueToOpen(), "/stories/inn/innkeeper.vrx");
    ASSERT_EQ(services.FileDialogs().size(), 1u);
    const FileDialogRequest& request = services.FileDialogs()[0].request;
    EXPECT_FALSE(services.FileDialogs()[0].save);
    EXPECT_EQ(request.filters, (std::vector<FileFilter>{{"Vorunda Dialogue Files (*.vrx)", "*.vrx"},
                                                        {"All Files (*.*)", "*.*"}}));
    EXPECT_EQ(request.defaultExtension, "vrx");
    EXPECT_EQ(request.startDirectory, "/start");
    EXPECT_EQ(services.GetWorkingDirectory(), "/stories/inn");

    services.QueueFileChoice(std::nullopt);
    EXPECT_EQ(files.ChooseDialogueToOpen(), std::nullopt);
    EXPECT_EQ(services.GetWorkingDirectory(), "/stories/inn");
}

TEST_F(FileCommandsTest, SaveWithoutPathAsksForOneAndWritesTheFile) {
    EditorDocument editor;
    Dialogue& document = editor.GetDialogue();
    document.SetModified(true);
    const std::string path = dir.File("new.vrx");
    services.QueueFileChoice(path);
    EXPECT_TRUE(files.Save(editor));
    EXPECT_TRUE(services.FileDialogs().at(0).save);
    EXPECT_TRUE(services.FileDialogs().at(0).request.promptOverwrite);
    EXPECT_EQ(document.GetPath(), path);
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.IsScratch());
    EXPECT_EQ(test::ReadFile(path), document.Write());
}

TEST_F(FileCommandsTest, FailedSaveSaysSoAndKeepsTheDocumentModified) {
    const std::string path = dir.File("no/such/dir/x.vrx");
    auto dialogue = std::make_unique<Dialogue>();
    dialogue->SetPath(path);
    EditorDocument editor(std::move(dialogue));
    Dialogue& document = editor.GetDialogue();
    document.SetModified(true);
    // Save As onto an unwritable place keeps the old path as well.
    services.QueueFileChoice(dir.File("gone/y.vrx"));
    services.QueueAnswer(MessageAnswer::kOk);
    EXPECT_FALSE(files.SaveAs(editor));
    EXPECT_EQ(document.GetPath(), path);
    EXPECT_TRUE(document.IsModified());

    services.QueueFileChoice(std::nullopt);  // cancelled
    EditorDocument untitled;
    untitled.GetDialogue().SetModified(true);
    EXPECT_FALSE(files.Save(untitled));
    EXPECT_TRUE(untitled.IsModified());
}

TEST_F(FileCommandsTest, CloseQuestionAnswers) {
    struct Case {
        MessageAnswer answer;
        bool writable;
        bool mayClose;
    };
    const Case cases[] = {
        {MessageAnswer::kYes, true, true},
        {MessageAnswer::kYes, false, false},  // a save that fails keeps the document
        {MessageAnswer::kNo, true, true},
        {MessageAnswer::kCancel, true, false},
    };
    for (const Case& c : cases) {
        auto dialogue = std::make_unique<Dialogue>();
        dialogue->Npc().name = "Brannoc";
        dialogue->SetPath(c.writable ? dir.File("close.vrx") : dir.File("none/close.vrx"));
        EditorDocument document(std::move(dialogue));
        document.GetDialogue().SetModified(true);
        services.QueueAnswer(c.answer);
        if (c.answer == MessageAnswer::kYes && !c.writable) {
            services.QueueAnswer(MessageAnswer::kOk);
        }
        const std::size_t before = services.Messages().size();
        EXPECT_EQ(files.ConfirmClose(document), c.mayClose);
        EXPECT_EQ(services.Messages().at(before), Question("Brannoc"));
        EXPECT_EQ(document.IsModified(), !(c.answer == MessageAnswer::kYes && c.writable));
    }
    EditorDocument unmodified;
    EXPECT_TRUE(files.ConfirmClose(unmodified));
}

TEST_F(FileCommandsTest, ShutdownAsksForEachModifiedDocumentInOrderAndStopsAtAFailure) {
    DocumentManager documents;
    for (const char* name : {"A", "B", "C", "D"}) {
        auto document = std::make_unique<Dialogue>();
        document->Npc().name = name;
        document->SetModified(std::string(name) != "B");
        document->SetPath(dir.File(std::string(name) + ".vrx"));
        documents.Add(std::make_unique<EditorDocument>(std::move(document)));
    }
    services.QueueAnswer(MessageAnswer::kNo);
    services.QueueAnswer(MessageAnswer::kCancel);
    EXPECT_FALSE(files.ConfirmShutdown(documents));
    EXPECT_EQ(services.Messages(), (std::vector<Message>{Question("A"), Question("C")}));

    services.QueueAnswer(MessageAnswer::kYes);
    services.QueueAnswer(MessageAnswer::kNo);
    services.QueueAnswer(MessageAnswer::kYes);
    EXPECT_TRUE(files.ConfirmShutdown(documents));
    EXPECT_FALSE(documents.At(0).GetDialogue().IsModified());
    EXPECT_TRUE(documents.At(2).GetDialogue().IsModified());
    EXPECT_FALSE(documents.At(3).GetDialogue().IsModified());

    // A save that fails stops the shutdown there: D is never asked about.
    documents.At(0).GetDialogue().SetModified(true);
    documents.At(0).GetDialogue().SetPath(dir.File("none/A.vrx"));
    documents.At(3).GetDialogue().SetModified(true);
    services.QueueAnswer(MessageAnswer::kYes);
    services.QueueAnswer(MessageAnswer::kOk);
    EXPECT_FALSE(files.ConfirmShutdown(documents));
    EXPECT_EQ(services.Messages().size(), 7u);
}

TEST_F(FileCommandsTest, WorkingDirectoryIsKeptInTheProfile) {
    services.SetWorkingDirectory("/stories/inn");
    files.RememberWorkingDirectory();
    EXPECT_EQ(services.GetProfileString("vorunda", "current directory", "?"), "/stories/inn");
    services.SetWorkingDirectory("/elsewhere");
    files.RestoreWorkingDirectory();
    EXPECT_EQ(services.GetWorkingDirectory(), "/stories/inn");

    ScriptedPlatformServices fresh;
    fresh.SetWorkingDirectory("/home");
    FileCommands(fresh).RestoreWorkingDirectory();
    EXPECT_EQ(fresh.GetWorkingDirectory(), "/home");
}

}  // namespace
}  // namespace tw
