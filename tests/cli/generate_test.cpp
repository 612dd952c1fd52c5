#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "generator/dialogue_generator.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

using test::RunCommand;
using tw::test::ReadBytes;

class GenerateCommand : public ::testing::Test {
protected:
    GenerateCommand() {
        dir_ = std::filesystem::temp_directory_path() /
               (std::string("tw_generate_") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    ~GenerateCommand() override { std::filesystem::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

private:
    std::filesystem::path dir_;
};

TEST_F(GenerateCommand, WritesTheGeneratedDialogueForTheSeed) {
    const std::string out = Path("big.vrx");
    const auto outcome = RunCommand(RunGenerateCommand, {"--nodes", "250", "--seed", "42", out});
    ASSERT_EQ(outcome.status, kExitOk) << outcome.err;
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(ReadBytes(out), GenerateDialogue({.nodes = 250, .seed = 42})->Write());
    Dialogue loaded;
    EXPECT_EQ(loaded.Load(out), std::nullopt);
}

TEST_F(GenerateCommand, SeedDefaultsToOneAndJsonNamesTheJsonForm) {
    const std::string out = Path("small.json");
    ASSERT_EQ(RunCommand(RunGenerateCommand, {out, "--nodes", "30"}).status, kExitOk);
    EXPECT_EQ(ReadBytes(out), DialogueToJson(*GenerateDialogue({.nodes = 30, .seed = 1})));
}

TEST_F(GenerateCommand, AnUnwritableOutputFails) {
    const auto outcome =
        RunCommand(RunGenerateCommand, {"--nodes", "3", Path("missing/dir/out.vrx")});
    EXPECT_EQ(outcome.status, kExitFailure);
    EXPECT_NE(outcome.err.find("talkwright-cli generate: "), std::string::npos) << outcome.err;
}

}  // namespace
}  // namespace tw::cli
