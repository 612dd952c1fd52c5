// check FILE...: compiles every command and response condition of each dialogue file, so a
// build can stop a broken dialogue from shipping.

#include <ostream>
#include <string>

#include "cli/command_entry_points.h"
#include "cli/shown_path.h"
#include "model/dialogue.h"
#include "model/dialogue_compile.h"

namespace tw::cli {
namespace {

// True when the file loaded and compiled without a message.
bool CheckFile(const std::string& path, const Invocation& invocation) {
    Dialogue dialogue;
    if (auto error = dialogue.Load(path, invocation.limits.dialogueBytes)) {
        invocation.err << ShownPath(path) << ": " << *error << '\n';
        return false;
    }
    const std::vector<std::string> messages = CompileDialogue(dialogue);
    for (const std::string& message : messages) {
        invocation.out << ShownPath(path) << ": " << message << '\n';
    }
    return messages.empty();
}

}  // namespace

int RunCheckCommand(const Invocation& invocation) {
    if (invocation.args.empty()) {
        return PrintCommandUsage(invocation.err, "check");
    }
    bool clean = true;
    for (std::string_view path : invocation.args) {
        clean = CheckFile(std::string(path), invocation) && clean;
    }
    return clean ? kExitOk : kExitFailure;
}

}  // namespace tw::cli
