#include "model/file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "base/file_write.h"

namespace tw {
namespace {

std::string TempPath(const char* name) {
    const auto dir = std::filesystem::path(TW_BINARY_DIR) / "file_test";
    std::filesystem::create_directories(dir);
    return (dir / name).string();
}

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(TextFile, WritesCrLfAndReadsEitherLineEnd) {
    const std::string path = TempPath("lines.txt");
    {
        TextFile out(path, File::kWrite);
        ASSERT_TRUE(out.IsOpen());
        EXPECT_TRUE(out.WriteString("one\ntwo\r\n\nlast"));
    }
    EXPECT_EQ(Slurp(path), "one\r\ntwo\r\r\n\r\nlast");
    { std::ofstream(path, std::ios::binary) << "a\r\nb\nc\r\n\nd"; }
    TextFile in(path, File::kRead);
    std::vector<std::string> lines;
    while (auto line = in.ReadLine()) {
        lines.push_back(*line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "", "d"}));
    EXPECT_TRUE(in.IsEof());
}

TEST(File, OpenModes) {
    const std::string path = TempPath("modes.bin");
    std::filesystem::remove(path);
    File file;
    EXPECT_FALSE(file.Open(path, true, File::kRead, false));
    EXPECT_EQ(file.Path(), "");
    EXPECT_TRUE(file.IsEof());
    EXPECT_FALSE(file.Open(path, true, 9, true));
    EXPECT_TRUE(file.Open(path, true, File::kReadWrite, true));
    EXPECT_EQ(file.Path(), path);
    EXPECT_TRUE(file.WriteBytes("abc"));
    file.Close();
    EXPECT_EQ(file.Path(), "");
    ASSERT_TRUE(file.Open(path, true, File::kAppend, false));
    EXPECT_TRUE(file.WriteBytes("d"));
    ASSERT_TRUE(file.Open(path, true, File::kRead, false));
    EXPECT_FALSE(file.IsEof());
    EXPECT_EQ(file.ReadAll(), "abcd");
    EXPECT_EQ(FileInfo(path).Size(), 4);
    EXPECT_EQ(FileInfo("a/b\\c").Path(), "a\\b\\c");
    EXPECT_EQ(FileInfo(path + ".none").Size(), 0);
}

TEST(ReplaceFileAtomically, KeepsThePermissionsOfTheOldFile) {
    const std::string path = TempPath("perm.txt");
    std::ofstream(path) << "old";
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_FALSE(ReplaceFileAtomically(path, "new").has_value());
    EXPECT_EQ(Slurp(path), "new");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms::owner_read |
                                                               std::filesystem::perms::owner_write |
                                                               std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace tw
