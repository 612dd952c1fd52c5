#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw::cli {
namespace {

using test::Outcome;
using test::RunCommand;
using tw::test::TempDir;
using tw::test::WriteBytes;

Outcome Check(std::vector<std::string_view> args) {
    return RunCommand(RunCheckCommand, std::move(args));
}

// A dialogue whose node Greet holds the given command.
void WriteDialogueWithCommand(const std::string& path, std::unique_ptr<NodeCommand> command) {
    Dialogue dialogue;
    DialogueNode& greet = dialogue.AppendNode(dialogue.Root(), 1, "Greet", "greets");
    greet.AppendCommand(std::move(command));
    auto response = std::make_unique<NodeResponseAdd>("A01");
    response->SetCondition(std::make_unique<Conditional>("$gold >"));
    dialogue.AppendNode(greet, 2, "Shop").AppendResponse(std::move(response));
    WriteBytes(path, dialogue.Write());
}

TEST(CheckCommand, CleanFilesPassSilently) {
    TempDir dir;
    WriteBytes(dir / "new.vrx", Dialogue().Write());
    const std::string samples = std::string(TW_SOURCE_DIR) + "/samples/";
    const Outcome outcome =
        Check({dir / "new.vrx", samples + "innkeeper.vrx", samples + "blacksmith.vrx"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
}

TEST(CheckCommand, EveryMessageNamesItsFile) {
    TempDir dir;
    WriteDialogueWithCommand(dir / "one.vrx", std::make_unique<CommandManual>("$s = \"abc"));
    WriteDialogueWithCommand(dir / "two.vrx", std::make_unique<CommandGoto>("Shop"));
    WriteBytes(dir / "junk.vrx", "junk");
    const Outcome outcome = Check({dir / "one.vrx", dir / "junk.vrx", dir / "two.vrx"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out,
              (dir / "one.vrx") +
                  ": NODE Greet [greets]: Syntax Error: $s = \"abc: Unterminated string "
                  "constant: abc\n" +
                  (dir / "one.vrx") +
                  ": NODE Shop: Response Condition: $gold >: Operator '>' has missing or "
                  "invalid operands\n" +
                  (dir / "two.vrx") +
                  ": NODE Shop: Response Condition: $gold >: Operator '>' has missing or "
                  "invalid operands\n");
    EXPECT_EQ(outcome.err, (dir / "junk.vrx") + ": This is not a valid VRX file.\n");
}

TEST(CheckCommand, FileThatCannotBeLoadedFailsTheCheck) {
    TempDir dir;
    WriteBytes(dir / "new.vrx", Dialogue().Write());
    const Outcome outcome = Check({dir / "new.vrx", dir / "missing.vrx"});
    EXPECT_EQ(outcome.status, 1);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, (dir / "missing.vrx") + ": Unable to open file\n");
}

// The editor refuses trees deeper than it can show; the tool takes any depth.
TEST(DeepTrees, CheckLintExportAndConvertTakeAHundredThousandLevels) {
    TempDir dir;
    const std::string vrx = dir / "deep.vrx";
    {
        Dialogue dialogue;
        DialogueNode* end = &dialogue.Root();
        for (std::int32_t id = 1; id <= 100000; ++id) {
            end = &dialogue.AppendNode(*end, id, "N" + std::to_string(id));
        }
        WriteBytes(vrx, dialogue.Write());
    }
    const std::string json = dir / "deep.json";
    const std::string back = dir / "back.vrx";
    const struct {
        int (*command)(const Invocation&);
        std::vector<std::string_view> args;
    } runs[] = {
        {RunCheckCommand, {vrx}},          {RunLintCommand, {"--disable", "unreachable-node", vrx}},
        {RunExportCommand, {vrx}},         {RunConvertCommand, {vrx, json}},
        {RunConvertCommand, {json, back}},
    };
    for (const auto& run : runs) {
        const Outcome outcome = RunCommand(run.command, run.args);
        EXPECT_EQ(outcome.status, 0) << run.args.back() << ": " << outcome.err;
    }
    EXPECT_TRUE(fs::exists(dir / "deep.txt"));
    EXPECT_EQ(tw::test::ReadBytes(back), tw::test::ReadBytes(vrx));
}

}  // namespace
}  // namespace tw::cli
