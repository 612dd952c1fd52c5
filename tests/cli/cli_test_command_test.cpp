// test: recorded playthroughs against their expected transcripts. How the command reports
// differences and unplayable recordings is in the command session data/commands/test_command.txt.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"

namespace tw::cli {
namespace {

using test::Outcome;

const std::string kRecordings = TW_SOURCE_DIR "/tests/cli/data/recordings";

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
    const Outcome outcome = test::RunCommand(RunTestCommand, {path});
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

}  // namespace
}  // namespace tw::cli
