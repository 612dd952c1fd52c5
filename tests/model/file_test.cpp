// Files: reading and writing them, and the fingerprints that tell whether one changed.

#include "model/file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "model/file_fingerprint.h"
#include "support/line_cases.h"
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

// Fingerprints: the stamp tells most changes, the hash of the bytes the rest. Each line of
// cases/fingerprints.txt is the stamp and hash found now against a file known as 100 bytes
// at time 5000 with hash 42.
TEST(CompareWithFile, ReadsTheFileOnlyWhenTheStampCannotTell) {
    test::ExpectLineCases(
        std::string(TW_SOURCE_DIR) + "/tests/model/cases/fingerprints.txt",
        [](const std::string& line) {
            std::istringstream words(line);
            FileStamp now;
            std::string hash;
            words >> now.size >> now.modifiedNs >> hash;
            bool hashed = false;
            const DiskChange change = CompareWithFile({{100, 5'000}, 42}, now, [&] {
                hashed = true;
                return hash == "-" ? std::nullopt : std::optional<std::uint64_t>(std::stoull(hash));
            });
            return std::string(change == DiskChange::kSame      ? "same"
                               : change == DiskChange::kTouched ? "touched"
                                                                : "changed") +
                   (hashed ? ", read" : ", not read");
        });
}

class FileFingerprintTest : public testing::Test {
public:
    std::string Write(const char* name, const std::string& bytes) const {
        test::WriteBytes(dir_ / name, bytes);
        return dir_ / name;
    }

private:
    test::TempDir dir_;
};

// Three chunks and a bit, so the hash runs over whole chunks and a last one.
TEST_F(FileFingerprintTest, SameBytesHashAlikeAndOneChangedByteDoesNot) {
    std::string bytes(3 * (std::size_t{1} << 20) + 17, 'a');
    const std::string first = Write("first.vrx", bytes);
    const std::string second = Write("second.vrx", bytes);
    bytes[bytes.size() / 2] = 'b';
    const std::string changed = Write("changed.vrx", bytes);

    const std::optional<FileFingerprint> fingerprint = FingerprintOfFile(first);
    ASSERT_TRUE(fingerprint);
    EXPECT_EQ(fingerprint->stamp, StampOfFile(first));
    EXPECT_EQ(fingerprint->stamp.size, bytes.size());
    EXPECT_EQ(HashOfFile(first), fingerprint->hash);
    EXPECT_EQ(HashOfFile(second), fingerprint->hash);
    EXPECT_NE(HashOfFile(changed), fingerprint->hash);
    EXPECT_NE(HashOfFile(Write("empty.vrx", "")), fingerprint->hash);
}

TEST_F(FileFingerprintTest, NoFingerprintWithoutARegularFile) {
    const std::string missing = Write("gone.vrx", "x");
    std::filesystem::remove(missing);
    for (const std::string& path : {missing, std::string(TW_BINARY_DIR)}) {
        EXPECT_FALSE(StampOfFile(path)) << path;
        EXPECT_FALSE(HashOfFile(path)) << path;
        EXPECT_FALSE(FingerprintOfFile(path)) << path;
    }
}

TEST_F(FileFingerprintTest, TheTimeOfATouchIsTheStampsOwn) {
    const std::string path = Write("touched.vrx", "bytes");
    const FileStamp before = *StampOfFile(path);
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(path) + std::chrono::seconds(90));
    const FileStamp after = *StampOfFile(path);
    EXPECT_EQ(after.size, before.size);
    EXPECT_EQ(after.modifiedNs - before.modifiedNs, 90'000'000'000);
}

}  // namespace
}  // namespace tw
