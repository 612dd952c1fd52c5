// The command line around the sub-commands: the general help against the README, and the
// version (each command's own help is in the command session data/commands/help.txt).

#include "cli/cli_main.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli_test_support.h"
#include "support/readme_usages.h"
#include "talkwright_version.h"

namespace tw::cli {
namespace {

using test::Outcome;

Outcome RunWith(std::vector<std::string_view> args) {
    return test::RunCommand(
        [](const Invocation& call) { return RunCliMain(call.args, call.in, call.out, call.err); },
        args);
}

// The "  talkwright-cli USAGE" lines of a help text.
std::set<std::string> ListedUsages(const std::string& help) {
    std::istringstream lines(help);
    const std::string prefix = "  talkwright-cli ";
    std::set<std::string> usages;
    for (std::string line; std::getline(lines, line);) {
        if (line.starts_with(prefix)) {
            usages.insert(line.substr(prefix.size()));
        }
    }
    return usages;
}

TEST(CliMainTest, HelpListsTheCommandsTheReadmeDocumentsAndVersionTheRelease) {
    for (std::string_view option : {"--help", "-h", "help"}) {
        const Outcome run = RunWith({option});
        EXPECT_EQ(run.status, kExitOk) << option;
        EXPECT_EQ(run.err, "") << option;
        EXPECT_TRUE(run.out.starts_with("usage: talkwright-cli COMMAND [ARGS...]\n")) << option;
        EXPECT_EQ(ListedUsages(run.out), tw::test::ReadmeUsages()) << option;
    }
    const Outcome version = RunWith({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_EQ(version.err, "");
    EXPECT_EQ(version.out, "talkwright-cli " + std::string(kTalkwrightVersion) + "\n");
    EXPECT_NE(kTalkwrightVersion.find('.'), std::string_view::npos);
}

}  // namespace
}  // namespace tw::cli
