// The JSON reader on any text. What it accepts must convert to JSON that reads back to
// the same document.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/dialogue_json.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tw::Dialogue dialogue;
    if (tw::DialogueFromJson(text, dialogue)) {
        return 0;
    }
    const std::string json = tw::DialogueToJson(dialogue);
    tw::Dialogue copy;
    if (tw::DialogueFromJson(json, copy) || tw::DialogueToJson(copy) != json ||
        copy.Write() != dialogue.Write()) {
        __builtin_trap();
    }
    return 0;
}
