// Saves under faults: failing writes, a full disk, a directory that vanishes or turns
// read-only, and what a save keeps of the file it replaces (mode, owner, links).

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>

#include "base/file_replace.h"
#include "base/file_write.h"
#include "export/export_file.h"
#include "model/dialogue.h"
#include "model/file.h"
#include "support/failing_writes.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    ::lstat(path.c_str(), &status);
    return status.st_mode & 07777;
}

// A small tmpfs mounted on a directory for one test, for faults only a real file system
// shows (a full disk, a directory that turns read-only). Needs root and a kernel that
// lets the process mount; Error() says why not otherwise.
class TmpfsMount {
public:
    TmpfsMount(const std::string& dir, const std::string& size) : dir_(dir) {
        if (::geteuid() != 0) {
            error_ = "not running as root, so no tmpfs can be mounted";
            return;
        }
        const std::string options = "size=" + size;
        if (::mount("tmpfs", dir.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            error_ = std::string("mounting a tmpfs failed: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;
    ~TmpfsMount() {
        if (mounted_) {
            ::umount2(dir_.c_str(), MNT_DETACH);
        }
    }

    const std::string& Error() const { return error_; }
    bool RemountReadOnly() {
        return ::mount("tmpfs", dir_.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    std::string dir_;
    std::string error_;
    bool mounted_ = false;
};

using test::FailingWrites;

TEST_F(FailingWrites, KeepTheOldFileAndReportTheMessage) {
    TempDir dir;
    const std::string path = dir / "a.vrx";
    const std::string bytes(100000, 'n');
    for (const std::size_t after :
         {std::size_t{0}, std::size_t{1}, std::size_t{4096}, bytes.size() - 1}) {
        WriteBytes(path, "old bytes");
        FailAfter(after);
        EXPECT_EQ(ReplaceFileAtomically(path, bytes),
                  "Unable to write file " + path +
                      " (No space left on device).\nThe file was not changed.")
            << "failing after " << after;
        EXPECT_EQ(ReadBytes(path), "old bytes");
        EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"a.vrx"});
    }
}

// A failing save of a dialogue is in dialogue_blocks_test.
TEST_F(FailingWrites, KeepTheExportOld) {
    TempDir dir;
    FailAfter(4);
    WriteBytes(dir / "d.txt", "old export");
    EXPECT_EQ(WriteExportFile(dir / "d.txt", "new export"),
              "Unable to write output file " + (dir / "d.txt") + ": No space left on device");
    EXPECT_EQ(ReadBytes(dir / "d.txt"), "old export");
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"d.txt"});
}

TEST(ReplaceFileContents, KeepsModeOwnerAndSymbolicLinks) {
    TempDir dir;
    const std::string path = dir / "private.vrx";
    WriteBytes(path, "old");
    ::chmod(path.c_str(), 0600);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    }
    ASSERT_FALSE(ReplaceFileContents(path, "new").has_value());
    EXPECT_EQ(ModeOf(path), 0600u);
    struct stat status {};
    ::stat(path.c_str(), &status);
    if (::geteuid() == 0) {
        EXPECT_EQ(status.st_uid, 1234u);
        EXPECT_EQ(status.st_gid, 5678u);
    }

    std::filesystem::create_directories(dir.Path() / "real");
    WriteBytes(dir / "real/t.vrx", "old");
    std::filesystem::create_symlink("real/t.vrx", dir.Path() / "link.vrx");
    ASSERT_FALSE(ReplaceFileAtomically(dir / "link.vrx", "through the link").has_value());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.Path() / "link.vrx"));
    EXPECT_EQ(ReadBytes(dir / "real/t.vrx"), "through the link");
    EXPECT_EQ(test::NamesIn(dir.Path() / "real"), std::set<std::string>{"t.vrx"});
}

TEST(DirectoryFaults, ReadOnlyDirectoryKeepsTheOldFile) {
    TempDir dir;
    TmpfsMount mount(dir.Path().string(), "1m");
    if (!mount.Error().empty()) {
        GTEST_SKIP() << "cannot make a read-only directory: " << mount.Error();
    }
    Dialogue dialogue;
    ASSERT_FALSE(dialogue.SaveAs(dir / "d.vrx").has_value());
    const std::string saved = ReadBytes(dir / "d.vrx");
    dialogue.SetModified(true);
    ASSERT_TRUE(mount.RemountReadOnly());
    EXPECT_EQ(dialogue.Save(),
              "Unable to create file " + (dir / "d.vrx") + " (Read-only file system).");
    EXPECT_TRUE(dialogue.IsModified());
    EXPECT_EQ(ReadBytes(dir / "d.vrx"), saved);
}

TEST(DiskFull, SaveOnAFullTmpfsKeepsTheOldFile) {
    TempDir dir;
    TmpfsMount mount(dir.Path().string(), "64k");
    if (!mount.Error().empty()) {
        GTEST_SKIP() << "cannot fill a disk: " << mount.Error();
    }
    const std::string path = dir / "a.vrx";
    WriteBytes(path, "old bytes");
    EXPECT_EQ(
        ReplaceFileAtomically(path, std::string(1 << 20, 'x')),
        "Unable to write file " + path + " (No space left on device).\nThe file was not changed.");
    EXPECT_EQ(ReadBytes(path), "old bytes");
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"a.vrx"});
    EXPECT_FALSE(ReplaceFileAtomically(path, "fits").has_value());
    EXPECT_EQ(ReadBytes(path), "fits");
}

}  // namespace
}  // namespace tw
