#include "cli/checked_run.h"

#include <new>
#include <ostream>
#include <string>

namespace tw::cli {
namespace {

std::string Prefix(std::string_view command) {
    return command.empty() ? "talkwright-cli: " : "talkwright-cli " + std::string(command) + ": ";
}

}  // namespace

bool CheckOutput(std::string_view command, const Invocation& invocation) {
    if (invocation.out.flush()) {
        return true;
    }
    invocation.err << Prefix(command) << "Unable to write standard output\n";
    return false;
}

int RunChecked(const CliCommand& command, const Invocation& invocation) {
    int status = kExitFailure;
    try {
        status = command.run(invocation);
    } catch (const std::bad_alloc&) {
        invocation.err << Prefix(command.name) << "out of memory\n";
        status = kExitFailure;
    }
    if (!CheckOutput(command.name, invocation) && status == kExitOk) {
        status = kExitFailure;
    }
    return status;
}

}  // namespace tw::cli
