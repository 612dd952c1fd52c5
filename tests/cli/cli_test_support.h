#pragma once

// Runs talkwright-cli sub-commands in-process with string streams.

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_command.h"

namespace tw::cli::test {

struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
};

inline Outcome RunCommand(int (*command)(const Invocation&), std::vector<std::string_view> args,
                          const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.status = command(Invocation{args, in, out, err});
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
}

}  // namespace tw::cli::test
