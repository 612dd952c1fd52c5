#include "export/batch_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "model/dialogue.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

// A dialogue file whose NPC has the name, with the comments "c".
void WriteDialogue(const std::string& path, const std::string& npcName) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Dialogue dialogue;
    dialogue.Npc().name = npcName;
    dialogue.SetComments("c");
    WriteBytes(path, dialogue.Write());
}

// The export of a dialogue written by WriteDialogue, as it must be on disk.
std::string ExportOf(const std::string& npcName) {
    return "NPC: " + npcName +
           "\r\n\r\n{** NPC Comments **}\r\n{** c **}\r\n{Begin Dialogue}\r\n\r\n\r\n\r\n\r\n";
}

// Which files the walk takes, and links in the tree, are in the command session
// tests/cli/data/commands/export.txt.

TEST(BatchExport, ExportFileNameReplacesTheExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"a.vrx", "a.txt"},           {"dir/sub/a.vrx", "a.txt"}, {"a.b.vrx", "a.b.txt"},
        {"dir.d/noext", "noext.txt"}, {".vrx", ".txt"},
    };
    for (const auto& [source, name] : cases) {
        EXPECT_EQ(ExportFileName(source), name) << source;
    }
}

TEST(BatchExport, ExportsEveryFileAndSkipsThoseThatFailToLoadOrToWrite) {
    TempDir src;
    TempDir dest;
    WriteDialogue(src / "a.vrx", "Ann");
    WriteDialogue(src / "sub/b.vrx", "Ben");
    WriteBytes(src / "bad.vrx", "not a dialogue");
    std::vector<std::pair<std::size_t, std::size_t>> steps;
    std::vector<std::string> sources;
    const BatchExportReport report =
        RunBatchExport(src.Path().string(), dest.Path().string(), FileDialogueLoader(),
                       [&](const BatchExportProgress& progress, const BatchExportResult& result) {
                           steps.emplace_back(progress.done, progress.total);
                           sources.push_back(result.source);
                       });
    EXPECT_EQ(steps, (std::vector<std::pair<std::size_t, std::size_t>>{{1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(sources,
              (std::vector<std::string>{src / "a.vrx", src / "bad.vrx", src / "sub/b.vrx"}));
    EXPECT_EQ(report.exported, 2u);
    EXPECT_EQ(report.failed, 1u);
    ASSERT_EQ(report.results.size(), 3u);
    EXPECT_EQ(report.results[1].error, "This is not a valid VRX file.");
    EXPECT_FALSE(report.results[1].loaded);
    EXPECT_TRUE(report.results[0].loaded);
    EXPECT_EQ(report.results[1].output, dest / "bad.txt");
    EXPECT_EQ(ReadBytes(dest / "a.txt"), ExportOf("Ann"));
    EXPECT_EQ(ReadBytes(dest / "b.txt"), ExportOf("Ben"));
    EXPECT_FALSE(fs::exists(dest / "bad.txt"));

    const BatchExportReport nowhere =
        RunBatchExport(src.Path().string(), dest / "gone", FileDialogueLoader());
    EXPECT_EQ(nowhere.results[0].error, "Unable to create output file");
    EXPECT_TRUE(nowhere.results[0].loaded);
    EXPECT_EQ(nowhere.exported, 0u);
    EXPECT_EQ(nowhere.failed, 3u);
}

}  // namespace
}  // namespace tw
