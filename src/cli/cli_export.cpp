// export IN [OUT]: writes the conversation script of one dialogue file.

#include <filesystem>
#include <ostream>
#include <string>

#include "cli/command_entry_points.h"
#include "cli/export_messages.h"
#include "export/dialogue_export.h"
#include "model/dialogue.h"

namespace tw::cli {
namespace {

// IN with the extension of its file name replaced by ".txt", or ".txt" added when it has none.
std::string DefaultOutputPath(const std::string& in) {
    std::filesystem::path out(in);
    const std::string name = out.filename().string();
    const std::size_t dot = name.rfind('.');
    out.replace_filename((dot == std::string::npos ? name : name.substr(0, dot)) + ".txt");
    return out.string();
}

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

int RunExportCommand(const Invocation& invocation) {
    if (invocation.args.empty() || invocation.args.size() > 2) {
        return PrintCommandUsage(invocation.err, "export");
    }
    const std::string in(invocation.args[0]);
    const std::string out =
        invocation.args.size() == 2 ? std::string(invocation.args[1]) : DefaultOutputPath(in);
    Dialogue dialogue;
    if (auto error = dialogue.Load(in, invocation.limits.dialogueBytes)) {
        invocation.err << ShownPath(in) << ": " << *error << '\n';
        return kExitFailure;
    }
    // The export would otherwise take the place of the very dialogue it comes from.
    if (IsSameFile(in, out)) {
        invocation.err << ShownPath(out) << ": the export would replace the dialogue file itself\n";
        return kExitFailure;
    }
    if (auto error = Export(dialogue, out)) {
        invocation.err << ExportFailureLine(out, *error) << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace tw::cli
