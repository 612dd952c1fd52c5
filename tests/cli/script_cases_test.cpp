// Runs every case file of tests/script/cases through `talkwright-cli script`: NAME.script
// in statement mode, NAME.expr in expression mode. NAME.EXT.expected holds the expected
// standard output followed by a last line "exit STATUS"; NAME.EXT.state, when there is one,
// is loaded first.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "support/expected_file.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kCaseDir = fs::path(TW_SOURCE_DIR) / "tests" / "script" / "cases";

class ScriptCaseTest : public ::testing::TestWithParam<std::string> {};

TEST_P(ScriptCaseTest, MatchesExpectedOutput) {
    const fs::path input = kCaseDir / GetParam();
    const std::string expected = tw::test::ReadBytes(input.string() + ".expected");
    const std::size_t statusLine = expected.rfind("exit ");
    ASSERT_NE(statusLine, std::string::npos) << "no exit line";
    const int status = std::stoi(expected.substr(statusLine + 5));

    const std::string path = input.string();
    const std::string state = path + ".state";  // the environment the lines start from
    std::vector<std::string_view> args{path};
    if (fs::exists(state)) {
        args.insert(args.begin(), {"--state", state});
    }
    if (input.extension() == ".expr") {
        args.insert(args.begin(), "--expressions");
    }
    const test::Outcome outcome = test::RunCommand(RunScriptCommand, args);
    EXPECT_EQ(outcome.out, expected.substr(0, statusLine));
    EXPECT_EQ(outcome.status, status);
    EXPECT_EQ(outcome.err, "");
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptCaseTest,
                         ::testing::ValuesIn(tw::test::FileNamesIn(kCaseDir, {".script", ".expr"})),
                         tw::test::CaseFileTestName);

}  // namespace
}  // namespace tw::cli
