#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"

namespace tw::cli {
namespace {

using test::Outcome;
using test::RunCommand;

namespace fs = std::filesystem;

Outcome Script(std::vector<std::string_view> args, const std::string& input = {}) {
    return RunCommand(RunScriptCommand, std::move(args), input);
}

// A file in the test's temporary directory, removed with the fixture.
class ScriptCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() / (std::string("tw_cli_script_") + info->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string WriteFile(const std::string& name, const std::string& text) {
        const fs::path path = dir_ / name;
        std::ofstream(path, std::ios::binary) << text;
        return path.string();
    }

    fs::path dir_;
};

TEST_F(ScriptCommandTest, ReadsStandardInputWhenNoFileIsGiven) {
    const std::string input = "$x = 1\ngoto A\n";
    const std::string expected = "2: GOTO A\n--\n$x = 1\n";
    EXPECT_EQ(Script({}, input).out, expected);
    EXPECT_EQ(Script({"-"}, input).out, expected);
    EXPECT_EQ(Script({"-"}, input).status, 0);
}

TEST_F(ScriptCommandTest, NumbersEveryLineAndStripsOneCarriageReturn) {
    const Outcome outcome = Script({}, "\r\n\n  \ngoto A\r\r\n$s = 'a\r'\nend conversation");
    EXPECT_EQ(outcome.out, "4: GOTO A\n6: END\n--\n$s = \"a\r\"\n");
    EXPECT_EQ(outcome.status, 0);
}

TEST_F(ScriptCommandTest, EmptyInputPrintsOnlyTheSeparator) {
    EXPECT_EQ(Script({}, "").out, "--\n");
    EXPECT_EQ(Script({"--expressions"}, "\n\n").out, "--\n");
}

TEST_F(ScriptCommandTest, LineEndsAtNul) {
    using namespace std::string_literals;
    const Outcome outcome = Script({}, "$x = 1\0 + junk\n\0goto A\n"s);
    EXPECT_EQ(outcome.out, "--\n$x = 1\n");
    EXPECT_EQ(Script({"--expressions"}, "\0 1\n2\0 +\n"s).out, "2: integer 2\n--\n");
}

TEST_F(ScriptCommandTest, StateFileFillsTheEnvironmentFirst) {
    const std::string state = WriteFile("state.txt", "$gold = 12\n\nset kMet = true\n");
    const Outcome outcome = Script({"--state", state}, "$gold = $gold + 1\n");
    EXPECT_EQ(outcome.out, "--\n$gold = 13\nset kMet = true\n");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.status, 0);
    const Outcome expressions = Script({"--expressions", "--state", state}, "kMet and $gold > 10");
    EXPECT_EQ(expressions.out, "1: boolean true\n--\n$gold = 12\nset kMet = true\n");
}

TEST_F(ScriptCommandTest, FailingStateLinesAreReportedAndFailTheRun) {
    const std::string state =
        WriteFile("state.txt", "$a = 1\n\n$b = \ngoto Start\n$c = 1 / 0\nflag = 3\n");
    const Outcome outcome = Script({"--state", state}, "$d = $a\n");
    EXPECT_EQ(outcome.err,
              "state 3: Assignment statement ends prematurely\n"
              "state 5: Division by zero\n"
              "state 6: Assignment to flag is not allowed, use 'set' instead\n");
    EXPECT_EQ(outcome.out, "--\n$a = 1\n$d = 1\n");
    EXPECT_EQ(outcome.status, 1);
}

TEST_F(ScriptCommandTest, WrittenEnvironmentLoadsBackAsState) {
    const Outcome first = Script({}, "$q = 'say \"it' + \"'s\" + '\"'\n$n = -2147483647 - 1\n");
    const std::string dump = first.out.substr(first.out.find("--\n") + 3);
    const std::string state = WriteFile("state.txt", dump);
    const Outcome second = Script({"--state", state}, "");
    EXPECT_EQ(second.out, first.out);
    EXPECT_EQ(second.status, 0);
}

TEST_F(ScriptCommandTest, UnreadableFilesAreUsageErrors) {
    const std::string missing = (dir_ / "missing.script").string();
    const Outcome input = Script({missing});
    EXPECT_EQ(input.status, 2);
    EXPECT_EQ(input.err, "talkwright-cli script: cannot read " + missing + "\n");
    EXPECT_EQ(input.out, "");
    const Outcome state = Script({"--state", missing}, "$x = 1\n");
    EXPECT_EQ(state.status, 2);
    EXPECT_EQ(state.out, "");
    const Outcome directory = Script({dir_.string()});
    EXPECT_EQ(directory.status, 2);
    EXPECT_EQ(directory.err, "talkwright-cli script: cannot read " + dir_.string() + "\n");
}

}  // namespace
}  // namespace tw::cli
