// The rest of convert is in the command session data/commands/convert_generate.txt.

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>

#include "base/file_write.h"
#include "cli/command_entry_points.h"
#include "cli_test_support.h"
#include "generator/dialogue_generator.h"
#include "model/dialogue.h"
#include "model/dialogue_json.h"
#include "support/temp_dir.h"

namespace tw::cli {
namespace {

using test::Outcome;
using tw::test::ReadBytes;

// The JSON goes to the file in blocks as it is made; a text of many blocks must come out
// whole, the same as on standard output, and a failed write must leave the old file.
TEST(ConvertCommand, LargeJsonIsWrittenWholeOrNotAtAll) {
    const tw::test::TempDir dir;
    GeneratorOptions options;
    options.nodes = 3000;
    const std::unique_ptr<Dialogue> big = GenerateDialogue(options);
    const std::string in = dir / "big.vrx";
    std::ofstream(in, std::ios::binary) << big->Write();
    const std::string expected = DialogueToJson(*big);
    ASSERT_GT(expected.size(), 1u << 20);
    const std::string json = dir / "big.json";
    ASSERT_EQ(test::RunCommand(RunConvertCommand, {in, json}).status, kExitOk);
    EXPECT_TRUE(ReadBytes(json) == expected);
    EXPECT_TRUE(test::RunCommand(RunConvertCommand, {in, "-"}).out == expected);

    std::ofstream(json, std::ios::binary) << "the old file";
    const WriteCall previous = SetWriteCallForTesting(
        [](int, const void*, std::size_t) -> ssize_t { return errno = ENOSPC, -1; });
    const Outcome failed = test::RunCommand(RunConvertCommand, {in, json});
    SetWriteCallForTesting(previous);
    EXPECT_EQ(failed.status, kExitFailure);
    EXPECT_NE(failed.err.find("No space left on device"), std::string::npos) << failed.err;
    EXPECT_EQ(ReadBytes(json), "the old file");
}

}  // namespace
}  // namespace tw::cli
