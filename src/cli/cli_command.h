#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace tw::cli {

// What a sub-command sees: its own arguments (the command name removed) and the
// three standard streams, so tests can run commands without a process.
struct Invocation {
    std::span<const std::string_view> args;
    std::istream& in;
    std::ostream& out;
    std::ostream& err;
};

// Exit statuses shared by every sub-command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

struct CliCommand {
    std::string_view name;
    std::string_view usage;  // one line, after "talkwright-cli "
    int (*run)(const Invocation&);
};

}  // namespace tw::cli
