#include "ui/main_window/file_commands.h"

#include <gtest/gtest.h>

#include "model/dialogue.h"
#include "model/editing/tree_edit_rules.h"
#include "support/app_test_support.h"
#include "support/scripted_platform_services.h"

namespace tw {
namespace {

using Message = ScriptedPlatformServices::Message;

class FileCommandsTest : public testing::Test {
protected:
    void TearDown() override {
        EXPECT_EQ(services.Errors(), std::vector<std::string>{});
        EXPECT_EQ(services.PendingAnswers(), 0u);
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

// With nothing kept the directory stays; restoring a kept one is the starting window's test.
TEST_F(FileCommandsTest, WorkingDirectoryIsKeptInTheProfile) {
    services.SetWorkingDirectory("/home");
    files.RestoreWorkingDirectory();
    EXPECT_EQ(services.GetWorkingDirectory(), "/home");
    services.SetWorkingDirectory("/stories/inn");
    files.RememberWorkingDirectory();
    EXPECT_EQ(services.GetProfileString("vorunda", "current directory", "?"), "/stories/inn");
}

}  // namespace
}  // namespace tw
