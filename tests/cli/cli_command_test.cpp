// The command table against the README: each command's heading there is its usage line.

#include "cli/cli_command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace tw::cli {
namespace {

// The usage lines of the README's "### `talkwright-cli ...`" headings.
std::set<std::string> ReadmeUsages() {
    std::ifstream in(std::string(TW_SOURCE_DIR) + "/README.md");
    const std::string prefix = "### `talkwright-cli ";
    std::set<std::string> usages;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(prefix) && line.ends_with("`")) {
            usages.insert(line.substr(prefix.size(), line.size() - prefix.size() - 1));
        }
    }
    return usages;
}

TEST(CliCommandTest, TheReadmeDocumentsEveryCommandByItsUsage) {
    std::set<std::string> table;
    for (const CliCommand& command : CliCommands()) {
        table.insert(std::string(command.usage));
        EXPECT_TRUE(command.usage.starts_with(command.name)) << command.name;
    }
    EXPECT_EQ(ReadmeUsages(), table);
}

TEST(CliCommandTest, UsageErrorsComeFromTheTable) {
    std::ostringstream out;
    EXPECT_EQ(PrintCommandUsage(out, "convert"), kExitUsage);
    EXPECT_EQ(PrintCommandUsage(out, "check"), kExitUsage);
    EXPECT_EQ(out.str(),
              "usage: talkwright-cli convert IN OUT   (OUT: *.vrx, *.json or -)\n"
              "usage: talkwright-cli check FILE...\n");
    EXPECT_EQ(FindCliCommand("frobnicate"), nullptr);
    ASSERT_NE(FindCliCommand("play"), nullptr);
    EXPECT_EQ(FindCliCommand("play")->name, "play");
}

}  // namespace
}  // namespace tw::cli
