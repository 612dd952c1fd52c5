#include "model/file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/temp_dir.h"

namespace tw {
namespace {

using test::TempDir;

TEST(TextFile, WritesCrLfAndReadsEitherLineEnd) {
    const TempDir dir;
    const std::string path = dir / "lines.txt";
    {
        TextFile out(path, File::kWrite);
        ASSERT_TRUE(out.IsOpen());
        EXPECT_TRUE(out.WriteString("one\ntwo\r\n\nlast"));
    }
    EXPECT_EQ(test::ReadBytes(path), "one\r\ntwo\r\r\n\r\nlast");
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
    const TempDir dir;
    const std::string path = dir / "modes.bin";
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

}  // namespace
}  // namespace tw
