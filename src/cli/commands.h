#pragma once

// Entry points of the talkwright-cli sub-commands, one file each.

#include "cli/cli_command.h"

namespace tw::cli {

// convert IN OUT: a dialogue file or its JSON form to either form.
int RunConvertCommand(const Invocation& invocation);

// talkwright-cli script [--expressions] [--state FILE] [FILE|-]
int RunScriptCommand(const Invocation& invocation);

}  // namespace tw::cli
