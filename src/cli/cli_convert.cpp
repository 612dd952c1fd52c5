// convert IN OUT: reads a dialogue file of any readable version or its JSON form (told
// apart by content) and writes OUT in the form its extension names; "-" writes JSON to
// standard output, for diff drivers.

#include <algorithm>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "cli/command_entry_points.h"
#include "model/dialogue.h"
#include "model/dialogue_bytes.h"
#include "model/dialogue_json.h"
#include "model/file.h"
#include "script/byte_string.h"

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

// JSON starts with '{' after any white space; anything else is taken for a dialogue file.
bool LooksLikeJson(std::string_view bytes) {
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), IsSpace);
    return first != bytes.end() && *first == '{';
}

std::optional<std::string> Load(const std::string& path, Dialogue& dialogue,
                                std::uint64_t maxBytes) {
    const DialogueBytes file = ReadDialogueBytes(path, DialogueForms::kFileOrJson, maxBytes);
    if (file.error) {
        return file.error;
    }
    return LooksLikeJson(file.bytes) ? DialogueFromJson(file.bytes, dialogue)
                                     : dialogue.Read(file.bytes);
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
        invocation.err << "talkwright-cli convert: " << out
                       << ": the output name must end in .vrx or .json (or be -)\n";
        return kExitUsage;
    }
    auto dialogue = std::make_unique<Dialogue>();
    if (auto error = Load(in, *dialogue, invocation.limits.dialogueBytes)) {
        invocation.err << "talkwright-cli convert: " << in << ": " << *error << '\n';
        return kExitFailure;
    }
    const std::string bytes = form == Form::kVrx ? dialogue->Write() : DialogueToJson(*dialogue);
    if (form == Form::kJsonToStdout) {
        invocation.out << bytes;
        return invocation.out ? kExitOk : kExitFailure;
    }
    if (auto error = ReplaceFileAtomically(out, bytes)) {
        invocation.err << "talkwright-cli convert: " << *error << '\n';
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace tw::cli
