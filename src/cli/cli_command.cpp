#include "cli/cli_command.h"

#include <array>
#include <ostream>

#include "cli/command_entry_points.h"

namespace tw::cli {
namespace {

constexpr std::array kCommands{
    CliCommand{"batch-export", "batch-export SRC_DIR DEST_DIR", "", RunBatchExportCommand},
    CliCommand{"check", "check FILE...", "", RunCheckCommand},
    CliCommand{"convert", "convert IN OUT", "OUT: *.vrx, *.json or -", RunConvertCommand},
    CliCommand{"explore",
               "explore FILE [--start NODE] [--state FILE] [--seed N]... [--reply TEXT]... "
               "[--max-states N] [--format text|json]",
               "", RunExploreCommand},
    CliCommand{"export", "export IN [OUT]", "", RunExportCommand},
    CliCommand{"generate", "generate --nodes N [--seed S] OUT.vrx", "", RunGenerateCommand},
    CliCommand{"graph", "graph FILE [--format json|dot|svg] [--node NAME] [--hops K] [OUT]", "",
               RunGraphCommand},
    CliCommand{"lint", "lint [--format text|json] [--disable RULE]... FILE...", "", RunLintCommand},
    CliCommand{
        "play",
        "play FILE [--start NODE] [--state STATE] [--seed N] [--input SCRIPT] [--transcript OUT]",
        "", RunPlayCommand},
    CliCommand{"script", "script [--expressions] [--state FILE] [FILE|-]", "", RunScriptCommand},
    CliCommand{"test", "test DIR|FILE... [--update]", "", RunTestCommand},
};

}  // namespace

std::span<const CliCommand> CliCommands() {
    return kCommands;
}

const CliCommand* FindCliCommand(std::string_view name) {
    for (const CliCommand& command : kCommands) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

int PrintCommandUsage(std::ostream& out, std::string_view name) {
    const CliCommand* command = FindCliCommand(name);
    if (command == nullptr) {
        return kExitUsage;
    }
    out << "usage: talkwright-cli " << command->usage;
    if (!command->hint.empty()) {
        out << "   (" << command->hint << ')';
    }
    out << '\n';
    return kExitUsage;
}

}  // namespace tw::cli
