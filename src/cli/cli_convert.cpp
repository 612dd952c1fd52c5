// convert IN OUT: reads a dialogue file of any readable version or its JSON form (told
// apart by content) and writes OUT in the form its extension names; "-" writes JSON to
// standard output, for diff drivers.

#include <algorithm>
#include <cerrno>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "base/byte_string.h"
#include "base/file_write.h"
#include "cli/command_entry_points.h"
#include "cli/dialogue_input.h"
#include "cli/shown_path.h"
#include "model/dialogue.h"
#include "model/dialogue_bytes.h"
#include "model/dialogue_json.h"
#include "model/file.h"

namespace tw::cli {
namespace {

enum class Form { kVrx, kJson, kJsonToStdout, kUnknown };

Form FormOf(std::string_view path) {
    auto endsWith = [path](std::string_view suffix) {
        return path.size() >= suffix.size() &&
               EqualsNoCase(path.substr(path.size() - suffix.size()), suffix);
    };
    if (path == "-") {
        return Form::kJsonToStdout;
    }
    return endsWith(".vrx") ? Form::kVrx : endsWith(".json") ? Form::kJson : Form::kUnknown;
}

// The JSON text goes to the file in blocks as it is made, so a large dialogue's text is
// never held whole. False with errno set when a write fails; nothing is written after.
bool WriteJsonInBlocks(const Dialogue& dialogue, int fd) {
    constexpr std::size_t kBlockBytes = 256 * 1024;
    std::string block;
    int error = 0;
    const auto flush = [&] {
        if (error == 0 && !WriteAll(fd, block)) {
            error = errno != 0 ? errno : EIO;
        }
        block.clear();
    };
    WriteDialogueJson(dialogue, [&](std::string_view piece) {
        block.append(piece);
        if (block.size() >= kBlockBytes) {
            flush();
        }
    });
    flush();
    errno = error;
    return error == 0;
}

}  // namespace

int RunConvertCommand(const Invocation& invocation) {
    if (invocation.args.size() != 2) {
        return PrintCommandUsage(invocation.err, "convert");
    }
    const std::string in(invocation.args[0]);
    const std::string out(invocation.args[1]);
    const Form form = FormOf(out);
    if (form == Form::kUnknown) {
        invocation.err << "talkwright-cli convert: " << ShownPath(out)
                       << ": the output name must end in .vrx or .json (or be -)\n";
        return kExitUsage;
    }
    auto dialogue = std::make_unique<Dialogue>();
    if (auto error = LoadDialogueOrJson(in, *dialogue, invocation.limits.dialogueBytes)) {
        invocation.err << "talkwright-cli convert: " << ShownPath(in) << ": " << *error << '\n';
        return kExitFailure;
    }
    if (form == Form::kJsonToStdout) {
        WriteDialogueJson(*dialogue, [&invocation](std::string_view piece) {
            invocation.out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
        });
        return invocation.out ? kExitOk : kExitFailure;
    }
    const std::optional<std::string> error = form == Form::kVrx
                                                 ? ReplaceFileAtomically(out, dialogue->Write())
                                                 : ReplaceFileAtomically(out, [&dialogue](int fd) {
                                                       return WriteJsonInBlocks(*dialogue, fd);
                                                   });
    if (error) {
        invocation.err << "talkwright-cli convert: " << WithShownPaths(*error, {out}) << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace tw::cli
