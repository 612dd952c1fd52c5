#pragma once

// Reading a dialogue file's bytes without trusting its size: the size and the header are
// checked first, and no more is read than a dialogue can be.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/input_limits.h"

namespace tw {

class Dialogue;

// Which forms a reader takes: the dialogue file only, or also its JSON form.
enum class DialogueForms { kFileOnly, kFileOrJson };

struct DialogueBytes {
    std::string bytes;
    std::optional<std::string> error;  // the message to show; bytes is then empty
};

// The bytes of the dialogue at path, or the message why they were refused: "Unable to open
// file", a file larger than maxBytes, or a header that no readable dialogue file has
// ("This is not a valid VRX file.", the newer-version message). A FIFO, device or socket is
// refused unread (NotRegularFileMessage), since reading one may wait or never end.
DialogueBytes ReadDialogueBytes(const std::string& path, DialogueForms forms,
                                std::uint64_t maxBytes = kMaxDialogueFileBytes);

// Where the bytes of a dialogue file go as they are made: false when a block could not be
// taken, which ends the writing.
using DialogueByteSink = std::function<bool(std::string_view block)>;

// About this many bytes make one block: small enough to stay in a core's cache, large
// enough that handing one on costs little. A node record is never split, so a block holding
// a very large one is larger.
inline constexpr std::size_t kDialogueBlockBytes = 256 * 1024;

// Hands the bytes of Dialogue::Write() to sink in blocks as the records are written, so a
// save never holds the whole file. Stops at the first block the sink refuses and returns
// false; true when every block was taken.
bool WriteDialogueBlocks(const Dialogue& dialogue, const DialogueByteSink& sink);

}  // namespace tw
