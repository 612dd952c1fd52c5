// The command table against the README: each command's heading there is its usage line.

#include "cli/cli_command.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "support/readme_usages.h"

namespace tw::cli {
namespace {

TEST(CliCommandTest, TheReadmeDocumentsEveryCommandByItsUsage) {
    std::set<std::string> table;
    for (const CliCommand& command : CliCommands()) {
        table.insert(std::string(command.usage));
        EXPECT_TRUE(command.usage.starts_with(command.name)) << command.name;
    }
    EXPECT_EQ(test::ReadmeUsages(), table);
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
