// No input makes a command abort, exhaust memory or exit 0 after a failure: endless lines,
// running out of memory and a standard output that can't be written (small limits, devices
// and huge dialogues are in the command sessions data/commands/bounded_input.txt and
// unreadable_inputs.txt).

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <new>
#include <sstream>
#include <string>
#include <vector>

#include "cli/checked_run.h"
#include "cli/line_reader.h"

namespace tw::cli {
namespace {

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

int ThrowsBadAlloc(const Invocation&) {
    throw std::bad_alloc();
}

TEST(CheckedRunTest, RunningOutOfMemoryIsAFailureWithAMessage) {
    std::istringstream in;
    std::ostringstream out, err;
    const CliCommand script{"script", "", "", ThrowsBadAlloc};
    EXPECT_EQ(RunChecked(script, Invocation{{}, in, out, err}), kExitFailure);
    EXPECT_EQ(err.str(), "talkwright-cli script: out of memory\n");
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
