// State files larger than the limit, devices and pipes are refused with a message that says
// why; "Unable to open file" is kept for files that can't be opened.

#include "tester/state_file_reader.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "script/environment.h"
#include "script/excerpt.h"
#include "tester/recording_state_display.h"
#include "tester/scripted_message_boxes.h"
#include "tester/state_editor.h"
#include "tester/state_file.h"

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

TEST_F(StateFileReaderTest, ReadsFilesUpToTheLimit) {
    const fs::path file = Write("s.txt", "$gold = 5\n");
    const StateFileText text = ReadStateFile(file, 10);
    EXPECT_EQ(text.text, "$gold = 5\n");
    EXPECT_EQ(text.error, std::nullopt);
    EXPECT_FALSE(text.refused);

    const StateFileText over = ReadStateFile(file, 9);
    EXPECT_EQ(over.error, TooLargeMessage("a state file", 10, 9));
    EXPECT_TRUE(over.refused);
    EXPECT_EQ(over.text, "");
}

TEST_F(StateFileReaderTest, RefusesWhatIsNoStateFileAndSaysWhy) {
    // 65 MiB that take no disk space: refused by the size alone.
    const fs::path sparse = Write("big.txt", "$gold = 5\n");
    fs::resize_file(sparse, (std::uintmax_t{65} << 20));
    const StateFileText big = ReadStateFile(sparse);
    EXPECT_EQ(big.error,
              "This file is too large for a state file: 68157440 bytes, more than the limit of "
              "1048576 bytes (1 MiB).");
    EXPECT_TRUE(big.refused);

    const fs::path fifo = directory / "pipe.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const fs::path& odd : {fs::path("/dev/zero"), fifo}) {
        const StateFileText device = ReadStateFile(odd);
        EXPECT_EQ(device.error, kNotRegularStateFileMessage) << odd;
        EXPECT_TRUE(device.refused) << odd;
    }

    for (const fs::path& unopenable : {directory / "missing.txt", directory}) {
        const StateFileText text = ReadStateFile(unopenable);
        EXPECT_EQ(text.error, "Unable to open file") << unopenable;
        EXPECT_FALSE(text.refused) << unopenable;
    }
}

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

TEST_F(StateFileReaderTest, ErrorsQuoteAnExcerptOfALongLine) {
    Environment environment;
    const std::string line = "$x = \"" + std::string(100'000, 'a');
    const std::vector<std::string> errors = LoadStateText(environment, "\n" + line + "\n");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "Error on line 2: " + Excerpt(line) +
                             ": Unterminated string constant: " + Excerpt(line.substr(6)));
}

}  // namespace
}  // namespace tw
