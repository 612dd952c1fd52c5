#include "model/file_fingerprint.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/temp_dir.h"

namespace tw {
namespace {

constexpr FileFingerprint kKnown{{100, 5'000}, 42};

struct CompareCase {
    const char* name;
    FileStamp now;
    std::optional<std::uint64_t> hashNow;
    DiskChange expected;
    bool hashed;  // whether the file had to be read
};

class CompareWithFileTest : public testing::TestWithParam<CompareCase> {};

TEST_P(CompareWithFileTest, ReadsTheFileOnlyWhenTheStampCannotTell) {
    const CompareCase& c = GetParam();
    bool hashed = false;
    const DiskChange change = CompareWithFile(kKnown, c.now, [&] {
        hashed = true;
        return c.hashNow;
    });
    EXPECT_EQ(change, c.expected);
    EXPECT_EQ(hashed, c.hashed);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompareWithFileTest,
    testing::Values(
        CompareCase{"Untouched", {100, 5'000}, 7, DiskChange::kSame, false},
        CompareCase{"TouchedOnly", {100, 9'000}, 42, DiskChange::kTouched, true},
        CompareCase{"RewrittenAtTheSameSize", {100, 9'000}, 43, DiskChange::kChanged, true},
        CompareCase{"Unreadable", {100, 9'000}, std::nullopt, DiskChange::kChanged, true},
        CompareCase{"Grown", {101, 9'000}, 42, DiskChange::kChanged, false},
        CompareCase{"GrownWithTheOldTime", {101, 5'000}, 42, DiskChange::kChanged, false},
        CompareCase{"Emptied", {0, 9'000}, 42, DiskChange::kChanged, false}),
    [](const testing::TestParamInfo<CompareCase>& tested) {
        return std::string(tested.param.name);
    });

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
