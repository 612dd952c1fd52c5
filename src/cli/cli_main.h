#pragma once

#include <iosfwd>
#include <span>
#include <string_view>

namespace tw::cli {

// The whole command line after the program name: the general help and version, help for one
// command (`help COMMAND`, `COMMAND --help`), or the command itself. Answers the exit status.
int RunCliMain(std::span<const std::string_view> args, std::istream& in, std::ostream& out,
               std::ostream& err);

// The list of every command's usage, as --help prints it.
void PrintCliUsage(std::ostream& out);

}  // namespace tw::cli
