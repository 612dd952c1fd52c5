#pragma once

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string_view>

#include "base/input_limits.h"

namespace tw::cli {

// How much a sub-command reads at most; tests make them small.
struct InputLimits {
    std::uint64_t dialogueBytes = kMaxDialogueFileBytes;
    std::uint64_t stateFileBytes = kMaxStateFileBytes;
    std::uint64_t lineBytes = kMaxInputLineBytes;
};

// What a sub-command sees: its own arguments (the command name removed), the three
// standard streams and the input limits, so tests can run commands without a process.
struct Invocation {
    std::span<const std::string_view> args;
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
    InputLimits limits = {};
};

// Exit statuses shared by every sub-command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// One sub-command: the table of these is the one place its name and usage are written;
// --help, the command's own usage errors and the README's check all read it.
struct CliCommand {
    std::string_view name;
    std::string_view usage;  // one line, after "talkwright-cli "
    std::string_view hint;   // said after the usage line in a usage error, when not empty
    int (*run)(const Invocation&);
};

// Every sub-command, in name order.
std::span<const CliCommand> CliCommands();
// The sub-command of that name, or nullptr.
const CliCommand* FindCliCommand(std::string_view name);
// "usage: talkwright-cli USAGE" and the hint, for the named command; answers kExitUsage.
int PrintCommandUsage(std::ostream& out, std::string_view name);

}  // namespace tw::cli
