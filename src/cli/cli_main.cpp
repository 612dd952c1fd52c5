#include "cli/cli_main.h"

#include <algorithm>
#include <ostream>

#include "cli/checked_run.h"
#include "cli/cli_command.h"
#include "talkwright_version.h"

namespace tw::cli {
namespace {

bool IsHelpOption(std::string_view arg) {
    return arg == "--help" || arg == "-h";
}

// Help text goes to standard output, so its writing is checked like any command's output.
int FinishHelp(const Invocation& invocation) {
    return CheckOutput("", invocation) ? kExitOk : kExitFailure;
}

int PrintCommandHelp(std::string_view name, const Invocation& invocation) {
    if (FindCliCommand(name) == nullptr) {
        invocation.err << "talkwright-cli: unknown command '" << name << "'\n";
        PrintCliUsage(invocation.err);
        return kExitUsage;
    }
    PrintCommandUsage(invocation.out, name);
    return FinishHelp(invocation);
}

int RunGeneralOption(std::string_view option, const Invocation& invocation) {
    if (option == "--version") {
        invocation.out << "talkwright-cli " << kTalkwrightVersion << '\n';
    } else {
        PrintCliUsage(invocation.out);
    }
    return FinishHelp(invocation);
}

}  // namespace

void PrintCliUsage(std::ostream& out) {
    out << "usage: talkwright-cli COMMAND [ARGS...]\n"
           "       talkwright-cli help COMMAND | COMMAND --help | --help | --version\n\n"
           "commands:\n";
    for (const CliCommand& command : CliCommands()) {
        out << "  talkwright-cli " << command.usage << '\n';
    }
}

int RunCliMain(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    const Invocation plain{{}, in, out, err};
    if (args.empty()) {
        PrintCliUsage(err);
        return kExitUsage;
    }
    const std::string_view name = args.front();
    if (name == "help" && args.size() > 2) {
        err << "usage: talkwright-cli help COMMAND\n";
        return kExitUsage;
    }
    if (name == "help" && args.size() == 2) {
        return PrintCommandHelp(args[1], plain);
    }
    if (name == "help" || name == "--version" || IsHelpOption(name)) {
        return RunGeneralOption(name, plain);
    }
    const CliCommand* command = FindCliCommand(name);
    if (command == nullptr) {
        err << "talkwright-cli: unknown command '" << name << "'\n";
        PrintCliUsage(err);
        return kExitUsage;
    }
    const std::span<const std::string_view> rest = args.subspan(1);
    if (std::ranges::any_of(rest, IsHelpOption)) {
        return PrintCommandHelp(name, plain);
    }
    return RunChecked(*command, Invocation{rest, in, out, err});
}

}  // namespace tw::cli
