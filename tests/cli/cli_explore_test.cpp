// explore on the small dialogues of tests/cli/data/explore: each NAME.json is explored (with
// the arguments of NAME.args, one a line, when there is one; what it prints is in the command
// session data/commands/explore.txt), and every road the findings give then plays, through
// play, to its finding.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/command_entry_points.h"
#include "cli/dialogue_input.h"
#include "cli_test_support.h"
#include "model/dialogue.h"
#include "support/expected_file.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

using test::Outcome;
using tw::test::ReadBytes;

const std::string kData = "tests/cli/data/explore/";

std::vector<std::string> CaseArgs(const std::string& name) {
    std::vector<std::string> args{kData + name + ".json"};
    std::istringstream lines(ReadBytes(kData + name + ".args"));
    for (std::string line; std::getline(lines, line);) {
        args.push_back(line);
    }
    return args;
}

Outcome Cli(int (*command)(const Invocation&), const std::vector<std::string>& args) {
    return test::RunCommand(command, std::vector<std::string_view>(args.begin(), args.end()));
}

// Runs from the source directory, so the paths printed are those of the repository.
class ExploreCase : public testing::TestWithParam<std::string> {
protected:
    void SetUp() override {
        previous_ = fs::current_path();
        fs::current_path(TW_SOURCE_DIR);
    }
    void TearDown() override { fs::current_path(previous_); }

private:
    fs::path previous_;
};

// The last node shown before the end of the transcript, or before its last runtime error.
std::string LastNodeShown(const std::string& transcript, bool beforeLastError) {
    std::size_t end = transcript.size();
    if (beforeLastError) {
        end = transcript.rfind("[Runtime Error] ");
        if (end == std::string::npos) {
            return "(no runtime error)";
        }
    }
    const std::size_t head = transcript.rfind("== ", end);
    if (head == std::string::npos) {
        return "(no node)";
    }
    const std::size_t close = transcript.find(" ==\n", head);
    return transcript.substr(head + 3, close - head - 3);
}

TEST_P(ExploreCase, EveryRoadPlaysToItsFinding) {
    std::vector<std::string> args = CaseArgs(GetParam());
    args.erase(std::remove(args.begin(), args.end(), "json"), args.end());
    args.erase(std::remove(args.begin(), args.end(), "--format"), args.end());
    args.insert(args.end(), {"--format", "json"});
    const auto report = nlohmann::json::parse(Cli(RunExploreCommand, args).out);
    Dialogue dialogue;
    ASSERT_EQ(LoadDialogueOrJson(args[0], dialogue), std::nullopt);
    const tw::test::TempDir scratch;
    for (const auto& finding : report["findings"]) {
        if (finding["input"].is_null()) {
            continue;
        }
        std::string input;
        for (const auto& line : finding["input"]) {
            input += line.get<std::string>() + "\n";
        }
        const std::string script = scratch / "road.txt";
        tw::test::WriteBytes(script, input);
        const std::string seed = std::to_string(finding["seed"].get<std::uint32_t>());
        std::vector<std::string> playArgs{args[0], "--seed", seed, "--input", script};
        if (!report["start"].is_null()) {
            playArgs.insert(playArgs.end(), {"--start", report["start"].get<std::string>()});
        }
        const Outcome play = Cli(RunPlayCommand, playArgs);
        ASSERT_EQ(play.status, kExitOk) << play.err;
        const std::string rule = finding["rule"];
        const std::string node =
            dialogue.FindNodeById(finding["nodeId"].get<std::int32_t>())->GetName();
        SCOPED_TRACE(rule + " at " + node + "\n" + play.out);
        EXPECT_EQ(LastNodeShown(play.out, rule == "runtime-error"), node);
        const std::string last = play.out.substr(play.out.rfind("== "));
        if (rule == "runtime-error") {
            const std::string message = finding["message"];
            const std::string error = play.out.substr(play.out.rfind("[Runtime Error] "));
            EXPECT_NE(error.find(message.substr(message.find("fails at run time: ") + 19)),
                      std::string::npos);
        } else if (rule == "dead-end") {
            EXPECT_NE(last.find("Responses: (none)\n"), std::string::npos);
            EXPECT_EQ(last.find("Conversation Ended"), std::string::npos);
            EXPECT_EQ(last.find("A typed reply is awaited"), std::string::npos);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Data, ExploreCase,
                         testing::ValuesIn(tw::test::FileStemsIn(fs::path(TW_SOURCE_DIR) / kData,
                                                                 ".json")),
                         tw::test::CaseFileTestName);

}  // namespace
}  // namespace tw::cli
