// Runs of talkwright-cli writing over one file: killed with SIGKILL at random moments, or
// many at once. Every run must leave the old bytes or the new ones, and nothing else a user
// would have to clean up.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "base/writer_temp_names.h"
#include "model/dialogue.h"
#include "model/recovery/recovery_store.h"
#include "support/temp_dir.h"

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;

const std::string kCli = TW_BINARY_DIR "/src/cli/talkwright-cli";

// Starts a run; a quiet one writes its standard output nowhere.
pid_t Start(const std::vector<std::string>& args, bool quiet = false) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (quiet) {
            ::dup2(::open("/dev/null", O_WRONLY), STDOUT_FILENO);
        }
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(kCli.c_str()));
        for (const std::string& arg : args) {
            argv.push_back(const_cast<char*>(arg.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(kCli.c_str(), argv.data());
        ::_exit(127);
    }
    return pid;
}

// Runs to the end; the time it took.
std::chrono::microseconds RunToEnd(const std::vector<std::string>& args) {
    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    ::waitpid(Start(args), &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() -
                                                                 start);
}

// Removes the temporary names of writes from names; how many there were.
int EraseTempNames(std::set<std::string>& names) {
    return static_cast<int>(std::erase_if(
        names, [](const std::string& name) { return TempNameOwner(name).has_value(); }));
}

struct Tally {
    int killed = 0;  // runs that died of the signal, not those that had finished
    int keptOld = 0;
    int madeNew = 0;
    int leftTemp = 0;
};

// Kills runs of args writing out at random moments within one run's time. Before each
// run out holds oldBytes (the first run's leftovers aside); after it out must hold the
// old or the new bytes and the directory nothing but out.
Tally KillLoop(const TempDir& dir, const std::vector<std::string>& args, const std::string& out,
               const std::string& oldBytes, int runs) {
    const std::string newBytes = ReadBytes(out);
    const std::set<std::string> expected = test::NamesIn(dir.Path());
    // The quickest of three runs: a moment within it falls before the end of nearly every
    // run, however busy the machine was while one of them was timed.
    const auto full = std::min({RunToEnd(args), RunToEnd(args), RunToEnd(args)});
    std::mt19937 random(18);
    std::uniform_int_distribution<long> moment(0, full.count());
    Tally tally;
    for (int run = 0; run < runs; ++run) {
        test::WriteBytes(out, oldBytes);
        const pid_t pid = Start(args);
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        tally.killed += WIFSIGNALED(status) ? 1 : 0;
        const std::string now = ReadBytes(out);
        EXPECT_TRUE(now == oldBytes || now == newBytes)
            << "run " << run << " left " << now.size() << " bytes";
        tally.keptOld += now == oldBytes ? 1 : 0;
        tally.madeNew += now == newBytes ? 1 : 0;
        // Only a kill between naming the finished file and the rename can leave its
        // temporary name, which the next run removes (checked below).
        std::set<std::string> names = test::NamesIn(dir.Path());
        tally.leftTemp += EraseTempNames(names) > 0 ? 1 : 0;
        EXPECT_EQ(names, expected) << "run " << run << " left litter";
    }
    RunToEnd(args);
    EXPECT_EQ(test::NamesIn(dir.Path()), expected) << "a finished run left litter";
    return tally;
}

void Report(const char* what, const Tally& tally) {
    std::printf(
        "%s: %d runs killed, %d kept the old file, %d left the new one, %d a temporary name\n",
        what, tally.killed, tally.keptOld, tally.madeNew, tally.leftTemp);
}

TEST(KillLoop, GenerateConvertAndExportLeaveOldOrNewBytesAndNoLitter) {
    TempDir dir;
    const std::string vrx = dir / "out.vrx";
    RunToEnd({"generate", "--nodes", "10000", "--seed", "1", vrx});
    const std::string oldVrx = ReadBytes(vrx);
    const std::vector<std::string> generate{"generate", "--nodes", "10000", "--seed", "2", vrx};
    RunToEnd(generate);
    const Tally generated = KillLoop(dir, generate, vrx, oldVrx, 25);
    Report("generate", generated);

    const std::string json = dir / "in.json";
    RunToEnd({"generate", "--nodes", "10000", "--seed", "3", json});
    const std::vector<std::string> convert{"convert", json, vrx};
    RunToEnd(convert);
    const Tally converted = KillLoop(dir, convert, vrx, oldVrx, 25);
    Report("convert", converted);

    const std::string txt = dir / "out.txt";
    const std::vector<std::string> exporting{"export", vrx, txt};
    RunToEnd(exporting);
    const Tally exported = KillLoop(dir, exporting, txt, "old export\r\n", 25);
    Report("export", exported);

    EXPECT_GE(generated.killed + converted.killed + exported.killed, 50);
    // Kills at random moments must have hit both before and after the rename somewhere.
    EXPECT_GT(generated.keptOld + converted.keptOld + exported.keptOld, 0);
}

// Writers of one target once took each other's temporary file ("File exists").
TEST(ParallelRuns, ExportsAndBatchExportsIntoOneFileAllSucceed) {
    TempDir dir;
    std::filesystem::create_directories(dir.Path() / "src");
    std::filesystem::create_directories(dir.Path() / "batch");
    const std::string vrx = dir / "src/in.vrx";
    RunToEnd({"generate", "--nodes", "200", "--seed", "4", vrx});
    RunToEnd({"export", vrx, dir / "expected.txt"});
    std::vector<pid_t> runs;
    for (int i = 0; i < 100; ++i) {
        runs.push_back(Start({"export", vrx, dir / "out.txt"}));
        runs.push_back(Start({"batch-export", dir / "src", dir / "batch"}, true));
    }
    int failed = 0;
    for (const pid_t pid : runs) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        failed += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
    }
    EXPECT_EQ(failed, 0);
    const std::string expected = ReadBytes(dir / "expected.txt");
    EXPECT_EQ(ReadBytes(dir / "out.txt"), expected);
    EXPECT_EQ(ReadBytes(dir / "batch/in.txt"), expected);
    EXPECT_EQ(test::NamesIn(dir.Path()),
              (std::set<std::string>{"batch", "expected.txt", "out.txt", "src"}));
    EXPECT_EQ(test::NamesIn(dir.Path() / "batch"), std::set<std::string>{"in.txt"});
}

