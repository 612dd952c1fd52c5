#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

using test::Outcome;
using tw::test::ReadBytes;

// Runs from the source directory, so the paths in the input scripts are those of the
// repository.
class PlayCommand : public testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        fs::current_path(TW_SOURCE_DIR);
        scratch = fs::path(TW_BINARY_DIR) / "play_test" /
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(scratch);
        fs::create_directories(scratch);
    }
    void TearDown() override { fs::current_path(previous); }

    Outcome Play(const std::vector<std::string>& args, const std::string& input = {}) {
        return test::RunCommand(RunPlayCommand,
                                std::vector<std::string_view>(args.begin(), args.end()), input);
    }

    fs::path previous;
    fs::path scratch;
};

// Every NAME.play.txt of tests/cli/data plays samples/innkeeper.vrx with --seed 1 and
// innkeeper.state.txt; NAME.play.expected is the transcript it must write.
std::vector<std::string> PlayScripts() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(TW_SOURCE_DIR) / "tests/cli/data")) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 9 && name.ends_with(".play.txt")) {
            names.push_back(name.substr(0, name.size() - 9));
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

class PlayScript : public PlayCommand, public testing::WithParamInterface<std::string> {};

TEST_P(PlayScript, MatchesItsExpectedTranscript) {
    const std::string data = "tests/cli/data/" + GetParam();
    const std::string transcript = (scratch / (GetParam() + ".transcript")).string();
    const Outcome outcome = Play({"samples/innkeeper.vrx", "--seed", "1", "--state",
                                  "tests/cli/data/innkeeper.state.txt", "--input",
                                  data + ".play.txt", "--transcript", transcript});
    const std::string expected = ReadBytes(data + ".play.expected");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, expected);
    EXPECT_EQ(ReadBytes(transcript), expected);
}

INSTANTIATE_TEST_SUITE_P(Data, PlayScript, testing::ValuesIn(PlayScripts()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             return param.param;
                         });

TEST_F(PlayCommand, InteractiveInputIsPromptedAndKeptInTheTranscript) {
    const std::string transcript = (scratch / "typed.transcript").string();
    const Outcome outcome = Play({"samples/innkeeper.vrx", "--seed", "3", "--state",
                                  "tests/cli/data/innkeeper.state.txt", "--transcript", transcript},
                                 "say Ysolde\r\n3\n");
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_NE(outcome.out.find("A typed reply is awaited: say TEXT\n> == Welcome =="),
              std::string::npos);
    EXPECT_EQ(outcome.out.substr(outcome.out.size() - 3), "> \n");
    const std::string written = ReadBytes(transcript);
    EXPECT_NE(written.find("> say Ysolde\n== Welcome =="), std::string::npos);
    EXPECT_NE(written.find("> 3\n== Farewell ==\n  Safe roads, friend.\n"), std::string::npos);
    EXPECT_NE(written.find("Messages:\n  *** Conversation Ended. ***\nLast Response: "
                           "Farewell.\nResponses: (none)\n"),
              std::string::npos);
}

TEST_F(PlayCommand, TypedTextIsUtf8OnTheTerminalAndWindows1252InTheDialogue) {
    const Outcome outcome = Play({"samples/innkeeper.vrx", "--seed", "1"},
                                 "say Ren\xc3\xa9"
                                 "e\ndo $raw = \"\xe9\"\nenv\n");
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_NE(outcome.out.find("  $playerName = \"Ren\xc3\xa9"
                               "e\"\n"),
              std::string::npos);
    // Bytes that are not UTF-8 are taken as they are.
    EXPECT_NE(outcome.out.find("  $raw = \"\xc3\xa9\"\n"), std::string::npos);
    EXPECT_NE(outcome.out.find("Our caf\xc3\xa9 serves"), std::string::npos);
}

TEST_F(PlayCommand, QuestionsLeftUnansweredAtTheEndOfInputAreDeclined) {
    const std::string empty = TW_BINARY_DIR "/play_empty_input.txt";
    std::ofstream{empty};
    const Outcome outcome =
        Play({"samples/innkeeper.vrx", "--seed", "1", "--input", empty}, "quit\n");
    EXPECT_EQ(outcome.status, kExitOk);
    const Outcome quitting = Play({"samples/innkeeper.vrx", "--seed", "1"}, "quit\n");
    EXPECT_NE(quitting.out.find("(yes/no)> (end of input: no)\n"), std::string::npos);
}

TEST_F(PlayCommand, DefaultStateIsReadFromTheWorkingDirectory) {
    std::ofstream(scratch / "default.state.txt")
        << "set kMetBrannoc = true\n$playerName = \"Ys\"\n";
    const fs::path sample = fs::path(TW_SOURCE_DIR) / "samples" / "innkeeper.vrx";
    fs::current_path(scratch);
    const Outcome outcome = Play({sample.string(), "--seed", "1"}, "");
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_EQ(outcome.out.rfind("== WelcomeBack ==\n  Back again, Ys? The usual?\n", 0), 0u)
        << outcome.out;
}

TEST_F(PlayCommand, DialoguesThatDoNotCompileAreNotPlayed) {
    Dialogue dialogue;
    dialogue.Root().AppendCommand(std::make_unique<CommandManual>("set x = @@@"));
    const std::string path = (scratch / "broken.vrx").string();
    ASSERT_EQ(dialogue.SaveAs(path), std::nullopt);
    const Outcome outcome = Play({path, "--seed", "1"}, "");
    EXPECT_EQ(outcome.status, kExitFailure);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, path +
                               ": NODE Initialization Node: Syntax Error: set x = @@@: Invalid "
                               "operator: @@@\n");
}

TEST_F(PlayCommand, FilesThatCannotBeReadAreReported) {
    const Outcome missingState =
        Play({"samples/innkeeper.vrx", "--state", (scratch / "none.txt").string()});
    EXPECT_EQ(missingState.status, kExitFailure);
    EXPECT_EQ(missingState.err, "talkwright-cli play: cannot read state file '" +
                                    (scratch / "none.txt").string() + "'\n");
    const Outcome missingInput = Play({"samples/innkeeper.vrx", "--input", "no-such-script"});
    EXPECT_EQ(missingInput.status, kExitFailure);
    EXPECT_EQ(missingInput.err, "talkwright-cli play: cannot read input script 'no-such-script'\n");
    const Outcome missingFile = Play({(scratch / "none.vrx").string()});
    EXPECT_EQ(missingFile.status, kExitFailure);
    EXPECT_EQ(
        missingFile.err.rfind("talkwright-cli play: " + (scratch / "none.vrx").string() + ": ", 0),
        0u);
}

}  // namespace
}  // namespace tw::cli
