#pragma once

#include "cli/cli_command.h"

namespace tw::cli {

// Runs a sub-command and holds it to an honest exit status: when its standard output could
// not be written (a full disk, /dev/full) or memory ran out, it says so on the error stream
// and the status is 1, never 0.
int RunChecked(const CliCommand& command, const Invocation& invocation);

// Flushes out; false (with the message on err) when anything written to it was lost.
bool CheckOutput(std::string_view command, const Invocation& invocation);

}  // namespace tw::cli
