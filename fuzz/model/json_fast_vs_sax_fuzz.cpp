// The fast JSON reader against the reader from the JSON library's events: whatever the
// fast one builds, the full one must build the same, and DialogueFromJson must answer as
// the full reader does.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "model/dialogue_json.h"
#include "model/dialogue_json_readers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tw::Dialogue fast;
    const bool built = tw::ReadDialogueJsonFast(text, fast);
    tw::Dialogue full;
    const std::optional<std::string> error = tw::ReadDialogueJsonEvents(text, full);
    if (built && (error || tw::DialogueToJson(fast) != tw::DialogueToJson(full) ||
                  fast.Write() != full.Write())) {
        __builtin_trap();
    }
    tw::Dialogue either;
    const std::optional<std::string> answer = tw::DialogueFromJson(text, either);
    if (answer != error || (!answer && tw::DialogueToJson(either) != tw::DialogueToJson(full))) {
        __builtin_trap();
    }
    return 0;
}
