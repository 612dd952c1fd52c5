#include <gtest/gtest.h>

#include <string>

#include "cli/command_entry_points.h"
#include "cli_test_support.h"

namespace tw::cli {
namespace {

using test::Outcome;
using test::RunCommand;

// The rest of the command's behaviour is in the command session data/commands/graph.txt.
const std::string kLinks = TW_SOURCE_DIR "/tests/cli/data/graph/links.json";

TEST(GraphCommand, SvgDrawsEveryBoxAndLink) {
    const Outcome outcome = RunCommand(RunGraphCommand, {kLinks, "--format", "svg"});
    ASSERT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(outcome.out.starts_with("<?xml")) << outcome.out.substr(0, 200);
    const auto count = [&outcome](const std::string& what) {
        std::size_t found = 0;
        for (auto at = outcome.out.find(what); at != std::string::npos;
             at = outcome.out.find(what, at + 1)) {
            ++found;
        }
        return found;
    };
    EXPECT_EQ(count("<g id=\"n"), 8U);  // seven nodes and the ghost of the missing name
    EXPECT_EQ(count("<g id=\"e"), 15U);
}

}  // namespace
}  // namespace tw::cli
