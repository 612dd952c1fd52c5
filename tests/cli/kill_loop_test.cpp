// Kills talkwright-cli with SIGKILL at random moments while it writes over an existing
// file: every run must leave the old bytes or the new ones, and nothing else a user
// would have to clean up.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

namespace tw {
namespace {

using test::ReadBytes;
using test::TempDir;

const std::string kCli = TW_BINARY_DIR "/src/cli/talkwright-cli";

pid_t Start(const std::vector<std::string>& args) {
    const pid_t pid = ::fork();
    if (pid == 0) {
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

std::set<std::string> Names(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::string HiddenName(const std::string& out) {
    return "." + std::filesystem::path(out).filename().string() + ".talkwright-tmp";
}

struct Tally {
    int killed = 0;  // runs that died of the signal, not those that had finished
    int keptOld = 0;
    int madeNew = 0;
    int leftHidden = 0;
};

// Kills runs of args writing out at random moments within one run's time. Before each
// run out holds oldBytes (the first run's leftovers aside); after it out must hold the
// old or the new bytes and the directory nothing but out.
Tally KillLoop(const TempDir& dir, const std::vector<std::string>& args, const std::string& out,
               const std::string& oldBytes, int runs) {
    const std::string newBytes = ReadBytes(out);
    const std::set<std::string> expected = Names(dir.Path());
    const auto full = RunToEnd(args);
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
        // Only a kill between naming the finished file and the rename can leave the
        // hidden name, which the next save removes (checked below).
        std::set<std::string> names = Names(dir.Path());
        tally.leftHidden += names.erase(HiddenName(out)) > 0 ? 1 : 0;
        EXPECT_EQ(names, expected) << "run " << run << " left litter";
    }
    RunToEnd(args);
    EXPECT_EQ(Names(dir.Path()), expected) << "a finished run left litter";
    return tally;
}

void Report(const char* what, const Tally& tally) {
    std::printf(
        "%s: %d runs killed, %d kept the old file, %d left the new one, %d the hidden name\n", what,
        tally.killed, tally.keptOld, tally.madeNew, tally.leftHidden);
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

}  // namespace
}  // namespace tw
