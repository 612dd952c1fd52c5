#include "export/export_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::set<std::string> Entries(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

TEST(ExportFile, ReplacesAnExistingFileKeepingItsPermissions) {
    TempDir dir;
    WriteBytes(dir / "out.txt", "an older, longer export that must go entirely");
    fs::permissions(dir / "out.txt",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_EQ(WriteExportFile(dir / "out.txt", "one\ntwo\r\n"), std::nullopt);
    EXPECT_EQ(ReadBytes(dir / "out.txt"), "one\r\ntwo\r\r\n");
    EXPECT_EQ(fs::status(dir / "out.txt").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"out.txt"});
}

TEST(ExportFile, OutputThatCannotBeCreated) {
    struct Case {
        const char* what;
        std::function<void(const TempDir&)> setUp;
        std::string path;
    };
    const Case cases[] = {
        {"a vanished directory", [](const TempDir&) {}, "gone/out.txt"},
        {"a directory in place of the file",
         [](const TempDir& dir) { fs::create_directory(dir / "out.txt"); }, "out.txt"},
        {"a file in place of the directory",
         [](const TempDir& dir) { WriteBytes(dir / "plain", "x"); }, "plain/out.txt"},
    };
    for (const Case& c : cases) {
        TempDir dir;
        c.setUp(dir);
        const std::set<std::string> before = Entries(dir.Path());
        EXPECT_EQ(WriteExportFile(dir / c.path, "text\n"), "Unable to create output file")
            << c.what;
        EXPECT_EQ(Entries(dir.Path()), before) << c.what;
    }
}

// A write failing part way is in model/file_faults_test.

TEST(ExportFile, SymbolicLinkStaysAndItsTargetIsReplaced) {
    TempDir dir;
    fs::create_directory(dir / "real");
    WriteBytes(dir / "real/target.txt", "old");
    fs::create_symlink("real/target.txt", dir / "link.txt");
    ASSERT_EQ(WriteExportFile(dir / "link.txt", "new\n"), std::nullopt);
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(ReadBytes(dir / "real/target.txt"), "new\r\n");
    EXPECT_EQ(Entries(dir / "real"), std::set<std::string>{"target.txt"});
}

}  // namespace
}  // namespace tw
