// The editor refuses trees deeper than it can show; the tool takes any depth.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "model/dialogue.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw::cli {
namespace {

using test::Outcome;
using test::RunCommand;
using tw::test::TempDir;
using tw::test::WriteBytes;

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
