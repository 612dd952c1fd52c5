#include "cli/dialogue_input.h"

#include <algorithm>
#include <string_view>

#include "base/byte_string.h"
#include "model/dialogue.h"
#include "model/dialogue_bytes.h"
#include "model/dialogue_json.h"

namespace tw::cli {
namespace {

bool LooksLikeJson(std::string_view bytes) {
    const auto first = std::find_if_not(bytes.begin(), bytes.end(), IsSpace);
    return first != bytes.end() && *first == '{';
}

}  // namespace

std::optional<std::string> LoadDialogueOrJson(const std::string& path, Dialogue& dialogue,
                                              std::uint64_t maxBytes) {
    DialogueBytes file = ReadDialogueBytes(path, DialogueForms::kFileOrJson, maxBytes);
    if (file.error) {
        return file.error;
    }
    return LooksLikeJson(file.bytes) ? DialogueFromJsonText(file.bytes, dialogue)
                                     : dialogue.Read(file.bytes);
}

}  // namespace tw::cli
