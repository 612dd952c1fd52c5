#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

using test::Outcome;

// Plays the innkeeper sample from input scripts written to a scratch directory.
class PlaySteps : public testing::Test {
protected:
    void SetUp() override {
        previous = fs::current_path();
        fs::current_path(TW_SOURCE_DIR);
        scratch = fs::path(TW_BINARY_DIR) / "play_steps_test" /
                  testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(scratch);
        fs::create_directories(scratch);
    }
    void TearDown() override { fs::current_path(previous); }

    std::string PlayScript(const std::string& name, const std::string& lines,
                           std::vector<std::string> extra = {}) {
        const std::string input = (scratch / name).string();
        std::ofstream(input, std::ios::binary) << lines;
        std::vector<std::string> args{"samples/innkeeper.vrx",
                                      "--seed",
                                      "1",
                                      "--state",
                                      "tests/cli/data/innkeeper.state.txt",
                                      "--input",
                                      input};
        args.insert(args.end(), extra.begin(), extra.end());
        const Outcome outcome = Play(args);
        EXPECT_EQ(outcome.status, kExitOk);
        EXPECT_EQ(outcome.err, "");
        return outcome.out;
    }
    Outcome Play(const std::vector<std::string>& args) {
        return test::RunCommand(RunPlayCommand,
                                std::vector<std::string_view>(args.begin(), args.end()), "");
    }

    fs::path previous;
    fs::path scratch;
};

// The screen printed after the last command of a transcript.
std::string LastScreen(const std::string& out) {
    const std::size_t prompt = out.rfind("\n> ");
    return out.substr(out.find('\n', prompt + 1) + 1);
}

TEST_F(PlaySteps, ARunGoesOnAfterBackAsIfTheUndoneChoicesWereNeverMade) {
    const std::string before = "2\nsay Ysolde\n1\n1\n1\n";
    const std::string detour = "say Zebulon\n2\n1\n";
    const std::string after = "say Ysolde\n2\n1\n1\nsay Ysolde\nshow\n3\nenv\nhistory\n";
    const std::string head = PlayScript("head.txt", before);
    const std::string straight = PlayScript("straight.txt", before + after);
    const std::string stepped = PlayScript(
        "stepped.txt", before + detour + "back\nback 5\n# the reply undone too\n" + after);
    ASSERT_EQ(straight.compare(0, head.size(), head), 0);
    ASSERT_EQ(stepped.compare(0, head.size(), head), 0);
    const std::string rest = straight.substr(head.size());
    ASSERT_GE(stepped.size(), head.size() + rest.size());
    EXPECT_EQ(stepped.substr(stepped.size() - rest.size()), rest);
    // The second back puts the screen that followed the head back exactly.
    const std::string middle =
        stepped.substr(head.size(), stepped.size() - rest.size() - head.size());
    const std::string backAgain = "> back 5\n" + LastScreen(head) + "> # the reply undone too\n";
    ASSERT_GE(middle.size(), backAgain.size());
    EXPECT_EQ(middle.substr(middle.size() - backAgain.size()), backAgain);
    EXPECT_NE(middle.find("Zebulon"), std::string::npos);
    EXPECT_NE(rest.find("History:\n  1. "), std::string::npos);
    EXPECT_EQ(rest.find("Zebulon"), std::string::npos);
}

TEST_F(PlaySteps, BackWithoutHistoryOrWithABadEntryIsANote) {
    const std::string out =
        PlayScript("notes.txt", "back\nhistory\nsay Ysolde\nback 7\nback x\nhistory\n");
    EXPECT_NE(out.find("> back\n(nothing to step back over)\n"), std::string::npos);
    EXPECT_NE(out.find("> history\nHistory: (none)\n"), std::string::npos);
    EXPECT_NE(out.find("(no history entry numbered 7)"), std::string::npos);
    EXPECT_NE(out.find("(no history entry numbered x)"), std::string::npos);
    EXPECT_NE(out.find("History:\n  1. "), std::string::npos);
}

TEST_F(PlaySteps, StartEntersTheNamedNodeAfterTheInitializationCommandsSilently) {
    Dialogue dialogue;
    dialogue.Root().SetName("Opening");
    dialogue.Root().SetText("Never shown.");
    dialogue.Root().AppendCommand(std::make_unique<CommandManual>("$gold = 7"));
    DialogueNode& shop = dialogue.AppendNode(dialogue.Root(), 1, "Shop");
    shop.SetText("You have $gold gold.");
    const std::string path = (scratch / "shop.vrx").string();
    ASSERT_EQ(dialogue.SaveAs(path), std::nullopt);
    const Outcome outcome = Play({path, "--seed", "1", "--start", "shop"});
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_NE(outcome.out.find("== Shop ==\n  You have 7 gold."), std::string::npos);
    EXPECT_EQ(outcome.out.find("Opening"), std::string::npos);
    EXPECT_EQ(outcome.out.find("Never shown"), std::string::npos);
    const Outcome missing = Play({path, "--start", "Cellar"});
    EXPECT_EQ(missing.status, kExitFailure);
    EXPECT_EQ(missing.err, "talkwright-cli play: " + path + ": no node named 'Cellar'\n");
    EXPECT_EQ(missing.out, "");
}

}  // namespace
}  // namespace tw::cli