// The editor's copy writer, killed while it keeps a copy of a large dialogue up to date: the
// writer's own file is never touched, and the copy is whole (the one version or the other)
// or absent.
TEST(KillLoop, RecoveryCopyIsWholeOrAbsentAndTheOriginalUntouched) {
    TempDir dir;
    const std::string vrx = dir / "big.vrx";
    RunToEnd({"generate", "--nodes", "10000", "--seed", "5", vrx});
    const std::string original = ReadBytes(vrx);
    Dialogue dialogue;
    ASSERT_EQ(dialogue.Load(vrx), std::nullopt);
    std::string versions[2] = {dialogue.Write()};
    dialogue.Npc().name += "!";
    versions[1] = dialogue.Write();
    std::mt19937 random(28);
    std::uniform_int_distribution<int> moment(0, 40000);
    int killed = 0;
    int whole = 0;
    for (int run = 0; run < 40; ++run) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            auto* store = new RecoveryStore(dir / "recovery");  // dies with the process
            const std::uint64_t key = store->NewKey();
            for (std::size_t i = 0;; ++i) {
                store->WriteCopy(key, {vrx, "n", 1}, versions[i % 2]);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
        killed += WIFSIGNALED(status) ? 1 : 0;
        EXPECT_EQ(ReadBytes(vrx), original);
        RecoveryStore next(dir / "recovery");
        const RecoveryListing left = next.ListLeftCopies();
        for (const RecoveryCopy& copy : left.copies) {
            const std::string bytes = ReadBytes(copy.dialoguePath);
            EXPECT_TRUE(bytes == versions[0] || bytes == versions[1]) << "run " << run;
            whole += 1;
            EXPECT_EQ(next.Remove(copy.id), std::nullopt);
        }
        // A kill between the copy and its record leaves a copy without one: skipped, removable.
        for (const SkippedRecoveryCopy& skipped : left.skipped) {
            EXPECT_EQ(next.Remove(skipped.id), std::nullopt);
        }
    }
    std::printf("recovery copies: %d writers killed, %d whole copies left\n", killed, whole);
    EXPECT_EQ(killed, 40);
}

}  // namespace
}  // namespace tw
