// talkwright-cli: the headless front end of Talkwright. Each sub-command lives in a
// file of its own and is listed in the command table (cli_command.cpp).

#include <iostream>
#include <string_view>
#include <vector>

#include "cli/checked_run.h"
#include "cli/cli_command.h"

namespace tw::cli {
namespace {

int PrintUsage(std::ostream& out) {
    out << "usage: talkwright-cli COMMAND [ARGS...]\n\ncommands:\n";
    for (const CliCommand& command : CliCommands()) {
        out << "  talkwright-cli " << command.usage << '\n';
    }
    return kExitUsage;
}

}  // namespace
}  // namespace tw::cli

int main(int argc, char** argv) {
    using namespace tw::cli;
    std::ios::sync_with_stdio(false);
    if (argc < 2) {
        return PrintUsage(std::cerr);
    }
    const std::string_view name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        PrintUsage(std::cout);
        return CheckOutput("", Invocation{{}, std::cin, std::cout, std::cerr}) ? kExitOk
                                                                               : kExitFailure;
    }
    std::vector<std::string_view> args(argv + 2, argv + argc);
    if (const CliCommand* command = FindCliCommand(name)) {
        return RunChecked(*command, Invocation{args, std::cin, std::cout, std::cerr});
    }
    std::cerr << "talkwright-cli: unknown command '" << name << "'\n";
    return PrintUsage(std::cerr);
}
