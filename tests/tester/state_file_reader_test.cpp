// The state editor's part in refusing state files; what the reader refuses, and why, is in the
// command session tests/cli/data/commands/state_files.txt.

#include "tester/state_file_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "script/environment.h"
#include "tester/recording_state_display.h"
#include "tester/scripted_message_boxes.h"
#include "tester/state_editor.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

class StateFileReaderTest : public testing::Test {
protected:
    void SetUp() override {
        directory = fs::path(TW_BINARY_DIR) / "state_file_reader_test" /
                    testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(directory);
        fs::create_directories(directory);
    }
    fs::path Write(const std::string& name, const std::string& text) {
        std::ofstream(directory / name, std::ios::binary) << text;
        return directory / name;
    }
    fs::path directory;
};

TEST_F(StateFileReaderTest, TheEditorReportsARefusedFileAndLoadsNothing) {
    Environment environment;
    RecordingStateDisplay display;
    StateEditor editor(environment, display);
    editor.SetMaxFileBytes(16);
    const fs::path file = Write("s.txt", "$gold = 5\n$silver = 7\n");
    const std::string tooLarge = TooLargeMessage("a state file", 22, 16);

    editor.LoadStateFromFile(file);
    // The default state file at the start of a test: a refusal is reported, a missing file
    // is not.
    editor.Open(&file);
    const fs::path missing = directory / "missing.txt";
    editor.Open(&missing);
    const std::vector<ShownMessage> expected{{"Error", tooLarge, MessageButtons::kOk},
                                             {"Error", tooLarge, MessageButtons::kOk}};
    EXPECT_EQ(display.script.messages, expected);
    EXPECT_EQ(environment.size(), 0u);

    editor.SetMaxFileBytes(22);
    editor.LoadStateFromFile(file);
    EXPECT_EQ(environment.Get("$silver").GetInteger(), 7);
}

}  // namespace
}  // namespace tw
