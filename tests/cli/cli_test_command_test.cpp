// test: recorded playthroughs against their expected transcripts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

using test::Outcome;
using tw::test::ReadBytes;
using tw::test::TempDir;
using tw::test::WriteBytes;

const std::string kRecordings = TW_SOURCE_DIR "/tests/cli/data/recordings";

Outcome RunRecordings(std::vector<std::string_view> args) {
    return test::RunCommand(RunTestCommand, std::move(args));
}

// Every recording under tests/cli/data/recordings: the tester's behaviours, each a dialogue
// with the walk that shows it and the transcript it must give.
std::vector<std::string> Recordings() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(kRecordings)) {
        if (entry.path().extension() == ".play") {
            paths.push_back(std::filesystem::relative(entry.path(), kRecordings).string());
        }
    }
    std::sort(paths.begin(), paths.end());
    return paths;
}

class Recording : public testing::TestWithParam<std::string> {};

TEST_P(Recording, PlaysAsExpected) {
    const std::string path = kRecordings + "/" + GetParam();
    const Outcome outcome = RunRecordings({path});
    EXPECT_EQ(outcome.out, "1 passed, 0 failed\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, kExitOk);
}

INSTANTIATE_TEST_SUITE_P(Recordings, Recording, testing::ValuesIn(Recordings()),
                         [](const testing::TestParamInfo<std::string>& param) {
                             std::string name = param.param.substr(0, param.param.size() - 5);
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return std::isalnum(static_cast<unsigned char>(c)) == 0;
                                 },
                                 '_');
                             return name;
                         });

// A walk through the smithy is recorded with --update; with its last answer changed it no
// longer plays as expected until it is updated again.
TEST(TestCommand, DifferencesAreShownAndUpdateRewritesTheExpectedTranscript) {
    const TempDir dir;
    WriteBytes(dir / "blacksmith.vrx", ReadBytes(TW_SOURCE_DIR "/samples/blacksmith.vrx"));
    const std::string header = "#! dialogue: blacksmith.vrx\n#! seed: 1\n";
    WriteBytes(dir / "walk.play", header + "1\n2\n");
    const Outcome first = RunRecordings({dir.Path().c_str(), "--update"});
    EXPECT_EQ(first.status, kExitOk);
    EXPECT_EQ(first.out, dir / "walk.expected" + ": updated\n0 passed, 0 failed, 1 updated\n");
    WriteBytes(dir / "walk.play", header + "1\n1\n");
    const Outcome failing = RunRecordings({dir.Path().c_str()});
    EXPECT_EQ(failing.status, kExitFailure);
    EXPECT_EQ(failing.out, "--- " + (dir / "walk.expected") + "\n+++ " + (dir / "walk.play") +
                               " (as played)\n"
                               "@@ -14,12 +14,14 @@\n"
                               " Responses:\n"
                               "   1. Deal.\n"
                               "   2. Too much.\n"
                               "-> 2\n"
                               "-== Leave ==\n"
                               "-  Hm.\n"
                               "+> 1\n"
                               "+== Paid ==\n"
                               "+  Come back at dusk.\n"
                               " Commands:\n"
                               "+  ASSIGN: $gold = $gold - 5\n"
                               "+  F_SET: set kSwordAtSmith = TRUE\n"
                               "   END: END CONVERSATION\n"
                               " Messages:\n"
                               "   *** Conversation Ended. ***\n"
                               "-Last Response: Too much.\n"
                               "+Last Response: Deal.\n"
                               " Responses: (none)\n"
                               "0 passed, 1 failed\n");
    const Outcome update = RunRecordings({(dir / "walk.play").c_str(), "--update"});
    EXPECT_EQ(update.out, dir / "walk.expected" + ": updated\n0 passed, 0 failed, 1 updated\n");
    EXPECT_EQ(RunRecordings({dir.Path().c_str()}).out, "1 passed, 0 failed\n");
    EXPECT_NE(ReadBytes(dir / "walk.expected").find("== Paid =="), std::string::npos);
}

TEST(TestCommand, RecordingsThatCannotBePlayedFail) {
    const TempDir dir;
    WriteBytes(dir / "a.play", "#! dialogue: none.vrx\n1\n");
    WriteBytes(dir / "b.play", "#! dialogue: none.vrx\n#! sede: 3\n");
    WriteBytes(dir / "c.play", "1\n");
    WriteBytes(dir / "d.play", "#! dialogue: " TW_SOURCE_DIR "/samples/blacksmith.vrx\n");
    WriteBytes(dir / "e.txt", "");
    const Outcome outcome = RunRecordings({dir.Path().c_str(), (dir / "e.txt").c_str()});
    EXPECT_EQ(outcome.status, kExitFailure);
    EXPECT_EQ(outcome.out, "0 passed, 5 failed\n");
    EXPECT_EQ(outcome.err, dir / "e.txt" + ": not a recording (NAME.play)\n" + dir / "a.play" +
                               ": none.vrx: Unable to open file\n" + dir / "b.play" +
                               ": line 2: unknown header 'sede'\n" + dir / "c.play" +
                               ": no \"#! dialogue: FILE\" line\n" + dir / "d.play" + ": no " +
                               dir / "d.expected" + " beside it (--update writes it)\n");
    EXPECT_EQ(RunRecordings({}).status, kExitUsage);
    EXPECT_EQ(RunRecordings({"--verbose", "x.play"}).status, kExitUsage);
}

}  // namespace
}  // namespace tw::cli
