// Writers of one target at once, long file names and what killed writers leave, with and
// without unnamed files.

#include "base/file_replace.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/writer_temp_names.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;

// Both ways a write can start: as an unnamed file, and named from the start.
class BothWays : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { SetUnnamedFilesForTesting(GetParam()); }
    void TearDown() override { SetUnnamedFilesForTesting(true); }
};

INSTANTIATE_TEST_SUITE_P(FileReplace, BothWays, ::testing::Bool(),
                         [](const auto& param) { return param.param ? "Unnamed" : "Named"; });

TEST_P(BothWays, ParallelWritersOfOneTargetAllSucceed) {
    TempDir dir;
    const std::string path = dir / "shared.vrx";
    constexpr int kThreads = 8;
    constexpr int kWrites = 25;
    std::vector<int> failures(kThreads, 0);
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&, t] {
            const std::string bytes(4096 + t, static_cast<char>('a' + t));
            for (int i = 0; i < kWrites; ++i) {
                failures[t] += ReplaceFileContents(path, bytes).has_value() ? 1 : 0;
            }
        });
    }
    for (std::thread& writer : writers) {
        writer.join();
    }
    EXPECT_EQ(failures, std::vector<int>(kThreads, 0));
    const std::string last = ReadBytes(path);
    ASSERT_GE(last.size(), 4096u);
    EXPECT_EQ(last, std::string(last.size(), last[0]));
    EXPECT_EQ(test::NamesIn(dir.Path()), std::set<std::string>{"shared.vrx"});
}

TEST_P(BothWays, FileNamesUpToTheLongestCanBeWritten) {
    TempDir dir;
    for (const std::size_t length : {240u, 255u}) {
        const std::string name = std::string(length - 4, 'n') + ".vrx";
        EXPECT_FALSE(ReplaceFileContents(dir / name, "first").has_value()) << length;
        EXPECT_FALSE(ReplaceFileContents(dir / name, "second").has_value()) << length;
        EXPECT_EQ(ReadBytes(dir / name), "second");
    }
    EXPECT_EQ(test::NamesIn(dir.Path()).size(), 2u);
}

// A process that has ended, whose id no running process has (for as long as the test runs).
pid_t EndedProcess() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    ::waitpid(child, nullptr, 0);
    return child;
}

TEST(FileReplace, RemovesOnlyWhatEndedWritersLeft) {
    TempDir dir;
    const auto leftover = [&](pid_t pid, const char* head) {
        const std::string name = "." + std::string(head) + "." + std::to_string(pid) + ".3.twtmp";
        test::WriteBytes(dir / name, "half a save");
        return name;
    };
    leftover(EndedProcess(), "a.vrx");
    leftover(EndedProcess(), "other.txt");
    const std::string running = leftover(::getppid(), "a.vrx");
    const std::string ours = leftover(::getpid(), "a.vrx");
    test::WriteBytes(dir / ".a.vrx.x.3.twtmp", "no writer's name");

    ASSERT_FALSE(ReplaceFileContents(dir / "a.vrx", "new").has_value());
    EXPECT_EQ(ReadBytes(dir / "a.vrx"), "new");
    EXPECT_EQ(test::NamesIn(dir.Path()),
              (std::set<std::string>{"a.vrx", running, ours, ".a.vrx.x.3.twtmp"}));
}

TEST(FileReplace, TempNamesAreShortAndCarryTheirWriter) {
    const std::string path = UniqueTempPathFor("/d/" + std::string(255, 'n'));
    const std::string name = std::filesystem::path(path).filename().string();
    EXPECT_LE(name.size(), kTempNameHeadBytes + 40u);
    EXPECT_EQ(TempNameOwner(name), ::getpid());
    EXPECT_NE(UniqueTempPathFor("/d/a.vrx"), UniqueTempPathFor("/d/a.vrx"));
    for (const char* other : {"a.vrx", ".a.vrx.talkwright-tmp", ".a.0.1.twtmp", ".a.12.twtmp"}) {
        EXPECT_EQ(TempNameOwner(other), std::nullopt) << other;
    }
}

}  // namespace
}  // namespace tw
