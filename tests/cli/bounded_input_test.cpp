// No input makes a command abort, exhaust memory or exit 0 after a failure: endless lines,
// large files and a standard output that can't be written (devices and huge dialogues are
// in the command session data/commands/unreadable_inputs.txt). Limits are made small
// through Invocation::limits, so every case runs in milliseconds and little memory.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <new>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

#include "base/input_limits.h"
#include "cli/checked_run.h"
#include "cli/command_entry_points.h"
#include "cli/line_reader.h"
#include "cli_test_support.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_file_format.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;
using tw::test::ReadBytes;
using tw::test::TempDir;
using tw::test::WriteBytes;

using test::Outcome;

// A standard output that takes nothing, as /dev/full.
class FullBuffer : public std::streambuf {
protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
    std::streamsize xsputn(const char*, std::streamsize) override { return 0; }
};

struct Runner {
    InputLimits limits;
    bool fullOutput = false;

    Outcome operator()(std::string_view name, int (*command)(const Invocation&),
                       const std::vector<std::string>& args, const std::string& input = {}) const {
        std::istringstream in(input);
        std::ostringstream out;
        FullBuffer full;
        std::ostream fullOut(&full);
        std::ostringstream err;
        const std::vector<std::string_view> views(args.begin(), args.end());
        const CliCommand cli{name, "", "", command};
        Outcome outcome;
        outcome.status =
            RunChecked(cli, Invocation{views, in, fullOutput ? fullOut : out, err, limits});
        outcome.out = out.str();
        outcome.err = err.str();
        return outcome;
    }
};

std::vector<std::string> Lines(const std::string& input, std::uint64_t maxBytes,
                               std::string* refusal = nullptr) {
    std::istringstream in(input);
    LineReader reader(in, maxBytes);
    std::vector<std::string> lines;
    std::string line;
    LineReader::Status status;
    while ((status = reader.Next(line)) == LineReader::Status::kLine) {
        lines.push_back(line);
    }
    if (status == LineReader::Status::kTooLong && refusal != nullptr) {
        *refusal = reader.TooLongMessage();
    }
    return lines;
}

TEST(LineReaderTest, SplitsOnLfAndRefusesALineOverTheLimit) {
    using V = std::vector<std::string>;
    EXPECT_EQ(Lines("a\r\n\nbc\n", 4), (V{"a", "", "bc"}));
    EXPECT_EQ(Lines("a\nlast\r", 5), (V{"a", "last"}));
    EXPECT_EQ(Lines("", 4), V{});
    // Four bytes before the LF are allowed; five are not.
    std::string refusal;
    EXPECT_EQ(Lines("1234\n12345\nnever\n", 4, &refusal), V{"1234"});
    EXPECT_EQ(refusal, "line 2 is longer than 4 bytes");
}

class BoundedInputTest : public testing::Test {
protected:
    void SetUp() override {
        Dialogue dialogue;
        dialogue.Root().SetText("Hello.");
        dialogue.SetPath(dir / "d.vrx");
        ASSERT_EQ(dialogue.Save(), std::nullopt);
        vrx = dir / "d.vrx";
    }
    TempDir dir;
    std::string vrx;
    Runner run;
};

TEST_F(BoundedInputTest, ScriptRefusesALineOverTheLimit) {
    run.limits.lineBytes = 16;
    const Outcome outcome =
        run("script", RunScriptCommand, {}, "$x = 1\n$y = \"" + std::string(100, 'y') + "\"\n");
    EXPECT_EQ(outcome.status, kExitFailure);
    EXPECT_EQ(outcome.out, "");  // no dump of an environment the input did not finish
    EXPECT_EQ(outcome.err,
              "talkwright-cli script: standard input: line 2 is longer than 16 bytes\n");
}

TEST_F(BoundedInputTest, ConvertAndGenerateKeepToTheDialogueLimit) {
    run.limits.dialogueBytes = fs::file_size(vrx) - 1;
    const Outcome convert = run("convert", RunConvertCommand, {vrx, dir / "o.json"});
    EXPECT_EQ(convert.status, kExitFailure);
    EXPECT_EQ(convert.err,
              "talkwright-cli convert: " + vrx + ": " +
                  TooLargeMessage("a dialogue", fs::file_size(vrx), run.limits.dialogueBytes) +
                  "\n");

    // What generate writes must load again.
    run.limits.dialogueBytes = 4096;
    const Outcome generate = run("generate", RunGenerateCommand, {"--nodes", "50", dir / "g.vrx"});
    EXPECT_EQ(generate.status, kExitFailure);
    EXPECT_TRUE(generate.err.starts_with("talkwright-cli generate: the dialogue would be "))
        << generate.err;
    EXPECT_TRUE(generate.err.ends_with(
        " bytes, more than a dialogue file can be (4096 bytes (4 KiB)); ask for fewer nodes\n"))
        << generate.err;
    EXPECT_FALSE(fs::exists(dir / "g.vrx"));
}

