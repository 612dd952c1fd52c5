#pragma once

#include "cli/cli_command.h"

namespace tw::cli {

// talkwright-cli script [--expressions] [--state FILE] [FILE|-]
int RunScriptCommand(const Invocation& invocation);

}  // namespace tw::cli
