#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/command_entry_points.h"
#include "cli/terminal_progress.h"
#include "cli_test_support.h"
#include "support/dialogue_files.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw::cli {
namespace {

using test::Outcome;
using test::RunCommand;
using tw::test::ExportOf;
using tw::test::ReadBytes;
using tw::test::TempDir;
using tw::test::WriteBytes;
using tw::test::WriteDialogue;

Outcome Export(std::vector<std::string_view> args) {
    return RunCommand(RunExportCommand, std::move(args));
}

Outcome BatchExport(std::vector<std::string_view> args) {
    return RunCommand(RunBatchExportCommand, std::move(args));
}

void ExpectOutcome(const Outcome& outcome, int status, const std::string& out,
                   const std::string& err) {
    EXPECT_EQ(outcome.status, status);
    EXPECT_EQ(outcome.out, out);
    EXPECT_EQ(outcome.err, err);
}

TEST(ExportCommand, WritesBesideTheInputByDefault) {
    TempDir dir;
    WriteDialogue(dir / "ann.vrx", "Ann");
    WriteDialogue(dir / "d.x/plain", "Bo");
    ExpectOutcome(Export({dir / "ann.vrx"}), 0, "", "");
    EXPECT_EQ(ReadBytes(dir / "ann.txt"), ExportOf("Ann"));
    ExpectOutcome(Export({dir / "d.x/plain"}), 0, "", "");
    EXPECT_EQ(ReadBytes(dir / "d.x/plain.txt"), ExportOf("Bo"));
}

TEST(ExportCommand, WritesTheNamedOutput) {
    TempDir dir;
    WriteDialogue(dir / "ann.vrx", "Ann");
    WriteBytes(dir / "script.rtf", "old");
    ExpectOutcome(Export({dir / "ann.vrx", dir / "script.rtf"}), 0, "", "");
    EXPECT_EQ(ReadBytes(dir / "script.rtf"), ExportOf("Ann"));
    EXPECT_FALSE(fs::exists(dir / "ann.txt"));
}

TEST(ExportCommand, FailuresGoToStandardErrorWithStatusOne) {
    TempDir dir;
    WriteDialogue(dir / "ann.vrx", "Ann");
    WriteBytes(dir / "junk.vrx", "junk");
    fs::create_directory(dir / "taken.txt");
    const std::string missing = dir / "missing.vrx";
    ExpectOutcome(Export({missing}), 1, "", missing + ": Unable to open file\n");
    ExpectOutcome(Export({dir / "junk.vrx"}), 1, "",
                  (dir / "junk.vrx") + ": This is not a valid VRX file.\n");
    ExpectOutcome(Export({dir / "ann.vrx", dir / "gone/out.txt"}), 1, "",
                  (dir / "gone/out.txt") + ": Unable to create output file\n");
    ExpectOutcome(Export({dir / "ann.vrx", dir / "taken.txt"}), 1, "",
                  (dir / "taken.txt") + ": Unable to create output file\n");
    EXPECT_TRUE(fs::is_directory(dir / "taken.txt"));
}

TEST(ExportCommand, RefusesToReplaceTheDialogueItself) {
    TempDir dir;
    WriteDialogue(dir / "ann.txt", "Ann");
    const std::string before = ReadBytes(dir / "ann.txt");
    const std::string message =
        (dir / "ann.txt") + ": the export would replace the dialogue file itself\n";
    ExpectOutcome(Export({dir / "ann.txt"}), 1, "", message);
    ExpectOutcome(Export({dir / "ann.txt", dir / "./ann.txt"}), 1, "",
                  (dir / "./ann.txt") + ": the export would replace the dialogue file itself\n");
    EXPECT_EQ(ReadBytes(dir / "ann.txt"), before);
}

TEST(BatchExportCommand, CleanRunCountsTheFiles) {
    TempDir src;
    TempDir dest;
    WriteDialogue(src / "a.vrx", "Ann");
    WriteDialogue(src / "sub/b.vrx", "Ben");
    WriteDialogue(src / "sub/C.VRX", "Cy");
    ExpectOutcome(BatchExport({src.Path().string(), dest.Path().string()}), 0,
                  "2 exported, 0 failed\n", "");
    EXPECT_EQ(ReadBytes(dest / "a.txt"), ExportOf("Ann"));
    EXPECT_EQ(ReadBytes(dest / "b.txt"), ExportOf("Ben"));
    EXPECT_FALSE(fs::exists(dest / "C.txt"));
}

TEST(BatchExportCommand, ReportsFailuresAndDuplicatesAndGoesOn) {
    TempDir src;
    TempDir dest;
    WriteDialogue(src / "a.vrx", "Ann");
    WriteBytes(src / "bad.vrx", "junk");
    WriteDialogue(src / "x/d.vrx", "First");
    WriteDialogue(src / "y/d.vrx", "Second");
    fs::create_directory_symlink("..", src / "x/up");
    ExpectOutcome(
        BatchExport({src.Path().string(), dest.Path().string()}), 1, "3 exported, 1 failed\n",
        (src / "bad.vrx") + ": This is not a valid VRX file.\n" + "warning: Both " +
            (src / "x/d.vrx") + " and " + (src / "y/d.vrx") + " export to " + (dest / "d.txt") +
            "; the export of " + (src / "y/d.vrx") + " replaced the other\n");
    EXPECT_EQ(ReadBytes(dest / "a.txt"), ExportOf("Ann"));
    EXPECT_EQ(ReadBytes(dest / "d.txt"), ExportOf("Second"));
}

TEST(BatchExportCommand, MissingDirectories) {
    TempDir dir;
    ExpectOutcome(BatchExport({dir.Path().string(), dir / "gone"}), 1, "",
                  (dir / "gone") + ": not a directory\n");
    ExpectOutcome(BatchExport({dir / "gone", dir.Path().string()}), 1, "0 exported, 0 failed\n",
                  "Unable to read directory " + (dir / "gone") + ": No such file or directory\n");
}

TEST(ProgressBar, FillsInProportion) {
    struct Case {
        std::size_t done, total, width;
        const char* bar;
    };
    const Case cases[] = {
        {0, 4, 8, "[        ] 0/4"},    {1, 4, 8, "[##      ] 1/4"}, {4, 4, 8, "[########] 4/4"},
        {3, 7, 10, "[####      ] 3/7"}, {0, 0, 4, "[####] 0/0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgressBar(c.done, c.total, c.width), c.bar);
    }
}

}  // namespace
}  // namespace tw::cli
