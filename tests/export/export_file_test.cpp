#include "export/export_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(ExportFile, ReplacesAnExistingFileKeepingItsPermissions) {
    TempDir dir;
    WriteBytes(dir / "out.txt", "an older, longer export that must go entirely");
    fs::permissions(dir / "out.txt",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(WriteExportFile(dir / "out.txt", "one\ntwo\r\n"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "one\r\ntwo\r\r\n");
    EXPECT_EQ(fs::status(dir / "out.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"out.txt"});
}

// A directory in the file's place is refused and nothing is left beside it; the other
// outputs that can't be made are in the command session data/commands/export.txt.
TEST(ExportFile, ADirectoryInPlaceOfTheFileIsRefusedLeavingNothing) {
    TempDir dir;
    fs::create_directory(dir / "out.txt");
    EXPECT_EQ(WriteExportFile(dir / "out.txt", "text\n"), "Unable to create output file");
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"out.txt"});
}

// A write failing part way, and a link whose target is replaced, are in
// model/file_faults_test: the export replaces its file as a save does.

}  // namespace
}  // namespace tw
