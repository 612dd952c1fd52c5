#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <vector>

#include "base/file_write.h"
#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "generator/dialogue_generator.h"
#include "model/command_kinds.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "model/file.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

using test::Outcome;
using tw::test::ReadBytes;

// Owns its arguments, so callers may pass temporaries such as Path(...).
Outcome Convert(const std::vector<std::string>& args) {
    return test::RunCommand(RunConvertCommand,
                            std::vector<std::string_view>(args.begin(), args.end()));
}

class ConvertCommand : public testing::Test {
protected:
    void SetUp() override {
        dir = fs::path(TW_BINARY_DIR) / "convert_test" /
              testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        Dialogue dialogue;
        dialogue.Npc().name = "Inn\xE9";
        dialogue.AddNode(1, 0, "Greet", "")->AppendCommand(std::make_unique<CommandReply>("$r"));
        vrx = (dir / "in.vrx").string();
        std::ofstream(vrx, std::ios::binary) << dialogue.Write();
    }
    std::string Path(const char* name) const { return (dir / name).string(); }

    fs::path dir;
    std::string vrx;
};

TEST_F(ConvertCommand, VrxToJsonAndBackIsByteForByte) {
    const std::string json = Path("out.JSON");
    ASSERT_EQ(Convert({vrx, json}).status, kExitOk);
    EXPECT_NE(ReadBytes(json).find("\"name\": \"Inn\xC3\xA9\""), std::string::npos);
    const std::string back = Path("back.vrx");
    const Outcome run = Convert({json, back});
    EXPECT_EQ(run.status, kExitOk) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ReadBytes(back), ReadBytes(vrx));
}

// The JSON goes to the file in blocks as it is made; a text of many blocks must come out
// whole, the same as on standard output, and a failed write must leave the old file.
TEST_F(ConvertCommand, LargeJsonIsWrittenWholeOrNotAtAll) {
    GeneratorOptions options;
    options.nodes = 3000;
    const std::unique_ptr<Dialogue> big = GenerateDialogue(options);
    const std::string in = Path("big.vrx");
    std::ofstream(in, std::ios::binary) << big->Write();
    const std::string expected = DialogueToJson(*big);
    ASSERT_GT(expected.size(), 1u << 20);
    const std::string json = Path("big.json");
    ASSERT_EQ(Convert({in, json}).status, kExitOk);
    EXPECT_TRUE(ReadBytes(json) == expected);
    EXPECT_TRUE(Convert({in, "-"}).out == expected);

    std::ofstream(json, std::ios::binary) << "the old file";
    const WriteCall previous = SetWriteCallForTesting(
        [](int, const void*, std::size_t) -> ssize_t { return errno = ENOSPC, -1; });
    const Outcome failed = Convert({in, json});
    SetWriteCallForTesting(previous);
    EXPECT_EQ(failed.status, kExitFailure);
    EXPECT_NE(failed.err.find("No space left on device"), std::string::npos) << failed.err;
    EXPECT_EQ(ReadBytes(json), "the old file");
}

TEST_F(ConvertCommand, DashWritesJsonToStandardOutput) {
    const Outcome run = Convert({vrx, "-"});
    EXPECT_EQ(run.status, kExitOk);
    Dialogue dialogue;
    ASSERT_FALSE(DialogueFromJson(run.out, dialogue).has_value());
    EXPECT_EQ(dialogue.FindNodeByName("greet")->Commands()[0]->GetText(), "reply $r");
}

TEST_F(ConvertCommand, UpgradesOldFilesToTheCurrentVersion) {
    std::string old = ReadBytes(vrx);
    // Version 101: the same records without their markers.
    old[4] = 101;
    std::string unmarked;
    for (char c : old) {
        if (c != '\xEE') {
            unmarked.push_back(c);
        }
    }
    std::ofstream(Path("old.vrx"), std::ios::binary) << unmarked;
    ASSERT_EQ(Convert({Path("old.vrx"), Path("new.vrx")}).status, kExitOk);
    EXPECT_EQ(ReadBytes(Path("new.vrx")), ReadBytes(vrx));
}

TEST_F(ConvertCommand, FailuresNameTheFileAndLeaveOutputAlone) {
    std::ofstream(Path("bad.json")) << R"({"format": "talkwright-dialogue", "nodes": [{}]})";
    std::ofstream(Path("junk.vrx")) << "junk";
    std::ofstream(Path("keep.vrx")) << "old";
    const struct {
        std::string in;
        std::string err;
    } cases[] = {
        {Path("none.vrx"), Path("none.vrx") + ": Unable to open file"},
        {Path("junk.vrx"), Path("junk.vrx") + ": This is not a valid VRX file."},
        {Path("bad.json"),
         Path("bad.json") + ": not a dialogue: nodes[0].depth: the first node must have depth 0"},
    };
    for (const auto& c : cases) {
        const Outcome run = Convert({c.in, Path("keep.vrx")});
        EXPECT_EQ(run.status, kExitFailure);
        EXPECT_EQ(run.err, "talkwright-cli convert: " + c.err + "\n");
    }
    EXPECT_EQ(ReadBytes(Path("keep.vrx")), "old");
    const std::string unwritable = Path("no/such/dir.vrx");
    const Outcome run = Convert({vrx, unwritable});
    EXPECT_EQ(run.status, kExitFailure);
    EXPECT_EQ(run.err, "talkwright-cli convert: Unable to create file " + unwritable +
                           " (No such file or directory).\n");
}

}  // namespace
}  // namespace tw::cli