TEST_F(BoundedInputTest, PlayRefusesLongInputLinesAndLargeStateFiles) {
    run.limits.lineBytes = 8;
    WriteBytes(dir / "walk.txt", "show\n# a comment that is too long\nquit\n");
    const Outcome walk =
        run("play", RunPlayCommand, {vrx, "--seed", "1", "--input", dir / "walk.txt"});
    EXPECT_EQ(walk.status, kExitFailure);
    EXPECT_EQ(walk.err,
              "talkwright-cli play: " + (dir / "walk.txt") + ": line 2 is longer than 8 bytes\n");
    const Outcome typed = run("play", RunPlayCommand, {vrx, "--seed", "1"}, "123456789\n");
    EXPECT_EQ(typed.status, kExitFailure);
    EXPECT_EQ(typed.err, "talkwright-cli play: standard input: line 1 is longer than 8 bytes\n");

    run.limits.lineBytes = kMaxInputLineBytes;
    run.limits.stateFileBytes = 10;
    WriteBytes(dir / "s.txt", "$gold = 100\n");
    const Outcome state = run("play", RunPlayCommand, {vrx, "--state", dir / "s.txt"});
    EXPECT_EQ(state.status, kExitFailure);
    EXPECT_EQ(state.err, "talkwright-cli play: " + (dir / "s.txt") + ": " +
                             TooLargeMessage("a state file", 12, 10) + "\n");

    // `load` says what was refused, not "Unable to open file".
    WriteBytes(dir / "load.txt", "load " + (dir / "s.txt") + "\n");
    const Outcome loaded =
        run("play", RunPlayCommand, {vrx, "--seed", "1", "--input", dir / "load.txt"});
    EXPECT_EQ(loaded.status, kExitOk);
    EXPECT_NE(loaded.out.find("[Error] " + TooLargeMessage("a state file", 12, 10) + "\n"),
              std::string::npos)
        << loaded.out;
}

TEST_F(BoundedInputTest, EveryCommandThatWritesStandardOutputChecksIt) {
    run.fullOutput = true;
    const std::string walk = dir / "walk.txt";
    WriteBytes(walk, "show\n");
    fs::create_directories(dir / "src");
    fs::create_directories(dir / "dest");
    fs::copy_file(vrx, dir / "src/d.vrx");
    Dialogue broken;
    broken.Root().AppendCommand(std::make_unique<CommandManual>("$x = = 1"));
    broken.SetPath(dir / "broken.vrx");
    ASSERT_EQ(broken.Save(), std::nullopt);
    const struct {
        std::string_view name;
        int (*command)(const Invocation&);
        std::vector<std::string> args;
        std::string input;
        int status;
    } cases[] = {
        {"script", RunScriptCommand, {}, "$x = 1\n", kExitFailure},
        {"play", RunPlayCommand, {vrx, "--seed", "1", "--input", walk}, "", kExitFailure},
        {"batch-export", RunBatchExportCommand, {dir / "src", dir / "dest"}, "", kExitFailure},
        {"convert", RunConvertCommand, {vrx, "-"}, "", kExitFailure},
        {"check", RunCheckCommand, {dir / "broken.vrx"}, "", kExitFailure},
    };
    for (const auto& c : cases) {
        const Outcome outcome = run(c.name, c.command, c.args, c.input);
        EXPECT_EQ(outcome.status, c.status) << c.name;
        EXPECT_TRUE(outcome.err.ends_with("talkwright-cli " + std::string(c.name) +
                                          ": Unable to write standard output\n"))
            << c.name << ": " << outcome.err;
    }
}

int ThrowsBadAlloc(const Invocation&) {
    throw std::bad_alloc();
}

TEST(CheckedRunTest, RunningOutOfMemoryIsAFailureWithAMessage) {
    const Outcome outcome = Runner{}("script", ThrowsBadAlloc, {});
    EXPECT_EQ(outcome.status, kExitFailure);
    EXPECT_EQ(outcome.err, "talkwright-cli script: out of memory\n");
}

// The real program with its standard output on /dev/full.
TEST(CheckedRunTest, TheProgramExitsOneWhenStandardOutputIsFull) {
    const std::string cli = std::string(TW_BINARY_DIR) + "/src/cli/talkwright-cli";
    for (const std::string& command :
         {"echo '$x = 1' | " + cli + " script", cli + " --help",
          cli + " play " + TW_SOURCE_DIR + "/samples/innkeeper.vrx --seed 1 </dev/null"}) {
        const int status = std::system((command + " >/dev/full 2>/dev/null").c_str());
        ASSERT_TRUE(WIFEXITED(status)) << command;
        EXPECT_EQ(WEXITSTATUS(status), kExitFailure) << command;
    }
}

}  // namespace
}  // namespace tw::cli
