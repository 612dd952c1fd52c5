#pragma once

// Reading a dialogue file's bytes without trusting its size: the size and the header are
// checked first, and no more is read than a dialogue can be.

#include <cstdint>
#include <optional>
#include <string>

#include "model/input_limits.h"

namespace tw {

// Which forms a reader takes: the dialogue file only, or also its JSON form.
enum class DialogueForms { kFileOnly, kFileOrJson };

struct DialogueBytes {
    std::string bytes;
    std::optional<std::string> error;  // the message to show; bytes is then empty
};

// The bytes of the dialogue at path, or the message why they were refused: "Unable to open
// file", a file larger than maxBytes, or a header that no readable dialogue file has
// ("This is not a valid VRX file.", the newer-version message). A pipe or a device is read
// no further than its header and maxBytes allow.
DialogueBytes ReadDialogueBytes(const std::string& path, DialogueForms forms,
                                std::uint64_t maxBytes = kMaxDialogueFileBytes);

}  // namespace tw
