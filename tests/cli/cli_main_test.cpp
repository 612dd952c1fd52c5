// The command line around the sub-commands: the general help against the README, and the
// version (each command's own help is in the command session data/commands/help.txt).

#include "cli/cli_main.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "cli_test_support.h"
#include "talkwright_version.h"

namespace tw::cli {
namespace {

using test::Outcome;

Outcome RunWith(std::vector<std::string_view> args) {
    return test::RunCommand(
        [](const Invocation& call) { return RunCliMain(call.args, call.in, call.out, call.err); },
        args);
}

// What stands between prefix and suffix on each line that has both: the usage lines of a
// help text, or of the README's "### `talkwright-cli ...`" headings.
std::set<std::string> LinesBetween(std::istream& lines, const std::string& prefix,
                                   const std::string& suffix) {
    std::set<std::string> found;
    for (std::string line; std::getline(lines, line);) {
        if (line.size() >= prefix.size() + suffix.size() && line.starts_with(prefix) &&
            line.ends_with(suffix)) {
            found.insert(line.substr(prefix.size(), line.size() - prefix.size() - suffix.size()));
        }
    }
    return found;
}

TEST(CliMainTest, HelpListsTheCommandsTheReadmeDocumentsAndVersionTheRelease) {
    std::ifstream readme(TW_SOURCE_DIR "/README.md");
    const std::set<std::string> documented = LinesBetween(readme, "### `talkwright-cli ", "`");
    for (std::string_view option : {"--help", "-h", "help"}) {
        const Outcome run = RunWith({option});
        EXPECT_EQ(run.status, kExitOk) << option;
        EXPECT_EQ(run.err, "") << option;
        EXPECT_TRUE(run.out.starts_with("usage: talkwright-cli COMMAND [ARGS...]\n")) << option;
        std::istringstream help(run.out);
        EXPECT_EQ(LinesBetween(help, "  talkwright-cli ", ""), documented) << option;
    }
    const Outcome version = RunWith({"--version"});
    EXPECT_EQ(version.status, kExitOk);
    EXPECT_EQ(version.err, "");
    EXPECT_EQ(version.out, "talkwright-cli " + std::string(kTalkwrightVersion) + "\n");
    EXPECT_NE(kTalkwrightVersion.find('.'), std::string_view::npos);
}

}  // namespace
}  // namespace tw::cli
